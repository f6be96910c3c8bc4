#include "platform/icon_file.h"

#include <QByteArrayView>
#include <QFile>
#include <QImageReader>

#include <cstdint>
#include <utility>

namespace platform {

namespace {

std::uint32_t u16(const uchar *p) { return p[0] | std::uint32_t(p[1]) << 8; }
std::uint32_t u32(const uchar *p) { return u16(p) | u16(p + 2) << 16; }

// One image stored as a plain bitmap: an info header of 40 bytes,
// uncompressed, 1, 4 or 8 bits a pixel, its colour table, the rows bottom up,
// then the transparency mask. Null for any other kind.
QImage plainBitmap(QByteArrayView entry)
{
    if (entry.size() < 40)
        return {};
    const auto *data = reinterpret_cast<const uchar *>(entry.data());
    const std::int32_t width = std::int32_t(u32(data + 4));
    const std::int32_t height = std::int32_t(u32(data + 8)) / 2; // the image, then its mask
    const std::uint32_t bits = u16(data + 14);
    std::uint32_t colours = u32(data + 32);
    if (u32(data) != 40 || u32(data + 16) != 0 || (bits != 1 && bits != 4 && bits != 8) || width <= 0 || width > 256
        || height <= 0 || height > 256)
        return {};
    if (colours == 0)
        colours = 1u << bits;
    if (colours > 1u << bits)
        return {};
    const qsizetype rowBytes = (width * bits + 31) / 32 * 4;
    const qsizetype maskRowBytes = (width + 31) / 32 * 4;
    const qsizetype pixels = 40 + qsizetype(colours) * 4;
    const qsizetype mask = pixels + rowBytes * height;
    if (entry.size() < mask + maskRowBytes * height)
        return {};
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y) {
        const uchar *row = data + pixels + rowBytes * (height - 1 - y);
        const uchar *maskRow = data + mask + maskRowBytes * (height - 1 - y);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::uint32_t bit = x * bits;
            const std::uint32_t index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
            if (maskRow[x / 8] & (0x80 >> (x % 8))) {
                out[x] = 0;
                continue;
            }
            if (index >= colours)
                return {};
            const uchar *colour = data + 40 + index * 4;
            out[x] = qRgb(colour[2], colour[1], colour[0]);
        }
    }
    return image;
}

} // namespace

std::vector<QImage> readPlainIcon(QByteArrayView bytes)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.data());
    if (bytes.size() < 6 || u16(data) != 0 || u16(data + 2) != 1)
        return {};
    std::vector<QImage> images;
    const qsizetype count = u16(data + 4);
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype entry = 6 + 16 * i;
        if (bytes.size() < entry + 16)
            return {};
        const qsizetype size = u32(data + entry + 8), offset = u32(data + entry + 12);
        if (offset > bytes.size() || size > bytes.size() - offset)
            return {};
        QImage image = plainBitmap(bytes.sliced(offset, size));
        if (image.isNull())
            return {};
        images.push_back(std::move(image));
    }
    return images;
}

// Qt's reader loads its image plugins first, which costs about a millisecond
// before a window can show its icon; a program's own icon is usually plain
// bitmaps, which are decoded here.
std::vector<QImage> readIconImages(const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        if (std::vector<QImage> images = readPlainIcon(file.readAll()); !images.empty())
            return images;
    }
    std::vector<QImage> images;
    QImageReader reader(path);
    do {
        QImage image = reader.read();
        if (!image.isNull())
            images.push_back(std::move(image));
    } while (reader.jumpToNextImage());
    return images;
}

} // namespace platform
