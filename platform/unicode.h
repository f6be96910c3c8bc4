#pragma once

#include <QString>

namespace platform {

// The Unicode name of a code point ("EURO SIGN"); controls and unnamed code
// points get ICU's extended label ("<control-0081>").
QString characterName(char32_t codePoint);

} // namespace platform
