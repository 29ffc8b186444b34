#pragma once
// The three plot commands of the graph window, as functions over the drawing surface and the
// plot object:
//   "Grafik Temizle"   ClearGraphArea (paints the area and frame, DrawGrid, DrawAxes)
//   "Oto. Ölçeklendir" AutoScale      (whole-number scales from the points and the origin)
//   "Grafik Çiz"       DoGraph        (DrawCurve: the points as pixels or as a polyline)
// The settings come in a PlotSettings read from the controls when the command runs; texts
// are converted at the step that uses them, so a bad text ends the command there and leaves
// what was drawn before. Such errors escape as exceptions for the general error box.

#include "tabulation/point_table.h"
#include "plot_surface.h"

#include <QColor>
#include <QString>

#include <optional>
#include <utility>

class QWidget;

namespace quarnis {

// Every plot setting as the controls hold it. A list read by index has no index when the
// user typed a text of their own; the defaults are the window's start settings.
struct PlotSettings {
    QColor areaColor { 166, 202, 240 }; // bColorAlan
    QColor curveColor { 0, 0, 0 }; // bColorGraf
    QColor axesColor { 0, 128, 0 }; // bColorXY
    QColor gridColor { 128, 128, 128 }; // bColorGrid
    std::optional<int> areaStyle = 0; // cAlanTip: "Dolu", "Boş", six hatches
    std::optional<int> axesStyle = 0; // cXYTip: five line styles
    std::optional<int> curveStyle = 0; // cGrafTip
    std::optional<int> gridStyle = 2; // cGridTip ("Noktalı")
    std::optional<int> curveKind = 0; // cGraphTip: 0 "Nokta", 1 "Çizgi"
    std::optional<int> axisColumn = 0; // cXPerc: "1/2", "1/4", "3/4" of the width
    std::optional<int> axisRow = 0; // cYPerc: the same of the height
    std::optional<int> scaleMeasure = 0; // cScTip: 0 "Max", 1 "Ort"
    bool grid = true; // sGrid
    QString axesWidth = QStringLiteral("1"); // cXYWidth
    QString gridCount = QStringLiteral("4"); // cGridType
    QString curveWidth = QStringLiteral("1"); // cGrafWidth
    QString xScale = QStringLiteral("1.0"); // xScale
    QString yScale = QStringLiteral("1.0"); // yScale
};

// What a command needs besides the settings: the surface, the plot object, the flag set by
// the first "Grafik Temizle" and the number of lines in the result list.
struct PlotTarget {
    PlotSurface& surface;
    TGraph1D& graph;
    bool& coordSystemDrawn;
    int resultLines = 0;
    QWidget* parent = nullptr; // of the message boxes
};

// Line style of an index of cXYTip, cGrafTip or cGridTip; nothing for no index.
std::optional<PenStyle> LineStyleOf(std::optional<int> index);

// "Grafik Temizle": area and frame, then the grid when sGrid is checked, then the axes.
void ClearGraphArea(PlotTarget& t, const PlotSettings& s);
// n - 1 vertical and n - 1 horizontal lines dividing the surface into n x n cells.
void DrawGrid(PlotSurface& surface, const PlotSettings& s);
// Sets the origin from the position lists and draws the two axes through it.
void DrawAxes(PlotSurface& surface, TGraph1D& graph, const PlotSettings& s);

// The largest Y of the table, or 0 when no Y is positive.
double MaxValue(const TGraph1D& graph);
// The sum of |Y| divided by the number of points less one.
double MeanAbsValue(const TGraph1D& graph);

// "Oto. Ölçeklendir". Gives the new texts of xScale and yScale, or nothing when the command
// stopped before writing them.
std::optional<std::pair<QString, QString>> AutoScale(PlotTarget& t, const PlotSettings& s);

// "Grafik Çiz".
void DoGraph(PlotTarget& t, const PlotSettings& s);
// Loads the scales from the scale texts and draws the point table.
void DrawCurve(PlotSurface& surface, TGraph1D& graph, const PlotSettings& s);

} // namespace quarnis
