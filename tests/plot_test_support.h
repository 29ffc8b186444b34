#pragma once
// Helpers for the pixel tests of the canvas, the plot commands and the graph window's surface.

#include "plot/raster_canvas.h"

#include <set>
#include <string>
#include <utility>

namespace plot_test {

using quarnis::MakeRgb;
using quarnis::RasterCanvas;
using quarnis::Rgb;
using Pixel = std::pair<int, int>; // (column, row)

// The start colours of the area, the frame, the grid and the axes, and two of the tests' own.
inline constexpr Rgb kArea = MakeRgb(166, 202, 240);
inline constexpr Rgb kBlack = MakeRgb(0, 0, 0);
inline constexpr Rgb kGrey = MakeRgb(128, 128, 128);
inline constexpr Rgb kGreen = MakeRgb(0, 128, 0);
inline constexpr Rgb kRed = MakeRgb(255, 0, 0);
inline constexpr Rgb kBlue = MakeRgb(0, 0, 255);
inline constexpr Rgb kWhite = MakeRgb(255, 255, 255);

// Every pixel of the canvas that has colour c.
inline std::set<Pixel> pixelsOf(const RasterCanvas& canvas, Rgb c)
{
    std::set<Pixel> out;
    for (int y = 0; y < canvas.surfaceHeight(); ++y)
        for (int x = 0; x < canvas.surfaceWidth(); ++x)
            if (canvas.pixel(x, y) == c)
                out.insert({ x, y });
    return out;
}

// Which of the pixels x0 .. x0 + n - 1 of row y have colour c, as a text of '#' and '.'.
inline std::string rowPattern(const RasterCanvas& canvas, int y, int x0, int n, Rgb c)
{
    std::string s;
    for (int x = x0; x < x0 + n; ++x)
        s += canvas.pixel(x, y) == c ? '#' : '.';
    return s;
}

inline std::string columnPattern(const RasterCanvas& canvas, int x, int y0, int n, Rgb c)
{
    std::string s;
    for (int y = y0; y < y0 + n; ++y)
        s += canvas.pixel(x, y) == c ? '#' : '.';
    return s;
}

} // namespace plot_test
