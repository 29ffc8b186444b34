#include "graph.h"

#include "number_reading.h"

namespace quarnis {

namespace {

    // 1-based position of the first occurrence of what in s; 0 when it does not occur or is
    // empty.
    std::size_t position(std::u16string_view s, std::u16string_view what)
    {
        if (what.empty())
            return 0;
        const std::size_t p = s.find(what);
        return p == std::u16string_view::npos ? 0 : p + 1;
    }

} // namespace

std::u16string_view textBetween(
    std::u16string_view s, std::u16string_view left, std::u16string_view right)
{
    const std::size_t a = position(s, left) + 1;
    const std::size_t b = position(s, right);
    if (b <= a)
        return {};
    return s.substr(a - 1, b - a);
}

void Graph::loadPoints(const std::vector<std::u16string>& lines)
{
    if (lines.empty())
        return;
    points.clear();
    pointLines.clear();
    points.reserve(lines.size());
    pointLines.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<double> x = tryReadDouble(textBetween(lines[i], u"(", u","));
        const std::optional<double> y = tryReadDouble(textBetween(lines[i], u",", u")"));
        if (x && y) {
            points.push_back({ *x, *y });
            pointLines.push_back(i);
        }
    }
}

} // namespace quarnis
