#include "DropHandler.h"
#include "Errors.h"
#include "InitFileForm.h"
#include "OpenCommand.h"
#include "SourceFiles.h"
#include "SourceListBinding.h"
#include "SourceListView.h"
#include "SourcesFixture.h"

#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimeEdit>
#include <QUrl>

namespace {

// Sends a drag over the widget and drops it there; true when the drop was taken.
bool DropOn(QWidget* target, const QMimeData& data)
{
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

} // namespace

class SourcesWidgetsTest : public SourcesFixture
{
public:
    void SetUp() override
    {
        SourcesFixture::SetUp();
        View = std::make_unique<TSourceListView>();
        View->SetSourceList(&List());
        BindSourceListView(*View);
        Drops.Install(View.get());
        View->resize(539, 127);
        View->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(View.get()));
    }
    void TearDown() override
    {
        View.reset();
        SourcesFixture::TearDown();
    }

    std::unique_ptr<TSourceListView> View;
    TSourceFileDropHandler Drops;
};

TEST_F(SourcesWidgetsTest, DroppedFilesGoStraightToTheList)
{
    // A long path stays whole (no 254-character cut).
    QString deep = Work;
    while (deep.size() < 300)
        deep = Program->MakeFolder(deep.mid(Work.size()) + QString(40, QLatin1Char('d')));
    const QString longPath = deep + "clip.mp4";
    ASSERT_TRUE(QFile::copy(TestMediaFolder() + "clip.mp4", longPath));
    const QString avi = TestMediaFolder() + "clip.avi";

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(longPath), QUrl::fromLocalFile(avi), QUrl("https://example.org/x.mp4")});
    EXPECT_TRUE(DropOn(View->viewport(), files));
    EXPECT_EQ(Names(), (QStringList{longPath, avi}));
    EXPECT_EQ(Hooks, QStringList{"sync"});
    EXPECT_EQ(FakeDialogs().Calls.size(), 0u);

    // A text is not a file: the list stays as it is.
    QMimeData text;
    text.setText(TestMediaFolder() + "clip.mov");
    DropOn(View->viewport(), text);
    EXPECT_EQ(List().RowCount(), 2);
}

TEST_F(SourcesWidgetsTest, EditingAStartTimeCorrectsTheSelectedRows)
{
    AddRow(1);
    AddRow(2);
    List().SelectRow(1);
    const QPoint cell = View->visualRect(List().index(0, TSourceList::colStartTime)).center();
    QTest::mouseClick(View->viewport(), Qt::LeftButton, Qt::ControlModifier, cell);
    ASSERT_EQ(List().SelectedRows(), (std::vector<int>{0, 1}));
    // Only the first row is edited; both selected rows are corrected.
    View->edit(List().index(0, TSourceList::colStartTime));
    auto* editor = View->viewport()->findChild<QTimeEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setTime(QTime(0, 2, 30));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(List().Cell(0, TSourceList::colCutTime), QString("00:00:00"));
    EXPECT_EQ(RowText(0), "True|/m/1.mp4|1 MB|00:02:00|00:02:00|00:02:00|00:00:00");
    EXPECT_EQ(RowText(1), "True|/m/2.mp4|1 MB|00:02:00|00:00:00|00:02:00|00:02:00");
}

TEST_F(SourcesWidgetsTest, DeleteKeyAndDraggingOutRemoveRows)
{
    for (int n = 1; n <= 4; ++n)
        AddRow(n);
    List().SelectRow(3);
    List().SetFocusedRow(3);
    View->setFocus();
    QTest::keyClick(View.get(), Qt::Key_Delete);
    EXPECT_EQ(Names(), (QStringList{"/m/1.mp4", "/m/2.mp4", "/m/3.mp4"}));
    EXPECT_EQ(List().SelectedRows(), std::vector<int>{2});
    EXPECT_EQ(Hooks.first(), "sync");
    EXPECT_TRUE(Hooks.contains("stop"));

    View->FinishRowDrag(nullptr);
    EXPECT_EQ(Names(), (QStringList{"/m/1.mp4", "/m/2.mp4"}));
}

TEST_F(SourcesWidgetsTest, BusyWindowTurnsItsBar)
{
    TFrmInitFileForm form;
    EXPECT_EQ(form.size(), QSize(273, 45));
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form.lblInfo()->text(), "Reading file information...");
    EXPECT_TRUE(form.lblInfo()->font().bold());
    EXPECT_EQ(form.Timer1().interval(), 1000);
    EXPECT_EQ(form.Timer2().interval(), 300);
    EXPECT_TRUE(form.Timer2().isSingleShot());
    form.FormShow();
    QStringList seen;
    for (int i = 0; i < 5; ++i) {
        form.Timer1Timer();
        seen << form.lblInfo()->text();
    }
    EXPECT_EQ(seen, (QStringList{"Installing File...  /", "Installing File...  -", "Installing File...  \\",
                                 "Installing File...  |", "Installing File...  /"}));
    form.Timer1().stop();
    form.Timer2().stop();
}

TEST_F(SourcesWidgetsTest, OpenCommandAddsTheChosenFilesThroughTheBusyWindow)
{
    const QString mp4 = TestMediaFolder() + "clip.mp4";
    const QString flv = TestMediaFolder() + "clip.flv";
    FakeDialogs().OpenAnswers.push_back({mp4, flv, mp4});
    TFrmInitFileForm form(View.get());
    TOpenSourceFilesCommand open(form);
    QSignalSpy finished(&form, &QDialog::finished);
    open.Run();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Timer1().isActive());
    EXPECT_EQ(Names(), (QStringList{mp4, flv}));
    EXPECT_EQ(FakeDialogs().LastOpenFilter, SourceFileFilter());
    EXPECT_EQ(FakeDialogs().LastOpenFolder, Program->Home());
    EXPECT_EQ(CustomProc->ReadInitialFolder(), TestMediaFolder());

    // Cancelled: the busy window still shows, and the first row joins the selection again.
    List().ClearSelection();
    Hooks.clear();
    open.Run();
    EXPECT_EQ(finished.count(), 2);
    EXPECT_EQ(FakeDialogs().LastOpenFolder, TestMediaFolder());
    EXPECT_EQ(List().SelectedRows(), std::vector<int>{0});
    EXPECT_EQ(Hooks, QStringList{"sync"});
}

TEST_F(SourcesWidgetsTest, BusyWindowClosesWhenAddingFails)
{
    // An error while adding still closes the window and reaches the general handler.
    TFrmInitFileForm form(View.get());
    CustomProc->OnSyncSelection = [] { throw EFileError("sync failed"); };
    form.SetFiles({TestMediaFolder() + "clip.mp4"}, QString());
    QSignalSpy finished(&form, &QDialog::finished);
    form.exec();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(FakeDialogs().CountOf("error"), 1);
}
