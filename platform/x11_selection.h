#pragma once

#include <QString>

#include <optional>
#include <xcb/xcb.h>

class QMimeData;

namespace platform::x11 {

// The window that owns the selection `name` (XCB_WINDOW_NONE when none does),
// asked on the connection given; nothing when the server does not answer.
std::optional<xcb_window_t> selectionOwner(xcb_connection_t *connection, const char *name);

// The text of the clipboard that another program owns, read on an X
// connection of the platform layer's own, so that the wait has a bound:
// empty when nothing owns it or its owner offers no text. Raises the
// toolkit's "Can't open Clipboard" when the owner does not answer, or stops
// answering in the middle of its text; a termination signal ends the wait
// with Interrupted.
QString clipboardText();

// Puts the X11 forms of a drag's text in its data, and from now on answers
// every request for the program's drag on Qt's X connection with this text;
// false, and nothing put, when the program is not on X11.
bool offerDrag(const QString &text, QMimeData &data);

} // namespace platform::x11
