#pragma once

#include <QString>
#include <QStringList>

// The open dialog's filter, in Qt's filter syntax.
QString SourceFileFilter();

// True when the file name's extension (from its last ".") is one the list accepts, in any
// letter case.
bool IsAcceptedSourceFile(const QString& path);

// The names in their order, each exact text kept only the first time it appears.
QStringList DropLaterDuplicates(const QStringList& names);

// The warning shown once for each file the probe refuses.
QString FileReadingErrorText();
