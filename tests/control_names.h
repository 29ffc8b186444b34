#pragma once
// The layout names (objectName()) by which the window tests find controls, one place for all,
// grouped by window, so that a renamed control is one edit here. The tests' step scripts
// ("Exec BMem1in ...") name keys the same way.

namespace quarnis::names {

// Calculator window.
inline constexpr char kMemo[] = "EnterFormula";
inline constexpr char kExec[] = "Exec";
inline constexpr char kResult[] = "Result";
inline constexpr char kDecimals[] = "DecNum";
inline constexpr char kClearMemories[] = "CClearMems";
inline constexpr char kMemoryClear[] = "BMemClear";
inline constexpr char kGraph[] = "BGraph";

// History window.
inline constexpr char kHistoryList[] = "HistoryList";

// Graph window: the function panel.
inline constexpr char kFunctionName[] = "FncName";
inline constexpr char kVariable[] = "FncVar";
inline constexpr char kConstName1[] = "FncConst1";
inline constexpr char kConstValue1[] = "ec1";
inline constexpr char kConstName2[] = "FncConst2";
inline constexpr char kConstValue2[] = "ec2";
inline constexpr char kConstName3[] = "FncConst3";
inline constexpr char kConstValue3[] = "ec3";
inline constexpr char kDefinition[] = "FncId";
inline constexpr char kFrom[] = "ex1";
inline constexpr char kTo[] = "ex2";
inline constexpr char kFromLabel[] = "xa";
inline constexpr char kToLabel[] = "xb";
inline constexpr char kSteps[] = "Sample";
inline constexpr char kResultList[] = "cCalcExec";
inline constexpr char kFullDefinition[] = "FuncFull";
inline constexpr char kTableDecimals[] = "scrSonuc";
inline constexpr char kCalculate[] = "bEval1D";
inline constexpr char kListBox[] = "lFuncVars";

// Graph window: the plot settings and commands.
inline constexpr char kDraw[] = "DoGraph";
inline constexpr char kClearArea[] = "bClearGArea";
inline constexpr char kAreaColor[] = "bColorAlan";
inline constexpr char kAreaStyle[] = "cAlanTip";
inline constexpr char kCurveKind[] = "cGraphTip";
inline constexpr char kTitleColor[] = "bColorEtiket";
inline constexpr char kCurveColor[] = "bColorGraf";
inline constexpr char kTitleFont[] = "cEtiketFont";
inline constexpr char kCurveStyle[] = "cGrafTip";
inline constexpr char kCurveWidth[] = "cGrafWidth";
inline constexpr char kAxesColor[] = "bColorXY";
inline constexpr char kAxesStyle[] = "cXYTip";
inline constexpr char kAxesWidth[] = "cXYWidth";
inline constexpr char kXAxisRow[] = "cYPerc"; // beside "X Orj"
inline constexpr char kYAxisColumn[] = "cXPerc"; // beside "Y Orj"
inline constexpr char kXScale[] = "xScale";
inline constexpr char kYScale[] = "yScale";
inline constexpr char kScaleMeasure[] = "cScTip";
inline constexpr char kAutoScale[] = "bAutoScale";
inline constexpr char kGridShown[] = "sGrid";
inline constexpr char kGridColor[] = "bColorGrid";
inline constexpr char kGridCount[] = "cGridType";
inline constexpr char kGridStyle[] = "cGridTip";
inline constexpr char kSurface[] = "GrapBox";

// Help window.
inline constexpr char kHelpBrowser[] = "HelpBrowser";
inline constexpr char kHelpBack[] = "HelpBack";
inline constexpr char kHelpFindBar[] = "HelpFindBar";
inline constexpr char kHelpFindText[] = "HelpFindText";
inline constexpr char kHelpFindStatus[] = "HelpFindStatus";

} // namespace quarnis::names
