#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file's content without ever leaving it half written: the bytes go to a temporary
// file in the same folder, which is then renamed over the old one. Throws EFileError (naming
// the path) and leaves the old file as it was when anything fails.
void SaveFileSafely(const QString& path, const QByteArray& bytes);
