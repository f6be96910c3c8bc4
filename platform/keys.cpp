#include "platform/keys.h"

#include <QKeyEvent>

namespace platform {

namespace {
struct KeyRow
{
    int qtKey;
    std::int16_t vk;
};

// Keys whose Windows code is not their own character code. Shifted symbols
// map to the key they are typed on (US layout), as Windows reports them.
// clang-format off
constexpr KeyRow keyTable[] = {
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9}, {Qt::Key_Backtab, 9}, {Qt::Key_Clear, 12},
    {Qt::Key_Return, key::Enter}, {Qt::Key_Enter, key::Enter}, {Qt::Key_Shift, 16}, {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18}, {Qt::Key_AltGr, 18}, {Qt::Key_Pause, 19}, {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27}, {Qt::Key_Space, key::Space}, {Qt::Key_PageUp, 33}, {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35}, {Qt::Key_Home, 36}, {Qt::Key_Left, key::Left}, {Qt::Key_Up, key::Up},
    {Qt::Key_Right, key::Right}, {Qt::Key_Down, key::Down}, {Qt::Key_Select, 41}, {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45}, {Qt::Key_Delete, 46}, {Qt::Key_Help, 47}, {Qt::Key_Meta, 91},
    {Qt::Key_Super_L, 91}, {Qt::Key_Super_R, 92}, {Qt::Key_Menu, 93}, {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145}, {Qt::Key_Exclam, '1'}, {Qt::Key_At, '2'}, {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'}, {Qt::Key_Percent, '5'}, {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'},
    {Qt::Key_ParenLeft, '9'}, {Qt::Key_ParenRight, '0'}, {Qt::Key_Semicolon, 186}, {Qt::Key_Colon, 186},
    {Qt::Key_Equal, 187}, {Qt::Key_Plus, 187}, {Qt::Key_Comma, 188}, {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189}, {Qt::Key_Underscore, 189}, {Qt::Key_Period, 190}, {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191}, {Qt::Key_Question, 191}, {Qt::Key_QuoteLeft, 192}, {Qt::Key_AsciiTilde, 192},
    {Qt::Key_BracketLeft, 219}, {Qt::Key_BraceLeft, 219}, {Qt::Key_Backslash, 220}, {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221}, {Qt::Key_Apostrophe, 222}, {Qt::Key_QuoteDbl, 222},
    // German keys, as a German layout reports them.
    {Qt::Key_Udiaeresis, 186}, {Qt::Key_Odiaeresis, 192}, {Qt::Key_ssharp, 219}, {Qt::Key_Adiaeresis, 222},
};
// clang-format on

// Keypad keys have codes of their own.
std::int16_t keypadCode(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return std::int16_t(96 + key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 110;
    case Qt::Key_Slash: return 111;
    default: return 0;
    }
}
} // namespace

std::int16_t virtualKeyCode(const QKeyEvent &event)
{
    const int key = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (const std::int16_t code = keypadCode(key))
            return code;
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return std::int16_t(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return std::int16_t(112 + key - Qt::Key_F1);
    if (key == Qt::Key_Asterisk)
        return '8';
    for (const KeyRow &row : keyTable) {
        if (row.qtKey == key)
            return row.vk;
    }
    return 0;
}

std::int16_t shiftMask(Qt::KeyboardModifiers modifiers)
{
    std::int16_t mask = shift::None;
    if (modifiers & Qt::ShiftModifier)
        mask |= shift::Shift;
    if (modifiers & Qt::ControlModifier)
        mask |= shift::Ctrl;
    if (modifiers & Qt::AltModifier)
        mask |= shift::Alt;
    return mask;
}

} // namespace platform
