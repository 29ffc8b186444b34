#pragma once
// Reads the plot settings from the graph window's controls at the moment a command runs.
// The window's controls carry the names of the layout (cAlanTip, bColorAlan, xScale, ...);
// ReadPlotSettings takes any window that has them.

#include "plot_commands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <optional>

namespace quarnis {

// The index of the list's entry whose text the field shows; nothing when the user typed a
// text of their own that is no entry ("2/3" in "X Orj").
inline std::optional<int> ListIndex(const QComboBox& list)
{
    const QString text = list.currentText();
    if (list.currentIndex() >= 0 && list.itemText(list.currentIndex()) == text)
        return list.currentIndex();
    const int i = list.findText(text, Qt::MatchExactly);
    return i >= 0 ? std::optional<int>(i) : std::nullopt;
}

template <class Window> PlotSettings ReadPlotSettings(const Window& w)
{
    PlotSettings s;
    s.areaColor = w.bColorAlan->color();
    s.curveColor = w.bColorGraf->color();
    s.axesColor = w.bColorXY->color();
    s.gridColor = w.bColorGrid->color();
    s.areaStyle = ListIndex(*w.cAlanTip);
    s.axesStyle = ListIndex(*w.cXYTip);
    s.curveStyle = ListIndex(*w.cGrafTip);
    s.gridStyle = ListIndex(*w.cGridTip);
    s.curveKind = ListIndex(*w.cGraphTip);
    s.axisColumn = ListIndex(*w.cXPerc);
    s.axisRow = ListIndex(*w.cYPerc);
    s.scaleMeasure = ListIndex(*w.cScTip);
    s.grid = w.sGrid->isChecked();
    s.axesWidth = w.cXYWidth->currentText();
    s.gridCount = w.cGridType->currentText();
    s.curveWidth = w.cGrafWidth->currentText();
    s.xScale = w.xScale->text();
    s.yScale = w.yScale->text();
    return s;
}

// The surface, the plot object and the result list of the window, for a command that
// shows its boxes over the window.
template <class Window> PlotTarget PlotTargetOf(Window& w, bool& coordSystemDrawn)
{
    return PlotTarget { *w.GrapBox, *w.Graph1D, coordSystemDrawn, w.cCalcExec->count(), &w };
}

} // namespace quarnis
