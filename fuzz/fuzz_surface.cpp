// Fuzz target for the drawing surface's pixel work with any 64-bit coordinates: up to 32 pen
// changes, moves, lines and rectangles on a grid of up to 64 x 64. Each changed pixel has the
// operation's colour and lies within the pen's square of a pixel whose centre is at most 1.5
// pixels from the true segment (or in the rectangle and its frame); nothing is written outside
// the grid; a solid line across the grid paints, a thin one its start and not its end; a solid
// brush fills its rectangle and a thin solid frame is whole. A far line through whole pixels
// paints exactly what the same line cut by hand near the grid paints, dash pattern included.
//
// Input: a byte each for the width and height, then each operation as a kind byte and its
// arguments, a coordinate as a selector byte and the bytes it reads.

#include "fuzz_support.h"
#include "plot/raster.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

using namespace quarnis;
using namespace quarnis::fuzz;

namespace {

__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

// The sign of a * b - c * d, exactly, for factors below 2^100 in magnitude: each product as
// a sign and a 256-bit magnitude (hi, lo) from four 64 x 64-bit partial products.
int signOfDifference(Int128 a, Int128 b, Int128 c, Int128 d)
{
    struct Wide {
        int sign;
        UInt128 hi, lo;
    };
    const auto product = [](Int128 x, Int128 y) {
        const UInt128 ux = x < 0 ? -UInt128(x) : UInt128(x), uy = y < 0 ? -UInt128(y) : UInt128(y);
        const UInt128 mask = std::numeric_limits<std::uint64_t>::max();
        Wide w { (x == 0 || y == 0) ? 0 : ((x < 0) != (y < 0) ? -1 : 1), (ux >> 64) * (uy >> 64),
            (ux & mask) * (uy & mask) };
        for (const UInt128 mid : { (ux >> 64) * (uy & mask), (ux & mask) * (uy >> 64) }) {
            const UInt128 before = w.lo;
            w.lo += mid << 64;
            w.hi += (mid >> 64) + (w.lo < before ? 1 : 0);
        }
        return w;
    };
    const Wide p = product(a, b), q = product(c, d);
    if (p.sign != q.sign)
        return p.sign > q.sign ? 1 : -1;
    const int magnitude
        = p.hi != q.hi ? (p.hi > q.hi ? 1 : -1) : (p.lo != q.lo ? (p.lo > q.lo ? 1 : -1) : 0);
    return p.sign * magnitude;
}

// Whether the closed segment (ax, ay)-(bx, by) meets the closed box [x0, x1] x [y0, y1];
// every coordinate is in half pixels.
bool segmentMeetsBox(
    Int128 ax, Int128 ay, Int128 bx, Int128 by, Int128 x0, Int128 x1, Int128 y0, Int128 y1)
{
    if (std::max(ax, bx) < x0 || std::min(ax, bx) > x1 || std::max(ay, by) < y0
        || std::min(ay, by) > y1)
        return false;
    // Separated by the segment's line when all four corners lie strictly on one side of it.
    int above = 0, below = 0;
    for (const Int128 cx : { x0, x1 })
        for (const Int128 cy : { y0, y1 }) {
            const int side = signOfDifference(bx - ax, cy - ay, by - ay, cx - ax);
            above += side > 0;
            below += side < 0;
        }
    return above < 4 && below < 4;
}

std::int64_t coordinate(Bytes& in, std::int64_t same)
{
    const std::uint8_t sel = in.byte();
    const auto small = std::int8_t(in.byte());
    switch (sel % 6) {
    case 0:
        return small;
    case 1:
        return in.value<std::int64_t>();
    case 2: { // around a power of two, where products and casts change width
        const std::int64_t p = std::int64_t(std::uint64_t(1) << (in.byte() % 63));
        return (sel & 0x80 ? -p : p) + small;
    }
    case 3: // at the ends of the 64-bit range
        return small < 0 ? std::numeric_limits<std::int64_t>::min() - (small + 1)
                         : std::numeric_limits<std::int64_t>::max() - small;
    case 4: // around 2^24, past which a float no longer holds every whole pixel
        return ((sel & 0x80) ? -1 : 1) * (std::int64_t(1) << 24) + small;
    default:
        return same; // the pen's own row or column: level and upright lines
    }
}

class Run {
public:
    Run(int width, int height)
        : width_(width)
        , height_(height)
        , stride_(width + kPad)
        , pixels_(std::size_t(stride_) * std::size_t(height + 2), kGuard)
    {
        for (int y = 0; y < height; ++y)
            std::fill_n(pixels_.begin() + (y + 1) * stride_, width, 0u);
        pen_.dashMask = dashMask(style_, pen_.width);
    }

    void step(Bytes& in, std::uint32_t op)
    {
        pen_.rgb = 0x01000000u | op;
        const std::uint32_t brushRgb = 0x02000000u | op;
        const std::vector<std::uint32_t> before = pixels_;
        const PixelGrid grid { pixels_.data() + stride_, width_, height_, stride_ };
        const int kind = in.byte() % 6;
        if (kind == 0) {
            // Mostly thin pens; now and then wider than the grid, and the widest (slow to paint).
            const std::uint8_t w = in.byte();
            pen_.width = w < 252 ? 1 + w % 16 : w < 255 ? (w - 251) * 80 : kMaxPenWidth;
            style_ = PenStyle(in.byte() % 5);
            pen_.dashMask = dashMask(style_, pen_.width);
        } else if (kind == 1) {
            penX_ = coordinate(in, penX_);
            penY_ = coordinate(in, penY_);
            dashPos_ = 0;
        } else if (kind < 4) {
            const std::int64_t x = coordinate(in, penX_), y = coordinate(in, penY_);
            drawLine(grid, pen_, penX_, penY_, x, y, dashPos_);
            checkLine(before, x, y);
            penX_ = x;
            penY_ = y;
            return;
        } else if (kind == 5) {
            farLine(in, before, grid);
            return;
        } else {
            const std::int64_t x1 = coordinate(in, penX_), y1 = coordinate(in, penY_);
            const std::int64_t x2 = coordinate(in, penX_), y2 = coordinate(in, penY_);
            const auto brush = BrushStyle(in.byte() % 8);
            drawRectangle(grid, pen_, brushRgb, brush, x1, y1, x2, y2);
            checkRectangle(before, brushRgb, brush, x1, y1, x2, y2);
            return;
        }
        check(pixels_ == before, "pen changes and moves paint nothing");
    }

private:
    static constexpr int kPad = 3; // pixels after each row, to see writes past its end
    static constexpr std::uint32_t kGuard = 0xdeadbeefu;

    std::uint32_t at(const std::vector<std::uint32_t>& p, int x, int y) const
    {
        return p[std::size_t(y + 1) * std::size_t(stride_) + std::size_t(x)];
    }

    // Every pixel that changed; also checks that nothing outside the grid did.
    std::vector<std::pair<int, int>> changed(const std::vector<std::uint32_t>& before) const
    {
        std::vector<std::pair<int, int>> out;
        for (int y = -1; y <= height_; ++y)
            for (int x = 0; x < stride_; ++x) {
                if (at(pixels_, x, y) == at(before, x, y))
                    continue;
                check(y >= 0 && y < height_ && x < width_, "nothing is written outside the grid");
                out.push_back({ x, y });
            }
        return out;
    }

    // A line from far before the grid to far beyond it, through the pixels c + j d for every
    // whole j: from c - j0 d to c + j1 d, each end up to the 64-bit range away. Cut by hand at
    // two of those pixels just out of the pen's reach of the grid, it is still the same line:
    // at a whole pixel the true line passes through the pixel's centre, so from there on the
    // stepping of the cut line and of the far one round alike, step for step, and the steps
    // cut off cannot touch the grid. Only the dash pattern has moved on by the steps cut off
    // at the start. The cut line's ends lie within a few thousand pixels, where nothing is
    // large, so a far line stepped in any other way than its true one shows.
    void farLine(Bytes& in, const std::vector<std::uint32_t>& before, const PixelGrid& grid)
    {
        const std::int64_t cx = std::int8_t(in.byte()), cy = std::int8_t(in.byte());
        std::int64_t dx = in.value<std::int16_t>(), dy = in.value<std::int16_t>();
        if (dx == 0 && dy == 0)
            dx = 1;
        const std::int64_t major = std::max(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy);
        const std::int64_t jMax = (std::numeric_limits<std::int64_t>::max() - 128) / major;
        const auto j0 = std::int64_t(in.value<std::uint64_t>() % std::uint64_t(jMax + 1));
        const auto j1 = std::int64_t(in.value<std::uint64_t>() % std::uint64_t(jMax)) + 1;

        penX_ = cx - j0 * dx;
        penY_ = cy - j0 * dy;
        dashPos_ = 0;
        const std::int64_t x = cx + j1 * dx, y = cy + j1 * dy;
        drawLine(grid, pen_, penX_, penY_, x, y, dashPos_);
        checkLine(before, x, y);

        // c + i d lies more than the widest pen's reach beyond the grid for i >= out.
        const std::int64_t out = (2 * kMaxPenWidth + 256) / major + 1;
        const std::int64_t i0 = std::min(j0, out), i1 = std::min(j1, out);
        const auto period = std::uint64_t(pen_.dashMask.size());
        auto dash
            = std::uint32_t(period ? std::uint64_t(j0 - i0) * std::uint64_t(major) % period : 0);
        std::vector<std::uint32_t> cut = before;
        const PixelGrid cutGrid { cut.data() + stride_, width_, height_, stride_ };
        drawLine(cutGrid, pen_, cx - i0 * dx, cy - i0 * dy, cx + i1 * dx, cy + i1 * dy, dash);
        check(cut == pixels_, "a far line paints what it paints cut near the grid");
        penX_ = x;
        penY_ = y;
    }

    Int128 lo() const { return -(pen_.width - 1) / 2; }
    Int128 hi() const { return lo() + pen_.width - 1; }

    void checkLine(const std::vector<std::uint32_t>& before, std::int64_t x, std::int64_t y)
    {
        const Int128 ax = 2 * Int128(penX_), ay = 2 * Int128(penY_);
        const Int128 bx = 2 * Int128(x), by = 2 * Int128(y);
        const auto painted = changed(before);
        if (penX_ == x && penY_ == y) {
            check(painted.empty(), "a line of no length paints nothing");
            return;
        }
        for (const auto& [px, py] : painted) {
            check(at(pixels_, px, py) == pen_.rgb, "a line paints in the pen's colour");
            // The pen's square of a pixel whose centre is within 1.5 of the segment.
            check(segmentMeetsBox(ax, ay, bx, by, 2 * (px - hi()) - 3, 2 * (px - lo()) + 3,
                      2 * (py - hi()) - 3, 2 * (py - lo()) + 3),
                "a line paints only on or next to its segment");
        }
        if (style_ != PenStyle::Solid)
            return;
        if (width_ >= 5 && height_ >= 5)
            check(!segmentMeetsBox(ax, ay, bx, by, 4, 2 * (width_ - 3), 4, 2 * (height_ - 3))
                    || !painted.empty(),
                "a solid line across the inside of the grid paints");
        if (pen_.width == 1) {
            const auto onGrid = [&](std::int64_t cx, std::int64_t cy) {
                return cx >= 0 && cy >= 0 && cx < width_ && cy < height_;
            };
            if (onGrid(penX_, penY_))
                check(at(pixels_, int(penX_), int(penY_)) == pen_.rgb, "a line paints its start");
            if (onGrid(x, y))
                check(at(pixels_, int(x), int(y)) == at(before, int(x), int(y)),
                    "a line leaves its end");
        }
    }

    void checkRectangle(const std::vector<std::uint32_t>& before, std::uint32_t brushRgb,
        BrushStyle brush, Int128 x1, Int128 y1, Int128 x2, Int128 y2)
    {
        const auto painted = changed(before);
        if (x2 < x1)
            std::swap(x1, x2);
        if (y2 < y1)
            std::swap(y1, y2);
        if (x1 == x2 || y1 == y2) {
            check(painted.empty(), "an empty rectangle paints nothing");
            return;
        }
        const Int128 r = x2 - 1, b = y2 - 1;
        const auto inside = [](Int128 v, Int128 from, Int128 to) { return v >= from && v <= to; };
        for (const auto& [px, py] : painted) {
            if (at(pixels_, px, py) == brushRgb) {
                check(brush != BrushStyle::Clear && inside(px, x1, r) && inside(py, y1, b),
                    "the brush paints inside the rectangle");
                continue;
            }
            check(at(pixels_, px, py) == pen_.rgb, "a rectangle paints in its two colours");
            const bool rows = inside(px, x1 + lo(), r + hi())
                && (inside(py - y1, lo(), hi()) || inside(py - b, lo(), hi()));
            const bool columns = inside(py, y1 + lo(), b + hi())
                && (inside(px - x1, lo(), hi()) || inside(px - r, lo(), hi()));
            check(rows || columns, "the pen paints only the rectangle's frame");
        }
        for (int py = 0; py < height_; ++py)
            for (int px = 0; px < width_; ++px) {
                if (!inside(px, x1, r) || !inside(py, y1, b))
                    continue;
                const std::uint32_t c = at(pixels_, px, py);
                if (brush == BrushStyle::Solid)
                    check(c == brushRgb || c == pen_.rgb, "a solid brush fills the rectangle");
                const bool frame = px == x1 || px == r || py == y1 || py == b;
                if (frame && style_ == PenStyle::Solid && pen_.width == 1)
                    check(c == pen_.rgb, "a thin solid frame is whole");
            }
    }

    int width_, height_, stride_;
    std::vector<std::uint32_t> pixels_; // a guard row above and below the grid
    RasterPen pen_;
    PenStyle style_ = PenStyle::Solid;
    std::int64_t penX_ = 0, penY_ = 0;
    std::uint32_t dashPos_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes in { data, size };
    const int width = 1 + in.byte() % 64, height = 1 + in.byte() % 64;
    Run run(width, height);
    for (std::uint32_t op = 1; op <= 32 && !in.empty(); ++op)
        run.step(in, op);
    return 0;
}
