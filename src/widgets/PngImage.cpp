#include "widgets/PngImage.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace vp {

namespace {

constexpr std::array<unsigned char, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
// Larger pictures are Qt's reader's: this one is for icons and signs.
constexpr std::uint32_t kMaxSide = 1024;

std::uint32_t bigEndian32(const unsigned char* bytes)
{
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) |
           std::uint32_t{bytes[3]};
}

bool isChunk(const unsigned char* type, const char* name)
{
    return std::memcmp(type, name, 4) == 0;
}

// Chunks that change what the pixels mean (transparency of RGB, gamma, colour profiles) are left
// to Qt's reader, which knows them.
bool changesColours(const unsigned char* type)
{
    for (const char* name : {"tRNS", "gAMA", "cHRM", "sRGB", "iCCP", "sBIT"}) {
        if (isChunk(type, name))
            return true;
    }
    return false;
}

int paeth(int left, int up, int upLeft)
{
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left);
    const int toUp = std::abs(estimate - up);
    const int toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft)
        return left;
    return toUp <= toUpLeft ? up : upLeft;
}

// Undoes one row's filter in place, `up` being the row above already undone (zeros above the first
// row). One loop per filter type: the window icon's largest picture alone is 64 KB of rows.
bool unfilterRow(int filter, unsigned char* row, const unsigned char* up, int length, int pixelBytes)
{
    const int n = pixelBytes;
    switch (filter) {
    case 0:
        return true;
    case 1:
        for (int i = n; i < length; ++i)
            row[i] = static_cast<unsigned char>(row[i] + row[i - n]);
        return true;
    case 2:
        for (int i = 0; i < length; ++i)
            row[i] = static_cast<unsigned char>(row[i] + up[i]);
        return true;
    case 3:
        for (int i = 0; i < n; ++i)
            row[i] = static_cast<unsigned char>(row[i] + up[i] / 2);
        for (int i = n; i < length; ++i)
            row[i] = static_cast<unsigned char>(row[i] + (row[i - n] + up[i]) / 2);
        return true;
    case 4:
        // With nothing to the left the predictor is the byte above.
        for (int i = 0; i < n; ++i)
            row[i] = static_cast<unsigned char>(row[i] + up[i]);
        for (int i = n; i < length; ++i)
            row[i] = static_cast<unsigned char>(row[i] + paeth(row[i - n], up[i], up[i - n]));
        return true;
    default:
        return false;
    }
}

// The picture when it is one this decoder reads, otherwise a null image. The chunks' checksums are
// not checked: the zlib stream's own checksum covers the pixels.
QImage decodePlainPng(const QByteArray& png)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(png.constData());
    const auto size = static_cast<std::size_t>(png.size());
    if (size < kSignature.size() || std::memcmp(bytes, kSignature.data(), kSignature.size()) != 0)
        return {};

    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int pixelBytes = 0;
    QByteArray stream;
    bool ended = false;
    for (std::size_t at = kSignature.size(); !ended;) {
        if (size - at < 12)
            return {};
        const std::uint32_t length = bigEndian32(bytes + at);
        const unsigned char* type = bytes + at + 4;
        const unsigned char* data = bytes + at + 8;
        if (length > size - at - 12)
            return {};
        const bool first = at == kSignature.size();
        if (first != isChunk(type, "IHDR"))
            return {};
        if (first) {
            // 8 bits per channel, RGB (2) or RGBA (6), deflate, adaptive filters, not interlaced.
            if (length != 13 || data[8] != 8 || (data[9] != 2 && data[9] != 6) || data[10] != 0 || data[11] != 0 ||
                data[12] != 0)
                return {};
            width = bigEndian32(data);
            height = bigEndian32(data + 4);
            if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
                return {};
            pixelBytes = data[9] == 6 ? 4 : 3;
        } else if (isChunk(type, "IDAT")) {
            stream.append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
        } else if (isChunk(type, "IEND")) {
            ended = true;
        } else if ((type[0] & 0x20) == 0 || changesColours(type)) {
            // A critical chunk (an upper-case first letter), such as a palette.
            return {};
        }
        at += 12 + length;
    }

    const int rowBytes = static_cast<int>(width) * pixelBytes;
    const qsizetype expected = static_cast<qsizetype>(height) * (rowBytes + 1);
    // qUncompress takes the zlib stream after the expected size, big-endian.
    QByteArray sized(4, '\0');
    for (int i = 0; i < 4; ++i)
        sized[i] = static_cast<char>((static_cast<std::uint32_t>(expected) >> (24 - 8 * i)) & 0xff);
    sized.append(stream);
    QByteArray rows = qUncompress(sized);
    if (rows.size() != expected)
        return {};

    QImage image(static_cast<int>(width), static_cast<int>(height),
                 pixelBytes == 4 ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (image.isNull())
        return {};
    auto* row = reinterpret_cast<unsigned char*>(rows.data());
    const QByteArray zeros(rowBytes, '\0');
    const auto* up = reinterpret_cast<const unsigned char*>(zeros.constData());
    for (int y = 0; y < image.height(); ++y, row += rowBytes + 1) {
        if (!unfilterRow(row[0], row + 1, up, rowBytes, pixelBytes))
            return {};
        std::memcpy(image.scanLine(y), row + 1, static_cast<std::size_t>(rowBytes));
        up = row + 1;
    }
    return image;
}

} // namespace

QImage pngImageFromData(const QByteArray& png)
{
    QImage image = decodePlainPng(png);
    if (!image.isNull())
        return image;
    QBuffer buffer;
    buffer.setData(png);
    QImageReader reader(&buffer, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage readPngImage(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return pngImageFromData(file.readAll());
}

} // namespace vp
