#pragma once

#include <QString>

namespace platform::x11 {

// The text of the clipboard that another program owns, read on an X
// connection of the platform layer's own, so that the wait has a bound:
// empty when nothing owns it or its owner offers no text. Raises the
// toolkit's "Can't open Clipboard" when the owner does not answer, or stops
// answering in the middle of its text; a termination signal ends the wait
// with Interrupted.
QString clipboardText();

} // namespace platform::x11
