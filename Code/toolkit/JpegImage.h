#pragma once

#include "Errors.h"

#include <QByteArray>
#include <QImage>
#include <QStringList>

// A JPEG stream that libjpeg refuses.
class EJpegError : public Exception
{
public:
    using Exception::Exception;
};

// Decodes JPEG pictures with libjpeg: grey, RGB and CMYK (Adobe's inverted storage) into RGB32.
class TJpegImage
{
public:
    // Throws EJpegError when the stream cannot be decoded at all. A stream that ends early still
    // gives its picture (the missing rows grey), and libjpeg's complaint lands in warnings.
    static QImage Decode(const QByteArray& bytes, QStringList* warnings = nullptr);
};
