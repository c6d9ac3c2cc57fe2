#pragma once

#include <QObject>
#include <optional>

// Keeps the desktop's screen saver off while asked to, through the session bus's
// org.freedesktop.ScreenSaver service. Without a session bus or that service nothing happens.
// Calls are asynchronous so that a slow or absent service never holds up the window.
class TScreenSaverInhibitor : public QObject
{
    Q_OBJECT
public:
    explicit TScreenSaverInhibitor(QObject* parent = nullptr);
    ~TScreenSaverInhibitor() override;

    void SetInhibited(bool inhibited);
    bool Wanted() const { return FWanted; }
    // True while the service holds our inhibition.
    bool Held() const { return FCookie.has_value(); }

signals:
    void HeldChanged(bool held);

private:
    void SendInhibit();
    void SendUnInhibit();

    bool FWanted = false;
    bool FPending = false;
    std::optional<quint32> FCookie;
};
