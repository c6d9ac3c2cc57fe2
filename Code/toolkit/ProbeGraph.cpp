#include "ProbeGraph.h"

#include <QFile>
#include <algorithm>
#include <limits>
#include <memory>
#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libavutil/dict.h>
}

namespace {

struct TFormatCloser
{
    void operator()(AVFormatContext* ctx) const { avformat_close_input(&ctx); }
};
using TFormatPtr = std::unique_ptr<AVFormatContext, TFormatCloser>;

struct TPacketFreer
{
    void operator()(AVPacket* pkt) const { av_packet_free(&pkt); }
};
using TPacketPtr = std::unique_ptr<AVPacket, TPacketFreer>;

struct TDictFreer
{
    void operator()(AVDictionary* dict) const { av_dict_free(&dict); }
};

QString AvErrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

TFormatPtr OpenContainer(const QString& path)
{
    // "file:" keeps a name such as "concat:x" from selecting another protocol, and the
    // whitelist keeps a container that points elsewhere from reaching beyond local files.
    const QByteArray url = "file:" + QFile::encodeName(path);
    AVDictionary* rawOptions = nullptr;
    av_dict_set(&rawOptions, "protocol_whitelist", "file", 0);
    AVFormatContext* raw = nullptr;
    const int opened = avformat_open_input(&raw, url.constData(), nullptr, &rawOptions);
    std::unique_ptr<AVDictionary, TDictFreer> options(rawOptions);
    if (opened < 0)
        throw EMediaError(QStringLiteral("Cannot render \"%1\": %2").arg(path, AvErrorText(opened)));
    TFormatPtr ctx(raw);
    // Without the stream information MPEG program streams report no duration.
    const int found = avformat_find_stream_info(ctx.get(), nullptr);
    if (found < 0)
        throw EMediaError(QStringLiteral("Cannot render \"%1\": %2").arg(path, AvErrorText(found)));
    return ctx;
}

// Streams of sound or picture that a decoder here can take, and those it cannot.
std::pair<int, int> CountRenderable(const AVFormatContext& ctx)
{
    int rendered = 0;
    int missing = 0;
    for (unsigned i = 0; i < ctx.nb_streams; ++i) {
        const AVCodecParameters* par = ctx.streams[i]->codecpar;
        if (par->codec_type != AVMEDIA_TYPE_VIDEO && par->codec_type != AVMEDIA_TYPE_AUDIO)
            continue;
        if (avcodec_find_decoder(par->codec_id))
            ++rendered;
        else
            ++missing;
    }
    return {rendered, missing};
}

std::int64_t StreamsDurationUs(const AVFormatContext& ctx)
{
    std::int64_t longest = 0;
    for (unsigned i = 0; i < ctx.nb_streams; ++i) {
        const AVStream* st = ctx.streams[i];
        if (st->duration != AV_NOPTS_VALUE && st->duration > 0)
            longest = std::max(longest, av_rescale_q(st->duration, st->time_base, AV_TIME_BASE_Q));
    }
    return longest;
}

// Containers that carry no duration (SWF) are measured by reading every packet: the end of
// the last one, from the container's start.
std::int64_t LastTimestampUs(AVFormatContext& ctx)
{
    TPacketPtr pkt(av_packet_alloc());
    if (!pkt)
        return 0;
    std::int64_t first = std::numeric_limits<std::int64_t>::max();
    std::int64_t last = std::numeric_limits<std::int64_t>::min();
    while (av_read_frame(&ctx, pkt.get()) >= 0) {
        const AVStream* st = ctx.streams[pkt->stream_index];
        const std::int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
        if (ts != AV_NOPTS_VALUE) {
            const std::int64_t begin = av_rescale_q(ts, st->time_base, AV_TIME_BASE_Q);
            const std::int64_t end =
                av_rescale_q(ts + std::max<std::int64_t>(pkt->duration, 0), st->time_base, AV_TIME_BASE_Q);
            first = std::min(first, begin);
            last = std::max(last, end);
        }
        av_packet_unref(pkt.get());
    }
    if (last == std::numeric_limits<std::int64_t>::min())
        return 0;
    const std::int64_t start = ctx.start_time != AV_NOPTS_VALUE ? ctx.start_time : first;
    return std::max<std::int64_t>(last - start, 0);
}

} // namespace

TProbeGraph::TProbeGraph()
{
    // The library's own messages about broken files would only clutter the console.
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_QUIET); });
}

TProbeGraph::~TProbeGraph() = default;

void TProbeGraph::SetActive(bool active)
{
    FActive = active;
    if (!active)
        FDurationMs = 0;
}

void TProbeGraph::Clear()
{
    FDurationMs = 0;
}

int TProbeGraph::RenderFile(const QString& path)
{
    if (!FActive)
        throw EMediaError(QStringLiteral("The media graph is not active."));
    FDurationMs = 0;
    TFormatPtr ctx = OpenContainer(path);
    const auto [rendered, missing] = CountRenderable(*ctx);
    if (rendered == 0)
        throw EMediaError(QStringLiteral("Cannot render \"%1\": no stream can be decoded.").arg(path));
    std::int64_t us = ctx->duration != AV_NOPTS_VALUE ? ctx->duration : 0;
    if (us <= 0)
        us = StreamsDurationUs(*ctx);
    if (us <= 0)
        us = LastTimestampUs(*ctx);
    FDurationMs = us / 1000;
    return missing;
}

void TProbeGraph::Play()
{
    throw EMediaError(QStringLiteral("The probing graph does not play."));
}

void TProbeGraph::Pause()
{
    throw EMediaError(QStringLiteral("The probing graph does not play."));
}

void TProbeGraph::Stop()
{
    // Nothing runs, so there is nothing to stop.
}

std::int64_t TProbeGraph::Duration()
{
    return FDurationMs;
}

std::int64_t TProbeGraph::CurrentPosition()
{
    return 0;
}

void TProbeGraph::Seek(std::int64_t)
{
    // Nothing plays; a position means nothing here.
}
