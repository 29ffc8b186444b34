#pragma once
// The three passes of the engine and their helpers. Each pass raises a RuntimeError for an
// evaluation failure; Evaluate turns every one into the "Yazım Hatası..." report.

#include "extended.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quarnis {

// The syntax report of one evaluation, handed down through the passes that read its text:
// reportSyntaxError sets it at the first character a reading cannot take. Each evaluation
// has its own, so threads evaluate side by side.
struct SyntaxReport {
    bool made = false;
};

// Only digits, ".", "+", "-", "*", "/", "^", "!" and parentheses: the function-word pass
// gives such a text back unchanged. Letters (words, PI, a number's "E") and characters
// outside the syntax are not.
bool isWordFree(std::u16string_view s);

// isWordFree without "^" and "!": the first two passes give such a text back unchanged.
bool isPlainArithmetic(std::u16string_view s);

// 'SIN(PI/6)*2' -> '0.500000000*2': every function application and PI becomes a value text.
std::u16string replaceFunctionWords(const std::u16string& s, SyntaxReport& report);
void replaceFunctionWords(std::u16string_view s, std::u16string& out, SyntaxReport& report);

// '2^3^2+3!' -> '512.000000000+6.000000000': every "^" and "!", from right to left.
// A text without them is given back unchanged.
std::u16string resolvePowers(const std::u16string& s, SyntaxReport& report);

// Whether s holds a "^" or "!". Searched from the right, as the powers pass reads: the
// characters passed over are those the reading moves anyway, so nested bases stay linear.
bool hasPowerMarks(std::u16string_view s);

// '2+3*4' -> 14: groups, products and quotients, then the sum of what remains.
Extended evaluateProducts(std::u16string_view s, SyntaxReport& report);

// '2-12.000000000' -> -10: the terms of a text of numbers joined by "+" and "-".
Extended sumTerms(std::u16string_view s);

// Signs then a number run from pos, converted: '--3' -> 3. pos ends after the run.
Extended readSignedNumber(std::u16string_view s, std::size_t& pos);

// Removes the number run at the end of s and converts it: '2--3' -> -3, leaving '2-'.
Extended takeTrailingNumber(std::u16string& s);

// 2 * 3 * ... * trunc(x); 1 below 2. A negative integer part is an invalid operation,
// 1755 and more overflow.
Extended factorial(Extended x);

// Appends the value text of a result for the next pass. An infinity (from a typed number
// beyond the conversion limit, '1E6000*2') has no value text that reads back as a number, so
// it ends the evaluation as an overflow instead of silently reading as 0.
void appendPassValue(std::u16string& out, Extended v);

// The evaluation failure: an empty text handed to a pass, a "*" with nothing before it.
[[noreturn]] void evaluationFailure();

// The syntax error of a reading of [.., end), at pos: makes the evaluation's syntax report
// (only whether one was made counts) and moves pos to end, which ends that reading with what
// it has read.
inline void reportSyntaxError(std::size_t& pos, std::size_t end, SyntaxReport& report)
{
    report.made = true;
    pos = end;
}

} // namespace quarnis
