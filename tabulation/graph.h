#pragma once
// The plot object of the graph window: the origin and scales of the drawing and the point
// table loaded from the tabulation's result lines.
//
//   textBetween(u"[3]:(-0.5,2.25)", u"(", u",") -> "-0.5"
//   loadPoints({ u"[0]:(0,1E-5)", u"[1]:(0.5,Yazım Hatası...)" }) -> one point (0, 0.00001)

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quarnis {

struct PlotPoint {
    double x, y;
};

// The plot object (`Graph`), with its `PlotPoint` pairs.
class Graph {
public:
    // Pixel column of the vertical axis and pixel row of the horizontal axis on the surface
    // (rows count downwards); set only when the axes are drawn.
    std::uint16_t originX = 0;
    std::uint16_t originY = 0;
    // One point per result line of the last load, in line order.
    std::vector<PlotPoint> points;
    // The index of the result line each point was read from: lines of failed points give
    // no point, so point i stands on line PointLines[i] >= i. Empty when the table was filled
    // otherwise than by loadPoints; point i then counts as line i.
    std::vector<std::size_t> pointLines;
    // Pixels per unit: working copies of the scale fields.
    double scaleX = 0.0;
    double scaleY = 0.0;

    // Rebuilds the point table from the result lines "[i]:(x,f(x))": x is read between the
    // first "(" and the first ",", f(x) between the first "," and the first ")". A line whose
    // numbers do not convert (a point at which the function failed) gives no point. With no
    // lines the table keeps what it holds.
    void loadPoints(const std::vector<std::u16string>& lines);
};

// The text of s between the first occurrence of left and the first occurrence of right:
// the characters from just after the start of left up to right, or the empty text when right
// does not come after that. A text that does not occur counts as standing at position 0.
// The result is a view into s.
std::u16string_view textBetween(
    std::u16string_view s, std::u16string_view left, std::u16string_view right);

} // namespace quarnis
