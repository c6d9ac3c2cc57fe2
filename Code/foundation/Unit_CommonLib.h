#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

class TControlModels;
class TCustomProc;

// The current encoder job, as text fragments of its command line. Each build overwrites
// every field but Spare.
struct TConvertParameterStruct
{
    QString EncoderPath;
    QString InputFile;
    QString FiletypeCodec;
    QString VideoBitrate;
    QString VideoSize;
    QString Framerate;
    QString Aspectratio;
    QString Spare;
    QString AudioBitrate;
    QString AudioVolumeGain;
    QString AudioChannels;
    QString AudioSample;
    QString FiletypeFormat;
    QString TrimRange;
    QString OutputFolder;
    QString OutputBaseName;
    QString OutputExt;
};

// The long-lived helper of the conversion side: the job record, the command-line builder,
// the profile-file reads, process control and the message box. Its operations are defined
// beside the subsystem that owns them (engine, settings).
class TCommonLib
{
public:
    TCommonLib(TControlModels& models, TCustomProc& customProc);

    // The program folder, recorded when created.
    const QString& AppPath() const { return FAppPath; }
    TConvertParameterStruct ConvertParameter;

    // A box of kind 0..3 (error, warning, question, information); false and nothing shown
    // for any other kind.
    bool ShowMsg(const QString& text, int kind);

    // Command-line builder.
    QString CreateConvertParameter(const QString& sourcePath);
    QString PrepareOutputFolder();
    QString GetStartTime(const QString& sourcePath);
    QString GetCutSeconds(const QString& sourcePath);
    // The output path of the last build.
    const QString& OutputPath() const { return FOutputPath; }

    // Profile files under Config/.
    QStringList ReadProfileNames(const QString& fileName) const;
    QString ReadProfileValue(const QString& fileName, const QString& profileName) const;

    // Encoder process control.
    std::int64_t GetProcessIdByName(const QString& exeName);
    bool KillProcessByName(const QString& exeName);
    bool EnableDebugPrivilege();
    void StopEncoder(const QString& exePathOrName);

private:
    TControlModels& FModels;
    TCustomProc& FCustomProc;
    QString FAppPath;
    QString FOutputPath;
};
