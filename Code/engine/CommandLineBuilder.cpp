// The command-line builder: one encoder command line per source file.
#include "AppFunc.h"
#include "AppObjects.h"
#include "CommandLine.h"
#include "ControlModels.h"
#include "Errors.h"
#include "FileFunc.h"
#include "Platform.h"
#include "StrFunc.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"
#include "Unit_ConfigInfo.h"

#include <QFile>

namespace {

const QLatin1String cstScriptName("VideoFile.avs");

QString Fragment(const QString& option, const TChoiceList& list, const QString& fallback)
{
    const QString text = list.SelectedText();
    return text.isEmpty() ? fallback : option + text;
}

// A time text read back as whole seconds: exactly three parts, each a whole number,
// otherwise 0. A part that is not a whole number is a conversion error.
qint64 TimeTextSeconds(const QString& text)
{
    const QStringList parts = SplitString(text, QLatin1Char(':'));
    if (parts.size() != 3)
        return 0;
    return qint64(StrToInt(parts[0])) * 3600 + qint64(StrToInt(parts[1])) * 60 + StrToInt(parts[2]);
}

QString ExtensionAsWritten(const QString& path)
{
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype at = name.lastIndexOf(QLatin1Char('.'));
    return at < 0 ? QString() : name.mid(at);
}

void WriteScript(const QString& scriptPath, const QString& sourcePath)
{
    // The path stays verbatim; the encoder takes it from the first ("" to the last quote before ", fps=".
    const QByteArray line = (QStringLiteral("DirectShowSource(\"") + sourcePath +
                             QStringLiteral("\", fps=29.9700898503294, convertfps=true)\r\n"))
                                .toUtf8();
    QFile file(scriptPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(line) != line.size() || !file.flush())
        throw EFileError(QStringLiteral("Cannot create file \"%1\". %2").arg(scriptPath, file.errorString()));
}

} // namespace

QString TCommonLib::GetStartTime(const QString& sourcePath)
{
    const TSourceList& rows = FModels.dxTreeSourceFileInfo;
    QString startTime;
    // Paths are matched exactly: on this system Clip.mp4 and clip.mp4 are different files.
    for (int r = 0; r < rows.RowCount(); ++r) {
        if (rows.Cell(r, TSourceList::colFileName) != sourcePath)
            continue;
        startTime = rows.Cell(r, TSourceList::colStartTime);
        FCustomProc.ApplySelectedCustomProfile();
    }
    return startTime;
}

QString TCommonLib::GetCutSeconds(const QString& sourcePath)
{
    const TSourceList& rows = FModels.dxTreeSourceFileInfo;
    QString cutSeconds;
    for (int r = 0; r < rows.RowCount(); ++r) {
        if (rows.Cell(r, TSourceList::colFileName) != sourcePath)
            continue;
        const qint64 start = TimeTextSeconds(rows.Cell(r, TSourceList::colStartTime));
        const qint64 end = TimeTextSeconds(rows.Cell(r, TSourceList::colEndTime));
        cutSeconds = QString::number(end - start);
    }
    return cutSeconds;
}

QString TCommonLib::PrepareOutputFolder()
{
    QString folder = FModels.edtOutputFolder.Text();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    try {
        Platform().ForceDirectories(folder);
        AppFunc->WriteLog(QStringLiteral("Output directory ") + folder);
    } catch (const std::exception&) {
        AppFunc->WriteLog(QStringLiteral("Output directory error. ->") + folder);
    }
    return folder;
}

QString TCommonLib::CreateConvertParameter(const QString& sourcePath)
{
    // Both trim values are read before anything is changed, so a malformed time leaves the
    // record, the batch state and the log as they were.
    const QString startTime = GetStartTime(sourcePath);
    const QString cutSeconds = GetCutSeconds(sourcePath);
    const int row = FModels.cbbOutputFiletype.SelectedIndex();
    const QString codec = GetCodecString(row);
    FCustomProc.StartTime = startTime;
    FCustomProc.CutSeconds = cutSeconds;

    TConvertParameterStruct& p = ConvertParameter;
    p.TrimRange = (!startTime.isEmpty() && !cutSeconds.isEmpty())
                      ? QStringLiteral(" -ss ") + startTime + QStringLiteral(" -t ") + cutSeconds
                      : QString();
    p.InputFile = sourcePath;
    p.FiletypeCodec = QLatin1Char(' ') + codec;
    p.VideoBitrate = Fragment(QStringLiteral(" -b "), FModels.cbbVideoBitrate, QStringLiteral(" -b 512"));
    p.VideoSize = Fragment(QStringLiteral(" -s "), FModels.cbbVideoSize, QStringLiteral(" -s 320x240"));
    p.Framerate = Fragment(QStringLiteral(" -r "), FModels.cbbFramerate, QStringLiteral(" -r 25"));
    p.Aspectratio = Fragment(QStringLiteral(" -aspect "), FModels.cbbAspectratio, QStringLiteral(" -aspect 4:3"));
    p.AudioBitrate = Fragment(QStringLiteral(" -ab "), FModels.cbbAudioBitrate, QStringLiteral(" -ab 64"));
    p.AudioVolumeGain = Fragment(QStringLiteral(" -vol "), FModels.cbbAudioVolumeGain, QStringLiteral(" "));
    const QString channels = FModels.cbbAudioChannels.SelectedText();
    p.AudioChannels = channels.isEmpty() ? QStringLiteral(" -ac 2") : QStringLiteral(" -ac ") + channels.left(1);
    p.AudioSample = Fragment(QStringLiteral(" -ar "), FModels.cbbAudioSample, QStringLiteral(" -ar 44100"));
    const QString container = GetContainerWord(row);
    p.FiletypeFormat = container == QLatin1String("none") ? QString() : QStringLiteral(" -f ") + container;
    p.OutputFolder = PrepareOutputFolder();
    p.OutputBaseName = TFileFunc::FileBaseName(sourcePath);
    p.OutputExt = GetFileExtension(row);

    const QString scriptPath = FAppPath + cstScriptName;
    WriteScript(scriptPath, sourcePath);

    const QString extension = ExtensionAsWritten(sourcePath);
    if (extension == QLatin1String(".rm") || extension == QLatin1String(".rmvb")) {
        p.EncoderPath = FAppPath + QStringLiteral("ravc");
        p.InputFile = scriptPath;
    } else {
        p.EncoderPath = FAppPath + QStringLiteral("favc");
    }

    FOutputPath = FileFunc->UniqueFileName(p.OutputFolder + p.OutputBaseName + p.OutputExt);

    QString middle;
    const QString shape = codec.trimmed().left(7);
    if (shape == QLatin1String("-vcodec")) {
        middle = p.FiletypeCodec + p.VideoBitrate + p.VideoSize + p.Framerate + p.Aspectratio + p.AudioBitrate +
                 p.AudioVolumeGain + p.AudioChannels + p.AudioSample + p.FiletypeFormat + p.TrimRange;
    } else if (shape == QLatin1String("-acodec")) {
        middle = p.FiletypeCodec + p.VideoSize + p.VideoBitrate + p.AudioBitrate + p.AudioVolumeGain +
                 QStringLiteral(" -ac 1 -ar 8000") + p.FiletypeFormat + p.TrimRange;
    } else {
        // A codec string of neither kind passes on only what does not depend on the stream kind.
        middle = p.FiletypeCodec + p.FiletypeFormat + p.TrimRange;
    }
    return p.EncoderPath + QStringLiteral(" -y -i ") + QuoteArgument(p.InputFile) + middle + QLatin1Char(' ') +
           QuoteArgument(FOutputPath);
}
