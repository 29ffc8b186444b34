#pragma once
// The expression engine: one formula text in, one Extended value out.
//
//   Evaluate(u"2*sin(Pi/6)+3^2-1/3") -> 9.666666667
//   Evaluate(u"(2+3")  -> 0, CalcError, CalcErrorText "Geçersiz parantez..."
//   Evaluate(u"2+3#4") -> 5, CalcError, CalcErrorText "Yazım hatası..."
//   Evaluate(u"1/0")   -> 0, CalcError, CalcErrorText "Yazım Hatası..."
//
// The engine rewrites the text in passes (function words, powers, products and sums); every
// intermediate value travels as a value text with nine decimals. It keeps the small state
// below, one per thread, so that threads evaluating formulas side by side never see each
// other's reports; it never clears CalcError: each caller reads and clears it on the thread
// that evaluated. Not re-entrant within one thread.

#include "extended.h"

#include <cstddef>
#include <string>

namespace quarnis {

// The value of the current or last evaluation; 0 at the start of each one.
extern thread_local Extended LastResult;
// Set by every error report, cleared only by the callers.
extern thread_local bool CalcError;
// The text of the most recent report: "Geçersiz parantez...", "Yazım hatası..." or
// "Yazım Hatası...".
extern thread_local std::u16string CalcErrorText;
// True from the start of an evaluation until its first syntax-error report.
extern thread_local bool SyntaxReportArmed;

inline constexpr char16_t kParenthesisErrorText[] = u"Geçersiz parantez...";
inline constexpr char16_t kSyntaxErrorText[] = u"Yazım hatası...";
inline constexpr char16_t kEvaluationErrorText[] = u"Yazım Hatası...";

// Deepest nesting of groups and function arguments that is evaluated; deeper formulas end as
// an evaluation failure.
inline constexpr std::size_t kMaxNestingDepth = 100000;

Extended Evaluate(const std::u16string& formula);

// Drops blanks, folds a to z to upper case and compares the counts of "(" and ")". Gives
// false (with the "Geçersiz parantez..." report) when they differ; an empty result is "0".
bool PrepareFormula(std::u16string& formula);

// The syntax-error report of a reading of [.., end): reports once per evaluation and moves
// the reading's position to its end, which ends that reading.
void ReportSyntaxError(std::size_t& pos, std::size_t end);

} // namespace quarnis
