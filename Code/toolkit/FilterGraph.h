#pragma once

#include "Errors.h"

#include <QString>
#include <cstdint>

// A failure of the media framework: a file that cannot be rendered, or a play, pause or stop
// that the graph refused.
class EMediaError : public Exception
{
public:
    using Exception::Exception;
};

// The media graph: one file rendered into a playback chain that can run, pause, stop and seek.
// The preview plays through one; adding files reads durations through a private one. Every
// call comes from the user-interface thread.
class TFilterGraph
{
public:
    virtual ~TFilterGraph();

    // True while a graph exists; play, pause and stop are only issued then.
    virtual bool Active() const = 0;
    // True builds an empty graph, false releases it (and whatever it had rendered).
    virtual void SetActive(bool active) = 0;
    // Stops the graph and drops the rendered file; Active stays as it was.
    virtual void Clear() = 0;
    // Builds the chain for the file: 0 when every stream is rendered, a positive status when only
    // some are. Throws EMediaError when nothing can be rendered or the graph is not active.
    virtual int RenderFile(const QString& path) = 0;
    // Throw EMediaError on failure.
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    // Milliseconds; 0 when nothing is rendered or the file cannot seek.
    virtual std::int64_t Duration() = 0;
    // In 100-ns units.
    virtual std::int64_t CurrentPosition() = 0;
    // An absolute position in milliseconds; the outcome is not reported.
    virtual void Seek(std::int64_t ms) = 0;

protected:
    TFilterGraph() = default;
    TFilterGraph(const TFilterGraph&) = delete;
    TFilterGraph& operator=(const TFilterGraph&) = delete;
};
