#include "app/layout.h"
#include "app/main_window.h"
#include "platform/conversions.h"

namespace glyphery {

// Each handler reads its box's value once; 0 is off, any other value on.
// Style goes to the preview first, then to the cells by code; a face name
// goes to the cells first.

void frmMain::chkB_Click()
{
    const bool bold = chkB.value() != 0;
    CharXXL.setFontBold(bold);
    forEachCell([&](platform::TextBox &cell) { cell.setFontBold(bold); });
}

void frmMain::chkI_Click()
{
    const bool italic = chkI.value() != 0;
    CharXXL.setFontItalic(italic);
    forEachCell([&](platform::TextBox &cell) { cell.setFontItalic(italic); });
}

void frmMain::chkSize_Click()
{
    const bool small = chkSize.value() != 0;
    CharXXL.setFontSize(small ? size::smallPreview : size::preview);
    forEachCell([&](platform::TextBox &cell) { cell.setFontSize(small ? size::smallCell : size::cell); });
}

void frmMain::chkSpace_Click()
{
    if (chkSpace.value() == 0) {
        SpacePrefix = QString();
        CharXXL.setText(platform::rightmost(CharXXL.text()));
    } else {
        SpacePrefix = QStringLiteral(" ");
        CharXXL.setText(QStringLiteral(" ") + CharXXL.text());
    }
}

void frmMain::cmdN_Click()
{
    CharXXL.setFontBold(false);
    CharXXL.setFontItalic(false);
    chkB.setValue(0);
    chkI.setValue(0);
    forEachCell([](platform::TextBox &cell) { cell.setFontBold(false); });
    forEachCell([](platform::TextBox &cell) { cell.setFontItalic(false); });
}

void frmMain::FSel_Click()
{
    cdl.setFlags(3);
    cdl.showFont();
    if (cdl.fontName() == QLatin1String(" "))
        return;
    forEachCell([&](platform::TextBox &cell) { cell.setFontName(cdl.fontName()); });
    FSel.setText(cdl.fontName());
    CharXXL.setFontName(cdl.fontName());
    CharXXL.setText(QString());
    Symbol.setVisible(true);
    Code.setCaption(QString());
    Symbol.refresh();
}

// The typeface box opens the dialog from the keyboard as a combo box opens
// its list: Enter or Space, or Alt+Down.
void frmMain::FSel_KeyDown(std::int16_t, std::int16_t KeyCode, std::int16_t Shift)
{
    if ((KeyCode == key::Enter || KeyCode == key::Space) && Shift == shift::None)
        FSel_Click();
    if (KeyCode == key::Down && Shift == shift::Alt)
        FSel_Click();
}

} // namespace glyphery
