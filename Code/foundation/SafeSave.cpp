#include "SafeSave.h"

#include "Errors.h"

#include <QSaveFile>

void SaveFileSafely(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Writing through a temporary file needs no write access to the old file itself.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw EFileError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw EFileError(QStringLiteral("Cannot write file \"%1\". %2").arg(path, reason));
    }
    if (!file.commit())
        throw EFileError(QStringLiteral("Cannot write file \"%1\". %2").arg(path, file.errorString()));
}
