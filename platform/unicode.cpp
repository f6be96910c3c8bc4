#include "platform/unicode.h"

#include <unicode/uchar.h>

#include <array>

namespace platform {

namespace {

// The first alias of each C1 control character and DELETE in Unicode's
// NameAliases.txt (ICU has no names for them). U+0080, U+0081 and U+0099 have
// only the figment aliases of ISO 6429 drafts. No code from 32 up in an 8-bit
// code page stands for a C0 control, so those have no alias here.
// clang-format off
constexpr std::array<const char *, 32> c1Aliases = {
    "PADDING CHARACTER", "HIGH OCTET PRESET", "BREAK PERMITTED HERE", "NO BREAK HERE", "INDEX", "NEXT LINE",
    "START OF SELECTED AREA", "END OF SELECTED AREA", "CHARACTER TABULATION SET",
    "CHARACTER TABULATION WITH JUSTIFICATION", "LINE TABULATION SET", "PARTIAL LINE FORWARD",
    "PARTIAL LINE BACKWARD", "REVERSE LINE FEED", "SINGLE SHIFT TWO", "SINGLE SHIFT THREE",
    "DEVICE CONTROL STRING", "PRIVATE USE ONE", "PRIVATE USE TWO", "SET TRANSMIT STATE", "CANCEL CHARACTER",
    "MESSAGE WAITING", "START OF GUARDED AREA", "END OF GUARDED AREA", "START OF STRING",
    "SINGLE GRAPHIC CHARACTER INTRODUCER", "SINGLE CHARACTER INTRODUCER", "CONTROL SEQUENCE INTRODUCER",
    "STRING TERMINATOR", "OPERATING SYSTEM COMMAND", "PRIVACY MESSAGE", "APPLICATION PROGRAM COMMAND"};
// clang-format on

const char *controlAlias(char32_t codePoint)
{
    if (codePoint == 0x7F)
        return "DELETE";
    if (codePoint >= 0x80 && codePoint < 0xA0)
        return c1Aliases[codePoint - 0x80];
    return nullptr;
}

} // namespace

QString characterName(char32_t codePoint)
{
    if (const char *alias = controlAlias(codePoint))
        return QString::fromLatin1(alias);
    char name[256];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = u_charName(UChar32(codePoint), U_UNICODE_CHAR_NAME, name, sizeof name, &status);
    if (U_FAILURE(status) || length <= 0)
        return QString();
    return QString::fromLatin1(name, length);
}

bool isControl(char32_t codePoint) { return codePoint < 0x20 || controlAlias(codePoint) != nullptr; }

} // namespace platform
