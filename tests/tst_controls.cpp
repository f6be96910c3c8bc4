#include "support.h"

#include "platform/form.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QtTest>

#include <new>
#include <stdexcept>

#include <vector>

using namespace platform;

namespace {

const FormSpec formSpec{.name = "form", .caption = "Test", .clientWidth = 3000, .clientHeight = 1500};

// Key code and shift mask of each KeyDown raised.
using KeyDowns = std::vector<std::pair<int, int>>;

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
        // Focusable, but in no tab order of the layout's.
        {.kind = ControlKind::TextBox, .name = "untabbed", .left = 2000, .top = 900, .width = 375, .height = 375,
         .locked = true},
        {.kind = ControlKind::TextBox, .name = "second", .left = 1200, .top = 900, .width = 375, .height = 375,
         .tabIndex = 4},
    };
    return rows;
}

} // namespace

class TestControls : public testing::SandboxTest
{
    Q_OBJECT

private slots:
    void userClickTogglesZeroAndOne();
    void assignmentRaisesClickNested();
    void invalidValueIsRunTimeError();
    void errorInHandlerIsReportedOnce();
    void errorBoxBelongsToTheWindow();
    void setFocusRaisesGotFocus();
    void errorOutsideEventHandlers_data();
    void errorOutsideEventHandlers();
    void keyDownCodes_data();
    void keyDownCodes();
    void keyDownRepeatsAndLeavesTheKeyToTheBox();
    void tabOrderFollowsTabIndex();
    void lockedBoxShowsTextAndFocus();
    void bothKindsOfBoxPlaceTextAlike_data();
    void bothKindsOfBoxPlaceTextAlike();
    void editableBoxKeepsWhatWasSetBeforeItsFirstFocus();
    void noBoxAsksForAnInputPanel_data();
    void noBoxAsksForAnInputPanel();
    void neverMaximized_data();
    void neverMaximized();
    void missingArrayElement();
};

void TestControls::userClickTogglesZeroAndOne()
{
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
    // The widget takes the value when the window is shown, and at once after.
    box.setValue(1);
    form.widget()->show();
    QCOMPARE(static_cast<QCheckBox *>(box.widget())->checkState(), Qt::Checked);
    box.setValue(0);
    QCOMPARE(static_cast<QCheckBox *>(box.widget())->checkState(), Qt::Unchecked);
    box.setValue(2);
    QCOMPARE(static_cast<QCheckBox *>(box.widget())->checkState(), Qt::PartiallyChecked);
}

void TestControls::invalidValueIsRunTimeError()
{
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
    QVERIFY(isEnding());
    QCOMPARE(endingStatus(), 1);

    // Once the program is ending no handler runs, and nothing more is reported.
    QTest::mouseClick(box.widget(), Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(clicks, 2);
    QCOMPARE(testing::takeErrors(), QStringList{"Run-time error '380': Invalid property value"});
}

void TestControls::errorBoxBelongsToTheWindow()
{
    // The close key can reach the window before Qt has taken its focus-in:
    // the box still belongs to the window the user sees.
    Form form(formSpec, layoutRows());
    form.checkBox("box").onClick = [] { raiseInvalidPropertyValue(); };
    QVERIFY(form.show());
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    other.hide();
    QTRY_VERIFY(!QApplication::activeWindow());
    platform::setErrorPresenter({});
    QWidget *owner = nullptr;
    QTimer::singleShot(0, [&] { QTest::mouseClick(form.checkBox("box").widget(), Qt::LeftButton, {}, QPoint(8, 8)); });
    QTimer::singleShot(0, [&] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            owner = box->parentWidget();
            box->close();
        }
    });
    // The program's own loop: an earlier case's ending left Qt's nested loops stopped.
    QCOMPARE(QCoreApplication::exec(), 1);
    QCOMPARE(owner, form.widget());
    testing::takeErrors();
}

void TestControls::setFocusRaisesGotFocus()
{
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
    QTRY_VERIFY(form.textBox("first").widget()->hasFocus());
    QCOMPARE(got, std::vector<int>{2}); // the window's activation is no GotFocus

    cells(1).setFocus();
    QCOMPARE(QApplication::focusWidget(), cells(1).widget());
    cells(1).setFocus(); // already there: nothing new
    QTest::mouseClick(cells(2).widget(), Qt::LeftButton);
    QTest::keyClick(form.widget(), Qt::Key_Backtab);
    QCOMPARE(got, (std::vector<int>{2, 1, 2, 1}));

    // The editable box raises GotFocus once each time, however it gets there,
    // and Tab leaves it for the next box in order.
    int firstGot = 0;
    form.textBox("first").onGotFocus = [&](std::int16_t) { ++firstGot; };
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QVERIFY(form.textBox("first").widget()->hasFocus());
    form.textBox("first").setFocus();
    cells(2).setFocus();
    form.textBox("first").setFocus();
    QCOMPARE(firstGot, 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), cells(1).widget());
    QCOMPARE(got, (std::vector<int>{2, 1, 2, 1, 2, 1}));

    // Coming back from another window to the cell is no GotFocus either.
    {
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        form.widget()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.widget()));
    }
    QTRY_COMPARE(QApplication::focusWidget(), cells(1).widget());
    QCOMPARE(got, (std::vector<int>{2, 1, 2, 1, 2, 1}));
}

void TestControls::errorOutsideEventHandlers_data()
{
    // Where the box calls the program's code, and what that code throws.
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("thrown");
    QTest::addColumn<QString>("reported");
    const QString runTime = QStringLiteral("Run-time error '5': Invalid procedure call or argument");
    const QString standard = QStringLiteral("Run-time error '51': Internal error: out of range");
    const QString other = QStringLiteral("Run-time error '51': Internal error: an unknown exception");
    const QString memory = QStringLiteral("Run-time error '7': Out of memory");
    for (const char *where : {"GotFocus", "tooltip", "accessible name"}) {
        QTest::addRow("%s, run-time error", where) << where << 0 << runTime;
        QTest::addRow("%s, standard exception", where) << where << 1 << standard;
        QTest::addRow("%s, anything else", where) << where << 2 << other;
        QTest::addRow("%s, out of memory", where) << where << 3 << memory;
    }
}

void TestControls::errorOutsideEventHandlers()
{
    QFETCH(QString, where);
    QFETCH(int, thrown);
    QFETCH(QString, reported);
    Form form(formSpec, layoutRows());
    TextBox &cell = form.textBoxArray("cell")(1);
    const auto fail = [thrown] {
        if (thrown == 0)
            raiseInvalidCall();
        if (thrown == 1)
            throw std::out_of_range("out of range");
        if (thrown == 3)
            throw std::bad_alloc();
        throw 42;
    };
    cell.onGotFocus = [&](std::int16_t) { fail(); };
    cell.onDescribe = [&](std::int16_t) -> QString {
        fail();
        return QStringLiteral("never");
    };
    QVERIFY(form.show());
    QString description = QStringLiteral("untouched");
    if (where == QLatin1String("GotFocus")) {
        cell.setFocus();
    } else if (where == QLatin1String("tooltip")) {
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), cell.widget()->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(cell.widget(), &help);
        description = cell.widget()->toolTip();
    } else {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(cell.widget());
        QVERIFY(face);
        description = face->text(QAccessible::Name);
    }
    // Reported once, as a handler's error is, and the program ends; the
    // description that failed is empty.
    QVERIFY(isEnding());
    QCOMPARE(endingStatus(), 1);
    QCOMPARE(testing::takeErrors(), QStringList{reported});
    if (where != QLatin1String("GotFocus"))
        QCOMPARE(description, QString());
}

void TestControls::keyDownCodes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<KeyDowns>("raised");
    const Qt::KeyboardModifiers none, shift(Qt::ShiftModifier), ctrl(Qt::ControlModifier), alt(Qt::AltModifier),
        keypad(Qt::KeypadModifier);
    QTest::newRow("Return") << int(Qt::Key_Return) << none << KeyDowns{{13, 0}};
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << KeyDowns{{13, 0}};
    // The modifier keys go down first and are raised too.
    QTest::newRow("Shift+Left") << int(Qt::Key_Left) << shift << KeyDowns{{16, 1}, {37, 1}};
    QTest::newRow("Ctrl+Up") << int(Qt::Key_Up) << ctrl << KeyDowns{{17, 2}, {38, 2}};
    QTest::newRow("Alt+Right") << int(Qt::Key_Right) << alt << KeyDowns{{18, 4}, {39, 4}};
    QTest::newRow("Shift+Ctrl+Alt+Down") << int(Qt::Key_Down) << (shift | ctrl | alt)
                                         << KeyDowns{{16, 1}, {17, 3}, {18, 7}, {40, 7}};
    QTest::newRow("X") << int(Qt::Key_X) << none << KeyDowns{{'X', 0}};
    QTest::newRow("7") << int(Qt::Key_7) << none << KeyDowns{{'7', 0}};
    QTest::newRow("F5") << int(Qt::Key_F5) << none << KeyDowns{{116, 0}};
    QTest::newRow("Delete") << int(Qt::Key_Delete) << none << KeyDowns{{46, 0}};
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << KeyDowns{{27, 0}};
}

void TestControls::keyDownCodes()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(KeyDowns, raised);
    Form form(formSpec, layoutRows());
    TextBox &first = form.textBox("first");
    KeyDowns keys;
    first.onKeyDown = [&](std::int16_t index, std::int16_t code, std::int16_t shift) {
        QCOMPARE(index, std::int16_t(-1));
        keys.emplace_back(code, shift);
    };
    QVERIFY(form.show());
    form.widget()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.widget()));
    QTRY_VERIFY(first.widget()->hasFocus());
    // Keys go where the user's keys go: to the focus widget.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    QCOMPARE(keys, raised);
}

void TestControls::keyDownRepeatsAndLeavesTheKeyToTheBox()
{
    Form form(formSpec, layoutRows());
    TextBox &first = form.textBox("first");
    KeyDowns keys;
    first.onKeyDown = [&](std::int16_t, std::int16_t code, std::int16_t shift) { keys.emplace_back(code, shift); };
    QVERIFY(form.show());
    form.widget()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.widget()));
    QTRY_VERIFY(first.widget()->hasFocus());
    QWidget *target = QApplication::focusWidget();

    // Auto-repeat is raised for each repeat.
    QTest::sendKeyEvent(QTest::KeyAction::Press, target, Qt::Key_Right, QString(), Qt::NoModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(target, &repeat);
    QCOMPARE(keys, (KeyDowns{{39, 0}, {39, 0}}));

    // The box's own handling runs afterwards: typing reaches the editable box,
    // and text set from code replaces it.
    first.setText(QString());
    QTest::keyClicks(target, QStringLiteral("ab"));
    QCOMPARE(first.text(), QStringLiteral("ab"));
    first.setText(QStringLiteral("cd"));
    QCOMPARE(first.text(), QStringLiteral("cd"));

    // A locked box raises KeyDown as well, and typing leaves its text alone.
    TextBox &cell = form.textBoxArray("cell")(1);
    std::vector<int> cellKeys;
    cell.onKeyDown = [&](std::int16_t, std::int16_t code, std::int16_t) { cellKeys.push_back(code); };
    cell.setText(QStringLiteral("A"));
    cell.setFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("xy"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QCOMPARE(cellKeys, (std::vector<int>{'X', 'Y', 8}));
    QCOMPARE(cell.text(), QStringLiteral("A"));
}

void TestControls::tabOrderFollowsTabIndex()
{
    Form form(formSpec, layoutRows());
    // The boxes with a tab index follow one another in its order, wherever
    // the chain puts a focusable box without one.
    QWidget *const start = form.textBox("first").widget();
    QStringList order;
    QWidget *at = start;
    do {
        if (at->focusPolicy() & Qt::TabFocus)
            order << at->objectName();
        at = at->nextInFocusChain();
    } while (at != start && order.size() < 20);
    QCOMPARE(order.mid(0, 5), QStringList({"first", "cell_1", "cell_2", "box", "second"}));
    QVERIFY(order.contains(QStringLiteral("untabbed")));
}

void TestControls::lockedBoxShowsTextAndFocus()
{
    Form form(formSpec, layoutRows());
    TextBox &cell = form.textBoxArray("cell")(1);
    QVERIFY(form.show());
    form.widget()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.widget()));
    const QColor highlight = cell.widget()->palette().color(QPalette::Highlight);
    auto image = [&] { return cell.widget()->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    cell.setText(QString());
    const QImage empty = image();
    auto inkIn = [&](const QImage &shot, const QRect &area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (shot.pixel(x, y) != empty.pixel(x, y))
                    return true;
        return false;
    };

    // The text is drawn in the middle; the edges and the frame stay as they were.
    cell.setText(QStringLiteral("W"));
    const QImage letter = image();
    const QRect all = letter.rect();
    QVERIFY(inkIn(letter, QRect(all.center() - QPoint(3, 3), QSize(7, 7))));
    QVERIFY(!inkIn(letter, QRect(0, 0, all.width(), 3)));
    QVERIFY(!inkIn(letter, QRect(0, 0, 3, all.height())));

    // A font change shows at the next paint.
    cell.setFontSize(20);
    QVERIFY(image() != letter);

    // Line breaks show as blanks: the box holds one line.
    cell.setText(QStringLiteral("i\ni"));
    QCOMPARE(cell.text(), QStringLiteral("i\ni"));
    const QImage broken = image();
    cell.setText(QStringLiteral("i i"));
    QCOMPARE(broken, image());

    // With the focus it is framed in the highlight colour, one pixel in.
    QVERIFY(letter.pixelColor(1, 1) != highlight);
    cell.setFocus();
    const QImage focused = image();
    QCOMPARE(focused.pixelColor(1, 1), highlight);
    QCOMPARE(focused.pixelColor(all.width() - 2, all.height() - 2), highlight);
    QCOMPARE(focused.pixel(0, 0), letter.pixel(0, 0));

    // Text is cut to the longest a box holds.
    cell.setText(QString(TextBox::maxLength + 5, u'x'));
    QCOMPARE(cell.text().size(), TextBox::maxLength);
}

void TestControls::bothKindsOfBoxPlaceTextAlike_data()
{
    QTest::addColumn<Alignment>("alignment");
    QTest::newRow("left") << Alignment::Left;
    QTest::newRow("right") << Alignment::Right;
    QTest::newRow("center") << Alignment::Center;
}

void TestControls::bothKindsOfBoxPlaceTextAlike()
{
    // GIVEN a locked box, which paints its text, and an editable one, whose
    // line edit paints it once it has had the focus
    QFETCH(Alignment, alignment);
    const std::vector<ControlSpec> rows = {
        {.kind = ControlKind::TextBox, .name = "painted", .left = 150, .top = 150, .width = 1200, .height = 375,
         .tabIndex = 1, .text = "Wi", .alignment = alignment, .locked = true},
        {.kind = ControlKind::TextBox, .name = "edited", .left = 150, .top = 900, .width = 1200, .height = 375,
         .tabIndex = 2, .text = "Wi", .alignment = alignment},
        {.kind = ControlKind::CheckBox, .name = "park", .left = 1500, .top = 150, .width = 255, .height = 255,
         .tabIndex = 0},
    };
    Form form(formSpec, rows);
    QVERIFY(form.show());
    form.widget()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.widget()));
    form.textBox("edited").setFocus();
    form.checkBox("park").widget()->setFocus();
    QTRY_VERIFY(form.checkBox("park").widget()->hasFocus());
    // WHEN both are drawn without the focus
    const auto inkColumns = [](TextBox &box) {
        const auto shot = [&] { return box.widget()->grab().toImage().convertToFormat(QImage::Format_RGB32); };
        const QImage text = shot();
        box.setText(QString());
        const QImage empty = shot();
        int first = text.width(), last = -1;
        for (int y = 0; y < text.height(); ++y)
            for (int x = 0; x < text.width(); ++x)
                if (text.pixel(x, y) != empty.pixel(x, y)) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return std::pair{first, last};
    };
    // THEN the text stands in the same columns
    const auto painted = inkColumns(form.textBox("painted"));
    QVERIFY(painted.second >= 0);
    QCOMPARE(painted, inkColumns(form.textBox("edited")));
}

void TestControls::editableBoxKeepsWhatWasSetBeforeItsFirstFocus()
{
    Form form(formSpec, layoutRows());
    TextBox &first = form.textBox("first");
    // GIVEN text and a style set while no one has reached the box
    first.setText(QStringLiteral("kept"));
    first.setFontBold(true);
    first.setFontSize(11);
    // WHEN the box gets the focus
    QVERIFY(form.show());
    form.widget()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.widget()));
    QTRY_VERIFY(first.widget()->hasFocus());
    // THEN what the user types into goes with it
    QWidget *editor = QApplication::focusWidget();
    QCOMPARE(first.text(), QStringLiteral("kept"));
    QVERIFY(editor->font().bold());
    QCOMPARE(editor->font().pointSizeF(), 11.0);
    QCOMPARE(QAccessible::queryAccessibleInterface(editor)->text(QAccessible::Value), QStringLiteral("kept"));
    QVERIFY(!QAccessible::queryAccessibleInterface(editor)->state().readOnly);
    // and later changes reach it too.
    first.setFontItalic(true);
    QVERIFY(editor->font().italic());
    first.setMousePointer(pointer::Arrow);
    QVERIFY(editor->testAttribute(Qt::WA_SetCursor));
    QCOMPARE(editor->cursor().shape(), Qt::ArrowCursor);
    first.setMousePointer(pointer::Default);
    QVERIFY(!editor->testAttribute(Qt::WA_SetCursor));
    first.setText(QString(TextBox::maxLength + 1, u'y'));
    QCOMPARE(first.text().size(), TextBox::maxLength);
    first.setText(QString());
    QTest::keyClicks(editor, QStringLiteral("new"));
    QCOMPARE(first.text(), QStringLiteral("new"));

    // The first click on a box no one has reached yet is one GotFocus and one
    // Click, and the next ones are too.
    TextBox &second = form.textBox("second");
    int gotFocus = 0, clicks = 0, keys = 0;
    second.onGotFocus = [&](std::int16_t) { ++gotFocus; };
    second.onClick = [&](std::int16_t) { ++clicks; };
    second.onKeyDown = [&](std::int16_t, std::int16_t, std::int16_t) { ++keys; };
    QTest::mouseClick(second.widget(), Qt::LeftButton, {}, QPoint(8, 8));
    QVERIFY(second.widget()->hasFocus());
    QCOMPARE(gotFocus, 1);
    QCOMPARE(clicks, 1);
    QTest::mouseClick(QApplication::widgetAt(second.widget()->mapToGlobal(QPoint(8, 8))), Qt::LeftButton, {},
                      QPoint(8, 8));
    QCOMPARE(gotFocus, 1);
    QCOMPARE(clicks, 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(keys, 1);
}

void TestControls::noBoxAsksForAnInputPanel_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("editable") << "first";
    QTest::newRow("locked") << "untabbed";
}

void TestControls::noBoxAsksForAnInputPanel()
{
    // The question an input method asks of the focus before it shows a panel.
    QFETCH(QString, name);
    Form form(formSpec, layoutRows());
    QVERIFY(form.show());
    form.widget()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.widget()));
    QWidget *box = form.textBox(qPrintable(name)).widget();
    form.textBox(qPrintable(name)).setFocus();
    QTRY_VERIFY(box->hasFocus());
    const auto panelAsked = [] {
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QApplication::sendEvent(QGuiApplication::focusObject(), &query);
        return query.value(Qt::ImEnabled).toBool();
    };
    QVERIFY(!panelAsked());
    // Nor after a click in the line edit an editable box holds.
    if (auto *editor = box->findChild<QLineEdit *>()) {
        QTest::mouseClick(editor, Qt::LeftButton);
        QVERIFY(!panelAsked());
    }
}

void TestControls::neverMaximized_data()
{
    QTest::addColumn<Qt::WindowState>("state");
    QTest::newRow("maximized") << Qt::WindowMaximized;
    QTest::newRow("full screen") << Qt::WindowFullScreen;
}

void TestControls::neverMaximized()
{
    // GIVEN a shown form WHEN a title bar asks for the maximized or the full
    // screen state THEN the window stays as it is. A window each: the late
    // notice of one change could undo the next.
    QFETCH(Qt::WindowState, state);
    Form form(formSpec, layoutRows());
    QVERIFY(form.show());
    QVERIFY(QTest::qWaitForWindowExposed(form.widget()));
    const QSize size = form.widget()->size();
    form.widget()->setWindowState(state);
    QTRY_COMPARE(form.widget()->windowState(), Qt::WindowNoState);
    QCOMPARE(form.widget()->size(), size);
}

void TestControls::missingArrayElement()
{
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
