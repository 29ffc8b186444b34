// The three plot commands on a canvas of the surface's size: the pixels they paint, the
// origin and scales they set, the boxes they ask for and the errors that end them.

#include "plot_test_support.h"

#include "error_of.h"
#include "plot/plot_commands.h"
#include "plot/plot_controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

using namespace quarnis;
using namespace plot_test;

namespace {

const int kW = 457, kH = 289;
using ScaleTexts = std::pair<std::u16string, std::u16string>; // x, y

// f(t) = t over a to b in n steps, as the tabulation lists it.
std::vector<PlotPoint> identity(double a, double b, int n)
{
    std::vector<PlotPoint> pts;
    for (int i = 0; i <= n; ++i) {
        const double x = ((b - a) / n) * i + a;
        pts.push_back({ x, x });
    }
    return pts;
}

// The boxes a command asks for: "caption: text" for a refusal, the text alone for a notice.
using Boxes = std::vector<std::u16string>;
struct RecordingReport : PlotReport {
    Boxes boxes;
    void refuse(std::u16string_view caption, std::u16string_view text) override
    {
        boxes.push_back(std::u16string(caption) + u": " + std::u16string(text));
    }
    void notify(std::u16string_view text) override { boxes.emplace_back(text); }
};

const Boxes kNotTabulated { u"Fonksiyon Hesaplanmamış!: [HESAPLA] tuşuna basınız..." };
const Boxes kNoCoordinates { u"Koordinat Sistemi Yok!: [Grafik Temizle] tuşuna basınız..." };

struct Plot : ::testing::Test {
    RasterCanvas surface { kW, kH, makeRgb(192, 220, 192) };
    Graph graph;
    bool drawn = false;
    PlotSettings s;
    RecordingReport report;
    PlotTarget target { surface, graph, drawn, 0, report };

    void tabulate(std::vector<PlotPoint> pts)
    {
        graph.points = std::move(pts);
        target.resultLines = graph.points.size();
    }
    void clear() { clearGraphArea(target, s); }
    void plot() { drawGraph(target, s); }
    std::optional<ScaleTexts> autoScale() { return quarnis::autoScale(target, s); }
    std::set<Pixel> inside(Rgb c) const { return pixelsOf(surface, c, true); }

    // Columns (or rows) in which colour c covers at least `share` of the pixels: 1 for lines
    // edge to edge, a third for the lines of a dotted grid but not the pixels where lines of
    // the other direction cross them.
    std::vector<int> linesWith(Rgb c, bool columns, double share = 1.0 / 3) const
    {
        std::vector<int> out;
        for (int i = 0; i < (columns ? kW : kH); ++i) {
            const std::string p
                = pattern(surface, columns ? i : 0, columns ? 0 : i, columns ? kH : kW, c, columns);
            if (double(std::count(p.begin(), p.end(), '#')) >= share * p.size())
                out.push_back(i);
        }
        return out;
    }
};

// Every pixel after "Grafik Temizle" with the start settings: the area inside a black frame,
// grey grid lines dotted 3 on / 3 off at columns 114, 228, 342 and rows 72, 144, 216 running
// edge to edge, and the green axes over them at column 228 and row 144.
TEST_F(Plot, StartSettingsPaintAreaFrameGridAndAxes)
{
    clear();
    EXPECT_TRUE(drawn);
    EXPECT_EQ(graph.originX, 228);
    EXPECT_EQ(graph.originY, 144);
    int wrong = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            Rgb want = kArea;
            if (x == 228 || y == 144)
                want = kGreen;
            else if (((x == 114 || x == 342) && y % 6 < 3) || ((y == 72 || y == 216) && x % 6 < 3))
                want = kGrey;
            else if (x == 0 || y == 0 || x == kW - 1 || y == kH - 1)
                want = kBlack;
            if (surface.pixel(x, y) != want && ++wrong < 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
        }
    EXPECT_EQ(wrong, 0);
}

// Grid counts divide the surface from its corner; the lines take the style of their list (a
// typed text of its own: dotted).
TEST_F(Plot, GridCountsAndStyles)
{
    const std::vector<int> quarters { 114, 228, 342 }, rowQuarters { 72, 144, 216 };
    const struct {
        const char16_t* count;
        std::optional<PenStyle> style;
        std::vector<int> columns, rows;
        std::string pattern; // the first column from row 1
    } rows[] = {
        { u"10", PenStyle::Dot, { 45, 90, 135, 180, 225, 270, 315, 360, 405 },
            { 28, 56, 84, 112, 140, 168, 196, 224, 252 }, "##...#" },
        { u"$3", PenStyle::Dot, { 152, 304 }, { 96, 192 }, "##...#" },
        { u"4", PenStyle::Solid, quarters, rowQuarters, "############" },
        { u"4", PenStyle::Dash, quarters, rowQuarters, "#################......###" },
        { u"4", std::nullopt, quarters, rowQuarters, "##...###...#" },
    };
    s.yAxisColumn = s.xAxisRow = std::nullopt; // the axes stay at column 0 and row 0
    for (const auto& r : rows) {
        SCOPED_TRACE(r.columns.size() + 100 * (r.style ? int(*r.style) : -1));
        s.gridCount = r.count;
        s.gridStyle = r.style;
        clear();
        EXPECT_EQ(linesWith(kGrey, true), r.columns);
        EXPECT_EQ(linesWith(kGrey, false), r.rows);
        EXPECT_EQ(columnPattern(surface, r.columns[0], 1, int(r.pattern.size()), kGrey), r.pattern);
    }
}

// Without the grid only area, frame and the axes at the listed positions remain (a list
// without an entry leaves its axis as drawn: plot_window_tests types such texts).
TEST_F(Plot, PositionListsPlaceTheAxes)
{
    const struct {
        AxisPosition column, row;
        int originX, originY;
    } rows[] = {
        { AxisPosition::Quarter, AxisPosition::ThreeQuarters, 114, 216 },
        { AxisPosition::ThreeQuarters, AxisPosition::Quarter, 342, 72 },
    };
    s.grid = false;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.originX + r.originY);
        s.yAxisColumn = r.column;
        s.xAxisRow = r.row;
        clear();
        EXPECT_EQ(graph.originX, r.originX);
        EXPECT_EQ(graph.originY, r.originY);
        EXPECT_EQ(linesWith(kGreen, true, 1), std::vector<int> { r.originX });
        EXPECT_EQ(linesWith(kGreen, false, 1), std::vector<int> { r.originY });
        EXPECT_TRUE(pixelsOf(surface, kGrey).empty());
    }
}

// A fill style paints over what was drawn before (red pixels at (20, 20) and (21, 20)), or
// leaves it between its lines; the grid is drawn over either.
TEST_F(Plot, FillStylesPaintOverOrKeepEarlierCurves)
{
    const struct {
        std::optional<BrushStyle> style;
        Rgb at20, at21;
    } rows[] = {
        { BrushStyle::Solid, kArea, kArea }, // "Dolu"
        { BrushStyle::Clear, kRed, kRed }, // "Boş"
        { BrushStyle::Vertical, kArea, kRed }, // "Düşey": a vertical hatch at every column 8k + 4
        { std::nullopt, kArea, kRed }, // no index: the brush as the last fill left it
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.style ? int(*r.style) : -1);
        clear();
        for (const Pixel& p : { Pixel { 20, 20 }, Pixel { 21, 20 }, Pixel { 114, 1 } })
            surface.setPixel(p.first, p.second, kRed);
        s.areaStyle = r.style;
        clear();
        EXPECT_EQ(surface.pixel(20, 20), r.at20);
        EXPECT_EQ(surface.pixel(21, 20), r.at21);
        EXPECT_EQ(surface.pixel(114, 1), kGrey);
    }
}

// The axes take their width and style; the frame is drawn with the style the last axes or
// curve left, black and 1 pixel wide.
TEST_F(Plot, AxesAndTheFrameAfterThemTakeTheirStyles)
{
    s.grid = false;
    s.axesStyle = PenStyle::Dash; // "Kesikli"
    s.axesWidth = 3;
    clear();
    clear();
    EXPECT_EQ(linesWith(kGreen, true, 0.5), (std::vector<int> { 227, 228, 229 }));
    // Dashes of 18 and gaps of 6 steps stretched three times, seen from row 50.
    EXPECT_EQ(columnPattern(surface, 228, 50, 30, kGreen), "#####................#########");
    EXPECT_EQ(
        rowPattern(surface, 0, 0, 48, kBlack), "##################......##################......");
    EXPECT_EQ(surface.pixel(5, 1), kArea);

    tabulate(identity(0, 10, 100));
    s.curveStyle = PenStyle::Dot; // "Noktalı"
    plot();
    s.axesStyle = PenStyle::Solid;
    clear(); // the frame takes the curve's style
    EXPECT_EQ(rowPattern(surface, 0, 0, 24, kBlack), "###...###...###...###...");
}

// The scale texts by maximum or by mean magnitude; a scale of 0 becomes 1 with a notice; a
// failure leaves the texts and ends with the Y scale as far as it was worked out.
TEST_F(Plot, AutoScalingByMaximumAndByMeanMagnitude)
{
    const std::u16string yZero = u"[Y] Ölçek Sıfır!...Başlangıç değerine (1.0) setlenecek...";
    const std::u16string xZero = u"[X] Ölçek Sıfır!...Başlangıç değerine (1.0) setlenecek...";
    const char *const kZero = "Floating point division by zero",
                      *const kInvalid = "Invalid floating point operation";
    const struct {
        const char* name;
        std::vector<PlotPoint> points;
        std::optional<ScaleMeasure> measure;
        std::optional<ScaleTexts> texts;
        Boxes notices;
        const char* error = "(no error)";
        double scaleYAfter = 0;
    } rows[] = {
        { "max", identity(0, 10, 100), ScaleMeasure::Max, ScaleTexts(u"22", u"14"), {} },
        { "mean", identity(0, 10, 100), ScaleMeasure::Mean, ScaleTexts(u"22", u"28"), {} },
        { "downward range", identity(10, 0, 4), ScaleMeasure::Max, ScaleTexts(u"-22", u"14"), {} },
        { "both zero", identity(0, 1000, 10), ScaleMeasure::Max, ScaleTexts(u"1", u"1"),
            { yZero, xZero } },
        { "no index before any curve", identity(0, 10, 100), std::nullopt, ScaleTexts(u"22", u"1"),
            { yZero } },
        { "only negative values", { { 0, -1 }, { 1, -2 } }, ScaleMeasure::Max, {}, {}, kZero, 7 },
        { "range 3 to 3", identity(3, 3, 2), ScaleMeasure::Max, {}, {}, kZero, 48 },
        { "tiny extent", { { 0, 1 }, { 1e-300, 1 } }, ScaleMeasure::Max, {}, {}, kInvalid, 144 },
        { "one point under mean", { { 1, 2 } }, ScaleMeasure::Mean, {}, {}, kZero, 7 },
        { "one zero point under mean", { { 1, 0 } }, ScaleMeasure::Mean, {}, {}, kInvalid, 7 },
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        report.boxes.clear();
        graph = Graph();
        if (!r.texts)
            graph.scaleY = 7; // to see how far a failure worked the Y scale out
        tabulate(r.points);
        s.scaleMeasure = r.measure;
        drawn = false;
        std::optional<ScaleTexts> texts;
        EXPECT_EQ(errorOf([&] { texts = autoScale(); }), r.error);
        EXPECT_TRUE(drawn);
        EXPECT_EQ(texts, r.texts);
        EXPECT_EQ(report.boxes, r.notices);
        if (!r.texts) {
            EXPECT_EQ(graph.scaleY, r.scaleYAfter);
        }
    }
}

// Without coordinates or a tabulation the commands refuse and paint nothing more ("Otomatik
// Ölçek" draws the coordinates first); a table of one point, or lines listed but no points
// loaded, is passed over silently.
TEST_F(Plot, RefusalsAndSilentCases)
{
    const std::vector<Rgb> fresh = surface.pixels();
    tabulate({ { 0, 0 } });
    plot(); // even before any coordinate system
    EXPECT_TRUE(report.boxes.empty());
    tabulate(identity(0, 10, 100));
    plot();
    EXPECT_EQ(report.boxes, kNoCoordinates);
    EXPECT_EQ(surface.pixels(), fresh);

    report.boxes.clear();
    target.resultLines = 0; // a failed tabulation emptied the result list
    EXPECT_FALSE(autoScale());
    EXPECT_TRUE(drawn);
    EXPECT_NE(surface.pixels(), fresh);
    EXPECT_EQ(report.boxes, kNotTabulated);

    const std::vector<Rgb> cleared = surface.pixels();
    report.boxes.clear();
    plot();
    EXPECT_EQ(report.boxes, kNotTabulated);
    graph.points.clear();
    target.resultLines = 3;
    EXPECT_FALSE(autoScale());
    EXPECT_EQ(report.boxes, kNotTabulated);
    EXPECT_EQ(surface.pixels(), cleared);
}

// Curves accumulate on the surface, each from the origin of the last "Grafik Temizle", not
// from the position lists as they are now.
TEST_F(Plot, CurvesAccumulateFromTheOriginOfTheLastClear)
{
    tabulate(identity(0, 10, 100));
    clear();
    s.yAxisColumn = AxisPosition::Quarter;
    s.xAxisRow = AxisPosition::ThreeQuarters;
    s.curveColor = kRed;
    plot();
    s.curveColor = kGrey;
    s.yScale = u"-1";
    plot();
    EXPECT_EQ(graph.originX, 228);
    EXPECT_EQ(surface.pixel(238, 134), kRed);
    EXPECT_EQ(surface.pixel(238, 154), kGrey);
    EXPECT_EQ(surface.pixel(228, 144), kGrey); // the second curve lies over the first
}

// "Grafik Çiz" over the points and the scale, width and kind settings: the pixels of the
// curve, and the error that ends the command after the points drawn before it.
TEST_F(Plot, CurvesOfPointsScalesWidthsAndKinds)
{
    const double far = 4294967296.0; // 2^32: its low 32 bits are 0
    const std::vector<PlotPoint> two { { 0, 0 }, { 2, 1 } }, three { { 0, 0 }, { 1, 1 }, { 2, 2 } };
    const char* const kOverflow = "Floating point overflow";
    // A segment from the origin to (2^33, 2^32) paints what the same line to (2228, -856)
    // paints on a plain canvas: slope 1/2 to the right edge, neither wrapped nor cut short.
    RasterCanvas reference(kW, kH, kWhite);
    reference.setPenColor(kRed);
    reference.moveTo(228, 144);
    reference.lineTo(228 + 2000, 144 - 1000);
    std::set<Pixel> farSegment = pixelsOf(reference, kRed);
    farSegment.erase({ 456, 30 }); // on the frame, outside what inside() looks at
    EXPECT_EQ(farSegment.size(), 228u); // from column 228 to the last inside the frame
    const struct {
        const char* name;
        std::vector<PlotPoint> points;
        const char16_t *xScale, *yScale;
        int width;
        std::optional<CurveKind> kind;
        std::set<Pixel> painted;
        const char* error = "(no error)";
    } rows[] = {
        { "scales that are no numbers: 1.0", two, u"abc", u"2,5", 1, CurveKind::Points,
            { { 228, 144 }, { 230, 143 } } },
        { "scales read", two, u" 3 ", u"-2", 1, CurveKind::Points, { { 228, 144 }, { 234, 146 } } },
        { "Nokta: one pixel each", two, u"1.0", u"1.0", 3, CurveKind::Points,
            { { 228, 144 }, { 230, 143 } } },
        { "no kind: nothing drawn", two, u"1.0", u"1.0", 1, std::nullopt, {} },
        { "Çizgi: the end is not painted", two, u"1.0", u"1.0", 1, CurveKind::Line,
            { { 228, 144 }, { 229, 143 } } },
        { "products round halves to even",
            { { 0.5, 0 }, { 1.5, 0 }, { 2.5, 0 }, { -1.5, 0 }, { 0, -0.5 }, { 0, 2.5 } }, u"1.0",
            u"1.0", 1, CurveKind::Points,
            { { 228, 144 }, { 230, 144 }, { 226, 144 }, { 228, 142 } } },
        // Coordinates beyond 32 bits are not wrapped onto the surface.
        { "far points skipped", { { far + 5, 0 }, { 0, far + 5 }, { -far, 0 } }, u"1.0", u"1.0", 1,
            CurveKind::Points, {} },
        { "far segment", { { 0, 0 }, { 2 * far, far } }, u"1.0", u"1.0", 1, CurveKind::Line,
            farSegment },
        { "scale beyond Double", three, u"1E400", u"1.0", 1, CurveKind::Points, {}, kOverflow },
        { "scale beyond Extended", three, u"1E5000", u"1.0", 1, CurveKind::Points, {}, kOverflow },
        // The rounded product of the second point leaves the 64-bit range.
        { "product beyond 64 bits", three, u"1E300", u"1.0", 1, CurveKind::Points, { { 228, 144 } },
            "Invalid floating point operation" },
    };
    s.grid = false;
    s.curveColor = kRed;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        tabulate(r.points);
        s.xScale = r.xScale;
        s.yScale = r.yScale;
        s.curveWidth = r.width;
        s.curveKind = r.kind;
        clear();
        EXPECT_EQ(errorOf([&] { plot(); }), r.error);
        EXPECT_EQ(inside(kRed), r.painted);
    }
}

TEST_F(Plot, GridCountRefusalsLeaveAreaAndFrame)
{
    const char* const kRange = "Grid sayısı 1 ile 255 arasında olmalıdır";
    const struct {
        const char16_t* count;
        const char* error;
    } rows[] = {
        { u"0", "Division by zero" },
        { u"256", kRange },
        { u"-4", kRange },
        { u"4 ", "''4 '' is not a valid integer value" },
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.error);
        drawn = false;
        graph.originX = 7;
        s.gridCount = r.count;
        EXPECT_EQ(errorOf([&] { clear(); }), r.error);
        EXPECT_TRUE(drawn);
        EXPECT_EQ(graph.originX, 7); // the axes were not drawn
        EXPECT_TRUE(pixelsOf(surface, kGreen).empty());
        EXPECT_TRUE(pixelsOf(surface, kGrey).empty());
        EXPECT_EQ(surface.pixel(0, 0), kBlack);
        EXPECT_EQ(surface.pixel(100, 100), kArea);
    }
    s.gridCount = u"255"; // the largest count is drawn
    EXPECT_EQ(errorOf([&] { clear(); }), "(no error)");
}

} // namespace

// The controls' state as values: an entry gives its value, a text of the user's own nothing;
// a width that is no whole number draws 1 pixel wide.
TEST(PlotControlsTest, ListTextsGiveTheirEntriesValues)
{
    PlotControls c;
    EXPECT_EQ(plotSettingsOf(c).gridStyle, PenStyle::Dot);
    c.gridStyle = u"Kesikli";
    EXPECT_EQ(plotSettingsOf(c).gridStyle, PenStyle::Dash);
    c.areaStyle = u"Çapraz Kareli";
    c.curveKind = u"Çizgi";
    c.axesStyle = u"Kesikli/Noktalı Noktalı";
    c.xOrigin = u"3/4";
    c.yOrigin = u"1/4";
    c.scaleMeasure = u"Ort";
    c.axesWidth = u" 4";
    c.curveWidth = u"x";
    PlotSettings s = plotSettingsOf(c);
    EXPECT_EQ(s.areaStyle, BrushStyle::DiagonalCross);
    EXPECT_EQ(s.curveKind, CurveKind::Line);
    EXPECT_EQ(s.axesStyle, PenStyle::DashDotDot);
    EXPECT_EQ(s.xAxisRow, AxisPosition::ThreeQuarters);
    EXPECT_EQ(s.yAxisColumn, AxisPosition::Quarter);
    EXPECT_EQ(s.scaleMeasure, ScaleMeasure::Mean);
    EXPECT_EQ(s.axesWidth, 4);
    EXPECT_EQ(s.curveWidth, 1);
    c.areaStyle = u"dolu"; // case counts
    c.curveKind = u"Nokta ";
    c.xOrigin = u"2/3";
    c.scaleMeasure = u"";
    s = plotSettingsOf(c);
    EXPECT_FALSE(s.areaStyle || s.curveKind || s.xAxisRow || s.scaleMeasure);
}
