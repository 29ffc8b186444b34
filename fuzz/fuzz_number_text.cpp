// Fuzz target for the result field's text: a value rounded to -1 .. 9 decimals (or left
// unrounded) and written as a general number text. The text has the documented shape (at
// most 15 significant digits, fixed notation from 0.0001 to below 10^15, no trailing zeros),
// shows no more decimals than asked for, and reads back, through the graph window's number
// reading and through the engine, to the rounded value within half a unit of its last digit.
//
// Input: a byte for the decimals, a byte for the source of the value, then either a 64-bit
// mantissa and a 16-bit binary exponent, a decimal text, or a formula for EXEC.

#include "engine/evaluation.h"
#include "engine/exec_text.h"
#include "engine/number_format.h"
#include "engine/runtime_error.h"
#include "fuzz_support.h"
#include "tabulation/number_reading.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <optional>
#include <regex>
#include <string>

using namespace quarnis;
using quarnis::fuzz::check;

namespace {

// A general number text taken apart: "-0.0125" has the digits "125" and the exponent -2 of
// its first significant digit.
struct Shape {
    bool negative = false;
    std::string digits; // significant digits, the first not 0; empty for "0"
    int lead = 0;
};

// Checks that a finite value's text has the shape -?D+(.D*[1-9])?(E-?D+)? and its rules, and
// takes it apart.
Shape shapeOf(const std::u16string& t)
{
    static const std::regex kForm(R"((-?)(\d+)(?:\.(\d*[1-9]))?(?:E(-?(?:0|[1-9]\d{0,4})))?)");
    check(std::all_of(t.begin(), t.end(), [](char16_t c) { return c < 0x80; }), "ASCII only");
    const std::string ascii(t.begin(), t.end());
    std::smatch m;
    check(std::regex_match(ascii, m, kForm),
        "digits, a fraction without trailing zeros, an exponent without zeros in front");
    Shape s;
    s.negative = m.length(1) > 0;
    const std::string whole = m[2], fraction = m[3];
    const bool eForm = m[4].matched;
    const int exponent = eForm ? std::stoi(m[4]) : 0;

    if (eForm) {
        check(whole.size() == 1 && whole != "0", "one digit 1 to 9 before the point");
        check(exponent >= 15 || exponent <= -5, "exponent form only outside 0.0001 .. 10^15");
        s.lead = exponent;
        s.digits = whole + fraction;
    } else if (whole != "0") {
        check(whole[0] != '0' && whole.size() <= 15, "no zero in front, fixed only below 10^15");
        s.lead = int(whole.size()) - 1;
        s.digits = whole + fraction;
    } else if (fraction.empty()) {
        check(!s.negative, "no \"-0\"");
    } else {
        const std::size_t zeros = fraction.find_first_not_of('0');
        check(zeros <= 3, "fixed notation only from 0.0001");
        s.lead = -int(zeros) - 1;
        s.digits = fraction.substr(zeros);
    }
    s.digits.erase(s.digits.find_last_not_of('0') + 1);
    check(s.digits.size() <= 15, "at most 15 significant digits");
    return s;
}

// Checks the text of v rounded to the decimals; gives that text, or nothing when the rounding
// overflows.
std::optional<std::u16string> checkText(Extended v, int decimals)
{
    std::optional<Extended> rounded;
    try {
        rounded = decimals < 0 ? v : roundToDecimals(v, decimals);
    } catch (const RuntimeError& e) {
        check(e.kind() == ErrorKind::Overflow && fabsl(v) > LDBL_MAX / 1e10L,
            "rounding fails only by overflow, near the top of the range");
        return std::nullopt;
    }
    const Extended r = *rounded;
    const std::u16string shown = generalNumberText(r);
    if (std::isnan(r)) {
        check(shown == u"NAN", "NAN");
        return shown;
    }
    if (std::isinf(r)) {
        check(std::isinf(v) && shown == (r > 0 ? u"INF" : u"-INF"), "INF only for an infinity");
        return shown;
    }
    if (decimals >= 0)
        check(fabsl(r - v) <= 0.5L * powl(10, -decimals) * (1 + 1e-15L) + fabsl(v) * 0x1p-62L,
            "the rounding is within half a unit of the last decimal");

    const Shape s = shapeOf(shown);
    check(s.digits.empty() == (r == 0 || std::fpclassify(r) == FP_SUBNORMAL), "0 only for 0");
    check(s.digits.empty() || s.negative == (r < 0), "the sign is shown");
    // The last digit's exponent: -2 for "0.25", 3 for "1500", -9 for "5E-9".
    if (decimals >= 0 && fabsl(r) < powl(10, 15 - decimals) && !s.digits.empty())
        check(s.lead - int(s.digits.size()) + 1 >= -decimals, "no more decimals than asked for");

    // Half a unit of the 15th significant digit, after the 18-digit conversion it comes from.
    const Extended half = s.digits.empty() ? 0x1p-16382L : 0.5006L * powl(10, s.lead - 14);
    const std::optional<Extended> graph = tryReadNumber(shown);
    check(graph.has_value(), "the graph window reads the text");
    check(fabsl(*graph - r) <= half, "the graph window reads back the rounded value");

    const Evaluation engine = evaluate(shown);
    check(!engine.failed(), "the engine reads the text without an error");
    check(fabsl(engine.value - *graph) <= 5.0001e-10L + fabsl(*graph) * 0x1p-60L,
        "the engine reads back the same value");
    return shown;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    quarnis::fuzz::Bytes in { data, size };
    const int decimals = int(in.byte() % 11) - 1; // -1: unrounded, as EXEC leaves it
    const int source = in.byte() % 3;
    if (source == 0) {
        // Any finite Extended, the denormals included, and the infinities.
        const auto mantissa = in.value<std::uint64_t>();
        const auto exponent = in.value<std::int16_t>();
        checkText(ldexpl(static_cast<Extended>(mantissa), exponent - 63), decimals);
    } else if (source == 1) {
        // A decimal text, for values on and near the halves of the decimals.
        std::string ascii;
        for (std::uint8_t b = in.byte(); b != 0; b = in.byte())
            ascii += char(b);
        Extended v = 0;
        const auto res = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
        if (res.ec == std::errc() && !std::isnan(v))
            checkText(v, decimals);
    } else {
        // A formula through EXEC.
        const std::u16string formula = quarnis::fuzz::textFor(in.data, in.size);
        std::optional<std::u16string> shown;
        try {
            shown = execText(formula, decimals);
        } catch (const RuntimeError& e) {
            check(e.kind() == ErrorKind::Overflow, "EXEC fails only by a rounding overflow");
        }
        const Evaluation outcome = evaluate(formula);
        if (outcome.error)
            check(shown == outcome.error->text(), "a failed formula shows the engine's error text");
        else
            check(shown == checkText(outcome.value, decimals),
                "EXEC shows the rounded value's text, or raises the rounding's overflow");
    }
    return 0;
}
