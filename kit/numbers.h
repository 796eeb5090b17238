#pragma once
// Numbers and their text. One rule decides what "is a number" (the key filter
// and every check use it), one reads a box as a number, one writes a number.

#include <QString>
#include <QStringView>
#include <cstdint>

namespace kit {

// Optional leading blanks, an optional sign, at least one digit 0-9 and at most
// one decimal separator ("." or ","), and nothing else.
bool IsNumber(QStringView text);

// The text as a number; empty text and text that is not a number read as 0.
double ReadNumber(QStringView text);

// Plain decimal text: no sign for zero or positives, no blank, no leading zero.
QString NumText(long long value);

// A number that may have decimals, in its shortest form with the desktop's
// decimal separator and no digit grouping ("1763,668" under Dutch settings,
// "2500" for a whole number). Where a verdict compares texts with decimals,
// both sides are written by this one function, so the separator never decides
// it; for a whole number it writes what NumText writes.
QString DecimalText(double value);

// A caption that the program wrote as a number, read back into a 16-bit
// counter; anything out of range is clamped rather than wrapped.
std::int16_t ReadInt16(QStringView text);

// Counters stop at the top of their 16-bit range instead of wrapping round.
inline std::int16_t CountUp(std::int16_t counter) {
  return counter < INT16_MAX ? static_cast<std::int16_t>(counter + 1) : counter;
}

}  // namespace kit
