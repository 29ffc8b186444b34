#pragma once
// The graph window "Grafik Formu": its left half defines and tabulates a function of one
// variable, its right half holds the plot settings, the three plot commands and the drawing
// surface. The settings live only in the controls and are read when a command runs. Each
// control carries its layout name as objectName() (FncName, cXPerc, GrapBox, ...).

#include "plot/plot_controls.h"
#include "session/graph_session.h"
#include "tabulation/function_record.h"
#include "tabulation/graph.h"

#include <QDialog>

#include <array>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QScrollBar;

namespace quarnis {
class Dialogs;
class LinesModel;
class ColorButton;

class PlotSurface;
struct PlotTarget;
// The hint shown when the sample count field refuses a key or a paste.
inline constexpr const char* kSampleDigitsOnlyText = "Örnekleme Adeti yalnızca rakam alır";

// `GraphWindow`, named "FGraphics".
class GraphWindow : public QDialog {
    Q_OBJECT
public:
    // Its boxes and dialogs, the general error box among them, open through `dialogs`, as do
    // those of its colour buttons and plot surface.
    explicit GraphWindow(quarnis::Dialogs& dialogs, QWidget* parent = nullptr);
    ~GraphWindow() override;

    // The function record as the last HESAPLA stored it, and the plot object: the point table,
    // the origin of the last "Grafik Temizle" and the scales of the last command.
    const quarnis::FunctionRecord& functionRecord() const { return function_; }
    const quarnis::Graph& plotObject() const { return plot_; }

    // The tabulation as a table for other programs, from the result list or the list box:
    // a header naming the variable and the full definition, then x and f(x) of each line.
    enum class TableSource { ResultList, ListBox };
    QString tableText(TableSource source) const; // tab-separated
    void copyTable(TableSource source); // nothing while the list is empty
    // Asks for a file name and writes the table as CSV; a failed save is reported in a box
    // and leaves no half-written file.
    void saveTableAs(TableSource source);

    // The window's work as a graph work file (.qgraf): every field of the function panel, the
    // decimals and every plot setting. Opening fills the controls and nothing else: the table
    // and the picture change at the next HESAPLA and plot commands.
    quarnis::GraphSession session() const;
    void setSession(const quarnis::GraphSession& session);
    // Asks for a file name and writes the work; a failed save is reported in a box and leaves
    // no half-written file.
    void saveSessionAs();
    // Asks for a file and opens it.
    void openSession();
    // Fills the controls from the file; a file that cannot be read or is refused is named in
    // a box with the line and the reason, and changes nothing. True when it was opened.
    bool openSessionFile(const QString& fileName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class ResultListWriter;
    class BoxReport;

    void buildFunctionPanel(QWidget* mainPanel);
    void buildGraphPanel(QWidget* mainPanel);
    void orderTabs();
    void fillLists();
    quarnis::FuncPanelTexts panelTexts() const;

    // The handlers.
    void calculate();
    void updateRangeLabels();
    void showDecimalsHint();
    void clearGraphArea();
    void autoScale();
    void drawCurve();

    // The plot settings' controls: their state as values, and filled from such values.
    quarnis::PlotControls plotControls() const;
    void setPlotControls(const quarnis::PlotControls& controls);
    struct ListControl {
        QComboBox* box;
        std::u16string quarnis::PlotControls::*text;
    };
    struct ColorControl {
        ColorButton* button;
        quarnis::Rgb quarnis::PlotControls::*value;
    };
    std::vector<ListControl> listControls() const;
    std::vector<ColorControl> colorControls() const;
    quarnis::PlotSettings readPlotSettings() const;
    quarnis::PlotTarget plotTarget(BoxReport& report);

    // Screen readers' names, the table's menus and the plot surface's keys.
    void setUpDesktop();
    void nameControls();
    void setUpTableMenus();
    void setUpSurfaceKeys();
    void setUpSessionKeys();
    QMenu* createTableMenu(TableSource source, QWidget* parent);

    quarnis::Dialogs& dialogs_;

    // The function panel.
    QLineEdit* functionName_;
    QLineEdit* variableName_;
    std::array<QLineEdit*, 3> constantNames_;
    std::array<QLineEdit*, 3> constantValues_;
    QLineEdit* definition_;
    QLabel* rangeStartLabel_; // "x1", after the variable's name
    QLabel* rangeEndLabel_; // "x2"
    QLineEdit* rangeStart_;
    QLineEdit* rangeEnd_;
    QLineEdit* sampleCount_;
    QComboBox* resultList_; // one line "[i]:(x,f(x))" per point
    QScrollBar* decimals_; // of the listed values, -1 to 9
    QLineEdit* fullDefinition_;
    QListView* listBox_; // a copy of the result list for viewing
    QPushButton* calculateButton_;

    // The plot settings.
    ColorButton* areaColor_;
    ColorButton* titleColor_;
    ColorButton* curveColor_;
    ColorButton* axesColor_;
    ColorButton* gridColor_;
    QComboBox* areaStyle_;
    QComboBox* curveKind_; // "Nokta" or "Çizgi"
    QComboBox* curveWidth_;
    QComboBox* titleFont_;
    QComboBox* curveStyle_;
    QComboBox* axesWidth_;
    QComboBox* axesStyle_;
    QComboBox* scaleMeasure_; // "Max" or "Ort"
    QComboBox* xOrigin_; // "X Orj": the row of the x axis
    QComboBox* yOrigin_; // "Y Orj": the column of the y axis
    QLineEdit* xScale_;
    QLineEdit* yScale_;
    QCheckBox* gridShown_;
    QComboBox* gridStyle_;
    QComboBox* gridCount_;

    // The plot commands and the surface they draw on.
    QPushButton* autoScaleButton_;
    QPushButton* clearButton_;
    QPushButton* drawButton_;
    quarnis::PlotSurface* surface_;

    LinesModel* resultModel_;
    LinesModel* listBoxModel_;

    quarnis::FunctionRecord function_;
    quarnis::Graph plot_;
    // True once "Grafik Temizle" has drawn a coordinate system; "Grafik Çiz" needs one.
    bool coordSystemDrawn_ = false;

    // The variable and the full definition of the lines each list holds.
    struct TableHeader {
        std::u16string variable, definition;
    };
    TableHeader resultHeader_, listBoxHeader_;
    std::vector<std::u16string> tableLines(TableSource source) const;
    const TableHeader& tableHeader(TableSource source) const;
};

} // namespace quarnis
