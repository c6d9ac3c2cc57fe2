#pragma once

#include "FilterGraph.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <atomic>
#include <memory>

struct mpv_handle;
struct mpv_render_context;
struct mpv_event;

// Where the playing graph sends its sound and pictures. Tests and headless runs use the null
// outputs; the program plays on the default audio device and renders frames for its window.
struct TMpvOutput
{
    bool NullAudio = false;
    bool NullVideo = false;
};

// The media graph that plays, on libmpv. Frames are rendered in software on the user-interface
// thread into Frame(); FrameChanged tells the video window to repaint. Play, Pause, Stop, Clear
// and SetActive(false) announce RunningChanged so that the position bar and the screen-saver
// guard follow what was asked of the graph rather than mpv's own pausing at the end.
class TMpvGraph final : public QObject, public TFilterGraph
{
    Q_OBJECT
public:
    explicit TMpvGraph(TMpvOutput output = {}, QObject* parent = nullptr);
    ~TMpvGraph() override;

    bool Active() const override;
    void SetActive(bool active) override;
    void Clear() override;
    int RenderFile(const QString& path) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    std::int64_t Duration() override;
    std::int64_t CurrentPosition() override;
    void Seek(std::int64_t ms) override;

    // The last rendered frame (Format_RGB32, opaque); null while nothing is shown.
    QImage Frame() const { return FFrame; }
    // True between Play and the next Pause, Stop, Clear or release.
    bool Running() const { return FRunning; }
    // True once playback has run into the end of the rendered file.
    bool EndOfFile();

signals:
    void FrameChanged();
    void RunningChanged(bool running);

private:
    struct THandleCloser
    {
        void operator()(mpv_handle* handle) const;
    };

    void Create();
    void Destroy();
    void DrainEvents();
    void HandleEvent(const mpv_event& event);
    void CheckDecoders(std::uint64_t hookId);
    void RenderFrame();
    void SetPause(bool pause);
    void SetRunning(bool running);
    void DropFrame();
    // Called on mpv's threads: they only post to this object's thread.
    static void WakeUp(void* self);
    static void RenderUpdate(void* self);

    TMpvOutput FOutput;
    std::unique_ptr<mpv_handle, THandleCloser> FHandle;
    mpv_render_context* FRender = nullptr;
    std::atomic<bool> FEventsPosted{false};
    std::atomic<bool> FRenderPosted{false};

    // State of the file being rendered or rendered.
    std::int64_t FLoadingEntry = -1;
    bool FLoaded = false;
    bool FLoadFailed = false;
    int FUndecodable = 0;
    bool FNothingDecodable = false;
    std::int64_t FDurationMs = 0;
    QSize FVideoSize;
    QImage FFrame;
    bool FRunning = false;
};
