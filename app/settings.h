#pragma once

#include <QLoggingCategory>
#include <QString>

#include <cstdint>

namespace glyphery {

Q_DECLARE_LOGGING_CATEGORY(lcSettings)

// The four options as they are stored: section, key, default 0.
enum class Option { Bold, Italic, Space, Size };

// The stored typeface name, "Arial" when absent.
QString readFontName();

// The stored option. A text that is not a whole number from 0 to 2 counts as
// absent (0), with one warning line; the next close writes a valid value.
std::int16_t readOption(Option option);

} // namespace glyphery
