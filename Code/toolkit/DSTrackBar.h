#pragma once

#include <QObject>
#include <QTimer>

class TFilterGraph;
class TMpvGraph;

// The hidden position bar: while its graph runs it reports the position and the duration,
// both in milliseconds, every TimerInterval ms. It starts and stops with what is asked of the
// graph (play, pause, stop), so the tick keeps coming at the end of a file that mpv holds open.
class TDSTrackBar : public QObject
{
    Q_OBJECT
public:
    explicit TDSTrackBar(QObject* parent = nullptr);

    void SetFilterGraph(TMpvGraph* graph);
    int TimerInterval() const { return FTimer.interval(); }
    void SetTimerInterval(int ms) { FTimer.setInterval(ms); }
    bool Ticking() const { return FTimer.isActive(); }
    // Follows the graph's running state; also usable on their own with any graph.
    void Start();
    void Stop();
    void SetGraph(TFilterGraph* graph) { FGraph = graph; }

signals:
    void OnTimer(quint32 positionMs, quint32 durationMs);

private:
    void Tick();

    TFilterGraph* FGraph = nullptr;
    QTimer FTimer;
};
