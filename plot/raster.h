#pragma once
// The pixel work of a canvas: lines with a square pen and a dash pattern, and rectangles
// filled with a brush, on rows of 32-bit pixels. RasterCanvas hands it its pixels for each
// operation; the fuzz target checks it on its own.
//
// Pixel coordinates are 64-bit and never wrap: a line is clipped at the grid's edge along
// its true direction, and pixels outside are simply not painted.
//
//   drawLine(grid, pen, 2, 3, 6, 3, dash) paints (2,3) (3,3) (4,3) (5,3): the start pixel, not
//   the end pixel, so a polyline paints every joint once.

#include "plot/canvas.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quarnis {

// Rows of pixels that the drawing writes into; (x, y) is bits[y * stride + x].
struct PixelGrid {
    std::uint32_t* bits;
    int width;
    int height;
    std::ptrdiff_t stride;
};

// The widest pen drawn; wider pens would only paint the same surface more slowly.
inline constexpr int kMaxPenWidth = 4096;

struct RasterPen {
    std::uint32_t rgb = 0;
    int width = 1; // 1 .. kMaxPenWidth
    std::vector<bool> dashMask; // one entry per pixel of a pattern period; empty when solid
};

// The dash mask of a line style for a pen of the given width: wider pens stretch the pattern
// by their width, so that a wide dotted line stays dotted.
std::vector<bool> dashMask(PenStyle style, int width);

// Puts a rectangle's corners in order, x1 <= x2 and y1 <= y2; false when it covers no pixel.
bool orderCorners(std::int64_t& x1, std::int64_t& y1, std::int64_t& x2, std::int64_t& y2);

// Paints the line from (x0, y0) towards (x1, y1), its start pixel but not its end pixel,
// each pixel as a square of the pen's width centred on it (even widths reach one further
// right and down). dashPos counts the pixels of the dash pattern used so far and runs on.
void drawLine(const PixelGrid& grid, const RasterPen& pen, std::int64_t x0, std::int64_t y0,
    std::int64_t x1, std::int64_t y1, std::uint32_t& dashPos);

// Fills columns x1 .. x2 - 1 and rows y1 .. y2 - 1 with the brush (the hatches aligned with
// the grid's top-left corner), then outlines them with the pen on columns x1 and x2 - 1 and
// rows y1 and y2 - 1, clockwise from the top-left corner with one dash pattern all round.
// The corners may come in any order; an empty rectangle paints nothing.
void drawRectangle(const PixelGrid& grid, const RasterPen& pen, std::uint32_t brushRgb,
    BrushStyle brush, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);

} // namespace quarnis
