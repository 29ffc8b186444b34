#pragma once
// The value text, the engine's nine-decimal number text, and its reading back.
//
//   valueToText(0.5)          -> "0.500000000"
//   valueToText(-1e-12)       -> "-0.000000000"
//   valueToText(1e40)         -> "1.0E+0040"
//   textToValue(u"1.0E+0040") -> 1e40
//   textToValue(u"1.2.3")     -> 12 (a text that does not fit the number form)

#include "extended.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quarnis {

// Largest n for which 10^n is a finite Extended.
inline constexpr int kMaxPow10 = 4932;

// The Extended nearest to 10^n, 0 <= n <= kMaxPow10.
Extended pow10(int n);

// Writes the decimal digits of n (none for 0) so that they end just before end, and gives
// the position of the first; two digits a step.
char16_t* writeDigitsBackward(char16_t* end, std::uint64_t n);

std::u16string valueToText(Extended x);
void appendValueText(std::u16string& out, Extended x);

// Never reports an error; an empty text and a lone sign give (positive) 0. Raises the
// overflow fault for a finite value beyond the Extended range ('1E4950'); a power of ten
// from 5120 up gives an infinity, from -5120 down a zero.
Extended textToValue(std::u16string_view text);

} // namespace quarnis
