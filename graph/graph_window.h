#pragma once
// The graph window "Grafik Formu": its left half defines and tabulates a function of one
// variable, its right half holds the plot settings, the three plot commands and the drawing
// surface. The members are the controls with their layout names; the settings live only in
// them and are read when an operation runs.

#include "button_color.h"
#include "tabulation/function_record.h"
#include "tabulation/point_table.h"
#include "plot_surface.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QScrollBar;
class LinesModel;

namespace quarnis {
// The hint shown when the sample count field refuses a key or a paste.
inline constexpr const char* kSampleDigitsOnlyText = "Örnekleme Adeti yalnızca rakam alır";
// True once "Grafik Temizle" has drawn a coordinate system; "Grafik Çiz" needs one.
extern bool CoordSystemDrawn;
} // namespace quarnis

class TFGraphics : public QDialog {
    Q_OBJECT
public:
    explicit TFGraphics(QWidget* parent = nullptr);
    ~TFGraphics() override;

    QFrame* MainPanel;

    // Function definition and tabulation.
    QGroupBox* FuncIDandCalculatePanel;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8;
    QLabel *Label10, *Label11, *Label12, *Label13, *Label14, *Label15, *Label16, *Label17;
    QLineEdit *FncName, *FncVar, *FncConst1, *FncConst2, *FncConst3;
    QLineEdit *ec1, *ec2, *ec3, *FncId, *ex1, *ex2, *Sample, *FuncFull;
    QLabel *xa, *xb;
    QComboBox* cCalcExec; // the result list, one line "[i]:(x,f(x))" per point
    QScrollBar* scrSonuc; // decimals of the listed values, -1 to 9
    QListView* lFuncVars; // a copy of the result list for viewing
    QPushButton* bEval1D;

    // Plot settings and commands.
    QGroupBox* GraphPanel;
    QWidget* GraphVarPanel;
    QGroupBox *gGrap, *gGrid, *gXY;
    TButtonColor *bColorAlan, *bColorEtiket, *bColorGraf, *bColorXY, *bColorGrid;
    QComboBox *cAlanTip, *cGraphTip, *cGrafWidth, *cEtiketFont, *cGrafTip;
    QComboBox *cXYWidth, *cXYTip, *cScTip, *cYPerc, *cXPerc;
    QLineEdit *xScale, *yScale;
    QCheckBox* sGrid;
    QComboBox *cGridTip, *cGridType;
    QPushButton *bAutoScale, *bClearGArea, *DoGraph;
    QFrame* PlotPanel;
    quarnis::PlotSurface* GrapBox;

    // The function record and the plot object, created by InitGraph.
    std::unique_ptr<quarnis::TFunc> Func;
    std::unique_ptr<quarnis::TGraph1D> Graph1D;

    // The lines of the result list.
    const std::vector<std::u16string>& ResultLines() const;

    void InitGraph();
    void FormDestroy();
    void bEval1DClick();
    void FncVarExit();
    void scrSonucChange();
    void bClearGAreaClick();
    void bAutoScaleClick();
    void DoGraphClick();

    // The tabulation as a table for other programs, from the result list or the list box:
    // a header naming the variable and the full definition, then x and f(x) of each line.
    enum class TableSource { ResultList, ListBox };
    QString TableText(TableSource source) const; // tab-separated
    void CopyTable(TableSource source); // nothing while the list is empty
    // Asks for a file name and writes the table as CSV; a failed save is reported in a box
    // and leaves no half-written file.
    void SaveTableAs(TableSource source);
    QMenu* createTableMenu(TableSource source, QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class ResultListWriter;

    void buildFunctionPanel();
    void buildGraphPanel();
    quarnis::FuncPanelTexts panelTexts() const;

    // Screen readers' names, label buddies, the table's menus and the plot surface's keys.
    void setUpDesktop();
    void nameControls();
    void setUpTableMenus();
    void setUpSurfaceKeys();

    LinesModel* resultModel_;
    LinesModel* listBoxModel_;

    // The variable and the full definition of the lines each list holds.
    struct TableHeader {
        std::u16string variable, definition;
    };
    TableHeader resultHeader_, listBoxHeader_;
    std::vector<std::u16string> tableLines(TableSource source) const;
    const TableHeader& tableHeader(TableSource source) const;
};
