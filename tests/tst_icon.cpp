// Checks the shipped program icon byte by byte, so a regenerated or
// hand-edited file that desktop environments would choke on is caught early,
// and checks that Qt itself decodes it into a recognisable picture.

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QtTest>

#include <cstdint>

#ifndef GLYPHERY_ICON_FILE
#error "GLYPHERY_ICON_FILE must name the icon to check"
#endif

namespace {

constexpr qsizetype kFileSize = 3638;
constexpr int kHeaderSize = 6;
constexpr int kEntrySize = 16;
constexpr int kImageCount = 2;
constexpr int kDibHeaderSize = 40;
constexpr int kPaletteSize = 256 * 4;

int xorStride(int width) { return (width + 3) / 4 * 4; }
int andStride(int width) { return (width + 31) / 32 * 4; }

int dibSize(int size)
{
    return kDibHeaderSize + kPaletteSize + (xorStride(size) + andStride(size)) * size;
}

} // namespace

class TestIcon : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fileSize();
    void header();
    void directoryEntry_data() { imageRows(); }
    void directoryEntry();
    void dibHeader_data() { imageRows(); }
    void dibHeader();
    void transparencyMask_data() { imageRows(); }
    void transparencyMask();
    void decodesWithQt_data() { imageRows(); }
    void decodesWithQt();

private:
    static void imageRows();

    quint32 u8(qsizetype pos) const { return static_cast<quint8>(m_data.at(pos)); }
    quint32 u16(qsizetype pos) const { return u8(pos) | u8(pos + 1) << 8; }
    quint32 u32(qsizetype pos) const { return u16(pos) | u16(pos + 2) << 16; }
    qsizetype entryPos(int index) const { return kHeaderSize + index * kEntrySize; }
    qsizetype imageOffset(int index) const { return u32(entryPos(index) + 12); }

    // Reads bit (x, y), y counted from the top, of the bottom-up AND mask.
    bool masked(qsizetype dib, int size, int x, int y) const
    {
        const qsizetype maskStart = dib + kDibHeaderSize + kPaletteSize + xorStride(size) * size;
        const qsizetype row = maskStart + qsizetype(size - 1 - y) * andStride(size);
        return (u8(row + x / 8) >> (7 - x % 8)) & 1u;
    }

    quint32 xorIndex(qsizetype dib, int size, int x, int y) const
    {
        const qsizetype xorStart = dib + kDibHeaderSize + kPaletteSize;
        return u8(xorStart + qsizetype(size - 1 - y) * xorStride(size) + x);
    }

    QByteArray m_data;
};

void TestIcon::imageRows()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("size");
    QTest::newRow("32x32") << 0 << 32;
    QTest::newRow("16x16") << 1 << 16;
}

void TestIcon::initTestCase()
{
    QFile file(QStringLiteral(GLYPHERY_ICON_FILE));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName() + ": " + file.errorString()));
    m_data = file.readAll();
}

void TestIcon::fileSize()
{
    QCOMPARE(m_data.size(), kFileSize);
    QCOMPARE(kHeaderSize + kImageCount * kEntrySize + dibSize(32) + dibSize(16), int(kFileSize));
}

void TestIcon::header()
{
    QVERIFY(m_data.size() >= kHeaderSize + kImageCount * kEntrySize);
    QCOMPARE(u16(0), 0u); // reserved
    QCOMPARE(u16(2), 1u); // 1 = icon, 2 = cursor
    QCOMPARE(u16(4), quint32(kImageCount));
}

void TestIcon::directoryEntry()
{
    QFETCH(int, index);
    QFETCH(int, size);
    QCOMPARE(m_data.size(), kFileSize);

    const qsizetype e = entryPos(index);
    QCOMPARE(u8(e), quint32(size));      // width
    QCOMPARE(u8(e + 1), quint32(size));  // height
    QCOMPARE(u8(e + 2), 0u);             // colour count: 0 means 256
    QCOMPARE(u8(e + 3), 0u);             // reserved
    QCOMPARE(u16(e + 4), 1u);            // planes
    QCOMPARE(u16(e + 6), 8u);            // bits per pixel
    QCOMPARE(u32(e + 8), quint32(dibSize(size)));

    // Images follow the directory back to back, in directory order.
    const quint32 expectedOffset = index == 0
        ? quint32(kHeaderSize + kImageCount * kEntrySize)
        : imageOffset(index - 1) + u32(entryPos(index - 1) + 8);
    QCOMPARE(imageOffset(index), expectedOffset);
    QVERIFY(qsizetype(imageOffset(index)) + u32(e + 8) <= m_data.size());
}

void TestIcon::dibHeader()
{
    QFETCH(int, index);
    QFETCH(int, size);
    QCOMPARE(m_data.size(), kFileSize);

    const qsizetype d = imageOffset(index);
    QVERIFY(d + kDibHeaderSize <= m_data.size());
    QCOMPARE(u32(d), quint32(kDibHeaderSize));
    QCOMPARE(u32(d + 4), quint32(size));      // width
    QCOMPARE(u32(d + 8), quint32(2 * size));  // XOR image plus AND mask
    QCOMPARE(u16(d + 12), 1u);                // planes
    QCOMPARE(u16(d + 14), 8u);                // bits per pixel
    QCOMPARE(u32(d + 16), 0u);                // BI_RGB, uncompressed
    const quint32 colorsUsed = u32(d + 32);
    QVERIFY2(colorsUsed == 0 || colorsUsed == 256,
             qPrintable(QStringLiteral("biClrUsed is %1").arg(colorsUsed)));
}

void TestIcon::transparencyMask()
{
    QFETCH(int, index);
    QFETCH(int, size);
    QCOMPARE(m_data.size(), kFileSize);

    const qsizetype d = imageOffset(index);
    QVERIFY(d + dibSize(size) <= m_data.size());
    int transparent = 0;
    int opaque = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (masked(d, size, x, y)) {
                ++transparent;
                // Transparent pixels must not leave colour behind for
                // renderers that draw the XOR part regardless of the mask.
                QVERIFY2(xorIndex(d, size, x, y) == 0,
                         qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            } else {
                ++opaque;
            }
        }
    }
    QVERIFY(transparent > 0);
    QVERIFY(opaque > 0);

    const int last = size - 1;
    QVERIFY(masked(d, size, 0, 0));
    QVERIFY(masked(d, size, last, 0));
    QVERIFY(masked(d, size, 0, last));
    QVERIFY(masked(d, size, last, last));
}

void TestIcon::decodesWithQt()
{
    QFETCH(int, index);
    QFETCH(int, size);

    QImageReader reader(QStringLiteral(GLYPHERY_ICON_FILE), "ico");
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    QCOMPARE(reader.imageCount(), kImageCount);
    QVERIFY(reader.jumpToImage(index));
    const QImage decoded = reader.read();
    QVERIFY2(!decoded.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(decoded.size(), QSize(size, size));

    const QImage img = decoded.convertToFormat(QImage::Format_ARGB32);
    QVERIFY(img.hasAlphaChannel());
    QCOMPARE(qAlpha(img.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(img.pixel(size - 1, size - 1)), 0);

    int yellow = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb px = img.pixel(x, y);
            if (qAlpha(px) == 255 && qRed(px) > 180 && qGreen(px) > 140 && qBlue(px) < 130)
                ++yellow;
        }
    }
    // The cube's faces are most of the picture, not a stray pixel or two.
    QVERIFY2(yellow >= size * size / 4, qPrintable(QStringLiteral("%1 yellow pixels").arg(yellow)));
}

QTEST_MAIN(TestIcon)
#include "tst_icon.moc"
