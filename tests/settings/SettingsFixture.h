#pragma once

#include "AppObjects.h"
#include "ControlModels.h"
#include "TempProgramFolder.h"
#include "TestEnvironment.h"

#include <QString>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable failure output for the texts the tests compare.

// A program folder with the long-lived objects and the choice lists in their start-up state
// (lists filled, user settings loaded, the selected preset applied).
class SettingsFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    // Clears the program and the models, then starts again; for a profile file that must
    // exist before the lists are filled.
    void StartUp();

    QString ProfileFile() const { return Program->ConfigPath() + "UserProfileInfo.ini"; }
    QString CounterFile() const { return Program->ConfigPath() + "UserProfileCount.ini"; }
    void WriteProfiles(const QByteArray& bytes) const;

    // The texts selected in the six lists a profile covers, in profile-string order.
    QStringList SixSelected() const;
    // The selected indices of the eight option lists.
    QList<int> EightIndices() const;

    std::unique_ptr<TTempProgramFolder> Program;
    std::unique_ptr<TControlModels> Models;
    std::unique_ptr<TAppObjects> Objects;
};
