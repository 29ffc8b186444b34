// Fuzz target for the picture canvas: up to 64 pen and brush changes, moves, lines, rectangles
// and pixels on a surface of up to 64 x 64, with a small recording bound. Its pixels are
// always those of a RasterCanvas given the same calls; the items hold as many points as it
// counts, and all but the one still growing stay within the bound; a polyline or pixel lies
// within the recorded box. When every recorded point is a whole pixel (and no slanted line
// came from far off), the items painted by the raster over the backdrop (or the background)
// give the canvas's pixels again: what a clear, a repeat or the bound dropped was never
// visible.
//
// Input: bytes for the width, the height and the bound, then each call as a kind byte and
// its arguments, a coordinate as a selector byte and a byte (near the surface, or far off).

#include "fuzz_support.h"
#include "plot/picture_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

using namespace quarnis;
using namespace quarnis::fuzz;

namespace {

constexpr Rgb kColors[] = { makeRgb(0, 0, 0), makeRgb(255, 0, 0), makeRgb(0, 128, 0) };

std::int64_t coordinate(Bytes& in)
{
    const std::uint8_t sel = in.byte();
    const auto small = std::int64_t(std::int8_t(in.byte()));
    if (sel < 240)
        return small + 24; // around and on the surface
    const std::int64_t far = std::int64_t(1) << (20 + sel % 40);
    return (sel & 1 ? -far : far) + small;
}

// Runs one call on both canvases; `exact` turns false for a slanted line with a far end, cut
// where it crosses the recorded box at a point that a float may hold only nearly.
void step(Bytes& in, PictureCanvas& picture, RasterCanvas& raster, bool& exact)
{
    const auto both = [&](auto&& call) {
        call(static_cast<Canvas&>(picture));
        call(static_cast<Canvas&>(raster));
    };
    const std::uint8_t kind = in.byte() % 9, arg = in.byte();
    if (kind == 0) {
        both([&](Canvas& c) { c.setPenColor(kColors[arg % 3]); });
    } else if (kind == 1) {
        both([&](Canvas& c) { c.setPenWidth(arg % 5); });
    } else if (kind == 2) {
        both([&](Canvas& c) { c.setPenStyle(PenStyle(arg % 5)); });
    } else if (kind == 3) {
        both([&](Canvas& c) { c.setBrushStyle(BrushStyle(arg % 8)); });
        both([&](Canvas& c) { c.setBrushColor(kColors[arg / 8 % 3]); });
    } else if (kind == 4) {
        const std::int64_t x = coordinate(in), y = coordinate(in);
        both([&](Canvas& c) { c.moveTo(x, y); });
    } else if (kind < 7) {
        const std::int64_t x = coordinate(in), y = coordinate(in);
        const std::int64_t x0 = raster.penX(), y0 = raster.penY(), far = 1 << 16;
        if (x != x0 && y != y0 && std::max({ x, y, x0, y0, -x, -y, -x0, -y0 }) > far)
            exact = false;
        both([&](Canvas& c) { c.lineTo(x, y); });
    } else if (kind == 7) {
        const std::int64_t x1 = coordinate(in), y1 = coordinate(in);
        const std::int64_t x2 = coordinate(in), y2 = coordinate(in);
        both([&](Canvas& c) { c.rectangle(x1, y1, x2, y2); });
    } else {
        const std::int64_t x = coordinate(in), y = coordinate(in);
        both([&](Canvas& c) { c.setPixel(x, y, kColors[arg % 3]); });
    }
}

void checkRecording(const PictureCanvas& c, std::size_t limit)
{
    std::size_t points = 0;
    for (const PictureItem& item : c.items()) {
        points += item.points.size();
        if (item.kind == PictureItem::Kind::Rectangle)
            continue;
        const float r = float(kPictureMargin + item.penWidth);
        for (const PicturePoint& p : item.points)
            check(p.x >= -r && p.y >= -r && p.x <= float(c.surfaceWidth()) + r
                    && p.y <= float(c.surfaceHeight()) + r,
                "recorded lines and pixels lie within the box");
    }
    check(points == c.recordedPoints(), "the items hold the points counted");
    const std::size_t growing = c.items().empty() ? 0 : c.items().back().points.size();
    check(points - growing <= limit, "the recording stays within its bound");
}

// The items painted by the raster over what lies beneath them.
std::vector<Rgb> replay(const PictureCanvas& c)
{
    std::vector<Rgb> pixels = c.backdrop();
    if (pixels.empty())
        pixels.assign(c.pixels().size(), c.background());
    const PixelGrid grid { pixels.data(), c.surfaceWidth(), c.surfaceHeight(), c.surfaceWidth() };
    for (const PictureItem& item : c.items()) {
        const RasterPen pen { item.penColor, item.penWidth,
            dashMask(item.penStyle, item.penWidth) };
        const auto& p = item.points;
        if (item.kind == PictureItem::Kind::Polyline) {
            std::uint32_t dash = item.dashPos;
            for (std::size_t i = 1; i < p.size(); ++i)
                drawLine(grid, pen, std::int64_t(p[i - 1].x), std::int64_t(p[i - 1].y),
                    std::int64_t(p[i].x), std::int64_t(p[i].y), dash);
        } else if (item.kind == PictureItem::Kind::Rectangle) {
            drawRectangle(grid, pen, item.brushColor, item.brushStyle, std::int64_t(p[0].x),
                std::int64_t(p[0].y), std::int64_t(p[1].x), std::int64_t(p[1].y));
        } else {
            for (const PicturePoint& q : p)
                pixels[std::size_t(q.y) * std::size_t(c.surfaceWidth()) + std::size_t(q.x)]
                    = item.penColor;
        }
    }
    return pixels;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes in { data, size };
    const int width = 1 + in.byte() % 64, height = 1 + in.byte() % 64;
    const std::size_t limit = 4 + in.byte() % 64;
    PictureCanvas picture(width, height, kSurfaceStartColor);
    RasterCanvas raster(width, height, kSurfaceStartColor);
    picture.setRecordingLimit(limit);
    bool exact = true;
    for (int i = 0; i < 64 && !in.empty(); ++i) {
        step(in, picture, raster, exact);
        check(picture.pixels() == raster.pixels(), "the pixels are a RasterCanvas's");
        checkRecording(picture, limit);
    }
    for (const PictureItem& item : picture.items())
        for (const PicturePoint& p : item.points)
            exact = exact && p.x == std::floor(p.x) && p.y == std::floor(p.y);
    // A line cut between pixels may step differently from where it was cut.
    if (exact)
        check(replay(picture) == picture.pixels(), "the items repaint the pixels");
    return 0;
}
