#pragma once
// The plot settings as the graph window's controls hold them, and their values for the plot
// commands. The window, quarnis-calc and the graph work file (session/) all go through
// plotSettingsOf, so a picture depends on the controls' state alone, wherever it came from.
//
//   PlotControls c;                 // the window's start state
//   c.curveKind = u"Çizgi";         // as picked or typed in cGraphTip
//   c.axesWidth = u"abc";           // not a whole number: 1 pixel
//   plotSettingsOf(c).curveKind     -> CurveKind::Line
//   c.xOrigin = u"2/3";             // no entry: the x axis stays where it was
//   plotSettingsOf(c).xAxisRow      -> nothing

#include "plot/canvas.h"
#include "plot/plot_commands.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quarnis {

// The entries of the lists, in order: the index of an entry is its value in the enums of
// canvas.h and plot_commands.h.
inline constexpr std::u16string_view kFillStyleEntries[] = { u"Dolu", u"Boş", u"Yatay", u"Düşey",
    u"Sol-Sağ Çizgili", u"Sağ-Sol Çizgili", u"Kareli", u"Çapraz Kareli" };
inline constexpr std::u16string_view kLineStyleEntries[]
    = { u"Normal", u"Kesikli", u"Noktalı", u"Kesikli/Noktalı", u"Kesikli/Noktalı Noktalı" };
inline constexpr std::u16string_view kCurveKindEntries[] = { u"Nokta", u"Çizgi" };
inline constexpr std::u16string_view kTitleFontEntries[]
    = { u"Tahoma", u"Arial", u"Calibri", u"Courier" };
inline constexpr std::u16string_view kAxisPositionEntries[] = { u"1/2", u"1/4", u"3/4" };
inline constexpr std::u16string_view kAxesWidthEntries[] = { u"1", u"2", u"3", u"4", u"5" };
inline constexpr std::u16string_view kGridCountEntries[] = { u"4", u"8", u"10" };
inline constexpr std::u16string_view kScaleMeasureEntries[] = { u"Max", u"Ort" };
inline constexpr std::u16string_view kCurveWidthEntries[] = { u"1", u"2", u"3" };

// The state of the plot settings' controls: each colour button's colour, the text each list's
// field shows (an entry or a text the user typed), the scale fields' texts and the check box.
// The defaults are the window's start state.
struct PlotControls {
    Rgb areaColor = makeRgb(166, 202, 240); // bColorAlan
    Rgb titleColor = makeRgb(255, 0, 0); // bColorEtiket
    Rgb curveColor = makeRgb(0, 0, 0); // bColorGraf
    Rgb axesColor = makeRgb(0, 128, 0); // bColorXY
    Rgb gridColor = makeRgb(128, 128, 128); // bColorGrid
    std::u16string areaStyle = u"Dolu"; // cAlanTip
    std::u16string curveKind = u"Nokta"; // cGraphTip
    std::u16string curveWidth = u"1"; // cGrafWidth
    std::u16string titleFont = u"Tahoma"; // cEtiketFont
    std::u16string curveStyle = u"Normal"; // cGrafTip
    std::u16string axesWidth = u"1"; // cXYWidth
    std::u16string axesStyle = u"Normal"; // cXYTip
    std::u16string scaleMeasure = u"Max"; // cScTip
    std::u16string xOrigin = u"1/2"; // cYPerc beside "X Orj": the row of the x axis
    std::u16string yOrigin = u"1/2"; // cXPerc beside "Y Orj": the column of the y axis
    std::u16string xScale = u"1.0"; // xScale
    std::u16string yScale = u"1.0"; // yScale
    bool gridShown = true; // sGrid
    std::u16string gridStyle = u"Noktalı"; // cGridTip
    std::u16string gridCount = u"4"; // cGridType

    bool operator==(const PlotControls&) const = default;
};

// The index of the first entry equal to the text (case and spaces count); nothing for a text
// of the user's own.
std::optional<int> entryIndex(
    std::u16string_view text, std::span<const std::u16string_view> entries);

// A width list's text as a pen width: the whole number it holds, or 1 when it holds none.
int penWidthOf(std::u16string_view text);

PlotSettings plotSettingsOf(const PlotControls& controls);

} // namespace quarnis
