#include "LinuxPlatform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(LinuxPlatform, TheProgramFolderIsTheExecutablesFolderWithASlash)
{
    TLinuxPlatform platform;
    const QString folder = platform.ProgramFolder();
    EXPECT_TRUE(folder.endsWith('/'));
    EXPECT_TRUE(QFile::exists(folder + "platform_tests"));
    EXPECT_TRUE(platform.HomeFolder().endsWith('/'));
}

TEST(LinuxPlatform, ListingMarksOnlyPlainFolders)
{
    QTemporaryDir dir;
    const QString root = dir.path() + '/';
    QDir().mkpath(root + "plain");
    QDir().mkpath(root + ".hidden");
    QDir().mkpath(root + "readonly");
    chmod(QString(root + "readonly").toUtf8().constData(), 0555);
    QFile file(root + "file.mp4");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    TLinuxPlatform platform;
    std::vector<TFolderEntry> entries;
    ASSERT_TRUE(platform.ListFolder(root, entries));
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].Name, ".hidden");
    EXPECT_FALSE(entries[0].IsPlainFolder);
    EXPECT_EQ(entries[1].Name, "file.mp4");
    EXPECT_FALSE(entries[1].IsPlainFolder);
    EXPECT_EQ(entries[2].Name, "plain");
    EXPECT_TRUE(entries[2].IsPlainFolder);
    EXPECT_EQ(entries[3].Name, "readonly");
    EXPECT_FALSE(entries[3].IsPlainFolder);
    chmod(QString(root + "readonly").toUtf8().constData(), 0755);
    EXPECT_FALSE(platform.ListFolder(root + "missing", entries));
    EXPECT_TRUE(entries.empty());
}

TEST(LinuxPlatform, FoldersAreMadeWithTheirParentsAndRemovedOnlyWhenEmpty)
{
    QTemporaryDir dir;
    TLinuxPlatform platform;
    const QString deep = dir.path() + "/a b/c/d";
    EXPECT_TRUE(platform.ForceDirectories(deep));
    EXPECT_TRUE(platform.FolderExists(deep));
    EXPECT_FALSE(platform.RemoveFolder(dir.path() + "/a b"));
    EXPECT_TRUE(platform.RemoveFolder(deep));
    EXPECT_FALSE(platform.FolderExists(deep));
    QFile file(dir.path() + "/plain");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(platform.ForceDirectories(dir.path() + "/plain/sub"));
}

TEST(LinuxPlatform, TheProcessWalkSeesThisProcessAndNoZombies)
{
    TLinuxPlatform platform;
    const pid_t zombie = fork();
    if (zombie == 0)
        _exit(0);
    ASSERT_GT(zombie, 0);
    // Give the child time to exit; it stays a zombie until reaped below.
    for (int i = 0; i < 100; ++i) {
        usleep(10000);
        QFile stat(QStringLiteral("/proc/%1/stat").arg(zombie));
        if (stat.open(QIODevice::ReadOnly) && stat.readAll().contains(") Z "))
            break;
    }
    const auto processes = platform.Processes();
    EXPECT_TRUE(
        std::none_of(processes.begin(), processes.end(), [zombie](const TProcessEntry& p) { return p.Pid == zombie; }));
    waitpid(zombie, nullptr, 0);
    const auto self =
        std::find_if(processes.begin(), processes.end(), [](const TProcessEntry& p) { return p.Pid == getpid(); });
    ASSERT_NE(self, processes.end());
    EXPECT_EQ(self->Name, "platform_tests");
    EXPECT_TRUE(self->ExePath.endsWith("/platform_tests"));
}

TEST(LinuxPlatform, LibrariesAndTheirExportsAreFound)
{
    TLinuxPlatform platform;
    void* lib = platform.LoadLibrary("libc.so.6");
    ASSERT_NE(lib, nullptr);
    EXPECT_NE(platform.Symbol(lib, "strlen"), nullptr);
    EXPECT_EQ(platform.Symbol(lib, "no_such_export_here"), nullptr);
    platform.FreeLibrary(lib);
    EXPECT_EQ(platform.LoadLibrary("/no/such/library.so"), nullptr);
    EXPECT_EQ(platform.Symbol(nullptr, "strlen"), nullptr);
}
