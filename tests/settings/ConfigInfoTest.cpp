#include "Errors.h"
#include "Unit_ConfigInfo.h"

#include <gtest/gtest.h>

TEST(ConfigInfo, OptionListsHoldTheirItemsAndDefaultIndex)
{
    struct TCase
    {
        const char* Name;
        QStringList List;
        int Items;
        const char* DefaultItem;
    };
    const TCase cases[] = {
        {"output types", GetOutputTypeList(), 5, "MPEG4 Video Files (*.mp4)"},
        {"qualities", GetQualityList(), 5, "Normal Quality"},
        {"video sizes", GetVideoSizeList(), 10, "160x120"},
        {"frame rates", GetFrameRateList(), 2, "15"},
        {"video bitrates", GetVideoBitrateList(), 6, "128"},
        {"aspect ratios", GetAspectRatioList(), 2, "4:3"},
        {"audio bitrates", GetAudioBitrateList(), 9, "48"},
        {"sample rates", GetAudioSampleList(), 4, "44100"},
        {"channels", GetAudioChannelList(), 2, "2 channels, Stereo"},
        {"volumes", GetAudioVolumeList(), 21, "200"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(c.List.size(), c.Items + 1) << c.Name;
        const int defaultIndex = c.List.last().toInt();
        EXPECT_EQ(c.List.at(defaultIndex), QString::fromLatin1(c.DefaultItem)) << c.Name;
    }
    EXPECT_EQ(GetVideoSizeList().mid(0, 10), QStringList({"128x96", "160x120", "176x144", "220x176", "320x240",
                                                          "352x240", "352x288", "480x272", "640x480", "704x576"}));
    EXPECT_EQ(GetAudioVolumeList().at(20), "500");
    EXPECT_EQ(GetAudioVolumeList().at(4), "100");
    EXPECT_EQ(GetAudioChannelList().at(0), "1 channel, Mono");
    EXPECT_EQ(GetOutputTypeList().at(4), "3GPP2 - amr_nb Codec (*.3g2)");
}

TEST(ConfigInfo, OutputTypeTable)
{
    const char* const codecs[] = {"-vcodec mpeg4 -acodec aac", "-vcodec mpeg4 -acodec aac", "-acodec amr_nb",
                                  "-vcodec mpeg4 -acodec aac", "-acodec amr_nb"};
    const char* const containers[] = {"none", "3gp", "3gp", "3g2", "3g2"};
    const char* const extensions[] = {".mp4", ".3gp", ".3gp", ".3g2", ".3g2"};
    for (int row = 0; row < cstOutputTypeCount; ++row) {
        EXPECT_EQ(GetCodecString(row), codecs[row]);
        EXPECT_EQ(GetContainerWord(row), containers[row]);
        EXPECT_EQ(GetFileExtension(row), extensions[row]);
    }
    EXPECT_THROW(GetCodecString(5), EAssertionFailed);
    EXPECT_THROW(GetProfileSet(-1), EAssertionFailed);
}

TEST(ConfigInfo, ProfileSets)
{
    const QStringList video{"1|0|0|2|0|0", "1|0|1|4|1|1", "1|1|2|5|1|2", "1|1|3|7|1|2", "1|1|4|8|1|3"};
    const QStringList amr{"1|0|0|2|0|0", "1|0|1|4|0|0", "1|1|2|5|0|0", "1|1|3|7|0|0", "1|1|4|8|0|0"};
    EXPECT_EQ(GetProfileSet(0), video);
    EXPECT_EQ(GetProfileSet(1), video);
    EXPECT_EQ(GetProfileSet(3), video);
    EXPECT_EQ(GetProfileSet(2), amr);
    EXPECT_EQ(GetProfileSet(4), amr);
}
