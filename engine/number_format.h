#pragma once
// How the windows and the command-line tool write values.
//
//   generalNumberText(0.1L + 0.2L)       -> "0.3"
//   generalNumberText(1e15)              -> "1E15"
//   generalNumberText(0.00001)           -> "1E-5"
//   roundToDecimals(0.125, 2)            -> 0.12 (halves to even)
//   roundToDecimals(1e4931, 2)           -> raises "Floating point overflow"

#include "extended.h"

#include <cstdint>
#include <string>

namespace quarnis {

// At most 15 significant digits, fixed notation from 0.0001 to below 10^15, no trailing
// zeros, "." as decimal point, no grouping.
std::u16string generalNumberText(Extended v);
void appendGeneralNumberText(std::u16string& out, Extended v);

// The first 18 significant digits of v as one integer, correctly rounded (ties to even):
// v = 2/3 gives 666666666666666667 and exp10 -1, so v ~ digits * 10^(exp10 - 17) with
// 10^17 <= digits < 10^18.
struct SignificantDigits {
    std::uint64_t digits;
    int exp10;
};
// For a finite, normal v > 0. Exact integer arithmetic from 10^-10 to 2^127; beyond that
// the C++ library's scientific conversion.
SignificantDigits eighteenDigits(Extended v);

inline constexpr int kMinDecimals = -1;
inline constexpr int kMaxDecimals = 9;

// v rounded to p decimals (p from -1, which rounds to tens, to 9): v * 10^p rounded to an
// integer with halves to even, times the stored 10^-p.
Extended roundToDecimals(Extended v, int p);

// generalNumberText(roundToDecimals(v, p)) appended to out, the same text and the same
// faults, written straight from the rounded integer while it has at most 15 digits.
void appendRoundedText(std::u16string& out, Extended v, int p);

} // namespace quarnis
