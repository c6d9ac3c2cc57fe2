#include "PreviewFixture.h"
#include "PreviewHooks.h"
#include "UnitCustomProc.h"

class PreviewPlayerTest : public PreviewFixture
{
};

TEST_F(PreviewPlayerTest, PlayWithNothingLoadedAndNothingSelectedDoesNothing)
{
    AddRow(1);
    Player->btnPlayClick();
    EXPECT_TRUE(Graph.Calls.isEmpty());
    EXPECT_FALSE(Player->Playing());
    EXPECT_TRUE(Player->LogoVisible());
    EXPECT_TRUE(Player->LoadedFile().isEmpty());
}

TEST_F(PreviewPlayerTest, PlayOpensTheSelectedRowsInOrderAndTheLastKeepsPlaying)
{
    AddRow(1);
    AddRow(2);
    AddRow(3);
    Select({0, 2});
    Player->btnPlayClick();
    const QStringList once = {"inactive", "clear", "active", "render " + Name(1), "pause", "play"};
    const QStringList twice = QStringList(once).replaceInStrings(Name(1), Name(3));
    EXPECT_EQ(Graph.Calls, once + twice);
    EXPECT_EQ(Player->LoadedFile(), Name(3));
    EXPECT_TRUE(Player->Playing());
    EXPECT_FALSE(Player->LogoVisible());
    EXPECT_TRUE(Graph.Running);
}

TEST_F(PreviewPlayerTest, PauseAndPlayOnlyActWhenTheyChangeSomething)
{
    // Pause while stopped.
    Player->btnPauseClick();
    EXPECT_TRUE(Graph.Calls.isEmpty());
    AddRow(1);
    Select({0});
    Player->btnPlayClick();
    Graph.Calls.clear();
    // Play while playing.
    Player->btnPlayClick();
    EXPECT_TRUE(Graph.Calls.isEmpty());
    Player->btnPauseClick();
    EXPECT_EQ(Graph.Calls, QStringList{"pause"});
    EXPECT_FALSE(Player->Playing());
    EXPECT_FALSE(Player->LogoVisible());
    // Pause while paused.
    Player->btnPauseClick();
    EXPECT_EQ(Graph.Calls, QStringList{"pause"});
    // Play resumes the loaded file, no new open.
    Player->btnPlayClick();
    EXPECT_EQ(Graph.Calls, (QStringList{"pause", "play"}));
    EXPECT_TRUE(Player->Playing());
}

TEST_F(PreviewPlayerTest, StopReleasesTheGraphAndShowsTheLogo)
{
    AddRow(1);
    Select({0});
    Player->btnPlayClick();
    TickAt(3);
    EXPECT_EQ(Player->CurTimeText(), "00:00:03");
    Graph.Calls.clear();
    Player->btnStopClick();
    EXPECT_EQ(Graph.Calls, (QStringList{"stop", "inactive", "clear"}));
    EXPECT_TRUE(Player->LoadedFile().isEmpty());
    EXPECT_FALSE(Player->Playing());
    EXPECT_TRUE(Player->LogoVisible());
    EXPECT_EQ(Player->CurTimeText(), "00:00:00");
    EXPECT_EQ(Player->PlayStatePosition(), 0u);
    // Stopped already: the graph is not active, nothing is asked of it.
    Graph.Calls.clear();
    Player->StopPreview();
    EXPECT_TRUE(Graph.Calls.isEmpty());
}

TEST_F(PreviewPlayerTest, TickShowsThePositionAndMirrorsTheBar)
{
    struct TCase
    {
        std::int64_t PositionMs;
        const char* Text;
    };
    const TCase cases[] = {{0, "00:00:00"},     {999, "00:00:00"},     {1000, "00:00:01"},
                           {59999, "00:00:59"}, {3725400, "01:02:05"}, {360000000, "100:00:00"}};
    AddRow(1);
    Select({0});
    Graph.DurationMs = 400000000;
    Player->btnPlayClick();
    for (const TCase& c : cases) {
        Graph.PositionMs = c.PositionMs;
        Player->dstrckbrMainformTimer(static_cast<quint32>(c.PositionMs), 400000000u);
        EXPECT_EQ(Player->CurTimeText(), c.Text) << c.PositionMs;
        EXPECT_EQ(Player->PlayStatePosition(), static_cast<quint32>(c.PositionMs));
        EXPECT_EQ(Player->PlayStateMax(), 400000000u);
        EXPECT_TRUE(Player->Playing());
    }
}

TEST_F(PreviewPlayerTest, EndMarkerPausesAtTheBeginningAndKeepsTheDisplay)
{
    AddRow(1);
    Select({0});
    Player->SetEndMarkerText(QStringLiteral("00:00:05"));
    Player->btnPlayClick();
    TickAt(4);
    EXPECT_TRUE(Player->Playing());
    Graph.Calls.clear();
    TickAt(5);
    EXPECT_EQ(Graph.Calls, (QStringList{"seek 0", "pause"}));
    EXPECT_EQ(Graph.PositionMs, 0);
    EXPECT_EQ(Player->CurTimeText(), "00:00:05");
    EXPECT_FALSE(Player->Playing());
    EXPECT_EQ(Player->LoadedFile(), Name(1));
    EXPECT_FALSE(Player->LogoVisible());
    // Play continues from the beginning.
    Graph.Calls.clear();
    Player->btnPlayClick();
    EXPECT_EQ(Graph.Calls, QStringList{"play"});
    TickAt(1);
    EXPECT_EQ(Player->CurTimeText(), "00:00:01");
}

TEST_F(PreviewPlayerTest, EndMarkerStepSkippedByTheTickStillPauses)
{
    AddRow(1);
    Select({0});
    Player->SetEndMarkerText(QStringLiteral("00:00:05"));
    Player->btnPlayClick();
    TickAt(4);
    TickAt(6); // the tick came late and stepped over 00:00:05
    EXPECT_FALSE(Player->Playing());
    EXPECT_EQ(Graph.PositionMs, 0);
    EXPECT_EQ(Player->CurTimeText(), "00:00:05");
}

TEST_F(PreviewPlayerTest, PositionsPastTheEndMarkerReachedBySeekingPlayOn)
{
    AddRow(1);
    Select({0});
    Player->SetEndMarkerText(QStringLiteral("00:00:05"));
    Player->btnPlayClick();
    TickAt(3);
    Player->SeekPreview(8000);
    TickAt(9);
    TickAt(10);
    EXPECT_TRUE(Player->Playing());
    EXPECT_EQ(Player->CurTimeText(), "00:00:10");
}

TEST_F(PreviewPlayerTest, NoEndMarkerNoPause)
{
    AddRow(1);
    Select({0});
    Player->btnPlayClick();
    for (int s = 0; s < 10; ++s)
        TickAt(s);
    EXPECT_TRUE(Player->Playing());
}

TEST_F(PreviewPlayerTest, EndOfFileStopsAndTheNextPlayOpensAgain)
{
    AddRow(1);
    Select({0});
    Graph.DurationMs = 3000;
    Player->btnPlayClick();
    TickAt(2);
    EXPECT_TRUE(Player->Playing());
    Graph.Calls.clear();
    TickAt(3);
    EXPECT_EQ(Graph.Calls, (QStringList{"seek 0", "stop", "inactive", "clear"}));
    EXPECT_EQ(Player->CurTimeText(), "00:00:00");
    EXPECT_TRUE(Player->LogoVisible());
    EXPECT_TRUE(Player->LoadedFile().isEmpty());
    EXPECT_FALSE(Player->Playing());
    Player->btnPlayClick();
    EXPECT_EQ(Player->LoadedFile(), Name(1));
    EXPECT_TRUE(Player->Playing());
}

TEST_F(PreviewPlayerTest, FileWithoutADurationKeepsPlaying)
{
    AddRow(1);
    Select({0});
    Graph.DurationMs = 0;
    Player->btnPlayClick();
    TickAt(0);
    TickAt(1);
    EXPECT_TRUE(Player->Playing());
    EXPECT_EQ(Player->LoadedFile(), Name(1));
    EXPECT_EQ(Player->CurTimeText(), "00:00:01");
}

TEST_F(PreviewPlayerTest, FileOpenedAfterTheStartMarkerMovedStartsAtTheRangeStart)
{
    AddRow(1);
    AddRow(2);
    Select({0});
    // Before the markers ever followed a row, files play from their beginning.
    Player->SetRangeStart(30);
    Player->btnPlayClick();
    EXPECT_FALSE(Graph.Calls.join(',').contains("seek"));
    Player->btnStopClick();

    Bar->SyncSelection();
    ASSERT_TRUE(Player->Follow());
    Bar->SetPanel2Width(56); // p = (53 * 121) div 260 = 24
    Bar->SetStartTimeAndPlay();
    EXPECT_EQ(Player->RangeStart(), 24);
    // Another row stops the player but keeps the range start for the next file.
    Select({1});
    Bar->SyncSelection();
    EXPECT_EQ(Player->RangeStart(), 24);
    Graph.Calls.clear();
    Player->btnPlayClick();
    EXPECT_EQ(Graph.Calls.mid(3), (QStringList{"render " + Name(2), "pause", "play", "seek 24000"}));
    EXPECT_EQ(Graph.PositionMs, 24000);
    EXPECT_TRUE(Player->Playing());
}

TEST_F(PreviewPlayerTest, PartlyRenderedFileLogsAndStaysLoaded)
{
    AddRow(1);
    Select({0});
    Graph.Statuses[Name(1)] = 1;
    Player->btnPlayClick();
    EXPECT_EQ(LogMessages(), QStringList{"Playing Video error."});
    EXPECT_EQ(Graph.Calls, (QStringList{"inactive", "clear", "active", "render " + Name(1), "clear"}));
    EXPECT_EQ(Player->LoadedFile(), Name(1));
    EXPECT_FALSE(Player->Playing());
    EXPECT_TRUE(Player->LogoVisible());
    EXPECT_TRUE(Graph.Active());
    EXPECT_TRUE(Graph.Rendered.isEmpty());
    // Play then runs the cleared graph: nothing shows, but the player counts as playing.
    Graph.Calls.clear();
    Player->btnPlayClick();
    EXPECT_EQ(Graph.Calls, QStringList{"play"});
    EXPECT_TRUE(Player->Playing());
}

TEST_F(PreviewPlayerTest, FileThatCannotBeRenderedLogsAndForgetsThePath)
{
    AddRow(1);
    Select({0});
    Graph.Statuses[Name(1)] = -1;
    Player->btnPlayClick();
    EXPECT_EQ(LogMessages(), QStringList{"Playing Video error."});
    EXPECT_TRUE(Player->LoadedFile().isEmpty());
    EXPECT_FALSE(Player->Playing());
    EXPECT_TRUE(FakeDialogs().Calls.empty());
}

TEST_F(PreviewPlayerTest, PlayThatFailsShowsTheLogo)
{
    AddRow(1);
    Select({0});
    Player->btnPlayClick();
    Player->btnPauseClick();
    Graph.FailPlay = true;
    Player->btnPlayClick();
    EXPECT_FALSE(Player->Playing());
    EXPECT_TRUE(Player->LogoVisible());
    EXPECT_TRUE(FakeDialogs().Calls.empty());
}

TEST_F(PreviewPlayerTest, TypedStartTimeSeeksOnlyWhenFollowingAnActiveGraph)
{
    TCustomProc& proc = *CustomProc;
    ConnectPreviewHooks(proc, *Player, *Bar);
    AddRow(1, "00:02:00", "00:00:00", "00:02:00");
    Select({0});
    // Not following yet: no seek.
    List().SetCell(0, TSourceList::colStartTime, "00:00:10");
    proc.dxTreeSourceFileInfoEdited();
    EXPECT_TRUE(Graph.Calls.isEmpty());
    Bar->SyncSelection();
    // Following, but the graph is not active.
    proc.dxTreeSourceFileInfoEdited();
    EXPECT_TRUE(Graph.Calls.isEmpty());
    Player->btnPlayClick();
    Player->btnPauseClick();
    Graph.Calls.clear();
    List().SetCell(0, TSourceList::colStartTime, "00:00:20");
    proc.dxTreeSourceFileInfoEdited();
    EXPECT_EQ(Graph.Calls, QStringList{"seek 20000"});
    EXPECT_FALSE(Player->Playing());
    DisconnectPreviewHooks(proc);
}

TEST_F(PreviewPlayerTest, HooksStopThePreviewAndResetTheBarWhenTheListEmpties)
{
    TCustomProc& proc = *CustomProc;
    ConnectPreviewHooks(proc, *Player, *Bar);
    AddRow(1);
    AddRow(2);
    Select({0});
    Player->btnPlayClick();
    Bar->SetPanel2Width(40);
    Bar->SetPanel3Width(50);
    // Removing one row of two: the player stops, the bar follows the remaining selection.
    List().SetFocusedRow(0);
    proc.RemoveSourceFiles();
    EXPECT_TRUE(Player->LoadedFile().isEmpty());
    EXPECT_FALSE(Graph.Active());
    Select({0});
    Player->btnPlayClick();
    proc.ClearSourceFiles();
    EXPECT_TRUE(Player->LoadedFile().isEmpty());
    EXPECT_EQ(Bar->Panel2Width(), 2);
    EXPECT_EQ(Bar->Panel3Width(), 2);
    DisconnectPreviewHooks(proc);
    EXPECT_FALSE(proc.OnSyncSelection);
}
