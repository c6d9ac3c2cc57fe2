#include "JpegImage.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <random>
#include <vector>

namespace {

// Pictures for the decoder, written with libjpeg's own compressor.
struct TJpegWriter
{
    int Width = 64;
    int Height = 48;
    int Components = 3;
    J_COLOR_SPACE Space = JCS_RGB;
    bool AdobeMarker = false;

    // pixel(x, y, out) fills Components bytes of one pixel.
    template <typename TPixel> QByteArray Write(TPixel pixel) const
    {
        jpeg_compress_struct info{};
        jpeg_error_mgr errors{};
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
        unsigned char* buffer = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&info, &buffer, &size);
        info.image_width = static_cast<JDIMENSION>(Width);
        info.image_height = static_cast<JDIMENSION>(Height);
        info.input_components = Components;
        info.in_color_space = Space;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, 95, TRUE);
        if (Space == JCS_CMYK) {
            jpeg_set_colorspace(&info, JCS_CMYK);
            info.write_Adobe_marker = AdobeMarker ? TRUE : FALSE;
        }
        jpeg_start_compress(&info, TRUE);
        std::vector<unsigned char> row(static_cast<size_t>(Width * Components));
        for (int y = 0; y < Height; ++y) {
            for (int x = 0; x < Width; ++x)
                pixel(x, y, row.data() + x * Components);
            JSAMPROW rows[1] = {row.data()};
            jpeg_write_scanlines(&info, rows, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
        std::free(buffer);
        return bytes;
    }
};

// Left half red, right half blue.
QByteArray TwoColourRgb(int width = 64, int height = 48)
{
    TJpegWriter writer;
    writer.Width = width;
    writer.Height = height;
    return writer.Write([width](int x, int, unsigned char* p) {
        p[0] = x < width / 2 ? 220 : 20;
        p[1] = 20;
        p[2] = x < width / 2 ? 20 : 220;
    });
}

void ExpectNear(QRgb actual, QRgb expected, const char* where)
{
    constexpr int tolerance = 10;
    EXPECT_NEAR(qRed(actual), qRed(expected), tolerance) << where;
    EXPECT_NEAR(qGreen(actual), qGreen(expected), tolerance) << where;
    EXPECT_NEAR(qBlue(actual), qBlue(expected), tolerance) << where;
}

} // namespace

TEST(JpegImageTest, DecodesAnRgbPicture)
{
    QStringList warnings;
    const QImage image = TJpegImage::Decode(TwoColourRgb(), &warnings);
    ASSERT_EQ(image.size(), QSize(64, 48));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();
    ExpectNear(image.pixel(8, 8), qRgb(220, 20, 20), "left");
    ExpectNear(image.pixel(56, 40), qRgb(20, 20, 220), "right");
}

TEST(JpegImageTest, DecodesAGreyPicture)
{
    TJpegWriter writer;
    writer.Components = 1;
    writer.Space = JCS_GRAYSCALE;
    const QImage image =
        TJpegImage::Decode(writer.Write([](int x, int, unsigned char* p) { p[0] = x < 32 ? 40 : 200; }));
    ASSERT_EQ(image.size(), QSize(64, 48));
    ExpectNear(image.pixel(8, 24), qRgb(40, 40, 40), "dark half");
    ExpectNear(image.pixel(56, 24), qRgb(200, 200, 200), "light half");
}

// CMYK with an Adobe marker is stored inverted (0 = full ink); without the marker it is not.
TEST(JpegImageTest, DecodesCmykWithAndWithoutTheAdobeInversion)
{
    const struct
    {
        const char* Name;
        unsigned char Cmyk[4]; // in ink amounts, 255 = full
        QRgb Expected;
    } colours[] = {
        {"red", {0, 255, 255, 0}, qRgb(255, 0, 0)},
        {"green", {255, 0, 255, 0}, qRgb(0, 255, 0)},
        {"white", {0, 0, 0, 0}, qRgb(255, 255, 255)},
        {"black", {0, 0, 0, 255}, qRgb(0, 0, 0)},
        {"half grey through black ink", {0, 0, 0, 128}, qRgb(127, 127, 127)},
    };
    for (const bool adobe : {true, false}) {
        for (const auto& colour : colours) {
            TJpegWriter writer;
            writer.Width = writer.Height = 16;
            writer.Components = 4;
            writer.Space = JCS_CMYK;
            writer.AdobeMarker = adobe;
            const QByteArray jpeg = writer.Write([&](int, int, unsigned char* p) {
                for (int i = 0; i < 4; ++i)
                    p[i] = adobe ? static_cast<unsigned char>(255 - colour.Cmyk[i]) : colour.Cmyk[i];
            });
            ASSERT_EQ(jpeg.contains("Adobe"), adobe) << colour.Name;
            const QImage image = TJpegImage::Decode(jpeg);
            ASSERT_EQ(image.size(), QSize(16, 16)) << colour.Name;
            const std::string where = std::string(colour.Name) + (adobe ? " (Adobe)" : " (plain)");
            ExpectNear(image.pixel(8, 8), colour.Expected, where.c_str());
        }
    }
}

// A stream that breaks off after some rows still gives the whole picture, with a warning.
TEST(JpegImageTest, TruncatedPictureDecodesWithAWarning)
{
    const QByteArray whole = TwoColourRgb(256, 256);
    QStringList warnings;
    QImage image;
    ASSERT_NO_THROW(image = TJpegImage::Decode(whole.left(whole.size() * 6 / 10), &warnings));
    ASSERT_EQ(image.size(), QSize(256, 256));
    EXPECT_FALSE(warnings.isEmpty());
    ExpectNear(image.pixel(20, 4), qRgb(220, 20, 20), "first row, left");
    ExpectNear(image.pixel(236, 4), qRgb(20, 20, 220), "first row, right");
    // Without a list for the warnings the picture still comes back.
    EXPECT_FALSE(TJpegImage::Decode(whole.left(whole.size() * 6 / 10)).isNull());
}

// What cannot be decoded at all fails with the decoder's error and leaves the process running.
TEST(JpegImageTest, UndecodableStreamsFailCleanly)
{
    std::mt19937 random(20240607);
    QByteArray noise(4096, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random() & 0xFF);
    noise[0] = 0x12; // not the start-of-image marker
    const QByteArray whole = TwoColourRgb();
    const struct
    {
        const char* Name;
        QByteArray Bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"random bytes", noise},
        {"text", QByteArray("this is not a picture")},
        {"start marker only", QByteArray("\xFF\xD8", 2)},
        {"cut inside the header", whole.left(120)},
    };
    for (const auto& c : cases) {
        QStringList warnings;
        EXPECT_THROW(TJpegImage::Decode(c.Bytes, &warnings), EJpegError) << c.Name;
    }
    // The decoder still works after the failures.
    EXPECT_EQ(TJpegImage::Decode(whole).size(), QSize(64, 48));
}
