#include "MpvGraph.h"
#include "DSTrackBar.h"
#include "TestEnvironment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

namespace {

std::int64_t PositionMs(TMpvGraph& graph)
{
    return graph.CurrentPosition() / 10000;
}

// Waits until the position stops moving (a seek has landed while paused).
std::int64_t SettledPositionMs(TMpvGraph& graph)
{
    std::int64_t last = -1;
    int same = 0;
    QElapsedTimer clock;
    clock.start();
    while (same < 5 && clock.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(20);
        const std::int64_t now = PositionMs(graph);
        same = now == last ? same + 1 : 0;
        last = now;
    }
    return last;
}

// clip.avi with its video stream's codec tag replaced by one no decoder knows: the sound still
// plays, the picture cannot.
QString UndecodableVideoCopy(const QTemporaryDir& dir)
{
    QByteArray bytes = ReadFileBytes(TestMediaFolder() + "clip.avi");
    const qsizetype headerEnd = bytes.indexOf("movi");
    int replaced = 0;
    for (qsizetype at = bytes.indexOf("FMP4"); at >= 0 && at < headerEnd; at = bytes.indexOf("FMP4", at + 4)) {
        bytes.replace(at, 4, "QZQZ");
        ++replaced;
    }
    EXPECT_EQ(replaced, 2);
    const QString path = dir.filePath("undecodable-video.avi");
    WriteFileBytes(path, bytes);
    return path;
}

TMpvOutput Headless()
{
    TMpvOutput output;
    output.NullAudio = true;
    output.NullVideo = true;
    return output;
}

} // namespace

TEST(MpvGraph, ActiveBuildsAndReleasesTheGraph)
{
    TMpvGraph graph(Headless());
    EXPECT_FALSE(graph.Active());
    graph.SetActive(true);
    EXPECT_TRUE(graph.Active());
    graph.Clear();
    EXPECT_TRUE(graph.Active());
    graph.SetActive(false);
    EXPECT_FALSE(graph.Active());
    // Clearing a released graph, and releasing it twice, are harmless.
    graph.Clear();
    graph.SetActive(false);
}

TEST(MpvGraph, RenderStatuses)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct TCase
    {
        QString Path;
        int Status; // -1: an error
    };
    const TCase cases[] = {
        {TestMediaFolder() + "clip.mp4", 0},          {TestMediaFolder() + "clip.rmvb", 0},
        {TestMediaFolder() + "no-audio.mp4", 0},      {UndecodableVideoCopy(dir), 1},
        {TestMediaFolder() + "no-such-file.mp4", -1}, {TestMediaFolder() + "random-bytes.avi", -1},
    };
    TMpvGraph graph(Headless());
    graph.SetActive(true);
    for (const TCase& c : cases) {
        if (c.Status < 0) {
            EXPECT_THROW(graph.RenderFile(c.Path), EMediaError) << c.Path.toStdString();
            EXPECT_EQ(graph.Duration(), 0) << c.Path.toStdString();
        } else {
            EXPECT_EQ(graph.RenderFile(c.Path), c.Status) << c.Path.toStdString();
            EXPECT_NEAR(graph.Duration(), 3000, 100) << c.Path.toStdString();
        }
    }
}

TEST(MpvGraph, PartlyRenderedFilePlaysItsSound)
{
    QTemporaryDir dir;
    TMpvGraph graph(Headless());
    graph.SetActive(true);
    ASSERT_EQ(graph.RenderFile(UndecodableVideoCopy(dir)), 1);
    graph.Play();
    EXPECT_TRUE(WaitFor([&] { return PositionMs(graph) > 300; }));
}

TEST(MpvGraph, RenderNeedsAnActiveGraph)
{
    TMpvGraph graph(Headless());
    EXPECT_THROW(graph.RenderFile(TestMediaFolder() + "clip.mp4"), EMediaError);
    EXPECT_THROW(graph.Play(), EMediaError);
    EXPECT_THROW(graph.Pause(), EMediaError);
    EXPECT_THROW(graph.Stop(), EMediaError);
    EXPECT_EQ(graph.Duration(), 0);
    EXPECT_EQ(graph.CurrentPosition(), 0);
    graph.Seek(1000);
}

TEST(MpvGraph, DurationWithinATenthOfASecond)
{
    // SWF keeps no duration of its own: it is measured, not estimated from what was read so far.
    const std::pair<const char*, int> cases[] = {
        {"clip.mp4", 3000},  {"clip.m4v", 3000},          {"clip.3gp", 3000},       {"clip.avi", 3000},
        {"clip.asf", 3000},  {"clip.wmv", 3000},          {"clip.mov", 3000},       {"clip.flv", 3000},
        {"clip.swf", 3000},  {"clip.mpg", 3000},          {"clip.mpeg", 3000},      {"clip.rm", 3000},
        {"clip.rmvb", 3000}, {"eight-seconds.mp4", 8000}, {"half-second.mp4", 500}, {"audio-only.m4a", 3000},
    };
    TMpvGraph graph(Headless());
    graph.SetActive(true);
    for (const auto& [name, ms] : cases) {
        graph.RenderFile(TestMediaFolder() + name);
        EXPECT_NEAR(graph.Duration(), ms, 100) << name;
    }
    graph.Clear();
    EXPECT_EQ(graph.Duration(), 0);
}

TEST(MpvGraph, SeekTable)
{
    // Absolute positions in ms; a negative one lands at the start, not counted from the end.
    const std::pair<std::int64_t, std::int64_t> cases[] = {
        {2000, 2000}, {0, 0}, {4500, 4500}, {-3000, 0}, {1040, 1040}, {7000, 7000},
    };
    TMpvGraph graph(Headless());
    graph.SetActive(true);
    graph.RenderFile(TestMediaFolder() + "eight-seconds.mp4");
    for (const auto& [to, expected] : cases) {
        graph.Seek(to);
        EXPECT_NEAR(SettledPositionMs(graph), expected, 60) << "seek to " << to;
    }
}

TEST(MpvGraph, PauseFreezesThePosition)
{
    TMpvGraph graph(Headless());
    graph.SetActive(true);
    graph.RenderFile(TestMediaFolder() + "eight-seconds.mp4");
    EXPECT_EQ(PositionMs(graph), 0);
    graph.Play();
    EXPECT_TRUE(graph.Running());
    ASSERT_TRUE(WaitFor([&] { return PositionMs(graph) >= 500; }));
    graph.Pause();
    EXPECT_FALSE(graph.Running());
    const std::int64_t paused = SettledPositionMs(graph);
    EXPECT_GE(paused, 500);
    QThread::msleep(400);
    QCoreApplication::processEvents();
    EXPECT_EQ(PositionMs(graph), paused);
    graph.Play();
    EXPECT_TRUE(WaitFor([&] { return PositionMs(graph) >= paused + 300; }));
}

TEST(MpvGraph, EndOfFileReportsTheWholeDuration)
{
    TMpvGraph graph(Headless());
    graph.SetActive(true);
    graph.RenderFile(TestMediaFolder() + "half-second.mp4");
    const std::int64_t duration = graph.Duration();
    EXPECT_FALSE(graph.EndOfFile());
    graph.Play();
    ASSERT_TRUE(WaitFor([&] { return graph.EndOfFile(); }));
    // The file stays open at its end; the position reads as the duration, never beyond.
    EXPECT_EQ(graph.CurrentPosition(), duration * 10000);
    EXPECT_TRUE(graph.Active());
    EXPECT_EQ(graph.Duration(), duration);
    // Back to the start it plays again.
    graph.Seek(0);
    EXPECT_TRUE(WaitFor([&] { return !graph.EndOfFile(); }));
    EXPECT_LT(graph.CurrentPosition(), duration * 10000);
}

TEST(MpvGraph, ClearDropsTheFile)
{
    TMpvGraph graph(Headless());
    graph.SetActive(true);
    graph.RenderFile(TestMediaFolder() + "clip.mp4");
    graph.Play();
    graph.Clear();
    EXPECT_FALSE(graph.Running());
    EXPECT_EQ(graph.Duration(), 0);
    EXPECT_EQ(graph.CurrentPosition(), 0);
    // Play on a cleared graph runs nothing and fails nothing.
    graph.Play();
    EXPECT_EQ(graph.CurrentPosition(), 0);
}

TEST(MpvGraph, RunningStateDrivesThePositionBar)
{
    TMpvGraph graph(Headless());
    TDSTrackBar bar;
    bar.SetTimerInterval(50);
    bar.SetFilterGraph(&graph);
    std::vector<std::pair<quint32, quint32>> ticks;
    QObject::connect(&bar, &TDSTrackBar::OnTimer,
                     [&](quint32 position, quint32 duration) { ticks.emplace_back(position, duration); });
    graph.SetActive(true);
    graph.RenderFile(TestMediaFolder() + "clip.mp4");
    EXPECT_FALSE(bar.Ticking());
    graph.Play();
    EXPECT_TRUE(bar.Ticking());
    ASSERT_TRUE(WaitFor([&] { return ticks.size() >= 3; }));
    graph.Pause();
    EXPECT_FALSE(bar.Ticking());
    EXPECT_NEAR(ticks.back().second, 3000, 100);
    EXPECT_LE(ticks.front().first, ticks.back().first);
    graph.Play();
    graph.SetActive(false);
    EXPECT_FALSE(bar.Ticking());
}

TEST(MpvGraph, RendersOpaqueFramesOfTheVideoSize)
{
    TMpvOutput output;
    output.NullAudio = true;
    TMpvGraph graph(output);
    int frames = 0;
    QObject::connect(&graph, &TMpvGraph::FrameChanged, [&] { ++frames; });
    graph.SetActive(true);
    graph.RenderFile(TestMediaFolder() + "wide-16x9.mp4");
    graph.Play();
    ASSERT_TRUE(WaitFor([&] { return !graph.Frame().isNull() && frames >= 3; }));
    const QImage frame = graph.Frame();
    EXPECT_EQ(frame.size(), QSize(640, 360));
    EXPECT_EQ(frame.format(), QImage::Format_RGB32);
    for (const QPoint p : {QPoint(0, 0), QPoint(320, 180), QPoint(639, 359)})
        EXPECT_EQ(qAlpha(frame.pixel(p)), 255);
    // The test pattern is colourful: not a blank picture.
    EXPECT_NE(frame.pixel(40, 40), frame.pixel(600, 40));
    graph.SetActive(false);
    EXPECT_TRUE(graph.Frame().isNull());
}
