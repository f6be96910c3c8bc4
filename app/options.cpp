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
    for (int code = 32; code <= 255; ++code)
        Char(std::int16_t(code - 31)).setFontBold(bold);
}

void frmMain::chkI_Click()
{
    const bool italic = chkI.value() != 0;
    CharXXL.setFontItalic(italic);
    for (int code = 32; code <= 255; ++code)
        Char(std::int16_t(code - 31)).setFontItalic(italic);
}

void frmMain::chkSize_Click()
{
    const bool small = chkSize.value() != 0;
    CharXXL.setFontSize(small ? 32 : 60);
    for (int code = 32; code <= 255; ++code)
        Char(std::int16_t(code - 31)).setFontSize(small ? 8 : 14);
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
    for (int code = 32; code <= 255; ++code)
        Char(std::int16_t(code - 31)).setFontBold(false);
    for (int code = 32; code <= 255; ++code)
        Char(std::int16_t(code - 31)).setFontItalic(false);
}

void frmMain::FSel_Click()
{
    cdl.setFlags(3);
    cdl.showFont();
    if (cdl.fontName() == QLatin1String(" "))
        return;
    for (int code = 32; code <= 255; ++code)
        Char(std::int16_t(code - 31)).setFontName(cdl.fontName());
    FSel.setText(cdl.fontName());
    CharXXL.setFontName(cdl.fontName());
    CharXXL.setText(QString());
    Symbol.setVisible(true);
    Code.setCaption(QString());
    Symbol.refresh();
}

} // namespace glyphery
