// The program icon and the theme icons drawn from the same picture: the ICO
// is pinned by its hash, Qt must read every file as the size it claims, the
// generator must still write the committed files, and the larger icons and
// the SVG must show what the 32 px image shows.

#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <utility>

#if !defined(GLYPHERY_SOURCE_DIR) || !defined(GLYPHERY_MAKE_ICON)
#error "GLYPHERY_SOURCE_DIR and GLYPHERY_MAKE_ICON must be defined"
#endif

namespace {

const QString resources = QStringLiteral(GLYPHERY_SOURCE_DIR "/resources");
const QString ico = resources + QStringLiteral("/glyphery.ico");

QString themeIcon(int size)
{
    return resources + QStringLiteral("/icons/hicolor/%1x%1/apps/org.glyphery.Glyphery.png").arg(size);
}

// Premultiplied, so that transparent pixels compare equal whatever colour a
// decoder leaves in them.
QImage icoImage(int index)
{
    QImageReader reader(ico);
    if (!reader.jumpToImage(index))
        return {};
    return reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

bool alike(QRgb a, QRgb b)
{
    const bool aOpaque = qAlpha(a) >= 128, bOpaque = qAlpha(b) >= 128;
    if (!aOpaque || !bOpaque)
        return aOpaque == bOpaque;
    return std::hypot(qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b)) < 64;
}

// Whether any pixel of the cell's block in the larger image agrees: thin
// parts such as the spot's rim land half a pixel off when scaled.
bool blockHas(const QImage &img, int x, int y, QRgb colour)
{
    const int x0 = x * img.width() / 32, x1 = std::max(x0 + 1, (x + 1) * img.width() / 32);
    const int y0 = y * img.height() / 32, y1 = std::max(y0 + 1, (y + 1) * img.height() / 32);
    for (int by = y0; by < y1; ++by)
        for (int bx = x0; bx < x1; ++bx)
            if (alike(colour, img.pixel(bx, by)))
                return true;
    return false;
}

// Compares a larger image with the 32 px one on its 32 x 32 grid, at each
// cell's centre; edges and smoothing make a few cells differ. Per colour as
// well, so that a small part such as the spot or a glyph cannot go missing
// in the overall share. Returns an explanation when they differ too much.
QString unlike(const QImage &reference32, const QImage &big)
{
    QHash<QRgb, std::pair<int, int>> perColour; // colour -> (cells, cells whose block shows it)
    int same = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb r = reference32.pixel(x, y);
            same += alike(r, big.pixel(int((x + 0.5) * big.width() / 32), int((y + 0.5) * big.height() / 32)));
            if (qAlpha(r) >= 128) {
                auto &[cells, shown] = perColour[r];
                ++cells;
                shown += blockHas(big, x, y, r);
            }
        }
    }
    QString why;
    if (same < 0.85 * 1024)
        why += QStringLiteral("%1 of 1024 cells agree, 85% wanted. ").arg(same);
    for (auto it = perColour.cbegin(); it != perColour.cend(); ++it) {
        const auto [cells, shown] = it.value();
        // A highlight of a few pixels is all edge.
        if (cells >= 8 && shown < 0.6 * cells)
            why += QStringLiteral("#%1 shows in %2 of its %3 cells, 60% wanted. ")
                       .arg(it.key() & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                       .arg(shown)
                       .arg(cells);
    }
    return why;
}

} // namespace

class TestIcon : public QObject
{
    Q_OBJECT

private slots:
    void committedIco();
    void reader_data();
    void reader();
    void smallIconsAreTheIcoImages_data();
    void smallIconsAreTheIcoImages();
    void largeIconsShowTheSamePicture_data();
    void largeIconsShowTheSamePicture();
    void svg();
    void generatorReproduces_data();
    void generatorReproduces();
};

void TestIcon::committedIco()
{
    QFile file(ico);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    // A deliberate change regenerates the file with make_icon and updates this.
    QCOMPARE(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex(),
             QByteArray("988973df5d633fed376a0b6a20d6acd917525d88ffedad1925b0bca454924bfa"));
}

void TestIcon::reader_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("size");
    QTest::addColumn<QImage::Format>("pixels");
    // The ICO keeps desktops that read only 256-colour icons happy.
    QTest::newRow("ico 32") << ico << QByteArray("ico") << 2 << 0 << 32 << QImage::Format_Indexed8;
    QTest::newRow("ico 16") << ico << QByteArray("ico") << 2 << 1 << 16 << QImage::Format_Indexed8;
    for (int size : {16, 32, 48, 64, 128, 256})
        QTest::addRow("png %d", size) << themeIcon(size) << QByteArray("png") << 1 << 0 << size
                                      << QImage::Format_ARGB32;
}

void TestIcon::reader()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, format);
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(int, size);
    QFETCH(QImage::Format, pixels);
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    QCOMPARE(reader.format(), format);
    QCOMPARE(reader.imageCount(), count);
    QVERIFY(index == 0 || reader.jumpToImage(index));
    QCOMPARE(reader.size(), QSize(size, size));
    QCOMPARE(reader.imageFormat(), pixels);
    const QImage img = reader.read();
    QVERIFY2(!img.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(img.size(), QSize(size, size));
    const int last = size - 1;
    for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
        QVERIFY2(qAlpha(img.pixel(corner)) == 0, "an opaque corner");
}

void TestIcon::smallIconsAreTheIcoImages_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("index");
    QTest::newRow("16") << 16 << 1;
    QTest::newRow("32") << 32 << 0;
}

// Decoded by Qt, not by make_icon, so a fault in the generator's own
// decoder cannot hide itself.
void TestIcon::smallIconsAreTheIcoImages()
{
    QFETCH(int, size);
    QFETCH(int, index);
    const QImage fromIco = icoImage(index);
    QCOMPARE(fromIco.size(), QSize(size, size));
    QCOMPARE(QImage(themeIcon(size)).convertToFormat(QImage::Format_ARGB32_Premultiplied), fromIco);
}

void TestIcon::largeIconsShowTheSamePicture_data()
{
    QTest::addColumn<int>("size");
    for (int size : {48, 64, 128, 256})
        QTest::addRow("%d", size) << size;
}

void TestIcon::largeIconsShowTheSamePicture()
{
    QFETCH(int, size);
    const QString why = unlike(icoImage(0), QImage(themeIcon(size)).convertToFormat(QImage::Format_ARGB32));
    QVERIFY2(why.isEmpty(), qPrintable(why));
}

// The scalable icon is drawn by hand, so it is rendered as desktops render
// it (librsvg) and compared with the 32 px image.
void TestIcon::svg()
{
    const QString source = resources + QStringLiteral("/icons/hicolor/scalable/apps/org.glyphery.Glyphery.svg");
    QFile file(source);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    QXmlStreamReader xml(&file);
    while (!xml.atEnd() && !xml.isStartElement())
        xml.readNext();
    QCOMPARE(xml.name(), QLatin1String("svg"));
    QCOMPARE(xml.namespaceUri(), QLatin1String("http://www.w3.org/2000/svg"));
    // Without a viewBox it would not scale.
    QVERIFY(!xml.attributes().value(QLatin1String("viewBox")).isEmpty());
    while (!xml.atEnd())
        xml.readNext();
    QVERIFY2(!xml.hasError(),
             qPrintable(QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString())));

    const QString rsvg = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    QVERIFY2(!rsvg.isEmpty(), "rsvg-convert is missing (Debian package librsvg2-bin)");
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("svg64.png"));
    QProcess render;
    render.start(rsvg, {QStringLiteral("-w"), QStringLiteral("64"), QStringLiteral("-h"), QStringLiteral("64"),
                        QStringLiteral("-o"), png, source});
    QVERIFY(render.waitForFinished(60000));
    QVERIFY2(render.exitStatus() == QProcess::NormalExit && render.exitCode() == 0,
             render.readAllStandardError().constData());
    const QImage rendered(png);
    QCOMPARE(rendered.size(), QSize(64, 64));
    const QString why = unlike(icoImage(0), rendered.convertToFormat(QImage::Format_ARGB32));
    QVERIFY2(why.isEmpty(), qPrintable(why));
}

void TestIcon::generatorReproduces_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("committed");
    QTest::newRow("ico") << QStringList() << ico;
    // As the hicolor_icons target writes them: the small ones taken from the ICO.
    for (int size : {16, 32})
        QTest::addRow("png %d", size) << QStringList{"--extract", ico, QString::number(size)} << themeIcon(size);
    for (int size : {48, 64, 128, 256})
        QTest::addRow("png %d", size) << QStringList{"--png", QString::number(size)} << themeIcon(size);
}

void TestIcon::generatorReproduces()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, committed);
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out"));
    QProcess generator;
    generator.start(QStringLiteral(GLYPHERY_MAKE_ICON), arguments << out);
    QVERIFY(generator.waitForFinished(60000));
    QVERIFY2(generator.exitStatus() == QProcess::NormalExit && generator.exitCode() == 0,
             generator.readAllStandardError().constData());
    QFile written(out), expected(committed);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    // Byte for byte: a changed drawing must come with regenerated files.
    QVERIFY2(written.readAll() == expected.readAll(),
             qPrintable(committed + QStringLiteral(" is not what make_icon writes")));
}

QTEST_MAIN(TestIcon)
#include "tst_icon.moc"
