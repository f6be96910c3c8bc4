#include "app/main_window.h"

#include "app/layout.h"
#include "app/settings.h"
#include "platform/clipboard.h"
#include "platform/conversions.h"
#include "platform/screen.h"
#include "platform/unicode.h"

#include "glyphery_version.h"

#include <QCoreApplication>

namespace glyphery {

using platform::ansiChar;
using platform::Screen;

namespace {

// "€, EURO SIGN, 128, U+20AC": what a cell is, for its tooltip and for screen
// readers, who hear the character, its name and its code first. A character
// that shows nothing is named, not shown: "DELETE, 127, U+007F".
QString cellDescription(std::int16_t index)
{
    const int code = codeOf(index);
    const QString character = ansiChar(code);
    const char32_t point = character.at(0).unicode();
    const bool blank = platform::isControl(point) || character.at(0).isSpace();
    const QString shown = blank ? QString() : character + QStringLiteral(", ");
    const QString name = platform::ansiDefined(code) ? platform::characterName(point)
                                                     : QCoreApplication::translate("frmMain", "unused");
    const QString codePoint = QStringLiteral("%1").arg(uint(point), 4, 16, QLatin1Char('0')).toUpper();
    return QStringLiteral("%1%2, %3, U+%4").arg(shown, name, QString::number(code), codePoint);
}

} // namespace

frmMain::frmMain()
    : Form(formLayout(), controlLayout()),
      Char(textBoxArray("Char")),
      CharXXL(textBox("CharXXL")),
      FSel(textBox("FSel")),
      Dummy(textBox("Dummy")),
      Code(label("Code")),
      Symbol(pictureBox("Symbol")),
      chkB(checkBox("chkB")),
      chkI(checkBox("chkI")),
      chkSize(checkBox("chkSize")),
      chkSpace(checkBox("chkSpace")),
      cmdN(commandButton("cmdN")),
      cdl(widget()),
      settings(platform::SettingsStore::forApplication(QStringLiteral(GLYPHERY_NAME)))
{
    onLoad = [this] { Form_Load(); };
    onUnload = [this](std::int16_t &cancel) {
        Form_Unload(cancel);
        if (cancel == 0) {
            // First: the copied text outlives a close whose settings cannot be written.
            platform::Clipboard::keepAfterExit();
            settings.commit();
        }
    };
    onFrameKnown = [this] { Form_FrameKnown(); };
    for (std::int16_t k = firstCell; k <= lastCell; ++k) {
        platform::TextBox &cell = Char(k);
        cell.onGotFocus = [this](std::int16_t index) { Char_GotFocus(index); };
        cell.onKeyDown
            = [this](std::int16_t index, std::int16_t key, std::int16_t shift) { Char_KeyDown(index, key, shift); };
        cell.onDblClick = [this](std::int16_t index) { Char_DblClick(index); };
        cell.onDescribe = cellDescription;
    }
    chkB.onClick = [this] { chkB_Click(); };
    chkI.onClick = [this] { chkI_Click(); };
    chkSize.onClick = [this] { chkSize_Click(); };
    chkSpace.onClick = [this] { chkSpace_Click(); };
    cmdN.onClick = [this] { cmdN_Click(); };
    FSel.onClick = [this](std::int16_t) { FSel_Click(); };
    FSel.onKeyDown
        = [this](std::int16_t index, std::int16_t key, std::int16_t shift) { FSel_KeyDown(index, key, shift); };
}

void frmMain::Form_Load()
{
    forEachCell([](platform::TextBox &cell) {
        cell.setFontName(QStringLiteral("Arial"));
        cell.setMousePointer(platform::pointer::Arrow);
        cell.setText(ansiChar(codeOf(cell.index())));
        cell.setEnabled(true);
    });

    placeWindow();

    FSel.setText(readSetting(settings, Setting::FontName));
    if (FSel.text() != QLatin1String(" ")) {
        forEachCell([&](platform::TextBox &cell) { cell.setFontName(FSel.text()); });
        CharXXL.setFontName(FSel.text());
    }

    chkB.setValue(readOption(settings, Setting::Bold));
    if (chkB.value() == 1) {
        CharXXL.setFontBold(true);
        forEachCell([](platform::TextBox &cell) { cell.setFontBold(true); });
    }

    chkI.setValue(readOption(settings, Setting::Italic));
    if (chkI.value() == 1) {
        CharXXL.setFontItalic(true);
        forEachCell([](platform::TextBox &cell) { cell.setFontItalic(true); });
    }

    chkSpace.setValue(readOption(settings, Setting::Space));
    if (chkSpace.value() == 1) {
        SpacePrefix = QStringLiteral(" ");
        CharXXL.setText(QStringLiteral(" ") + CharXXL.text());
    }

    chkSize.setValue(readOption(settings, Setting::Size));
    if (chkSize.value() == 1) {
        CharXXL.setFontSize(size::smallPreview);
        forEachCell([](platform::TextBox &cell) { cell.setFontSize(size::smallCell); });
    }
}

void frmMain::placeWindow()
{
    // A third of the free height above the window, centred across; a window
    // larger than the screen gets a negative position.
    setTop(float(Screen::height() - height()) / 3);
    setLeft(float(Screen::width() - width()) / 2);
}

void frmMain::Form_FrameKnown() { placeWindow(); }

} // namespace glyphery
