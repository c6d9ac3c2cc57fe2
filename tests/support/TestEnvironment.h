#pragma once

#include "FakeDialogs.h"
#include "FakePlatform.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <ostream>

// The doubles every test runs with; installed by the test mains before any test starts.
TFakePlatform& FakePlatform();
TFakeDialogs& FakeDialogs();
// Installs fresh doubles (a new clock, no recorded calls, no queued answers).
void ResetDoubles();

// Folder of the generated clips, with a trailing "/".
QString TestMediaFolder();
// The whole content of a file, or an empty array when it cannot be read.
QByteArray ReadFileBytes(const QString& path);
void WriteFileBytes(const QString& path, const QByteArray& bytes);

// Lets test failures show Qt texts as text.
void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QStringList& texts, std::ostream* os);

// Lets queued events run until the condition holds; false when the time is up first.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000);
