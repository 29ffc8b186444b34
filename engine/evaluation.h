#pragma once
// The expression engine: one formula text in, its outcome out: the value, and the error when
// the engine reported one.
//
//   evaluate(u"2*sin(Pi/6)+3^2-1/3") -> 9.666666667
//   evaluate(u"(2+3")  -> 0, Report::Parenthesis "Geçersiz parantez..."
//   evaluate(u"2+3#4") -> 5, Report::Syntax      "Yazım hatası..."
//   evaluate(u"1/0")   -> 0, Report::Evaluation  "Yazım Hatası..."
//
// The engine rewrites the text in passes (function words, powers, products and sums); every
// intermediate value travels as a value text with nine decimals. Each evaluation keeps its
// own reports, so threads may evaluate formulas side by side.

#include "extended.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quarnis {

inline constexpr char16_t kParenthesisErrorText[] = u"Geçersiz parantez...";
inline constexpr char16_t kSyntaxErrorText[] = u"Yazım hatası...";
inline constexpr char16_t kEvaluationErrorText[] = u"Yazım Hatası...";

// The three reports of the engine, and the value each leaves.
enum class Report {
    // The counts of "(" and ")" differ; no pass runs: '(2+3' -> 0. Only the counts are
    // compared, so ')(' passes here and fails as an evaluation.
    Parenthesis,
    // A pass meets a character it cannot take there; the text read before it is evaluated:
    // '2+3#4' -> 5, 'SIN(2#)+1' -> 1.909297427. Only the first one of an evaluation reports.
    Syntax,
    // A fault or an empty operand stops the evaluation: '1/0', 'SQRT(-1)', '1E4950', '()',
    // '*5' -> 0. It replaces a syntax report made before it.
    Evaluation,
};

struct EngineError {
    Report kind;

    // The text the user sees: "Geçersiz parantez...", "Yazım hatası..." or
    // "Yazım Hatası...".
    std::u16string_view text() const
    {
        switch (kind) {
        case Report::Parenthesis:
            return kParenthesisErrorText;
        case Report::Syntax:
            return kSyntaxErrorText;
        case Report::Evaluation:
            break;
        }
        return kEvaluationErrorText;
    }

    friend bool operator==(const EngineError&, const EngineError&) = default;
};

// What an evaluation gives: the value, with the error when one was reported.
struct Evaluation {
    Extended value = 0.0L;
    std::optional<EngineError> error;

    bool failed() const { return error.has_value(); }
};

// Deepest nesting of groups and function arguments that is evaluated; deeper formulas end as
// an evaluation failure.
inline constexpr std::size_t kMaxNestingDepth = 100000;

// Never raises for a fault of the formula: every one ends in the outcome's error. The
// caller's text is not changed.
Evaluation evaluate(const std::u16string& formula);

// Drops blanks, folds a to z to upper case and compares the counts of "(" and ")". Gives
// false, leaving the formula as it was, when they differ (Evaluate reports that as
// Report::Parenthesis); an empty result is "0".
bool prepareFormula(std::u16string& formula);

} // namespace quarnis
