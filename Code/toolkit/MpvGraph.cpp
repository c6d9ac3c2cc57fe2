#include "MpvGraph.h"

#include "ProbeGraph.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMetaObject>
#include <QSet>
#include <clocale>
#include <cmath>
#include <mpv/client.h>
#include <mpv/render.h>

namespace {

// A file that neither loads nor fails within this time is given up.
constexpr int cstRenderTimeoutMs = 15000;

struct TNodeFreer
{
    mpv_node* Node;
    ~TNodeFreer() { mpv_free_node_contents(Node); }
};

const mpv_node* MapValue(const mpv_node& map, const char* key)
{
    if (map.format != MPV_FORMAT_NODE_MAP)
        return nullptr;
    for (int i = 0; i < map.u.list->num; ++i)
        if (qstrcmp(map.u.list->keys[i], key) == 0)
            return &map.u.list->values[i];
    return nullptr;
}

QString MapText(const mpv_node& map, const char* key)
{
    const mpv_node* value = MapValue(map, key);
    return value && value->format == MPV_FORMAT_STRING ? QString::fromUtf8(value->u.string) : QString();
}

bool MapFlag(const mpv_node& map, const char* key)
{
    const mpv_node* value = MapValue(map, key);
    return value && value->format == MPV_FORMAT_FLAG && value->u.flag;
}

void SetOption(mpv_handle* handle, const char* name, const char* value)
{
    if (mpv_set_option_string(handle, name, value) < 0)
        throw EMediaError(QStringLiteral("The player refused the option %1=%2.")
                              .arg(QString::fromUtf8(name), QString::fromUtf8(value)));
}

} // namespace

void TMpvGraph::THandleCloser::operator()(mpv_handle* handle) const
{
    mpv_terminate_destroy(handle);
}

TMpvGraph::TMpvGraph(TMpvOutput output, QObject* parent) : QObject(parent), FOutput(output) {}

TMpvGraph::~TMpvGraph()
{
    Destroy();
}

bool TMpvGraph::Active() const
{
    return FHandle != nullptr;
}

void TMpvGraph::SetActive(bool active)
{
    if (active && !FHandle)
        Create();
    else if (!active && FHandle)
        Destroy();
}

void TMpvGraph::Create()
{
    // mpv refuses to start under a numeric locale other than "C".
    std::setlocale(LC_NUMERIC, "C");
    std::unique_ptr<mpv_handle, THandleCloser> handle(mpv_create());
    if (!handle)
        throw EMediaError(QStringLiteral("The media player could not be created."));
    mpv_handle* h = handle.get();
    SetOption(h, "config", "no");
    SetOption(h, "terminal", "no");
    SetOption(h, "load-scripts", "no");
    SetOption(h, "ytdl", "no");
    SetOption(h, "input-default-bindings", "no");
    SetOption(h, "idle", "yes");
    // The last frame stays visible at the end instead of the file being closed under us.
    SetOption(h, "keep-open", "always");
    SetOption(h, "audio-display", "no");
    SetOption(h, "hwdec", "no");
    SetOption(h, "pause", "yes");
    SetOption(h, "vo", FOutput.NullVideo ? "null" : "libmpv");
    if (FOutput.NullAudio)
        SetOption(h, "ao", "null");
    if (mpv_initialize(h) < 0)
        throw EMediaError(QStringLiteral("The media player could not be started."));
    mpv_hook_add(h, 0, "on_preloaded", 0);

    if (!FOutput.NullVideo) {
        char swApi[] = MPV_RENDER_API_TYPE_SW;
        mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, swApi}, {MPV_RENDER_PARAM_INVALID, nullptr}};
        if (mpv_render_context_create(&FRender, h, params) < 0) {
            FRender = nullptr;
            throw EMediaError(QStringLiteral("The video output could not be created."));
        }
        mpv_render_context_set_update_callback(FRender, &TMpvGraph::RenderUpdate, this);
    }
    mpv_set_wakeup_callback(h, &TMpvGraph::WakeUp, this);
    FHandle = std::move(handle);
}

void TMpvGraph::Destroy()
{
    if (!FHandle)
        return;
    // Callbacks first, then the render context, then the core: the core must outlive the context.
    mpv_set_wakeup_callback(FHandle.get(), nullptr, nullptr);
    if (FRender) {
        mpv_render_context_set_update_callback(FRender, nullptr, nullptr);
        mpv_render_context_free(FRender);
        FRender = nullptr;
    }
    FHandle.reset();
    FLoaded = false;
    FLoadingEntry = -1;
    FDurationMs = 0;
    FVideoSize = {};
    DropFrame();
    SetRunning(false);
}

void TMpvGraph::Clear()
{
    SetRunning(false);
    if (!FHandle)
        return;
    const char* stop[] = {"stop", nullptr};
    mpv_command(FHandle.get(), stop);
    SetPause(true);
    FLoaded = false;
    FLoadingEntry = -1;
    FDurationMs = 0;
    FVideoSize = {};
    DropFrame();
}

int TMpvGraph::RenderFile(const QString& path)
{
    if (!FHandle)
        throw EMediaError(QStringLiteral("No media graph to render \"%1\" into.").arg(path));
    Clear();
    // Checked here so that a missing file reads as such rather than as a format error.
    if (!QFile::exists(path))
        throw EMediaError(QStringLiteral("The file \"%1\" does not exist.").arg(path));
    DrainEvents();
    FLoadFailed = false;
    FUndecodable = 0;
    FNothingDecodable = false;
    FLoadingEntry = 0;
    const QByteArray file = QFile::encodeName(path);
    const char* load[] = {"loadfile", file.constData(), "replace", nullptr};
    if (mpv_command(FHandle.get(), load) < 0)
        throw EMediaError(QStringLiteral("The file \"%1\" cannot be rendered.").arg(path));
    QElapsedTimer clock;
    clock.start();
    while (!FLoaded && !FLoadFailed) {
        const double left = (cstRenderTimeoutMs - clock.elapsed()) / 1000.0;
        if (left <= 0) {
            Clear();
            throw EMediaError(QStringLiteral("The file \"%1\" took too long to render.").arg(path));
        }
        const mpv_event* event = mpv_wait_event(FHandle.get(), left);
        if (event->event_id != MPV_EVENT_NONE)
            HandleEvent(*event);
    }
    if (FLoadFailed || FNothingDecodable) {
        Clear();
        throw EMediaError(QStringLiteral("The file \"%1\" cannot be rendered.").arg(path));
    }
    // mpv only estimates the length of a container that keeps none (SWF) from what it has read so
    // far; the prober measures it exactly, as the list's Duration was measured.
    try {
        TProbeGraph probe;
        probe.SetActive(true);
        probe.RenderFile(path);
        if (probe.Duration() > 0)
            FDurationMs = probe.Duration();
    } catch (const EMediaError&) {
        // mpv's own figure stands.
    }
    return FUndecodable;
}

void TMpvGraph::Play()
{
    if (!FHandle)
        throw EMediaError(QStringLiteral("No media graph to play."));
    SetPause(false);
    SetRunning(true);
}

void TMpvGraph::Pause()
{
    if (!FHandle)
        throw EMediaError(QStringLiteral("No media graph to pause."));
    SetPause(true);
    SetRunning(false);
}

void TMpvGraph::Stop()
{
    if (!FHandle)
        throw EMediaError(QStringLiteral("No media graph to stop."));
    SetPause(true);
    SetRunning(false);
}

std::int64_t TMpvGraph::Duration()
{
    return FHandle && FLoaded ? FDurationMs : 0;
}

std::int64_t TMpvGraph::CurrentPosition()
{
    if (!FHandle || !FLoaded)
        return 0;
    // With keep-open the position stops at the last frame's time, short of the duration;
    // the end-of-file state says the end was reached.
    if (EndOfFile())
        return FDurationMs * 10000;
    double seconds = 0;
    if (mpv_get_property(FHandle.get(), "time-pos", MPV_FORMAT_DOUBLE, &seconds) < 0 || !std::isfinite(seconds))
        return 0;
    return std::max<std::int64_t>(0, std::llround(seconds * 1e7));
}

bool TMpvGraph::EndOfFile()
{
    if (!FHandle || !FLoaded)
        return false;
    int eof = 0;
    return mpv_get_property(FHandle.get(), "eof-reached", MPV_FORMAT_FLAG, &eof) >= 0 && eof;
}

void TMpvGraph::Seek(std::int64_t ms)
{
    if (!FHandle || !FLoaded)
        return;
    // mpv counts a negative absolute position from the end.
    const QByteArray seconds = QByteArray::number(std::max<std::int64_t>(0, ms) / 1000.0, 'f', 3);
    const char* seek[] = {"seek", seconds.constData(), "absolute+exact", nullptr};
    mpv_command(FHandle.get(), seek);
}

void TMpvGraph::SetPause(bool pause)
{
    int flag = pause ? 1 : 0;
    mpv_set_property(FHandle.get(), "pause", MPV_FORMAT_FLAG, &flag);
}

void TMpvGraph::SetRunning(bool running)
{
    if (FRunning == running)
        return;
    FRunning = running;
    emit RunningChanged(running);
}

void TMpvGraph::DropFrame()
{
    if (FFrame.isNull())
        return;
    FFrame = QImage();
    emit FrameChanged();
}

void TMpvGraph::WakeUp(void* self)
{
    auto* graph = static_cast<TMpvGraph*>(self);
    // One queued drain at a time, however often mpv wakes us.
    if (!graph->FEventsPosted.exchange(true))
        QMetaObject::invokeMethod(graph, &TMpvGraph::DrainEvents, Qt::QueuedConnection);
}

void TMpvGraph::RenderUpdate(void* self)
{
    auto* graph = static_cast<TMpvGraph*>(self);
    if (!graph->FRenderPosted.exchange(true))
        QMetaObject::invokeMethod(graph, &TMpvGraph::RenderFrame, Qt::QueuedConnection);
}

void TMpvGraph::DrainEvents()
{
    FEventsPosted = false;
    while (FHandle) {
        const mpv_event* event = mpv_wait_event(FHandle.get(), 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        HandleEvent(*event);
    }
}

void TMpvGraph::HandleEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_START_FILE:
        if (FLoadingEntry == 0)
            FLoadingEntry = static_cast<const mpv_event_start_file*>(event.data)->playlist_entry_id;
        break;
    case MPV_EVENT_END_FILE: {
        const auto* end = static_cast<const mpv_event_end_file*>(event.data);
        if (FLoadingEntry > 0 && end->playlist_entry_id == FLoadingEntry && !FLoaded)
            FLoadFailed = true;
        break;
    }
    case MPV_EVENT_HOOK:
        CheckDecoders(static_cast<const mpv_event_hook*>(event.data)->id);
        break;
    case MPV_EVENT_FILE_LOADED: {
        if (FLoadingEntry <= 0)
            break;
        // Read now: the observed duration would arrive later than the caller asks for it.
        double seconds = 0;
        int seekable = 0;
        mpv_get_property(FHandle.get(), "seekable", MPV_FORMAT_FLAG, &seekable);
        if (mpv_get_property(FHandle.get(), "duration", MPV_FORMAT_DOUBLE, &seconds) >= 0 && std::isfinite(seconds) &&
            seekable)
            FDurationMs = std::max<std::int64_t>(0, static_cast<std::int64_t>(seconds * 1000));
        FLoaded = true;
        break;
    }
    case MPV_EVENT_VIDEO_RECONFIG: {
        std::int64_t width = 0, height = 0;
        if (mpv_get_property(FHandle.get(), "dwidth", MPV_FORMAT_INT64, &width) >= 0 &&
            mpv_get_property(FHandle.get(), "dheight", MPV_FORMAT_INT64, &height) >= 0 && width > 0 && height > 0)
            FVideoSize = QSize(static_cast<int>(std::min<std::int64_t>(width, 4096)),
                               static_cast<int>(std::min<std::int64_t>(height, 4096)));
        else
            FVideoSize = {};
        break;
    }
    default:
        break;
    }
}

// Left alone, mpv stops the whole file when the video decoder is missing; a stream without
// a decoder is switched off instead, so the file counts as partly rendered.
void TMpvGraph::CheckDecoders(std::uint64_t hookId)
{
    mpv_handle* h = FHandle.get();
    mpv_node decoders{}, tracks{};
    QSet<QString> known;
    if (mpv_get_property(h, "decoder-list", MPV_FORMAT_NODE, &decoders) >= 0) {
        TNodeFreer freer{&decoders};
        if (decoders.format == MPV_FORMAT_NODE_ARRAY)
            for (int i = 0; i < decoders.u.list->num; ++i)
                known.insert(MapText(decoders.u.list->values[i], "codec"));
    }
    int playable = 0;
    bool videoMissing = false, audioMissing = false;
    if (mpv_get_property(h, "track-list", MPV_FORMAT_NODE, &tracks) >= 0) {
        TNodeFreer freer{&tracks};
        if (tracks.format == MPV_FORMAT_NODE_ARRAY)
            for (int i = 0; i < tracks.u.list->num; ++i) {
                const mpv_node& track = tracks.u.list->values[i];
                const QString type = MapText(track, "type");
                if ((type != QLatin1String("video") && type != QLatin1String("audio")) || MapFlag(track, "albumart"))
                    continue;
                if (known.contains(MapText(track, "codec"))) {
                    ++playable;
                    continue;
                }
                ++FUndecodable;
                (type == QLatin1String("video") ? videoMissing : audioMissing) = true;
            }
    }
    FNothingDecodable = playable == 0;
    if (videoMissing)
        mpv_set_property_string(h, "file-local-options/vid", "no");
    if (audioMissing)
        mpv_set_property_string(h, "file-local-options/aid", "no");
    mpv_hook_continue(h, hookId);
}

void TMpvGraph::RenderFrame()
{
    FRenderPosted = false;
    if (!FRender)
        return;
    if (!(mpv_render_context_update(FRender) & MPV_RENDER_UPDATE_FRAME) || FVideoSize.isEmpty() || !FLoaded)
        return;
    QImage image(FVideoSize, QImage::Format_RGB32);
    int size[2] = {image.width(), image.height()};
    char format[] = "bgr0";
    std::size_t stride = static_cast<std::size_t>(image.bytesPerLine());
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, size},
                                 {MPV_RENDER_PARAM_SW_FORMAT, format},
                                 {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                 {MPV_RENDER_PARAM_SW_POINTER, image.bits()},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv_render_context_render(FRender, params) < 0)
        return;
    // "bgr0" leaves the fourth byte 0; RGB32 wants it 0xFF.
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] |= 0xFF000000u;
    }
    FFrame = std::move(image);
    emit FrameChanged();
}
