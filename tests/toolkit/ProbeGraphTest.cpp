#include "ProbeGraph.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

std::int64_t RenderedDuration(const QString& path, int* status = nullptr)
{
    TProbeGraph graph;
    graph.SetActive(true);
    const int s = graph.RenderFile(path);
    if (status)
        *status = s;
    return graph.Duration();
}

} // namespace

class ProbeGraphFormats : public ::testing::TestWithParam<const char*>
{
};

TEST_P(ProbeGraphFormats, MeasuresTheThreeSecondClip)
{
    int status = -1;
    const std::int64_t ms = RenderedDuration(TestMediaFolder() + GetParam(), &status);
    EXPECT_EQ(status, 0);
    EXPECT_GE(ms, 2900);
    EXPECT_LT(ms, 3300);
}

INSTANTIATE_TEST_SUITE_P(EveryAcceptedContainer, ProbeGraphFormats,
                         ::testing::Values("clip.mp4", "clip.m4v", "clip.3gp", "clip.avi", "clip.asf", "clip.wmv",
                                           "clip.mov", "clip.flv", "clip.swf", "clip.mpg", "clip.mpeg", "clip.rm",
                                           "clip.rmvb"));

TEST(ProbeGraph, MeasuresShortAndLongerClips)
{
    const std::int64_t half = RenderedDuration(TestMediaFolder() + "half-second.mp4");
    EXPECT_GT(half, 400);
    EXPECT_LT(half, 1000);
    const std::int64_t eight = RenderedDuration(TestMediaFolder() + "eight-seconds.mp4");
    EXPECT_GE(eight, 8000);
    EXPECT_LT(eight, 8300);
}

TEST(ProbeGraph, RefusesWhatCannotBeRendered)
{
    for (const char* name : {"truncated.mp4", "random-bytes.avi", "no-such-file.mp4"}) {
        TProbeGraph graph;
        graph.SetActive(true);
        EXPECT_THROW(graph.RenderFile(TestMediaFolder() + name), EMediaError) << name;
        EXPECT_EQ(graph.Duration(), 0) << name;
    }
}

TEST(ProbeGraph, RendersOnlyWhenActiveAndForgetsOnRelease)
{
    TProbeGraph graph;
    EXPECT_FALSE(graph.Active());
    EXPECT_THROW(graph.RenderFile(TestMediaFolder() + "clip.mp4"), EMediaError);
    graph.SetActive(true);
    graph.RenderFile(TestMediaFolder() + "clip.mp4");
    EXPECT_GT(graph.Duration(), 0);
    graph.Clear();
    EXPECT_TRUE(graph.Active());
    EXPECT_EQ(graph.Duration(), 0);
    graph.RenderFile(TestMediaFolder() + "clip.mp4");
    graph.SetActive(false);
    EXPECT_EQ(graph.Duration(), 0);
    EXPECT_THROW(graph.Play(), EMediaError);
    EXPECT_THROW(graph.Pause(), EMediaError);
}

// A name that looks like a protocol ("concat:...") or holds non-Latin letters is still the
// local file of that name.
TEST(ProbeGraph, TakesEveryNameAsALocalFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString clip = TestMediaFolder() + "clip.mp4";
    for (const QString& name : {QStringLiteral("concat:clip.mp4"), QStringLiteral("видео клип.mp4")})
        ASSERT_TRUE(QFile::copy(clip, dir.filePath(name))) << name.toStdString();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    EXPECT_GE(RenderedDuration(QStringLiteral("concat:clip.mp4")), 2900);
    QDir::setCurrent(previous);
    EXPECT_GE(RenderedDuration(dir.filePath(QStringLiteral("видео клип.mp4"))), 2900);
}
