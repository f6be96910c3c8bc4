#include "support.h"

#include "app/main_window.h"
#include "platform/conversions.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QtTest>

using glyphery::frmMain;

class TestGrid : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void preview_data();
    void preview();
    void arrowKeys_data();
    void arrowKeys();
    void walkTheWholeGrid();
    void heldKeyRepeats();
    void copyAndAppend();
    void appendToClipboardWithoutText();
    void appendOntoMegabytes();
    void doubleClickCopies();
    void cellsAreReadOnly();

private:
    void press(int key, Qt::KeyboardModifiers modifiers = {});
    QWidget *focused() const { return QApplication::focusWidget(); }

    std::unique_ptr<testing::Sandbox> sandbox_;
    std::unique_ptr<frmMain> form_;
};

void TestGrid::init()
{
    sandbox_ = std::make_unique<testing::Sandbox>();
    form_ = std::make_unique<frmMain>();
    QVERIFY(form_->show());
    form_->widget()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_->widget()));
    QTRY_VERIFY(form_->Dummy.widget()->hasFocus());
}

void TestGrid::cleanup()
{
    form_.reset();
    testing::verifyNoErrors();
    sandbox_.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestGrid::press(int key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(focused(), Qt::Key(key), modifiers);
}

void TestGrid::preview_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("space");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("caption");
    QTest::newRow("blank") << 1 << false << " " << " 32 ( )";
    QTest::newRow("A") << 34 << false << "A" << " 65 (A)";
    QTest::newRow("euro") << 97 << false << "\u20AC" << " 128 (\u20AC)";
    QTest::newRow("undefined 129") << 98 << false << "\u0081" << " 129 (\u0081)";
    QTest::newRow("y diaeresis") << 224 << false << "\u00FF" << " 255 (\u00FF)";
    QTest::newRow("A with space") << 34 << true << "A" << " 65 (A)";
    QTest::newRow("blank with space") << 1 << true << " " << " 32 ( )";
}

void TestGrid::preview()
{
    QFETCH(int, cell);
    QFETCH(bool, space);
    QFETCH(QString, character);
    QFETCH(QString, caption);
    frmMain &form = *form_;
    if (space)
        QTest::mouseClick(form.chkSpace.widget(), Qt::LeftButton, {}, QPoint(7, 7));
    QVERIFY(form.Symbol.visible());

    // A click gives the cell the focus, and so the preview.
    QTest::mouseClick(form.Char(std::int16_t(cell)).widget(), Qt::LeftButton);
    QCOMPARE(focused(), form.Char(std::int16_t(cell)).widget());
    QVERIFY(!form.Symbol.visible());
    QCOMPARE(form.CharXXL.text(), (space ? QStringLiteral(" ") : QString()) + character);
    QCOMPARE(form.Code.caption(), caption);

    // The same cell again after the focus was elsewhere: the same result.
    form.widget()->findChild<QWidget *>(QStringLiteral("chkB"))->setFocus();
    QCOMPARE(form.Code.caption(), caption);
    QTest::mouseClick(form.Char(std::int16_t(cell)).widget(), Qt::LeftButton);
    QCOMPARE(form.CharXXL.text(), (space ? QStringLiteral(" ") : QString()) + character);
    QCOMPARE(form.Code.caption(), caption);
}

void TestGrid::arrowKeys_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("to");
    const int none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
    QTest::newRow("left in 1") << 1 << int(Qt::Key_Left) << none << 1;
    QTest::newRow("left in 2") << 2 << int(Qt::Key_Left) << none << 1;
    QTest::newRow("right in 224") << 224 << int(Qt::Key_Right) << none << 224;
    QTest::newRow("right in 223") << 223 << int(Qt::Key_Right) << none << 224;
    QTest::newRow("up in 1") << 1 << int(Qt::Key_Up) << none << 1;
    QTest::newRow("up in 32") << 32 << int(Qt::Key_Up) << none << 32;
    QTest::newRow("up in 33") << 33 << int(Qt::Key_Up) << none << 1;
    QTest::newRow("down in 192") << 192 << int(Qt::Key_Down) << none << 224;
    QTest::newRow("down in 193") << 193 << int(Qt::Key_Down) << none << 193;
    QTest::newRow("down in 224") << 224 << int(Qt::Key_Down) << none << 224;
    QTest::newRow("down in 161") << 161 << int(Qt::Key_Down) << none << 193;
    QTest::newRow("right crosses the row end") << 32 << int(Qt::Key_Right) << none << 33;
    QTest::newRow("left crosses back") << 33 << int(Qt::Key_Left) << none << 32;
    QTest::newRow("shift+left") << 50 << int(Qt::Key_Left) << shift << 49;
    QTest::newRow("ctrl+up") << 50 << int(Qt::Key_Up) << ctrl << 18;
    QTest::newRow("alt+right") << 50 << int(Qt::Key_Right) << alt << 51;
    QTest::newRow("all+down") << 50 << int(Qt::Key_Down) << (shift | ctrl | alt) << 82;
    QTest::newRow("keypad down") << 50 << int(Qt::Key_Down) << int(Qt::KeypadModifier) << 82;
}

void TestGrid::arrowKeys()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, to);
    frmMain &form = *form_;
    form.Char(std::int16_t(from)).setFocus();
    QCOMPARE(focused(), form.Char(std::int16_t(from)).widget());
    press(key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(focused(), form.Char(std::int16_t(to)).widget());
    QCOMPARE(form.Code.caption(), platform::numberText(to + 31) + " (" + platform::ansiChar(to + 31) + ")");
    QCOMPARE(form.Char(std::int16_t(from)).text(), platform::ansiChar(from + 31));
}

void TestGrid::walkTheWholeGrid()
{
    frmMain &form = *form_;
    press(Qt::Key_Tab);
    QCOMPARE(focused(), form.Char(1).widget());
    for (int k = 2; k <= 224; ++k) {
        press(Qt::Key_Right);
        QCOMPARE(focused(), form.Char(std::int16_t(k)).widget());
        QCOMPARE(form.CharXXL.text(), platform::ansiChar(k + 31));
    }
    for (int k = 192; k >= 32; k -= 32) {
        press(Qt::Key_Up);
        QCOMPARE(focused(), form.Char(std::int16_t(k)).widget());
    }
    for (int k = 31; k >= 1; --k) {
        press(Qt::Key_Left);
        QCOMPARE(focused(), form.Char(std::int16_t(k)).widget());
    }
    for (int k = 33; k <= 193; k += 32) {
        press(Qt::Key_Down);
        QCOMPARE(focused(), form.Char(std::int16_t(k)).widget());
    }
    // The hidden extra element is never reached or changed.
    QCOMPARE(form.Char(0).text(), QStringLiteral("A"));
    QVERIFY(!form.Char(0).widget()->isVisible());
}

void TestGrid::heldKeyRepeats()
{
    frmMain &form = *form_;
    form.Char(220).setFocus();
    for (int i = 0; i < 6; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), i > 0);
        QApplication::sendEvent(focused(), &repeat);
    }
    QCOMPARE(focused(), form.Char(224).widget()); // stops at the bound
    QApplication::clipboard()->setText(QStringLiteral("x"));
    for (int i = 0; i < 3; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::ShiftModifier, QString(), i > 0);
        QApplication::sendEvent(focused(), &repeat);
    }
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("x\u00FF\u00FF\u00FF"));
}

void TestGrid::copyAndAppend()
{
    frmMain &form = *form_;
    QClipboard *clipboard = QApplication::clipboard();
    QStringList statusWhileWriting;
    QObject scope; // the connection ends with this test
    connect(clipboard, &QClipboard::dataChanged, &scope, [&] { statusWhileWriting << form.Code.caption(); });
    QTest::mouseClick(form.chkSpace.widget(), Qt::LeftButton, {}, QPoint(7, 7)); // never reaches the clipboard

    clipboard->setText(QStringLiteral("earlier text"));
    statusWhileWriting.clear();
    form.Char(34).setFocus();
    press(Qt::Key_Return);
    QCOMPARE(clipboard->text(), QStringLiteral("A"));
    QCOMPARE(form.Code.caption(), QStringLiteral(" 65 (A)"));
    QCOMPARE(statusWhileWriting, QStringList{"Kopiert"});

    const Qt::KeyboardModifiers modifiers[] = {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier,
                                               Qt::ShiftModifier | Qt::ControlModifier,
                                               Qt::ControlModifier | Qt::AltModifier,
                                               Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier};
    QString expected = QStringLiteral("A");
    statusWhileWriting.clear();
    int cell = 34;
    for (Qt::KeyboardModifiers modifier : modifiers) {
        press(Qt::Key_Right);
        ++cell;
        press(Qt::Key_Return, modifier);
        expected += platform::ansiChar(cell + 31);
        QCOMPARE(clipboard->text(), expected);
        QCOMPARE(form.Code.caption(), platform::numberText(cell + 31) + " (" + platform::ansiChar(cell + 31) + ")");
    }
    QCOMPARE(expected, QStringLiteral("ABCDEFG"));
    QCOMPARE(statusWhileWriting, QStringList(6, QStringLiteral("Hinzugef\u00FCgt")));

    // Enter alone starts a new string; cell 1 gives one blank.
    form.Char(1).setFocus();
    press(Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(clipboard->text(), QStringLiteral(" "));
    form.Char(97).setFocus();
    press(Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(clipboard->text(), QStringLiteral(" \u20AC"));
    QCOMPARE(clipboard->mimeData()->formats().contains(QStringLiteral("text/plain")), true);
}

void TestGrid::appendToClipboardWithoutText()
{
    frmMain &form = *form_;
    QClipboard *clipboard = QApplication::clipboard();
    form.Char(224).setFocus();

    clipboard->clear();
    press(Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("\u00FF"));

    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    clipboard->setImage(image);
    press(Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("\u00FF"));
    QCOMPARE(form.Code.caption(), QStringLiteral(" 255 (\u00FF)"));
}

void TestGrid::appendOntoMegabytes()
{
    frmMain &form = *form_;
    QClipboard *clipboard = QApplication::clipboard();
    const QString big(1 << 20, QLatin1Char('x'));
    clipboard->setText(big);
    form.Char(34).setFocus();
    press(Qt::Key_Return, Qt::AltModifier);
    const QString text = clipboard->text();
    QCOMPARE(text.size(), big.size() + 1);
    QVERIFY(text.startsWith(big));
    QVERIFY(text.endsWith(QLatin1Char('A')));
}

void TestGrid::doubleClickCopies()
{
    frmMain &form = *form_;
    QClipboard *clipboard = QApplication::clipboard();
    QStringList statusWhileWriting;
    QObject scope; // the connection ends with this test
    connect(clipboard, &QClipboard::dataChanged, &scope, [&] { statusWhileWriting << form.Code.caption(); });
    QTest::mouseClick(form.chkSpace.widget(), Qt::LeftButton, {}, QPoint(7, 7));
    clipboard->setText(QStringLiteral("earlier"));
    statusWhileWriting.clear();

    // The first click of a double-click gives the focus and the preview.
    QTest::mouseDClick(form.Char(34).widget(), Qt::LeftButton);
    QCOMPARE(focused(), form.Char(34).widget());
    QCOMPARE(clipboard->text(), QStringLiteral("A"));
    QCOMPARE(form.Code.caption(), QStringLiteral(" 65 (A)"));
    QCOMPARE(statusWhileWriting, QStringList{"Kopiert"});

    // Again on the focused cell, then on others with modifiers: always a copy.
    QTest::mouseDClick(form.Char(34).widget(), Qt::LeftButton);
    QCOMPARE(clipboard->text(), QStringLiteral("A"));
    QTest::mouseDClick(form.Char(1).widget(), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(clipboard->text(), QStringLiteral(" "));
    QTest::mouseDClick(form.Char(224).widget(), Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("\u00FF"));
    QCOMPARE(form.Code.caption(), QStringLiteral(" 255 (\u00FF)"));
    QCOMPARE(form.CharXXL.text(), QStringLiteral(" \u00FF"));
}

void TestGrid::cellsAreReadOnly()
{
    frmMain &form = *form_;
    form.Char(34).setFocus();
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    for (int key : {int(Qt::Key_X), int(Qt::Key_5), int(Qt::Key_Delete), int(Qt::Key_Backspace), int(Qt::Key_Home),
                    int(Qt::Key_End), int(Qt::Key_PageUp), int(Qt::Key_PageDown), int(Qt::Key_Escape),
                    int(Qt::Key_F2), int(Qt::Key_Space)}) {
        press(key);
        QCOMPARE(focused(), form.Char(34).widget());
        QCOMPARE(form.Char(34).text(), QStringLiteral("A"));
    }
    press(Qt::Key_V, Qt::ControlModifier);
    press(Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(form.Char(34).text(), QStringLiteral("A"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("pasted"));
    QMimeData dropped;
    dropped.setText(QStringLiteral("dropped"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QApplication::sendEvent(form.Char(34).widget(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QApplication::sendEvent(form.Char(34).widget(), &drop);
    QCOMPARE(form.Char(34).text(), QStringLiteral("A"));
    QCOMPARE(form.Char(34).widget()->cursor().shape(), Qt::ArrowCursor);
}

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
