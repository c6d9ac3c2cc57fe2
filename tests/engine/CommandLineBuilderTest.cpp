#include "AppObjects.h"
#include "CommandLine.h"
#include "ControlModels.h"
#include "Errors.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"
#include "Unit_ConfigInfo.h"

#include <QDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

void Fill(TChoiceList& list, const QStringList& optionList, int selected)
{
    list.AddItems(optionList.mid(0, optionList.size() - 1));
    list.Select(selected);
}

} // namespace

class BuilderTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        Objects.reset();
        ResetDoubles();
        Program = std::make_unique<TTempProgramFolder>();
        P = Program->Path();
        O = Program->MakeFolder("Quorvid Convert Folder");
        Models = std::make_unique<TControlModels>();
        Objects = std::make_unique<TAppObjects>(*Models);
        Fill(Models->cbbOutputFiletype, GetOutputTypeList(), 0);
        Fill(Models->cbbVideoSize, GetVideoSizeList(), 1);
        Fill(Models->cbbVideoBitrate, GetVideoBitrateList(), 2);
        Fill(Models->cbbFramerate, GetFrameRateList(), 1);
        Fill(Models->cbbAspectratio, GetAspectRatioList(), 0);
        Fill(Models->cbbAudioBitrate, GetAudioBitrateList(), 5);
        Fill(Models->cbbAudioVolumeGain, GetAudioVolumeList(), 8);
        Fill(Models->cbbAudioChannels, GetAudioChannelList(), 1);
        Fill(Models->cbbAudioSample, GetAudioSampleList(), 2);
        Models->edtOutputFolder.SetText(O);
    }

    void AddRow(const QString& path, const QString& start, const QString& end)
    {
        Models->dxTreeSourceFileInfo.AppendRow({"True", path, "1 MB", end, start, end, end});
    }

    QString Log() const { return QString::fromUtf8(ReadFileBytes(P + "log.txt")); }

    std::unique_ptr<TTempProgramFolder> Program;
    QString P, O;
    std::unique_ptr<TControlModels> Models;
    std::unique_ptr<TAppObjects> Objects;
};

TEST_F(BuilderTest, TheFiveOutputTypesGiveTheirLines)
{
    const QString source = "/home/u/Clips/party.wmv";
    AddRow(source, "00:00:00", "00:01:35");
    const QString in = " -y -i \"" + source + "\"";
    const QString video = " -b 128 -s 160x120 -r 15 -aspect 4:3 -ab 128 -vol 200 -ac 2 -ar 44100";
    const QString amr = " -acodec amr_nb -s 160x120 -b 128 -ab 128 -vol 200 -ac 1 -ar 8000";
    const QString trim = " -ss 00:00:00 -t 95";
    const QString expected[cstOutputTypeCount] = {
        P + "favc" + in + " -vcodec mpeg4 -acodec aac" + video + trim + " \"" + O + "party.mp4\"",
        P + "favc" + in + " -vcodec mpeg4 -acodec aac" + video + " -f 3gp" + trim + " \"" + O + "party.3gp\"",
        P + "favc" + in + amr + " -f 3gp" + trim + " \"" + O + "party.3gp\"",
        P + "favc" + in + " -vcodec mpeg4 -acodec aac" + video + " -f 3g2" + trim + " \"" + O + "party.3g2\"",
        P + "favc" + in + amr + " -f 3g2" + trim + " \"" + O + "party.3g2\"",
    };
    for (int row = 0; row < cstOutputTypeCount; ++row) {
        Models->cbbOutputFiletype.Select(row);
        EXPECT_EQ(CommonLib->CreateConvertParameter(source), expected[row]) << row;
    }
    EXPECT_EQ(CustomProc->StartTime, "00:00:00");
    EXPECT_EQ(CustomProc->CutSeconds, "95");
    const TConvertParameterStruct& p = CommonLib->ConvertParameter;
    EXPECT_EQ(p.EncoderPath, P + "favc");
    EXPECT_EQ(p.FiletypeCodec, " -acodec amr_nb");
    EXPECT_EQ(p.OutputFolder, O);
    EXPECT_EQ(p.OutputBaseName, "party");
    EXPECT_EQ(p.OutputExt, ".3g2");
    EXPECT_EQ(p.Spare, QString());
    EXPECT_EQ(ReadFileBytes(P + "VideoFile.avs"),
              QByteArray("DirectShowSource(\"/home/u/Clips/party.wmv\", fps=29.9700898503294, convertfps=true)\r\n"));
    EXPECT_EQ(Log().count("|Output directory " + O + "\r\n"), 5);
}

TEST_F(BuilderTest, TrimTimesBecomeStartAndLength)
{
    AddRow("/c/party.wmv", "00:00:10", "00:00:40");
    const QString line = CommonLib->CreateConvertParameter("/c/party.wmv");
    EXPECT_TRUE(line.endsWith(" -ar 44100 -ss 00:00:10 -t 30 \"" + O + "party.mp4\"")) << line.toStdString();
    EXPECT_EQ(CustomProc->CutSeconds, "30");
}

TEST_F(BuilderTest, RealMediaGoesThroughTheScript)
{
    AddRow("/c/show.rmvb", "00:00:00", "00:01:35");
    const QString line = CommonLib->CreateConvertParameter("/c/show.rmvb");
    EXPECT_EQ(line, P + "ravc -y -i \"" + P +
                        "VideoFile.avs\" -vcodec mpeg4 -acodec aac -b 128 -s 160x120 -r 15 -aspect 4:3 -ab 128 -vol "
                        "200 -ac 2 -ar 44100 -ss 00:00:00 -t 95 \"" +
                        O + "show.mp4\"");
    EXPECT_EQ(ReadFileBytes(P + "VideoFile.avs"),
              QByteArray("DirectShowSource(\"/c/show.rmvb\", fps=29.9700898503294, convertfps=true)\r\n"));
}

TEST_F(BuilderTest, OnlyLowerCaseRealMediaExtensionsPickTheSecondEncoder)
{
    AddRow("/c/show.RM", "00:00:00", "00:00:05");
    const QString line = CommonLib->CreateConvertParameter("/c/show.RM");
    EXPECT_TRUE(line.startsWith(P + "favc -y -i \"/c/show.RM\""));
    EXPECT_EQ(ReadFileBytes(P + "VideoFile.avs"),
              QByteArray("DirectShowSource(\"/c/show.RM\", fps=29.9700898503294, convertfps=true)\r\n"));
}

TEST_F(BuilderTest, EdgeCasesOfTheLine)
{
    struct TCase
    {
        const char* Name;
        std::function<void(BuilderTest&)> Prepare;
        QString Source;
        QString Contains;
    };
    const TCase cases[] = {
        {"source without a point", [](BuilderTest& t) { t.AddRow("/c/README", "00:00:00", "00:00:05"); }, "/c/README",
         "-t 5 \"%O.mp4\""},
        {"end before start passes a negative length",
         [](BuilderTest& t) { t.AddRow("/c/a.mp4", "00:00:10", "00:00:05"); }, "/c/a.mp4", " -ss 00:00:10 -t -5 "},
        {"volume without selection leaves a lone blank",
         [](BuilderTest& t) {
             t.AddRow("/c/a.mp4", "00:00:00", "00:00:05");
             t.Models->cbbAudioVolumeGain.Select(-1);
         },
         "/c/a.mp4", " -ab 128  -ac 2 "},
        {"lists without selection give their defaults",
         [](BuilderTest& t) {
             t.AddRow("/c/a.mp4", "00:00:00", "00:00:05");
             for (TChoiceList* l : {&t.Models->cbbVideoBitrate, &t.Models->cbbVideoSize, &t.Models->cbbFramerate,
                                    &t.Models->cbbAspectratio, &t.Models->cbbAudioBitrate, &t.Models->cbbAudioChannels,
                                    &t.Models->cbbAudioSample})
                 l->Select(12);
         },
         "/c/a.mp4", " -b 512 -s 320x240 -r 25 -aspect 4:3 -ab 64 -vol 200 -ac 2 -ar 44100 "},
        {"a file with the same base name moves the output to _1",
         [](BuilderTest& t) {
             t.AddRow("/c/party.wmv", "00:00:00", "00:00:05");
             WriteFileBytes(t.O + "party.avi", "x");
         },
         "/c/party.wmv", "\"%Oparty_1.mp4\""},
        {"no matching row gives no trim range",
         [](BuilderTest& t) { t.AddRow("/c/other.mp4", "00:00:00", "00:00:05"); }, "/c/a.mp4",
         " -ar 44100 \"%Oa.mp4\""},
    };
    for (const auto& c : cases) {
        SetUp();
        c.Prepare(*this);
        const QString line = CommonLib->CreateConvertParameter(c.Source);
        QString wanted = c.Contains;
        wanted.replace("%O", O);
        EXPECT_TRUE(line.contains(wanted)) << c.Name << ": " << line.toStdString();
    }
}

TEST_F(BuilderTest, RowsMatchTheExactPath)
{
    AddRow("/a/Clip.mp4", "00:00:01", "00:00:09");
    AddRow("/a/clip.mp4", "00:00:02", "00:00:04");
    CommonLib->CreateConvertParameter("/a/Clip.mp4");
    EXPECT_EQ(CustomProc->StartTime, "00:00:01");
    EXPECT_EQ(CustomProc->CutSeconds, "8");
    CommonLib->CreateConvertParameter("/a/clip.mp4");
    EXPECT_EQ(CustomProc->StartTime, "00:00:02");
    EXPECT_EQ(CustomProc->CutSeconds, "2");
}

TEST_F(BuilderTest, TheLastOfEqualRowsCountsAndOddTimesCountAsZero)
{
    AddRow("/a/x.mp4", "00:00:01", "00:00:09");
    AddRow("/a/x.mp4", "00:00:03", "1:00");
    CommonLib->CreateConvertParameter("/a/x.mp4");
    EXPECT_EQ(CustomProc->StartTime, "00:00:03");
    EXPECT_EQ(CustomProc->CutSeconds, "-3");
}

TEST_F(BuilderTest, AnOutputFolderGetsItsSeparatorAndIsCreated)
{
    const QString folder = Program->MakeFolder("base") + "new sub/deeper";
    Models->edtOutputFolder.SetText(folder);
    AddRow("/c/a.mp4", "00:00:00", "00:00:05");
    const QString line = CommonLib->CreateConvertParameter("/c/a.mp4");
    EXPECT_TRUE(line.endsWith(" \"" + folder + "/a.mp4\""));
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_TRUE(Log().endsWith("|Output directory " + folder + "/\r\n"));
}

TEST_F(BuilderTest, AMalformedTimeStopsTheBuildAndChangesNothing)
{
    AddRow("/c/good.mp4", "00:00:00", "00:00:05");
    CommonLib->CreateConvertParameter("/c/good.mp4");
    const QString logBefore = Log();
    const TConvertParameterStruct before = CommonLib->ConvertParameter;
    AddRow("/c/bad.mp4", "00:0x:10", "00:00:20");
    EXPECT_THROW(CommonLib->CreateConvertParameter("/c/bad.mp4"), EConvertError);
    EXPECT_EQ(CommonLib->ConvertParameter.InputFile, before.InputFile);
    EXPECT_EQ(CommonLib->ConvertParameter.TrimRange, before.TrimRange);
    EXPECT_EQ(CustomProc->StartTime, "00:00:00");
    EXPECT_EQ(CustomProc->CutSeconds, "5");
    EXPECT_EQ(Log(), logBefore);
}

TEST_F(BuilderTest, AScriptThatCannotBeWrittenStopsTheBuild)
{
    WriteFileBytes(P + "plain", "x");
    FakePlatform().SetProgramFolder(P + "plain/");
    TAppObjects objects(*Models); // the program folder is read when the objects are made
    FakePlatform().SetProgramFolder(P);
    AddRow("/c/a.mp4", "00:00:00", "00:00:05");
    EXPECT_THROW(CommonLib->CreateConvertParameter("/c/a.mp4"), EFileError);
}

TEST_F(BuilderTest, AwkwardPathsSurviveBuildAndSplit)
{
    const char* const names[] = {
        "my clip.mp4", "say \"hi\".mp4", "back\\slash.mp4", "trailing\\",    "Видео 2024.avi",
        "-dash.mov",   "$HOME `x`.flv",  "no point",        "quote\\\".wmv",
    };
    for (const char* n : names) {
        const QString source = "/src dir/" + QString::fromUtf8(n);
        Models->dxTreeSourceFileInfo.ClearRows();
        AddRow(source, "00:00:00", "00:00:05");
        const QString line = CommonLib->CreateConvertParameter(source);
        const QStringList args = SplitCommandLine(line, [&](const QString& p) { return p == this->P + "favc"; });
        ASSERT_GE(args.size(), 4) << n;
        EXPECT_EQ(args[0], P + "favc") << n;
        EXPECT_EQ(args[3], source) << n;
        EXPECT_EQ(args.last(), CommonLib->OutputPath()) << n;
        EXPECT_TRUE(CommonLib->OutputPath().startsWith(O)) << n;
    }
}

TEST_F(BuilderTest, TheScriptKeepsARealMediaPathVerbatim)
{
    const QString source = "/src/say \"hi\" (1).rm";
    AddRow(source, "00:00:00", "00:00:05");
    const QStringList args =
        SplitCommandLine(CommonLib->CreateConvertParameter(source), [&](const QString& p) { return p == P + "ravc"; });
    EXPECT_EQ(args[0], P + "ravc");
    EXPECT_EQ(args[3], P + "VideoFile.avs");
    EXPECT_EQ(QString::fromUtf8(ReadFileBytes(P + "VideoFile.avs")),
              "DirectShowSource(\"" + source + "\", fps=29.9700898503294, convertfps=true)\r\n");
}
