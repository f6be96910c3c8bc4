#pragma once

#include <QString>

namespace platform {

// Plain Unicode text on the desktop's clipboard.
struct Clipboard
{
    // The clipboard's text; empty when it holds none.
    static QString getText();
    // The clipboard holds this text afterwards.
    static void setText(const QString &text);
};

} // namespace platform
