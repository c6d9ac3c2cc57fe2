#include "SourcesFixture.h"

class RemoveRowsTest : public SourcesFixture
{
public:
    void SetUp() override
    {
        SourcesFixture::SetUp();
        for (int n = 1; n <= 5; ++n)
            AddRow(n);
    }
    void Select(std::initializer_list<int> rows, int focused)
    {
        for (const int r : rows)
            List().SelectRow(r - 1);
        List().SetFocusedRow(focused - 1);
    }
};

TEST_F(RemoveRowsTest, FocusesAndSelectsTheRowAboveTheFocusedOne)
{
    Select({3, 4}, 3);
    CustomProc->RemoveSourceFiles();
    EXPECT_EQ(Names(), (QStringList{"/m/1.mp4", "/m/2.mp4", "/m/5.mp4"}));
    EXPECT_EQ(List().FocusedRow(), 1);
    EXPECT_EQ(List().SelectedRows(), std::vector<int>{1});
    EXPECT_EQ(Hooks, (QStringList{"stop", "sync"}));
}

TEST_F(RemoveRowsTest, FollowsTheRememberedRowWhenRowsAboveItGo)
{
    Select({1, 5}, 5);
    CustomProc->RemoveSelectedRows();
    EXPECT_EQ(Names(), (QStringList{"/m/2.mp4", "/m/3.mp4", "/m/4.mp4"}));
    EXPECT_EQ(List().Cell(List().FocusedRow(), TSourceList::colFileName), "/m/4.mp4");
    EXPECT_EQ(List().SelectedRows(), std::vector<int>{2});
}

TEST_F(RemoveRowsTest, ForgetsTheRememberedRowWhenItGoesToo)
{
    Select({2, 3}, 3);
    CustomProc->RemoveSelectedRows();
    EXPECT_EQ(Names(), (QStringList{"/m/1.mp4", "/m/4.mp4", "/m/5.mp4"}));
    EXPECT_TRUE(List().SelectedRows().empty());
}

TEST_F(RemoveRowsTest, FocusOnTheFirstRowSelectsNothingAfterwards)
{
    Select({1}, 1);
    CustomProc->RemoveSourceFiles();
    EXPECT_EQ(List().RowCount(), 4);
    EXPECT_TRUE(List().SelectedRows().empty());
}

TEST_F(RemoveRowsTest, NothingSelectedRemovesNothing)
{
    List().SetFocusedRow(2);
    CustomProc->RemoveSelectedRows();
    EXPECT_EQ(List().RowCount(), 5);
    EXPECT_EQ(List().FocusedRow(), 2);
}

TEST_F(RemoveRowsTest, RemovingTheLastRowsResetsTheRangeBar)
{
    Select({1, 2, 3, 4, 5}, 4);
    CustomProc->RemoveSourceFiles();
    EXPECT_EQ(List().RowCount(), 0);
    EXPECT_EQ(Hooks, (QStringList{"reset", "stop", "sync"}));
}

TEST_F(RemoveRowsTest, DeleteKeySyncsFirstAndResetsLast)
{
    Select({1, 2, 3, 4, 5}, 1);
    CustomProc->DeleteKeyInSourceList();
    EXPECT_EQ(List().RowCount(), 0);
    EXPECT_EQ(Hooks, (QStringList{"sync", "stop", "reset"}));

    Hooks.clear();
    AddRow(6);
    AddRow(7);
    Select({2}, 2);
    CustomProc->DeleteKeyInSourceList();
    EXPECT_EQ(Names(), QStringList{"/m/6.mp4"});
    EXPECT_EQ(Hooks, (QStringList{"sync", "stop"}));
}

TEST_F(RemoveRowsTest, ClearDeletesEveryRowAndResets)
{
    Select({2}, 2);
    CustomProc->ClearSourceFiles();
    EXPECT_EQ(List().RowCount(), 0);
    EXPECT_TRUE(List().SelectedRows().empty());
    EXPECT_EQ(Hooks, (QStringList{"stop", "reset"}));
}

TEST_F(RemoveRowsTest, HooksMayBeEmpty)
{
    CustomProc->OnSyncSelection = nullptr;
    CustomProc->OnStopPreview = nullptr;
    CustomProc->OnResetRangeBar = nullptr;
    Select({1, 2, 3, 4, 5}, 1);
    CustomProc->RemoveSourceFiles();
    CustomProc->ClearSourceFiles();
    EXPECT_EQ(List().RowCount(), 0);
}
