#include "support.h"

#include "app/main_window.h"

#include <QApplication>
#include <QLabel>
#include <QFontDialog>
#include <QtTest>

#include <optional>

using glyphery::frmMain;

namespace {

struct Style
{
    QString face;
    bool bold, italic;
    float size;
};

// The cells all carry one style, or the test fails.
Style cellStyle(const frmMain &form)
{
    const platform::TextBox &first = form.Char(1);
    const Style style{first.fontName(), first.fontBold(), first.fontItalic(), first.fontSize()};
    for (int k = 2; k <= 224; ++k) {
        const platform::TextBox &cell = form.Char(std::int16_t(k));
        if (cell.fontName() != style.face || cell.fontBold() != style.bold || cell.fontItalic() != style.italic
            || cell.fontSize() != style.size)
            qFatal("cell %d differs from cell 1", k);
    }
    return style;
}

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void boldAndItalic();
    void sizes();
    void space();
    void grayedCountsAsOn();
    void resetButton();
    void fontConfirmed();
    void fontCancelledFirst();
    void fontCancelledAfterConfirming();
    void fontDialogReportsBlank();
    void fontDialogFromTheKeyboard_data();
    void fontDialogFromTheKeyboard();
    void qtDialogOpensOnTheLastFace();

private:
    void click(platform::Control &control) { QTest::mouseClick(control.widget(), Qt::LeftButton, {}, QPoint(6, 6)); }
    void untouchedOutsideTheDisplay();
    void fontLeftAsItWas(const frmMain &form);

    std::unique_ptr<testing::Sandbox> sandbox_;
    std::unique_ptr<frmMain> form_;
    QList<QFont> outside_; // fonts of what the options never change
    QStringList dialogCalls_;
    std::optional<QString> dialogAnswer_;
};

void TestOptions::init()
{
    sandbox_ = std::make_unique<testing::Sandbox>();
    dialogCalls_.clear();
    dialogAnswer_.reset();
    platform::FontDialog::setRunner([this](QWidget *, const QString &last) {
        dialogCalls_ << last;
        return dialogAnswer_;
    });
    form_ = std::make_unique<frmMain>();
    QVERIFY(form_->show());
    QVERIFY(QTest::qWaitForWindowExposed(form_->widget()));
    outside_.clear();
    for (const char *name : {"FSel", "Code", "Label1", "Label2", "Dummy"})
        outside_ << form_->widget()->findChild<QWidget *>(QLatin1String(name))->font();
    outside_ << form_->Char(0).widget()->font();
}

void TestOptions::cleanup()
{
    untouchedOutsideTheDisplay();
    form_.reset();
    testing::verifyNoErrors();
    sandbox_.reset();
    platform::FontDialog::setRunner({});
}

void TestOptions::untouchedOutsideTheDisplay()
{
    int i = 0;
    for (const char *name : {"FSel", "Code", "Label1", "Label2", "Dummy"})
        QCOMPARE(form_->widget()->findChild<QWidget *>(QLatin1String(name))->font(), outside_[i++]);
    QCOMPARE(form_->Char(0).widget()->font(), outside_[i]);
}

void TestOptions::boldAndItalic()
{
    frmMain &form = *form_;
    click(form.chkB);
    QCOMPARE(form.chkB.value(), std::int16_t(1));
    QVERIFY(form.CharXXL.fontBold());
    QVERIFY(cellStyle(form).bold);
    QVERIFY(!cellStyle(form).italic);

    click(form.chkI);
    QVERIFY(form.CharXXL.fontBold() && form.CharXXL.fontItalic());
    QVERIFY(cellStyle(form).bold && cellStyle(form).italic);

    // Two clicks restore; the other option stays.
    click(form.chkB);
    QVERIFY(!form.CharXXL.fontBold() && form.CharXXL.fontItalic());
    QVERIFY(!cellStyle(form).bold && cellStyle(form).italic);
    click(form.chkI);
    QVERIFY(!form.CharXXL.fontItalic());
    QVERIFY(!cellStyle(form).italic);
    QCOMPARE(cellStyle(form).size, 13.5f);
    QCOMPARE(cellStyle(form).face, QStringLiteral("Arial"));
}

void TestOptions::sizes()
{
    frmMain &form = *form_;
    click(form.chkSize);
    QCOMPARE(form.CharXXL.fontSize(), 32.0f);
    QCOMPARE(cellStyle(form).size, 8.0f);
    click(form.chkSize);
    QCOMPARE(form.CharXXL.fontSize(), 60.0f);
    QCOMPARE(cellStyle(form).size, 14.0f); // not the 13.5 of the start
    QVERIFY(!cellStyle(form).bold);
}

void TestOptions::space()
{
    frmMain &form = *form_;
    // On an empty preview a single blank appears, and stays when switched off.
    click(form.chkSpace);
    QCOMPARE(form.SpacePrefix, QStringLiteral(" "));
    QCOMPARE(form.CharXXL.text(), QStringLiteral(" "));
    click(form.chkSpace);
    QCOMPARE(form.SpacePrefix, QString());
    QCOMPARE(form.CharXXL.text(), QStringLiteral(" "));

    QTest::mouseClick(form.Char(34).widget(), Qt::LeftButton);
    QCOMPARE(form.CharXXL.text(), QStringLiteral("A"));
    click(form.chkSpace);
    QCOMPARE(form.CharXXL.text(), QStringLiteral(" A"));
    QTest::mouseClick(form.Char(35).widget(), Qt::LeftButton);
    QCOMPARE(form.CharXXL.text(), QStringLiteral(" B"));
    click(form.chkSpace);
    QCOMPARE(form.CharXXL.text(), QStringLiteral("B"));
    QCOMPARE(form.Code.caption(), QStringLiteral(" 66 (B)"));
    QCOMPARE(cellStyle(form).size, 13.5f);
}

void TestOptions::grayedCountsAsOn()
{
    frmMain &form = *form_;
    form.chkB.setValue(2);
    form.chkI.setValue(2);
    form.chkSize.setValue(2);
    form.chkSpace.setValue(2);
    QVERIFY(form.CharXXL.fontBold() && form.CharXXL.fontItalic());
    QCOMPARE(form.CharXXL.fontSize(), 32.0f);
    QCOMPARE(cellStyle(form).size, 8.0f);
    QVERIFY(cellStyle(form).bold && cellStyle(form).italic);
    QCOMPARE(form.SpacePrefix, QStringLiteral(" "));
    // A user's click on a grayed box checks it: still on.
    click(form.chkB);
    QCOMPARE(form.chkB.value(), std::int16_t(1));
    QVERIFY(cellStyle(form).bold);
}

void TestOptions::resetButton()
{
    frmMain &form = *form_;
    // Both off: nothing changes.
    click(form.cmdN);
    QCOMPARE(form.chkB.value(), std::int16_t(0));
    QCOMPARE(form.chkI.value(), std::int16_t(0));
    QVERIFY(!cellStyle(form).bold && !cellStyle(form).italic);

    // Both on, with size and space: only bold and italic go.
    QTest::mouseClick(form.Char(34).widget(), Qt::LeftButton);
    for (platform::CheckBox *box : {&form.chkB, &form.chkI, &form.chkSize, &form.chkSpace})
        click(*box);
    click(form.cmdN);
    QCOMPARE(form.chkB.value(), std::int16_t(0));
    QCOMPARE(form.chkI.value(), std::int16_t(0));
    QVERIFY(!form.CharXXL.fontBold() && !form.CharXXL.fontItalic());
    QVERIFY(!cellStyle(form).bold && !cellStyle(form).italic);
    QCOMPARE(form.chkSize.value(), std::int16_t(1));
    QCOMPARE(form.chkSpace.value(), std::int16_t(1));
    QCOMPARE(cellStyle(form).size, 8.0f);
    QCOMPARE(form.CharXXL.text(), QStringLiteral(" A"));
    QCOMPARE(form.SpacePrefix, QStringLiteral(" "));
}

void TestOptions::fontConfirmed()
{
    frmMain &form = *form_;
    click(form.chkB);
    click(form.chkSize);
    QTest::mouseClick(form.Char(34).widget(), Qt::LeftButton);
    QVERIFY(!form.Symbol.visible());

    dialogAnswer_ = QStringLiteral("DejaVu Serif");
    QTest::mouseClick(form.FSel.widget(), Qt::LeftButton);
    QCOMPARE(dialogCalls_, QStringList{" "});
    QCOMPARE(form.FSel.text(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(form.CharXXL.fontName(), QStringLiteral("DejaVu Serif"));
    const Style style = cellStyle(form);
    QCOMPARE(style.face, QStringLiteral("DejaVu Serif"));
    // The style of the options survives the new face.
    QVERIFY(style.bold);
    QCOMPARE(style.size, 8.0f);
    QVERIFY(form.CharXXL.fontBold());
    QCOMPARE(form.CharXXL.fontSize(), 32.0f);
    // The preview is idle again.
    QCOMPARE(form.CharXXL.text(), QString());
    QCOMPARE(form.Code.caption(), QString());
    QVERIFY(form.Symbol.visible());

    // The dialog opens with its own last face, not the box's text.
    form.FSel.setText(QStringLiteral("Something Else"));
    dialogAnswer_ = QStringLiteral("Liberation Mono");
    QTest::mouseClick(form.FSel.widget(), Qt::LeftButton);
    QCOMPARE(dialogCalls_, (QStringList{" ", "DejaVu Serif"}));
    QCOMPARE(cellStyle(form).face, QStringLiteral("Liberation Mono"));
}

void TestOptions::fontCancelledFirst()
{
    frmMain &form = *form_;
    QTest::mouseClick(form.Char(34).widget(), Qt::LeftButton);
    QTest::mouseClick(form.FSel.widget(), Qt::LeftButton);
    fontLeftAsItWas(form);
}

void TestOptions::fontCancelledAfterConfirming()
{
    frmMain &form = *form_;
    dialogAnswer_ = QStringLiteral("DejaVu Sans");
    QTest::mouseClick(form.FSel.widget(), Qt::LeftButton);
    QTest::mouseClick(form.Char(34).widget(), Qt::LeftButton);
    QVERIFY(!form.Symbol.visible());

    dialogAnswer_.reset();
    QTest::mouseClick(form.FSel.widget(), Qt::LeftButton);
    QCOMPARE(form.FSel.text(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(cellStyle(form).face, QStringLiteral("DejaVu Sans"));
    QCOMPARE(form.CharXXL.text(), QString());
    QCOMPARE(form.Code.caption(), QString());
    QVERIFY(form.Symbol.visible());
}

void TestOptions::fontDialogReportsBlank()
{
    frmMain &form = *form_;
    QTest::mouseClick(form.Char(34).widget(), Qt::LeftButton);
    dialogAnswer_ = QStringLiteral(" ");
    QTest::mouseClick(form.FSel.widget(), Qt::LeftButton);
    fontLeftAsItWas(form);
}

void TestOptions::fontDialogFromTheKeyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("opens");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << true;
    QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier) << true;
    QTest::newRow("Down") << int(Qt::Key_Down) << int(Qt::NoModifier) << false;
    QTest::newRow("Shift+Enter") << int(Qt::Key_Return) << int(Qt::ShiftModifier) << false;
    QTest::newRow("Ctrl+Space") << int(Qt::Key_Space) << int(Qt::ControlModifier) << false;
    QTest::newRow("A") << int(Qt::Key_A) << int(Qt::NoModifier) << false;
}

// A key on the focused typeface box does what a click does.
void TestOptions::fontDialogFromTheKeyboard()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, opens);
    frmMain &form = *form_;
    form.FSel.setFocus();
    dialogAnswer_ = QStringLiteral("DejaVu Serif");
    QTest::keyClick(form.FSel.widget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(dialogCalls_.size(), opens ? 1 : 0);
    QCOMPARE(form.FSel.text(), opens ? QStringLiteral("DejaVu Serif") : QStringLiteral("Arial"));
    QCOMPARE(cellStyle(form).face, form.FSel.text());
}

// After one dialog that applied no face, with cell 34 ("A") selected before.
void TestOptions::fontLeftAsItWas(const frmMain &form)
{
    QCOMPARE(dialogCalls_.size(), 1);
    QCOMPARE(form.FSel.text(), QStringLiteral("Arial"));
    QCOMPARE(cellStyle(form).face, QStringLiteral("Arial"));
    QCOMPARE(form.CharXXL.text(), QStringLiteral("A"));
    QCOMPARE(form.Code.caption(), QStringLiteral(" 65 (A)"));
    QVERIFY(!form.Symbol.visible());
}

void TestOptions::qtDialogOpensOnTheLastFace()
{
    // The dialog opens on the face last confirmed, the desktop's font before.
    for (const QString &face : {QStringLiteral("Liberation Serif"), QStringLiteral("Liberation Mono")})
        QCOMPARE(platform::FontDialog::qtDialog(nullptr, face)->currentFont().family(), face);
    QCOMPARE(platform::FontDialog::qtDialog(nullptr, QStringLiteral(" "))->currentFont().family(), QFont().family());
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
