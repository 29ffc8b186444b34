#pragma once
// Helpers for the pixel tests of the canvas, the plot commands and the graph window's surface;
// they take any canvas with pixel(x, y).

#include "plot/raster_canvas.h"

#include <set>
#include <string>
#include <utility>

namespace plot_test {

using quarnis::makeRgb;
using quarnis::RasterCanvas;
using quarnis::Rgb;
using Pixel = std::pair<int, int>; // (column, row)

// The start colours of the area, the frame, the grid and the axes, and the tests' own.
inline constexpr Rgb kArea = makeRgb(166, 202, 240);
inline constexpr Rgb kBlack = makeRgb(0, 0, 0);
inline constexpr Rgb kGrey = makeRgb(128, 128, 128);
inline constexpr Rgb kGreen = makeRgb(0, 128, 0);
inline constexpr Rgb kRed = makeRgb(255, 0, 0);
inline constexpr Rgb kBlue = makeRgb(0, 0, 255);
inline constexpr Rgb kWhite = makeRgb(255, 255, 255);

// Every pixel of colour c; with `inside`, only those strictly inside the one-pixel frame.
template <class C> std::set<Pixel> pixelsOf(const C& canvas, Rgb c, bool inside = false)
{
    std::set<Pixel> out;
    const int w = canvas.surfaceWidth(), h = canvas.surfaceHeight(), m = inside ? 1 : 0;
    for (int y = m; y < h - m; ++y)
        for (int x = m; x < w - m; ++x)
            if (canvas.pixel(x, y) == c)
                out.insert({ x, y });
    return out;
}

// Which of n pixels from (x, y) rightwards (or downwards) have colour c, as '#' and '.'.
template <class C> std::string pattern(const C& canvas, int x, int y, int n, Rgb c, bool down)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += canvas.pixel(down ? x : x + i, down ? y + i : y) == c ? '#' : '.';
    return s;
}
template <class C> std::string rowPattern(const C& canvas, int y, int x0, int n, Rgb c)
{
    return pattern(canvas, x0, y, n, c, false);
}
template <class C> std::string columnPattern(const C& canvas, int x, int y0, int n, Rgb c)
{
    return pattern(canvas, x, y0, n, c, true);
}

// The pixels (228 + k, 144 - k) for k from 0 to n - 1: f(t) = t at the start scales 1.0.
inline std::set<Pixel> diagonal(int n)
{
    std::set<Pixel> out;
    for (int k = 0; k < n; ++k)
        out.insert({ 228 + k, 144 - k });
    return out;
}

} // namespace plot_test
