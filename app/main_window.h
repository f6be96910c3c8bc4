#pragma once

#include "app/layout.h"
#include "platform/controls.h"
#include "platform/font_dialog.h"
#include "platform/form.h"
#include "platform/keys.h"
#include "platform/settings_store.h"

#include <QString>

#include <cstdint>

namespace glyphery {

// The key codes and the shift mask the handlers look at.
namespace key = platform::key;
namespace shift = platform::shift;

// The one window: the grid of the 224 characters, the preview, the typeface
// box and the option row. Every handler runs on the user-interface thread.
class frmMain : public platform::Form
{
public:
    frmMain();

    // Start-up: fills the grid, places the window, restores the settings.
    void Form_Load();
    // Shut-down: writes the five settings.
    void Form_Unload(std::int16_t &Cancel);
    // Re-places the window once the window manager's frame is known.
    void Form_FrameKnown();

    void Char_GotFocus(std::int16_t Index);
    void Char_KeyDown(std::int16_t Index, std::int16_t KeyCode, std::int16_t Shift);
    void Char_DblClick(std::int16_t Index);

    void chkB_Click();
    void chkI_Click();
    void chkSize_Click();
    void chkSpace_Click();
    void cmdN_Click();
    void FSel_Click();
    void FSel_KeyDown(std::int16_t Index, std::int16_t KeyCode, std::int16_t Shift);

    platform::ControlArray<platform::TextBox> &Char;
    platform::TextBox &CharXXL;
    platform::TextBox &FSel;
    platform::TextBox &Dummy;
    platform::Label &Code;
    platform::PictureBox &Symbol;
    platform::CheckBox &chkB;
    platform::CheckBox &chkI;
    platform::CheckBox &chkSize;
    platform::CheckBox &chkSpace;
    platform::CommandButton &cmdN;
    platform::FontDialog cdl;

    // " " while the space option is on, empty while it is off.
    QString SpacePrefix;

    // The user's settings file; the close writes it once Form_Unload is done.
    platform::SettingsStore settings;

private:
    void placeWindow();

    // Steps through the grid cells in code order, from 32 up.
    template <class Step>
    void forEachCell(Step step)
    {
        for (int code = firstCode; code <= lastCode; ++code)
            step(Char(cellOf(code)));
    }
};

} // namespace glyphery
