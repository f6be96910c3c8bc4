#include "app/main_window.h"

namespace glyphery {

void frmMain::Char_GotFocus(std::int16_t) {}
void frmMain::Char_KeyDown(std::int16_t, std::int16_t, std::int16_t) {}
void frmMain::Char_DblClick(std::int16_t) {}

} // namespace glyphery
