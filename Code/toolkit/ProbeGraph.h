#pragma once

#include "FilterGraph.h"

// The media graph that only reads files: rendering opens the container with libavformat,
// reads its stream information and measures the duration. It never plays.
class TProbeGraph final : public TFilterGraph
{
public:
    TProbeGraph();
    ~TProbeGraph() override;

    bool Active() const override { return FActive; }
    void SetActive(bool active) override;
    void Clear() override;
    int RenderFile(const QString& path) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    std::int64_t Duration() override;
    std::int64_t CurrentPosition() override;
    void Seek(std::int64_t ms) override;

private:
    bool FActive = false;
    std::int64_t FDurationMs = 0;
};
