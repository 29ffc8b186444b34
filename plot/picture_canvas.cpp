#include "picture_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quarnis {

namespace {

    std::uint64_t absDifference(std::int64_t a, std::int64_t b)
    {
        return a >= b ? std::uint64_t(a) - std::uint64_t(b) : std::uint64_t(b) - std::uint64_t(a);
    }

    // FNV-1a over the bytes of the item's fields.
    std::uint64_t hashOf(const PictureItem& item)
    {
        std::uint64_t h = 14695981039346656037ull;
        auto add = [&h](const void* data, std::size_t size) {
            const auto* bytes = static_cast<const unsigned char*>(data);
            for (std::size_t i = 0; i < size; ++i) {
                h ^= bytes[i];
                h *= 1099511628211ull;
            }
        };
        const std::uint32_t fields[] = { std::uint32_t(item.kind), item.penColor,
            std::uint32_t(item.penWidth), std::uint32_t(item.penStyle), item.brushColor,
            std::uint32_t(item.brushStyle), item.dashPos };
        add(fields, sizeof fields);
        add(item.points.data(), item.points.size() * sizeof(PicturePoint));
        return h;
    }

} // namespace

PictureCanvas::PictureCanvas(int width, int height, Rgb background)
    : raster_(width, height, background)
    , background_(background)
{
}

std::int64_t PictureCanvas::reach() const { return kPictureMargin + raster_.penWidth(); }

void PictureCanvas::setPenColor(Rgb color)
{
    if (color != raster_.penColor() && open_ && items_.back().kind == PictureItem::Kind::Polyline)
        closeOpenItem();
    raster_.setPenColor(color);
}

void PictureCanvas::setPenWidth(int width)
{
    const int before = raster_.penWidth();
    raster_.setPenWidth(width);
    if (raster_.penWidth() != before && open_ && items_.back().kind == PictureItem::Kind::Polyline)
        closeOpenItem();
}

void PictureCanvas::setPenStyle(PenStyle style)
{
    if (style != raster_.penStyle() && open_ && items_.back().kind == PictureItem::Kind::Polyline)
        closeOpenItem();
    raster_.setPenStyle(style);
}

void PictureCanvas::moveTo(std::int64_t x, std::int64_t y)
{
    raster_.moveTo(x, y);
    if (open_ && items_.back().kind == PictureItem::Kind::Polyline)
        closeOpenItem();
    dashPos_ = 0;
    penInside_ = false;
}

void PictureCanvas::lineTo(std::int64_t x, std::int64_t y)
{
    const std::int64_t x0 = raster_.penX(), y0 = raster_.penY();
    raster_.lineTo(x, y);
    if (x0 == x && y0 == y)
        return;
    const std::uint64_t steps = std::max(absDifference(x, x0), absDifference(y, y0));
    const std::uint32_t period
        = std::uint32_t(dashMask(raster_.penStyle(), 1).size()) * std::uint32_t(raster_.penWidth());
    const std::uint32_t dashAtStart = dashPos_;
    if (period)
        dashPos_ = std::uint32_t((dashPos_ + steps % period) % period);

    const long double r = reach();
    long double t0, t1;
    if (!clipSegment(x0, y0, x, y, -r, surfaceWidth() + r, surfaceHeight() + r, t0, t1)) {
        penInside_ = false;
        return;
    }
    const long double dx = static_cast<long double>(x) - x0;
    const long double dy = static_cast<long double>(y) - y0;
    const bool continuing
        = open_ && penInside_ && t0 == 0 && items_.back().kind == PictureItem::Kind::Polyline;
    if (!continuing) {
        closeOpenItem();
        startItem(PictureItem::Kind::Polyline);
        // The raster's dash pattern where the visible part begins.
        if (period) {
            // Up to 2^64 steps: rounded and reduced in long double, which holds them all.
            const long double skipped = std::round(t0 * static_cast<long double>(steps));
            items_.back().dashPos = std::uint32_t(
                (dashAtStart + std::uint32_t(std::fmod(skipped, static_cast<long double>(period))))
                % period);
        }
        addPoint(double(x0 + t0 * dx), double(y0 + t0 * dy));
    }
    if (t1 == 1)
        addPoint(double(x), double(y));
    else
        addPoint(double(x0 + t1 * dx), double(y0 + t1 * dy));
    penInside_ = t1 == 1;
}

void PictureCanvas::rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2)
{
    raster_.rectangle(x1, y1, x2, y2);
    if (!orderCorners(x1, y1, x2, y2))
        return;
    closeOpenItem();
    const std::int64_t r = reach();
    const std::int64_t w = surfaceWidth(), h = surfaceHeight();
    if (x2 <= -r || y2 <= -r || x1 >= w + r || y1 >= h + r)
        return; // neither its fill nor its outline reaches the surface
    const bool coversAll = x1 <= 0 && y1 <= 0 && x2 >= w && y2 >= h;
    if (coversAll && raster_.brushStyle() == BrushStyle::Solid) {
        // Nothing drawn before shows any more.
        items_.clear();
        itemHashes_.clear();
        backdrop_.clear();
        recordedPoints_ = 0;
    }
    // A dashed outline's pattern runs on from the true corners; a side cut by whole periods
    // of it keeps the pattern in step where the outline shows.
    const std::uint64_t period
        = std::uint64_t(dashMask(raster_.penStyle(), 1).size()) * std::uint64_t(raster_.penWidth());
    auto cut = [period](std::int64_t v, std::int64_t edge, std::int64_t outward) {
        if (outward < 0 ? v >= edge : v <= edge)
            return v;
        return period ? edge + outward * std::int64_t(absDifference(v, edge) % period) : edge;
    };
    startItem(PictureItem::Kind::Rectangle);
    addPoint(double(cut(x1, -r, -1)), double(cut(y1, -r, -1)));
    addPoint(double(cut(x2, w + r, 1)), double(cut(y2, h + r, 1)));
    closeOpenItem();
}

void PictureCanvas::setPixel(std::int64_t x, std::int64_t y, Rgb color)
{
    raster_.setPixel(x, y, color);
    if (x < 0 || y < 0 || x >= surfaceWidth() || y >= surfaceHeight())
        return;
    if (!(open_ && items_.back().kind == PictureItem::Kind::Pixels
            && items_.back().penColor == color)) {
        closeOpenItem();
        startItem(PictureItem::Kind::Pixels);
        items_.back().penColor = color;
    }
    // A pixel painted again in the same run adds nothing.
    const std::size_t at = std::size_t(y) * std::size_t(surfaceWidth()) + std::size_t(x);
    if (inRun_.empty())
        inRun_.resize(raster_.pixels().size());
    if (inRun_[at])
        return;
    inRun_[at] = true;
    addPoint(double(x), double(y));
}

void PictureCanvas::startItem(PictureItem::Kind kind)
{
    PictureItem item;
    item.kind = kind;
    item.penColor = raster_.penColor();
    item.penWidth = raster_.penWidth();
    item.penStyle = raster_.penStyle();
    item.brushColor = raster_.brushColor();
    item.brushStyle = raster_.brushStyle();
    items_.push_back(std::move(item));
    itemHashes_.push_back(0);
    open_ = true;
}

void PictureCanvas::addPoint(double x, double y)
{
    items_.back().points.push_back({ float(x), float(y) });
    ++recordedPoints_;
}

void PictureCanvas::closeOpenItem()
{
    if (!open_)
        return;
    open_ = false;
    const PictureItem& last = items_.back();
    if (last.kind == PictureItem::Kind::Pixels)
        for (const PicturePoint& p : last.points)
            inRun_[std::size_t(p.y) * std::size_t(surfaceWidth()) + std::size_t(p.x)] = false;
    const std::uint64_t hash = hashOf(last);
    itemHashes_.back() = hash;
    for (std::size_t i = items_.size() - 1; i-- > 0;) {
        if (itemHashes_[i] == hash && items_[i] == last) {
            recordedPoints_ -= items_[i].points.size();
            items_.erase(items_.begin() + std::ptrdiff_t(i));
            itemHashes_.erase(itemHashes_.begin() + std::ptrdiff_t(i));
            break; // an earlier repeat would have been dropped when this one came
        }
    }
    limitMemory();
}

void PictureCanvas::limitMemory()
{
    if (recordedPoints_ <= recordingLimit_)
        return;
    backdrop_ = raster_.pixels();
    items_.clear();
    itemHashes_.clear();
    recordedPoints_ = 0;
}

} // namespace quarnis
