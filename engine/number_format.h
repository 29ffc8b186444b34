#pragma once
// How the windows and the command-line tool write values.
//
//   GeneralNumberText(0.1L + 0.2L)       -> "0.3"
//   GeneralNumberText(1e15)              -> "1E15"
//   GeneralNumberText(0.00001)           -> "1E-5"
//   RoundToDecimals(0.125, 2)            -> 0.12 (halves to even)
//   RoundToDecimals(1e4931, 2)           -> raises "Floating point overflow"

#include "extended.h"

#include <string>

namespace quarnis {

// At most 15 significant digits, fixed notation from 0.0001 to below 10^15, no trailing
// zeros, "." as decimal point, no grouping.
std::u16string GeneralNumberText(Extended v);

inline constexpr int kMinDecimals = -1;
inline constexpr int kMaxDecimals = 9;

// v rounded to p decimals (p from -1, which rounds to tens, to 9): v * 10^p rounded to an
// integer with halves to even, times the stored 10^-p.
Extended RoundToDecimals(Extended v, int p);

} // namespace quarnis
