#include "plot_controls.h"

#include "tabulation/number_reading.h"

#include <algorithm>

namespace quarnis {

namespace {

    template <typename Enum>
    std::optional<Enum> entryOf(
        std::u16string_view text, std::span<const std::u16string_view> entries)
    {
        const std::optional<int> i = entryIndex(text, entries);
        return i ? std::optional<Enum>(Enum(*i)) : std::nullopt;
    }

} // namespace

std::optional<int> entryIndex(
    std::u16string_view text, std::span<const std::u16string_view> entries)
{
    const auto at = std::find(entries.begin(), entries.end(), text);
    return at == entries.end() ? std::nullopt : std::optional<int>(int(at - entries.begin()));
}

int penWidthOf(std::u16string_view text) { return tryReadWholeNumber(text).value_or(1); }

PlotSettings plotSettingsOf(const PlotControls& c)
{
    PlotSettings s;
    s.areaColor = c.areaColor;
    s.curveColor = c.curveColor;
    s.axesColor = c.axesColor;
    s.gridColor = c.gridColor;
    s.areaStyle = entryOf<BrushStyle>(c.areaStyle, kFillStyleEntries);
    s.axesStyle = entryOf<PenStyle>(c.axesStyle, kLineStyleEntries);
    s.curveStyle = entryOf<PenStyle>(c.curveStyle, kLineStyleEntries);
    s.gridStyle = entryOf<PenStyle>(c.gridStyle, kLineStyleEntries);
    s.curveKind = entryOf<CurveKind>(c.curveKind, kCurveKindEntries);
    s.yAxisColumn = entryOf<AxisPosition>(c.yOrigin, kAxisPositionEntries);
    s.xAxisRow = entryOf<AxisPosition>(c.xOrigin, kAxisPositionEntries);
    s.scaleMeasure = entryOf<ScaleMeasure>(c.scaleMeasure, kScaleMeasureEntries);
    s.grid = c.gridShown;
    s.axesWidth = penWidthOf(c.axesWidth);
    s.curveWidth = penWidthOf(c.curveWidth);
    s.gridCount = c.gridCount;
    s.xScale = c.xScale;
    s.yScale = c.yScale;
    return s;
}

} // namespace quarnis
