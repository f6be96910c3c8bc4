#pragma once

#include <QString>

namespace platform {

// The Unicode name of a code point ("EURO SIGN"). DELETE and the C1 control
// characters, which have none, get their alias ("DELETE", "START OF STRING");
// any other code point without a name, a C0 control among them, an empty
// string.
QString characterName(char32_t codePoint);

// True for the C0 and C1 control characters and DELETE.
bool isControl(char32_t codePoint);

} // namespace platform
