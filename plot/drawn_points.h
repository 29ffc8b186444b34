#pragma once
// Where "Grafik Çiz" put each point of the curve, for reading values off the surface: the
// point nearest to a pixel, nearest in pixels on the surface.
//
//   DrawnPoints d({ { 228, 144, 0, 0 }, { 250, 122, 1, 2 } });
//   d.nearest(240, 130) -> 1 (the point of line 2, at (250, 122))

#include <cstddef>
#include <optional>
#include <vector>

namespace quarnis {

// A point of the point table as the curve drew it: the pixel it landed on, its index in the
// point table and the index of the result line it was read from.
struct DrawnPoint {
    int column, row;
    std::size_t point, line;

    friend bool operator==(const DrawnPoint&, const DrawnPoint&) = default;
};

// What one "Grafik Çiz" drew, gathered while it draws: begun once the curve is being drawn
// (a refused command begins none), the points that landed on the surface in table order.
// A command that fails midway keeps the points drawn before.
struct DrawnCurve {
    bool begun = false;
    std::vector<DrawnPoint> points;
};

// The points of a drawn curve in table order, with an index by column for nearest-point
// queries: a pointer move over 65536 points looks at a few columns around the pointer, each
// by a binary search over its rows.
class DrawnPoints {
public:
    DrawnPoints() = default;
    explicit DrawnPoints(std::vector<DrawnPoint> points);

    const std::vector<DrawnPoint>& points() const { return points_; }
    bool empty() const { return points_.empty(); }

    // The index in points() of the point nearest to pixel (x, y) by Euclidean distance; of
    // points at the same distance the one first in table order. Nothing when there are none.
    std::optional<std::size_t> nearest(int x, int y) const;

private:
    // One per pixel drawn on, sorted by column and row: the pixel's row and the first point
    // (in table order) that landed on it.
    struct Entry {
        int row;
        std::size_t order;
    };
    // One per column drawn on, in column order: its entries start at entries_[start].
    struct Column {
        int column;
        std::size_t start;
    };
    struct Best;
    void searchColumn(std::size_t c, int x, int y, Best& best) const;

    std::vector<DrawnPoint> points_;
    std::vector<Entry> entries_;
    std::vector<Column> columns_;
};

} // namespace quarnis
