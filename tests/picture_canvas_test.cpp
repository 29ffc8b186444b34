// The vector recording beside the pixels: which operations make which items, what a clear
// drops, how far coordinates are cut, and that the pixels stay those of a RasterCanvas.

#include "plot/picture_canvas.h"
#include "plot_test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

using namespace quarnis;
using namespace plot_test;

namespace {

using Kind = PictureItem::Kind;
constexpr std::int64_t kFar = std::numeric_limits<std::int64_t>::max() / 2;

std::vector<Kind> kindsOf(const PictureCanvas& c)
{
    std::vector<Kind> kinds;
    for (const PictureItem& item : c.items())
        kinds.push_back(item.kind);
    return kinds;
}

// Every operation goes to both canvases: the pixels must stay the same.
struct Both {
    PictureCanvas picture;
    RasterCanvas raster { kSurfaceWidth, kSurfaceHeight, kSurfaceStartColor };
    void operator()(const std::function<void(Canvas&)>& op)
    {
        op(picture);
        op(raster);
    }
};

TEST(PictureCanvas, ItemsOfEachDrawing)
{
    const struct {
        const char* what;
        std::function<void(Canvas&)> draw;
        std::vector<Kind> kinds;
        std::vector<std::size_t> sizes;
    } rows[] = {
        { "a polyline is one item",
            [](Canvas& c) {
                c.moveTo(10, 10);
                c.lineTo(50, 10);
                c.lineTo(50, 60);
                c.lineTo(50, 60); // no move: nothing
                c.lineTo(90, 20);
            },
            { Kind::Polyline }, { 4 } },
        { "a new pen starts a new item where the pen is",
            [](Canvas& c) {
                c.moveTo(10, 10);
                c.lineTo(50, 10);
                c.setPenColor(kRed);
                c.lineTo(50, 60);
                c.setPenColor(kRed); // the same pen: no break
                c.lineTo(80, 60);
            },
            { Kind::Polyline, Kind::Polyline }, { 2, 3 } },
        { "moveTo ends a polyline",
            [](Canvas& c) {
                c.moveTo(10, 10);
                c.lineTo(50, 10);
                c.moveTo(10, 20);
                c.lineTo(50, 20);
            },
            { Kind::Polyline, Kind::Polyline }, { 2, 2 } },
        { "pixels of one colour gather once each, outside ones are ignored",
            [](Canvas& c) {
                c.setPixel(1, 1, kRed);
                c.moveTo(5, 5);
                c.setPixel(2, 1, kRed);
                c.setPixel(1, 1, kRed);
                c.setPixel(-1, 1, kRed);
                c.setPixel(kSurfaceWidth, 1, kRed);
                c.setPixel(3, 1, kBlue);
            },
            { Kind::Pixels, Kind::Pixels }, { 2, 1 } },
        { "a rectangle is one item between the others",
            [](Canvas& c) {
                c.setPixel(1, 1, kRed);
                c.rectangle(40, 30, 10, 20); // corners in any order
                c.rectangle(10, 10, 10, 50); // empty: nothing
                c.setPixel(2, 1, kRed);
            },
            { Kind::Pixels, Kind::Rectangle, Kind::Pixels }, { 1, 2, 1 } },
        { "a solid clear of the whole surface drops what lay beneath",
            [](Canvas& c) {
                c.moveTo(10, 10);
                c.lineTo(50, 10);
                c.rectangle(-5, -5, kSurfaceWidth + 5, kSurfaceHeight + 5);
                c.setPixel(3, 1, kBlue);
            },
            { Kind::Rectangle, Kind::Pixels }, { 2, 1 } },
        { "a hatched or empty clear keeps it",
            [](Canvas& c) {
                c.moveTo(10, 10);
                c.lineTo(50, 10);
                c.setBrushStyle(BrushStyle::Cross);
                c.rectangle(0, 0, kSurfaceWidth, kSurfaceHeight);
                c.setBrushStyle(BrushStyle::Clear);
                c.rectangle(0, 0, kSurfaceWidth, kSurfaceHeight);
                c.setBrushStyle(BrushStyle::Solid);
                c.rectangle(1, 0, kSurfaceWidth, kSurfaceHeight); // not all of it
            },
            { Kind::Polyline, Kind::Rectangle, Kind::Rectangle, Kind::Rectangle }, { 2, 2, 2, 2 } },
        { "a line far off the surface records nothing",
            [](Canvas& c) {
                c.moveTo(-kFar, -kFar);
                c.lineTo(kFar, -kFar);
                c.rectangle(-kFar, -kFar, -kFar / 2, kFar);
            },
            {}, {} },
        { "leaving and coming back makes two pieces",
            [](Canvas& c) {
                c.moveTo(10, 100);
                c.lineTo(100, -kFar);
                c.lineTo(200, 100);
                c.lineTo(300, 100);
            },
            { Kind::Polyline, Kind::Polyline }, { 2, 3 } },
        { "a drawing repeated replaces the earlier, once it is complete",
            [](Canvas& c) {
                for (int i = 0; i < 3; ++i) {
                    c.moveTo(10, 10);
                    c.lineTo(50, 10);
                    c.lineTo(50, 60);
                    c.setPixel(5, 5, kRed);
                    c.rectangle(1, 1, 3, 3);
                }
            },
            { Kind::Polyline, Kind::Pixels, Kind::Rectangle }, { 3, 1, 2 } },
    };
    for (const auto& row : rows) {
        Both both;
        both(row.draw);
        EXPECT_EQ(kindsOf(both.picture), row.kinds) << row.what;
        std::vector<std::size_t> sizes;
        for (const PictureItem& item : both.picture.items())
            sizes.push_back(item.points.size());
        EXPECT_EQ(sizes, row.sizes) << row.what;
        EXPECT_EQ(both.picture.pixels(), both.raster.pixels()) << row.what;
    }
}

// Far coordinates are cut to the box around the surface along the line's true direction.
TEST(PictureCanvas, FarLinesAreCutNearTheSurface)
{
    PictureCanvas c;
    c.setPenWidth(3);
    c.moveTo(-kFar, 100);
    c.lineTo(kFar, 100);
    c.lineTo(kFar, kFar);
    c.moveTo(100, -kFar);
    c.lineTo(101, kFar); // nearly upright: crosses near column 100.5
    const std::int64_t r = kPictureMargin + 3;
    ASSERT_EQ(c.items().size(), 2u);
    const std::vector<PicturePoint> across
        = { { float(-r), 100 }, { float(kSurfaceWidth + r), 100 } };
    EXPECT_EQ(c.items()[0].points, across);
    const auto& down = c.items()[1].points;
    ASSERT_EQ(down.size(), 2u);
    EXPECT_NEAR(down[0].x, 100.5, 0.01);
    EXPECT_EQ(down[0].y, float(-r));
    EXPECT_EQ(down[1].y, float(kSurfaceHeight + r));
}

// The dash pattern runs on across a change of colour and where a line comes back.
TEST(PictureCanvas, PiecesStartWhereTheDashStood)
{
    PictureCanvas c;
    c.setPenStyle(PenStyle::Dash); // 18 on, 6 off
    c.moveTo(0, 10);
    c.lineTo(30, 10);
    c.setPenColor(kRed);
    c.lineTo(40, 10);
    c.moveTo(-1000, 20); // 1000 pixels off the surface to the left: 1000 % 24 = 16
    c.lineTo(100, 20);
    ASSERT_EQ(c.items().size(), 3u);
    EXPECT_EQ(c.items()[0].dashPos, 0u);
    EXPECT_EQ(c.items()[1].dashPos, 30u % 24u);
    const std::uint32_t skipped = 1000 - (kPictureMargin + 1);
    EXPECT_EQ(c.items()[2].dashPos, skipped % 24u);
}

// Past the bound, the items fold into the pixels as the backdrop, and drawing goes on.
TEST(PictureCanvas, RecordingStaysBounded)
{
    PictureCanvas c;
    c.setRecordingLimit(100);
    for (int i = 0; i < 60; ++i)
        c.setPixel(i, 10, i % 2 ? kRed : kBlue); // 60 items of one pixel
    EXPECT_EQ(c.items().size(), 60u);
    EXPECT_TRUE(c.backdrop().empty());
    c.moveTo(0, 20);
    for (int i = 1; i <= 50; ++i)
        c.lineTo(i * 8, 20 + i % 2);
    c.moveTo(0, 0); // ends the polyline: 111 points recorded
    EXPECT_TRUE(c.items().empty());
    EXPECT_EQ(c.recordedPoints(), 0u);
    EXPECT_EQ(c.backdrop(), c.pixels());
    c.setPixel(5, 5, kRed);
    EXPECT_EQ(c.items().size(), 1u);
    // A solid clear of the whole surface makes the backdrop needless.
    c.rectangle(0, 0, kSurfaceWidth, kSurfaceHeight);
    EXPECT_TRUE(c.backdrop().empty());
}

} // namespace
