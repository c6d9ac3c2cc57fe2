#include "DSTrackBar.h"

#include "ErrorHandler.h"
#include "MpvGraph.h"

#include <algorithm>
#include <limits>

namespace {

quint32 ToUnsigned32(std::int64_t ms)
{
    return static_cast<quint32>(std::clamp<std::int64_t>(ms, 0, std::numeric_limits<quint32>::max()));
}

} // namespace

TDSTrackBar::TDSTrackBar(QObject* parent) : QObject(parent)
{
    FTimer.setInterval(1000);
    connect(&FTimer, &QTimer::timeout, this, [this] { Guarded([this] { Tick(); }); });
}

void TDSTrackBar::SetFilterGraph(TMpvGraph* graph)
{
    if (auto* previous = dynamic_cast<QObject*>(FGraph))
        disconnect(previous, nullptr, this, nullptr);
    FGraph = graph;
    Stop();
    if (!graph)
        return;
    connect(graph, &TMpvGraph::RunningChanged, this, [this](bool running) { running ? Start() : Stop(); });
    if (graph->Running())
        Start();
}

void TDSTrackBar::Start()
{
    if (!FTimer.isActive())
        FTimer.start();
}

void TDSTrackBar::Stop()
{
    FTimer.stop();
}

void TDSTrackBar::Tick()
{
    if (!FGraph)
        return;
    emit OnTimer(ToUnsigned32(FGraph->CurrentPosition() / 10000), ToUnsigned32(FGraph->Duration()));
}
