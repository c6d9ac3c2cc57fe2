#include "PreviewFixture.h"

class RangeBarTest : public PreviewFixture
{
};

TEST(RangeBarArithmetic, StartPercent)
{
    // p = ((Panel2 - 3) * 121) div 260, truncated toward zero.
    const std::pair<int, int> cases[] = {{1, 0}, {2, 0}, {3, 0}, {5, 0}, {6, 1}, {25, 10}, {111, 50}, {220, 100}};
    for (const auto& [panel2, percent] : cases)
        EXPECT_EQ(TRangeBar::StartPercent(panel2), percent) << "Panel2 " << panel2;
}

TEST(RangeBarArithmetic, EndPercent)
{
    // q = ((219 - Panel3) * 121) div 260: 101 at the far right.
    const std::pair<int, int> cases[] = {{1, 101}, {2, 100}, {4, 101 - 1}, {111, 50}, {218, 0}, {220, 0}};
    for (const auto& [panel3, percent] : cases)
        EXPECT_EQ(TRangeBar::EndPercent(panel3), percent) << "Panel3 " << panel3;
}

TEST_F(RangeBarTest, MarkerMovesWriteTheSelectedRowsTimes)
{
    struct TCase
    {
        int Panel2, Panel3;
        bool MoveEnd;
        const char* Start;
        const char* End;
        const char* Cut;
    };
    // A 100-second file.
    const TCase cases[] = {
        {1, 1, false, "00:00:00", "00:01:40", "00:01:40"},   // far left: 0 %
        {220, 1, false, "00:01:40", "00:01:40", "00:00:00"}, // start as far right as it goes: 100 %
        {1, 1, true, "00:00:00", "00:01:41", "00:01:41"},    // end at the far right: 101 %
        {111, 1, false, "00:00:50", "00:01:40", "00:00:50"}, {111, 111, true, "00:00:00", "00:00:50", "00:00:50"},
        {30, 100, true, "00:00:00", "00:00:55", "00:00:55"},
    };
    for (const TCase& c : cases) {
        List().ClearRows();
        AddRow(1);
        Select({0});
        Bar->SyncSelection();
        Bar->SetPanel2Width(c.Panel2);
        Bar->SetPanel3Width(c.Panel3);
        c.MoveEnd ? Bar->Splitter2Moved() : Bar->SetStartTimeAndPlay();
        EXPECT_EQ(List().Cell(0, TSourceList::colStartTime), c.Start) << c.Panel2 << "/" << c.Panel3;
        EXPECT_EQ(List().Cell(0, TSourceList::colEndTime), c.End) << c.Panel2 << "/" << c.Panel3;
        EXPECT_EQ(List().Cell(0, TSourceList::colCutTime), c.Cut) << c.Panel2 << "/" << c.Panel3;
        if (c.MoveEnd) {
            EXPECT_EQ(Player->EndMarkerText(), c.End);
        }
    }
}

TEST_F(RangeBarTest, StartAfterEndShowsNoCutTime)
{
    AddRow(1, "00:01:40", "00:00:00", "00:00:20");
    Select({0});
    Bar->SyncSelection();
    Bar->SetPanel2Width(111);
    Bar->SetPanel3Width(1);
    Bar->SetStartTimeAndPlay();
    EXPECT_EQ(List().Cell(0, TSourceList::colStartTime), "00:00:50");
    EXPECT_EQ(List().Cell(0, TSourceList::colCutTime), "00:00:00");
}

TEST_F(RangeBarTest, SeveralSelectedRowsAllTakeTheSameTime)
{
    // The rows' own durations differ; the time comes from the row last synchronised.
    AddRow(1, "00:01:40", "00:00:00", "00:01:40");
    AddRow(2, "00:10:00", "00:00:00", "00:10:00");
    AddRow(3, "00:00:20", "00:00:00", "00:00:20");
    Select({0, 1, 2});
    Bar->SyncSelection();
    EXPECT_EQ(Bar->D(), 20);
    Bar->SetPanel2Width(111);
    Bar->SetStartTimeAndPlay();
    Bar->SetPanel3Width(50);
    Bar->Splitter2Moved();
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(List().Cell(row, TSourceList::colStartTime), "00:00:10") << row;
        // q = (169 * 121) div 260 = 78
        EXPECT_EQ(List().Cell(row, TSourceList::colEndTime), "00:00:15") << row;
        EXPECT_EQ(List().Cell(row, TSourceList::colCutTime), "00:00:05") << row;
    }
    EXPECT_EQ(Player->EndMarkerText(), "00:00:15");
}

TEST_F(RangeBarTest, SyncSelectionPositionsTheMarkersRoundingHalvesToEven)
{
    struct TCase
    {
        const char* Duration;
        const char* Start;
        const char* End;
        int Panel2, Panel3; // before
        int WantPanel2, WantPanel3;
    };
    const TCase cases[] = {
        {"00:07:20", "00:00:00", "00:07:20", 50, 50, 1, 1}, // whole file: both ends
        {"00:07:20", "00:00:01", "00:07:20", 50, 50, 1, 1}, // 0.5 px rounds to 0
        {"00:07:20", "00:00:03", "00:07:20", 50, 50, 3, 1}, // 1.5 px rounds to 2
        {"00:07:20", "00:00:00", "00:07:19", 50, 50, 1, 1}, // 219.5 rounds to 220
        {"00:07:20", "00:00:00", "00:07:17", 50, 50, 1, 3}, // 218.5 rounds to 218
        {"00:01:40", "00:00:50", "00:01:40", 1, 1, 111, 1}, {"00:01:40", "00:00:00", "00:00:50", 1, 1, 1, 111},
        {"00:01:40", "00:00:01", "00:01:40", 2, 1, 2, 1}, // a = 3 is within 1 of 2: kept
        {"00:01:40", "00:00:00", "00:01:39", 1, 2, 1, 2}, // c = 3 is within 2 of 2: kept
        {"00:01:40", "00:00:00", "00:01:38", 1, 1, 1, 5}, // c = 221 - 216 = 5: taken
    };
    for (const TCase& c : cases) {
        List().ClearRows();
        AddRow(1, c.Duration, c.Start, c.End);
        Select({0});
        Bar->SetPanel2Width(c.Panel2);
        Bar->SetPanel3Width(c.Panel3);
        Bar->SyncSelection();
        const std::string at = std::string(c.Duration) + " " + c.Start + " " + c.End;
        EXPECT_EQ(Bar->Panel2Width(), c.WantPanel2) << at;
        EXPECT_EQ(Bar->Panel3Width(), c.WantPanel3) << at;
        EXPECT_TRUE(Player->Follow());
    }
}

TEST_F(RangeBarTest, EndPastTheDurationStaysInsideTheBar)
{
    // 101 % written by the end marker, read back for another row: never a negative width.
    AddRow(1, "00:01:40", "00:00:00", "00:01:41");
    Select({0});
    Bar->SetPanel3Width(60);
    Bar->SyncSelection();
    EXPECT_EQ(Bar->Panel3Width(), 1);
    EXPECT_GE(Bar->Panel4Width(), 0);
}

TEST_F(RangeBarTest, SelectingTheLoadedFileLeavesPlayerAndMarkers)
{
    AddRow(1, "00:01:40", "00:00:50", "00:01:40");
    AddRow(2, "00:01:40", "00:00:10", "00:00:20");
    Select({0});
    Player->btnPlayClick();
    Bar->SetPanel2Width(30);
    Graph.Calls.clear();
    Bar->SyncSelection();
    EXPECT_TRUE(Graph.Calls.isEmpty());
    EXPECT_EQ(Bar->Panel2Width(), 30);
    EXPECT_TRUE(Player->Playing());
    // Another row: the player stops and the markers move.
    Select({1});
    Bar->SyncSelection();
    EXPECT_FALSE(Player->Playing());
    EXPECT_TRUE(Player->LoadedFile().isEmpty());
    EXPECT_EQ(Bar->Panel2Width(), 23);  // round(10 / 100 * 220) + 1
    EXPECT_EQ(Bar->Panel3Width(), 177); // 221 - round(20 / 100 * 220)
}

TEST_F(RangeBarTest, ClicksOnTheOuterImages)
{
    struct TCase
    {
        bool Right; // Panel3 clicked, else Panel2
        Qt::KeyboardModifiers Keys;
        int Panel2, Panel3;
        int WantPanel2, WantPanel3;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    const TCase cases[] = {
        {true, shift, 20, 12, 20, 2},  // wide middle: 12 px narrowed to 2
        {true, shift, 20, 10, 20, 10}, // not wider than the step
        {true, ctrl, 20, 2, 20, 1},    // Ctrl: 1
        {true, ctrl, 20, 1, 20, 1},    // never below 1
        {true, none, 20, 6, 20, 1},    // plain: 5
        {true, none, 20, 5, 20, 5},
        {true, ctrl | shift, 20, 12, 20, 7}, // a mix counts as plain
        {true, Qt::AltModifier, 20, 12, 20, 7},
        {false, shift, 12, 20, 2, 20},
        {false, ctrl, 2, 20, 1, 20},
        {false, none, 6, 20, 1, 20},
        {false, none, 5, 20, 5, 20},
        {true, shift, 204, 11, 204, 1},    // middle 7 px: still taken
        {true, shift, 205, 11, 205, 11},   // middle 6 px: nothing
        {false, ctrl, 100, 116, 100, 116}, // middle 6 px: nothing
    };
    AddRow(1);
    Select({0});
    Bar->SyncSelection();
    for (const TCase& c : cases) {
        Bar->SetPanel2Width(c.Panel2);
        Bar->SetPanel3Width(c.Panel3);
        c.Right ? Bar->Panel3MouseDown(c.Keys) : Bar->Panel2MouseDown(c.Keys);
        EXPECT_EQ(Bar->Panel2Width(), c.WantPanel2)
            << c.Right << " " << int(c.Keys) << " " << c.Panel2 << "/" << c.Panel3;
        EXPECT_EQ(Bar->Panel3Width(), c.WantPanel3)
            << c.Right << " " << int(c.Keys) << " " << c.Panel2 << "/" << c.Panel3;
    }
}

TEST_F(RangeBarTest, ClickRunsTheMarkersMoveHandling)
{
    AddRow(1);
    Select({0});
    Bar->SyncSelection();
    Bar->SetPanel3Width(12);
    Bar->Panel3MouseDown(Qt::ShiftModifier);
    EXPECT_EQ(List().Cell(0, TSourceList::colEndTime), "00:01:40"); // q = (217 * 121) div 260 = 100
    EXPECT_EQ(Player->EndMarkerText(), "00:01:40");
    Bar->SetPanel2Width(30);
    Bar->Panel2MouseDown(Qt::NoModifier); // 25: p = (22 * 121) div 260 = 10
    EXPECT_EQ(List().Cell(0, TSourceList::colStartTime), "00:00:10");
    EXPECT_EQ(Player->RangeStart(), 10);
}

TEST_F(RangeBarTest, StartMoveSeeksThePreviewOnlyWhenFollowing)
{
    AddRow(1);
    Select({0});
    Bar->SetD(100);
    Player->btnPlayClick();
    Graph.Calls.clear();
    Bar->SetPanel2Width(111);
    Bar->SetStartTimeAndPlay(); // the follow flag is not yet set
    EXPECT_TRUE(Graph.Calls.isEmpty());
    Player->SetFollow(true);
    Bar->SetStartTimeAndPlay();
    EXPECT_EQ(Graph.Calls, QStringList{"seek 50000"});
    // The end marker never seeks.
    Graph.Calls.clear();
    Bar->SetPanel3Width(50);
    Bar->Splitter2Moved();
    EXPECT_TRUE(Graph.Calls.isEmpty());
}

TEST_F(RangeBarTest, DraggingStaysWithinTheLimits)
{
    struct TCase
    {
        bool End;
        int To;
        int WantPanel2, WantPanel3;
        bool Changed;
    };
    const TCase cases[] = {
        {false, 0, 1, 30, false},    {false, -50, 1, 30, false},  {false, 40, 40, 30, true},
        {false, 500, 191, 30, true}, {true, 500, 191, 30, false}, {false, 60, 60, 30, true},
        {true, 500, 60, 161, true},  {true, 0, 60, 1, true},
    };
    Bar->SetPanel3Width(30);
    for (const TCase& c : cases) {
        const bool changed = c.End ? Bar->DragEndMarkerTo(c.To) : Bar->DragStartMarkerTo(c.To);
        EXPECT_EQ(changed, c.Changed) << c.End << " " << c.To;
        EXPECT_EQ(Bar->Panel2Width(), c.WantPanel2) << c.End << " " << c.To;
        EXPECT_EQ(Bar->Panel3Width(), c.WantPanel3) << c.End << " " << c.To;
        EXPECT_GE(Bar->Panel4Width(), 1);
    }
}

TEST_F(RangeBarTest, MarkersTouchingMoveApart)
{
    // Start and end both at the Duration leave no middle; the next move opens one pixel.
    AddRow(1, "00:01:40", "00:01:40", "00:01:40");
    Select({0});
    Bar->SyncSelection();
    EXPECT_EQ(Bar->Panel4Width(), 0);
    Bar->SetStartTimeAndPlay();
    EXPECT_EQ(Bar->Panel4Width(), 1);
}
