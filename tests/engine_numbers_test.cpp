// Value texts, their reading back, the general number text and rounding to p decimals.

#include "engine/number_format.h"
#include "engine/number_text.h"
#include "engine/runtime_error.h"
#include "engine/scanning.h"
#include "error_of.h"
#include "test_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace quarnis {
namespace {

    struct ValueRow {
        const char* name;
        Extended value;
        const char* text;
    };

    // The digits of everyday values: the value text's differential check; here, the edges.
    TEST(ValueText, WritesNineDecimalsOrTheShortScientificForm)
    {
        const ValueRow rows[] = {
            { "zero", 0.0L, "0.000000000" },
            { "negative zero", -0.0L, "-0.000000000" },
            { "carry into the integer part", 9.9999999996L, "10.000000000" },
            { "half of the last decimal rounds up", 0.0000000005L, "0.000000001" },
            { "negative rounds half up", -1.55e40L, "-1.6E+0040" },
            { "carry out of the first digit", 9.96e40L, "1.0E+0041" },
            { "scaled form with two integer digits", 1.46e38L, "1.4E+0038" },
            { "two to the 120", 0x1p120L, "1.3E+0036" },
            { "just below two to the 120", 0x1.fffffffffffffffep119L,
                "1329227995784915873000000000000000000.000000000" },
            { "largest extended", LDBL_MAX, "1.1E+4932" },
            { "infinity", HUGE_VALL, "+Inf" },
            { "minus infinity", -HUGE_VALL, "-Inf" },
            { "not a number", NAN, "Nan" },
        };
        for (const auto& r : rows) {
            SCOPED_TRACE(r.name);
            EXPECT_EQ(utf8(valueToText(r.value)), r.text);
        }
    }

    struct ReadRow {
        const char* name;
        const char16_t* text;
        Extended value;
    };

    // Value texts read back: fuzz_evaluate; plain numbers and value texts side by side: the
    // evaluation's rows; here, the odd texts and the limits.
    TEST(TextToValue, ReadsNumberTextsAndTheirLimits)
    {
        const ReadRow rows[] = {
            { "short scientific", u"1.0E+0040", 1e40L },
            { "empty", u"", 0.0L },
            { "sign only", u"-", 0.0L },
            { "point only", u".", 0.0L },
            { "exponent without digits before", u"E5", 0.0L },
            { "small e", u"2e3", 2000.0L },
            { "leading blanks", u"  42", 42.0L },
            { "beyond the limit is infinite", u"1E6000", HUGE_VALL },
            { "negative beyond the limit", u"-1E6000", -HUGE_VALL },
            { "far below is zero", u"1E-6000", 0.0L },
            { "denormal", u"1E-4940", 1e-4940L },
            { "twenty digits", u"12345678901234567890", 12345678901234567890.0L },
            { "many digits", u"1000000000000000000000000000000", 1e30L },
            { "second point", u"1.2.3", 12.0L },
            { "E without digits", u"2.5E", 25.0L },
            { "second E", u"2E3E4", 23.0L },
            { "zero times any power", u"0E6000", 0.0L },
        };
        for (const auto& r : rows) {
            SCOPED_TRACE(r.name);
            EXPECT_EQ(textToValue(r.text), r.value);
        }
        EXPECT_TRUE(std::signbit(textToValue(u"-0.000000000")));
        EXPECT_TRUE(std::signbit(textToValue(u"-.")));
        // A lone sign carries no minus into the value text written from it.
        EXPECT_FALSE(std::signbit(textToValue(u"-")));
        EXPECT_FALSE(std::signbit(textToValue(u"  -")));
    }

    TEST(TextToValue, OverflowBelowTheLimitIsAFault)
    {
        for (const char16_t* text : { u"1E4950", u"1E5119", u"-9E4932" })
            EXPECT_EQ(errorOf([&] { textToValue(text); }), "Floating point overflow") << utf8(text);
    }

    // The text's shape (15 digits, where it turns scientific, no trailing zeros, no "-0") and
    // its reading back: fuzz_number_text; here, values at the edges of those rules.
    TEST(GeneralNumberText, FifteenDigitsFixedOrScientific)
    {
        const ValueRow rows[] = {
            { "sum of typed numbers", 0.1L + 0.2L, "0.3" },
            { "negative zero", -0.0L, "0" },
            { "denormal", 1e-4940L, "0" },
            { "carry out of fifteen nines", 0.9999999999999999L, "1" },
            { "minus infinity", -HUGE_VALL, "-INF" },
            { "not a number", NAN, "NAN" },
        };
        for (const auto& r : rows) {
            SCOPED_TRACE(r.name);
            EXPECT_EQ(utf8(generalNumberText(r.value)), r.text);
        }
    }

    struct RoundRow {
        const char* name;
        Extended value;
        int decimals;
        const char* text;
    };

    TEST(RoundToDecimals, HalvesGoToEven)
    {
        const RoundRow rows[] = {
            { "0.125 to 2", 0.125L, 2, "0.12" },
            { "0.375 to 2", 0.375L, 2, "0.38" },
            { "-2.5 to 0", -2.5L, 0, "-2" },
            { "-0.4 to 0 has no minus", -0.4L, 0, "0" },
            { "tens", 125.0L, -1, "120" },
            { "tens up", 135.0L, -1, "140" },
            { "infinity stays", HUGE_VALL, 2, "INF" },
        };
        for (const auto& r : rows) {
            SCOPED_TRACE(r.name);
            EXPECT_EQ(utf8(generalNumberText(roundToDecimals(r.value, r.decimals))), r.text);
        }
        EXPECT_THROW(roundToDecimals(1e4931L, 2), RuntimeError);
        EXPECT_EQ(utf8(generalNumberText(roundToDecimals(1e4931L, 1))), "1E4931");
    }

    // The number run read backwards from an operator; how signs, groups and runs read forwards
    // shows in the evaluation's rows.
    TEST(Scanning, BackwardNumberRuns)
    {
        struct Back {
            const char16_t* text;
            const char16_t* run;
        };
        for (const Back& b : { Back { u"2-3", u"3" }, Back { u"-3", u"-3" },
                 Back { u"2*-3", u"-3" }, Back { u"4E-3", u"4E-3" }, Back { u"2+", u"" },
                 Back { u"1+-2.5", u"-2.5" }, Back { u"1.0E+0040", u"1.0E+0040" },
                 // A sign that the rule takes in, with no digit after it.
                 Back { u"2--", u"-" }, Back { u"-", u"-" }, Back { u"+-", u"-" },
                 Back { u"2*+", u"+" }, Back { u"42-", u"" } }) {
            const std::u16string_view s = b.text;
            const std::size_t start = backwardRunStart(s, 0, s.size());
            EXPECT_EQ(s.substr(start), std::u16string_view(b.run)) << utf8(std::u16string(s));
        }
    }

} // namespace
} // namespace quarnis
