#pragma once

#include <QString>

#include <cstdint>

namespace platform {

// The one-character string that a byte stands for in Windows-1252. The five
// bytes the code page leaves undefined map to the C1 control of the same value.
QString ansiChar(int code);

// False for the five bytes Windows-1252 leaves undefined: 129, 141, 143, 144
// and 157.
bool ansiDefined(int code);

// Decimal text with one leading blank when the number is not negative.
QString numberText(int number);

// A 16-bit integer as decimal text, no blank ("-3", "0", "12").
QString integerText(std::int16_t number);

// The rightmost character of a string; an empty string stays empty.
QString rightmost(const QString &text);

// Counts from 1 to `last` with nothing in the loop: a pause of a fixed number
// of steps on the calling thread, not a measured time.
void countTo(std::int32_t last);

} // namespace platform
