#pragma once

#include <QImage>
#include <QString>

// The pictures the program carries (built into it); JPEGs go through libjpeg.
class TArtwork
{
public:
    static QImage Picture(const QString& name);
    // The three pictures of a bitmap button: btn-<name>-up, -hot, -down.
    static QImage ButtonUp(const QString& name);
    static QImage ButtonHot(const QString& name);
    static QImage ButtonDown(const QString& name);
};
