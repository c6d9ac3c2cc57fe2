#include "AppObjects.h"
#include "ControlModels.h"
#include "ConvertingProgress.h"
#include "EngineTestSupport.h"
#include "StrFunc.h"
#include "SysFunc.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"
#include "Unit_ConfigInfo.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

namespace {

void Fill(TChoiceList& list, const QStringList& optionList, int selected = -1)
{
    list.AddItems(optionList.mid(0, optionList.size() - 1));
    list.Select(selected >= 0 ? selected : StrToInt(optionList.last()));
}

// Seconds of media in a file as ffprobe reads it; negative when it is no valid media file.
double MediaSeconds(const QString& path)
{
    QProcess probe;
    probe.start("ffprobe", {"-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", path});
    if (!probe.waitForFinished(30000) || probe.exitCode() != 0)
        return -1;
    bool ok = false;
    const double seconds = QString::fromUtf8(probe.readAllStandardOutput()).trimmed().toDouble(&ok);
    return ok ? seconds : -1;
}

} // namespace

// The real encoder on generated media, in a private program folder whose own Config/ never
// has the shutdown switch on. Pauses are shortened but real, so the encoder can work.
class BatchRunE2ETest : public ::testing::Test
{
public:
    void SetUp() override
    {
        ResetDoubles();
        Program = std::make_unique<TTempProgramFolder>();
        Program->CopyProgramFiles({"favc", "ravc"});
        ASSERT_TRUE(QFileInfo(Program->Path() + "favc").isExecutable()) << "favc has not been built";
        P = Program->Path();
        O = Program->MakeFolder("Quorvid Convert Folder");
        FakePlatform().SetProcessScope(P);
        FakePlatform().RealSleepCapMs = 300;
        Models = std::make_unique<TControlModels>();
        Objects = std::make_unique<TAppObjects>(*Models);
        Progress = std::make_unique<TConvertingProgress>();
        CustomProc->frmConverting = Progress.get();
        QObject::connect(Progress.get(), &TConvertingProgress::Changed,
                         [this] { MaxFileBar = std::max(MaxFileBar, Progress->ProgressBar1.Position); });
        Fill(Models->cbbOutputFiletype, GetOutputTypeList(), 0);
        Fill(Models->cbbVideoSize, GetVideoSizeList());
        Fill(Models->cbbVideoBitrate, GetVideoBitrateList());
        Fill(Models->cbbFramerate, GetFrameRateList());
        Fill(Models->cbbAspectratio, GetAspectRatioList());
        Fill(Models->cbbAudioBitrate, GetAudioBitrateList());
        Fill(Models->cbbAudioVolumeGain, GetAudioVolumeList());
        Fill(Models->cbbAudioChannels, GetAudioChannelList());
        Fill(Models->cbbAudioSample, GetAudioSampleList());
        Models->edtOutputFolder.SetText(O);
        Models->chkShutdown.SetChecked(false);
    }

    void TearDown() override
    {
        Progress.reset();
        Objects.reset();
    }

    void AddRow(const QString& path, const QString& length, bool checked = true)
    {
        Models->dxTreeSourceFileInfo.AppendRow(
            {checked ? "True" : "False", path, "1 MB", length, "00:00:00", length, length});
    }

    bool NoEncoderWithin(int ms)
    {
        QElapsedTimer t;
        t.start();
        while (SysFunc->IsProcessRunning("favc") != 0) {
            if (t.elapsed() > ms)
                return false;
            QThread::msleep(20);
        }
        return true;
    }

    int MessageCount() const { return FakeDialogs().CountOf("message"); }

    std::unique_ptr<TTempProgramFolder> Program;
    QString P, O;
    std::unique_ptr<TControlModels> Models;
    std::unique_ptr<TAppObjects> Objects;
    std::unique_ptr<TConvertingProgress> Progress;
    int MaxFileBar = 0;
};

TEST_F(BatchRunE2ETest, ConvertsTheCheckedRowsWithTheRealEncoder)
{
    const QString media = TestMediaFolder();
    AddRow(media + "clip.mp4", "00:00:03");
    AddRow(media + "clip.avi", "00:00:03", false);
    AddRow(media + "eight-seconds.mp4", "00:00:08");
    // A large picture keeps the encoder busy long enough for progress lines between the first and the last.
    Models->cbbVideoSize.Select(9);
    ASSERT_TRUE(CustomProc->ConvertCheckedFiles());

    EXPECT_EQ(CustomProc->CheckedCount, 2);
    EXPECT_EQ(CustomProc->DoneCount, 2);
    EXPECT_EQ(LogLinesContaining(P + "log.txt", "|parameter: "), 2);
    EXPECT_NEAR(MediaSeconds(O + "clip.mp4"), 3.0, 0.3);
    EXPECT_NEAR(MediaSeconds(O + "eight-seconds.mp4"), 8.0, 0.3);
    EXPECT_FALSE(QFileInfo::exists(O + "clip.avi"));
    EXPECT_GT(MaxFileBar, 0);
    EXPECT_EQ(FakePlatform().OpenedUrls, QStringList({O}));
    EXPECT_EQ(FakePlatform().PowerOffCount, 0);
    EXPECT_EQ(MessageCount(), 0);
    EXPECT_TRUE(Models->MainFormEnabled.Checked());
}

TEST_F(BatchRunE2ETest, StopMidFileKillsTheEncoderAndTheNextRunWorks)
{
    // Long enough to still be converting when the driver first looks for it.
    const QString longClip = Program->MakeFolder("media") + "long.mp4";
    QProcess make;
    make.start("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=duration=40:size=640x480:rate=25", "-f",
                          "lavfi", "-i", "sine=duration=40", "-c:v", "mpeg4", "-q:v", "8", "-c:a", "aac", longClip});
    ASSERT_TRUE(make.waitForFinished(120000));
    ASSERT_EQ(make.exitCode(), 0);
    AddRow(longClip, "00:00:40");
    AddRow(TestMediaFolder() + "half-second.mp4", "00:00:01");
    Models->cbbVideoSize.Select(9);

    bool stopped = false, encoderWasRunning = false, gone = false;
    FakePlatform().OnSleep = [&](int ms) {
        if (ms != 100 || stopped)
            return;
        stopped = true;
        encoderWasRunning = SysFunc->IsProcessRunning("favc") != 0;
        FakeDialogs().YesNoAnswers = {idYes};
        Progress->btnStop1Click();
        gone = NoEncoderWithin(2000);
    };
    ASSERT_TRUE(CustomProc->ConvertCheckedFiles());
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(encoderWasRunning);
    EXPECT_TRUE(gone);
    EXPECT_EQ(CustomProc->DoneCount, 1);
    EXPECT_TRUE(FakePlatform().OpenedUrls.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(O + "long.mp4"));
    EXPECT_FALSE(QFileInfo::exists(O + "half-second.mp4"));
    // Ended by Stop: not a failure.
    EXPECT_EQ(MessageCount(), 0);

    FakePlatform().OnSleep = nullptr;
    Models->dxTreeSourceFileInfo.SetCell(0, TSourceList::colCheck, "False");
    Models->cbbVideoSize.Select(1);
    ASSERT_TRUE(CustomProc->ConvertCheckedFiles());
    EXPECT_EQ(CustomProc->DoneCount, 1);
    EXPECT_GT(MediaSeconds(O + "half-second.mp4"), 0.3);
    EXPECT_EQ(FakePlatform().OpenedUrls, QStringList({O}));
}

TEST_F(BatchRunE2ETest, ACorruptSourceIsNamedAndTheOthersConvert)
{
    const QString media = TestMediaFolder();
    AddRow(media + "clip.mp4", "00:00:03");
    AddRow(media + "random-bytes.avi", "00:00:03");
    AddRow(media + "half-second.mp4", "00:00:01");
    ASSERT_TRUE(CustomProc->ConvertCheckedFiles());
    EXPECT_EQ(CustomProc->DoneCount, 3);
    EXPECT_GT(MediaSeconds(O + "clip.mp4"), 2.5);
    EXPECT_GT(MediaSeconds(O + "half-second.mp4"), 0.3);
    ASSERT_EQ(MessageCount(), 1);
    const QString text = FakeDialogs().Calls.back().Text;
    EXPECT_TRUE(text.startsWith("These files were not converted:\n" + media +
                                "random-bytes.avi (the encoder ended "
                                "with exit status "))
        << text.toStdString();
    EXPECT_FALSE(text.contains("clip.mp4"));
    EXPECT_EQ(LogLinesContaining(P + "log.txt", "|Convert failed: " + media + "random-bytes.avi"), 1);
}
