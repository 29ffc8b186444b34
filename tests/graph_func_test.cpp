// The function record: substitution, evaluation at a point, tabulation and the panel store.

#include "engine/runtime_error.h"
#include "engine/utf.h"
#include "error_of.h"
#include "tabulation/function_record.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <cmath>

using namespace quarnis;

namespace {

// Collects the lines; the decimals come from a script that may change between values.
struct Lines : TabulationOutput {
    std::vector<std::u16string> lines;
    int decimalCount = 5;
    int decimals() override { return decimalCount; }
    void append(std::u16string line, bool) override { lines.push_back(std::move(line)); }
};

// f(t) = definition over x1 to x2 in n steps.
FunctionRecord record(
    std::u16string definition, double x1 = 0, double x2 = 10, std::uint16_t n = 100)
{
    FunctionRecord f;
    f.variableName = u"t";
    f.definition = std::move(definition);
    f.x1 = x1;
    f.x2 = x2;
    f.sampleCount = n;
    return f;
}

TEST(FunctionRecord, SubstitutesTheVariableThenTheConstants)
{
    const struct {
        const char* name;
        const char16_t *var, *definition, *c1, *c2;
        double v1, v2, x;
        const char16_t* expected;
    } rows[] = {
        { "constants", u"t", u"t*c1+c2", u"c1", u"c2", 2, 1, 2.5, u"2.5*2+1" },
        { "empty constant names", u"t", u"t*c1+c2", u"", u"", 2, 1, 2.5, u"2.5*c1+c2" },
        { "empty variable", u"", u"t+1", u"", u"", 0, 0, 3, u"t+1" },
        { "inside lower-case words", u"t", u"sqrt(t)+tan(t)", u"", u"", 0, 0, 2.5,
            u"sqr2.5(2.5)+2.5an(2.5)" },
        { "upper-case words survive", u"t", u"SQRT(t)", u"", u"", 0, 0, 2.5, u"SQRT(2.5)" },
        { "constant 1 hits the inserted value", u"t", u"t+10", u"1", u"", 7, 0, 12.1, u"72.7+70" },
        { "variable first", u"c", u"c1+c", u"c1", u"", 9, 0, 4, u"41+4" },
        { "negative value keeps its sign", u"t", u"c1*t", u"c1", u"", 0, 0, -2, u"0*-2" },
        { "15 significant digits", u"t", u"c1", u"c1", u"", 0.333333333333333333, 0, 0,
            u"0.333333333333333" },
        { "inserted text not rescanned", u"1", u"1", u"", u"", 0, 0, 11, u"11" },
        { "Turkish names", u"ş", u"ş*çğ", u"çğ", u"", 3, 0, 2, u"2*3" },
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        FunctionRecord f = record(r.definition);
        f.variableName = r.var;
        f.constName1 = r.c1;
        f.constName2 = r.c2;
        f.constValue1 = r.v1;
        f.constValue2 = r.v2;
        EXPECT_EQ(utf16ToUtf8(f.formulaAt(r.x)), utf16ToUtf8(r.expected));
    }
}

// One record through all rows: EvalError follows each point, failed or not.
TEST(FunctionRecord, ValueAtGivesTheEnginesValueAndWhetherItFailed)
{
    const struct {
        const char16_t* definition;
        double x, value;
        int error;
    } rows[] = {
        { u"t*t", -2, 4, 0 }, { u"t^2", -2, 0, 1 }, // -2^2: a power of a negative base
        { u"t*t", 2, 4, 0 }, { u"1/t", 0, 0, 1 }, { u"SQRT(t)", 2.25, 1.5, 0 }, { u"(t", 1, 0, 1 },
        { u"t+1#2", 2, 3, 1 }, // a syntax error keeps the value read before it
    };
    FunctionRecord f = record(u"t");
    for (const auto& r : rows) {
        SCOPED_TRACE(utf16ToUtf8(r.definition) + " at " + std::to_string(r.x));
        f.definition = r.definition;
        EXPECT_EQ(f.valueAt(r.x), r.value);
        EXPECT_EQ(f.evalError, r.error);
    }
    f.definition = u"EXP(t)";
    EXPECT_EQ(errorOf([&] { f.valueAt(1000); }), "Floating point overflow");
}

std::vector<std::u16string> tabulate(FunctionRecord& f, int decimals)
{
    Lines out;
    out.decimalCount = decimals;
    EXPECT_TRUE(f.tabulate(out));
    return out.lines;
}

TEST(Tabulate, TheXSequence)
{
    const struct {
        const char* name;
        double x1, x2;
        std::uint16_t n;
        std::vector<double> xs;
    } rows[] = {
        { "downwards", 10, 0, 4, { 10, 7.5, 5, 2.5, 0 } },
        { "one step", -1, 1, 1, { -1, 1 } },
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        FunctionRecord f = record(u"t", r.x1, r.x2, r.n);
        tabulate(f, 9);
        ASSERT_EQ(f.values.size(), r.xs.size());
        for (std::size_t i = 0; i < r.xs.size(); ++i) {
            EXPECT_EQ(f.values[i].x, r.xs[i]);
            EXPECT_EQ(f.values[i].fx, r.xs[i]);
        }
    }
}

// Line `line` of the tabulation of the definition from X1 to X2 in n steps; every point is
// listed, each value rounded to the decimals (how they round: roundToDecimals; that every line
// is "[i]:(x,f(x))" rounded: fuzz_function), a failed point with the engine's error text.
TEST(Tabulate, ListsEveryPointRounded)
{
    const struct {
        const char* name;
        const char16_t* definition;
        double x1, x2;
        std::uint16_t n;
        int decimals;
        std::size_t line;
        const char16_t* expected;
    } rows[] = {
        { "a point inside", u"t*t", 0, 10, 100, 5, 37, u"[37]:(3.7,13.69)" },
        { "parentheses", u"(t", 0, 1, 1, 5, 0, u"[0]:(0,Geçersiz parantez...)" },
        { "syntax", u"t+1#", 0, 1, 1, 5, 1, u"[1]:(1,Yazım hatası...)" },
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        FunctionRecord f = record(r.definition, r.x1, r.x2, r.n);
        const auto lines = tabulate(f, r.decimals);
        ASSERT_EQ(lines.size(), r.n + 1u);
        EXPECT_EQ(utf16ToUtf8(lines[r.line]), utf16ToUtf8(r.expected));
    }
}

// No steps: the step division fails before the first line (a fault midway: cli_tabulate).
TEST(Tabulate, NoStepsFailBeforeTheFirstLine)
{
    FunctionRecord zero = record(u"t", 0, 10, 0);
    Lines out;
    EXPECT_EQ(errorOf([&] { zero.tabulate(out); }), "Floating point division by zero");
    zero.x2 = 0;
    EXPECT_EQ(errorOf([&] { zero.tabulate(out); }), "Invalid floating point operation");
    EXPECT_TRUE(out.lines.empty());
}

// Long tabulations are evaluated by several threads; the lines still come in order and failed
// points keep their own report (a fault ending the listing at its point: cli_tabulate).
TEST(Tabulate, ManyPointsComeInOrderWithTheirOwnReports)
{
    FunctionRecord f = record(u"1/(t-70)+SQRT(t-20)", 0, 100, 1000);
    const auto lines = tabulate(f, 3);
    ASSERT_EQ(lines.size(), 1001u);
    for (unsigned i = 0; i <= 1000; ++i) {
        const std::string prefix = '[' + std::to_string(i).append("]:(");
        ASSERT_EQ(utf16ToUtf8(lines[i]).substr(0, prefix.size()), prefix);
        const bool fails = i < 200 || i == 700;
        EXPECT_EQ(utf16ToUtf8(lines[i]).find("Yazım Hatası...") != std::string::npos, fails) << i;
    }
    EXPECT_EQ(lines[400], u"[400]:(40,4.439)"); // 1/-30 + SQRT(20)
    EXPECT_EQ(lines[1000], u"[1000]:(100,8.978)");
    EXPECT_EQ(f.values[999].x, 99.9);
    EXPECT_EQ(f.values[700].fx, 0); // a failed point keeps the engine's value
}

// Names that are digits are replaced again in every inserted number, so the formula grows
// at each name; beyond kMaxFormulaLength a point fails without being built or evaluated (its
// line: cli_tabulate), just within it the formula is built.
TEST(Tabulate, AFormulaGrowingBeyondTheBoundFailsItsPoint)
{
    const std::size_t ones = kMaxFormulaLength / 2;
    FunctionRecord g = record(std::u16string(ones, u't'));
    g.constName1 = u"1";
    g.constValue1 = 0;
    EXPECT_EQ(g.formulaAt(1).size(), ones);
    EXPECT_EQ(g.formulaAt(10).size(), 2 * ones); // "10" in place of each "t"
    EXPECT_EQ(g.formulaAt(100), u""); // "100" is one character too many
    EXPECT_EQ(g.valueAt(100), 0);
    EXPECT_EQ(g.evalError, 1);
}

// Progress is asked before each point; refusing ends the tabulation there.
TEST(Tabulate, ProgressCancelsBeforeAPoint)
{
    struct Cancelling : Lines {
        std::vector<unsigned> asked;
        bool progress(unsigned done, unsigned total) override
        {
            EXPECT_EQ(total, 11u);
            asked.push_back(done);
            return done < 3;
        }
    } out;
    FunctionRecord f = record(u"t", 0, 10, 10);
    EXPECT_FALSE(f.tabulate(out));
    // Asked before each point, and again while a point is evaluated: never backwards, and
    // the tabulation ends at the first refusal.
    EXPECT_TRUE(std::is_sorted(out.asked.begin(), out.asked.end()));
    EXPECT_EQ(out.asked.back(), 3u);
    EXPECT_EQ(
        out.lines, (std::vector<std::u16string> { u"[0]:(0,0)", u"[1]:(1,1)", u"[2]:(2,2)" }));
}

// The record's fields in the order storePanel stores them, as texts.
std::vector<std::u16string> storedFields(const FunctionRecord& f)
{
    const auto text = [](double v) { return utf8ToUtf16(std::to_string(v)); };
    return { f.functionName, f.variableName, text(f.constValue1), text(f.constValue2),
        text(f.constValue3), f.constName1, f.constName2, f.constName3, f.definition,
        text(f.sampleCount), text(f.x1), text(f.x2) };
}

// Stored in order until a field is refused: the fields before it are stored, the others keep
// their values. The names are cut to their length, a surrogate pair counting as one character.
TEST(StorePanel, StoresTheFieldsBeforeARefusedOne)
{
    using Texts = FuncPanelTexts;
    std::u16string Texts::*const order[] = { &Texts::name, &Texts::var, &Texts::value1,
        &Texts::value2, &Texts::value3, &Texts::const1, &Texts::const2, &Texts::const3,
        &Texts::definition, &Texts::sample, &Texts::x1, &Texts::x2 };
    const struct {
        const char* name;
        std::u16string Texts::*field;
        const char16_t* text;
        std::string error;
    } rows[] = {
        { "none refused", nullptr, u"", "(no error)" },
        { "comma in ec2", &Texts::value2, u"0,5", "'0,5' is not a valid floating point value" },
        { "overflow in ec3", &Texts::value3, u"1E400", "Floating point overflow" },
        { "empty Sample", &Texts::sample, u"", "'''' is not a valid integer value" },
        { "Sample 65536", &Texts::sample, u"65536", kSampleCountRangeText },
        { "empty ex2", &Texts::x2, u"", "'' is not a valid floating point value" },
    };
    FunctionRecord before;
    storePanel(
        before, { u"G", u"q", u"k1", u"k2", u"k3", u"41", u"42", u"43", u"q", u"98", u"99", u"7" });
    // The second constant's name: two letters outside the 16-bit range, then a third.
    const Texts panel { u"Kare", u"time", u"şçğ", u"\U0001D465\U0001D466z", u"", u" 2.5 ", u"-1e2",
        u"0", u"time", u"-.5", u"65535", u"65535" };
    const std::vector<std::u16string> stored { u"Kare", u"t", u"2.500000", u"-100.000000",
        u"0.000000", u"şç", u"\U0001D465\U0001D466", u"", u"time", u"65535.000000", u"-0.500000",
        u"65535.000000" };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        FunctionRecord f = before;
        Texts p = panel;
        if (r.field)
            p.*r.field = r.text;
        EXPECT_EQ(errorOf([&] { storePanel(f, p); }), r.error);
        const auto refused = std::size_t(std::find(order, std::end(order), r.field) - order);
        const auto got = storedFields(f), old = storedFields(before);
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(utf16ToUtf8(got[i]), utf16ToUtf8(i < refused ? stored[i] : old[i])) << i;
    }
    EXPECT_EQ(firstChars(u"\xD835", 1), u"\xD835"); // a lone half stays one character
}

} // namespace
