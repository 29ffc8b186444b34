#pragma once
// The function record of the graph window: a function of one variable with up to three
// named constants, evaluated at a point through the engine and tabulated over a range.
//
//   Definition "t*c1+c2", VarName "t", c1 = 2, c2 = 1:
//     formulaAt(2.5) -> "2.5*2+1", valueAt(2.5) -> 6
//   Range 0 to 10 in 100 steps, 5 decimals, Definition "t*t":
//     Tabulate -> "[0]:(0,0)", "[1]:(0.1,0.01)", ..., "[100]:(10,100)"

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace quarnis {

struct FunctionValue {
    double x, fx;
};

// Where a tabulation writes its lines, and the decimals it rounds them to (read anew for
// each value, as the window's scroll bar may say).
class TabulationOutput {
public:
    virtual int decimals() = 0;
    // One listed point; failed when its line carries an error text instead of f(x).
    virtual void append(std::u16string line, bool failed) = 0;
    // Called before each point, and again now and then while points are evaluated, with the
    // number of points listed and of all points; false cancels the tabulation there.
    virtual bool progress(unsigned /*done*/, unsigned /*total*/) { return true; }

protected:
    ~TabulationOutput() = default;
};

// The longest formula a point may reach after the substitution, in UTF-16 code units (32 MB
// of text). Names that are digits or "E" are replaced again in every inserted number, so a
// formula can grow twentyfold at each name; the engine needs about 18 bytes per character,
// so this keeps a point well below 1 GB. A longer one fails with kFormulaTooLongText.
inline constexpr std::size_t kMaxFormulaLength = std::size_t(1) << 24;
inline constexpr char16_t kFormulaTooLongText[] = u"Formül çok uzun...";

// The function record (`FunctionRecord`).
class FunctionRecord {
public:
    std::u16string functionName = u"F"; // shown only in fullText
    std::u16string variableName = u"x"; // one character
    double constValue1 = 0, constValue2 = 0, constValue3 = 0;
    std::u16string constName1, constName2, constName3; // two characters each
    std::u16string definition = u"x"; // in the engine's syntax
    std::uint16_t sampleCount = 100; // equal steps from X1 to X2: SampleCount + 1 points
    double x1 = 0, x2 = 10;
    std::vector<FunctionValue> values; // the points of the last tabulation, unrounded
    std::uint8_t evalError = 0; // 1 when the engine reported an error at the last point

    void setFunctionName(std::u16string name) { functionName = std::move(name); }

    // FuncName(VarName):=Definition, "F(t):=t".
    std::u16string fullText() const;

    // The definition with the general number text of x in place of every occurrence of
    // VarName, then those of the three constants' values in place of their names, in order.
    // Each replacement is exact, case-sensitive and non-overlapping, and never rescans what
    // it inserted; an empty name replaces nothing. There are no words or tokens: with the
    // variable "t", "tan(t)" at 2.5 becomes "2.5an(2.5)". Empty when the text would grow
    // beyond kMaxFormulaLength.
    std::u16string formulaAt(double x) const;

    // Evaluates formulaAt(x) and sets EvalError to whether the engine reported an error; the
    // value is the one the engine gave with it. A result beyond the Double range raises
    // "Floating point overflow". A formula beyond kMaxFormulaLength is not evaluated: 0 with
    // EvalError 1.
    double valueAt(double x);

    // Samples x = ((X2 - X1) / SampleCount) * i + X1 for i = 0 .. SampleCount, formed in
    // Extended and stored as a Double, into Values, and appends "[i]:(x,f(x))" for each
    // point with both rounded to out.decimals(); at a point where the engine fails the line
    // carries the engine's error text instead of f(x): "[3]:(-2,Yazım Hatası...)", or
    // kFormulaTooLongText. SampleCount 0 raises the division error before the first line.
    // False when out.Progress cancelled it; the lines before stay written.
    bool tabulate(TabulationOutput& out);

    // One point as a thread of the tabulation evaluated it, waiting to be listed.
    struct PointResult;

private:
    using ConstantTexts = std::array<std::u16string, 3>;
    ConstantTexts constantTexts() const;
    bool formulaAt(double x, const ConstantTexts& constants, std::u16string& text) const;
    double valueAt(double x, const ConstantTexts& constants);
    void evaluatePoint(unsigned i, const ConstantTexts& constants, int decimals,
        PointResult& result, std::mutex& largeFormulas) const;
};

// The texts of the graph window's function panel.
struct FuncPanelTexts {
    std::u16string name = u"F", var = u"t";
    std::u16string const1 = u"c1", const2 = u"c2", const3 = u"c3";
    std::u16string value1 = u"0", value2 = u"0", value3 = u"0";
    std::u16string definition = u"t";
    std::u16string x1 = u"0", x2 = u"10";
    std::u16string sample = u"100";

    bool operator==(const FuncPanelTexts&) const = default;
};

inline constexpr std::int32_t kMinSampleCount = 1;
inline constexpr std::int32_t kMaxSampleCount = 65535;
inline constexpr const char* kSampleCountRangeText
    = "Örnekleme Adeti 1 ile 65535 arasında olmalıdır";

// Copies the panel into the record in this order: the name, the variable (its first
// character), the three constant values, the three constant names (their first two
// characters), the definition, the sample count, X1 and X2. A text that does not convert
// raises its error there: the fields before it are stored, the others keep their values.
// A sample count outside 1 to 65535 is refused with kSampleCountRangeText.
void storePanel(FunctionRecord& func, const FuncPanelTexts& panel);

// The first n characters of text; a surrogate pair counts as one character.
std::u16string firstChars(std::u16string_view text, std::size_t n);

} // namespace quarnis
