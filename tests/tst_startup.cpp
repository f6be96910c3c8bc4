#include "support.h"

#include "app/main_window.h"
#include "platform/form.h"

#include <QApplication>
#include <QScreen>
#include <QtTest>

using glyphery::frmMain;

class TestStartup : public testing::SandboxTest
{
    Q_OBJECT

private slots:
    void firstRun();
    void storedBoldAndSize();
    void storedItalic();
    void storedSpaceAddsTheBlankTwice();
    void storedBlankName();
    void storedGrayedOption();
    void badStoredValues_data();
    void badStoredValues();
    void fileThatIsNoIni();
    void placement();
    void largerIconsComeOnce();
};

namespace {

void compareDisplay(const frmMain &form, const QString &face, bool bold, bool italic, float cellSize,
                    float previewSize)
{
    for (int k = 1; k <= 224; ++k) {
        const platform::TextBox &cell = form.Char(std::int16_t(k));
        QCOMPARE(cell.fontName(), face);
        QCOMPARE(cell.fontBold(), bold);
        QCOMPARE(cell.fontItalic(), italic);
        QCOMPARE(cell.fontSize(), cellSize);
    }
    QCOMPARE(form.CharXXL.fontBold(), bold);
    QCOMPARE(form.CharXXL.fontItalic(), italic);
    QCOMPARE(form.CharXXL.fontSize(), previewSize);
}

} // namespace

void TestStartup::firstRun()
{
    frmMain form;
    QVERIFY(form.show());
    QCOMPARE(form.FSel.text(), QStringLiteral("Arial"));
    compareDisplay(form, QStringLiteral("Arial"), false, false, 13.5f, 60.0f);
    QCOMPARE(form.CharXXL.fontName(), QStringLiteral("Arial"));
    for (platform::CheckBox *box : {&form.chkB, &form.chkI, &form.chkSize, &form.chkSpace})
        QCOMPARE(box->value(), std::int16_t(0));
    QCOMPARE(form.SpacePrefix, QString());
    QCOMPARE(form.Char(1).text(), QStringLiteral(" "));
    QCOMPARE(form.Char(32).text(), QStringLiteral("?"));
    QCOMPARE(form.Char(34).text(), QStringLiteral("A"));
    QCOMPARE(form.Char(97).text(), QStringLiteral("\u20AC"));
    QCOMPARE(form.Char(98).text(), QStringLiteral("\u0081"));
    QCOMPARE(form.Char(224).text(), QStringLiteral("\u00FF"));
    for (int k = 1; k <= 224; ++k) {
        QCOMPARE(form.Char(std::int16_t(k)).mousePointer(), platform::pointer::Arrow);
        QVERIFY(form.Char(std::int16_t(k)).enabled());
    }
    // Char(0) is not part of the grid.
    QCOMPARE(form.Char(0).text(), QStringLiteral("A"));
    QCOMPARE(form.Char(0).fontName(), QStringLiteral("MS Sans Serif"));
    // Nothing is selected yet: the icon covers the empty preview.
    QVERIFY(form.Symbol.visible());
    QCOMPARE(form.CharXXL.text(), QString());
    QCOMPARE(form.Code.caption(), QString());
    form.widget()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.widget()));
    QTRY_VERIFY(form.Dummy.widget()->hasFocus());
}

void TestStartup::storedBoldAndSize()
{
    sandbox().writeConf("[Font]\nB=1\n[Options]\nSize=1\n");
    frmMain form;
    QVERIFY(form.show());
    QCOMPARE(form.chkB.value(), std::int16_t(1));
    QCOMPARE(form.chkSize.value(), std::int16_t(1));
    QCOMPARE(form.chkI.value(), std::int16_t(0));
    compareDisplay(form, QStringLiteral("Arial"), true, false, 8.0f, 32.0f);
}

void TestStartup::storedItalic()
{
    sandbox().writeConf("[Font]\nName=DejaVu Serif\nI=1\n");
    frmMain form;
    QVERIFY(form.show());
    QCOMPARE(form.FSel.text(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(form.CharXXL.fontName(), QStringLiteral("DejaVu Serif"));
    compareDisplay(form, QStringLiteral("DejaVu Serif"), false, true, 13.5f, 60.0f);
}

void TestStartup::storedSpaceAddsTheBlankTwice()
{
    sandbox().writeConf("[Options]\nSpace=1\n");
    frmMain form;
    QVERIFY(form.show());
    QCOMPARE(form.chkSpace.value(), std::int16_t(1));
    QCOMPARE(form.SpacePrefix, QStringLiteral(" "));
    // Once by the option's own handler, raised by the assignment, once by start-up.
    QCOMPARE(form.CharXXL.text(), QStringLiteral("  "));
}

void TestStartup::storedBlankName()
{
    sandbox().writeConf("[Font]\nName=\" \"\n");
    frmMain form;
    QVERIFY(form.show());
    QCOMPARE(form.FSel.text(), QStringLiteral(" "));
    compareDisplay(form, QStringLiteral("Arial"), false, false, 13.5f, 60.0f);
    QCOMPARE(form.CharXXL.fontName(), QStringLiteral("Arial"));
}

void TestStartup::storedGrayedOption()
{
    sandbox().writeConf("[Font]\nB=2\n");
    frmMain form;
    QVERIFY(form.show());
    QCOMPARE(form.chkB.value(), std::int16_t(2));
    // Applied by the handler its assignment raised, which counts 2 as on.
    compareDisplay(form, QStringLiteral("Arial"), true, false, 13.5f, 60.0f);
}

void TestStartup::badStoredValues_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("text");
    const QList<QByteArray> bad = {"x", "1.5", "-1", "", "3", "99999999", "+1", "1e0", "0x1", "\"\""};
    for (const auto &[section, key] : {std::pair<QByteArray, QByteArray>{"Font", "B"}, {"Font", "I"},
                                       {"Options", "Space"}, {"Options", "Size"}}) {
        for (const QByteArray &text : bad)
            QTest::addRow("%s=%s", key.constData(), text.constData()) << section << key << text;
    }
}

void TestStartup::badStoredValues()
{
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, text);
    sandbox().writeConf("[" + section + "]\n" + key + "=" + text + "\n");
    testing::WarningLog log;
    {
        frmMain form;
        QVERIFY(form.show());
        for (platform::CheckBox *box : {&form.chkB, &form.chkI, &form.chkSize, &form.chkSpace})
            QCOMPARE(box->value(), std::int16_t(0));
        QCOMPARE(testing::WarningLog::lines().size(), 1);
        QVERIFY(testing::WarningLog::lines().first().contains(QString::fromLatin1(key)));
        QVERIFY(form.widget()->close());
    }
    QSettings written(sandbox().confPath(), QSettings::IniFormat);
    QCOMPARE(written.value(QString::fromLatin1(section + "/" + key)).toString(), QStringLiteral("0"));
}

void TestStartup::fileThatIsNoIni()
{
    const QByteArray garbage("[Font\nB=1\n\x01\x02 broken");
    sandbox().writeConf(garbage);
    testing::WarningLog log;
    {
        frmMain form;
        QVERIFY(form.show());
        QCOMPARE(form.chkB.value(), std::int16_t(0));
        QCOMPARE(form.FSel.text(), QStringLiteral("Arial"));
        QVERIFY(form.widget()->close());
    }
    QVERIFY(!testing::WarningLog::lines().isEmpty());
    QSettings written(sandbox().confPath(), QSettings::IniFormat);
    QCOMPARE(written.status(), QSettings::NoError);
    QCOMPARE(written.value(QStringLiteral("Font/B")).toString(), QStringLiteral("0"));
    // What the user had is kept beside it.
    QFile kept(sandbox().confPath() + QStringLiteral(".broken"));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), garbage);
}

void TestStartup::placement()
{
    frmMain form;
    QVERIFY(form.show());
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const QMargins frame = platform::Form::estimatedFrame();
    const int outerWidth = 925 + frame.left() + frame.right();
    const int outerHeight = 211 + frame.top() + frame.bottom();
    // A third of the free height above, centred across; nothing is clamped.
    QCOMPARE(form.widget()->y(), qRound((screen.height() - outerHeight) / 3.0));
    QCOMPARE(form.widget()->x(), int(std::lround((screen.width() - outerWidth) / 2.0)));
    QCOMPARE(form.height(), outerHeight * 15.0);
    QCOMPARE(form.width(), outerWidth * 15.0);
    if (screen.width() < outerWidth)
        QVERIFY(form.widget()->x() < 0);
}

void TestStartup::largerIconsComeOnce()
{
    frmMain form;
    QVERIFY(form.show());
    QVERIFY(QTest::qWaitForWindowExposed(form.widget()));
    // After the first paint, the window's icon gains its larger renditions.
    QTRY_VERIFY(form.widget()->windowIcon().availableSizes().contains(QSize(256, 256)));
    const qint64 icon = form.widget()->windowIcon().cacheKey();
    // Later paints send no new icon: each would be decoded and sent again.
    for (int paint = 0; paint < 3; ++paint) {
        form.widget()->repaint();
        QCoreApplication::processEvents();
    }
    QCOMPARE(form.widget()->windowIcon().cacheKey(), icon);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
