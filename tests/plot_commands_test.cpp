#include "plot_test_support.h"

#include "recording_dialogs.h"
#include "graph/plot_commands.h"
#include "graph/plot_controls.h"
#include "engine/runtime_error.h"

#include <algorithm>
#include <cstdint>
#include <functional>

using namespace quarnis;
using namespace plot_test;

namespace {

const int kW = 457, kH = 289;

// f(t) = t over a to b in n steps, as the tabulation lists it.
std::vector<TPlotPoint> identity(double a, double b, int n)
{
    std::vector<TPlotPoint> pts;
    for (int i = 0; i <= n; ++i) {
        const double x = ((b - a) / n) * i + a;
        pts.push_back({ x, x });
    }
    return pts;
}

struct Plot : ::testing::Test {
    ScopedRecordingDialogs dialogs;
    PlotSurface surface;
    TGraph1D graph;
    bool drawn = false;
    PlotSettings s;
    PlotTarget target { surface, graph, drawn, 0, nullptr };

    void tabulate(std::vector<TPlotPoint> pts)
    {
        graph.Points = std::move(pts);
        target.resultLines = int(graph.Points.size());
    }
    void clear() { ClearGraphArea(target, s); }
    void plot() { DoGraph(target, s); }
    std::optional<std::pair<QString, QString>> autoScale() { return AutoScale(target, s); }

    // The text of the error that fn ends with, or "" when it ends normally.
    static std::string errorOf(const std::function<void()>& fn)
    {
        try {
            fn();
        } catch (const std::exception& e) {
            return e.what();
        }
        return "";
    }

    // Pixels of colour c strictly inside the frame.
    std::set<Pixel> inside(QRgb c) const
    {
        std::set<Pixel> out;
        for (const Pixel& p : pixelsOf(surface.image(), c))
            if (p.first > 0 && p.second > 0 && p.first < kW - 1 && p.second < kH - 1)
                out.insert(p);
        return out;
    }
    // Columns (rows) in which colour c covers the whole height (width).
    std::vector<int> fullColumns(QRgb c) const
    {
        std::vector<int> out;
        for (int x = 0; x < kW; ++x)
            if (columnPattern(surface.image(), x, 0, kH, c) == std::string(kH, '#'))
                out.push_back(x);
        return out;
    }
    std::vector<int> fullRows(QRgb c) const
    {
        std::vector<int> out;
        for (int y = 0; y < kH; ++y)
            if (rowPattern(surface.image(), y, 0, kW, c) == std::string(kW, '#'))
                out.push_back(y);
        return out;
    }
    // Columns (rows) in which colour c covers at least a third of the pixels: the lines of
    // a dotted grid, not the pixels where lines of the other direction cross them.
    std::vector<int> columnsWith(QRgb c) const
    {
        std::vector<int> out;
        for (int x = 0; x < kW; ++x) {
            const std::string p = columnPattern(surface.image(), x, 0, kH, c);
            if (3 * std::count(p.begin(), p.end(), '#') >= kH)
                out.push_back(x);
        }
        return out;
    }
    std::vector<int> rowsWith(QRgb c) const
    {
        std::vector<int> out;
        for (int y = 0; y < kH; ++y) {
            const std::string p = rowPattern(surface.image(), y, 0, kW, c);
            if (3 * std::count(p.begin(), p.end(), '#') >= kW)
                out.push_back(y);
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
    EXPECT_EQ(graph.OriginX, 228);
    EXPECT_EQ(graph.OriginY, 144);
    int wrong = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            QRgb want = kArea;
            if (x == 228 || y == 144)
                want = kGreen;
            else if (((x == 114 || x == 342) && y % 6 < 3) || ((y == 72 || y == 216) && x % 6 < 3))
                want = kGrey;
            else if (x == 0 || y == 0 || x == kW - 1 || y == kH - 1)
                want = kBlack;
            if (at(surface, x, y) != want && ++wrong < 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
        }
    EXPECT_EQ(wrong, 0);
    // The pen is left with the axes' colour, width and style.
    EXPECT_EQ(surface.penColor(), QColor(kGreen));
    EXPECT_EQ(surface.penStyle(), PenStyle::Solid);
}

TEST_F(Plot, GridCountsDivideTheSurfaceFromItsCorner)
{
    struct Row {
        const char* count;
        std::vector<int> columns, rows;
    };
    const Row rows[] = {
        { "4", { 114, 228, 342 }, { 72, 144, 216 } },
        { "8", { 57, 114, 171, 228, 285, 342, 399 }, { 36, 72, 108, 144, 180, 216, 252 } },
        { "10", { 45, 90, 135, 180, 225, 270, 315, 360, 405 },
            { 28, 56, 84, 112, 140, 168, 196, 224, 252 } },
        { " 2", { 228 }, { 144 } },
        { "$3", { 152, 304 }, { 96, 192 } },
    };
    s.axisColumn = s.axisRow = std::nullopt; // the axes stay at column 0 and row 0
    for (const Row& r : rows) {
        SCOPED_TRACE(r.count);
        s.gridCount = QString::fromUtf8(r.count);
        clear();
        EXPECT_EQ(columnsWith(kGrey), r.columns);
        EXPECT_EQ(rowsWith(kGrey), r.rows);
    }
}

TEST_F(Plot, GridTakesTheStyleOfItsList)
{
    s.axesColor = QColor(kRed);
    struct Row {
        std::optional<int> style;
        const char* pattern; // column 114 from row 1
    };
    const Row rows[] = {
        { 0, "############" }, { 1, "#################......###" }, { 2, "##...###...#" },
        { std::nullopt, "##...###...#" }, // a typed text of its own: dotted
    };
    for (const Row& r : rows) {
        s.gridStyle = r.style;
        clear();
        const std::string p = r.pattern;
        EXPECT_EQ(columnPattern(surface.image(), 114, 1, int(p.size()), kGrey), p);
    }
}

TEST_F(Plot, UncheckedGridLeavesAreaFrameAndAxes)
{
    s.grid = false;
    clear();
    EXPECT_TRUE(pixelsOf(surface.image(), kGrey).empty());
    EXPECT_EQ(fullColumns(kGreen), std::vector<int> { 228 });
    EXPECT_EQ(fullRows(kGreen), std::vector<int> { 144 });
}

TEST_F(Plot, PositionListsPlaceTheAxes)
{
    struct Row {
        std::optional<int> column, row;
        int originX, originY;
    };
    const Row rows[] = {
        { 1, 1, 114, 72 },
        { 2, 2, 342, 216 },
        { 0, 2, 228, 216 },
        { std::nullopt, 1, 228, 72 }, // no index: the column stays as the last one drawn
        { 2, std::nullopt, 342, 72 },
    };
    s.grid = false;
    for (const Row& r : rows) {
        s.axisColumn = r.column;
        s.axisRow = r.row;
        clear();
        EXPECT_EQ(graph.OriginX, r.originX);
        EXPECT_EQ(graph.OriginY, r.originY);
        EXPECT_EQ(fullColumns(kGreen), std::vector<int> { r.originX });
        EXPECT_EQ(fullRows(kGreen), std::vector<int> { r.originY });
    }
}

TEST_F(Plot, AxesTakeTheirWidthColourAndStyle)
{
    s.grid = false;
    s.axesWidth = QStringLiteral("3");
    clear();
    EXPECT_EQ(fullColumns(kGreen), (std::vector<int> { 227, 228, 229 }));
    s.axesWidth = QStringLiteral("abc"); // not a whole number: 1 pixel
    s.axesStyle = 1;
    clear();
    EXPECT_EQ(columnPattern(surface.image(), 228, 1, 30, kGreen), "#################......#######");
}

TEST_F(Plot, EmptyFillKeepsEarlierCurvesUnderTheNewGrid)
{
    clear();
    surface.setPixel(20, 20, QColor(kRed));
    surface.setPixel(114, 1, QColor(kRed));
    s.areaStyle = 1; // "Boş"
    clear();
    EXPECT_EQ(at(surface, 20, 20), kRed);
    EXPECT_EQ(at(surface, 114, 1), kGrey); // the grid is drawn over it
    s.areaStyle = 0; // "Dolu" erases it
    clear();
    EXPECT_EQ(at(surface, 20, 20), kArea);
}

TEST_F(Plot, HatchFillPaintsOnlyItsLines)
{
    s.grid = false;
    clear();
    surface.setPixel(21, 20, QColor(kRed));
    surface.setPixel(20, 20, QColor(kRed));
    s.areaStyle = 3; // "Düşey": vertical hatch at every column 8k + 4
    s.areaColor = QColor(kBlack);
    clear();
    EXPECT_EQ(at(surface, 20, 20), kBlack);
    EXPECT_EQ(at(surface, 21, 20), kRed);
    EXPECT_EQ(at(surface, 22, 30), kArea);
}

TEST_F(Plot, FrameTakesTheStyleOfTheLastAxesOrCurve)
{
    s.grid = false;
    s.axesStyle = 1; // "Kesikli"
    s.axesWidth = QStringLiteral("3");
    clear();
    clear(); // this frame is dashed, black and 1 pixel wide
    EXPECT_EQ(rowPattern(surface.image(), 0, 0, 48, kBlack),
        "##################......##################......");
    EXPECT_EQ(rowPattern(surface.image(), 0, 0, 48, kArea),
        "..................######..................######");
    EXPECT_EQ(at(surface, 5, 1), kArea);

    tabulate(identity(0, 10, 100));
    s.curveStyle = 2; // "Noktalı"
    plot();
    s.axesStyle = 0;
    clear(); // the frame takes the curve's style
    EXPECT_EQ(rowPattern(surface.image(), 0, 0, 24, kBlack), "###...###...###...###...");
}

// The worked example: f(t) = t over 0 to 10 in 100 steps with the start scales 1.0.
TEST_F(Plot, PointsFallOnElevenPixelsAndTheLineIsATenPixelDiagonal)
{
    tabulate(identity(0, 10, 100));
    clear();
    plot();
    std::set<Pixel> eleven;
    for (int k = 0; k <= 10; ++k)
        eleven.insert({ 228 + k, 144 - k });
    EXPECT_EQ(inside(kBlack), eleven);
    EXPECT_EQ(graph.ScaleX, 1.0);
    EXPECT_EQ(graph.ScaleY, 1.0);

    s.curveKind = 1; // "Çizgi"
    clear();
    plot();
    std::set<Pixel> ten;
    for (int k = 0; k < 10; ++k)
        ten.insert({ 228 + k, 144 - k });
    EXPECT_EQ(inside(kBlack), ten);
}

TEST_F(Plot, AutoScaledCurveReachesTheTopRight)
{
    tabulate(identity(0, 10, 100));
    clear();
    const auto texts = autoScale();
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->first, QStringLiteral("22"));
    EXPECT_EQ(texts->second, QStringLiteral("14"));
    s.xScale = texts->first;
    s.yScale = texts->second;
    s.curveColor = QColor(kRed);
    plot();
    EXPECT_EQ(at(surface, 448, 4), kRed); // (10, 10)
    EXPECT_EQ(at(surface, 230, 143), kRed); // (0.1, 0.1): 2.2 and 1.4 round to 2 and 1
    EXPECT_EQ(at(surface, 228, 144), kRed);
    EXPECT_EQ(inside(kRed).size(), 101u);
}

TEST_F(Plot, ProductsRoundHalvesToEven)
{
    tabulate({ { 0.5, 0 }, { 1.5, 0 }, { 2.5, 0 }, { -1.5, 0 }, { 0, -0.5 }, { 0, 2.5 } });
    s.grid = false;
    s.curveColor = QColor(kRed);
    clear();
    plot();
    EXPECT_EQ(
        inside(kRed), (std::set<Pixel> { { 228, 144 }, { 230, 144 }, { 226, 144 }, { 228, 142 } }));
}

TEST_F(Plot, AutoScalingByMaximumAndByMeanMagnitude)
{
    struct Row {
        const char* name;
        std::vector<TPlotPoint> points;
        std::optional<int> measure;
        const char* x;
        const char* y;
        std::vector<QString> messages;
    };
    const QString yZero
        = QStringLiteral("[Y] Ölçek Sıfır!...Başlangıç değerine (1.0) setlenecek...");
    const QString xZero
        = QStringLiteral("[X] Ölçek Sıfır!...Başlangıç değerine (1.0) setlenecek...");
    std::vector<TPlotPoint> wide;
    for (int i = 0; i <= 100; ++i)
        wide.push_back({ i * 10.0, i / 10.0 });
    const Row rows[] = {
        { "max", identity(0, 10, 100), 0, "22", "14", {} },
        { "mean", identity(0, 10, 100), 1, "22", "28", {} },
        { "x range 0 to 1000", wide, 0, "1", "14", { xZero } },
        { "downward range", identity(10, 0, 4), 0, "-22", "14", {} },
        { "both zero", identity(0, 1000, 10), 0, "1", "1", { yZero, xZero } },
        { "no index before any curve", identity(0, 10, 100), std::nullopt, "22", "1", { yZero } },
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        dialogs.messages.clear();
        graph = TGraph1D();
        tabulate(r.points);
        s.scaleMeasure = r.measure;
        drawn = false;
        const auto texts = autoScale();
        EXPECT_TRUE(drawn);
        ASSERT_TRUE(texts);
        EXPECT_EQ(texts->first, QString::fromUtf8(r.x));
        EXPECT_EQ(texts->second, QString::fromUtf8(r.y));
        ASSERT_EQ(dialogs.messages.size(), qsizetype(r.messages.size()));
        for (std::size_t i = 0; i < r.messages.size(); ++i) {
            EXPECT_EQ(dialogs.messages[i].caption, kApplicationTitle);
            EXPECT_EQ(dialogs.messages[i].text, r.messages[i]);
            EXPECT_EQ(dialogs.messages[i].icon, Dialogs::Icon::None);
        }
    }
}

TEST_F(Plot, AutoScalingFailuresLeaveTheTexts)
{
    struct Row {
        const char* name;
        std::vector<TPlotPoint> points;
        int measure;
        const char* error;
        double scaleYAfter;
    };
    const Row rows[] = {
        { "only negative values", { { 0, -1 }, { 1, -2 } }, 0, "Floating point division by zero",
            7 },
        { "all zero under mean", { { 0, 0 }, { 1, 0 } }, 1, "Floating point division by zero", 7 },
        { "range 3 to 3", identity(3, 3, 2), 0, "Floating point division by zero", 48 },
        { "tiny extent", { { 0, 1 }, { 1e-300, 1 } }, 0, "Invalid floating point operation", 144 },
        { "one point under mean", { { 1, 2 } }, 1, "Floating point division by zero", 7 },
        { "one zero point under mean", { { 1, 0 } }, 1, "Invalid floating point operation", 7 },
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        tabulate(r.points);
        s.scaleMeasure = r.measure;
        graph.ScaleY = 7;
        std::optional<std::pair<QString, QString>> texts;
        EXPECT_EQ(errorOf([&] { texts = autoScale(); }), r.error);
        EXPECT_FALSE(texts);
        EXPECT_EQ(graph.ScaleY, r.scaleYAfter);
    }
}

TEST_F(Plot, AutoScalingWithoutATabulation)
{
    const QImage before = surface.image();
    EXPECT_FALSE(autoScale());
    EXPECT_TRUE(drawn); // the coordinate system was drawn first
    EXPECT_NE(surface.image(), before);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Fonksiyon Hesaplanmamış!"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("[HESAPLA] tuşuna basınız..."));
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::None);

    // Lines listed but no points loaded: nothing, silently.
    target.resultLines = 3;
    EXPECT_FALSE(autoScale());
    EXPECT_EQ(dialogs.messages.size(), 1);
}

TEST_F(Plot, DrawingIsRefusedWithoutCoordinatesOrTabulation)
{
    tabulate(identity(0, 10, 100));
    const QImage fresh = surface.image();
    plot();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Koordinat Sistemi Yok!"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("[Grafik Temizle] tuşuna basınız..."));
    EXPECT_EQ(surface.image(), fresh);

    clear();
    target.resultLines = 0; // a failed tabulation emptied the result list
    const QImage cleared = surface.image();
    plot();
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].caption, QStringLiteral("Fonksiyon Hesaplanmamış!"));
    EXPECT_EQ(surface.image(), cleared);
}

TEST_F(Plot, OnePointTableDrawsNothingAndSaysNothing)
{
    tabulate({ { 0, 0 } });
    plot(); // even before any coordinate system
    clear();
    const QImage cleared = surface.image();
    plot();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(surface.image(), cleared);
}

TEST_F(Plot, CurveUsesTheOriginOfTheLastClear)
{
    tabulate(identity(0, 10, 100));
    clear();
    s.axisColumn = 1;
    s.axisRow = 2;
    s.curveColor = QColor(kRed);
    plot();
    EXPECT_EQ(at(surface, 238, 134), kRed);
    EXPECT_EQ(graph.OriginX, 228);
}

TEST_F(Plot, ScaleAndWidthTexts)
{
    struct Row {
        const char* xScale;
        const char* yScale;
        const char* width;
        std::optional<int> kind;
        std::set<Pixel> painted;
    };
    const std::vector<TPlotPoint> pts = { { 0, 0 }, { 2, 1 } };
    const Row rows[] = {
        { "abc", "2,5", "1", 0, { { 228, 144 }, { 230, 143 } } }, // not numbers: scale 1.0
        { " 3 ", "-2", "x", 0, { { 228, 144 }, { 234, 146 } } },
        { "1.0", "1.0", "3", 0, { { 228, 144 }, { 230, 143 } } }, // "Nokta": one pixel each
        { "1.0", "1.0", "1", std::nullopt, {} }, // no kind: nothing drawn
        { "1.0", "1.0", "1", 1, { { 228, 144 }, { 229, 143 } } }, // "Çizgi": the end is not painted
    };
    s.grid = false;
    s.axesColor = QColor(kBlack);
    s.curveColor = QColor(kRed);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.xScale);
        tabulate(pts);
        s.xScale = QString::fromUtf8(r.xScale);
        s.yScale = QString::fromUtf8(r.yScale);
        s.curveWidth = QString::fromUtf8(r.width);
        s.curveKind = r.kind;
        clear();
        plot();
        EXPECT_EQ(inside(kRed), r.painted);
        EXPECT_EQ(s.xScale, QString::fromUtf8(r.xScale));
    }
}

TEST_F(Plot, CurvesAccumulate)
{
    tabulate(identity(0, 10, 100));
    clear();
    s.curveColor = QColor(kRed);
    plot();
    s.curveColor = QColor(kGrey);
    s.yScale = QStringLiteral("-1");
    plot();
    EXPECT_EQ(at(surface, 238, 134), kRed);
    EXPECT_EQ(at(surface, 238, 154), kGrey);
    EXPECT_EQ(at(surface, 228, 144), kGrey); // the second curve lies over the first
}

TEST_F(Plot, GridCountRefusalsLeaveAreaAndFrame)
{
    struct Row {
        const char* count;
        const char* error;
    };
    const Row rows[] = {
        { "0", "Division by zero" },
        { "256", "Grid sayısı 1 ile 255 arasında olmalıdır" },
        { "260", "Grid sayısı 1 ile 255 arasında olmalıdır" },
        { "-4", "Grid sayısı 1 ile 255 arasında olmalıdır" },
        { "abc", "''abc'' is not a valid integer value" },
        { "4 ", "''4 '' is not a valid integer value" },
        { "", "'''' is not a valid integer value" },
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.count);
        drawn = false;
        graph.OriginX = 7;
        s.gridCount = QString::fromUtf8(r.count);
        EXPECT_EQ(errorOf([&] { clear(); }), r.error);
        EXPECT_TRUE(drawn);
        EXPECT_EQ(graph.OriginX, 7); // the axes were not drawn
        EXPECT_TRUE(pixelsOf(surface.image(), kGreen).empty());
        EXPECT_TRUE(pixelsOf(surface.image(), kGrey).empty());
        EXPECT_EQ(at(surface, 0, 0), kBlack);
        EXPECT_EQ(at(surface, 100, 100), kArea);
    }
    s.gridCount = QStringLiteral("255"); // the largest count is drawn
    EXPECT_EQ(errorOf([&] { clear(); }), "");
}

TEST_F(Plot, CurveFailures)
{
    tabulate({ { 0, 0 }, { 1, 1 }, { 2, 2 } });
    clear();
    s.curveColor = QColor(kRed);
    const QImage cleared = surface.image();
    s.xScale = QStringLiteral("1E400");
    EXPECT_EQ(errorOf([&] { plot(); }), "Floating point overflow");
    EXPECT_EQ(surface.image(), cleared);
    s.xScale = QStringLiteral("1E5000");
    EXPECT_EQ(errorOf([&] { plot(); }), "Floating point overflow");

    // The rounded product of the second point leaves the 64-bit range; the first stays drawn.
    s.xScale = QStringLiteral("1E300");
    EXPECT_EQ(errorOf([&] { plot(); }), "Invalid floating point operation");
    EXPECT_EQ(inside(kRed), (std::set<Pixel> { { 228, 144 } }));
}

// Coordinates beyond 32 bits are not wrapped onto the surface.
TEST_F(Plot, FarPointsAreSkippedAndFarSegmentsClipped)
{
    const double far = 4294967296.0; // 2^32: its low 32 bits are 0
    tabulate({ { far + 5, 0 }, { 0, far + 5 }, { -far, 0 } });
    s.grid = false;
    s.curveColor = QColor(kRed);
    clear();
    plot();
    EXPECT_TRUE(inside(kRed).empty());

    // A segment from the origin to (2^33, 2^32) runs along slope 1/2 to the right edge.
    tabulate({ { 0, 0 }, { 2 * far, far } });
    s.curveKind = 1;
    clear();
    plot();
    PlotSurface reference;
    reference.setPenColor(QColor(kRed));
    reference.moveTo(228, 144);
    reference.lineTo(228 + 2000, 144 - 1000);
    std::set<Pixel> expected = pixelsOf(reference.image(), kRed);
    EXPECT_EQ(expected.size(), 229u); // to the right edge
    expected.erase({ 456, 30 }); // on the frame, outside what inside() looks at
    EXPECT_EQ(inside(kRed), expected);
}

// A list read by index has none while the field shows a text of the user's own.
TEST(PlotControls, ListIndexFollowsTheShownText)
{
    QComboBox list;
    list.setEditable(true);
    list.addItems({ QStringLiteral("1/2"), QStringLiteral("1/4"), QStringLiteral("3/4") });
    EXPECT_EQ(ListIndex(list), 0);
    list.setCurrentIndex(1);
    EXPECT_EQ(ListIndex(list), 1);
    list.setEditText(QStringLiteral("2/3"));
    EXPECT_EQ(ListIndex(list), std::nullopt);
    list.setEditText(QStringLiteral("3/4"));
    EXPECT_EQ(ListIndex(list), 2);
    list.setEditText(QString());
    EXPECT_EQ(ListIndex(list), std::nullopt);
}

} // namespace
