#include "drawn_points.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <numeric>

namespace quarnis {

struct DrawnPoints::Best {
    double distance = std::numeric_limits<double>::infinity(); // squared, in pixels
    std::optional<std::size_t> order;

    void offer(double d, std::size_t o)
    {
        if (d < distance || (d == distance && o < *order)) {
            distance = d;
            order = o;
        }
    }
};

namespace {

    double squared(std::int64_t d) { return double(d) * double(d); }

} // namespace

DrawnPoints::DrawnPoints(std::vector<DrawnPoint> points)
    : points_(std::move(points))
{
    std::vector<std::size_t> order(points_.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    // Stable: of the points on one pixel the first in table order comes first and stays.
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        const DrawnPoint &p = points_[a], &q = points_[b];
        return p.column != q.column ? p.column < q.column : p.row < q.row;
    });
    for (const std::size_t o : order) {
        const DrawnPoint& p = points_[o];
        if (columns_.empty() || columns_.back().column != p.column)
            columns_.push_back({ p.column, entries_.size() });
        else if (entries_.back().row == p.row)
            continue;
        entries_.push_back({ p.row, o });
    }
}

// The nearest rows of a column are the first at or below y and the last above it.
void DrawnPoints::searchColumn(std::size_t c, int x, int y, Best& best) const
{
    const auto begin = entries_.begin() + std::ptrdiff_t(columns_[c].start);
    const auto end = c + 1 < columns_.size()
        ? entries_.begin() + std::ptrdiff_t(columns_[c + 1].start)
        : entries_.end();
    const double across = squared(std::int64_t(columns_[c].column) - x);
    const auto below
        = std::lower_bound(begin, end, y, [](const Entry& e, int row) { return e.row < row; });
    if (below != end)
        best.offer(across + squared(std::int64_t(below->row) - y), below->order);
    if (below != begin)
        best.offer(
            across + squared(std::int64_t(std::prev(below)->row) - y), std::prev(below)->order);
}

std::optional<std::size_t> DrawnPoints::nearest(int x, int y) const
{
    // Columns are visited outwards from x, nearer side first, until a column is farther
    // away than the best point found; one at the same distance may still hold a tie.
    const auto firstRight = std::lower_bound(columns_.begin(), columns_.end(), x,
        [](const Column& c, int column) { return c.column < column; });
    std::size_t left = std::size_t(firstRight - columns_.begin()), right = left;
    constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::max();
    Best best;
    for (;;) {
        const std::int64_t toLeft = left > 0 ? std::int64_t(x) - columns_[left - 1].column : kNone;
        const std::int64_t toRight
            = right < columns_.size() ? std::int64_t(columns_[right].column) - x : kNone;
        const std::int64_t next = std::min(toLeft, toRight);
        if (next == kNone || squared(next) > best.distance)
            break;
        searchColumn(toLeft <= toRight ? --left : right++, x, y, best);
    }
    return best.order;
}

} // namespace quarnis
