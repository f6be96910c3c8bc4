#include "support.h"

#include "platform/form.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QtTest>

#include <vector>

using namespace platform;

namespace {

const FormSpec formSpec{.name = "form", .caption = "Test", .clientWidth = 3000, .clientHeight = 1500};

const std::vector<ControlSpec> &layoutRows()
{
    static const std::vector<ControlSpec> rows = {
        {.kind = ControlKind::CheckBox, .name = "box", .left = 150, .top = 150, .width = 255, .height = 255,
         .tabIndex = 3},
        {.kind = ControlKind::TextBox, .name = "cell", .index = 2, .left = 600, .top = 150, .width = 375,
         .height = 375, .tabIndex = 2, .locked = true},
        {.kind = ControlKind::TextBox, .name = "cell", .index = 1, .left = 1200, .top = 150, .width = 375,
         .height = 375, .tabIndex = 1, .locked = true},
        {.kind = ControlKind::TextBox, .name = "first", .left = 150, .top = 900, .width = 375, .height = 375,
         .tabIndex = 0},
    };
    return rows;
}

} // namespace

class TestControls : public QObject
{
    Q_OBJECT

private slots:
    void userClickTogglesZeroAndOne();
    void assignmentRaisesClickNested();
    void invalidValueIsRunTimeError();
    void errorInHandlerIsReportedOnce();
    void setFocusRaisesGotFocus();
    void keyDownCodesAndKeyNotConsumed();
    void missingArrayElement();
};

void TestControls::userClickTogglesZeroAndOne()
{
    testing::Sandbox sandbox;
    Form form(formSpec, layoutRows());
    CheckBox &box = form.checkBox("box");
    std::vector<int> seen; // the value each Click saw
    box.onClick = [&] { seen.push_back(box.value()); };
    form.widget()->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.widget()));
    auto *widget = static_cast<QCheckBox *>(box.widget());

    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(seen, (std::vector<int>{1, 0}));

    // GIVEN a grayed box WHEN the user clicks it THEN it is checked.
    box.setValue(2);
    seen.clear();
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(box.value(), std::int16_t(1));
    QCOMPARE(seen, std::vector<int>{1});

    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_Space);
    QCOMPARE(box.value(), std::int16_t(0));
    QCOMPARE(seen, (std::vector<int>{1, 0}));
}

void TestControls::assignmentRaisesClickNested()
{
    testing::Sandbox sandbox;
    Form form(formSpec, layoutRows());
    CheckBox &box = form.checkBox("box");
    QStringList trace;
    box.onClick = [&] { trace << QStringLiteral("click sees %1").arg(box.value()); };

    auto assign = [&](std::int16_t value) {
        trace << QStringLiteral("assign %1").arg(value);
        box.setValue(value);
        trace << QStringLiteral("returned");
    };
    assign(1);
    assign(1); // equal: nothing raised
    assign(2);
    assign(0);
    assign(0);
    QCOMPARE(trace, (QStringList{"assign 1", "click sees 1", "returned", "assign 1", "returned",
                                          "assign 2", "click sees 2", "returned", "assign 0", "click sees 0",
                                          "returned", "assign 0", "returned"}));
    QCOMPARE(static_cast<QCheckBox *>(box.widget())->checkState(), Qt::Unchecked);
    box.setValue(2);
    QCOMPARE(static_cast<QCheckBox *>(box.widget())->checkState(), Qt::PartiallyChecked);
}

void TestControls::invalidValueIsRunTimeError()
{
    testing::Sandbox sandbox;
    Form form(formSpec, layoutRows());
    CheckBox &box = form.checkBox("box");
    int clicks = 0;
    box.onClick = [&] { ++clicks; };
    for (std::int16_t bad : {std::int16_t(3), std::int16_t(-1), std::int16_t(32767)}) {
        try {
            box.setValue(bad);
            QFAIL("no run-time error");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), 380);
            QCOMPARE(e.message(), QStringLiteral("Invalid property value"));
        }
    }
    QCOMPARE(box.value(), std::int16_t(0));
    QCOMPARE(clicks, 0);
}

void TestControls::errorInHandlerIsReportedOnce()
{
    testing::Sandbox sandbox;
    Form form(formSpec, layoutRows());
    CheckBox &box = form.checkBox("box");
    int clicks = 0;
    bool afterNested = false;
    // A nested Click that fails ends the handler that assigned the value.
    box.onClick = [&] {
        ++clicks;
        if (clicks == 1) {
            box.setValue(0);
            afterNested = true;
        } else {
            box.setValue(7);
        }
    };
    form.widget()->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.widget()));
    QTest::mouseClick(box.widget(), Qt::LeftButton, {}, QPoint(8, 8));
    QVERIFY(!afterNested);
    QCOMPARE(testing::reportedErrors(), QStringList{"Run-time error '380': Invalid property value"});
    QVERIFY(isEnding());
    QCOMPARE(endingStatus(), 1);

    // Once the program is ending no handler runs.
    QTest::mouseClick(box.widget(), Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(clicks, 2);
    QCOMPARE(testing::reportedErrors().size(), 1);
}

void TestControls::setFocusRaisesGotFocus()
{
    testing::Sandbox sandbox;
    Form form(formSpec, layoutRows());
    ControlArray<TextBox> &cells = form.textBoxArray("cell");
    std::vector<int> got;
    for (std::int16_t i : {std::int16_t(1), std::int16_t(2)})
        cells(i).onGotFocus = [&](std::int16_t index) { got.push_back(index); };

    // Before the window is active Qt defers the focus event; GotFocus is raised anyway.
    cells(2).setFocus();
    QCOMPARE(got, std::vector<int>{2});

    QVERIFY(form.show());
    form.widget()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.widget()));
    QTRY_COMPARE(QApplication::focusWidget(), form.textBox("first").widget());
    QCOMPARE(got, std::vector<int>{2}); // the window's activation is no GotFocus

    cells(1).setFocus();
    QCOMPARE(QApplication::focusWidget(), cells(1).widget());
    cells(1).setFocus(); // already there: nothing new
    QTest::mouseClick(cells(2).widget(), Qt::LeftButton);
    QTest::keyClick(form.widget(), Qt::Key_Backtab);
    QCOMPARE(got, (std::vector<int>{2, 1, 2, 1}));
}

void TestControls::keyDownCodesAndKeyNotConsumed()
{
    testing::Sandbox sandbox;
    Form form(formSpec, layoutRows());
    TextBox &first = form.textBox("first");
    std::vector<std::pair<int, int>> keys;
    first.onKeyDown = [&](std::int16_t index, std::int16_t code, std::int16_t shift) {
        QCOMPARE(index, std::int16_t(-1));
        keys.emplace_back(code, shift);
    };
    QVERIFY(form.show());
    form.widget()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.widget()));
    QTRY_COMPARE(QApplication::focusWidget(), first.widget());

    QTest::keyClick(first.widget(), Qt::Key_Return);
    QTest::keyClick(first.widget(), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(first.widget(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(first.widget(), Qt::Key_Up, Qt::ControlModifier);
    QTest::keyClick(first.widget(), Qt::Key_Right, Qt::AltModifier);
    QTest::keyClick(first.widget(), Qt::Key_Down, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    QTest::keyClick(first.widget(), Qt::Key_X);
    QTest::keyClick(first.widget(), Qt::Key_7);
    QTest::keyClick(first.widget(), Qt::Key_F5);
    QTest::keyClick(first.widget(), Qt::Key_Delete);
    QTest::keyClick(first.widget(), Qt::Key_Escape);
    // The modifier keys go down first and are raised too.
    QCOMPARE(keys, (std::vector<std::pair<int, int>>{{13, 0}, {13, 0}, {16, 1}, {37, 1}, {17, 2}, {38, 2},
                                                     {18, 4}, {39, 4}, {16, 1}, {17, 3}, {18, 7}, {40, 7},
                                                     {'X', 0}, {'7', 0}, {116, 0}, {46, 0}, {27, 0}}));

    // Auto-repeat is raised for each repeat.
    keys.clear();
    QTest::sendKeyEvent(QTest::KeyAction::Press, first.widget(), Qt::Key_Right, QString(), Qt::NoModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(first.widget(), &repeat);
    QCOMPARE(keys.size(), std::size_t(2));

    // The box's own handling runs afterwards: typing reaches the editable box.
    auto *edit = static_cast<QLineEdit *>(first.widget());
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("ab"));
    QCOMPARE(first.text(), QStringLiteral("ab"));
}

void TestControls::missingArrayElement()
{
    testing::Sandbox sandbox;
    Form form(formSpec, layoutRows());
    ControlArray<TextBox> &cells = form.textBoxArray("cell");
    for (std::int16_t index : {std::int16_t(0), std::int16_t(3), std::int16_t(-1)}) {
        try {
            cells(index);
            QFAIL("no run-time error");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), 340);
        }
    }
    QCOMPARE(cells(2).widget()->objectName(), QStringLiteral("cell_2"));
}

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
