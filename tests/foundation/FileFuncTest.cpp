#include "FileFunc.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(FileBaseName, DropsFolderAndLastExtension)
{
    struct TCase
    {
        const char* Path;
        const char* Base;
    };
    const TCase cases[] = {
        {"/clips/clip.part.mp4", "clip.part"},
        {"/clips/clip.", "clip"},
        {"/clips/README", ""},
        {"/clips/.hidden", ""},
        {"movie.3gp", "movie"},
        {"/a.b/name", ""},
        {"/clips/a:b.mp4", "a:b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TFileFunc::FileBaseName(QString::fromUtf8(c.Path)), QString::fromUtf8(c.Base)) << c.Path;
}

namespace {

void Touch(const QString& path)
{
    WriteFileBytes(path, "x");
}

} // namespace

class UniqueFileNameTest : public ::testing::Test
{
protected:
    TTempProgramFolder Program;
    QString Out = Program.MakeFolder(QStringLiteral("out"));
    TFileFunc Files;
};

TEST_F(UniqueFileNameTest, FreeNamesComeBackUnchanged)
{
    EXPECT_EQ(Files.UniqueFileName(Out + "video.3gp"), Out + "video.3gp");
    const QString missing = Out + "missing/video.3gp";
    EXPECT_EQ(Files.UniqueFileName(missing), missing);
}

TEST_F(UniqueFileNameTest, AnyExtensionWithTheSameBaseNameBlocks)
{
    Touch(Out + "video.mp4");
    EXPECT_EQ(Files.UniqueFileName(Out + "video.3gp"), Out + "video_1.3gp");
    Touch(Out + "video_1.avi");
    EXPECT_EQ(Files.UniqueFileName(Out + "video.3gp"), Out + "video_2.3gp");
}

TEST_F(UniqueFileNameTest, BaseNamesCompareWithLetterCase)
{
    Touch(Out + "Video.mp4");
    EXPECT_EQ(Files.UniqueFileName(Out + "video.3gp"), Out + "video.3gp");
}

TEST_F(UniqueFileNameTest, NumbersCountOnFromTheLastTaken)
{
    Touch(Out + "video.3gp");
    Touch(Out + "video_1.3gp");
    Touch(Out + "video_2.mp4");
    EXPECT_EQ(Files.UniqueFileName(Out + "video.3gp"), Out + "video_3.3gp");
    Touch(Out + "clip_5.mp4");
    EXPECT_EQ(Files.UniqueFileName(Out + "clip_5.mp4"), Out + "clip_5_1.mp4");
}

TEST_F(UniqueFileNameTest, PlainFoldersDoNotBlockButHiddenOrReadOnlyOnesDo)
{
    QDir().mkpath(Out + "video.x");
    EXPECT_EQ(Files.UniqueFileName(Out + "video.3gp"), Out + "video.3gp");
    // Read-only for its owner, the same folder is no longer a plain one.
    ASSERT_EQ(chmod(QString(Out + "video.x").toUtf8().constData(), 0555), 0);
    EXPECT_EQ(Files.UniqueFileName(Out + "video.3gp"), Out + "video_1.3gp");
    chmod(QString(Out + "video.x").toUtf8().constData(), 0755);
}

TEST_F(UniqueFileNameTest, AHiddenFolderCountsAsAnEntry)
{
    // ".mp4" has an empty base name, like the output of a source without a point.
    QDir().mkpath(Out + ".mp4");
    EXPECT_EQ(Files.UniqueFileName(Out + ".3gp"), Out + "_1.3gp");
}
