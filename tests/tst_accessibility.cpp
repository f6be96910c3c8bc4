#include "support.h"

#include "app/main_window.h"

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QtTest>

using glyphery::frmMain;

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void init() { sandbox_ = std::make_unique<testing::Sandbox>(); }
    void cleanup()
    {
        testing::verifyNoErrors();
        sandbox_.reset();
    }
    void cells_data();
    void cells();
    void optionControls_data();
    void optionControls();
    void previewAndCodeExposeTheirText();

private:
    std::unique_ptr<testing::Sandbox> sandbox_;
};

namespace {

QString accessibleText(QWidget *widget, QAccessible::Text which)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(which) : QStringLiteral("<no interface>");
}

QString toolTipShownFor(QWidget *widget)
{
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(widget, &help);
    return widget->toolTip();
}

} // namespace

void TestAccessibility::cells_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("description");
    QTest::newRow("space") << 1 << "  U+0020 SPACE, 32"; // the blank itself, then its code point
    QTest::newRow("A") << 34 << "A U+0041 LATIN CAPITAL LETTER A, 65";
    QTest::newRow("euro") << 97 << "\u20AC U+20AC EURO SIGN, 128";
    QTest::newRow("undefined") << 98 << "\u0081 U+0081 <control-0081>, 129";
    QTest::newRow("y") << 224 << "\u00FF U+00FF LATIN SMALL LETTER Y WITH DIAERESIS, 255";
}

void TestAccessibility::cells()
{
    QFETCH(int, cell);
    QFETCH(QString, description);
    frmMain form;
    QVERIFY(form.show());
    QWidget *widget = form.Char(std::int16_t(cell)).widget();
    // Nothing is computed before someone asks.
    QCOMPARE(widget->toolTip(), QString());
    QCOMPARE(accessibleText(widget, QAccessible::Name), description);
    QCOMPARE(accessibleText(widget, QAccessible::Value), form.Char(std::int16_t(cell)).text());
    QVERIFY(QAccessible::queryAccessibleInterface(widget)->state().readOnly);
    QCOMPARE(toolTipShownFor(widget), description);
}

void TestAccessibility::optionControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("cmdN") << "cmdN" << "Normal";
    QTest::newRow("chkB") << "chkB" << "Fett";
    QTest::newRow("chkI") << "chkI" << "Kursiv";
    QTest::newRow("chkSpace") << "chkSpace" << "Leerzeichen davor";
    QTest::newRow("chkSize") << "chkSize" << "Kleine Schriftgr\u00F6\u00DFen";
}

void TestAccessibility::optionControls()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    frmMain form;
    QWidget *widget = form.widget()->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(accessibleText(widget, QAccessible::Name), text);
    QCOMPARE(toolTipShownFor(widget), text);
}

void TestAccessibility::previewAndCodeExposeTheirText()
{
    frmMain form;
    QVERIFY(form.show());
    form.Char(97).setFocus();
    QCOMPARE(accessibleText(form.CharXXL.widget(), QAccessible::Name), QStringLiteral("Vorschau"));
    QCOMPARE(accessibleText(form.CharXXL.widget(), QAccessible::Value), QStringLiteral("\u20AC"));
    QCOMPARE(accessibleText(form.Code.widget(), QAccessible::Name), QStringLiteral(" 128 (\u20AC)"));
    QCOMPARE(accessibleText(form.FSel.widget(), QAccessible::Name), QStringLiteral("Schriftart"));
    QCOMPARE(accessibleText(form.FSel.widget(), QAccessible::Value), QStringLiteral("Arial"));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
