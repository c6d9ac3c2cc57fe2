#include "TestEnvironment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <memory>

namespace {
std::unique_ptr<TFakePlatform> GFakePlatform;
std::unique_ptr<TFakeDialogs> GFakeDialogs;
} // namespace

TFakePlatform& FakePlatform()
{
    if (!GFakePlatform)
        ResetDoubles();
    return *GFakePlatform;
}

TFakeDialogs& FakeDialogs()
{
    if (!GFakeDialogs)
        ResetDoubles();
    return *GFakeDialogs;
}

void ResetDoubles()
{
    auto platform = std::make_unique<TFakePlatform>();
    auto dialogs = std::make_unique<TFakeDialogs>();
    SetPlatform(platform.get());
    SetDialogs(dialogs.get());
    GFakePlatform = std::move(platform);
    GFakeDialogs = std::move(dialogs);
    SetApplicationTitle(QStringLiteral("Quorvid"));
}

QString TestMediaFolder()
{
    return QStringLiteral(QUORVID_TEST_MEDIA_DIR "/");
}

QByteArray ReadFileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QStringList& texts, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        *os << (i ? ", " : "");
        PrintTo(texts.at(i), os);
    }
    *os << '}';
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}
