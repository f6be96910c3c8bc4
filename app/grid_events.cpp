#include "app/layout.h"
#include "app/main_window.h"
#include "platform/clipboard.h"
#include "platform/conversions.h"

namespace glyphery {

using platform::ansiChar;
using platform::Clipboard;

void frmMain::Char_GotFocus(std::int16_t Index)
{
    const std::int16_t code = codeOf(Index);
    Symbol.setVisible(false);
    CharXXL.setText(SpacePrefix + ansiChar(code));
    Code.setCaption(platform::numberText(code) + QStringLiteral(" (") + ansiChar(code) + QStringLiteral(")"));
}

void frmMain::Char_KeyDown(std::int16_t Index, std::int16_t KeyCode, std::int16_t Shift)
{
    if (KeyCode == key::Left && Index > firstCell)
        Char(std::int16_t(Index - 1)).setFocus();
    if (KeyCode == key::Right && Index < lastCell)
        Char(std::int16_t(Index + 1)).setFocus();
    if (KeyCode == key::Up && Index > cellsPerRow)
        Char(std::int16_t(Index - cellsPerRow)).setFocus();
    if (KeyCode == key::Down && Index < lastRowStart)
        Char(std::int16_t(Index + cellsPerRow)).setFocus();
    if (KeyCode == key::Enter && Shift == 0) {
        const QString saved = Code.caption();
        Code.setCaption(QStringLiteral("Kopiert"));
        Clipboard::setText(ansiChar(codeOf(Index)));
        Code.setCaption(saved);
    }
    if (KeyCode == key::Enter && Shift > 0) {
        const QString saved = Code.caption();
        Code.setCaption(QStringLiteral("Hinzugef\u00FCgt"));
        const QString text = Clipboard::getText();
        Clipboard::setText(text + ansiChar(codeOf(Index)));
        Code.setCaption(saved);
    }
}

void frmMain::Char_DblClick(std::int16_t Index)
{
    const QString saved = Code.caption();
    Code.setCaption(QStringLiteral("Kopiert"));
    platform::countTo(100000);
    Clipboard::setText(ansiChar(codeOf(Index)));
    Code.setCaption(saved);
}

} // namespace glyphery
