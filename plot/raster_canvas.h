#pragma once
// A canvas on rows of pixels that it owns, drawn by the raster (raster.h). The graph
// window's surface draws through it; the tests and the benchmarks draw on it without Qt.
//
//   RasterCanvas c(457, 289, makeRgb(192, 220, 192));
//   c.moveTo(2, 3); c.lineTo(6, 3);   // paints (2,3) (3,3) (4,3) (5,3) black

#include "plot/canvas.h"
#include "plot/raster.h"

#include <cstdint>
#include <vector>

namespace quarnis {

class RasterCanvas : public Canvas {
public:
    // A width x height surface in one colour, with a black 1-pixel solid pen and a white
    // solid brush, the pen at (0, 0).
    RasterCanvas(int width, int height, Rgb background);

    int surfaceWidth() const override { return width_; }
    int surfaceHeight() const override { return height_; }

    void setPenColor(Rgb color) override { pen_.rgb = color; }
    void setPenWidth(int width) override;
    void setPenStyle(PenStyle style) override;
    void setBrushColor(Rgb color) override { brushColor_ = color; }
    void setBrushStyle(BrushStyle style) override { brushStyle_ = style; }

    void moveTo(std::int64_t x, std::int64_t y) override;
    void lineTo(std::int64_t x, std::int64_t y) override;
    void rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) override;
    void setPixel(std::int64_t x, std::int64_t y, Rgb color) override;

    // The pixels, row after row, surfaceWidth() to a row.
    const std::vector<Rgb>& pixels() const { return pixels_; }
    Rgb pixel(int x, int y) const { return pixels_[std::size_t(y) * std::size_t(width_) + x]; }

    Rgb penColor() const { return pen_.rgb; }
    int penWidth() const { return pen_.width; }
    PenStyle penStyle() const { return penStyle_; }
    Rgb brushColor() const { return brushColor_; }
    BrushStyle brushStyle() const { return brushStyle_; }
    std::int64_t penX() const { return penX_; }
    std::int64_t penY() const { return penY_; }

private:
    PixelGrid grid() { return { pixels_.data(), width_, height_, width_ }; }

    int width_, height_;
    std::vector<Rgb> pixels_;
    RasterPen pen_ { makeRgb(0, 0, 0), 1, {} }; // the pen's colour, width and dash mask
    PenStyle penStyle_ = PenStyle::Solid;
    Rgb brushColor_ = makeRgb(255, 255, 255);
    BrushStyle brushStyle_ = BrushStyle::Solid;
    std::int64_t penX_ = 0, penY_ = 0;
    std::uint32_t dashPos_ = 0; // pixels of the dash pattern used since the last moveTo
};

} // namespace quarnis
