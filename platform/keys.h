#pragma once

#include <Qt>

#include <cstdint>

class QKeyEvent;

namespace platform {

// Windows virtual key code of a key event: 13 Enter, 37..40 arrows, letters
// and digits as their upper-case codes, the rest as Windows numbers them;
// 0 for a key Windows has no code for.
std::int16_t virtualKeyCode(const QKeyEvent &event);

// The modifier mask of key events: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t shiftMask(Qt::KeyboardModifiers modifiers);

} // namespace platform
