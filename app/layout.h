#pragma once

#include "platform/layout_spec.h"

#include <cstdint>
#include <vector>

namespace glyphery {

// The window and every control on it, in stacking order (an earlier row lies
// above a later one; the cells come from the highest index down, so that a
// higher cell lies above a lower one).
const platform::FormSpec &formLayout();
const std::vector<platform::ControlSpec> &controlLayout();

inline constexpr int firstCell = 1;
inline constexpr int lastCell = 224;
inline constexpr int cellsPerRow = 32;
inline constexpr int lastRowStart = lastCell - cellsPerRow + 1;

// Cell k shows the character of code k + 31: the codes 32 to 255.
inline constexpr int firstCode = 32;
inline constexpr int lastCode = 255;
constexpr std::int16_t codeOf(int cell) { return std::int16_t(cell + firstCode - firstCell); }
constexpr std::int16_t cellOf(int code) { return std::int16_t(code - firstCode + firstCell); }

// Font sizes in points of the preview and the cells, with the small-size
// option off and on.
namespace size {
inline constexpr float preview = 60;
inline constexpr float cell = 14;
inline constexpr float smallPreview = 32;
inline constexpr float smallCell = 8;
} // namespace size

// Where cell k (1..224) sits inside Frame1, in twips.
struct CellPosition
{
    int left, top;
};
constexpr CellPosition cellPosition(int k)
{
    return {120 + 360 * ((k - 1) % cellsPerRow), 240 + 360 * ((k - 1) / cellsPerRow)};
}

} // namespace glyphery
