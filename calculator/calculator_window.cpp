#include "calculator_window.h"

#include "engine/exec_text.h"
#include "engine/number_format.h"
#include "formula_memo.h"
#include "ui/fonts.h"
#include "ui/form_building.h"
#include "ui/handler_guard.h"
#include "ui/icons.h"
#include "ui/keys.h"
#include "ui/narrow_combo_style.h"
#include "ui/palette.h"
#include "ui/window_system.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>

#include <algorithm>
#include <optional>

namespace quarnis {

QString memoryHint(const QString& memory)
{
    if (memory.size() <= kMaxMemoryHintLength)
        return memory;
    return memory.left(kMaxMemoryHintLength) + QChar(0x2026); // "…"
}

namespace {

    // What a key of the table does when clicked: insert a text, send a key or store or recall a
    // memory, each a family of keys with one handler; or a handler of its own (the Edit key, MCLR,
    // Graph and Info); or nothing but take the focus.
    enum KeyKind { Insert, Send, Store, Recall, Edit, ClearMemories, Graph, Info, Nothing };

    struct KeyAction {
        KeyKind kind;
        const char* text = nullptr; // the inserted text, or the text of the sent key
        Qt::Key key = Qt::Key_unknown; // the sent key
        bool keypad = false; // whether the sent key is on the numeric keypad
        int memory = 0; // 0 to 2: M1 to M3, 3 to 5: S1 to S3
    };

    constexpr KeyAction insertText(const char* text) { return { Insert, text }; }
    // The digits and the operators come from the numeric keypad, the full stop from the main
    // keyboard.
    constexpr KeyAction keypadKey(Qt::Key key, const char* text)
    {
        return { Send, text, key, true };
    }
    constexpr KeyAction sendKey(Qt::Key key, const char* text = nullptr)
    {
        return { Send, text, key };
    }
    constexpr KeyAction storeInto(int memory) { return { .kind = Store, .memory = memory }; }
    constexpr KeyAction recallFrom(int memory) { return { .kind = Recall, .memory = memory }; }

    // Each key's look follows from its panel: the memory and window buttons in Main, the function
    // keys in Body, the keypad in Numeric and the cursor keys in Scrolls.
    enum class Panel { Main, Body, Numeric, Scrolls };

    struct KeyRow {
        const char* name;
        Panel panel;
        const char* caption;
        QRect rect;
        int tabOrder;
        KeyAction action;
        std::optional<IconIndex> icon = std::nullopt;
    };

    using enum Panel;
    using enum IconIndex;

    constexpr KeyRow kKeys[] = {
        { "BEdit", Body, "Edit", { 8, 10, 41, 25 }, 17, { Edit } },
        { "BMemClear", Body, "MCLR", { 102, 10, 41, 25 }, 20, { ClearMemories } },
        { "BRD", Body, "R", { 149, 10, 41, 25 }, 14, { Nothing } },
        { "BPow", Body, "POW", { 196, 10, 41, 25 }, 16, insertText("^") },
        { "BPi", Body, "PI", { 243, 10, 41, 25 }, 2, insertText("Pi") },
        { "BAtan", Body, "ATAN", { 8, 40, 41, 25 }, 10, insertText("atan(") },
        { "BASin", Body, "ASIN", { 55, 41, 41, 25 }, 11, insertText("asin(") },
        { "BACos", Body, "ACOS", { 102, 41, 41, 25 }, 12, insertText("acos(") },
        { "Blog", Body, "LOG", { 149, 41, 41, 25 }, 5, insertText("log(") },
        { "BExp", Body, "EXP", { 196, 41, 41, 25 }, 3, insertText("exp(") },
        { "BLn", Body, "LN", { 243, 41, 41, 25 }, 6, insertText("ln(") },
        { "BSin", Body, "SIN", { 8, 72, 41, 25 }, 7, insertText("sin(") },
        { "BCos", Body, "COS", { 55, 72, 41, 25 }, 8, insertText("cos(") },
        { "BTan", Body, "TAN", { 102, 72, 41, 25 }, 9, insertText("tan(") },
        { "BCot", Body, "COT", { 149, 72, 41, 25 }, 13, insertText("cot(") },
        { "BSqrt", Body, "SQRT", { 196, 72, 41, 25 }, 4, insertText("sqrt(") },
        { "BFact", Body, "FCT (!)", { 243, 72, 41, 25 }, 15, insertText("!") },

        { "BP1", Numeric, "(", { 8, 4, 41, 25 }, 16, insertText("(") },
        { "BP2", Numeric, ")", { 55, 4, 41, 25 }, 17, insertText(")") },
        { "B00", Numeric, "00", { 102, 4, 41, 25 }, 18, insertText("00") },
        { "B000", Numeric, "000", { 149, 4, 41, 25 }, 19, insertText("000") },
        { "B8", Numeric, "8", { 8, 35, 41, 25 }, 8, keypadKey(Qt::Key_8, "8") },
        { "B9", Numeric, "9", { 55, 35, 41, 25 }, 9, keypadKey(Qt::Key_9, "9") },
        { "B0", Numeric, "0", { 102, 35, 41, 25 }, 1, keypadKey(Qt::Key_0, "0") },
        { "BMulti", Numeric, "*", { 149, 35, 41, 25 }, 15, keypadKey(Qt::Key_Asterisk, "*") },
        { "B5", Numeric, "5", { 8, 66, 41, 25 }, 6, keypadKey(Qt::Key_5, "5") },
        { "B6", Numeric, "6", { 55, 66, 41, 25 }, 7, keypadKey(Qt::Key_6, "6") },
        { "Bu7", Numeric, "7", { 102, 66, 41, 25 }, 0, keypadKey(Qt::Key_7, "7") },
        { "BBolu", Numeric, "/", { 149, 66, 41, 25 }, 12, keypadKey(Qt::Key_Slash, "/") },
        { "B2", Numeric, "2", { 8, 97, 41, 25 }, 3, keypadKey(Qt::Key_2, "2") },
        { "B3", Numeric, "3", { 55, 97, 41, 25 }, 4, keypadKey(Qt::Key_3, "3") },
        { "B4", Numeric, "4", { 102, 97, 41, 25 }, 5, keypadKey(Qt::Key_4, "4") },
        { "BEksi", Numeric, "-", { 149, 97, 41, 25 }, 14, keypadKey(Qt::Key_Minus, "-") },
        { "B1", Numeric, "1", { 8, 128, 41, 25 }, 2, keypadKey(Qt::Key_1, "1") },
        { "BComma", Numeric, ".", { 55, 128, 41, 25 }, 13, sendKey(Qt::Key_Period, ".") },
        { "BBackSpace", Numeric, "C", { 102, 128, 41, 25 }, 11, sendKey(Qt::Key_Backspace, "\b") },
        { "BArti", Numeric, "+", { 149, 128, 41, 25 }, 10, keypadKey(Qt::Key_Plus, "+") },

        { "bUp", Scrolls, nullptr, { 38, 8, 30, 25 }, 2, sendKey(Qt::Key_Up), Up },
        { "bLeft", Scrolls, nullptr, { 8, 31, 30, 27 }, 0, sendKey(Qt::Key_Left), Left },
        { "BPoint", Scrolls, nullptr, { 38, 32, 30, 25 }, 4, { Nothing }, RedBall },
        { "bRight", Scrolls, nullptr, { 69, 32, 30, 25 }, 1, sendKey(Qt::Key_Right), Right },
        { "bDn", Scrolls, nullptr, { 38, 57, 30, 25 }, 3, sendKey(Qt::Key_Down), Down },

        { "BMem1in", Main, "M1", { 8, 159, 41, 25 }, 3, storeInto(0), Down },
        { "BMem1out", Main, "M1", { 49, 159, 41, 25 }, 4, recallFrom(0), Up },
        { "BMem2in", Main, "M2", { 8, 183, 41, 25 }, 5, storeInto(1), Down },
        { "BMem2out", Main, "M2", { 49, 183, 41, 25 }, 6, recallFrom(1), Up },
        { "BMem3in", Main, "M3", { 8, 207, 41, 25 }, 7, storeInto(2), Down },
        { "BMem3out", Main, "M3", { 49, 207, 41, 25 }, 8, recallFrom(2), Up },
        { "BMemS1in", Main, "S1", { 210, 159, 41, 25 }, 9, storeInto(3), Down },
        { "BMemS1out", Main, "S1", { 251, 159, 41, 25 }, 13, recallFrom(3), Up },
        { "BMemS2in", Main, "S2", { 210, 183, 41, 25 }, 10, storeInto(4), Down },
        { "BMemS2out", Main, "S2", { 251, 183, 41, 25 }, 14, recallFrom(4), Up },
        { "BMemS3in", Main, "S3", { 210, 207, 41, 25 }, 11, storeInto(5), Down },
        { "BMemS3out", Main, "S3", { 251, 207, 41, 25 }, 15, recallFrom(5), Up },
        { "BGraph", Main, "Graph", { 9, 232, 81, 26 }, 16, { Graph } },
        { "bInfo", Main, "Info", { 210, 232, 81, 26 }, 17, { Info }, Information },
    };

    // Every key takes the focus when clicked; Enter presses the focused key, everywhere else it
    // reaches EXEC.
    QPushButton* makeKey(QWidget* parent, const char* name, const char* caption, const QRect& rect,
        const QFont& font, int tabOrder)
    {
        QPushButton* key = makeButton(
            parent, name, QString::fromUtf8(caption), rect, EnterKey::PressesFocusedButton);
        key->setFont(font);
        key->setFocusPolicy(Qt::StrongFocus);
        setTabOrder(key, tabOrder);
        return key;
    }

    // Qt's scroll bar takes no keys; these move the decimals bar.
    const std::pair<int, QAbstractSlider::SliderAction> kDecimalsBarKeys[] = {
        { Qt::Key_Left, QAbstractSlider::SliderSingleStepSub },
        { Qt::Key_Up, QAbstractSlider::SliderSingleStepSub },
        { Qt::Key_Right, QAbstractSlider::SliderSingleStepAdd },
        { Qt::Key_Down, QAbstractSlider::SliderSingleStepAdd },
        { Qt::Key_PageUp, QAbstractSlider::SliderPageStepSub },
        { Qt::Key_PageDown, QAbstractSlider::SliderPageStepAdd },
        { Qt::Key_Home, QAbstractSlider::SliderToMinimum },
        { Qt::Key_End, QAbstractSlider::SliderToMaximum },
    };

} // namespace

CalculatorWindow::CalculatorWindow(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent)
    , dialogs_(dialogs)
{
    setWindowTitle(QStringLiteral("Quarnis"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(306, 549);
    setFont(windowFont());
    useFixedPalette(this);
    fillBackground(this, kMaroon);
    createControls();
    setUpDesktop();
    formula_->setFocus(Qt::OtherFocusReason);
    memoryChoice_->setCurrentIndex(0);
}

void CalculatorWindow::createControls()
{
    QFrame* main = makePanel(this, "Main", { 2, 3, 302, 543 }, kTeal, 0);
    QFrame* screen = makePanel(main, "Screen", { 8, 8, 284, 145 }, QColor(), 0);
    QFrame* body = makePanel(main, "Body", { 8, 264, 288, 273 }, kMoneyGreen, 1);
    QFrame* scrolls = makePanel(main, "Scrolls", { 96, 159, 108, 99 }, kOlive, 2);
    QFrame* numeric = makePanel(body, "Numeric", { 6, 103, 198, 162 }, kPaleBlue, 18);
    numeric->setFrameStyle(QFrame::Box | QFrame::Plain);

    formula_ = placed(new FormulaMemo(screen), "EnterFormula", { 8, 8, 268, 97 }, 0);
    formula_->setFont(memoFont());
    setColor(formula_, QPalette::Base, kLightYellow);
    setColor(formula_, QPalette::Text, Qt::black);
    formula_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    formula_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    formula_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    formula_->setTabChangesFocus(true);
    formula_->installEventFilter(this);
    typeCommaAsFullStop(formula_);

    result_ = placed(new QLineEdit(screen), "Result", { 8, 111, 268, 26 }, 1);
    result_->setReadOnly(true);
    result_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    result_->setFont(resultFont());
    setColor(result_, QPalette::Base, kPaleBlue);
    setColor(result_, QPalette::Text, kPurple);

    createKeys({ main, body, numeric, scrolls });

    decimals_ = placed(new QScrollBar(Qt::Horizontal, body), "DecNum", { 210, 103, 71, 17 }, 19);
    decimals_->setRange(kMinDecimals, kMaxDecimals);
    decimals_->setSingleStep(1);
    decimals_->setPageStep(1);
    decimals_->setValue(kMinDecimals);
    decimals_->setFocusPolicy(Qt::StrongFocus);
    decimals_->installEventFilter(this);
    connectGuarded(
        dialogs_, decimals_, &QScrollBar::valueChanged, this, &CalculatorWindow::showDecimalsHint);

    const QFont large = largeFont();
    QPushButton* clear = makeKey(body, "BClrEnterFormula", "CLR", { 210, 126, 74, 25 }, large, 1);
    connectGuarded(dialogs_, clear, &QPushButton::clicked, this, &CalculatorWindow::clearFormula);
    QPushButton* clearResult = makeKey(body, "bCE", "CE", { 210, 153, 74, 25 }, large, 21);
    connectGuarded(
        dialogs_, clearResult, &QPushButton::clicked, this, &CalculatorWindow::clearResult);
    exec_ = makeKey(body, "Exec", "EXEC", { 210, 184, 74, 81 }, large, 0);
    exec_->setDefault(true);
    connectGuarded(dialogs_, exec_, &QPushButton::clicked, this, &CalculatorWindow::evaluate);

    // The memory choice belongs to Main but lies over Body's top row, between Edit and MCLR.
    memoryChoice_ = placed(new QComboBox(main), "CClearMems", { 64, 275, 40, 24 }, 12);
    memoryChoice_->setFont(functionFont());
    for (const char* entry : { "M1", "M2", "M3", "S1", "S2", "S3", "M?", "S?" })
        memoryChoice_->addItem(QString::fromLatin1(entry));
    auto* narrowStyle = new NarrowComboStyle(
        { .arrowInset = 2, .editLeft = 3, .editGap = 0 }, QApplication::style()->name());
    narrowStyle->setParent(memoryChoice_);
    memoryChoice_->setStyle(narrowStyle);
    memoryChoice_->setFocusPolicy(Qt::StrongFocus);
    memoryChoice_->raise();

    chainTabsByOrder(this);
}

// One loop over the key table: a key's look follows from its panel, its handler from its
// action. Each family of keys is a button group whose ids are the keys' rows.
void CalculatorWindow::createKeys(const std::array<QWidget*, 4>& panels)
{
    const QFont plain = windowFont();
    const QFont fonts[] = { plain, functionFont(), keypadFont(), plain };
    QButtonGroup* const families[] = { new QButtonGroup(this), new QButtonGroup(this),
        new QButtonGroup(this), new QButtonGroup(this) };
    const Handler named[] = { &CalculatorWindow::focusFormula, &CalculatorWindow::clearMemories,
        &CalculatorWindow::showGraph, &CalculatorWindow::showInfo };
    for (int id = 0; id < int(std::size(kKeys)); ++id) {
        const KeyRow& row = kKeys[id];
        const auto panel = static_cast<std::size_t>(row.panel);
        QPushButton* key
            = makeKey(panels[panel], row.name, row.caption, row.rect, fonts[panel], row.tabOrder);
        if (row.panel == Numeric)
            setColor(key, QPalette::ButtonText, kBlue);
        if (row.icon) {
            key->setIcon(iconPixmap(*row.icon));
            key->setIconSize(QSize(kIconSize, kIconSize));
        }
        const KeyKind kind = row.action.kind;
        if (kind <= Recall)
            families[kind]->addButton(key, id);
        else if (kind != Nothing)
            connectGuarded(dialogs_, key, &QPushButton::clicked, this, named[kind - Edit]);
        if (kind == Store) {
            key->installEventFilter(this); // the hint
            storeButtons_[row.action.memory] = key;
        }
    }
    connectGuarded(dialogs_, families[Insert], &QButtonGroup::idClicked, this,
        &CalculatorWindow::insertKeyText);
    connectGuarded(
        dialogs_, families[Send], &QButtonGroup::idClicked, this, &CalculatorWindow::sendKey);
    connectGuarded(
        dialogs_, families[Store], &QButtonGroup::idClicked, this, &CalculatorWindow::storeMemory);
    connectGuarded(dialogs_, families[Recall], &QButtonGroup::idClicked, this,
        &CalculatorWindow::recallMemory);
}

void CalculatorWindow::setDialogs(QDialog* graph, QDialog* info)
{
    graphWindow_ = graph;
    infoWindow_ = info;
    addQuitKey(graph);
    addQuitKey(info);
}

QString CalculatorWindow::formulaText() const
{
    QString text = formula_->text();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == formula_)
        return formulaEvent(event);
    if (watched == decimals_)
        return decimalsEvent(event);
    if (event->type() == QEvent::Enter) {
        const auto in = std::find(storeButtons_.begin(), storeButtons_.end(), watched);
        if (in != storeButtons_.end())
            runGuarded(dialogs_, this, [&] { showMemoryHint(int(in - storeButtons_.begin())); });
    }
    return QWidget::eventFilter(watched, event);
}

bool CalculatorWindow::formulaEvent(QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        runGuarded(dialogs_, this, [this] { focusFormula(); });
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter) {
        exec_->click(); // no line break: Enter presses EXEC
        return true;
    }
    return false;
}

bool CalculatorWindow::decimalsEvent(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        for (const auto& [bound, action] : kDecimalsBarKeys) {
            if (key == bound) {
                decimals_->triggerAction(action);
                return true;
            }
        }
    }
    if (event->type() == QEvent::Enter)
        runGuarded(dialogs_, this, [this] { showDecimalsHint(); });
    return false;
}

void CalculatorWindow::keyPressEvent(QKeyEvent* event)
{
    // Enter that no focused button took (the memo, the result field, the decimals bar, the
    // memory choice) presses EXEC.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        exec_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CalculatorWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Under Wayland the compositor places the window.
    if (!centred_ && screen() && canPlaceWindows()) {
        centred_ = true;
        const QRect desktop = screen()->availableGeometry();
        move(desktop.center() - QPoint(width() / 2, height() / 2));
    }
}

void CalculatorWindow::showGraph()
{
    if (graphWindow_)
        graphWindow_->exec();
}

void CalculatorWindow::showInfo()
{
    if (infoWindow_)
        infoWindow_->exec();
}

// Enter in the memo, and the first step of every key: the memo gets the focus and keeps its
// caret and selection.
void CalculatorWindow::focusFormula()
{
    if (!isActiveWindow())
        activateWindow();
    formula_->setFocus(Qt::OtherFocusReason);
}

void CalculatorWindow::insertKeyText(int key)
{
    focusFormula();
    insertIntoFormula(QString::fromUtf8(kKeys[key].action.text));
}

// Puts one key press into the memo's event queue: it arrives after the click handler has
// returned and passes the memo's key handling like a typed key.
void CalculatorWindow::sendKey(int key)
{
    const KeyAction& action = kKeys[key].action;
    focusFormula();
    const Qt::KeyboardModifiers modifiers = action.keypad ? Qt::KeypadModifier : Qt::NoModifier;
    QCoreApplication::postEvent(formula_,
        new QKeyEvent(QEvent::KeyPress, action.key, modifiers, QString::fromUtf8(action.text)));
}

// Replaces the memo's selection (or inserts at its caret) without an undo record; the caret
// ends after the text.
void CalculatorWindow::insertIntoFormula(const QString& text)
{
    QTextDocument* document = formula_->document();
    document->setUndoRedoEnabled(false);
    formula_->insertFormulaText(text);
    document->setUndoRedoEnabled(true);
}

void CalculatorWindow::clearFormula()
{
    formula_->clear();
    focusFormula();
}

void CalculatorWindow::clearResult()
{
    result_->clear();
    focusFormula();
}

// EXEC. A rounding overflow raises before the field is written: it keeps its old text.
void CalculatorWindow::evaluate()
{
    const QString formula = formulaText();
    bool failed = false;
    const std::u16string text = execText(formula.toStdU16String(), decimals_->value(), &failed);
    result_->setText(QString::fromStdU16String(text));
    announceResult();
    addToHistory(formula, failed);
}

// The decimals bar's hint, on every move of the bar and when the mouse enters it.
void CalculatorWindow::showDecimalsHint()
{
    decimals_->setToolTip(QStringLiteral("Ondalık Sayısı:") + QString::number(decimals_->value()));
}

void CalculatorWindow::storeMemory(int key)
{
    const int memory = kKeys[key].action.memory;
    memories_[memory] = memory < kMemoryCount / 2 ? formulaText() : result_->text();
}

// The memo kept its caret and selection while the clicked button took the focus; the memory
// goes there and the focus stays on the button.
void CalculatorWindow::recallMemory(int key)
{
    insertIntoFormula(memories_[kKeys[key].action.memory]);
}

// The hint is taken when the mouse enters the in-button, not renewed by a store.
void CalculatorWindow::showMemoryHint(int memory)
{
    storeButtons_[memory]->setToolTip(memoryHint(memories_[memory]));
}

// "MCLR": the entries 0 to 5 name one memory, "M?" (6) the formula memories and "S?" (7) the
// result memories.
void CalculatorWindow::clearMemories()
{
    const int entry = memoryChoice_->currentIndex();
    const int group = kMemoryCount / 2;
    if (entry >= kMemoryCount)
        std::fill_n(memories_.begin() + (entry - kMemoryCount) * group, group, QString());
    else if (entry >= 0) // -1: nothing chosen
        memories_[entry] = QString();
}

} // namespace quarnis
