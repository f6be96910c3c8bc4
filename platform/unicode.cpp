#include "platform/unicode.h"

#include <unicode/uchar.h>

namespace platform {

QString characterName(char32_t codePoint)
{
    // ICU has no name for it; this is its alias in NameAliases.txt.
    if (codePoint == 0x7F)
        return QStringLiteral("DELETE");
    char name[256];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = u_charName(UChar32(codePoint), U_UNICODE_CHAR_NAME, name, sizeof name, &status);
    if (U_FAILURE(status) || length <= 0)
        return QString();
    return QString::fromLatin1(name, length);
}

bool isControl(char32_t codePoint) { return codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0); }

} // namespace platform
