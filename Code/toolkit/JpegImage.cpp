#include "JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <vector>

namespace {

// libjpeg's own error_exit ends the process; this one jumps back into Decode instead.
struct TErrorManager
{
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    QStringList* Warnings;
};

QString LastMessage(j_common_ptr info)
{
    char text[JMSG_LENGTH_MAX] = {};
    (*info->err->format_message)(info, text);
    return QString::fromLocal8Bit(text);
}

[[noreturn]] void ErrorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<TErrorManager*>(info->err)->Jump, 1);
}

void EmitMessage(j_common_ptr info, int level)
{
    auto* manager = reinterpret_cast<TErrorManager*>(info->err);
    // Only real warnings (level -1); trace messages stay quiet.
    if (level < 0 && manager->Warnings)
        manager->Warnings->append(LastMessage(info));
    if (level < 0)
        ++info->err->num_warnings;
}

struct TDecompressGuard
{
    jpeg_decompress_struct* Info;
    ~TDecompressGuard() { jpeg_destroy_decompress(Info); }
};

// Reads the whole picture; every libjpeg failure longjmps out of here.
[[gnu::noinline]] void ReadPicture(jpeg_decompress_struct& info, QImage& image)
{
    jpeg_read_header(&info, TRUE);
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : (info.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB);
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    std::vector<unsigned char> row(static_cast<size_t>(info.output_width) * info.output_components);
    // Adobe writes CMYK inverted; libjpeg reports that through the Adobe marker.
    const bool inverted = cmyk && info.saw_Adobe_marker;
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        const int y = static_cast<int>(info.output_scanline);
        if (jpeg_read_scanlines(&info, rows, 1) != 1)
            break;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (unsigned x = 0; x < info.output_width; ++x) {
            const unsigned char* p = row.data() + static_cast<size_t>(x) * info.output_components;
            if (info.out_color_space == JCS_GRAYSCALE) {
                line[x] = qRgb(p[0], p[0], p[0]);
            } else if (info.out_color_space == JCS_CMYK) {
                const int c = p[0], m = p[1], ye = p[2], k = p[3];
                if (inverted)
                    line[x] = qRgb(c * k / 255, m * k / 255, ye * k / 255);
                else
                    line[x] =
                        qRgb((255 - c) * (255 - k) / 255, (255 - m) * (255 - k) / 255, (255 - ye) * (255 - k) / 255);
            } else {
                line[x] = qRgb(p[0], p[1], p[2]);
            }
        }
    }
    jpeg_finish_decompress(&info);
}

// The one frame that holds the setjmp: nothing local to it changes after the jump is set.
bool ReadGuarded(jpeg_decompress_struct& info, TErrorManager& errors, QImage& image)
{
    if (setjmp(errors.Jump))
        return false;
    ReadPicture(info, image);
    return true;
}

} // namespace

QImage TJpegImage::Decode(const QByteArray& bytes, QStringList* warnings)
{
    if (bytes.isEmpty())
        throw EJpegError(QStringLiteral("The picture is empty."));

    jpeg_decompress_struct info{};
    TErrorManager errors{};
    info.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = ErrorExit;
    errors.Base.emit_message = EmitMessage;
    errors.Warnings = warnings;
    jpeg_create_decompress(&info);
    TDecompressGuard guard{&info};
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    QImage image;
    if (ReadGuarded(info, errors, image))
        return image;
    const QString failure = LastMessage(reinterpret_cast<j_common_ptr>(&info));
    // A stream that broke off after its header still shows what was decoded.
    if (!image.isNull() && info.output_scanline > 0) {
        if (warnings)
            warnings->append(failure);
        return image;
    }
    throw EJpegError(QStringLiteral("The picture cannot be decoded: ") + failure);
}
