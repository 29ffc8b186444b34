#pragma once
// The three plot commands of the graph window, as functions over a canvas and the plot
// object:
//   "Grafik Temizle"   clearGraphArea (paints the area and frame, drawGrid, drawAxes)
//   "Oto. Ölçeklendir" autoScale      (whole-number scales from the points and the origin)
//   "Grafik Çiz"       drawGraph        (drawCurve: the points as pixels or as a polyline)
// The settings come in a PlotSettings taken from the controls when the command runs; the
// texts in it are converted at the step that uses them, so a bad text ends the command there and leaves
// what was drawn before. Such errors escape as RuntimeError for the general error box.

#include "plot/canvas.h"
#include "plot/drawn_points.h"
#include "tabulation/graph.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace quarnis {

enum class CurveKind { Points, Line }; // "Nokta", "Çizgi"
// Where an axis crosses the surface: "1/2", "1/4", "3/4" of its width or height.
enum class AxisPosition { Half, Quarter, ThreeQuarters };
// What "Oto. Ölçeklendir" scales Y by: "Max" the largest Y, "Ort" the mean magnitude.
enum class ScaleMeasure { Max, Mean };

// Every plot setting as a value (plot/plot_controls.h gives them from the controls' state).
// A style, kind, position or measure is nothing when its list shows a text of the user's own
// that is no entry: the command then leaves that part of the drawing as the canvas had it.
// The defaults are the window's start settings.
struct PlotSettings {
    Rgb areaColor = makeRgb(166, 202, 240); // bColorAlan
    Rgb curveColor = makeRgb(0, 0, 0); // bColorGraf
    Rgb axesColor = makeRgb(0, 128, 0); // bColorXY
    Rgb gridColor = makeRgb(128, 128, 128); // bColorGrid
    std::optional<BrushStyle> areaStyle = BrushStyle::Solid; // cAlanTip
    std::optional<PenStyle> axesStyle = PenStyle::Solid; // cXYTip
    std::optional<PenStyle> curveStyle = PenStyle::Solid; // cGrafTip
    std::optional<PenStyle> gridStyle = PenStyle::Dot; // cGridTip ("Noktalı")
    std::optional<CurveKind> curveKind = CurveKind::Points; // cGraphTip
    std::optional<AxisPosition> yAxisColumn = AxisPosition::Half; // cXPerc beside "Y Orj"
    std::optional<AxisPosition> xAxisRow = AxisPosition::Half; // cYPerc beside "X Orj"
    std::optional<ScaleMeasure> scaleMeasure = ScaleMeasure::Max; // cScTip
    bool grid = true; // sGrid
    int axesWidth = 1; // cXYWidth, in pixels
    int curveWidth = 1; // cGrafWidth
    // These stay texts: reading them may fail, and the failure ends "Grafik Temizle" or
    // "Grafik Çiz" at the very step that reads them, after what the command drew before.
    std::u16string gridCount = u"4"; // cGridType
    std::u16string xScale = u"1.0"; // xScale
    std::u16string yScale = u"1.0"; // yScale
};

// How a command tells the user why it stops or what it changed; the window shows each as a
// modal message box with one OK button and no icon, at the moment the command calls.
class PlotReport {
public:
    // A refusal, in a box with a caption and a text of the program's own.
    virtual void refuse(std::u16string_view caption, std::u16string_view text) = 0;
    // A notice, in a box with the application title as caption.
    virtual void notify(std::u16string_view text) = 0;

protected:
    ~PlotReport() = default;
};

// What a command needs besides the settings: the canvas, the plot object, the flag set by
// the first "Grafik Temizle", the number of lines in the result list, and where to report.
struct PlotTarget {
    Canvas& canvas;
    Graph& graph;
    bool& coordSystemDrawn;
    std::size_t resultLines;
    PlotReport& report;
};

// "Grafik Temizle": area and frame, then the grid when sGrid is checked, then the axes.
void clearGraphArea(PlotTarget& t, const PlotSettings& s);
// n - 1 vertical and n - 1 horizontal lines dividing the canvas into n x n cells.
void drawGrid(Canvas& canvas, const PlotSettings& s);
// Sets the origin from the position lists and draws the two axes through it.
void drawAxes(Canvas& canvas, Graph& graph, const PlotSettings& s);

// The largest Y of the table, or 0 when no Y is positive.
double maxValue(const Graph& graph);
// The sum of |Y| divided by the number of points less one.
double meanAbsValue(const Graph& graph);

// "Oto. Ölçeklendir". Gives the new texts of xScale and yScale, or nothing when the command
// stopped before writing them.
std::optional<std::pair<std::u16string, std::u16string>> autoScale(
    PlotTarget& t, const PlotSettings& s);

// "Grafik Çiz". With `drawn`, gathers where the points landed (drawCurve).
void drawGraph(PlotTarget& t, const PlotSettings& s, DrawnCurve* drawn = nullptr);
// Loads the scales from the scale texts and draws the point table. With `drawn`, and a curve
// kind chosen, begins it afresh and adds each point that lands on the surface as it is drawn.
void drawCurve(Canvas& canvas, Graph& graph, const PlotSettings& s, DrawnCurve* drawn = nullptr);

} // namespace quarnis
