#include "Unit_ConfigInfo.h"

#include "Errors.h"

#include <span>

namespace {

struct TOutputType
{
    const char* Entry;
    const char* const* ProfileSet;
    const char* Container;
    const char* Extension;
    const char* Codec;
};

const TOutputType& OutputType(int row)
{
    static const TOutputType table[cstOutputTypeCount] = {
        {"MPEG4 Video Files (*.mp4)", cstMP4Profile, "none", ".mp4", "-vcodec mpeg4 -acodec aac"},
        {"3GPP - MP4 Codec (*.3gp)", cst3GPMP4Profile, "3gp", ".3gp", "-vcodec mpeg4 -acodec aac"},
        {"3GPP - amr_nb Codec (*.3gp)", cst3GPAMRNBProfile, "3gp", ".3gp", "-acodec amr_nb"},
        {"3GPP2 - MP4 Codec (*.3g2)", cst3G2MP4Profile, "3g2", ".3g2", "-vcodec mpeg4 -acodec aac"},
        {"3GPP2 - amr_nb Codec (*.3g2)", cst3G2AMRNBProfile, "3g2", ".3g2", "-acodec amr_nb"},
    };
    if (row < 0 || row >= cstOutputTypeCount)
        throw EAssertionFailed(QStringLiteral("Output type row %1 out of range").arg(row),
                               QStringLiteral("Code/settings/Unit_ConfigInfo"), __LINE__);
    return table[row];
}

QStringList WithDefault(QStringList items, int defaultIndex)
{
    items << QString::number(defaultIndex);
    return items;
}

} // namespace

#define VIDEO_PROFILES                                                                                                 \
    {                                                                                                                  \
        "1|0|0|2|0|0", "1|0|1|4|1|1", "1|1|2|5|1|2", "1|1|3|7|1|2", "1|1|4|8|1|3"                                      \
    }
#define AMR_PROFILES                                                                                                   \
    {                                                                                                                  \
        "1|0|0|2|0|0", "1|0|1|4|0|0", "1|1|2|5|0|0", "1|1|3|7|0|0", "1|1|4|8|0|0"                                      \
    }
const char* const cstMP4Profile[5] = VIDEO_PROFILES;
const char* const cst3GPMP4Profile[5] = VIDEO_PROFILES;
const char* const cst3G2MP4Profile[5] = VIDEO_PROFILES;
const char* const cst3GPAMRNBProfile[5] = AMR_PROFILES;
const char* const cst3G2AMRNBProfile[5] = AMR_PROFILES;
#undef VIDEO_PROFILES
#undef AMR_PROFILES

QStringList GetOutputTypeList()
{
    QStringList items;
    for (int row = 0; row < cstOutputTypeCount; ++row)
        items << QString::fromLatin1(OutputType(row).Entry);
    return WithDefault(items, 0);
}

QStringList GetQualityList()
{
    return WithDefault({"Low Quality", "Acceptable Quality", "Normal Quality", "Excellent Quality", "Superb Quality"},
                       2);
}

QStringList GetVideoSizeList()
{
    return WithDefault(
        {"128x96", "160x120", "176x144", "220x176", "320x240", "352x240", "352x288", "480x272", "640x480", "704x576"},
        1);
}

QStringList GetFrameRateList()
{
    return WithDefault({"11", "15"}, 1);
}

QStringList GetVideoBitrateList()
{
    return WithDefault({"40", "80", "128", "256", "512", "1024"}, 2);
}

QStringList GetAspectRatioList()
{
    return WithDefault({"4:3", "16:9"}, 0);
}

QStringList GetAudioBitrateList()
{
    return WithDefault({"16", "32", "48", "64", "80", "128", "160", "192", "224"}, 2);
}

QStringList GetAudioSampleList()
{
    return WithDefault({"22050", "32000", "44100", "48000"}, 2);
}

QStringList GetAudioChannelList()
{
    return WithDefault({"1 channel, Mono", "2 channels, Stereo"}, 1);
}

QStringList GetAudioVolumeList()
{
    QStringList items;
    for (int k = 0; k <= 20; ++k)
        items << QString::number(25 * k);
    return WithDefault(items, 8);
}

QString GetCodecString(int row)
{
    return QString::fromLatin1(OutputType(row).Codec);
}

QString GetContainerWord(int row)
{
    return QString::fromLatin1(OutputType(row).Container);
}

QString GetFileExtension(int row)
{
    return QString::fromLatin1(OutputType(row).Extension);
}

QStringList GetProfileSet(int row)
{
    QStringList set;
    for (const char* profile : std::span(OutputType(row).ProfileSet, 5))
        set << QString::fromLatin1(profile);
    return set;
}
