#pragma once
// The calculator window "Quarnis": the formula memo with its keypad, EXEC with the result
// field and the decimals bar, the six text memories, and the buttons that open the graph and
// information windows. The members are the controls; the behaviour is in the handlers, each
// named after its control and event and taking the sending control.

#include "formula_memo.h"

#include <QChar>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <cstdint>

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QScrollBar;
class TCalcMain;
class TFAbout;
class TFGraphics;

// The three windows, created at start-up in this order and living until the process ends.
extern TCalcMain* CalcMain;
extern TFGraphics* FGraphics;
extern TFAbout* FAbout;

namespace quarnis {

class Announcer;

// The six memories: M1 to M3 keep formulas, S1 to S3 results; empty at start.
extern QString M1, M2, M3, S1, S2, S3;

// The hint of a memory's button: the memory, or its first kMaxMemoryHintLength characters and
// "…" (a hint of a megabyte would take seconds to lay out and more than the screen to show).
inline constexpr qsizetype kMaxMemoryHintLength = 1000;
QString MemoryHint(const QString& memory);

// What the memo's lost-focus handler records: its text length, the caret's column and line.
extern std::uint16_t FormulaLength, FormulaCaretColumn, FormulaCaretLine;

} // namespace quarnis

class TCalcMain : public QWidget {
    Q_OBJECT
public:
    explicit TCalcMain(QWidget* parent = nullptr);

    // The memo's whole text with CR LF line ends, as EXEC and the M memories take it.
    QString FormulaText() const;

    QFrame* Main;
    QFrame* Screen;
    QFrame* Body;
    QLineEdit* Result;
    QPushButton* Exec;
    quarnis::FormulaMemo* EnterFormula;
    QPushButton* BBackSpace;
    QPushButton* BClrEnterFormula;
    QPushButton* B0;
    QPushButton* B1;
    QPushButton* B2;
    QPushButton* B3;
    QPushButton* B4;
    QPushButton* B5;
    QPushButton* B8;
    QPushButton* B6;
    QPushButton* Bu7;
    QPushButton* B9;
    QPushButton* BMulti;
    QPushButton* BBolu;
    QPushButton* BArti;
    QPushButton* BEksi;
    QPushButton* BPi;
    QPushButton* BExp;
    QPushButton* BSqrt;
    QPushButton* Blog;
    QPushButton* BLn;
    QPushButton* BSin;
    QPushButton* BCos;
    QPushButton* BTan;
    QPushButton* BAtan;
    QPushButton* BASin;
    QPushButton* BACos;
    QPushButton* BCot;
    QPushButton* BRD;
    QPushButton* BFact;
    QPushButton* BComma;
    QPushButton* BPow;
    QPushButton* BEdit;
    QFrame* Scrolls;
    QPushButton* bLeft;
    QPushButton* bRight;
    QPushButton* bUp;
    QPushButton* bDn;
    QFrame* Numeric;
    QPushButton* BP1;
    QPushButton* BP2;
    QPushButton* B00;
    QPushButton* B000;
    QList<QPixmap> icons;
    QPushButton* BMem1in;
    QPushButton* BMem1out;
    QPushButton* BMem2in;
    QPushButton* BMem2out;
    QPushButton* BMem3in;
    QPushButton* BMem3out;
    QPushButton* BPoint;
    QPushButton* BMemS1in;
    QPushButton* BMemS2in;
    QPushButton* BMemS3in;
    QComboBox* CClearMems;
    QScrollBar* DecNum;
    QPushButton* BMemS1out;
    QPushButton* BMemS2out;
    QPushButton* BMemS3out;
    QPushButton* BMemClear;
    QPushButton* BGraph;
    QPushButton* bInfo;
    QPushButton* bCE;

    // Start-up and the other windows.
    void init(QObject* Sender);
    void BGraphClick(QObject* Sender);
    void bInfoClick(QObject* Sender);

    // The formula memo.
    void EnterFormulaEnter(QObject* Sender);
    void EnterFormulaExit(QObject* Sender);
    void EnterFormulaKeyPress(QObject* Sender, QChar& Key);

    // Text keys: insert their text in place of the memo's selection.
    void BSinClick(QObject* Sender);
    void BCosClick(QObject* Sender);
    void BTanClick(QObject* Sender);
    void BCotClick(QObject* Sender);
    void BAtanClick(QObject* Sender);
    void BASinClick(QObject* Sender);
    void BACosClick(QObject* Sender);
    void BlogClick(QObject* Sender);
    void BLnClick(QObject* Sender);
    void BExpClick(QObject* Sender);
    void BSqrtClick(QObject* Sender);
    void BFactClick(QObject* Sender);
    void BPowClick(QObject* Sender);
    void BPiClick(QObject* Sender);
    void BP1Click(QObject* Sender);
    void BP2Click(QObject* Sender);
    void B00Click(QObject* Sender);
    void B000Click(QObject* Sender);

    // Keystroke keys: post one key press to the memo.
    void B0Click(QObject* Sender);
    void B1Click(QObject* Sender);
    void B2Click(QObject* Sender);
    void B3Click(QObject* Sender);
    void B4Click(QObject* Sender);
    void B5Click(QObject* Sender);
    void B6Click(QObject* Sender);
    void B7Click(QObject* Sender);
    void B8Click(QObject* Sender);
    void B9Click(QObject* Sender);
    void BArtiClick(QObject* Sender);
    void BEksiClick(QObject* Sender);
    void BMultiClick(QObject* Sender);
    void BBoluClick(QObject* Sender);
    void BCommaClick(QObject* Sender);
    void BBackSpaceClick(QObject* Sender);
    void bLeftClick(QObject* Sender);
    void bRightClick(QObject* Sender);
    void bUpClick(QObject* Sender);
    void bDnClick(QObject* Sender);

    // Clearing keys.
    void BClrEnterFormulaClick(QObject* Sender);
    void bCEClick(QObject* Sender);

    // EXEC and the decimals bar.
    void ExecClick(QObject* Sender);
    void DecNumChange(QObject* Sender);

    // The desktop: the result to the clipboard (Ctrl+Shift+C, Ctrl+C in the memo without a
    // selection) and the end of the program (Ctrl+Q, also given to the other windows).
    void CopyResult();
    void QuitProgram();
    void AddQuitKey(QWidget* window);

    // Memories.
    void BMem1inClick(QObject* Sender);
    void BMem2inClick(QObject* Sender);
    void BMem3inClick(QObject* Sender);
    void BMemS1inClick(QObject* Sender);
    void BMemS2inClick(QObject* Sender);
    void BMemS3inClick(QObject* Sender);
    void BMem1outClick(QObject* Sender);
    void BMem2outClick(QObject* Sender);
    void BMem3outClick(QObject* Sender);
    void BMemS1outClick(QObject* Sender);
    void BMemS2outClick(QObject* Sender);
    void BMemS3outClick(QObject* Sender);
    void BMem1inMouseEnter(QObject* Sender);
    void BMem2inMouseEnter(QObject* Sender);
    void BMem3inMouseEnter(QObject* Sender);
    void BMemS1inMouseEnter(QObject* Sender);
    void BMemS2inMouseEnter(QObject* Sender);
    void BMemS3inMouseEnter(QObject* Sender);
    void BMemClearClick(QObject* Sender);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    using Handler = void (TCalcMain::*)(QObject*);

    void CreateControls();
    void OnClick(QPushButton* button, Handler handler);
    void FocusStep();
    void InsertText(const QString& text);
    void TextKey(const QString& text);
    void PressKey(int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Recall(const QString& memory);

    // Screen readers' names, the result's notice and the window's keys.
    void SetUpDesktop();
    void NameControls();
    void AnnounceResult();

    bool centred_ = false;
    quarnis::Announcer* announcer_ = nullptr;
};
