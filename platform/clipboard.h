#pragma once

#include <QString>

namespace platform {

// Plain Unicode text on the desktop's clipboard.
struct Clipboard
{
    // The clipboard's text; empty when it holds none. Raises "Can't open
    // Clipboard" when its owner does not give the text within a few seconds.
    static QString getText();
    // The clipboard holds this text afterwards.
    static void setText(const QString &text);

    // Called as the program ends. Text the program still owns would go with
    // it when no clipboard manager takes it (on X11, nothing owns the
    // CLIPBOARD_MANAGER selection), so it is handed to the desktop's
    // standard holder, xclip or wl-copy, which serves it in the background
    // until another program takes the clipboard. Without a holder, or when
    // it fails, one line on stderr says so. With a manager, Qt hands it over.
    static void keepAfterExit();
};

} // namespace platform
