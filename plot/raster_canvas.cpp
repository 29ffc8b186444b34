#include "raster_canvas.h"

#include <algorithm>
#include <cassert>

namespace quarnis {

RasterCanvas::RasterCanvas(int width, int height, Rgb background)
    : width_(width)
    , height_(height)
    , pixels_(std::size_t(width) * std::size_t(height), background)
{
    assert(width >= 0 && height >= 0);
}

void RasterCanvas::setPenWidth(int width)
{
    pen_.width = std::clamp(width, 1, kMaxPenWidth);
    pen_.dashMask = dashMask(penStyle_, pen_.width);
}

void RasterCanvas::setPenStyle(PenStyle style)
{
    penStyle_ = style;
    pen_.dashMask = dashMask(penStyle_, pen_.width);
}

void RasterCanvas::moveTo(std::int64_t x, std::int64_t y)
{
    penX_ = x;
    penY_ = y;
    dashPos_ = 0;
}

void RasterCanvas::lineTo(std::int64_t x, std::int64_t y)
{
    drawLine(grid(), pen_, penX_, penY_, x, y, dashPos_);
    penX_ = x;
    penY_ = y;
}

void RasterCanvas::rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2)
{
    drawRectangle(grid(), pen_, brushColor_, brushStyle_, x1, y1, x2, y2);
}

void RasterCanvas::setPixel(std::int64_t x, std::int64_t y, Rgb color)
{
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
        pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = color;
}

} // namespace quarnis
