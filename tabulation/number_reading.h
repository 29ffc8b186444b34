#pragma once
// How the graph window reads the numbers in its fields and in its result lines. Strict, with
// "." as the only decimal point, whatever the user's regional settings.
//
//   readNumber(u" -2.5e3 ")  -> -2500        readNumber(u".")    -> 0
//   readNumber(u"1E")        -> 1            readNumber(u"0,5")  raises "'0,5' is not a valid
//                                                                  floating point value"
//   readDouble(u"1E400")     raises "Floating point overflow"
//   readWholeNumber(u"$1F")  -> 31           readWholeNumber(u"12 ") raises "''12 '' is not a
//                                                                  valid integer value"

#include "engine/extended.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quarnis {

// A number: leading spaces, an optional sign, digits with at most one "." (at least one of
// them), an optional exponent "E"/"e" with an optional sign and digits (none count as 0),
// trailing spaces. Nothing when the text has another form; a value beyond the Extended range
// raises "Floating point overflow", one below it gives 0.
std::optional<Extended> tryReadNumber(std::u16string_view text);

// tryReadNumber, raising "'<text>' is not a valid floating point value" when the text is not
// a number.
Extended readNumber(std::u16string_view text);

// readNumber stored as a Double: a value beyond the Double range raises "Floating point
// overflow".
double readDouble(std::u16string_view text);

// A number that converts to a Double; nothing for any other text, including one whose value
// lies beyond the Double range. Never raises.
std::optional<double> tryReadDouble(std::u16string_view text);

// A whole number: leading spaces, an optional sign, then decimal digits, or hexadecimal
// digits after "$", "x", "X", "0x" or "0X"; nothing after the digits; the value fits a 32-bit
// signed integer. Nothing for any other text.
std::optional<std::int32_t> tryReadWholeNumber(std::u16string_view text);

// tryReadWholeNumber, raising "''<text>'' is not a valid integer value" when the text is not
// a whole number.
std::int32_t readWholeNumber(std::u16string_view text);

// The error texts of the two readings, with the text that was refused.
std::string notAFloatText(std::u16string_view text);
std::string notAnIntegerText(std::u16string_view text);

} // namespace quarnis
