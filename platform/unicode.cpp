#include "platform/unicode.h"

#include <unicode/uchar.h>

namespace platform {

QString characterName(char32_t codePoint)
{
    char name[256];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = u_charName(UChar32(codePoint), U_EXTENDED_CHAR_NAME, name, sizeof name, &status);
    if (U_FAILURE(status) || length <= 0)
        return QString();
    return QString::fromLatin1(name, length);
}

} // namespace platform
