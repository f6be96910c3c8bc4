#pragma once

#include <QString>

namespace platform {

// The Unicode name of a code point ("EURO SIGN"); DELETE, which has none,
// gets its alias. Any other code point without a name, a control character
// among them, gets an empty string: the code page's five unused codes, which
// alone stand for C1 controls, are named by the caller.
QString characterName(char32_t codePoint);

// True for the C0 and C1 control characters and DELETE.
bool isControl(char32_t codePoint);

} // namespace platform
