// The program's PNG pictures: every row filter undone, other PNGs left to Qt's reader, damaged
// data refused.

#include "support/QtTestApp.h"
#include "widgets/PngImage.h"

#include <QBuffer>
#include <QImageWriter>

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace vp {
namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result.append(static_cast<char>(value));
    return result;
}

QByteArray bigEndian(quint32 value)
{
    return bytes({int(value >> 24), int((value >> 16) & 0xff), int((value >> 8) & 0xff), int(value & 0xff)});
}

// PNG's CRC-32, so that Qt's reader takes the pictures too.
quint32 crc32(const QByteArray& data)
{
    quint32 crc = 0xffffffffU;
    for (const char byte : data) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320U & (0U - (crc & 1U)));
    }
    return ~crc;
}

QByteArray chunk(const char* type, const QByteArray& data)
{
    const QByteArray typed = QByteArray(type, 4) + data;
    return bigEndian(static_cast<quint32>(data.size())) + typed + bigEndian(crc32(typed));
}

// A PNG of 8-bit channels of the colour type (2 RGB, 6 RGBA) from filtered rows.
QByteArray png(int width, int height, int colourType, const QByteArray& filteredRows,
               const QByteArray& extraChunks = {})
{
    const QByteArray header =
        bigEndian(static_cast<quint32>(width)) + bigEndian(static_cast<quint32>(height)) + bytes({8, colourType, 0, 0, 0});
    return bytes({0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'}) + chunk("IHDR", header) + extraChunks +
           chunk("IDAT", qCompress(filteredRows).mid(4)) + chunk("IEND", {});
}

// Five rows of two RGBA pixels, one row per filter: none, left, up, average, Paeth.
const QByteArray kFilteredRows = bytes({0, 10, 20, 30, 255, 40, 50, 60, 128,
                                        1, 11, 22, 33, 200, 4, 8, 12, 156,
                                        2, 9, 254, 243, 76, 36, 10, 241, 176,
                                        3, 90, 90, 90, 90, 181, 185, 191, 195,
                                        4, 157, 158, 159, 160, 5, 162, 7, 164});

TEST(PngImageTest, EveryRowFilterIsUndone)
{
    const QImage image = pngImageFromData(png(2, 5, 6, kFilteredRows));
    ASSERT_EQ(image.size(), QSize(2, 5));
    const QRgb expected[5][2] = {
        {qRgba(10, 20, 30, 255), qRgba(40, 50, 60, 128)},    {qRgba(11, 22, 33, 200), qRgba(15, 30, 45, 100)},
        {qRgba(20, 20, 20, 20), qRgba(51, 40, 30, 20)},      {qRgba(100, 100, 100, 100), qRgba(0, 255, 0, 255)},
        {qRgba(1, 2, 3, 4), qRgba(5, 6, 7, 8)},
    };
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(image.pixel(x, y), expected[y][x]) << "row " << y << ", pixel " << x;
    }
}

TEST(PngImageTest, RgbAndPicturesForQtsReaderAreRead)
{
    test::testApp();
    EXPECT_EQ(pngImageFromData(png(1, 1, 2, bytes({0, 1, 2, 3}))).pixel(0, 0), qRgb(1, 2, 3));

    // A palette picture, and one whose transparent colour is given by a chunk.
    QImage palette(2, 1, QImage::Format_Indexed8);
    palette.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
    palette.setPixel(0, 0, 1);
    palette.setPixel(1, 0, 0);
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    ASSERT_TRUE(QImageWriter(&written, "png").write(palette));
    const QImage read = pngImageFromData(written.data());
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(read.pixel(1, 0), qRgb(255, 0, 0));

    const QImage keyed = pngImageFromData(png(1, 1, 2, bytes({0, 1, 2, 3}), chunk("tRNS", bytes({0, 1, 0, 2, 0, 3}))));
    ASSERT_FALSE(keyed.isNull());
    EXPECT_EQ(keyed.pixel(0, 0), qRgba(1, 2, 3, 0)) << "the transparent colour";
}

TEST(PngImageTest, DamagedDataGivesANullImage)
{
    test::testApp();
    const QByteArray good = png(2, 5, 6, kFilteredRows);
    QByteArray unknownFilter = kFilteredRows;
    unknownFilter[9] = 5;
    QByteArray hugeChunk = good;
    hugeChunk.replace(8, 4, bigEndian(0xfffffff0));
    const std::vector<std::pair<const char*, QByteArray>> damaged = {
        {"empty", {}},
        {"the signature only", good.left(8)},
        {"cut in the header", good.left(20)},
        {"cut in the pixels", good.left(good.size() - 20)},
        {"without its end", good.left(good.size() - 12)},
        {"a chunk longer than the file", hugeChunk},
        {"too few pixels", png(2, 6, 6, kFilteredRows)},
        {"a filter type PNG does not have", png(2, 5, 6, unknownFilter)},
    };
    for (const auto& [what, data] : damaged)
        EXPECT_TRUE(pngImageFromData(data).isNull()) << what;
}

} // namespace
} // namespace vp
