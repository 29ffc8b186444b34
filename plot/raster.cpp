#include "raster.h"

#include <algorithm>
#include <array>

namespace quarnis {

namespace {

    __extension__ typedef __int128 Int128;
    __extension__ typedef unsigned __int128 UInt128;

    // The first step of a line whose minor offset floor((2 k dMin + dMaj) / (2 dMaj)) reaches
    // q, for 1 <= q <= dMin: ceil(dMaj (2 q - 1) / (2 dMin)). That product can need 129 bits,
    // so dMaj (q - 1), which fits in 128, is divided by dMin first and only its remainder
    // meets the halves.
    UInt128 firstStepReaching(UInt128 q, std::uint64_t dMaj, std::uint64_t dMin)
    {
        const UInt128 x = UInt128(dMaj) * (q - 1);
        const UInt128 twoMin = 2 * UInt128(dMin);
        return x / dMin + (2 * (x % dMin) + dMaj + twoMin - 1) / twoMin;
    }

    // On and off runs of each line style, in pixels of a 1-pixel pen.
    std::vector<int> dashRuns(PenStyle s)
    {
        switch (s) {
        case PenStyle::Solid:
            return {};
        case PenStyle::Dash:
            return { 18, 6 };
        case PenStyle::Dot:
            return { 3, 3 };
        case PenStyle::DashDot:
            return { 9, 6, 3, 6 };
        case PenStyle::DashDotDot:
            return { 9, 3, 3, 3, 3, 3 };
        }
        return {};
    }

    // 8 x 8 hatch patterns, one byte a row, 0x80 the leftmost pixel; aligned with the
    // surface's top-left corner.
    constexpr std::array<std::array<std::uint8_t, 8>, 6> kHatches { {
        { 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff }, // horizontal
        { 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08 }, // vertical
        { 0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01 }, // forward diagonal
        { 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80 }, // backward diagonal
        { 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0xff }, // cross
        { 0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81 }, // diagonal cross
    } };

    // A square of the pen's width centred on (x, y); the part outside the grid is dropped.
    void stamp(const PixelGrid& g, int penWidth, std::int64_t x, std::int64_t y, std::uint32_t rgb)
    {
        if (penWidth == 1) {
            if (x >= 0 && y >= 0 && x < g.width && y < g.height)
                g.bits[y * g.stride + x] = rgb;
            return;
        }
        const std::int64_t lo = -(penWidth - 1) / 2, hi = lo + penWidth - 1;
        const int xa = int(std::clamp<std::int64_t>(x + lo, 0, g.width));
        const int xb = int(std::clamp<std::int64_t>(x + hi + 1, 0, g.width));
        const int ya = int(std::clamp<std::int64_t>(y + lo, 0, g.height));
        const int yb = int(std::clamp<std::int64_t>(y + hi + 1, 0, g.height));
        for (int yy = ya; yy < yb; ++yy)
            std::fill_n(g.bits + yy * g.stride + xa, xb - xa, rgb);
    }

} // namespace

std::vector<bool> dashMask(PenStyle style, int width)
{
    std::vector<bool> mask;
    bool on = true;
    for (int run : dashRuns(style)) {
        mask.insert(mask.end(), std::size_t(run) * std::size_t(width), on);
        on = !on;
    }
    return mask;
}

// Steps along the major axis from (x0, y0), k = 0 .. n - 1 with n the major extent, so the
// end point itself is not painted. At step k the minor offset is
// m(k) = floor((2 k dMin + dMaj) / (2 dMaj)), the nearest pixel to the true line (halves away
// from the start). Only the steps whose pixel (with the pen's width) can touch the surface are
// visited; they are found by solving the two inequalities for k, which keeps the pixels and
// the dash pattern exactly as if the whole line had been stepped. All of it is in integers
// (extents up to 2^64 - 1, products up to 2^128), so however far the ends lie, no step is
// rounded and the pixels on the surface are those of the whole line.
void drawLine(const PixelGrid& grid, const RasterPen& pen, std::int64_t x0, std::int64_t y0,
    std::int64_t x1, std::int64_t y1, std::uint32_t& dashPos)
{
    if (x0 == x1 && y0 == y1)
        return;
    const Int128 dx = Int128(x1) - x0, dy = Int128(y1) - y0;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const Int128 maj0 = xMajor ? x0 : y0, min0 = xMajor ? y0 : x0;
    const Int128 dMajS = xMajor ? dx : dy, dMinS = xMajor ? dy : dx;
    const std::int64_t sMaj = dMajS > 0 ? 1 : -1, sMin = dMinS >= 0 ? 1 : -1;
    const auto dMaj = std::uint64_t(dMajS < 0 ? -dMajS : dMajS);
    const auto dMin = std::uint64_t(dMinS < 0 ? -dMinS : dMinS);
    const std::int64_t majSize = xMajor ? grid.width : grid.height;
    const std::int64_t minSize = xMajor ? grid.height : grid.width;
    const std::int64_t lo = -(pen.width - 1) / 2, hi = lo + pen.width - 1;
    const std::uint64_t n = dMaj;
    const std::uint32_t period = std::uint32_t(pen.dashMask.size());

    // A pixel p paints p + lo .. p + hi, which meets the surface when -hi <= p <= size-1-lo.
    Int128 kLo = 0, kHi = Int128(n) - 1;
    if (sMaj > 0) {
        kLo = std::max(kLo, -hi - maj0);
        kHi = std::min(kHi, majSize - 1 - lo - maj0);
    } else {
        kLo = std::max(kLo, maj0 - (majSize - 1 - lo));
        kHi = std::min(kHi, maj0 + hi);
    }
    // m(k) runs from m(0) = 0 up to at most dMin; it must stay within qa .. qb.
    const Int128 qa = sMin > 0 ? -hi - min0 : min0 - (minSize - 1 - lo);
    const Int128 qb = sMin > 0 ? minSize - 1 - lo - min0 : min0 + hi;
    if (qb < 0 || qa > Int128(dMin)) {
        kHi = -1;
    } else {
        if (qa > 0)
            kLo = std::max(kLo, Int128(firstStepReaching(UInt128(qa), dMaj, dMin)));
        if (qb < Int128(dMin))
            kHi = std::min(kHi, Int128(firstStepReaching(UInt128(qb) + 1, dMaj, dMin)) - 1);
    }

    if (kLo <= kHi) {
        const std::uint32_t rgb = pen.rgb;
        // 2 kLo dMin + dMaj as 2 (whole dMaj + part) + dMaj, so that no product passes 128
        // bits: m(kLo) is whole, or whole + 1 when 2 part + dMaj reaches 2 dMaj.
        const UInt128 product = UInt128(kLo) * dMin;
        const UInt128 twoMaj = 2 * UInt128(dMaj), twoMin = 2 * UInt128(dMin);
        UInt128 r = 2 * (product % dMaj) + dMaj;
        Int128 m = Int128(product / dMaj);
        if (r >= twoMaj) {
            r -= twoMaj;
            ++m;
        }
        auto mn = std::int64_t(min0 + sMin * m);
        auto mj = std::int64_t(maj0 + sMaj * kLo);
        std::uint32_t phase = period ? std::uint32_t((dashPos + kLo) % period) : 0;
        for (Int128 k = kLo; k <= kHi; ++k) {
            if (!period || pen.dashMask[phase]) {
                if (xMajor)
                    stamp(grid, pen.width, mj, mn, rgb);
                else
                    stamp(grid, pen.width, mn, mj, rgb);
            }
            if (period && ++phase == period)
                phase = 0;
            mj += sMaj;
            r += twoMin;
            if (r >= twoMaj) {
                r -= twoMaj;
                mn += sMin;
            }
        }
    }
    if (period)
        dashPos = std::uint32_t((dashPos + UInt128(n)) % period);
}

bool orderCorners(std::int64_t& x1, std::int64_t& y1, std::int64_t& x2, std::int64_t& y2)
{
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    return x1 != x2 && y1 != y2;
}

void drawRectangle(const PixelGrid& grid, const RasterPen& pen, std::uint32_t brushRgb,
    BrushStyle brush, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2)
{
    if (!orderCorners(x1, y1, x2, y2))
        return;
    const int w = grid.width, h = grid.height;
    const int cx1 = int(std::clamp<std::int64_t>(x1, 0, w));
    const int cx2 = int(std::clamp<std::int64_t>(x2, 0, w));
    const int cy1 = int(std::clamp<std::int64_t>(y1, 0, h));
    const int cy2 = int(std::clamp<std::int64_t>(y2, 0, h));
    if (brush == BrushStyle::Solid) {
        for (int y = cy1; y < cy2; ++y)
            std::fill_n(grid.bits + y * grid.stride + cx1, cx2 - cx1, brushRgb);
    } else if (brush != BrushStyle::Clear) {
        const auto& hatch = kHatches[int(brush) - int(BrushStyle::Horizontal)];
        for (int y = cy1; y < cy2; ++y) {
            std::uint32_t* row = grid.bits + y * grid.stride;
            const std::uint8_t bits = hatch[y & 7];
            for (int x = cx1; x < cx2; ++x)
                if (bits & (0x80 >> (x & 7)))
                    row[x] = brushRgb;
        }
    }
    const std::int64_t r = x2 - 1, b = y2 - 1;
    std::uint32_t dash = 0;
    if (r == x1 || b == y1) { // one column or one row: a single line covers it

        drawLine(grid, pen, x1, y1, r + (r == x1 ? 0 : 1), b + (r == x1 ? 1 : 0), dash);
    } else {
        drawLine(grid, pen, x1, y1, r, y1, dash);
        drawLine(grid, pen, r, y1, r, b, dash);
        drawLine(grid, pen, r, b, x1, b, dash);
        drawLine(grid, pen, x1, b, x1, y1, dash);
    }
}

} // namespace quarnis
