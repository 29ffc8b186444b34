// The vector recording beside the pixels: which operations make which items, what a clear
// drops, how far coordinates are cut.

#include "plot/picture_canvas.h"
#include "plot_test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <sstream>
#include <string>

using namespace quarnis;
using namespace plot_test;

namespace {

constexpr std::int64_t kFar = std::numeric_limits<std::int64_t>::max() / 2;

// Runs a script on a canvas: "m x y" moveTo, "l x y" lineTo, "p x y" a red pixel, "q x y" a
// blue one, "r x1 y1 x2 y2" rectangle, "c" a red pen, "b n" brush style n; "F" is a far
// coordinate, "W" and "H" the surface's width and height.
void run(Canvas& c, const std::string& script)
{
    std::istringstream in(script);
    auto number = [&in] {
        std::string t;
        in >> t;
        const bool minus = t[0] == '-';
        const std::string v = t.substr(minus);
        const std::int64_t n = v == "F" ? kFar
            : v == "W"                  ? kSurfaceWidth
            : v == "H"                  ? kSurfaceHeight
                                        : std::stoll(v);
        return minus ? -n : n;
    };
    for (char op; in >> op;) {
        if (op == 'c') {
            c.setPenColor(kRed);
        } else if (op == 'b') {
            c.setBrushStyle(BrushStyle(number()));
        } else if (op == 'r') {
            const auto x1 = number(), y1 = number(), x2 = number();
            c.rectangle(x1, y1, x2, number());
        } else {
            const auto x = number(), y = number();
            if (op == 'm')
                c.moveTo(x, y);
            else if (op == 'l')
                c.lineTo(x, y);
            else
                c.setPixel(x, y, op == 'p' ? kRed : kBlue);
        }
    }
}

// The items as "L4 P2 R2": kind (polyline, pixels, rectangle) and number of points.
std::string itemsOf(const PictureCanvas& c)
{
    std::string out;
    for (const PictureItem& item : c.items()) {
        if (!out.empty())
            out += ' ';
        out += "LRP"[int(item.kind)];
        out += std::to_string(item.points.size());
    }
    return out;
}

TEST(PictureCanvas, ItemsOfEachDrawing)
{
    const struct {
        const char* script;
        const char* items;
    } rows[] = {
        // One polyline from a moveTo, a line to the pen's own place adding nothing.
        { "m 10 10 l 50 10 l 50 60 l 50 60 l 90 20", "L4" },
        // A new pen starts a new item where the pen stands; the same pen again does not.
        { "m 10 10 l 50 10 c l 50 60 c l 80 60", "L2 L3" },
        // Pixels of one colour gather, each once; those outside are ignored; a moveTo
        // between them changes nothing.
        { "p 1 1 m 5 5 p 2 1 p 1 1 p -1 1 p W 1 q 3 1", "P2 P1" },
        // A rectangle (corners in any order) between them ends the run; an empty one is
        // nothing.
        { "p 1 1 r 40 30 10 20 r 10 10 10 50 p 2 1", "P1 R2 P1" },
        // A solid clear of the whole surface drops what lay beneath it.
        { "m 10 10 l 50 10 r -5 -5 462 294 p 3 1", "R2 P1" },
        // A hatched or empty one keeps it, as does a solid one short of the whole.
        { "m 10 10 l 50 10 b 6 r 0 0 W H b 1 r 0 0 W H b 0 r 1 0 W H", "L2 R2 R2 R2" },
        // Far off the surface: nothing.
        { "m -F -F l F -F r -F -F -1000 F", "" },
        // Leaving the surface far and coming back: two pieces, cut near the surface.
        { "m 10 100 l 100 -F l 200 100 l 300 100 m -F 100 l F 100", "L2 L3 L2" },
        // A drawing repeated replaces the earlier once complete.
        { "m 10 10 l 50 10 p 5 5 r 1 1 3 3 m 10 10 l 50 10 p 5 5 r 1 1 3 3", "L2 P1 R2" },
    };
    for (const auto& row : rows) {
        // Its pixels, the box, the bound, and the items (dashes included) repainting the
        // pixels over the backdrop: fuzz_picture_canvas.
        PictureCanvas picture;
        run(picture, row.script);
        EXPECT_EQ(itemsOf(picture), row.items) << row.script;
    }
}

// A line with far ends is cut where its true line crosses the edge of the recorded box (17
// pixels round the surface for a 1-pixel pen), and its dashes start at the step nearest to
// that point. Each line passes through whole pixels c + i d, so its crossings are plain
// fractions: 100 + (-17 - 200) / 3 = 27.667 for the first.
TEST(PictureCanvas, FarLinesAreCutOnTheirTrueLine)
{
    constexpr std::int64_t j = (std::int64_t(1) << 61) + 12345, h = j / 2;
    struct Row {
        const char* name;
        std::int64_t x0, y0, x1, y1;
        PicturePoint from, to;
        std::uint32_t dashPos; // (steps to the nearest step) % 24
    };
    const Row rows[] = {
        { "shallow, in and out at the sides", 200 - 3 * j, 100 - j, 200 + 3 * (j + 7),
            100 + (j + 7), { -17, 27.6667f }, { 474, 191.3333f }, 2 }, // 3j - 217 steps
        { "steep, in and out at top and bottom", 200 - j, 100 - 3 * j, 200 + (j + 7),
            100 + 3 * (j + 7), { 161, -17 }, { 268.6667f, 306 }, 6 }, // 3j - 117 steps
        { "leftwards", 228 + 2 * j, 144 - j, 228 - 2 * (j + 7), 144 + (j + 7), { 474, 21 },
            { -17, 266.5f }, 4 }, // 2j - 246 steps
        { "in at the top, out at the side", 100 - 5 * h, 50 - 3 * h, 100 + 5 * (h + 7),
            50 + 3 * (h + 7), { -11.6667f, -17 }, { 474, 274.4f }, 12 }, // 5h - 111.667
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        PictureCanvas c;
        c.setPenStyle(PenStyle::Dash);
        c.moveTo(r.x0, r.y0);
        c.lineTo(r.x1, r.y1);
        ASSERT_EQ(itemsOf(c), "L2");
        const PictureItem& line = c.items()[0];
        EXPECT_NEAR(line.points[0].x, r.from.x, 1e-3);
        EXPECT_NEAR(line.points[0].y, r.from.y, 1e-3);
        EXPECT_NEAR(line.points[1].x, r.to.x, 1e-3);
        EXPECT_NEAR(line.points[1].y, r.to.y, 1e-3);
        EXPECT_EQ(line.dashPos, r.dashPos);
    }
}

} // namespace
