#include "support.h"

#include "app/layout.h"
#include "app/main_window.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

using glyphery::frmMain;

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void init() { sandbox_ = std::make_unique<testing::Sandbox>(); }
    void cleanup()
    {
        testing::verifyNoErrors();
        sandbox_.reset();
    }
    void window();
    void gridFollowsTheRule();
    void stackingOrder();
    void tabOrder();
    void stateBeforeStartUp();
    void rightColumn();

private:
    std::unique_ptr<testing::Sandbox> sandbox_;
};

namespace {
QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
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
}

void TestLayout::gridFollowsTheRule()
{
    frmMain form;
    QWidget *frame = form.widget()->findChild<QWidget *>(QStringLiteral("Frame1"));
    QVERIFY(frame);
    QCOMPARE(frame->geometry(), twips(120, 120, 11775, 2895));
    for (int k = 1; k <= 224; ++k) {
        QWidget *cell = form.Char(std::int16_t(k)).widget();
        const int column = (k - 1) % 32, row = (k - 1) / 32;
        QCOMPARE(cell->parentWidget(), frame);
        QCOMPARE(cell->geometry(), QRect(8 + 24 * column, 16 + 24 * row, 25, 25));
        QCOMPARE(cell->objectName(), QStringLiteral("Char_%1").arg(k));
        QVERIFY(form.Char(std::int16_t(k)).locked());
        QVERIFY(!form.Char(std::int16_t(k)).border());
        QCOMPARE(form.Char(std::int16_t(k)).alignment(), platform::Alignment::Center);
    }
    // Cell 193 starts the last row, 224 ends it.
    QCOMPARE(form.Char(193).widget()->pos(), QPoint(120 / 15, 2400 / 15));
    QCOMPARE(form.Char(224).widget()->pos(), QPoint(11280 / 15, 2400 / 15));

    QWidget *zero = form.Char(0).widget();
    QCOMPARE(zero->parentWidget(), frame);
    QCOMPARE(zero->geometry(), twips(11280, 2520, 375, 375));
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
    expected << "FSel" << "CharXXL" << "Symbol" << "chkB" << "chkI" << "chkSize" << "chkSpace" << "cmdN";

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

void TestLayout::rightColumn()
{
    frmMain form;
    auto *legend = form.widget()->findChild<QLabel *>(QStringLiteral("Label1"));
    QVERIFY(legend);
    const QString caption = legend->text();
    QCOMPARE(caption.size(), 17);
    QCOMPARE(caption, QStringLiteral(" N  B  I    \u00D8   \u00B1"));
    QCOMPARE(legend->font().pointSizeF(), 6.75);
    auto *credit = form.widget()->findChild<QLabel *>(QStringLiteral("Label2"));
    QVERIFY(credit && !credit->text().isEmpty() && !credit->text().contains(QLatin1Char('\n')));

    // The icon sits over the middle of the preview, the code ends at its right edge.
    const QRect preview = form.CharXXL.widget()->geometry();
    QCOMPARE(preview, twips(12000, 600, 1815, 1575));
    const QRect icon = form.Symbol.widget()->geometry();
    QCOMPARE(icon, twips(12600, 1200, 615, 615));
    QCOMPARE(icon.center().x(), preview.center().x());
    QCOMPARE(form.Code.widget()->geometry().right(), preview.right());
    QVERIFY(form.Dummy.widget()->geometry().intersected(preview) == form.Dummy.widget()->geometry());
    QCOMPARE(form.chkB.widget()->size(), QSize(17, 17));
    QCOMPARE(form.cmdN.widget()->size(), QSize(12, 13));
    // The four lines frame the preview one pixel outside it.
    QCOMPARE(form.widget()->findChild<QWidget *>(QStringLiteral("Line1"))->geometry(), QRect(800, 39, 121, 1));
    QCOMPARE(form.widget()->findChild<QWidget *>(QStringLiteral("Line3"))->geometry(), QRect(799, 39, 1, 107));
    QCOMPARE(form.widget()->findChild<QWidget *>(QStringLiteral("Line4"))->geometry(), QRect(921, 39, 1, 107));
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
