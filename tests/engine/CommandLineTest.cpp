#include "CommandLine.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(CommandLine, QuotedArgumentsSplitBackExactly)
{
    const char* const awkward[] = {
        "/home/u/My Videos/party.wmv",
        "/home/u/say \"hi\".mp4",
        "/home/u/back\\slash\\.mp4",
        "/home/u/ends with backslash\\",
        "/home/u/quote\\\"mix\\\\\".avi",
        "/home/u/Видео/пляж 2024.mp4",
        "/home/u/日本語のファイル.mov",
        "-leading-dash.mp4",
        "/home/u/$HOME and `date`.flv",
        "/home/u/no point",
        "",
        "\"",
        "tab\there",
    };
    for (const char* a : awkward) {
        const QString arg = QString::fromUtf8(a);
        const QString line = "/usr/bin/true -i " + QuoteArgument(arg) + " -t 5 " + QuoteArgument(arg);
        const QStringList args = SplitCommandLine(line, [](const QString&) { return false; });
        ASSERT_EQ(args.size(), 6) << a;
        EXPECT_EQ(args[2], arg) << a;
        EXPECT_EQ(args[5], arg) << a;
    }
}

TEST(CommandLine, OrdinaryPathsAreQuotedPlainly)
{
    EXPECT_EQ(QuoteArgument("/home/u/Quorvid Convert Folder/party.mp4"),
              "\"/home/u/Quorvid Convert Folder/party.mp4\"");
}

TEST(CommandLine, TheProgramIsTheLongestPrefixThatIsAnExecutable)
{
    TTempProgramFolder program;
    // The encoder lives in ".../My Apps/"; an executable named ".../My" must not run instead.
    const QString apps = program.MakeFolder("My Apps");
    const QString encoder = apps + "favc";
    const QString decoy = apps.chopped(QStringLiteral(" Apps/").size());
    for (const QString& exe : {encoder, decoy}) {
        WriteFileBytes(exe, "#!/bin/sh\n");
        QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QStringList args = SplitCommandLine(encoder + " -y -i \"/in put.mp4\" \"/out.mp4\"");
    EXPECT_EQ(args, QStringList({encoder, "-y", "-i", "/in put.mp4", "/out.mp4"}));
}

TEST(CommandLine, WithoutAnyExecutableTheFirstWordIsTheProgram)
{
    const QStringList args = SplitCommandLine("/no/such dir/favc -y", [](const QString&) { return false; });
    EXPECT_EQ(args, QStringList({"/no/such", "dir/favc", "-y"}));
    EXPECT_TRUE(SplitCommandLine("   ").isEmpty());
    EXPECT_EQ(SplitCommandLine("\"/quoted prog\" a", [](const QString&) { return false; }),
              QStringList({"/quoted prog", "a"}));
}
