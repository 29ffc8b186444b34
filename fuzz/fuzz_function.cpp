// Fuzz target for the function record, from the panel's texts to the point table: storing the
// panel, the formula and the value at a point, the tabulation and loading its lines. Nothing
// crashes, every failure is the typed RuntimeError, a point evaluates the same each time, every
// line is "[i]:(x,f(x))" with both numbers rounded as asked, and the point table holds exactly
// the points of the lines whose numbers read as Doubles, in order.
//
// Input: the panel's texts, one a line: name, variable, the three constant names, their three
// values, the definition, X1, X2, the sample count; then a line with the decimals (a digit or
// "-") followed by the point to evaluate at: "52.5" is 5 decimals at 2.5.

#include "engine/evaluation.h"
#include "engine/runtime_error.h"
#include "engine/utf.h"
#include "fuzz_support.h"
#include "tabulation/function_record.h"
#include "tabulation/graph.h"
#include "tabulation/number_reading.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

using namespace quarnis;
using quarnis::fuzz::check;

namespace {

// More points only repeat the same work; the tabulation's cost grows with the count.
constexpr unsigned kMaxFuzzSamples = 32;

struct Lines final : TabulationOutput {
    int decimalCount = 0;
    std::vector<std::u16string> lines;
    int decimals() override { return decimalCount; }
    void append(std::u16string line, bool) override { lines.push_back(std::move(line)); }
};

std::vector<std::u16string> fieldsOf(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::u16string> fields(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            fields.emplace_back();
        else
            fields.back() += quarnis::fuzz::unitFor(data[i]);
    }
    return fields;
}

bool sameValue(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

// A listed number: v rounded to the decimals, then shown with 15 significant digits.
void checkListed(std::u16string_view text, double v, int decimals, const char* what)
{
    if (!std::isfinite(v)) {
        check(text == (std::isnan(v) ? u"NAN" : v > 0 ? u"INF" : u"-INF"), what);
        return;
    }
    const std::optional<Extended> back = tryReadNumber(text);
    check(back && fabsl(*back - v) <= 0.5L * powl(10, -decimals) + fabsl(v) * 1e-14L, what);
}

// The value at x, twice: earlier evaluations play no part.
void checkValueAt(FunctionRecord& func, double x, double listed, bool listedFailed)
{
    try {
        const double f = func.valueAt(x);
        check(bool(func.evalError) == listedFailed, "a point fails the same way each time");
        check(listedFailed || sameValue(f, listed), "a point has the same value each time");
    } catch (const RuntimeError&) {
        check(false, "a listed point evaluates again");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::u16string> fields = fieldsOf(data, size);
    FuncPanelTexts panel;
    std::u16string* const order[] = { &panel.name, &panel.var, &panel.const1, &panel.const2,
        &panel.const3, &panel.value1, &panel.value2, &panel.value3, &panel.definition, &panel.x1,
        &panel.x2, &panel.sample };
    for (std::size_t i = 0; i < std::min(std::size(order), fields.size()); ++i)
        *order[i] = fields[i]; // the fields the input leaves out keep the panel's start texts
    // The decimals as a digit or "-" (-1, to tens); another character picks any of them.
    const std::u16string extra = fields.size() > std::size(order) ? fields[std::size(order)] : u"";
    const char16_t d = extra.empty() ? u'5' : extra[0];
    const int decimals = d >= u'0' && d <= u'9' ? d - u'0' : d == u'-' ? -1 : int(d % 11) - 1;
    const double point = tryReadDouble(extra.empty() ? u"" : extra.substr(1)).value_or(0.5);

    FunctionRecord func;
    try {
        storePanel(func, panel);
    } catch (const RuntimeError& e) {
        // A refused field keeps the fields after it as they were: go on with the record.
        check(e.kind() == ErrorKind::Conversion || e.kind() == ErrorKind::Overflow,
            "a field is refused as a conversion or an overflow");
    }
    check(func.variableName.size() <= 2 && func.constName1.size() <= 4,
        "names are cut to their length");
    if (func.sampleCount > kMaxFuzzSamples)
        func.sampleCount = func.sampleCount % kMaxFuzzSamples + 1;

    try {
        const double f = func.valueAt(point);
        checkValueAt(func, point, f, func.evalError != 0);
    } catch (const RuntimeError& e) {
        check(e.kind() == ErrorKind::Overflow, "a value fails only beyond the Double range");
    }

    Lines out;
    out.decimalCount = decimals;
    bool complete = true;
    try {
        func.tabulate(out);
    } catch (const RuntimeError& e) {
        complete = false;
        check(e.kind() == ErrorKind::Overflow, "a tabulation fails only by an overflow");
    }
    const std::vector<std::u16string>& lines = out.lines;
    check(lines.size() <= func.values.size(), "a line for each point at most");
    check(!complete || lines.size() == func.sampleCount + 1u,
        "a complete tabulation lists every point");

    std::vector<PlotPoint> expected;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::u16string head = u"["; // appended: g++ 12 -O3 warns falsely on a chained +
        head.append(utf8ToUtf16(std::to_string(i))).append(u"]:(");
        const std::u16string_view line = lines[i];
        check(line.substr(0, head.size()) == head && line.size() > head.size() + 2
                && line.back() == u')',
            "a line is [i]:(x,f(x))");
        const std::u16string_view inner = line.substr(head.size(), line.size() - head.size() - 1);
        const std::size_t comma = inner.find(u',');
        check(comma != std::u16string_view::npos, "a comma between x and f(x)");
        const std::u16string_view x = inner.substr(0, comma), fx = inner.substr(comma + 1);
        checkListed(x, func.values[i].x, decimals, "x is listed rounded");
        const bool failed
            = fx == kParenthesisErrorText || fx == kSyntaxErrorText || fx == kEvaluationErrorText;
        if (!failed)
            checkListed(fx, func.values[i].fx, decimals, "f(x) is listed rounded");
        if (i == 0 || i + 1 == lines.size())
            checkValueAt(func, func.values[i].x, func.values[i].fx, failed);

        const std::optional<double> px = tryReadDouble(x), py = tryReadDouble(fx);
        if (px && py)
            expected.push_back({ *px, *py });
    }

    // The point table: the lines' numbers in order; no lines keep the table as it was.
    Graph graph;
    graph.points = { { 1, 2 } };
    graph.loadPoints(lines);
    if (lines.empty())
        expected = { { 1, 2 } };
    check(std::equal(graph.points.begin(), graph.points.end(), expected.begin(), expected.end(),
              [](const PlotPoint& a, const PlotPoint& b) {
                  return sameValue(a.x, b.x) && sameValue(a.y, b.y);
              }),
        "a point for each line with two numbers, in order");
    return 0;
}
