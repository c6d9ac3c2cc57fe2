#include "Errors.h"
#include "SourcesFixture.h"

using TrimEditTest = SourcesFixture;

namespace {

struct TEditCase
{
    const char* Start;
    const char* End;
    const char* StartAfter;
    const char* EndAfter;
    const char* Cut;
    std::int64_t SeekMs;
};

} // namespace

TEST_F(TrimEditTest, CorrectsTheTypedTimes)
{
    // Duration 00:02:00; the editor writes "" for 00:00:00.
    const TEditCase cases[] = {
        {"00:00:10", "00:01:40", "00:00:10", "00:01:40", "00:01:30", 10000},
        {"00:00:10", "00:03:00", "00:00:10", "00:02:00", "00:01:50", 10000},
        {"00:01:00", "00:00:30", "00:01:00", "00:01:00", "00:00:00", 60000},
        {"00:02:30", "00:01:00", "00:02:00", "00:02:00", "00:00:00", 120000},
        {"", "", "00:00:00", "00:02:00", "00:02:00", 0},
    };
    for (const auto& c : cases) {
        List().ClearRows();
        Seeks.clear();
        AddRow(1, "00:02:00", c.Start, c.End);
        List().SelectRow(0);
        CustomProc->dxTreeSourceFileInfoEdited();
        EXPECT_EQ(RowText(0),
                  QStringLiteral("True|/m/1.mp4|1 MB|00:02:00|%1|%2|%3").arg(c.StartAfter, c.EndAfter, c.Cut))
            << c.Start << " " << c.End;
        EXPECT_EQ(Seeks, std::vector<std::int64_t>{c.SeekMs}) << c.Start;
    }
}

TEST_F(TrimEditTest, TreatsEverySelectedRowInListOrder)
{
    AddRow(1, "00:02:00", "00:00:10", "00:03:00");
    AddRow(2, "00:02:00", "00:00:20", "00:03:00");
    AddRow(3, "00:01:00", "00:00:30", "00:00:50");
    List().SelectRow(2);
    List().SelectRow(0);
    // Only row 3 was edited; row 1 is corrected as well, row 2 is not selected.
    List().SetCell(2, TSourceList::colStartTime, "00:01:30");
    CustomProc->dxTreeSourceFileInfoEdited();
    EXPECT_EQ(RowText(0), "True|/m/1.mp4|1 MB|00:02:00|00:00:10|00:02:00|00:01:50");
    EXPECT_EQ(RowText(1), "True|/m/2.mp4|1 MB|00:02:00|00:00:20|00:03:00|00:02:00");
    EXPECT_EQ(RowText(2), "True|/m/3.mp4|1 MB|00:01:00|00:01:00|00:01:00|00:00:00");
    EXPECT_EQ(Seeks, (std::vector<std::int64_t>{10000, 60000}));
}

TEST_F(TrimEditTest, StopsAtATimeItCannotReadAndLeavesLaterRows)
{
    AddRow(1, "00:02:00", "00:00:10", "00:03:00");
    AddRow(2, "100:00:00", "00:00:10", "00:03:00");
    AddRow(3, "00:02:00", "00:00:10", "00:03:00");
    for (int r = 0; r < 3; ++r)
        List().SelectRow(r);
    EXPECT_THROW(CustomProc->dxTreeSourceFileInfoEdited(), EConvertError);
    EXPECT_EQ(List().Cell(0, TSourceList::colEndTime), "00:02:00");
    EXPECT_EQ(RowText(1), "True|/m/2.mp4|1 MB|100:00:00|00:00:10|00:03:00|100:00:00");
    EXPECT_EQ(RowText(2), "True|/m/3.mp4|1 MB|00:02:00|00:00:10|00:03:00|00:02:00");
}

TEST_F(TrimEditTest, WithoutSelectionChangesNothing)
{
    AddRow(1, "00:02:00", "", "");
    CustomProc->dxTreeSourceFileInfoEdited();
    EXPECT_EQ(RowText(0), "True|/m/1.mp4|1 MB|00:02:00|||00:02:00");
    EXPECT_TRUE(Seeks.empty());
}
