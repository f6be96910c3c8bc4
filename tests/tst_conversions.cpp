#include "platform/conversions.h"
#include "platform/display.h"
#include "platform/runtime_error.h"

#include <QStringDecoder>
#include <QtTest>

using namespace platform;

class TestConversions : public QObject
{
    Q_OBJECT

private slots:
    void ansiCharMatchesWindows1252_data();
    void ansiCharMatchesWindows1252();
    void ansiCharOfUndefinedBytes();
    void ansiCharOutOfRange();
    void numberText();
    void rightmost();
    void commandLine_data();
    void commandLine();
};

void TestConversions::ansiCharMatchesWindows1252_data()
{
    QTest::addColumn<int>("code");
    for (int code = 32; code <= 255; ++code)
        QTest::addRow("%d", code) << code;
}

// ICU's table of the code page is an independent reference.
void TestConversions::ansiCharMatchesWindows1252()
{
    QFETCH(int, code);
    QStringDecoder decoder("windows-1252");
    QVERIFY(decoder.isValid());
    const QString expected = decoder.decode(QByteArray(1, char(code)));
    const QString actual = ansiChar(code);
    QCOMPARE(actual.size(), 1);
    QCOMPARE(actual, expected);
}

void TestConversions::ansiCharOfUndefinedBytes()
{
    for (int code : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        QCOMPARE(ansiChar(code), QString(QChar(code)));
    QCOMPARE(ansiChar(128), QStringLiteral("\u20AC"));
    QCOMPARE(ansiChar(159), QStringLiteral("\u0178"));
    QCOMPARE(ansiChar(32), QStringLiteral(" "));
    QCOMPARE(ansiChar(255), QStringLiteral("\u00FF"));
}

void TestConversions::ansiCharOutOfRange()
{
    for (int code : {-1, 256}) {
        try {
            ansiChar(code);
            QFAIL("no run-time error");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), 5);
            QCOMPARE(e.message(), QStringLiteral("Invalid procedure call or argument"));
        }
    }
}

void TestConversions::numberText()
{
    QCOMPARE(platform::numberText(65), QStringLiteral(" 65"));
    QCOMPARE(platform::numberText(0), QStringLiteral(" 0"));
    QCOMPARE(platform::numberText(255), QStringLiteral(" 255"));
    QCOMPARE(platform::numberText(-7), QStringLiteral("-7"));
    QCOMPARE(integerText(1), QStringLiteral("1"));
    QCOMPARE(integerText(-32768), QStringLiteral("-32768"));
}

void TestConversions::rightmost()
{
    QCOMPARE(platform::rightmost(QStringLiteral(" A")), QStringLiteral("A"));
    QCOMPARE(platform::rightmost(QStringLiteral(" ")), QStringLiteral(" "));
    QCOMPARE(platform::rightmost(QString()), QString());
}

// Qt's options and their values are passed over, wherever they stand.
void TestConversions::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("own");
    QTest::addColumn<bool>("platformNamed");
    QTest::newRow("inline value") << QStringList{"-qwindowgeometry=100x100", "--version"} << QStringList{"--version"}
                                  << false;
    QTest::newRow("values apart") << QStringList{"-style", "Fusion", "--display", ":0", "-h"} << QStringList{"-h"}
                                  << false;
    QTest::newRow("platform first") << QStringList{"-platform", "offscreen"} << QStringList{} << true;
    QTest::newRow("platform, then a value")
        << QStringList{"-platform", "offscreen", "-style", "Fusion"} << QStringList{} << true;
    QTest::newRow("platform inline") << QStringList{"--platform=xcb", "x"} << QStringList{"x"} << true;
    QTest::newRow("a flag") << QStringList{"-reverse", "--bogus"} << QStringList{"--bogus"} << false;
    QTest::newRow("no dash") << QStringList{"platform", "xcb"} << QStringList{"platform", "xcb"} << false;
    QTest::newRow("no dash, inline") << QStringList{"style=fusion", "display=:5", "platform=offscreen"}
                                     << QStringList{"style=fusion", "display=:5", "platform=offscreen"} << false;
    QTest::newRow("value missing") << QStringList{"-v", "-style"} << QStringList{"-v"} << false;
}

void TestConversions::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, own);
    QFETCH(bool, platformNamed);
    std::vector<QByteArray> bytes{"glyphery"};
    for (const QString &argument : arguments)
        bytes.push_back(argument.toUtf8());
    std::vector<char *> argv;
    for (QByteArray &argument : bytes)
        argv.push_back(argument.data());
    const CommandLine line = readCommandLine(int(argv.size()), argv.data());
    QStringList seen;
    for (const std::string_view argument : line.arguments)
        seen << QString::fromUtf8(argument.data(), qsizetype(argument.size()));
    QCOMPARE(seen, own);
    QCOMPARE(line.platformNamed, platformNamed);
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
