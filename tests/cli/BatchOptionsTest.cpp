#include "BatchOptions.h"

#include <gtest/gtest.h>

TEST(BatchOptions, ReadsEveryOptionInBothForms)
{
    const TBatchOptions o = ParseBatchOptions({"--type",
                                               "3g2-amr",
                                               "--quality=superb",
                                               "--size",
                                               "320x240",
                                               "--video-bitrate=256",
                                               "--frame-rate",
                                               "11",
                                               "--aspect",
                                               "16:9",
                                               "--audio-bitrate",
                                               "64",
                                               "--sample-rate",
                                               "22050",
                                               "--volume",
                                               "100",
                                               "--channels",
                                               "1",
                                               "--start",
                                               "00:00:10",
                                               "--end=00:01:00",
                                               "--output",
                                               "/out dir",
                                               "--jobs",
                                               "3",
                                               "--dry-run",
                                               "a.mp4",
                                               "--",
                                               "--odd name.avi"},
                                              2);
    EXPECT_EQ(o.OutputType, 4);
    EXPECT_EQ(o.Quality, 4);
    EXPECT_EQ(o.Size, "320x240");
    EXPECT_EQ(o.VideoBitrate, "256");
    EXPECT_EQ(o.FrameRate, "11");
    EXPECT_EQ(o.Aspect, "16:9");
    EXPECT_EQ(o.AudioBitrate, "64");
    EXPECT_EQ(o.SampleRate, "22050");
    EXPECT_EQ(o.Volume, "100");
    EXPECT_EQ(o.Channels, 1);
    EXPECT_EQ(o.Start, "00:00:10");
    EXPECT_EQ(o.End, "00:01:00");
    EXPECT_EQ(o.Output, "/out dir");
    EXPECT_EQ(o.Jobs, 3);
    EXPECT_TRUE(o.DryRun);
    EXPECT_EQ(o.Files, QStringList({"a.mp4", "--odd name.avi"}));
}

TEST(BatchOptions, DefaultsAreMp4NormalAndOneJobPerCore)
{
    const TBatchOptions o = ParseBatchOptions({"a.mp4"}, 2);
    EXPECT_EQ(o.OutputType, 0);
    EXPECT_FALSE(o.Quality);
    EXPECT_FALSE(o.Profile);
    EXPECT_EQ(o.Jobs, 2);
    EXPECT_FALSE(o.DryRun);
    EXPECT_TRUE(ParseBatchOptions({"--help"}, 2).Help);
}

TEST(BatchOptions, BadArgumentsAreNamedInTheReason)
{
    struct TCase
    {
        QStringList Args;
        const char* Names;
    };
    const TCase cases[] = {
        {{"--type", "avi", "a.mp4"}, "--type: 'avi'"},
        {{"--quality", "best", "a.mp4"}, "--quality: 'best'"},
        {{"--size", "100x100", "a.mp4"}, "--size: '100x100'"},
        {{"--volume", "30", "a.mp4"}, "--volume: '30'"},
        {{"--channels", "6", "a.mp4"}, "--channels: '6'"},
        {{"--start", "1:00", "a.mp4"}, "--start: '1:00'"},
        {{"--end", "24:00:00", "a.mp4"}, "--end: '24:00:00'"},
        {{"--jobs", "0", "a.mp4"}, "--jobs: '0'"},
        {{"--jobs", "two", "a.mp4"}, "--jobs: 'two'"},
        {{"--frobnicate", "a.mp4"}, "--frobnicate: unknown option"},
        {{"--dry-run=yes", "a.mp4"}, "--dry-run: takes no value"},
        {{"a.mp4", "--output"}, "--output: a value is missing"},
        {{"--quality", "low", "--profile", "Phone", "a.mp4"}, "--profile: cannot be combined"},
        {{"--dry-run"}, "FILE: no source file given"},
    };
    for (const auto& c : cases) {
        try {
            ParseBatchOptions(c.Args, 2);
            ADD_FAILURE() << "accepted: " << c.Args.join(' ').toStdString();
        } catch (const EUsageError& e) {
            EXPECT_TRUE(std::string(e.what()).starts_with(c.Names)) << e.what();
        }
    }
}
