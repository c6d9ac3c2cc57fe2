#pragma once

#include "AppObjects.h"
#include "ControlModels.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"
#include "UnitCustomProc.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// The long-lived objects over fresh models, with the calls out of the source list recorded
// in the order they happen.
class SourcesFixture : public ::testing::Test
{
public:
    void SetUp() override;
    void TearDown() override;

    TSourceList& List() { return Models->dxTreeSourceFileInfo; }
    // A row as the list holds it, its seven texts joined by "|".
    QString RowText(int row);
    // Appends a row named after its number with the given times.
    void AddRow(int number, const QString& duration = QStringLiteral("00:02:00"),
                const QString& start = QStringLiteral("00:00:00"), const QString& end = QStringLiteral("00:02:00"));
    // The File Name cells in list order.
    QStringList Names();
    // A copy of a generated clip under a new name in the temporary folder.
    QString CopyClip(const QString& clip, const QString& name);
    // The warnings shown so far.
    int Warnings() const;

    std::unique_ptr<TTempProgramFolder> Program;
    QString Work;
    std::unique_ptr<TControlModels> Models;
    std::unique_ptr<TAppObjects> Objects;
    QStringList Hooks;
    std::vector<std::int64_t> Seeks;
};
