#include "SourceListView.h"
#include "SourceList.h"
#include "TimeEditDelegate.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <QTimeEdit>
#include <gtest/gtest.h>

namespace {

class SourceListViewTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        for (int n = 1; n <= 3; ++n)
            List.AppendRow(
                {"True", QString("/m/%1.mp4").arg(n), "1 MB", "00:02:00", "00:00:00", "00:02:00", "00:02:00"});
        View.SetSourceList(&List);
        View.resize(539, 127);
        View.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&View));
    }

    QPoint CellCentre(int row, int column) { return View.visualRect(List.index(row, column)).center(); }

    TSourceList List;
    TSourceListView View;
};

} // namespace

TEST_F(SourceListViewTest, ShowsTheListWithItsOptions)
{
    const QHeaderView* header = View.horizontalHeader();
    EXPECT_TRUE(header->isVisible());
    EXPECT_FALSE(View.verticalHeader()->isVisible());
    EXPECT_FALSE(header->sectionsMovable());
    EXPECT_EQ(header->sectionSize(TSourceList::colCheck), 16);
    EXPECT_EQ(header->sectionResizeMode(TSourceList::colCheck), QHeaderView::Fixed);
    EXPECT_EQ(header->sectionResizeMode(TSourceList::colFileName), QHeaderView::Interactive);
    EXPECT_EQ(View.selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(View.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_TRUE(View.showGrid());
    EXPECT_EQ(View.selectionModel(), List.SelectionModel());
    EXPECT_EQ(View.palette().color(QPalette::Inactive, QPalette::Highlight),
              View.palette().color(QPalette::Active, QPalette::Highlight));
    for (int c = 0; c < TSourceList::ColumnCount; ++c)
        EXPECT_EQ(List.headerData(c, Qt::Horizontal).toString(), TSourceList::ColumnCaption(c));
}

TEST_F(SourceListViewTest, FitsTheColumnsToTheWidth)
{
    auto totalWidth = [this] {
        int total = 0;
        for (int c = 0; c < TSourceList::ColumnCount; ++c)
            total += View.horizontalHeader()->sectionSize(c);
        return total;
    };
    EXPECT_EQ(totalWidth(), View.viewport()->width());
    View.resize(800, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(totalWidth(), View.viewport()->width());
    EXPECT_EQ(View.horizontalHeader()->sectionSize(TSourceList::colCheck), 16);
    EXPECT_GT(View.horizontalHeader()->sectionSize(TSourceList::colFileName),
              View.horizontalHeader()->sectionSize(TSourceList::colFileSize));
}

TEST_F(SourceListViewTest, AClickOnATimeCellOpensItsEditorAtOnce)
{
    QTest::mouseClick(View.viewport(), Qt::LeftButton, {}, CellCentre(1, TSourceList::colStartTime));
    auto* editor = View.viewport()->findChild<QTimeEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->displayFormat(), "hh:mm:ss");
    EXPECT_EQ(editor->minimumTime(), QTime(0, 0, 0));
    EXPECT_EQ(editor->maximumTime(), QTime(23, 59, 59));

    QSignalSpy edited(&View, &TSourceListView::Edited);
    editor->setTime(QTime(0, 1, 5));
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits on a queued call, after the editor has seen the key.
    EXPECT_TRUE(edited.wait(1000) || edited.count() == 1);
    EXPECT_EQ(edited.count(), 1);
    EXPECT_EQ(List.Cell(1, TSourceList::colStartTime), "00:01:05");
}

TEST_F(SourceListViewTest, AClickOnAReadOnlyCellOpensNoEditor)
{
    QTest::mouseClick(View.viewport(), Qt::LeftButton, {}, CellCentre(0, TSourceList::colDuration));
    EXPECT_EQ(View.viewport()->findChild<QTimeEdit*>(), nullptr);
}

TEST_F(SourceListViewTest, ReportsKeysClicksAndRowsDraggedOut)
{
    QSignalSpy down(&View, &TSourceListView::KeyDown);
    QSignalSpy up(&View, &TSourceListView::KeyUp);
    QSignalSpy clicked(&View, &TSourceListView::ListClicked);
    QSignalSpy out(&View, &TSourceListView::RowsDraggedOut);
    QTest::keyClick(&View, Qt::Key_Delete);
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down[0][0].toInt(), int(Qt::Key_Delete));
    EXPECT_EQ(up.count(), 1);
    QTest::mouseClick(View.viewport(), Qt::LeftButton, {}, CellCentre(2, TSourceList::colFileName));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(List.SelectedRows(), std::vector<int>{2});

    View.FinishRowDrag(View.viewport());
    EXPECT_EQ(out.count(), 0);
    QWidget elsewhere;
    View.FinishRowDrag(&elsewhere);
    View.FinishRowDrag(nullptr);
    EXPECT_EQ(out.count(), 2);
}

TEST(TimeEditDelegate, WritesTheEightCharacterTextOrNothing)
{
    EXPECT_EQ(TTimeEditDelegate::TimeToCellText(QTime(0, 0, 0)), "");
    EXPECT_EQ(TTimeEditDelegate::TimeToCellText(QTime(0, 0, 1)), "00:00:01");
    EXPECT_EQ(TTimeEditDelegate::TimeToCellText(QTime(23, 59, 59)), "23:59:59");
    EXPECT_EQ(TTimeEditDelegate::CellTextToTime("01:02:03"), QTime(1, 2, 3));
    EXPECT_EQ(TTimeEditDelegate::CellTextToTime(""), QTime(0, 0, 0));
    EXPECT_EQ(TTimeEditDelegate::CellTextToTime("100:00:00"), QTime(0, 0, 0));
}
