// Generates the Glyphery program icon: a yellow cube in three-quarter view
// with a red spot on top, a blue lambda on the left face and a purple hash on
// the right face. Writes a two-image (32x32, then 16x16) 8-bit ICO file, and
// the PNG files of the desktop icon theme.
//
// Usage: make_icon OUTPUT.ico
//        make_icon --png SIZE OUTPUT.png
//        make_icon --extract ICON.ico SIZE OUTPUT.png
//
// --png 16 and --png 32 write the ICO's own images, pixel for pixel; other
// sizes draw the 32 px picture again, scaled and smoothed, so large icons stay
// sharp instead of showing magnified pixels. --extract decodes the image of
// the given size from an existing ICO file written by this program.
//
// Only QImage and QPainter are used (no text, so no fonts and no platform
// plugin are needed), and the palette is fixed, so the output is
// byte-identical on every run with the same Qt.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPoint>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace {

using Rgb = std::uint32_t; // 0xRRGGBB

// Palette slots used by the drawing, after the 16 standard VGA colours.
enum Slot : int {
    TopYellow = 16,
    LeftYellow,
    RightYellow,
    Outline,
    SpotRed,
    SpotDark,
    SpotHighlight,
    GlyphBlue,
    GlyphPurple,
    SlotCount // entries from here up stay black and are never chosen
};

constexpr std::array<Rgb, 16> kVga = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

constexpr std::array<Rgb, 256> makePalette()
{
    std::array<Rgb, 256> pal{};
    for (std::size_t i = 0; i < kVga.size(); ++i)
        pal[i] = kVga[i];
    // Three yellows, light to dark, so the faces read as lit from the top left.
    pal[TopYellow] = 0xFFF176;
    pal[LeftYellow] = 0xF5C800;
    pal[RightYellow] = 0xC89600;
    pal[Outline] = 0x3A2A00;
    pal[SpotRed] = 0xE01818;
    pal[SpotDark] = 0x8C0A0A;
    pal[SpotHighlight] = 0xFF8A80;
    pal[GlyphBlue] = 0x1838E8;
    pal[GlyphPurple] = 0x8A1CB4;
    return pal;
}

constexpr std::array<Rgb, 256> kPalette = makePalette();

QColor color(int slot)
{
    return QColor::fromRgb(
        static_cast<QRgb>(0xFF000000u | kPalette[static_cast<std::size_t>(slot)]));
}

int slotFor(char c)
{
    switch (c) {
    case 'O': return Outline;
    case 'T': return TopYellow;
    case 'L': return LeftYellow;
    case 'R': return RightYellow;
    case 'S': return SpotRed;
    case 'D': return SpotDark;
    case 'B': return GlyphBlue;
    case 'P': return GlyphPurple;
    default: return -1; // transparent / leave as is
    }
}

// Paints a character bitmap (see slotFor) with its top-left pixel at origin.
void paintPixels(QPainter &p, QPoint origin, std::span<const char *const> rows)
{
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (int x = 0; rows[y][x] != '\0'; ++x) {
            const int slot = slotFor(rows[y][x]);
            if (slot >= 0)
                p.fillRect(origin.x() + x, origin.y() + static_cast<int>(y), 1, 1, color(slot));
        }
    }
}

// The same bitmap as one filled shape per colour: scaled by a fraction,
// separately smoothed squares would leave faint seams between them.
void paintPixelsSmooth(QPainter &p, QPoint origin, std::span<const char *const> rows)
{
    std::array<QPainterPath, 256> shapes;
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (int x = 0; rows[y][x] != '\0'; ++x) {
            const int slot = slotFor(rows[y][x]);
            if (slot >= 0)
                shapes[static_cast<std::size_t>(slot)].addRect(origin.x() + x, origin.y() + static_cast<int>(y), 1, 1);
        }
    }
    for (std::size_t slot = 0; slot < shapes.size(); ++slot) {
        if (!shapes[slot].isEmpty())
            p.fillPath(shapes[slot].simplified(), color(static_cast<int>(slot)));
    }
}

// Maps the unit square onto a parallelogram face, so strokes given in (0..1)
// coordinates appear painted onto that face.
QTransform faceTransform(QPointF origin, QPointF uAxis, QPointF vAxis)
{
    return QTransform(uAxis.x(), uAxis.y(), vAxis.x(), vAxis.y(), origin.x(), origin.y());
}

// 32 px cube corners, in pixels. The edges run at the pixel-friendly 2:1 slope.
constexpr QPointF kTop{16, 1};
constexpr QPointF kLeft{2, 8};
constexpr QPointF kRight{30, 8};
constexpr QPointF kCentre{16, 15};
constexpr QPointF kLeftBottom{2, 23};
constexpr QPointF kBottom{16, 30};
constexpr QPointF kRightBottom{30, 23};

constexpr QRectF kSpot{11.5, 5.5, 9, 5};

// The lambda follows the slant of the left face; its strokes are in face
// coordinates.
const std::vector<std::pair<QPointF, QPointF>> kLambda = {
    {{0.22, 0.18}, {0.80, 0.86}},
    {{0.52, 0.52}, {0.22, 0.86}},
};

// The hash stays upright: sheared to the face, its sloped bars broke up into
// stair steps and it stopped reading as a hash at this size.
constexpr std::array<const char *, 10> kHash = {
    "..PP..PP..",
    "..PP..PP..",
    "PPPPPPPPPP",
    "PPPPPPPPPP",
    "..PP..PP..",
    "..PP..PP..",
    "PPPPPPPPPP",
    "PPPPPPPPPP",
    "..PP..PP..",
    "..PP..PP..",
};
constexpr QPoint kHashOrigin{19, 14};

enum class Style {
    Pixels, // aliased, one unit is one pixel: the ICO's 32 px image
    Smooth, // antialiased, for any scale
};

// Draws the cube in 32 px units.
void drawCube(QPainter &p, Style style)
{
    const bool smooth = style == Style::Smooth;
    // Aliased drawing keeps every edge on whole pixels; grey fringes would
    // only turn into palette noise at 32 px.
    p.setRenderHint(QPainter::Antialiasing, smooth);
    // A 0-width pen is one device pixel, which is one unit only at 32 px.
    const qreal hairline = smooth ? 1.0 : 0.0;
    const QTransform pixelGrid = p.transform();
    // Aliased lines light the pixel below and right of each coordinate;
    // smooth strokes are centred on their coordinates, so the half-pixel
    // shift puts both in the same place.
    if (smooth)
        p.translate(0.5, 0.5);

    p.setPen(Qt::NoPen);
    p.setBrush(color(TopYellow));
    p.drawPolygon(QPolygonF({kTop, kRight, kCentre, kLeft}));
    p.setBrush(color(LeftYellow));
    p.drawPolygon(QPolygonF({kLeft, kCentre, kBottom, kLeftBottom}));
    p.setBrush(color(RightYellow));
    p.drawPolygon(QPolygonF({kCentre, kRight, kRightBottom, kBottom}));

    // Red spot with a darker rim so it does not blur into the yellow, and a
    // small highlight so it looks raised rather than printed.
    p.setPen(QPen(color(SpotDark), hairline));
    p.setBrush(color(SpotRed));
    p.drawEllipse(kSpot);
    p.setPen(Qt::NoPen);
    p.setBrush(color(SpotHighlight));
    p.drawRect(QRectF(kSpot.left() + 2.5, kSpot.top() + 1, 2, 1));

    const QTransform leftFace = faceTransform(kLeft, kCentre - kLeft, kLeftBottom - kLeft);
    p.setPen(QPen(color(GlyphBlue), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    for (const auto &[a, b] : kLambda)
        p.drawLine(leftFace.map(a), leftFace.map(b));

    if (smooth) {
        // The hash is a bitmap: its squares sit on the pixel grid as they are.
        p.setTransform(pixelGrid);
        paintPixelsSmooth(p, kHashOrigin, kHash);
        p.translate(0.5, 0.5);
    } else {
        paintPixels(p, kHashOrigin, kHash);
    }

    // Outlines last so nothing bleeds over an edge.
    p.setPen(QPen(color(Outline), hairline));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({kTop, kRight, kRightBottom, kBottom, kLeftBottom, kLeft}));
    p.drawLine(kLeft, kCentre);
    p.drawLine(kCentre, kRight);
    p.drawLine(kCentre, kBottom);
}

QImage renderLarge()
{
    QImage img(32, 32, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);

    QPainter p(&img);
    drawCube(p, Style::Pixels);
    p.end();

    // The two bottom edges meet in a lone pixel that reads as a drip under
    // the cube; trimming it gives the same flat tip as the top corner.
    img.setPixel(kBottom.toPoint(), qRgba(0, 0, 0, 0));

    return img.convertToFormat(QImage::Format_ARGB32);
}

// The 32 px drawing at any size. The outline's bevelled joins give the
// bottom corner the flat tip that the 32 px image gets by trimming.
QImage renderScaled(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);

    QPainter p(&img);
    p.scale(size / 32.0, size / 32.0);
    drawCube(p, Style::Smooth);
    p.end();

    return img.convertToFormat(QImage::Format_ARGB32);
}

// At 16 px a rasterised cube loses its edges and glyphs to rounding, so the
// small icon is laid out pixel by pixel instead: same faces, same colours.
constexpr std::array<const char *, 16> kSmallIcon = {
    "......OOOO......",
    "....OOTTTTOO....",
    "..OOTTSSSSTTOO..",
    "OOTTTSSSSSSTTTOO",
    "OLOOTTDDDDTTOORO",
    "OLLLOOTTTTOORRRO",
    "OLLLLLOOOORRRRRO",
    "OBLLLLLOORRPRPRO",
    "OLBLLLLOORPPPPPO",
    "OLLBLLLOORRPRPRO",
    "OLBLBLLOORPPPPPO",
    "OBLLLBLOORRPRPRO",
    "OOLLLLLOORRRRROO",
    "..OOLLLOORRROO..",
    "....OOLOOROO....",
    "......OOOO......",
};

QImage renderSmall()
{
    QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    paintPixels(p, QPoint(0, 0), kSmallIcon);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

int nearestIndex(QRgb px)
{
    int best = 0;
    long bestDist = -1;
    for (int i = 0; i < SlotCount; ++i) {
        const Rgb c = kPalette[static_cast<std::size_t>(i)];
        const long dr = qRed(px) - static_cast<long>((c >> 16) & 0xFF);
        const long dg = qGreen(px) - static_cast<long>((c >> 8) & 0xFF);
        const long db = qBlue(px) - static_cast<long>(c & 0xFF);
        const long d = dr * dr + dg * dg + db * db;
        if (bestDist < 0 || d < bestDist) { // ties keep the lower index
            best = i;
            bestDist = d;
        }
    }
    return best;
}

void put16(QByteArray &out, std::uint32_t v)
{
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}

void put32(QByteArray &out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, (v >> 16) & 0xFFFF);
}

// One ICO image: BITMAPINFOHEADER, BGRX palette, 8-bit XOR rows and 1-bit AND
// mask, both bottom-up. Transparent pixels get index 0 and mask bit 1.
QByteArray encodeDib(const QImage &img)
{
    const int w = img.width();
    const int h = img.height();
    const int xorStride = (w + 3) / 4 * 4;
    const int andStride = (w + 31) / 32 * 4;

    QByteArray out;
    put32(out, 40);                                   // biSize
    put32(out, static_cast<std::uint32_t>(w));        // biWidth
    put32(out, static_cast<std::uint32_t>(2 * h));    // biHeight: XOR + AND
    put16(out, 1);                                    // biPlanes
    put16(out, 8);                                    // biBitCount
    put32(out, 0);                                    // biCompression: BI_RGB
    put32(out, static_cast<std::uint32_t>((xorStride + andStride) * h));
    put32(out, 0);                                    // biXPelsPerMeter
    put32(out, 0);                                    // biYPelsPerMeter
    put32(out, 0);                                    // biClrUsed: all 256
    put32(out, 0);                                    // biClrImportant

    for (Rgb c : kPalette) {
        out.append(static_cast<char>(c & 0xFF));
        out.append(static_cast<char>((c >> 8) & 0xFF));
        out.append(static_cast<char>((c >> 16) & 0xFF));
        out.append('\0');
    }

    QByteArray xorRows(xorStride * h, '\0');
    QByteArray andRows(andStride * h, '\0');
    for (int y = 0; y < h; ++y) {
        const int row = h - 1 - y;
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (qAlpha(line[x]) < 128) {
                char &bits = andRows[row * andStride + x / 8];
                bits = static_cast<char>(bits | (0x80 >> (x % 8)));
            } else {
                xorRows[row * xorStride + x] = static_cast<char>(nearestIndex(line[x]));
            }
        }
    }
    out.append(xorRows);
    out.append(andRows);
    return out;
}

// The image of the given size in an icon file, read by Qt's reader, as the
// program reads it.
QImage decodeIcoImage(const QByteArray &ico, int size, QString *error)
{
    QBuffer buffer;
    buffer.setData(ico);
    QImageReader reader(&buffer, "ico");
    do {
        const QImage image = reader.read();
        if (image.width() == size && image.height() == size) {
            // Through premultiplied pixels, so that every transparent pixel is
            // 0; the pixels alone, without the reader's notes.
            const QImage pixels
                = image.convertToFormat(QImage::Format_ARGB32_Premultiplied).convertToFormat(QImage::Format_ARGB32);
            return QImage(pixels.constBits(), size, size, pixels.bytesPerLine(), QImage::Format_ARGB32).copy();
        }
    } while (reader.jumpToNextImage());
    *error = QStringLiteral("no %1x%1 image in the icon (%2)").arg(size).arg(reader.errorString());
    return {};
}

QByteArray encodeIco()
{
    const std::array<QImage, 2> images = {renderLarge(), renderSmall()};
    std::array<QByteArray, 2> dibs;
    for (std::size_t i = 0; i < images.size(); ++i)
        dibs[i] = encodeDib(images[i]);

    QByteArray ico;
    put16(ico, 0); // reserved
    put16(ico, 1); // type: icon
    put16(ico, static_cast<std::uint32_t>(dibs.size()));
    auto offset = static_cast<std::uint32_t>(6 + 16 * dibs.size());
    for (std::size_t i = 0; i < dibs.size(); ++i) {
        ico.append(static_cast<char>(images[i].width()));
        ico.append(static_cast<char>(images[i].height()));
        ico.append('\0'); // colour count: 0 means 256
        ico.append('\0'); // reserved
        put16(ico, 1);    // planes
        put16(ico, 8);    // bits per pixel
        put32(ico, static_cast<std::uint32_t>(dibs[i].size()));
        put32(ico, offset);
        offset += static_cast<std::uint32_t>(dibs[i].size());
    }
    for (const QByteArray &dib : dibs)
        ico.append(dib);
    return ico;
}

bool writeFile(const char *name, const QByteArray &data)
{
    QFile file(QString::fromLocal8Bit(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size()
        || !file.flush()) {
        std::fprintf(stderr, "cannot write %s: %s\n", name, qPrintable(file.errorString()));
        return false;
    }
    return true;
}

bool writePng(const char *name, const QImage &img)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!img.save(&buffer, "PNG")) {
        std::fprintf(stderr, "cannot encode %s as PNG\n", name);
        return false;
    }
    return writeFile(name, png);
}

std::optional<int> parseSize(const char *text)
{
    char *end = nullptr;
    const long size = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || size < 16 || size > 1024) {
        std::fprintf(stderr, "size must be a number of pixels from 16 to 1024, not '%s'\n", text);
        return std::nullopt;
    }
    return static_cast<int>(size);
}

void usage(const char *self)
{
    std::fprintf(stderr,
                 "usage: %s OUTPUT.ico\n"
                 "       %s --png SIZE OUTPUT.png\n"
                 "       %s --extract ICON.ico SIZE OUTPUT.png\n",
                 self, self, self);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && argv[1][0] != '-')
        return writeFile(argv[1], encodeIco()) ? 0 : 1;

    if (argc == 4 && std::strcmp(argv[1], "--png") == 0) {
        const std::optional<int> size = parseSize(argv[2]);
        if (!size)
            return 2;
        QImage img;
        if (*size == 16 || *size == 32) {
            // Through the ICO encoder and back, so the colours are the
            // palette's and the transparency is the mask's, as in the ICO.
            QString error;
            img = decodeIcoImage(encodeIco(), *size, &error);
            if (img.isNull()) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                return 1;
            }
        } else {
            img = renderScaled(*size);
        }
        return writePng(argv[3], img) ? 0 : 1;
    }

    if (argc == 5 && std::strcmp(argv[1], "--extract") == 0) {
        const std::optional<int> size = parseSize(argv[3]);
        if (!size)
            return 2;
        QFile file(QString::fromLocal8Bit(argv[2]));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s: %s\n", argv[2], qPrintable(file.errorString()));
            return 1;
        }
        QString error;
        const QImage img = decodeIcoImage(file.readAll(), *size, &error);
        if (img.isNull()) {
            std::fprintf(stderr, "%s: %s\n", argv[2], qPrintable(error));
            return 1;
        }
        return writePng(argv[4], img) ? 0 : 1;
    }

    usage(argv[0]);
    return 2;
}
