#include "app/main_window.h"

namespace glyphery {

// The option handlers come with the display options.
void frmMain::chkB_Click() {}
void frmMain::chkI_Click() {}
void frmMain::chkSize_Click() {}
void frmMain::chkSpace_Click() {}
void frmMain::cmdN_Click() {}
void frmMain::FSel_Click() {}

} // namespace glyphery
