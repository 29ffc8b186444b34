#include "picture_canvas.h"

#include <algorithm>
#include <cstring>

namespace quarnis {

namespace {

    __extension__ typedef __int128 Int128;
    __extension__ typedef unsigned __int128 UInt128;

    // A coordinate as a whole number and the fraction above it, 0 <= fraction < 1.
    struct Split {
        Int128 whole;
        long double fraction;
        double value() const { return double(static_cast<long double>(whole) + fraction); }
    };

    // The box recorded lines are cut to: [lo, hiX] x [lo, hiY].
    struct Box {
        std::int64_t lo, hiX, hiY;
    };

    UInt128 magnitude(Int128 v) { return v < 0 ? -UInt128(v) : UInt128(v); }

    // b0 + (e - a0) (b1 - b0) / (a1 - a0), where the line through (a0, b0) and (a1, b1) meets
    // a = e (a0 != a1). The product takes up to 128 bits, more than long double holds, so it
    // is worked in integers and only the fraction is rounded. A point so far off that its
    // whole part would not fit is put 2^100 beyond b0.
    Split crossing(Int128 e, Int128 a0, Int128 b0, Int128 a1, Int128 b1)
    {
        const Int128 da = a1 - a0, db = b1 - b0, de = e - a0;
        const UInt128 den = magnitude(da), num = magnitude(de) * magnitude(db);
        UInt128 whole = std::min(num / den, UInt128(1) << 100), rest = num % den;
        const bool negative = ((de < 0) != (db < 0)) != (da < 0);
        if (negative && rest != 0) { // the floor of a negative quotient
            ++whole;
            rest = den - rest;
        }
        return { b0 + (negative ? -Int128(whole) : Int128(whole)),
            static_cast<long double>(rest) / static_cast<long double>(den) };
    }

    // Where the segment from (x0, y0), which lies outside the box, to (x1, y1) comes into it:
    // it crosses an edge that (x0, y0) lies beyond at a point within the box's other extent.
    // False when it misses the box.
    bool entry(const Box& box, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
        Split& x, Split& y)
    {
        const auto within = [](const Split& c, std::int64_t lo, std::int64_t hi) {
            return c.whole >= lo && (c.whole < hi || (c.whole == hi && c.fraction == 0));
        };
        for (const std::int64_t e : { box.lo, box.hiX })
            if (e == box.lo ? x0 < e && x1 >= e : x0 > e && x1 <= e) {
                const Split c = crossing(e, x0, y0, x1, y1);
                if (within(c, box.lo, box.hiY)) {
                    x = { e, 0 };
                    y = c;
                    return true;
                }
            }
        for (const std::int64_t e : { box.lo, box.hiY })
            if (e == box.lo ? y0 < e && y1 >= e : y0 > e && y1 <= e) {
                const Split c = crossing(e, y0, x0, y1, x1);
                if (within(c, box.lo, box.hiX)) {
                    x = c;
                    y = { e, 0 };
                    return true;
                }
            }
        return false;
    }

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

    // The part within the box, its ends where the true line crosses the box's edges: the
    // raster steps the true line however far its ends lie, so the cut must not move it.
    const std::int64_t r = reach();
    const Box box { -r, surfaceWidth() + r, surfaceHeight() + r };
    const auto inBox = [&box](std::int64_t px, std::int64_t py) {
        return px >= box.lo && px <= box.hiX && py >= box.lo && py <= box.hiY;
    };
    const bool startIn = inBox(x0, y0), endIn = inBox(x, y);
    Split ax { x0, 0 }, ay { y0, 0 }, bx { x, 0 }, by { y, 0 };
    if ((!startIn && !entry(box, x0, y0, x, y, ax, ay))
        || (!endIn && !entry(box, x, y, x0, y0, bx, by))) {
        penInside_ = false;
        return;
    }
    const bool continuing
        = open_ && penInside_ && startIn && items_.back().kind == PictureItem::Kind::Polyline;
    if (!continuing) {
        closeOpenItem();
        startItem(PictureItem::Kind::Polyline);
        // The raster's dash pattern where the visible part begins: at the step nearest to
        // where the line comes in, its distance from the start along the larger axis rounded
        // with halves up.
        if (period) {
            const bool xMajor = absDifference(x, x0) >= absDifference(y, y0);
            const Split& in = xMajor ? ax : ay;
            const Int128 w = in.whole - (xMajor ? x0 : y0);
            const UInt128 skipped = w >= 0 ? UInt128(w) + (in.fraction >= 0.5)
                                           : UInt128(-w - 1) + (in.fraction <= 0.5);
            items_.back().dashPos = std::uint32_t((dashAtStart + skipped % period) % period);
        }
        addPoint(ax.value(), ay.value());
    }
    addPoint(bx.value(), by.value());
    penInside_ = endIn;
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
