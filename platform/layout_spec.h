#pragma once

// A form's layout as data: one row per control and the window's own row.

#include <cstdint>
#include <optional>
#include <span>

namespace platform {

struct Rgb
{
    int red, green, blue;
};

enum class ControlKind { TextBox, Label, CheckBox, CommandButton, PictureBox, Frame, Line };

// Alignment of a text box's or label's text.
enum class Alignment { Left = 0, Right = 1, Center = 2 };

// Mouse pointers a control can show.
namespace pointer {
inline constexpr std::int16_t Default = 0;
inline constexpr std::int16_t Arrow = 1;
} // namespace pointer

// Larger renditions of an icon or picture, drawn from the same artwork
// (resource paths), for screens of more device pixels per point.
using Renditions = std::span<const char *const>;

// A font as stored in a layout; a null name means the form's default font.
struct FontSpec
{
    const char *name = nullptr;
    float size = 0;
};

// One row of a form's layout. Text is UTF-8. A line runs from left, top to
// x2, y2. An index of -1 marks a single control, 0 or more an element of the
// control array of that name.
struct ControlSpec
{
    ControlKind kind;
    const char *name;
    std::int16_t index = -1;
    const char *parent = nullptr; // null: the form
    int left = 0, top = 0, width = 0, height = 0;
    int x2 = 0, y2 = 0; // a line's other end
    int tabIndex = -1;
    const char *text = "";
    FontSpec font = {};
    std::optional<Rgb> backColor = {};
    std::optional<Rgb> foreColor = {};
    Alignment alignment = Alignment::Left;
    bool border = true;
    bool locked = false;
    // A locked text box whose click opens a choice, a dialog: assistive
    // technology sees a combo box, with a press action that clicks it.
    bool chooser = false;
    // A text box whose text the mouse drags out of it (a press, then a move
    // past the desktop's drag distance): a copy as plain text, for a drop
    // into any program that takes text.
    bool dragText = false;
    // A frame whose locked text boxes are the items of one list: a screen
    // reader names the list and its size on the way in, then reads each
    // item once, by its name.
    bool list = false;
    bool visible = true;
    std::int16_t mousePointer = pointer::Default;
    const char *picture = nullptr; // resource path of a picture box's image
    Renditions pictureRenditions = {};
    std::int16_t value = 0; // a check box's initial value
    const char *accessibleName = nullptr;
    const char *toolTip = nullptr;
};

// The window's own settings in a layout.
struct FormSpec
{
    const char *name;
    const char *caption;
    int clientWidth, clientHeight; // twips
    const char *icon = nullptr; // resource path
    Renditions iconRenditions = {};
    FontSpec font = {}; // the default font of its controls
};

} // namespace platform
