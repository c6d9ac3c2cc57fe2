#include "ScreenSaverInhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

const char* const cstService = "org.freedesktop.ScreenSaver";
const char* const cstPath = "/org/freedesktop/ScreenSaver";
const char* const cstInterface = "org.freedesktop.ScreenSaver";

} // namespace

TScreenSaverInhibitor::TScreenSaverInhibitor(QObject* parent) : QObject(parent) {}

TScreenSaverInhibitor::~TScreenSaverInhibitor()
{
    if (FCookie)
        SendUnInhibit();
}

void TScreenSaverInhibitor::SetInhibited(bool inhibited)
{
    if (FWanted == inhibited)
        return;
    FWanted = inhibited;
    // While a request is under way its reply decides what follows.
    if (FPending)
        return;
    if (inhibited && !FCookie)
        SendInhibit();
    else if (!inhibited && FCookie)
        SendUnInhibit();
}

void TScreenSaverInhibitor::SendInhibit()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(cstService), QLatin1String(cstPath),
                                                       QLatin1String(cstInterface), QStringLiteral("Inhibit"));
    call << QStringLiteral("Quorvid") << QStringLiteral("Playing a preview");
    FPending = true;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 5000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        FPending = false;
        const QDBusPendingReply<quint32> reply = *w;
        if (reply.isError())
            return;
        FCookie = reply.value();
        emit HeldChanged(true);
        if (!FWanted)
            SendUnInhibit();
    });
}

void TScreenSaverInhibitor::SendUnInhibit()
{
    const quint32 cookie = *FCookie;
    FCookie.reset();
    emit HeldChanged(false);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(cstService), QLatin1String(cstPath),
                                                       QLatin1String(cstInterface), QStringLiteral("UnInhibit"));
    call << cookie;
    bus.asyncCall(call);
}
