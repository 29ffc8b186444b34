// The canvas on rows of pixels: what its lines, pixels and rectangles paint.

#include "plot_test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace quarnis;
using namespace plot_test;

namespace {

// A white canvas with a red 1-pixel solid pen and a blue solid brush.
struct Canvas : RasterCanvas {
    explicit Canvas(int width = 457, int height = 289)
        : RasterCanvas(width, height, kWhite)
    {
        setPenColor(kRed);
        setBrushColor(kBlue);
    }
};

// A path is a move to its first point and a line to each further point. That a line paints
// its start, not its end, and nothing for no length, fuzz_surface checks for any line.
TEST(RasterCanvas, LinesPaintTheirStartButNotTheirEnd)
{
    struct Row {
        const char* name;
        std::vector<Pixel> path;
        std::set<Pixel> painted;
    };
    const Row rows[] = {
        { "diagonal up", { { 228, 144 }, { 231, 141 } },
            { { 228, 144 }, { 229, 143 }, { 230, 142 } } },
        { "shallow", { { 0, 0 }, { 4, 2 } }, { { 0, 0 }, { 1, 1 }, { 2, 1 }, { 3, 2 } } },
        { "polyline: every joint once", { { 10, 10 }, { 13, 10 }, { 13, 12 } },
            { { 10, 10 }, { 11, 10 }, { 12, 10 }, { 13, 10 }, { 13, 11 } } },
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Canvas c;
        c.moveTo(r.path[0].first, r.path[0].second);
        for (std::size_t i = 1; i < r.path.size(); ++i)
            c.lineTo(r.path[i].first, r.path[i].second);
        EXPECT_EQ(pixelsOf(c, kRed), r.painted);
        EXPECT_EQ(c.penX(), r.path.back().first);
        EXPECT_EQ(c.penY(), r.path.back().second);
    }
}

TEST(RasterCanvas, LineStylesFollowTheirDashPatterns)
{
    struct Row {
        PenStyle style;
        const char* pattern; // the first 48 pixels of a line from (0, 5) to the right
    };
    const Row rows[] = {
        { PenStyle::Solid, "################################################" },
        { PenStyle::Dash, "##################......##################......" },
        { PenStyle::Dot, "###...###...###...###...###...###...###...###..." },
        { PenStyle::DashDot, "#########......###......#########......###......" },
        { PenStyle::DashDotDot, "#########...###...###...#########...###...###..." },
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(int(r.style));
        Canvas c;
        c.setPenStyle(r.style);
        c.moveTo(0, 5);
        c.lineTo(100, 5);
        EXPECT_EQ(rowPattern(c, 5, 0, 48, kRed), r.pattern);
        // The same style on a vertical line.
        c.moveTo(7, 10);
        c.lineTo(7, 100);
        EXPECT_EQ(columnPattern(c, 7, 10, 48, kRed), r.pattern);
    }
}

TEST(RasterCanvas, DashPatternRunsOnAcrossLinesAndRestartsAtMoveTo)
{
    Canvas c;
    c.setPenStyle(PenStyle::Dot);
    c.moveTo(0, 0);
    c.lineTo(4, 0);
    c.lineTo(20, 0);
    EXPECT_EQ(rowPattern(c, 0, 0, 20, kRed), "###...###...###...##");
    c.moveTo(0, 2);
    c.lineTo(4, 2);
    c.moveTo(4, 2);
    c.lineTo(20, 2);
    EXPECT_EQ(rowPattern(c, 2, 0, 20, kRed), "###.###...###...###.");
}

TEST(RasterCanvas, WidePensPaintSquaresAndStretchTheirDashes)
{
    Canvas c;
    c.setPenWidth(3);
    c.moveTo(10, 10);
    c.lineTo(14, 10);
    for (int y = 8; y <= 12; ++y) // the square's rows 9 to 11 only
        EXPECT_EQ(rowPattern(c, y, 8, 8, kRed), y == 8 || y == 12 ? "........" : ".######.") << y;

    c.setPenStyle(PenStyle::Dot);
    c.moveTo(1, 30);
    c.lineTo(40, 30);
    EXPECT_EQ(rowPattern(c, 30, 0, 40, kRed), "###########.......###########.......####");

    c.setPenWidth(-5); // below 1: one pixel
    c.setPenStyle(PenStyle::Solid);
    c.moveTo(3, 50);
    c.lineTo(6, 50);
    EXPECT_EQ(rowPattern(c, 50, 2, 6, kRed), ".###..");
    EXPECT_EQ(rowPattern(c, 49, 2, 6, kRed), "......");
}

// A pixel is set only inside the surface, and one whose low 32 bits would fall on it does not
// wrap. That far lines keep their true direction, however far their ends and whatever their
// low bits, fuzz_surface checks against the same lines cut near its grid (its corpus holds
// the diagonal, the slope 1/2, the full 64-bit range and the 2^32 wrap).
TEST(RasterCanvas, PixelsOutsideTheSurfaceAreNotSet)
{
    Canvas c;
    for (const auto& [x, y] :
        { std::pair<std::int64_t, std::int64_t> { 0, 0 }, { 456, 288 }, { 457, 10 }, { -1, 10 },
            { 10, 289 }, { (std::int64_t(1) << 32) + 5, 5 }, { 5, -(std::int64_t(1) << 32) + 5 } })
        c.setPixel(x, y, kBlue);
    EXPECT_EQ(pixelsOf(c, kBlue), (std::set<Pixel> { { 0, 0 }, { 456, 288 } }));
}

// Lines whose ends lie 2^29 to 2^62 pixels away keep the pixels of their true line: on each
// row of a steep line (column of a shallow one) they paint the pixel nearest to where the
// ideal line crosses it, worked out with exact fractions; e.g. the first line crosses row
// 144 at x = 215.598.
TEST(RasterCanvas, FarLinesPaintTheNearestPixelsOfTheirTrueLine)
{
    struct Row {
        const char* name;
        std::int64_t x0, y0, x1, y1;
        bool steep;
        std::vector<Pixel> at; // the one pixel painted on the row (steep) or column (shallow)
        std::size_t count;
    };
    const Row rows[] = {
        { "steep, 2^29 away", -22, 514368814, 478, -568065542, true,
            { { 216, 0 }, { 216, 1 }, { 216, 144 }, { 216, 288 } }, 289 },
        { "the same upwards", 478, -568065542, -22, 514368814, true,
            { { 216, 0 }, { 216, 1 }, { 216, 144 }, { 216, 288 } }, 289 },
        { "shallow, 2^30 away", -686989219, -188158845, 733115809, 200792301, false,
            { { 202, 1 }, { 228, 8 }, { 456, 70 } }, 258 },
        { "steep, 2^39 away", -222947455893, -615543673115, 219377141539, 605686261595, true,
            { { 334, 0 }, { 347, 36 }, { 387, 144 }, { 439, 288 } }, 289 },
        { "shallow, 2^47 away", -189184586484442, -2878821852426, 78545184455496, 1195222071967,
            false, { { 0, 108 }, { 33, 108 }, { 228, 111 }, { 456, 115 } }, 457 },
        { "shallow, 2^62 away", -4611686018427375559, -2305843009213693175, 4611686018427376022,
            2305843009213693460, false, { { 0, 27 }, { 1, 27 }, { 228, 141 }, { 456, 255 } }, 457 },
        { "steep, 2^62 away", -1152921504606846993, 4611686018427387899, 1152921504606847454,
            -4611686018427387610, true, { { 267, 0 }, { 266, 1 }, { 231, 144 }, { 195, 288 } },
            289 },
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Canvas c;
        c.moveTo(r.x0, r.y0);
        c.lineTo(r.x1, r.y1);
        const std::set<Pixel> painted = pixelsOf(c, kRed);
        EXPECT_EQ(painted.size(), r.count);
        for (const Pixel& p : r.at) {
            std::set<Pixel> across; // the painted pixels on p's row or column
            for (const Pixel& q : painted)
                if (r.steep ? q.second == p.second : q.first == p.first)
                    across.insert(q);
            EXPECT_EQ(across, std::set<Pixel> { p });
        }
    }
}

// A dashed frame shows the brush in its gaps; a solid one is whole and the brush stays inside
// it: fuzz_surface.
TEST(RasterCanvas, DashedRectangleShowsTheBrushInItsGaps)
{
    Canvas d(30, 10);
    d.setPenColor(kBlack);
    d.setPenStyle(PenStyle::Dash);
    d.moveTo(3, 4);
    d.rectangle(0, 0, 30, 10);
    EXPECT_EQ(rowPattern(d, 0, 0, 30, kBlack), "##################......######");
    EXPECT_EQ(rowPattern(d, 0, 0, 30, kBlue), "..................######......");
    EXPECT_EQ(d.penX(), 3); // the pen does not move
}

// The hatches repeat every 8 pixels from the surface's corner; between their lines the
// earlier white stays.
TEST(RasterCanvas, HatchBrushesPaintTheirLinesAndLeaveTheRest)
{
    using Hatch = bool (*)(int x, int y);
    const struct {
        BrushStyle style;
        Hatch on;
    } rows[] = {
        { BrushStyle::Horizontal, [](int, int y) { return y % 8 == 7; } },
        { BrushStyle::Vertical, [](int x, int) { return x % 8 == 4; } },
        { BrushStyle::ForwardDiagonal, [](int x, int y) { return (x - y) % 8 == 0; } },
        { BrushStyle::BackwardDiagonal, [](int x, int y) { return (x + y) % 8 == 7; } },
        { BrushStyle::Cross, [](int x, int y) { return y % 8 == 7 || x % 8 == 4; } },
        { BrushStyle::DiagonalCross,
            [](int x, int y) { return (x - y) % 8 == 0 || (x + y) % 8 == 7; } },
        { BrushStyle::Clear, [](int, int) { return false; } },
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(int(r.style));
        Canvas c(20, 20);
        c.setBrushStyle(r.style);
        c.rectangle(0, 0, 20, 20);
        int wrong = 0;
        for (int y = 1; y < 19; ++y)
            for (int x = 1; x < 19; ++x)
                wrong += c.pixel(x, y) != (r.on(x, y) ? kBlue : kWhite);
        EXPECT_EQ(wrong, 0);
    }
}

} // namespace
