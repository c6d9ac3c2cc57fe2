#include "Errors.h"
#include "SourceFiles.h"
#include "SourceTexts.h"
#include "SourcesFixture.h"

#include <QFileInfo>

using AddSourceFilesTest = SourcesFixture;

TEST_F(AddSourceFilesTest, AddsOneRowPerAcceptedFormat)
{
    const QStringList clips = {"clip.3gp", "clip.mp4", "clip.m4v", "clip.mpeg", "clip.mpg", "clip.asf", "clip.mov",
                               "clip.swf", "clip.flv", "clip.wmv", "clip.avi",  "clip.rm",  "clip.rmvb"};
    QStringList paths;
    for (const QString& clip : clips)
        paths << TestMediaFolder() + clip;
    CustomProc->AddSourceFiles(paths);

    ASSERT_EQ(List().RowCount(), clips.size());
    for (int r = 0; r < clips.size(); ++r) {
        const QString size = SizeToText(QFileInfo(paths[r]).size());
        EXPECT_TRUE(size.endsWith(QLatin1String(" KB"))) << size.toStdString();
        EXPECT_EQ(RowText(r), "True|" + paths[r] + "|" + size + "|00:00:03|00:00:00|00:00:03|00:00:03");
    }
    EXPECT_EQ(FakeDialogs().Calls.size(), 0u);
    EXPECT_EQ(List().SelectedRows(), std::vector<int>{0});
    EXPECT_EQ(Hooks, QStringList{"sync"});
}

TEST_F(AddSourceFilesTest, ChecksExtensionsWithoutRegardToCase)
{
    const QString upper = CopyClip("clip.mp4", "MOVIE.MP4");
    const QString mp3 = CopyClip("clip.mp4", "movie.mp3");
    const QString bare = CopyClip("clip.mp4", "movie");
    const QString txt = CopyClip("clip.avi", "movie.avi.txt");
    const QString dotted = Program->MakeFolder("folder.mp4") + "movie";
    QFile::copy(TestMediaFolder() + "clip.mp4", dotted);
    CustomProc->AddSourceFiles({mp3, bare, upper, txt, dotted});
    EXPECT_EQ(Names(), QStringList{upper});
    EXPECT_EQ(FakeDialogs().Calls.size(), 0u);
}

TEST_F(AddSourceFilesTest, WarnsOnceForEachRefusedFileAndAddsTheRest)
{
    const QString eight = TestMediaFolder() + "eight-seconds.mp4";
    CustomProc->AddSourceFiles({TestMediaFolder() + "truncated.mp4", TestMediaFolder() + "half-second.mp4", eight,
                                TestMediaFolder() + "random-bytes.avi", Work + "missing.avi"});
    EXPECT_EQ(Warnings(), 4);
    EXPECT_EQ(FakeDialogs().Calls.size(), 4u);
    ASSERT_EQ(Names(), QStringList{eight});
    EXPECT_EQ(List().Cell(0, TSourceList::colDuration), "00:00:08");
}

TEST_F(AddSourceFilesTest, SkipsExactDuplicatesButNotOtherLetterCases)
{
    const QString lower = CopyClip("clip.mp4", "clip.mp4");
    const QString upper = CopyClip("clip.mp4", "CLIP.mp4");
    CustomProc->AddSourceFiles({lower, lower, upper});
    EXPECT_EQ(Names(), (QStringList{lower, upper}));
    CustomProc->AddSourceFiles({upper, lower});
    EXPECT_EQ(Names(), (QStringList{lower, upper}));
    EXPECT_EQ(FakeDialogs().Calls.size(), 0u);
}

TEST_F(AddSourceFilesTest, AddsTheFirstRowToTheSelectionKeepingTheRest)
{
    AddRow(1);
    AddRow(2);
    AddRow(3);
    List().SelectRow(2);
    CustomProc->AddSourceFiles({});
    EXPECT_EQ(List().SelectedRows(), (std::vector<int>{0, 2}));
    EXPECT_EQ(Hooks, QStringList{"sync"});
}

TEST_F(AddSourceFilesTest, AnEmptyListStaysEmptyWithoutSync)
{
    CustomProc->AddSourceFiles({TestMediaFolder() + "clip.mp3", TestMediaFolder() + "half-second.mp4"});
    EXPECT_EQ(List().RowCount(), 0);
    EXPECT_TRUE(Hooks.isEmpty());
    EXPECT_EQ(Warnings(), 1);
}

TEST_F(AddSourceFilesTest, ProbesWholeSeconds)
{
    EXPECT_EQ(CustomProc->ProbeDuration(TestMediaFolder() + "clip.mp4"), 3);
    EXPECT_EQ(CustomProc->ProbeDuration(TestMediaFolder() + "eight-seconds.mp4"), 8);
    EXPECT_EQ(CustomProc->ProbeDuration(TestMediaFolder() + "half-second.mp4"), 0);
    EXPECT_EQ(CustomProc->ProbeDuration(TestMediaFolder() + "truncated.mp4"), 0);
    EXPECT_EQ(CustomProc->ProbeDuration(Work + "missing.mp4"), 0);
}

TEST(SourceFiles, DropsLaterExactDuplicates)
{
    EXPECT_EQ(DropLaterDuplicates({"/a.mp4", "/b.mp4", "/a.mp4", "/A.mp4", "/b.mp4"}),
              (QStringList{"/a.mp4", "/b.mp4", "/A.mp4"}));
    EXPECT_TRUE(DropLaterDuplicates({}).isEmpty());
}

TEST(SourceFiles, FilterOffersEveryPatternInQtSyntax)
{
    const QStringList filters = SourceFileFilter().split(";;");
    ASSERT_EQ(filters.size(), 10);
    EXPECT_EQ(filters[0], "Supported Files (*.3gp *.mp4 *.m4v *.mpeg *.mpg *.avi *.asf *.mov *.wmv *.flv *.swf *.rm "
                          "*.rmvb)");
    EXPECT_EQ(filters[4], "Flash Files (*.flv,swf) (*.flv *.swf)");
    EXPECT_EQ(filters[7], "MP4 File (*.mp4,*.m4v) (*.mp4 *.m4v)");
    EXPECT_EQ(filters[9], "RM Files (*.rm,*.rmvb) (*.rm *.rmvb)");
}
