// The graph window's number readings and the result-line parsing of the point table.

#include "engine/utf.h"
#include "error_of.h"
#include "tabulation/graph.h"
#include "tabulation/number_reading.h"

#include <gtest/gtest.h>

#include <charconv>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace quarnis;

namespace {

TEST(ReadNumber, AcceptsTheStrictForm)
{
    const struct {
        const char16_t* text;
        double expected;
    } rows[]
        = { { u" 0.5 ", 0.5 }, { u"-2.5e3", -2500 }, { u"+.25", 0.25 }, { u".", 0 }, { u"-.", 0 },
              { u"1E", 1 }, { u"1e+", 1 }, { u"1E-5000", 0 }, { u"0E99999999999999999999", 0 },
              { u"1.7976931348623157E308", std::numeric_limits<double>::max() } };
    for (const auto& r : rows) {
        SCOPED_TRACE(utf16ToUtf8(r.text));
        EXPECT_EQ(readDouble(r.text), r.expected);
    }
}

// Short numbers are read by one exact multiplication or division; every reading must give
// what the C++ library's correctly rounded conversion gives, on both sides of the limits of
// that shortcut (19 digits, powers of ten up to 27).
TEST(ReadNumber, AgreesWithTheLibraryConversion)
{
    std::mt19937_64 random(20261207);
    for (int n = 0; n < 200000; ++n) {
        const int digitCount = 1 + int(random() % 21);
        std::string text;
        for (int d = 0; d < digitCount; ++d)
            text += char('0' + random() % 10);
        if (random() % 2)
            text.insert(random() % (text.size() + 1), 1, '.');
        if (random() % 2) {
            text += 'E';
            text += std::to_string(int(random() % 81) - 40);
        }
        long double expected = 0;
        std::string ascii = text;
        if (ascii.find('E') == std::string::npos)
            ascii += "E0";
        std::from_chars(ascii.data(), ascii.data() + ascii.size(), expected);
        SCOPED_TRACE(text);
        const std::optional<Extended> got = tryReadNumber(utf8ToUtf16(text));
        ASSERT_TRUE(got.has_value());
        ASSERT_EQ(*got, expected);
    }
}

// Texts that are not numbers; readDouble raises the conversion error for them, and the
// overflow for numbers that only Extended holds (the scale fields convert later).
TEST(ReadNumber, RefusesEverythingElse)
{
    const char16_t* rows[] = { u"", u" ", u"0,5", u"1.2.3", u"abc", u"1 2", u"+", u"-", u"E5",
        u"1E5x", u"\t1", u"1\t", u"--1", u"0x10", u"1e2.5", u"١", u"şu" };
    for (const char16_t* text : rows) {
        SCOPED_TRACE(utf16ToUtf8(text));
        EXPECT_FALSE(tryReadNumber(text).has_value());
        // Appended, not concatenated: g++ 12 -O3 warns falsely (-Wrestrict) on the chained +.
        std::string expected = "'";
        expected.append(utf16ToUtf8(text)).append("' is not a valid floating point value");
        EXPECT_EQ(errorOf([&] { readDouble(text); }), expected);
    }
    for (const char16_t* text : { u"1E400", u"-1E400", u"1E99999", u"0.00001E5000" }) {
        EXPECT_EQ(errorOf([&] { readDouble(text); }), "Floating point overflow");
        EXPECT_FALSE(tryReadDouble(text).has_value());
    }
    EXPECT_EQ(*tryReadNumber(u"1E400"), 1E400L);
}

TEST(ReadWholeNumber, DecimalAndHexadecimal)
{
    const struct {
        const char16_t* text;
        std::int32_t expected;
    } rows[] = { { u"100", 100 }, { u"  +7", 7 }, { u"-12", -12 }, { u"$1F", 31 }, { u"x10", 16 },
        { u"X10", 16 }, { u"0x10", 16 }, { u"0XfF", 255 }, { u"-$10", -16 },
        { u"2147483647", 2147483647 }, { u"-2147483648", std::numeric_limits<std::int32_t>::min() },
        { u"00065537", 65537 } };
    for (const auto& r : rows) {
        SCOPED_TRACE(utf16ToUtf8(r.text));
        EXPECT_EQ(readWholeNumber(r.text), r.expected);
    }
    const char16_t* refused[] = { u"", u"12 ", u"1.0", u"1e3", u"2147483648", u"$", u"0x",
        u"$80000000", u"99999999999999999999", u"- 1", u"1,000" };
    for (const char16_t* text : refused) {
        SCOPED_TRACE(utf16ToUtf8(text));
        EXPECT_FALSE(tryReadWholeNumber(text).has_value());
    }
    EXPECT_EQ(errorOf([] { readWholeNumber(u"12 "); }), "''12 '' is not a valid integer value");
}

// Its use on result lines: loadPoints below and fuzz_function; here, the odd pairs.
TEST(TextBetween, FirstOccurrences)
{
    const struct {
        const char16_t *s, *left, *right, *expected;
    } rows[] = {
        { u"no pair", u"(", u",", u"" },
        { u"a,b(c", u"(", u",", u"" }, // right before left
        { u"(,)", u"(", u",", u"" },
        { u"abc)", u"(", u")", u"abc" }, // a missing left counts as position 0
        { u"(ab)", u"", u")", u"(ab" },
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(utf16ToUtf8(r.s));
        EXPECT_EQ(textBetween(r.s, r.left, r.right), r.expected);
    }
}

// A point for each line with two numbers, in order, and the table kept when there are no
// lines: fuzz_function; here, the lines that give none.
TEST(LoadPoints, ReadsTheLinesInOrderAndSkipsFailedPoints)
{
    Graph g;
    g.loadPoints({ u"[0]:(0,1E-5)", u"[1]:(-0.5,2.25)", u"[2]:(1,Yazım Hatası...)", u"[3]:(2,INF)",
        u"[4]:(1.79769313486232E308,1)", u"[5]:(3,-4)" });
    std::vector<std::pair<double, double>> points;
    for (const PlotPoint& p : g.points)
        points.emplace_back(p.x, p.y);
    EXPECT_EQ(points,
        (std::vector<std::pair<double, double>> { { 0, 1E-5 }, { -0.5, 2.25 }, { 3, -4 } }));
}

} // namespace
