#pragma once
// The calculator window "Quarnis": the formula memo with its keypad, EXEC with the result
// field and the decimals bar, the six text memories, and the buttons that open the graph and
// information windows. Each control carries its layout name as objectName(); the keys are
// built from one table, and each family of keys has one handler.

#include <QString>
#include <QWidget>

#include <array>

class QComboBox;
class QDialog;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace quarnis {

class Announcer;
class Dialogs;
class FormulaMemo;
class HistoryWindow;

// The hint of a memory's button: the memory, or its first kMaxMemoryHintLength characters and
// "…" (a hint of a megabyte would take seconds to lay out and more than the screen to show).
inline constexpr qsizetype kMaxMemoryHintLength = 1000;
QString memoryHint(const QString& memory);

// `CalculatorWindow`, named "CalcMain".
class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    // Its boxes, the general error box among them, open through `dialogs`.
    explicit CalculatorWindow(Dialogs& dialogs, QWidget* parent = nullptr);

    // The windows that "Graph" and "Info" show modally; Ctrl+Q ends the program from them too.
    // The calculator does not own them.
    void setDialogs(QDialog* graph, QDialog* info);

    // The history window: EXEC adds to it; Ctrl+H and the result field's menu show it, beside
    // this window; its entries go into the memo; Ctrl+Q ends the program from it too. The
    // calculator does not own it.
    void setHistory(quarnis::HistoryWindow* history);

    // The memo's whole text with CR LF line ends, as EXEC and the M memories take it.
    QString formulaText() const;

    // Ends the program, as Ctrl+Q does: the open graph or information window ends its modal
    // loop first, then this window closes.
    void quitProgram();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // M1 to M3 keep formulas, S1 to S3 results.
    static constexpr int kMemoryCount = 6;

    void createControls();
    void createKeys(const std::array<QWidget*, 4>& panels);
    using Handler = void (CalculatorWindow::*)();

    // The keys.
    void focusFormula();
    void insertKeyText(int key);
    void sendKey(int key);
    void clearFormula();
    void clearResult();
    void insertIntoFormula(const QString& text);

    // EXEC and the decimals bar.
    void evaluate();
    void showDecimalsHint();

    // The memories.
    void storeMemory(int key);
    void recallMemory(int key);
    void showMemoryHint(int memory);
    void clearMemories();

    void showGraph();
    void showInfo();

    // The history window.
    void addToHistory(const QString& formula, bool failed);
    void showHistory();
    void insertFromHistory(const QString& text);

    // The memo's and the decimals bar's events, before the control handles them.
    bool formulaEvent(QEvent* event);
    bool decimalsEvent(QEvent* event);

    // Screen readers' names, the result's notice and the window's keys.
    void setUpDesktop();
    void nameControls();
    void announceResult();
    void copyResult();
    void addQuitKey(QWidget* window);

    Dialogs& dialogs_;
    quarnis::FormulaMemo* formula_ = nullptr;
    QLineEdit* result_ = nullptr;
    QScrollBar* decimals_ = nullptr;
    QPushButton* exec_ = nullptr;
    QComboBox* memoryChoice_ = nullptr; // what "MCLR" empties
    std::array<QPushButton*, kMemoryCount> storeButtons_ {};
    std::array<QString, kMemoryCount> memories_;
    QDialog* graphWindow_ = nullptr;
    QDialog* infoWindow_ = nullptr;
    quarnis::HistoryWindow* history_ = nullptr;
    quarnis::Announcer* announcer_ = nullptr;
    bool centred_ = false;
};

} // namespace quarnis
