#include "AppObjects.h"
#include "BitmapButton.h"
#include "ControlModels.h"
#include "InitFileForm.h"
#include "ProductInfo.h"
#include "QuorvidProgram.h"
#include "SourceListView.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"
#include "UnitCustomProc.h"
#include "Unit_Convert.h"
#include "Unit_Converting.h"
#include "Unit_Option.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <clocale>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Runs the real start-up of a program in a private copy of the program folder.
struct TStartedProgram
{
    std::unique_ptr<TTempProgramFolder> Folder;
    std::unique_ptr<TQuorvidProgram> Program;
    bool Terminated = false;
    qint64 StartUpMs = 0;

    explicit TStartedProgram(const QStringList& files)
    {
        std::setlocale(LC_NUMERIC, "C");
        Folder = std::make_unique<TTempProgramFolder>();
        Folder->CopyProgramFiles(files);
        FakePlatform().SetProcessScope(Folder->Path());
        FakePlatform().RealSleepCapMs = 300;
        Program = std::make_unique<TQuorvidProgram>(TMpvOutput{true, true});
        Program->FrmMainForm()->OnTerminate = [this] { Terminated = true; };
        QElapsedTimer clock;
        clock.start();
        Program->Show();
        // The splash is modal: start-up is over once it has gone and the lists are filled.
        while (clock.elapsed() < 15000) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
            if (CustomProc && !QApplication::activeModalWidget() &&
                (Program->Models.cbbOutputFiletype.Items().size() > 0 || Terminated))
                break;
        }
        StartUpMs = clock.elapsed();
    }

    ~TStartedProgram()
    {
        Program.reset();
        Folder.reset();
    }

    TFrmMainForm& Form() const { return *Program->FrmMainForm(); }
};

const QStringList cstProgramFiles = {"favc", "ravc", "rec.so", "use.so", "Help.html"};

// Sends a key as the user types it: to the focused control, or the window when none has focus.
void TypeKey(TFrmMainForm& form, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
    QTest::keyClick(target, key, modifiers);
}

void PickAsUser(QComboBox& box, const QString& text)
{
    const int index = box.findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(&box, Qt::Key_Down);
    ASSERT_EQ(box.currentText(), text);
}

void DropFiles(QWidget& target, const QStringList& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    const QPointF at(300, 100);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
}

} // namespace

// The whole program as a user meets it: start, drop, pick, Ctrl+S, close.
TEST(MainFormE2ETest, StartsConvertsDroppedFilesAndSavesTheSettingsOnClose)
{
    ResetDoubles();
    TStartedProgram started(cstProgramFiles);
    TFrmMainForm& form = started.Form();
    ASSERT_FALSE(started.Terminated);
    EXPECT_GE(started.StartUpMs, 2000);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Quorvid 1.4"));
    EXPECT_EQ(form.lblTitle->text(), QStringLiteral("Quorvid 1.4"));
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(FakeDialogs().Calls.size(), 0u);

    const QString output = started.Folder->Home() + QStringLiteral("Quorvid Convert Folder");
    EXPECT_EQ(form.edtOutputFolder->text(), output);
    DropFiles(form, {TestMediaFolder() + "clip.mp4", TestMediaFolder() + "clip.avi"});
    ASSERT_EQ(started.Program->Models.dxTreeSourceFileInfo.RowCount(), 2);

    PickAsUser(*form.cbbOutputFiletype, QStringLiteral("3GPP2 - amr_nb Codec (*.3g2)"));
    PickAsUser(*form.cbbProfile, QStringLiteral("Low Quality"));
    form.dxTreeSourceFileInfo->setFocus();
    // While the run holds the main window, the progress window's Stop stays usable.
    int pausesWithProgress = 0, pausesWithStopUsable = 0;
    FakePlatform().OnSleep = [&](int) {
        const TfrmConverting* progress = started.Program->frmConverting();
        if (!progress->isVisible() || form.isEnabled())
            return;
        ++pausesWithProgress;
        if (progress->isEnabled() && progress->btnStop->isEnabled())
            ++pausesWithStopUsable;
    };
    TypeKey(form, Qt::Key_S, Qt::ControlModifier);
    FakePlatform().OnSleep = nullptr;
    EXPECT_GT(pausesWithProgress, 0);
    EXPECT_EQ(pausesWithStopUsable, pausesWithProgress);

    const QStringList outputs = QDir(output).entryList({"*.3g2"}, QDir::Files, QDir::Name);
    ASSERT_EQ(outputs, QStringList({"clip.3g2", "clip_1.3g2"})) << outputs.join(", ").toStdString();
    for (const QString& name : outputs) {
        const QByteArray bytes = ReadFileBytes(output + "/" + name);
        EXPECT_GT(bytes.size(), 1000) << name.toStdString();
        EXPECT_EQ(bytes.mid(4, 4), QByteArray("ftyp")) << name.toStdString();
    }
    EXPECT_TRUE(form.isEnabled());

    form.close();
    EXPECT_EQ(FakePlatform().ExitCodes, std::vector<int>{0});
    EXPECT_EQ(ReadFileBytes(started.Folder->ConfigPath() + "UserSettings.ini"),
              ("\r\n[USRInfo]\r\nSHWDDir=0\r\nSHUTDOWN=0\r\nOutDir=" + output + "\r\n").toUtf8());
}

TEST(MainFormE2ETest, ASettingsFileThatCannotBeWrittenIsReportedAndTheProgramStillEnds)
{
    ResetDoubles();
    TStartedProgram started(cstProgramFiles);
    ASSERT_FALSE(started.Terminated);
    QDir(started.Folder->ConfigPath()).removeRecursively();
    started.Form().close();
    EXPECT_EQ(FakeDialogs().CountOf("error"), 1);
    EXPECT_EQ(FakePlatform().ExitCodes, std::vector<int>{0});
}

// A missing companion: exactly one message naming it, and the window never becomes usable.
class MissingCompanionTest : public ::testing::TestWithParam<QString>
{
};

TEST_P(MissingCompanionTest, OneMessageNamesItAndTheProgramEnds)
{
    ResetDoubles();
    QStringList files = cstProgramFiles;
    files.removeAll(GetParam());
    TStartedProgram started(files);
    ASSERT_EQ(FakeDialogs().Calls.size(), 1u);
    EXPECT_EQ(FakeDialogs().Calls[0].Kind, "prompt");
    EXPECT_EQ(FakeDialogs().Calls[0].Text, "'" + GetParam() + "' is not found. Please reinstall this program.");
    EXPECT_EQ(FakeDialogs().Calls[0].Type, 1);
    EXPECT_TRUE(started.Terminated);
    EXPECT_FALSE(started.Form().isEnabled());
    EXPECT_FALSE(started.Form().isVisible());
}

INSTANTIATE_TEST_SUITE_P(Companions, MissingCompanionTest, ::testing::Values("use.so", "rec.so"));

// The keyboard table on one started program.
class ShortcutTest : public ::testing::Test
{
public:
    static void SetUpTestSuite()
    {
        ResetDoubles();
        Started = new TStartedProgram(cstProgramFiles);
    }
    static void TearDownTestSuite()
    {
        delete Started;
        Started = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(Started && !Started->Terminated);
        FakeDialogs().Calls.clear();
        FakePlatform().OpenedUrls.clear();
        Started->Program->frmOption()->hide();
    }
    static TStartedProgram* Started;
};
TStartedProgram* ShortcutTest::Started = nullptr;

TEST_F(ShortcutTest, EachKeyRunsItsCommandAndOnlyWithTheRightModifiers)
{
    TFrmMainForm& form = Started->Form();
    const QString help = Started->Folder->Path() + "Help.html";
    const struct
    {
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        QString DialogKind; // the dialog the command opens, empty: none
        QString Url;        // the address it opens, empty: none
        bool Options;       // whether the Options dialog shows
    } cases[] = {
        {Qt::Key_S, Qt::ControlModifier, "message", "", false}, // Convert with an empty list
        {Qt::Key_N, Qt::ControlModifier, "message", "", false}, // Convert, not Options
        {Qt::Key_I, Qt::ControlModifier, "", "", true},
        {Qt::Key_O, Qt::ControlModifier, "open", "", false},
        {Qt::Key_B, Qt::ControlModifier, "folder", "", false}, // its button is hidden
        {Qt::Key_F1, Qt::NoModifier, "", help, false},
        {Qt::Key_F1, Qt::ShiftModifier, "", help, false},
        {Qt::Key_F1, Qt::ControlModifier | Qt::AltModifier, "", help, false},
        {Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, "", "", false},
        {Qt::Key_O, Qt::ControlModifier | Qt::AltModifier, "", "", false},
        {Qt::Key_S, Qt::NoModifier, "", "", false},
        {Qt::Key_I, Qt::AltModifier, "", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QTest::toString(QKeySequence(c.Modifiers | c.Key).toString()));
        FakeDialogs().Calls.clear();
        FakePlatform().OpenedUrls.clear();
        Started->Program->frmOption()->hide();
        form.dxTreeSourceFileInfo->setFocus();
        TypeKey(form, c.Key, c.Modifiers);
        QApplication::processEvents();
        if (c.DialogKind.isEmpty()) {
            EXPECT_EQ(FakeDialogs().Calls.size(), 0u);
        } else {
            ASSERT_EQ(FakeDialogs().Calls.size(), 1u);
            EXPECT_EQ(FakeDialogs().Calls[0].Kind, c.DialogKind);
        }
        EXPECT_EQ(FakePlatform().OpenedUrls, c.Url.isEmpty() ? QStringList() : QStringList{c.Url});
        EXPECT_EQ(Started->Program->frmOption()->isVisible(), c.Options);
    }
}

TEST_F(ShortcutTest, KeysAreNotConsumedAndTheFocusedControlGetsThemToo)
{
    TFrmMainForm& form = Started->Form();
    struct TKeySpy : QObject
    {
        int Keys = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            Keys += event->type() == QEvent::KeyPress;
            return false;
        }
    } spy;
    form.dxTreeSourceFileInfo->setFocus();
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
    target->installEventFilter(&spy);
    TypeKey(form, Qt::Key_F1, Qt::NoModifier);
    target->removeEventFilter(&spy);
    EXPECT_EQ(spy.Keys, 1);
    EXPECT_EQ(FakePlatform().OpenedUrls.size(), 1);
}

TEST_F(ShortcutTest, HintsReadAsDesigned)
{
    TFrmMainForm& form = Started->Form();
    EXPECT_EQ(form.btnOptions->toolTip(), "Ctrl + N");
    EXPECT_EQ(form.RzBmpButton1->toolTip(), "Ctrl + N");
    EXPECT_EQ(form.btnSelectOutputFolder->toolTip(), "Ctrl + B");
    EXPECT_TRUE(form.btnSelectOutputFolder->isHidden());
    EXPECT_EQ(form.btnHelp->toolTip(), "Help (F1)");
    EXPECT_TRUE(form.btnHelp->isHidden());
    EXPECT_EQ(form.btnConvert->toolTip(), "Ctrl + S");
    EXPECT_TRUE(form.edtOutputFolder->isReadOnly());
}

TEST_F(ShortcutTest, TheListGrowsWithTheWindowAndTheMinimumHolds)
{
    TFrmMainForm& form = Started->Form();
    EXPECT_EQ(form.size(), QSize(686, 519));
    const QRect before = form.dxTreeSourceFileInfo->geometry();
    const QPoint convert = form.btnConvert->pos();
    form.resize(800, 600);
    QApplication::processEvents();
    EXPECT_EQ(form.dxTreeSourceFileInfo->geometry(), before.adjusted(0, 0, 114, 81));
    EXPECT_EQ(form.btnConvert->pos(), convert);
    form.resize(500, 300);
    QApplication::processEvents();
    EXPECT_EQ(form.size(), QSize(686, 519));
}

// The folder command's probe and its warnings.
class OutputFolderTest : public ShortcutTest
{
};

TEST_F(OutputFolderTest, AFolderOfTheUsersNamedTestSurvivesTheProbe)
{
    const QString chosen = Started->Folder->MakeFolder("chosen");
    QDir().mkpath(chosen + "test");
    WriteFileBytes(chosen + "test/keep.txt", "mine");
    EXPECT_EQ(TFrmMainForm::ChooseOutputFolder("/nowhere-current", chosen.chopped(1)), chosen.chopped(1));
    EXPECT_TRUE(QFileInfo::exists(chosen + "test/keep.txt"));
    const QString fresh = Started->Folder->MakeFolder("fresh");
    EXPECT_EQ(TFrmMainForm::ChooseOutputFolder("/nowhere-current", fresh.chopped(1)), fresh.chopped(1));
    EXPECT_FALSE(QFileInfo::exists(fresh + "test"));
    EXPECT_EQ(FakeDialogs().Calls.size(), 0u);
}

TEST_F(OutputFolderTest, InvalidAndReadOnlyChoicesKeepTheCurrentFolder)
{
    const QString current = Started->Folder->Path() + "current-out";
    // A folder on a read-only file system: permissions alone would not stop root.
    const QString readOnly = QStringLiteral("/proc/");
    const QString withBreak = Started->Folder->MakeFolder("two\nlines");
    const struct
    {
        QString Chosen;
        QString Message;
    } cases[] = {
        {"/no/such/folder", "The path is invalid."},
        {withBreak.chopped(1), "The path is invalid."},
        {readOnly.chopped(1), "This is a read-only path."},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Chosen.toStdString());
        FakeDialogs().Calls.clear();
        QDir(current).removeRecursively();
        EXPECT_EQ(TFrmMainForm::ChooseOutputFolder(current, c.Chosen), current);
        // The kept folder is made when it is missing.
        EXPECT_TRUE(QFileInfo(current).isDir());
        if (c.Message.isEmpty()) {
            EXPECT_EQ(FakeDialogs().Calls.size(), 0u);
        } else {
            ASSERT_EQ(FakeDialogs().Calls.size(), 1u);
            EXPECT_EQ(FakeDialogs().Calls[0].Text, c.Message);
        }
    }
}
