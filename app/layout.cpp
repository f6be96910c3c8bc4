#include "app/layout.h"

#include "glyphery_version.h"

#include <QtGlobal>

namespace glyphery {

using platform::Alignment;
using platform::ControlKind;
using platform::ControlSpec;
using platform::Rgb;

namespace {

constexpr Rgb white{255, 255, 255};
constexpr platform::FontSpec cellFont{"MS Sans Serif", 13.5f};
// The hicolor icons, the same artwork as the ICO's 16 and 32 px.
constexpr const char *largerIcons[] = {
    ":/icons/hicolor/48x48/apps/" GLYPHERY_APP_ID ".png",
    ":/icons/hicolor/64x64/apps/" GLYPHERY_APP_ID ".png",
    ":/icons/hicolor/128x128/apps/" GLYPHERY_APP_ID ".png",
    ":/icons/hicolor/256x256/apps/" GLYPHERY_APP_ID ".png",
};

ControlSpec cell(std::int16_t k)
{
    ControlSpec row{.kind = ControlKind::TextBox, .name = "Char", .index = k, .parent = "Frame1"};
    if (k == 0) {
        // Not a grid cell: hidden over the last row, editable, never addressed.
        row.left = 11280;
        row.top = 2520;
        row.visible = false;
    } else {
        row.left = cellPosition(k).left;
        row.top = cellPosition(k).top;
        row.locked = true;
        row.dragText = true;
    }
    row.width = 375;
    row.height = 375;
    row.tabIndex = k + 2;
    row.text = "A";
    row.font = cellFont;
    row.alignment = Alignment::Center;
    row.border = false;
    return row;
}

ControlSpec line(const char *name, int x1, int y1, int x2, int y2, std::optional<Rgb> color = {})
{
    return {.kind = ControlKind::Line, .name = name, .left = x1, .top = y1, .x2 = x2, .y2 = y2, .foreColor = color};
}

// One row a control reads better than one field a line. What a person reads
// or hears of a control is marked for translation in the form's context.
// clang-format off
std::vector<ControlSpec> makeLayout()
{
    std::vector<ControlSpec> rows = {
        {.kind = ControlKind::CommandButton, .name = "cmdN", .left = 12000, .top = 2310, .width = 180,
         .height = 195, .tabIndex = 236, .accessibleName = QT_TRANSLATE_NOOP("frmMain", "Normal"),
         .toolTip = QT_TRANSLATE_NOOP("frmMain", "Normal")},
        {.kind = ControlKind::CheckBox, .name = "chkSpace", .left = 12600, .top = 2280, .width = 225,
         .height = 255, .tabIndex = 234, .text = "mnuSpace",
         .accessibleName = QT_TRANSLATE_NOOP("frmMain", "Space before"),
         .toolTip = QT_TRANSLATE_NOOP("frmMain", "Space before")},
        {.kind = ControlKind::CheckBox, .name = "chkSize", .left = 12840, .top = 2280, .width = 225,
         .height = 255, .tabIndex = 233, .text = "mnuSize",
         .accessibleName = QT_TRANSLATE_NOOP("frmMain", "Small sizes"),
         .toolTip = QT_TRANSLATE_NOOP("frmMain", "Small sizes")},
        {.kind = ControlKind::CheckBox, .name = "chkI", .left = 12360, .top = 2280, .width = 255, .height = 255,
         .tabIndex = 232, .accessibleName = QT_TRANSLATE_NOOP("frmMain", "Italic"),
         .toolTip = QT_TRANSLATE_NOOP("frmMain", "Italic")},
        {.kind = ControlKind::CheckBox, .name = "chkB", .left = 12180, .top = 2280, .width = 255, .height = 255,
         .tabIndex = 231, .text = "Check1", .accessibleName = QT_TRANSLATE_NOOP("frmMain", "Bold"),
         .toolTip = QT_TRANSLATE_NOOP("frmMain", "Bold")},
        {.kind = ControlKind::PictureBox, .name = "Symbol", .left = 12600, .top = 1200, .width = 615,
         .height = 615, .tabIndex = 230, .backColor = white, .picture = ":/glyphery.ico",
         .pictureRenditions = largerIcons, .accessibleName = GLYPHERY_NAME},
        {.kind = ControlKind::TextBox, .name = "FSel", .left = 12000, .top = 240, .width = 1815, .height = 285,
         .tabIndex = 227, .text = "Arial", .backColor = Rgb{224, 224, 224}, .locked = true,
         .chooser = true, .mousePointer = platform::pointer::Arrow,
         .accessibleName = QT_TRANSLATE_NOOP("frmMain", "Font"),
         .toolTip = QT_TRANSLATE_NOOP("frmMain", "Choose font")},
        {.kind = ControlKind::Frame, .name = "Frame1", .left = 120, .top = 120, .width = 11775, .height = 2895,
         .tabIndex = 1, .list = true, .accessibleName = QT_TRANSLATE_NOOP("frmMain", "Character table")},
    };
    for (std::int16_t k = lastCell; k >= 0; --k)
        rows.push_back(cell(k));
    const std::vector<ControlSpec> rest = {
        {.kind = ControlKind::TextBox, .name = "CharXXL", .left = 12000, .top = 600, .width = 1815,
         .height = 1575, .tabIndex = 228, .font = {"Arial", size::preview}, .backColor = white,
         .foreColor = Rgb{0, 0, 128}, .alignment = Alignment::Center, .border = false, .locked = true,
         .accessibleName = QT_TRANSLATE_NOOP("frmMain", "Preview")},
        {.kind = ControlKind::TextBox, .name = "Dummy", .left = 12000, .top = 1800, .width = 375, .height = 375,
         .tabIndex = 0, .text = "Text1",
         .accessibleName = QT_TRANSLATE_NOOP("frmMain", "Character table: Tab to the first character")},
        line("Line6", 12000, 2775, 13800, 2775, white),
        line("Line5", 13800, 2760, 12000, 2760, Rgb{128, 128, 128}),
        {.kind = ControlKind::Label, .name = "Code", .left = 13080, .top = 2310, .width = 735, .height = 255,
         .tabIndex = 237, .font = {"Arial", 8.25f}, .alignment = Alignment::Right},
        line("Line4", 13815, 585, 13815, 2175),
        line("Line3", 11985, 585, 11985, 2175),
        line("Line2", 12000, 2175, 13800, 2175),
        line("Line1", 12000, 585, 13800, 585),
        {.kind = ControlKind::Label, .name = "Label1", .left = 12000, .top = 2520, .width = 1095, .height = 135,
         .tabIndex = 235, .text = " N  B  I    \u00D8   \u00B1", .font = {"Arial", 6.75f},
         .accessibleName = QT_TRANSLATE_NOOP("frmMain", "Normal, Bold, Italic, Space before, Small sizes")},
        {.kind = ControlKind::Label, .name = "Label2", .left = 12000, .top = 2835, .width = 1815, .height = 255,
         .tabIndex = 229, .text = "\u00A9 2026 " GLYPHERY_NAME},
    };
    rows.insert(rows.end(), rest.begin(), rest.end());
    return rows;
}
// clang-format on

} // namespace

const platform::FormSpec &formLayout()
{
    static const platform::FormSpec form{.name = "frmMain",
                                         .caption = GLYPHERY_NAME,
                                         .clientWidth = 13875,
                                         .clientHeight = 3165,
                                         .icon = ":/glyphery.ico",
                                         .iconRenditions = largerIcons,
                                         .font = {"MS Sans Serif", 8.25f}};
    return form;
}

const std::vector<ControlSpec> &controlLayout()
{
    static const std::vector<ControlSpec> rows = makeLayout();
    return rows;
}

} // namespace glyphery
