#include "platform/conversions.h"

#include "platform/runtime_error.h"

namespace platform {

namespace {
// Windows-1252 0x80..0x9F. Undefined bytes keep their own value (C1 controls),
// as Windows' own conversion does.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};
} // namespace

QString ansiChar(int code)
{
    if (code < 0 || code > 255)
        raiseInvalidCall();
    const char16_t unit = (code >= 0x80 && code <= 0x9F) ? cp1252High[code - 0x80] : char16_t(code);
    return QString(QChar(unit));
}

bool ansiDefined(int code)
{
    const QChar character = ansiChar(code).at(0);
    return !(code >= 0x80 && code <= 0x9F && character.unicode() == code);
}

QString numberText(int number)
{
    const QString digits = QString::number(number);
    return number >= 0 ? QLatin1Char(' ') + digits : digits;
}

QString integerText(std::int16_t number) { return QString::number(number); }

QString rightmost(const QString &text) { return text.right(1); }

void countTo(std::int32_t last)
{
    // The empty asm keeps the optimiser from dropping the loop.
    for (std::int32_t i = 1; i <= last; ++i)
        asm volatile("" : : "r"(i));
}

} // namespace platform
