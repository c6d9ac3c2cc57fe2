#include "Artwork.h"

#include "AppFunc.h"
#include "AppObjects.h"
#include "JpegImage.h"

#include <QFile>

QImage TArtwork::Picture(const QString& name)
{
    QFile file(QStringLiteral(":/artwork/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (name.endsWith(QLatin1String(".jpg"))) {
        try {
            return TJpegImage::Decode(bytes);
        } catch (const Exception& e) {
            if (AppFunc)
                AppFunc->WriteLog(e.Message());
            return {};
        }
    }
    return QImage::fromData(bytes);
}

QImage TArtwork::ButtonUp(const QString& name)
{
    return Picture(QStringLiteral("btn-%1-up.png").arg(name));
}

QImage TArtwork::ButtonHot(const QString& name)
{
    return Picture(QStringLiteral("btn-%1-hot.png").arg(name));
}

QImage TArtwork::ButtonDown(const QString& name)
{
    return Picture(QStringLiteral("btn-%1-down.png").arg(name));
}
