#pragma once

#include "AppObjects.h"
#include "ControlModels.h"
#include "FilterGraph.h"
#include "PreviewPlayer.h"
#include "RangeBar.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"

#include <QMap>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// A media graph that records what is asked of it. Files render with the status set for their
// path (0 by default, -1 throws); the position is whatever the test sets.
class TFakeGraph : public TFilterGraph
{
public:
    bool Active() const override { return FActive; }
    void SetActive(bool active) override;
    void Clear() override;
    int RenderFile(const QString& path) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    std::int64_t Duration() override { return Rendered.isEmpty() ? 0 : DurationMs; }
    std::int64_t CurrentPosition() override { return PositionMs * 10000; }
    void Seek(std::int64_t ms) override;

    QMap<QString, int> Statuses;
    bool FailPlay = false;
    QString Rendered;
    std::int64_t DurationMs = 100000;
    std::int64_t PositionMs = 0;
    bool Running = false;
    QStringList Calls;

private:
    bool FActive = false;
};

// The player and the range bar over fresh models and a fake graph, with the log in a private
// program folder.
class PreviewFixture : public ::testing::Test
{
public:
    void SetUp() override;
    void TearDown() override;

    TSourceList& List() { return Models->dxTreeSourceFileInfo; }
    // Appends a row for /m/<number>.mp4 with the given times.
    void AddRow(int number, const QString& duration = QStringLiteral("00:01:40"),
                const QString& start = QStringLiteral("00:00:00"), const QString& end = QStringLiteral("00:01:40"));
    QString Name(int number) const { return QStringLiteral("/m/%1.mp4").arg(number); }
    void Select(std::initializer_list<int> rows);
    QStringList LogMessages() const;
    // One position tick at the given position in whole seconds of the fake graph.
    void TickAt(std::int64_t seconds);

    std::unique_ptr<TTempProgramFolder> Program;
    std::unique_ptr<TControlModels> Models;
    std::unique_ptr<TAppObjects> Objects;
    TFakeGraph Graph;
    std::unique_ptr<TPreviewPlayer> Player;
    std::unique_ptr<TRangeBar> Bar;
};
