#include "PreviewFixture.h"

#include "UnitCustomProc.h"

#include <QFile>

void TFakeGraph::SetActive(bool active)
{
    Calls << (active ? QStringLiteral("active") : QStringLiteral("inactive"));
    FActive = active;
    if (!active) {
        Rendered.clear();
        Running = false;
    }
}

void TFakeGraph::Clear()
{
    Calls << QStringLiteral("clear");
    Rendered.clear();
    Running = false;
}

int TFakeGraph::RenderFile(const QString& path)
{
    Calls << QStringLiteral("render ") + path;
    if (!FActive)
        throw EMediaError(QStringLiteral("not active"));
    const int status = Statuses.value(path, 0);
    if (status < 0)
        throw EMediaError(QStringLiteral("cannot render"));
    Rendered = path;
    PositionMs = 0;
    return status;
}

void TFakeGraph::Play()
{
    Calls << QStringLiteral("play");
    if (!FActive || FailPlay)
        throw EMediaError(QStringLiteral("cannot play"));
    Running = true;
}

void TFakeGraph::Pause()
{
    Calls << QStringLiteral("pause");
    if (!FActive)
        throw EMediaError(QStringLiteral("cannot pause"));
    Running = false;
}

void TFakeGraph::Stop()
{
    Calls << QStringLiteral("stop");
    if (!FActive)
        throw EMediaError(QStringLiteral("cannot stop"));
    Running = false;
}

void TFakeGraph::Seek(std::int64_t ms)
{
    Calls << QStringLiteral("seek %1").arg(ms);
    if (!Rendered.isEmpty())
        PositionMs = std::max<std::int64_t>(0, ms);
}

void PreviewFixture::SetUp()
{
    ResetDoubles();
    Program = std::make_unique<TTempProgramFolder>();
    Models = std::make_unique<TControlModels>();
    Objects = std::make_unique<TAppObjects>(*Models);
    Player = std::make_unique<TPreviewPlayer>(Graph, List());
    Bar = std::make_unique<TRangeBar>(*Player, List());
}

void PreviewFixture::TearDown()
{
    Bar.reset();
    Player.reset();
    Objects.reset();
    Models.reset();
    Program.reset();
}

void PreviewFixture::AddRow(int number, const QString& duration, const QString& start, const QString& end)
{
    List().AppendRow({QStringLiteral("True"), Name(number), QStringLiteral("1 MB"), duration, start, end, duration});
}

void PreviewFixture::Select(std::initializer_list<int> rows)
{
    List().ClearSelection();
    for (const int row : rows)
        List().SelectRow(row);
}

QStringList PreviewFixture::LogMessages() const
{
    QStringList messages;
    const QString text = QString::fromUtf8(ReadFileBytes(Program->Path() + QStringLiteral("log.txt")));
    for (const QString& line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        messages << line.mid(line.indexOf(QLatin1Char('|')) + 1);
    return messages;
}

void PreviewFixture::TickAt(std::int64_t seconds)
{
    Graph.PositionMs = seconds * 1000;
    Player->dstrckbrMainformTimer(static_cast<quint32>(Graph.PositionMs), static_cast<quint32>(Graph.Duration()));
}
