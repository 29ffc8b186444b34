#pragma once
// What the plot commands draw on: a surface of whole pixels with a pen and a brush. The
// canvas keeps its drawing state between operations, as a pen plotter would: pen colour,
// width and line style, brush colour and fill style, and the pen's position. Whatever an
// operation does not set stays as the previous drawing left it.
//
// Pixel coordinates are 64-bit: (0, 0) is the top-left pixel, rows grow downwards, and
// what lies outside the surface is not painted.

#include <cstdint>

namespace quarnis {

// A colour as 0xffRRGGBB: the pixel format of the surface, always opaque.
using Rgb = std::uint32_t;

constexpr Rgb makeRgb(int r, int g, int b)
{
    return 0xff000000u | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b);
}

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot };

enum class BrushStyle {
    Solid,
    Clear,
    Horizontal,
    Vertical,
    ForwardDiagonal, // lines falling from upper left to lower right
    BackwardDiagonal, // lines rising from lower left to upper right
    Cross,
    DiagonalCross,
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual int surfaceWidth() const = 0;
    virtual int surfaceHeight() const = 0;

    virtual void setPenColor(Rgb color) = 0;
    // Widths below 1 draw 1 pixel wide.
    virtual void setPenWidth(int width) = 0;
    virtual void setPenStyle(PenStyle style) = 0;
    virtual void setBrushColor(Rgb color) = 0;
    virtual void setBrushStyle(BrushStyle style) = 0;

    // Puts the pen at (x, y) without drawing; a new line starts its dash pattern afresh.
    virtual void moveTo(std::int64_t x, std::int64_t y) = 0;
    // Draws from the pen's position to (x, y) and leaves the pen there. The start pixel is
    // painted, (x, y) itself is not, so a polyline paints every joint once; the dash pattern
    // runs on from the previous line.
    virtual void lineTo(std::int64_t x, std::int64_t y) = 0;
    // Fills columns x1 .. x2 - 1 and rows y1 .. y2 - 1 with the brush, then outlines them with
    // the pen on columns x1 and x2 - 1 and rows y1 and y2 - 1. The pen does not move.
    virtual void rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) = 0;
    // Paints one pixel in `color`, whatever the pen; a pixel outside the surface is ignored.
    virtual void setPixel(std::int64_t x, std::int64_t y, Rgb color) = 0;
};

} // namespace quarnis
