// Checks the installed theme icons against the program's ICO:
//   - every size is a PNG of exactly that many pixels, transparent at the
//     corners;
//   - 16 and 32 px are the ICO's own images, pixel for pixel;
//   - the larger PNGs and the rendered SVG show the same picture as the ICO's
//     32 px image (compared cell by cell on its 32 x 32 grid);
//   - the SVG is well-formed SVG.
// The ICO is decoded by Qt's own reader, not by tools/make_icon, so a fault
// in the generator's decoder cannot hide itself.
//
// Usage: icon_check ICON.ico THEME_DIR APP_ID SVG_RENDERED.png
// THEME_DIR is the hicolor folder; SVG_RENDERED is the scalable icon
// rasterised by another program at any size.

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace {

int failures = 0;

void fail(const QString &what)
{
    std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
    ++failures;
}

void ok(const QString &what)
{
    std::printf("ok: %s\n", qPrintable(what));
}

QImage readIcoImage(const QString &path, int size)
{
    QImageReader reader(path, "ico");
    for (int i = 0; i < reader.imageCount(); ++i) {
        if (!reader.jumpToImage(i))
            break;
        const QImage img = reader.read();
        if (img.size() == QSize(size, size))
            return img.convertToFormat(QImage::Format_ARGB32);
    }
    fail(QStringLiteral("%1: no %2x%2 image (%3)").arg(path).arg(size).arg(reader.errorString()));
    return {};
}

QImage readPng(const QString &path, int size)
{
    QImageReader reader(path);
    if (reader.format() != "png") {
        fail(QStringLiteral("%1: not a PNG file (%2)").arg(path, reader.errorString()));
        return {};
    }
    const QImage img = reader.read();
    if (img.isNull()) {
        fail(QStringLiteral("%1: %2").arg(path, reader.errorString()));
        return {};
    }
    if (size > 0 && img.size() != QSize(size, size)) {
        fail(QStringLiteral("%1: %2x%3 pixels, expected %4x%4")
                 .arg(path)
                 .arg(img.width())
                 .arg(img.height())
                 .arg(size));
        return {};
    }
    return img.convertToFormat(QImage::Format_ARGB32);
}

bool cornersTransparent(const QImage &img)
{
    const int w = img.width() - 1;
    const int h = img.height() - 1;
    return qAlpha(img.pixel(0, 0)) == 0 && qAlpha(img.pixel(w, 0)) == 0 && qAlpha(img.pixel(0, h)) == 0
        && qAlpha(img.pixel(w, h)) == 0;
}

// Pixels that are transparent in both count as equal whatever colour they
// carry: a decoder may leave anything there.
int differingPixels(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb pa = a.pixel(x, y);
            const QRgb pb = b.pixel(x, y);
            if (qAlpha(pa) == 0 && qAlpha(pb) == 0)
                continue;
            if (pa != pb)
                ++count;
        }
    }
    return count;
}

bool sameCell(QRgb reference, QRgb other)
{
    const bool rOpaque = qAlpha(reference) >= 128;
    const bool oOpaque = qAlpha(other) >= 128;
    if (!rOpaque || !oOpaque)
        return rOpaque == oOpaque;
    return std::hypot(qRed(reference) - qRed(other), qGreen(reference) - qGreen(other),
                      qBlue(reference) - qBlue(other))
        < 64;
}

QRgb cellCentre(const QImage &img, int x, int y)
{
    return img.pixel(int((x + 0.5) * img.width() / 32), int((y + 0.5) * img.height() / 32));
}

// Whether any pixel of the cell's block in the larger image agrees: thin
// parts such as the spot's rim land half a pixel off when scaled.
bool blockHas(const QImage &img, int x, int y, QRgb reference)
{
    const int x0 = x * img.width() / 32, x1 = std::max(x0 + 1, (x + 1) * img.width() / 32);
    const int y0 = y * img.height() / 32, y1 = std::max(y0 + 1, (y + 1) * img.height() / 32);
    for (int by = y0; by < y1; ++by) {
        for (int bx = x0; bx < x1; ++bx) {
            if (sameCell(reference, img.pixel(bx, by)))
                return true;
        }
    }
    return false;
}

struct Likeness
{
    double overall = 0;     // share of all 32 x 32 cells that agree
    double worstColour = 1; // share of one colour's cells whose block shows it, worst colour
    QRgb worst = 0;
};

// Compares the larger image with the 32 px one cell by cell, at each cell's
// centre: transparent in both, or opaque in both with a close colour. Edges
// and antialiasing make a few cells differ. Per colour as well, so a small
// part such as the spot or a glyph cannot go missing in the overall share.
Likeness likeness(const QImage &reference32, const QImage &big)
{
    QHash<QRgb, std::pair<int, int>> perColour; // colour -> (cells, agreeing)
    int same = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb r = reference32.pixel(x, y);
            same += sameCell(r, cellCentre(big, x, y));
            if (qAlpha(r) >= 128) {
                auto &[cells, agreeing] = perColour[r];
                ++cells;
                agreeing += blockHas(big, x, y, r);
            }
        }
    }
    Likeness result;
    result.overall = same / 1024.0;
    for (auto it = perColour.cbegin(); it != perColour.cend(); ++it) {
        const auto [cells, agreeing] = it.value();
        if (cells < 8)
            continue; // a highlight of a few pixels is all edge
        const double share = double(agreeing) / cells;
        if (share < result.worstColour) {
            result.worstColour = share;
            result.worst = it.key();
        }
    }
    return result;
}

constexpr double kMinLikeness = 0.85;
constexpr double kMinColourLikeness = 0.6;

void checkLikeness(const QString &what, const QImage &reference32, const QImage &img)
{
    const Likeness l = likeness(reference32, img);
    const QString text = QStringLiteral("%1 matches the 32 px icon in %2% of its cells (%3% wanted), "
                                        "and shows its least matching colour #%5 in %4% of that colour's cells (%6% wanted)")
                             .arg(what)
                             .arg(l.overall * 100, 0, 'f', 1)
                             .arg(kMinLikeness * 100, 0, 'f', 0)
                             .arg(l.worstColour * 100, 0, 'f', 1)
                             .arg(l.worst & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                             .arg(kMinColourLikeness * 100, 0, 'f', 0);
    if (l.overall >= kMinLikeness && l.worstColour >= kMinColourLikeness)
        ok(text);
    else
        fail(text);
}

void checkSvgSource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
        return;
    }
    QXmlStreamReader xml(&file);
    bool rootSeen = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && !rootSeen) {
            rootSeen = true;
            if (xml.name() != QLatin1String("svg")
                || xml.namespaceUri() != QLatin1String("http://www.w3.org/2000/svg")) {
                fail(QStringLiteral("%1: the root element is not <svg> in the SVG namespace").arg(path));
                return;
            }
            if (xml.attributes().value(QLatin1String("viewBox")).isEmpty()) {
                fail(QStringLiteral("%1: <svg> has no viewBox, so it would not scale").arg(path));
                return;
            }
        }
    }
    if (xml.hasError()) {
        fail(QStringLiteral("%1: line %2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString()));
        return;
    }
    if (!rootSeen) {
        fail(QStringLiteral("%1: empty").arg(path));
        return;
    }
    ok(QStringLiteral("%1 is well-formed SVG with a viewBox").arg(path));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // lets Qt find its ICO reader plugin
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s ICON.ico THEME_DIR APP_ID SVG_RENDERED.png\n", argv[0]);
        return 2;
    }
    const QString ico = QString::fromLocal8Bit(argv[1]);
    const QString theme = QString::fromLocal8Bit(argv[2]);
    const QString id = QString::fromLocal8Bit(argv[3]);
    const QString svgRendered = QString::fromLocal8Bit(argv[4]);

    const QImage ico32 = readIcoImage(ico, 32);
    if (ico32.isNull())
        return 1;

    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString path = QStringLiteral("%1/%2x%2/apps/%3.png").arg(theme).arg(size).arg(id);
        const QImage png = readPng(path, size);
        if (png.isNull())
            continue;
        ok(QStringLiteral("%1 is a %2x%2 PNG").arg(path).arg(size));
        if (!cornersTransparent(png))
            fail(QStringLiteral("%1: the corners are not transparent").arg(path));
        if (size <= 32) {
            const QImage fromIco = size == 32 ? ico32 : readIcoImage(ico, size);
            if (fromIco.isNull())
                continue;
            const int differing = differingPixels(fromIco, png);
            if (differing == 0)
                ok(QStringLiteral("%1 is the ICO's %2x%2 image pixel for pixel").arg(path).arg(size));
            else
                fail(QStringLiteral("%1: %2 pixels differ from the ICO's %3x%3 image").arg(path).arg(differing).arg(size));
        } else {
            checkLikeness(path, ico32, png);
        }
    }

    checkSvgSource(QStringLiteral("%1/scalable/apps/%2.svg").arg(theme, id));
    const QImage svg = readPng(svgRendered, 0);
    if (!svg.isNull()) {
        if (svg.width() != svg.height() || svg.width() < 32)
            fail(QStringLiteral("%1: the rendered SVG is %2x%3, expected a square of 32 px or more")
                     .arg(svgRendered)
                     .arg(svg.width())
                     .arg(svg.height()));
        else
            checkLikeness(QStringLiteral("the SVG rendered at %1 px").arg(svg.width()), ico32, svg);
    }

    if (failures > 0) {
        std::fprintf(stderr, "%d icon check(s) failed\n", failures);
        return 1;
    }
    return 0;
}
