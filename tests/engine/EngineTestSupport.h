#pragma once

#include <QByteArray>
#include <QString>

// Writes an executable shell script (the body follows "#!/bin/sh").
void WriteScript(const QString& path, const QByteArray& body);
// Number of file descriptors the test process holds open.
int OpenDescriptorCount();
// Lines of the program folder's log.txt that end with the text.
int LogLinesEndingWith(const QString& logPath, const QString& text);
// Lines of the log that contain the text.
int LogLinesContaining(const QString& logPath, const QString& text);
