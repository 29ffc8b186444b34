#pragma once
// Evaluate-and-show: the text that EXEC writes into the result field for a formula.
//
//   execText(u"2/3", -1) -> "0.666666667"     execText(u"2/3", 2) -> "0.67"
//   execText(u"(1+2", 2) -> "Geçersiz parantez..."
//   execText(u"1E4931", 2) raises "Floating point overflow"

#include <string>

namespace quarnis {

// Evaluates the formula and gives the general number text of its value, rounded to
// `decimals` (0 to 9; -1 leaves it unrounded), or the engine's error text when it reported
// one. A rounding that overflows raises RuntimeError. When `reported` is given, it is set to
// whether the text is an error report rather than a number.
std::u16string execText(const std::u16string& formula, int decimals, bool* reported = nullptr);

} // namespace quarnis
