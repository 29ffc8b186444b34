#include "plot_commands.h"

#include "engine/checked.h"
#include "engine/number_format.h"
#include "engine/runtime_error.h"
#include "tabulation/number_reading.h"

#include <cfloat>
#include <cmath>

namespace quarnis {

namespace {

    constexpr std::u16string_view kNotTabulatedCaption = u"Fonksiyon Hesaplanmamış!";
    constexpr std::u16string_view kNotTabulatedText = u"[HESAPLA] tuşuna basınız...";
    constexpr std::u16string_view kNoCoordinatesCaption = u"Koordinat Sistemi Yok!";
    constexpr std::u16string_view kNoCoordinatesText = u"[Grafik Temizle] tuşuna basınız...";
    constexpr std::u16string_view kYScaleZero
        = u"[Y] Ölçek Sıfır!...Başlangıç değerine (1.0) setlenecek...";
    constexpr std::u16string_view kXScaleZero
        = u"[X] Ölçek Sıfır!...Başlangıç değerine (1.0) setlenecek...";

    constexpr Extended kTwo63 = 9223372036854775808.0L;

    // A whole number of pixels from an Extended value, truncated or rounded beforehand; a
    // value beyond the 64-bit integer range is an invalid operation.
    std::int64_t toInt64(Extended v)
    {
        if (!(v >= -kTwo63 && v < kTwo63))
            raise(ErrorKind::Invalid);
        return static_cast<std::int64_t>(v);
    }

    // trunc(a / b) as a whole-number scale: 228 / 10 -> 22, 144 / 5.05 -> 28.
    double truncatedQuotient(Extended a, Extended b)
    {
        return double(toInt64(truncl(checked::div(a, b))));
    }

    std::int64_t saturatedAdd(std::int64_t a, std::int64_t b)
    {
        std::int64_t r;
        if (__builtin_add_overflow(a, b, &r))
            return b > 0 ? INT64_MAX : INT64_MIN;
        return r;
    }

    std::int64_t saturatedSub(std::int64_t a, std::int64_t b)
    {
        std::int64_t r;
        if (__builtin_sub_overflow(a, b, &r))
            return b < 0 ? INT64_MAX : INT64_MIN;
        return r;
    }

    // round(scale * v): the product in Extended, halves to the even neighbour.
    std::int64_t roundedProduct(double scale, double v)
    {
        return toInt64(checked::roundInt(Extended(scale) * Extended(v)));
    }

    // The column (or row) that an axis position selects on a size of pixels.
    std::optional<int> axisPositionOf(std::optional<AxisPosition> position, int size)
    {
        if (!position)
            return std::nullopt;
        switch (*position) {
        case AxisPosition::Half:
            return size / 2;
        case AxisPosition::Quarter:
            return size / 4;
        case AxisPosition::ThreeQuarters:
            return (size / 4) * 3;
        }
        return std::nullopt;
    }

    // The grid count, strictly: a text that is not a whole number, or a number outside
    // 0 .. 255, ends the command; 0 divides by zero at the next step.
    int gridCountOf(std::u16string_view text)
    {
        const int n = readWholeNumber(text);
        if (n < 0 || n > 255)
            throw RuntimeError(ErrorKind::Conversion, "Grid sayısı 1 ile 255 arasında olmalıdır");
        if (n == 0)
            throw RuntimeError(ErrorKind::ZeroDivide, "Division by zero");
        return n;
    }

    // The number in a scale text, or fallback when the text is not a number; a number
    // beyond the Double range raises "Floating point overflow".
    double numberOr(std::u16string_view text, double fallback)
    {
        const std::optional<Extended> v = tryReadNumber(text);
        return v ? checked::toDouble(*v) : fallback;
    }

} // namespace

void clearGraphArea(PlotTarget& t, const PlotSettings& s)
{
    Canvas& g = t.canvas;
    g.setBrushColor(s.areaColor);
    if (s.areaStyle)
        g.setBrushStyle(*s.areaStyle);
    // The pen's style is left as the last drawing set it, so the frame takes that style.
    g.setPenColor(makeRgb(0, 0, 0));
    g.setPenWidth(1);
    g.rectangle(0, 0, g.surfaceWidth(), g.surfaceHeight());
    t.coordSystemDrawn = true;
    if (s.grid)
        drawGrid(g, s);
    drawAxes(g, t.graph, s);
}

void drawGrid(Canvas& g, const PlotSettings& s)
{
    const int n = gridCountOf(s.gridCount);
    const int w = g.surfaceWidth(), h = g.surfaceHeight();
    const int dx = w / n, dy = h / n;
    g.setPenWidth(1);
    g.setPenColor(s.gridColor);
    // A text of the user's own in the grid's list draws it dotted, as at the start.
    g.setPenStyle(s.gridStyle.value_or(PenStyle::Dot));
    for (int i = 1; i < n; ++i) {
        g.moveTo(i * dx, 0);
        g.lineTo(i * dx, h);
    }
    for (int j = 1; j < n; ++j) {
        g.moveTo(0, j * dy);
        g.lineTo(w, j * dy);
    }
}

void drawAxes(Canvas& g, Graph& graph, const PlotSettings& s)
{
    const int w = g.surfaceWidth(), h = g.surfaceHeight();
    if (auto x = axisPositionOf(s.yAxisColumn, w))
        graph.originX = std::uint16_t(*x);
    if (auto y = axisPositionOf(s.xAxisRow, h))
        graph.originY = std::uint16_t(*y);
    g.setPenWidth(s.axesWidth);
    g.setPenColor(s.axesColor);
    if (s.axesStyle)
        g.setPenStyle(*s.axesStyle);
    g.moveTo(graph.originX, 0);
    g.lineTo(graph.originX, h);
    g.moveTo(0, graph.originY);
    g.lineTo(w, graph.originY);
}

double maxValue(const Graph& graph)
{
    double m = 0;
    for (const PlotPoint& p : graph.points)
        if (p.y > m)
            m = p.y;
    return m;
}

double meanAbsValue(const Graph& graph)
{
    double sum = 0;
    for (const PlotPoint& p : graph.points)
        sum = checked::toDouble(checked::add(sum, std::fabs(p.y)));
    return checked::toDouble(checked::div(sum, Extended(graph.points.size()) - 1));
}

std::optional<std::pair<std::u16string, std::u16string>> autoScale(
    PlotTarget& t, const PlotSettings& s)
{
    if (!t.coordSystemDrawn)
        clearGraphArea(t, s);
    if (t.resultLines == 0) {
        t.report.refuse(kNotTabulatedCaption, kNotTabulatedText);
        return std::nullopt;
    }
    Graph& graph = t.graph;
    if (graph.points.empty())
        return std::nullopt;
    if (s.scaleMeasure == ScaleMeasure::Max)
        graph.scaleY = truncatedQuotient(graph.originY, maxValue(graph));
    else if (s.scaleMeasure == ScaleMeasure::Mean)
        graph.scaleY = truncatedQuotient(graph.originY, meanAbsValue(graph));
    const Extended extent
        = checked::sub(graph.points.back().x, static_cast<Extended>(graph.points.front().x));
    graph.scaleX = truncatedQuotient(graph.originX, extent);
    if (graph.scaleY == 0) {
        t.report.notify(kYScaleZero);
        graph.scaleY = 1.0;
    }
    if (graph.scaleX == 0) {
        t.report.notify(kXScaleZero);
        graph.scaleX = 1.0;
    }
    return std::pair { generalNumberText(graph.scaleX), generalNumberText(graph.scaleY) };
}

void drawGraph(PlotTarget& t, const PlotSettings& s, DrawnCurve* drawn)
{
    if (t.graph.points.size() == 1)
        return;
    if (!t.coordSystemDrawn) {
        t.report.refuse(kNoCoordinatesCaption, kNoCoordinatesText);
        return;
    }
    if (t.resultLines == 0) {
        t.report.refuse(kNotTabulatedCaption, kNotTabulatedText);
        return;
    }
    drawCurve(t.canvas, t.graph, s, drawn);
}

void drawCurve(Canvas& g, Graph& graph, const PlotSettings& s, DrawnCurve* drawn)
{
    graph.scaleX = numberOr(s.xScale, 1.0);
    graph.scaleY = numberOr(s.yScale, 1.0);
    g.setPenColor(s.curveColor);
    g.setPenWidth(s.curveWidth);
    if (s.curveStyle)
        g.setPenStyle(*s.curveStyle);
    const bool points = s.curveKind == CurveKind::Points, line = s.curveKind == CurveKind::Line;
    DrawnCurve* const record = points || line ? drawn : nullptr;
    if (record)
        *record = { .begun = true, .points = {} };
    const std::int64_t w = g.surfaceWidth(), h = g.surfaceHeight();
    for (std::size_t i = 0; i < graph.points.size(); ++i) {
        const PlotPoint& p = graph.points[i];
        const std::int64_t col = saturatedAdd(roundedProduct(graph.scaleX, p.x), graph.originX);
        const std::int64_t row = saturatedSub(graph.originY, roundedProduct(graph.scaleY, p.y));
        if (i == 0)
            g.moveTo(col, row);
        if (points) {
            g.moveTo(col, row);
            g.setPixel(col, row, s.curveColor);
        } else if (line) {
            g.lineTo(col, row);
        }
        // A point outside the surface painted nothing that could be pointed at.
        if (record && col >= 0 && col < w && row >= 0 && row < h) {
            const std::size_t lineIndex = i < graph.pointLines.size() ? graph.pointLines[i] : i;
            record->points.push_back({ int(col), int(row), i, lineIndex });
        }
    }
}

} // namespace quarnis
