#include "ChoiceList.h"
#include "ControlModels.h"
#include "SourceList.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

TEST(ChoiceList, ASelectionOutsideTheItemsMeansNone)
{
    TChoiceList list;
    list.AddItems({"11", "15"});
    list.Select(1);
    EXPECT_EQ(list.SelectedIndex(), 1);
    EXPECT_EQ(list.SelectedText(), "15");
    for (int outside : {2, 12, -1, -7}) {
        list.Select(outside);
        EXPECT_EQ(list.SelectedIndex(), -1) << outside;
        EXPECT_EQ(list.SelectedText(), QString()) << outside;
    }
}

TEST(ChoiceList, FillingAppendsAndClearForgetsTheSelection)
{
    TChoiceList list;
    list.AddItems({"a"});
    list.AddItems({"b"});
    EXPECT_EQ(list.Items(), QStringList({"a", "b"}));
    list.Select(0);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.SelectedIndex(), -1);
}

TEST(ChoiceList, AnEditableListKeepsItsOwnText)
{
    TChoiceList box(true);
    box.AddItems({"Phone", "Tablet"});
    box.Select(1);
    EXPECT_EQ(box.Text(), "Tablet");
    box.SetText("Typed");
    EXPECT_EQ(box.SelectedIndex(), -1);
    EXPECT_EQ(box.Text(), "Typed");
    box.Select(-1);
    EXPECT_EQ(box.Text(), "Typed");
}

TEST(SourceList, RowsSelectionAndFocus)
{
    TSourceList rows;
    for (int i = 0; i < 5; ++i)
        rows.AppendRow(
            {"True", QStringLiteral("/c/%1.mp4").arg(i), "1 KB", "00:00:03", "00:00:00", "00:00:03", "00:00:03"});
    rows.SetCell(1, TSourceList::colCheck, "False");
    EXPECT_FALSE(rows.IsChecked(1));
    EXPECT_TRUE(rows.IsChecked(2));
    rows.SelectRow(3);
    rows.SelectRow(2);
    EXPECT_EQ(rows.SelectedRows(), (std::vector<int>{2, 3}));
    rows.SetFocusedRow(2);
    EXPECT_EQ(rows.FocusedRow(), 2);
    rows.RemoveRow(0);
    EXPECT_EQ(rows.SelectedRows(), (std::vector<int>{1, 2}));
    EXPECT_EQ(rows.Cell(0, TSourceList::colFileName), "/c/1.mp4");
    rows.ClearRows();
    EXPECT_EQ(rows.RowCount(), 0);
    EXPECT_TRUE(rows.SelectedRows().empty());
    EXPECT_EQ(rows.FocusedRow(), -1);
}

TEST(SourceList, TheViewSeesTheCheckColumnAsACheckState)
{
    TSourceList rows;
    rows.AppendRow({"True", "/c/a.mp4", "", "", "", "", ""});
    const QModelIndex check = rows.index(0, TSourceList::colCheck);
    EXPECT_EQ(rows.data(check, Qt::CheckStateRole).toInt(), Qt::Checked);
    ASSERT_TRUE(rows.setData(check, Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(rows.Cell(0, TSourceList::colCheck), "False");
    EXPECT_FALSE(rows.flags(rows.index(0, TSourceList::colFileName)) & Qt::ItemIsEditable);
    EXPECT_TRUE(rows.flags(rows.index(0, TSourceList::colStartTime)) & Qt::ItemIsEditable);
    EXPECT_EQ(rows.headerData(TSourceList::colCutTime, Qt::Horizontal).toString(), "Cut Time");
}

TEST(ControlModels, StartWithTheDesignValues)
{
    ResetDoubles();
    FakePlatform().SetHomeFolder("/home/ann");
    TControlModels models;
    EXPECT_EQ(models.edtOutputFolder.Text(), "/home/ann/Quorvid Convert Folder");
    EXPECT_TRUE(models.chkShowOutputDirectory.Checked());
    EXPECT_FALSE(models.chkShutdown.Checked());
    EXPECT_TRUE(models.cbbCustomProfile.Editable());
    EXPECT_FALSE(models.cbbVideoSize.Editable());
}
