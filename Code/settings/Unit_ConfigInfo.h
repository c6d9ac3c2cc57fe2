#pragma once

#include <QString>
#include <QStringList>

// The built-in conversion vocabulary. An option list holds its items followed by one last
// entry: the index of the default item, as decimal text (never shown, never counted).

QStringList GetOutputTypeList();
QStringList GetQualityList();
QStringList GetVideoSizeList();
QStringList GetFrameRateList();
QStringList GetVideoBitrateList();
QStringList GetAspectRatioList();
QStringList GetAudioBitrateList();
QStringList GetAudioSampleList();
QStringList GetAudioChannelList();
QStringList GetAudioVolumeList();

// Number of output types; rows run from 0 to this minus 1.
constexpr int cstOutputTypeCount = 5;

// Columns of the output-type table for a row 0..4; any other row throws EAssertionFailed.
QString GetCodecString(int row);
QString GetContainerWord(int row);
QString GetFileExtension(int row);
// The five profile strings of the row's set, from "Low Quality" to "Superb Quality".
QStringList GetProfileSet(int row);

// Profile strings: video size | frame rate | video bitrate | audio bitrate | channels | sample rate.
extern const char* const cstMP4Profile[5];
extern const char* const cst3GPMP4Profile[5];
extern const char* const cst3GPAMRNBProfile[5];
extern const char* const cst3G2MP4Profile[5];
extern const char* const cst3G2AMRNBProfile[5];
