#include "raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace quarnis {

namespace {

    __extension__ typedef __int128 Int128;

    // Lines whose ends lie further out than this are first cut to a box of this size around
    // the surface, in floating point, so that the exact integer stepping below never meets
    // products beyond 128 bits. The cut moves the line by far less than a pixel where it
    // crosses the surface.
    constexpr std::int64_t kNear = std::int64_t(1) << 24;

    Int128 ceilDiv(Int128 a, Int128 b) // b > 0
    {
        Int128 q = a / b;
        if (a % b != 0 && a > 0)
            ++q;
        return q;
    }

    // Cuts the segment to the square [-kNear, kNear]^2 along its direction; false when the
    // segment misses it.
    bool cutToNearBox(std::int64_t& x0, std::int64_t& y0, std::int64_t& x1, std::int64_t& y1)
    {
        long double t0, t1;
        if (!clipSegment(x0, y0, x1, y1, -kNear, kNear, kNear, t0, t1))
            return false;
        const long double fx0 = x0, fy0 = y0;
        const long double dx = static_cast<long double>(x1) - fx0;
        const long double dy = static_cast<long double>(y1) - fy0;
        if (t0 > 0) {
            x0 = llrintl(fx0 + t0 * dx);
            y0 = llrintl(fy0 + t0 * dy);
        }
        if (t1 < 1) {
            x1 = llrintl(fx0 + t1 * dx);
            y1 = llrintl(fy0 + t1 * dy);
        }
        return true;
    }

    bool isFar(std::int64_t v) { return v < -kNear || v > kNear; }

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

bool clipSegment(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, long double lo,
    long double hiX, long double hiY, long double& t0, long double& t1)
{
    const long double fx = x0, fy = y0;
    const long double dx = static_cast<long double>(x1) - fx;
    const long double dy = static_cast<long double>(y1) - fy;
    t0 = 0;
    t1 = 1;
    // Keeps the part of the segment where p * t <= q (Liang-Barsky).
    auto keep = [&](long double p, long double q) {
        if (p == 0)
            return q >= 0;
        const long double r = q / p;
        if (p < 0) {
            if (r > t1)
                return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0)
                return false;
            t1 = std::min(t1, r);
        }
        return true;
    };
    return keep(-dx, fx - lo) && keep(dx, hiX - fx) && keep(-dy, fy - lo) && keep(dy, hiY - fy);
}

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
// floor((2 k dMin + dMaj) / (2 dMaj)), the nearest pixel to the true line (halves away from
// the start). Only the steps whose pixel (with the pen's width) can touch the surface are
// visited; they are found by solving the two inequalities for k, which keeps the pixels and
// the dash pattern exactly as if the whole line had been stepped.
void drawLine(const PixelGrid& grid, const RasterPen& pen, std::int64_t x0, std::int64_t y0,
    std::int64_t x1, std::int64_t y1, std::uint32_t& dashPos)
{
    if (x0 == x1 && y0 == y1)
        return;
    if (isFar(x0) || isFar(y0) || isFar(x1) || isFar(y1)) {
        if (!cutToNearBox(x0, y0, x1, y1) || (x0 == x1 && y0 == y1))
            return;
    }
    const bool xMajor = std::abs(x1 - x0) >= std::abs(y1 - y0);
    const std::int64_t maj0 = xMajor ? x0 : y0, min0 = xMajor ? y0 : x0;
    const std::int64_t dMajS = xMajor ? x1 - x0 : y1 - y0;
    const std::int64_t dMinS = xMajor ? y1 - y0 : x1 - x0;
    const std::int64_t sMaj = dMajS > 0 ? 1 : -1, sMin = dMinS >= 0 ? 1 : -1;
    const std::int64_t dMaj = std::abs(dMajS), dMin = std::abs(dMinS);
    const std::int64_t majSize = xMajor ? grid.width : grid.height;
    const std::int64_t minSize = xMajor ? grid.height : grid.width;
    const std::int64_t lo = -(pen.width - 1) / 2, hi = lo + pen.width - 1;
    const std::int64_t n = dMaj;
    const std::uint32_t period = std::uint32_t(pen.dashMask.size());

    // A pixel p paints p + lo .. p + hi, which meets the surface when -hi <= p <= size-1-lo.
    Int128 kLo = 0, kHi = n - 1;
    if (sMaj > 0) {
        kLo = std::max<Int128>(kLo, -hi - maj0);
        kHi = std::min<Int128>(kHi, majSize - 1 - lo - maj0);
    } else {
        kLo = std::max<Int128>(kLo, maj0 - (majSize - 1 - lo));
        kHi = std::min<Int128>(kHi, maj0 + hi);
    }
    if (dMin == 0) {
        if (min0 < -hi || min0 > minSize - 1 - lo)
            kHi = -1;
    } else {
        const Int128 qa = sMin > 0 ? -hi - min0 : min0 - (minSize - 1 - lo);
        const Int128 qb = sMin > 0 ? minSize - 1 - lo - min0 : min0 + hi;
        kLo = std::max(kLo, ceilDiv(2 * Int128(dMaj) * qa - dMaj, 2 * Int128(dMin)));
        kHi = std::min(kHi, ceilDiv(2 * Int128(dMaj) * (qb + 1) - dMaj, 2 * Int128(dMin)) - 1);
    }

    if (kLo <= kHi) {
        const std::uint32_t rgb = pen.rgb;
        const Int128 num = 2 * kLo * dMin + dMaj;
        const std::int64_t twoMaj = 2 * dMaj, twoMin = 2 * dMin;
        std::int64_t r = std::int64_t(num % twoMaj);
        std::int64_t mn = min0 + sMin * std::int64_t(num / twoMaj);
        std::int64_t mj = maj0 + sMaj * std::int64_t(kLo);
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
        dashPos = std::uint32_t((dashPos + n) % period);
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
