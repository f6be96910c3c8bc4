#include "support.h"

#include "app/layout.h"
#include "app/main_window.h"
#include "platform/units.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

#include <algorithm>
#include <iterator>

using glyphery::frmMain;
using platform::ControlKind;
using platform::ControlSpec;
using platform::twipsToPixels;

class TestLayout : public testing::SandboxTest
{
    Q_OBJECT

private slots:
    void window();
    void controlGeometry_data();
    void controlGeometry();
    void cells();
    void stackingOrder();
    void tabOrder();
    void stateBeforeStartUp();
    void labels();
};

namespace {

// Where each control on the form itself was put, in twips: left, top,
// width, height, or a line's two end points x1, y1, x2, y2.
struct Place
{
    const char *name;
    int left, top, width, height;
};

constexpr Place places[] = {
    {"Frame1", 120, 120, 11775, 2895},
    {"FSel", 12000, 240, 1815, 285},
    {"CharXXL", 12000, 600, 1815, 1575},
    {"Symbol", 12600, 1200, 615, 615}, // over the middle of the preview
    {"Dummy", 12000, 1800, 375, 375}, // under the preview, which covers it
    {"chkB", 12180, 2280, 255, 255},
    {"chkI", 12360, 2280, 255, 255},
    {"chkSpace", 12600, 2280, 225, 255},
    {"chkSize", 12840, 2280, 225, 255},
    {"cmdN", 12000, 2310, 180, 195},
    {"Code", 13080, 2310, 735, 255}, // ends at the preview's right edge
    {"Label1", 12000, 2520, 1095, 135},
    {"Label2", 12000, 2835, 1815, 255},
    // Lines 1 to 4 frame the preview one pixel outside it; 5 and 6 draw a
    // sunken rule under the option row.
    {"Line1", 12000, 585, 13800, 585},
    {"Line2", 12000, 2175, 13800, 2175},
    {"Line3", 11985, 585, 11985, 2175},
    {"Line4", 13815, 585, 13815, 2175},
    {"Line5", 13800, 2760, 12000, 2760},
    {"Line6", 12000, 2775, 13800, 2775},
};

QString widgetName(const ControlSpec &row)
{
    const QString name = QString::fromUtf8(row.name);
    return row.index >= 0 ? QStringLiteral("%1_%2").arg(name).arg(row.index) : name;
}

} // namespace

void TestLayout::window()
{
    frmMain form;
    QWidget *w = form.widget();
    QCOMPARE(w->windowTitle(), QStringLiteral("Glyphery"));
    QCOMPARE(w->objectName(), QStringLiteral("frmMain"));
    QCOMPARE(w->size(), QSize(925, 211));
    QCOMPARE(w->minimumSize(), QSize(925, 211));
    QCOMPARE(w->maximumSize(), QSize(925, 211));
    const Qt::WindowFlags flags = w->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    const QList<QSize> iconSizes = w->windowIcon().availableSizes();
    QVERIFY(iconSizes.contains(QSize(16, 16)));
    QVERIFY(iconSizes.contains(QSize(32, 32)));
    // No control without a row in controlGeometry.
    QCOMPARE(glyphery::controlLayout().size(), std::size(places) + 225);
}

void TestLayout::controlGeometry_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QList<int>>("twips");
    for (const Place &place : places)
        QTest::newRow(place.name) << QStringLiteral("frmMain")
                                  << QList<int>{place.left, place.top, place.width, place.height};
    // The cells sit in Frame1 in rows of 32; the extra one, hidden, over the last row.
    for (int k = 1; k <= 224; ++k) {
        const int column = (k - 1) % 32, row = (k - 1) / 32;
        QTest::addRow("Char_%d", k) << QStringLiteral("Frame1")
                                    << QList<int>{120 + 360 * column, 240 + 360 * row, 375, 375};
    }
    QTest::newRow("Char_0") << QStringLiteral("Frame1") << QList<int>{11280, 2520, 375, 375};
}

void TestLayout::controlGeometry()
{
    QFETCH(QString, parent);
    QFETCH(QList<int>, twips);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const std::vector<ControlSpec> &table = glyphery::controlLayout();
    const auto row
        = std::find_if(table.begin(), table.end(), [&](const ControlSpec &r) { return widgetName(r) == name; });
    QVERIFY2(row != table.end(), "not in the layout");
    const bool line = row->kind == ControlKind::Line;
    QCOMPARE((QList<int>{row->left, row->top, line ? row->x2 : row->width, line ? row->y2 : row->height}), twips);

    frmMain form;
    QWidget *widget = form.widget()->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    const int left = twipsToPixels(twips[0]), top = twipsToPixels(twips[1]);
    const int width = twipsToPixels(twips[2]), height = twipsToPixels(twips[3]);
    // A line's widget covers both end points, one pixel wide.
    const QRect expected = line ? QRect(QPoint(std::min(left, width), std::min(top, height)),
                                        QPoint(std::max(left, width), std::max(top, height)))
                                : QRect(left, top, width, height);
    QCOMPARE(widget->geometry(), expected);
}

void TestLayout::cells()
{
    frmMain form;
    for (int k = 1; k <= 224; ++k) {
        const platform::TextBox &cell = form.Char(std::int16_t(k));
        QCOMPARE(cell.widget()->objectName(), QStringLiteral("Char_%1").arg(k));
        QVERIFY(cell.locked());
        QVERIFY(!cell.border());
        QCOMPARE(cell.alignment(), platform::Alignment::Center);
    }
    QWidget *zero = form.Char(0).widget();
    QCOMPARE(zero->objectName(), QStringLiteral("Char_0"));
    QVERIFY(zero->isHidden());
    QVERIFY(!form.Char(0).locked());
    form.widget()->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.widget()));
    QVERIFY(!zero->isVisible());
    QVERIFY(form.Char(224).widget()->isVisible());
}

void TestLayout::stackingOrder()
{
    frmMain form;
    // A later child in the list lies above an earlier one.
    auto above = [](QWidget *a, QWidget *b) {
        const QObjectList &siblings = a->parentWidget()->children();
        return siblings.indexOf(a) > siblings.indexOf(b);
    };
    for (int k = 1; k <= 224; ++k)
        QVERIFY(above(form.Char(std::int16_t(k)).widget(), form.Char(std::int16_t(k - 1)).widget()));
    QVERIFY(above(form.Symbol.widget(), form.CharXXL.widget()));
    QVERIFY(above(form.CharXXL.widget(), form.Dummy.widget()));
    // Labels and lines lie beneath every control that has a window.
    for (const char *drawn : {"Code", "Label1", "Label2", "Line1", "Line2", "Line3", "Line4", "Line5", "Line6"}) {
        QWidget *w = form.widget()->findChild<QWidget *>(QLatin1String(drawn));
        QVERIFY2(w, drawn);
        for (const char *windowed : {"Dummy", "CharXXL", "Frame1", "FSel", "Symbol", "chkB", "cmdN"})
            QVERIFY2(above(form.widget()->findChild<QWidget *>(QLatin1String(windowed)), w), windowed);
    }
}

void TestLayout::tabOrder()
{
    frmMain form;
    QStringList expected{"Dummy"};
    for (int k = 0; k <= 224; ++k)
        expected << QStringLiteral("Char_%1").arg(k);
    expected += QStringList{"FSel", "CharXXL", "Symbol", "chkB", "chkI", "chkSize", "chkSpace", "cmdN"};

    QStringList chain;
    QWidget *w = form.Dummy.widget();
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != form.Dummy.widget());
    QCOMPARE(chain, expected);

    // From the start, Tab goes from the hidden Dummy to cell 1.
    QVERIFY(form.show());
    form.widget()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.widget()));
    QTRY_VERIFY(form.Dummy.widget()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.Char(1).widget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QVERIFY(form.Dummy.widget()->hasFocus());
}

void TestLayout::stateBeforeStartUp()
{
    frmMain form;
    for (int k = 0; k <= 224; ++k)
        QCOMPARE(form.Char(std::int16_t(k)).text(), QStringLiteral("A"));
    QCOMPARE(form.Char(1).fontName(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(form.Char(1).fontSize(), 13.5f);
    QCOMPARE(form.FSel.text(), QStringLiteral("Arial"));
    QVERIFY(form.FSel.locked());
    QCOMPARE(form.CharXXL.text(), QString());
    QCOMPARE(form.CharXXL.fontName(), QStringLiteral("Arial"));
    QCOMPARE(form.CharXXL.fontSize(), 60.0f);
    QCOMPARE(form.Code.caption(), QString());
    QVERIFY(form.Symbol.visible());
    for (platform::CheckBox *box : {&form.chkB, &form.chkI, &form.chkSize, &form.chkSpace})
        QCOMPARE(box->value(), std::int16_t(0));
    QCOMPARE(form.cdl.fontName(), QStringLiteral(" "));
    QCOMPARE(form.SpacePrefix, QString());
}

void TestLayout::labels()
{
    frmMain form;
    QVERIFY(form.show());
    auto *legend = form.widget()->findChild<QLabel *>(QStringLiteral("Label1"));
    QVERIFY(legend);
    const QString caption = legend->text();
    QCOMPARE(caption.size(), 17);
    QCOMPARE(caption, QStringLiteral(" N  B  I    \u00D8   \u00B1"));
    QCOMPARE(legend->font().pointSizeF(), 6.75);
    auto *credit = form.widget()->findChild<QLabel *>(QStringLiteral("Label2"));
    QVERIFY(credit && !credit->text().isEmpty() && !credit->text().contains(QLatin1Char('\n')));
    // The code stands at the right edge of its label.
    auto *code = form.widget()->findChild<QLabel *>(QStringLiteral("Code"));
    QVERIFY(code);
    QCOMPARE(code->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(legend->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    // Text on the form's surface starts at its label's top: the legend's
    // line is taller than its label, and keeps its glyphs' tops.
    QCOMPARE(code->alignment() & Qt::AlignVertical_Mask, Qt::AlignTop);
    QCOMPARE(legend->alignment() & Qt::AlignVertical_Mask, Qt::AlignTop);
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
