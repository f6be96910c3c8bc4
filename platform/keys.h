#pragma once

#include <Qt>

#include <cstdint>

class QKeyEvent;

namespace platform {

// The Windows key codes that handlers look at.
namespace key {
constexpr std::int16_t Enter = 13;
constexpr std::int16_t Space = 32;
constexpr std::int16_t Left = 37;
constexpr std::int16_t Up = 38;
constexpr std::int16_t Right = 39;
constexpr std::int16_t Down = 40;
} // namespace key

// The bits of a key event's modifier mask.
namespace shift {
constexpr std::int16_t None = 0;
constexpr std::int16_t Shift = 1;
constexpr std::int16_t Ctrl = 2;
constexpr std::int16_t Alt = 4;
} // namespace shift

// Windows virtual key code of a key event: 13 Enter, 37..40 arrows, letters
// and digits as their upper-case codes, the rest as Windows numbers them;
// 0 for a key Windows has no code for.
std::int16_t virtualKeyCode(const QKeyEvent &event);

// The modifier mask of key events, of the bits above.
std::int16_t shiftMask(Qt::KeyboardModifiers modifiers);

} // namespace platform
