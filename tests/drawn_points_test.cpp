// Reading values off a drawn curve without the window: where "Grafik Çiz" puts each point,
// which result line it stands for, and the point nearest to a pixel.

#include "error_of.h"
#include "plot/plot_commands.h"
#include "plot/raster_canvas.h"

#include <gtest/gtest.h>

#include <random>

using namespace quarnis;

namespace {

struct Silent : PlotReport {
    void refuse(std::u16string_view, std::u16string_view) override { }
    void notify(std::u16string_view) override { }
};

// What drawGraph gathers for the lines drawn 50 pixels to the unit about (228, 144).
DrawnCurve draw(const std::vector<std::u16string>& lines,
    std::optional<CurveKind> kind = CurveKind::Points, const char16_t* xScale = u"50",
    bool coordSystemDrawn = true)
{
    RasterCanvas canvas(457, 289, 0);
    Graph graph;
    graph.loadPoints(lines);
    graph.originX = 228;
    graph.originY = 144;
    Silent report;
    PlotTarget t { canvas, graph, coordSystemDrawn, lines.size(), report };
    const PlotSettings s { .curveKind = kind, .xScale = xScale, .yScale = u"50" };
    DrawnCurve drawn;
    errorOf([&] { drawGraph(t, s, &drawn); });
    return drawn;
}

TEST(DrawnCurve, GathersThePixelAndTheLineOfEachPointOnTheSurface)
{
    // 1/t over -2 to 2 in 4 steps, t = 0 failed; 9 lands right of the surface.
    const std::vector<std::u16string> lines = { u"[0]:(-2,-0.5)", u"[1]:(-1,-1)",
        u"[2]:(0,Yazım Hatası...)", u"[3]:(1,1)", u"[4]:(2,0.5)", u"[5]:(9,0)" };
    const std::vector<DrawnPoint> expected
        = { { 128, 169, 0, 0 }, { 178, 194, 1, 1 }, { 278, 94, 2, 3 }, { 328, 119, 3, 4 } };
    EXPECT_EQ(draw(lines, CurveKind::Points).points, expected); // "Nokta"
    EXPECT_EQ(draw(lines, CurveKind::Line).points, expected); // "Çizgi"
    // No curve begun: no curve kind, no coordinate system, a single point.
    EXPECT_FALSE(draw(lines, std::nullopt).begun);
    EXPECT_FALSE(draw(lines, CurveKind::Points, u"50", false).begun);
    EXPECT_FALSE(draw({ u"[0]:(1,1)" }).begun);
    // A curve cut short by an error keeps the points drawn before it.
    const DrawnCurve cut = draw({ u"[0]:(0,0)", u"[1]:(1,1)" }, CurveKind::Points, u"1E300");
    EXPECT_TRUE(cut.begun);
    EXPECT_EQ(cut.points, (std::vector<DrawnPoint> { { 228, 144, 0, 0 } }));
}

// Against looking at every point (ties to the first in table order), with many points sharing
// pixels and columns as a curve of 65536 points on the surface does, and from far outside.
TEST(DrawnPoints, NearestAgreesWithLookingAtEveryPoint)
{
    std::mt19937 random(17);
    std::uniform_int_distribution<int> column(0, 56), row(0, 72), far(-100, 560);
    std::vector<DrawnPoint> points;
    for (std::size_t i = 0; i < 3000; ++i)
        points.push_back({ column(random), row(random), i, i });
    const DrawnPoints d(points);
    for (int q = 0; q < 3004; ++q) {
        const int x = q < 3000 ? far(random) : q % 2 ? 10000 : -10000;
        const int y = q < 3000 ? far(random) : q % 3 ? 10000 : -10000;
        const auto distance = [&](const DrawnPoint& p) {
            return (p.column - x) * (p.column - x) + (p.row - y) * (p.row - y);
        };
        const auto best = std::min_element(points.begin(), points.end(),
            [&](const DrawnPoint& a, const DrawnPoint& b) { return distance(a) < distance(b); });
        ASSERT_EQ(d.nearest(x, y), best->point) << x << "," << y;
    }
    EXPECT_EQ(DrawnPoints().nearest(0, 0), std::nullopt);
}

} // namespace
