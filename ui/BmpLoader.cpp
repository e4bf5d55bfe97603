#include "ui/BmpLoader.h"

#include <cstdint>
#include <cstdlib>

namespace ui {
namespace {

// The file header (14 bytes) and the start of the info header, the fields read here.
constexpr qsizetype kFileHeader = 14;
constexpr qsizetype kInfoHeader = 40;
constexpr int kMaxSide = 16384; // as for JPEG: a forged header allocates nothing huge

std::uint32_t unsigned32(const QByteArray& bytes, qsizetype at) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData() + at);
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

std::int32_t signed32(const QByteArray& bytes, qsizetype at) {
    return static_cast<std::int32_t>(unsigned32(bytes, at));
}

std::uint16_t unsigned16(const QByteArray& bytes, qsizetype at) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData() + at);
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

} // namespace

bool isPlainBmp(const QByteArray& bytes) {
    if (bytes.size() < kFileHeader + kInfoHeader || !bytes.startsWith("BM")) return false;
    const std::uint32_t headerSize = unsigned32(bytes, kFileHeader);
    const std::uint16_t planes = unsigned16(bytes, kFileHeader + 12);
    const std::uint16_t bitsPerPixel = unsigned16(bytes, kFileHeader + 14);
    const std::uint32_t compression = unsigned32(bytes, kFileHeader + 16);
    return headerSize >= kInfoHeader && planes == 1 && bitsPerPixel == 24 && compression == 0;
}

common::Outcome<QImage> decodeBmp(const QByteArray& bytes) {
    if (!isPlainBmp(bytes)) return common::Failure{QStringLiteral("not an uncompressed 24-bit bitmap")};
    const std::uint32_t pixelsAt = unsigned32(bytes, 10);
    const std::int32_t width = signed32(bytes, kFileHeader + 4);
    const std::int32_t height = signed32(bytes, kFileHeader + 8); // negative: rows run top down
    const std::int64_t rows = std::abs(static_cast<std::int64_t>(height));
    if (width <= 0 || rows == 0 || width > kMaxSide || rows > kMaxSide)
        return common::Failure{QStringLiteral("bitmap size out of range")};
    const std::int64_t stride = (static_cast<std::int64_t>(width) * 24 + 31) / 32 * 4;
    if (pixelsAt < kFileHeader + kInfoHeader || pixelsAt + stride * rows > bytes.size())
        return common::Failure{QStringLiteral("bitmap cut short")};

    QImage image(width, static_cast<int>(rows), QImage::Format_RGB32);
    if (image.isNull()) return common::Failure{QStringLiteral("out of memory for the bitmap")};
    const auto* pixels = reinterpret_cast<const unsigned char*>(bytes.constData() + pixelsAt);
    for (std::int64_t row = 0; row < rows; ++row) {
        const unsigned char* source = pixels + row * stride;
        auto* line =
            reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(height < 0 ? row : rows - 1 - row)));
        for (int x = 0; x < width; ++x, source += 3)
            line[x] = qRgb(source[2], source[1], source[0]);
    }
    image.setDotsPerMeterX(signed32(bytes, kFileHeader + 24));
    image.setDotsPerMeterY(signed32(bytes, kFileHeader + 28));
    return image;
}

} // namespace ui
