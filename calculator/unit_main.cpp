#include "unit_main.h"

#include "about.h"
#include "engine/exec_text.h"
#include "ui/fonts.h"
#include "graph/graph_window.h"
#include "ui/handler_guard.h"
#include "ui/icons.h"
#include "ui/narrow_combo_style.h"
#include "engine/number_format.h"
#include "ui/palette.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>

#include <algorithm>
#include <clocale>
#include <vector>

TCalcMain* CalcMain = nullptr;
TFGraphics* FGraphics = nullptr;
TFAbout* FAbout = nullptr;

namespace quarnis {

QString M1, M2, M3, S1, S2, S3;
std::uint16_t FormulaLength = 0, FormulaCaretColumn = 0, FormulaCaretLine = 0;

QString MemoryHint(const QString& memory)
{
    if (memory.size() <= kMaxMemoryHintLength)
        return memory;
    return memory.left(kMaxMemoryHintLength) + QChar(0x2026); // "…"
}

} // namespace quarnis

namespace {

using quarnis::IconIndex;

const QColor kMaroon(128, 0, 0);
const QColor kTeal(0, 128, 128);
const QColor kMoneyGreen(192, 220, 192);
const QColor kOlive(128, 128, 0);
const QColor kInfoBackground(255, 255, 225); // the tooltip background
const QColor kInactiveCaptionGradient(215, 228, 242);
const QColor kPurple(128, 0, 128);
const QColor kKeypadBlue(0, 0, 255);

const char* const kTabOrder = "quarnisTabOrder";

void SetColor(QWidget* widget, QPalette::ColorRole role, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

// A panel: a plain container with a one-pixel raised bevel, filled with its colour unless
// its parent's colour is to show through.
QFrame* MakePanel(QWidget* parent, const QRect& geometry, const QColor& background, int tabOrder)
{
    auto* panel = new QFrame(parent);
    panel->setGeometry(geometry);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    if (background.isValid()) {
        SetColor(panel, QPalette::Window, background);
        panel->setAutoFillBackground(true);
    }
    panel->setProperty(kTabOrder, tabOrder);
    return panel;
}

QPushButton* MakeButton(
    QWidget* parent, const QString& caption, const QRect& geometry, const QFont& font, int tabOrder)
{
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    button->setFont(font);
    // Enter presses the focused button, as it does on every button of the platform's dialogs;
    // everywhere else it reaches EXEC.
    button->setAutoDefault(true);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setProperty(kTabOrder, tabOrder);
    return button;
}

// The keyboard focus chain: the controls of each container by their tab order, containers
// entered where they stand in their parent's order.
void CollectTabChain(QWidget* container, std::vector<QWidget*>& chain)
{
    std::vector<std::pair<int, QWidget*>> children;
    for (QObject* object : container->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child && child->property(kTabOrder).isValid())
            children.emplace_back(child->property(kTabOrder).toInt(), child);
    }
    std::stable_sort(children.begin(), children.end(),
        [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [order, child] : children) {
        if (qobject_cast<QFrame*>(child) && !child->inherits("QAbstractScrollArea"))
            CollectTabChain(child, chain);
        else
            chain.push_back(child);
    }
}

std::uint16_t Clamp16(int value)
{
    return static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF));
}

} // namespace

TCalcMain::TCalcMain(QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Quarnis"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(306, 549);
    setFont(quarnis::WindowFont());
    quarnis::UseFixedPalette(this);
    SetColor(this, QPalette::Window, kMaroon);
    setAutoFillBackground(true);
    for (int i = 0; i < quarnis::kIconCount; ++i)
        icons.append(quarnis::IconPixmap(static_cast<IconIndex>(i)));
    CreateControls();
    SetUpDesktop();
    EnterFormula->setFocus(Qt::OtherFocusReason);
    quarnis::RunGuarded(this, [this] { init(this); });
}

void TCalcMain::CreateControls()
{
    const QFont keypadFont = quarnis::KeypadFont();
    const QFont functionFont = quarnis::FunctionFont();
    const QFont largeFont = quarnis::LargeFont();

    Main = MakePanel(this, { 2, 3, 302, 543 }, kTeal, 0);
    Screen = MakePanel(Main, { 8, 8, 284, 145 }, QColor(), 0);
    Body = MakePanel(Main, { 8, 264, 288, 273 }, kMoneyGreen, 1);
    Scrolls = MakePanel(Main, { 96, 159, 108, 99 }, kOlive, 2);
    Numeric = MakePanel(Body, { 6, 103, 198, 162 }, kInactiveCaptionGradient, 18);
    Numeric->setFrameStyle(QFrame::Box | QFrame::Plain);

    // The screen: the formula memo and the result field.
    EnterFormula = new quarnis::FormulaMemo(Screen);
    EnterFormula->setGeometry(8, 8, 268, 97);
    EnterFormula->setFont(quarnis::MemoFont());
    SetColor(EnterFormula, QPalette::Base, kInfoBackground);
    SetColor(EnterFormula, QPalette::Text, Qt::black);
    EnterFormula->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    EnterFormula->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    EnterFormula->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    EnterFormula->setTabChangesFocus(true);
    EnterFormula->setProperty(kTabOrder, 0);
    EnterFormula->installEventFilter(this);

    Result = new QLineEdit(Screen);
    Result->setGeometry(8, 111, 268, 26);
    Result->setReadOnly(true);
    Result->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Result->setFont(quarnis::ResultFont());
    SetColor(Result, QPalette::Base, kInactiveCaptionGradient);
    SetColor(Result, QPalette::Text, kPurple);
    Result->setProperty(kTabOrder, 1);

    // The function keys.
    const auto function = [&](const char* caption, int left, int top, int tab, Handler handler) {
        QPushButton* b = MakeButton(
            Body, QString::fromUtf8(caption), { left, top, 41, 25 }, functionFont, tab);
        if (handler)
            OnClick(b, handler);
        return b;
    };
    BEdit = function("Edit", 8, 10, 17, &TCalcMain::EnterFormulaEnter);
    BMemClear = function("MCLR", 102, 10, 20, &TCalcMain::BMemClearClick);
    BRD = function("R", 149, 10, 14, nullptr);
    BPow = function("POW", 196, 10, 16, &TCalcMain::BPowClick);
    BPi = function("PI", 243, 10, 2, &TCalcMain::BPiClick);
    BAtan = function("ATAN", 8, 40, 10, &TCalcMain::BAtanClick);
    BASin = function("ASIN", 55, 41, 11, &TCalcMain::BASinClick);
    BACos = function("ACOS", 102, 41, 12, &TCalcMain::BACosClick);
    Blog = function("LOG", 149, 41, 5, &TCalcMain::BlogClick);
    BExp = function("EXP", 196, 41, 3, &TCalcMain::BExpClick);
    BLn = function("LN", 243, 41, 6, &TCalcMain::BLnClick);
    BSin = function("SIN", 8, 72, 7, &TCalcMain::BSinClick);
    BCos = function("COS", 55, 72, 8, &TCalcMain::BCosClick);
    BTan = function("TAN", 102, 72, 9, &TCalcMain::BTanClick);
    BCot = function("COT", 149, 72, 13, &TCalcMain::BCotClick);
    BSqrt = function("SQRT", 196, 72, 4, &TCalcMain::BSqrtClick);
    BFact = function("FCT (!)", 243, 72, 15, &TCalcMain::BFactClick);

    // The decimals bar, CLR, CE and EXEC.
    DecNum = new QScrollBar(Qt::Horizontal, Body);
    DecNum->setGeometry(210, 103, 71, 17);
    DecNum->setRange(quarnis::kMinDecimals, quarnis::kMaxDecimals);
    DecNum->setSingleStep(1);
    DecNum->setPageStep(1);
    DecNum->setValue(quarnis::kMinDecimals);
    DecNum->setFocusPolicy(Qt::StrongFocus);
    DecNum->setProperty(kTabOrder, 19);
    DecNum->installEventFilter(this);
    connect(DecNum, &QScrollBar::valueChanged, this,
        [this] { quarnis::RunGuarded(this, [this] { DecNumChange(DecNum); }); });

    BClrEnterFormula = MakeButton(Body, QStringLiteral("CLR"), { 210, 126, 74, 25 }, largeFont, 1);
    OnClick(BClrEnterFormula, &TCalcMain::BClrEnterFormulaClick);
    bCE = MakeButton(Body, QStringLiteral("CE"), { 210, 153, 74, 25 }, largeFont, 21);
    OnClick(bCE, &TCalcMain::bCEClick);
    Exec = MakeButton(Body, QStringLiteral("EXEC"), { 210, 184, 74, 81 }, largeFont, 0);
    Exec->setDefault(true);
    OnClick(Exec, &TCalcMain::ExecClick);

    // The keypad: four columns, five rows.
    const auto key = [&](const char* caption, int column, int row, int tab, Handler handler) {
        static constexpr int kLeft[] = { 8, 55, 102, 149 };
        static constexpr int kTop[] = { 4, 35, 66, 97, 128 };
        QPushButton* b = MakeButton(Numeric, QString::fromUtf8(caption),
            { kLeft[column], kTop[row], 41, 25 }, keypadFont, tab);
        SetColor(b, QPalette::ButtonText, kKeypadBlue);
        OnClick(b, handler);
        return b;
    };
    BP1 = key("(", 0, 0, 16, &TCalcMain::BP1Click);
    BP2 = key(")", 1, 0, 17, &TCalcMain::BP2Click);
    B00 = key("00", 2, 0, 18, &TCalcMain::B00Click);
    B000 = key("000", 3, 0, 19, &TCalcMain::B000Click);
    B8 = key("8", 0, 1, 8, &TCalcMain::B8Click);
    B9 = key("9", 1, 1, 9, &TCalcMain::B9Click);
    B0 = key("0", 2, 1, 1, &TCalcMain::B0Click);
    BMulti = key("*", 3, 1, 15, &TCalcMain::BMultiClick);
    B5 = key("5", 0, 2, 6, &TCalcMain::B5Click);
    B6 = key("6", 1, 2, 7, &TCalcMain::B6Click);
    Bu7 = key("7", 2, 2, 0, &TCalcMain::B7Click);
    BBolu = key("/", 3, 2, 12, &TCalcMain::BBoluClick);
    B2 = key("2", 0, 3, 3, &TCalcMain::B2Click);
    B3 = key("3", 1, 3, 4, &TCalcMain::B3Click);
    B4 = key("4", 2, 3, 5, &TCalcMain::B4Click);
    BEksi = key("-", 3, 3, 14, &TCalcMain::BEksiClick);
    B1 = key("1", 0, 4, 2, &TCalcMain::B1Click);
    BComma = key(".", 1, 4, 13, &TCalcMain::BCommaClick);
    BBackSpace = key("C", 2, 4, 11, &TCalcMain::BBackSpaceClick);
    BArti = key("+", 3, 4, 10, &TCalcMain::BArtiClick);

    // The cursor buttons and the red ball.
    const QFont windowFont = quarnis::WindowFont();
    const auto cursor = [&](IconIndex image, const QRect& geometry, int tab, Handler handler) {
        QPushButton* b = MakeButton(Scrolls, QString(), geometry, windowFont, tab);
        b->setIcon(icons[static_cast<int>(image)]);
        b->setIconSize(QSize(quarnis::kIconSize, quarnis::kIconSize));
        if (handler)
            OnClick(b, handler);
        return b;
    };
    bUp = cursor(IconIndex::Up, { 38, 8, 30, 25 }, 2, &TCalcMain::bUpClick);
    bLeft = cursor(IconIndex::Left, { 8, 31, 30, 27 }, 0, &TCalcMain::bLeftClick);
    BPoint = cursor(IconIndex::RedBall, { 38, 32, 30, 25 }, 4, nullptr);
    bRight = cursor(IconIndex::Right, { 69, 32, 30, 25 }, 1, &TCalcMain::bRightClick);
    bDn = cursor(IconIndex::Down, { 38, 57, 30, 25 }, 3, &TCalcMain::bDnClick);
    // The image-only keys get names for screen readers and automation.
    bUp->setAccessibleName(QStringLiteral("İmleç yukarı"));
    bLeft->setAccessibleName(QStringLiteral("İmleç sola"));
    BPoint->setAccessibleName(QStringLiteral("Kırmızı nokta"));
    bRight->setAccessibleName(QStringLiteral("İmleç sağa"));
    bDn->setAccessibleName(QStringLiteral("İmleç aşağı"));

    // The memories and the two window buttons. In-buttons show the down triangle (into the
    // memory), out-buttons the up triangle (back into the formula).
    const auto memory
        = [&](const char* caption, IconIndex image, int left, int top, int tab, Handler handler) {
              QPushButton* b = MakeButton(
                  Main, QString::fromUtf8(caption), { left, top, 41, 25 }, windowFont, tab);
              b->setIcon(icons[static_cast<int>(image)]);
              b->setIconSize(QSize(quarnis::kIconSize, quarnis::kIconSize));
              OnClick(b, handler);
              return b;
          };
    BMem1in = memory("M1", IconIndex::Down, 8, 159, 3, &TCalcMain::BMem1inClick);
    BMem1out = memory("M1", IconIndex::Up, 49, 159, 4, &TCalcMain::BMem1outClick);
    BMem2in = memory("M2", IconIndex::Down, 8, 183, 5, &TCalcMain::BMem2inClick);
    BMem2out = memory("M2", IconIndex::Up, 49, 183, 6, &TCalcMain::BMem2outClick);
    BMem3in = memory("M3", IconIndex::Down, 8, 207, 7, &TCalcMain::BMem3inClick);
    BMem3out = memory("M3", IconIndex::Up, 49, 207, 8, &TCalcMain::BMem3outClick);
    BMemS1in = memory("S1", IconIndex::Down, 210, 159, 9, &TCalcMain::BMemS1inClick);
    BMemS1out = memory("S1", IconIndex::Up, 251, 159, 13, &TCalcMain::BMemS1outClick);
    BMemS2in = memory("S2", IconIndex::Down, 210, 183, 10, &TCalcMain::BMemS2inClick);
    BMemS2out = memory("S2", IconIndex::Up, 251, 183, 14, &TCalcMain::BMemS2outClick);
    BMemS3in = memory("S3", IconIndex::Down, 210, 207, 11, &TCalcMain::BMemS3inClick);
    BMemS3out = memory("S3", IconIndex::Up, 251, 207, 15, &TCalcMain::BMemS3outClick);
    for (QPushButton* in : { BMem1in, BMem2in, BMem3in, BMemS1in, BMemS2in, BMemS3in })
        in->installEventFilter(this);

    BGraph = MakeButton(Main, QStringLiteral("Graph"), { 9, 232, 81, 26 }, windowFont, 16);
    OnClick(BGraph, &TCalcMain::BGraphClick);
    bInfo = MakeButton(Main, QStringLiteral("Info"), { 210, 232, 81, 26 }, windowFont, 17);
    bInfo->setIcon(icons[static_cast<int>(IconIndex::Information)]);
    bInfo->setIconSize(QSize(quarnis::kIconSize, quarnis::kIconSize));
    OnClick(bInfo, &TCalcMain::bInfoClick);

    // The memory choice belongs to Main but lies over Body's top row, between Edit and MCLR.
    CClearMems = new QComboBox(Main);
    CClearMems->setGeometry(64, 275, 40, 24);
    CClearMems->setFont(functionFont);
    for (const char* entry : { "M1", "M2", "M3", "S1", "S2", "S3", "M?", "S?" })
        CClearMems->addItem(QString::fromLatin1(entry));
    auto* narrowStyle = new quarnis::NarrowComboStyle({ .arrowInset = 2, .editLeft = 3, .editGap = 0 },
        QApplication::style()->name());
    narrowStyle->setParent(CClearMems);
    CClearMems->setStyle(narrowStyle);
    CClearMems->setFocusPolicy(Qt::StrongFocus);
    CClearMems->setProperty(kTabOrder, 12);
    CClearMems->raise();

    std::vector<QWidget*> chain;
    CollectTabChain(this, chain);
    for (std::size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void TCalcMain::OnClick(QPushButton* button, Handler handler)
{
    connect(button, &QPushButton::clicked, this,
        [this, button, handler] { quarnis::RunGuarded(this, [&] { (this->*handler)(button); }); });
}

QString TCalcMain::FormulaText() const
{
    QString text = EnterFormula->Text();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

bool TCalcMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == EnterFormula) {
        switch (event->type()) {
        case QEvent::FocusIn:
            quarnis::RunGuarded(this, [&] { EnterFormulaEnter(EnterFormula); });
            break;
        case QEvent::FocusOut:
            quarnis::RunGuarded(this, [&] { EnterFormulaExit(EnterFormula); });
            break;
        case QEvent::KeyPress: {
            auto* keyEvent = static_cast<QKeyEvent*>(event);
            if (keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter) {
                // No line break: Enter presses EXEC.
                Exec->click();
                return true;
            }
            const QString text = keyEvent->text();
            if (text.size() != 1 || !text[0].isPrint())
                break;
            QChar key = text[0];
            quarnis::RunGuarded(this, [&] { EnterFormulaKeyPress(EnterFormula, key); });
            if (key != text[0]) {
                QKeyEvent changed(
                    QEvent::KeyPress, key.toUpper().unicode(), keyEvent->modifiers(), QString(key));
                QCoreApplication::sendEvent(EnterFormula, &changed);
                return true;
            }
            break;
        }
        default:
            break;
        }
        return false;
    }
    if (watched == DecNum && event->type() == QEvent::KeyPress) {
        // Qt's scroll bar takes no keys; the arrows, page keys, Home and End move it here.
        QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            action = QAbstractSlider::SliderSingleStepSub;
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            action = QAbstractSlider::SliderSingleStepAdd;
            break;
        case Qt::Key_PageUp:
            action = QAbstractSlider::SliderPageStepSub;
            break;
        case Qt::Key_PageDown:
            action = QAbstractSlider::SliderPageStepAdd;
            break;
        case Qt::Key_Home:
            action = QAbstractSlider::SliderToMinimum;
            break;
        case Qt::Key_End:
            action = QAbstractSlider::SliderToMaximum;
            break;
        default:
            break;
        }
        if (action != QAbstractSlider::SliderNoAction) {
            DecNum->triggerAction(action);
            return true;
        }
    }
    if (event->type() == QEvent::Enter) {
        Handler handler = nullptr;
        if (watched == DecNum)
            handler = &TCalcMain::DecNumChange;
        else if (watched == BMem1in)
            handler = &TCalcMain::BMem1inMouseEnter;
        else if (watched == BMem2in)
            handler = &TCalcMain::BMem2inMouseEnter;
        else if (watched == BMem3in)
            handler = &TCalcMain::BMem3inMouseEnter;
        else if (watched == BMemS1in)
            handler = &TCalcMain::BMemS1inMouseEnter;
        else if (watched == BMemS2in)
            handler = &TCalcMain::BMemS2inMouseEnter;
        else if (watched == BMemS3in)
            handler = &TCalcMain::BMemS3inMouseEnter;
        if (handler)
            quarnis::RunGuarded(this, [&] { (this->*handler)(watched); });
    }
    return QWidget::eventFilter(watched, event);
}

void TCalcMain::keyPressEvent(QKeyEvent* event)
{
    // Enter that no focused button took (the memo, the result field, the decimals bar, the
    // memory choice) presses EXEC.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Exec->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TCalcMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!centred_ && screen()) {
        centred_ = true;
        const QRect desktop = screen()->availableGeometry();
        move(desktop.center() - QPoint(width() / 2, height() / 2));
    }
}

// ---- Start-up and the other windows ----

void TCalcMain::init(QObject*)
{
    // Every conversion between numbers and texts uses "." whatever the user's locale.
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_NUMERIC, "C");
    CClearMems->setCurrentIndex(0);
}

void TCalcMain::BGraphClick(QObject*)
{
    if (FGraphics)
        FGraphics->exec();
}

void TCalcMain::bInfoClick(QObject*)
{
    if (FAbout)
        FAbout->exec();
}

// ---- The formula memo ----

void TCalcMain::FocusStep()
{
    if (!isActiveWindow())
        activateWindow();
    EnterFormula->setFocus(Qt::OtherFocusReason);
}

void TCalcMain::EnterFormulaEnter(QObject*) { FocusStep(); }

void TCalcMain::EnterFormulaExit(QObject*)
{
    quarnis::FormulaLength = Clamp16(EnterFormula->TextLength());
    quarnis::FormulaCaretColumn = Clamp16(EnterFormula->CaretColumn());
    quarnis::FormulaCaretLine = Clamp16(EnterFormula->CaretLine());
}

void TCalcMain::EnterFormulaKeyPress(QObject*, QChar& Key)
{
    // A typed comma becomes a full stop in its place. Replacing the character here, rather
    // than deleting the comma with a queued Backspace, keeps the stop where the comma was
    // even when the next key is already waiting.
    if (Key == QLatin1Char(','))
        Key = QLatin1Char('.');
}

// Replaces the memo's selection (or inserts at its caret) without an undo record; the caret
// ends after the text.
void TCalcMain::InsertText(const QString& text)
{
    QTextDocument* document = EnterFormula->document();
    document->setUndoRedoEnabled(false);
    EnterFormula->InsertFormulaText(text);
    document->setUndoRedoEnabled(true);
}

// Puts one key press into the memo's event queue: it arrives after the click handler has
// returned and passes the memo's key handling like a typed key.
void TCalcMain::PressKey(int key, const QString& text, Qt::KeyboardModifiers modifiers)
{
    FocusStep();
    QCoreApplication::postEvent(
        EnterFormula, new QKeyEvent(QEvent::KeyPress, key, modifiers, text));
}

// The text keys: the focus step, then their text in place of the selection.
void TCalcMain::TextKey(const QString& text)
{
    FocusStep();
    InsertText(text);
}

void TCalcMain::BSinClick(QObject*) { TextKey(QStringLiteral("sin(")); }
void TCalcMain::BCosClick(QObject*) { TextKey(QStringLiteral("cos(")); }
void TCalcMain::BTanClick(QObject*) { TextKey(QStringLiteral("tan(")); }
void TCalcMain::BCotClick(QObject*) { TextKey(QStringLiteral("cot(")); }
void TCalcMain::BAtanClick(QObject*) { TextKey(QStringLiteral("atan(")); }
void TCalcMain::BASinClick(QObject*) { TextKey(QStringLiteral("asin(")); }
void TCalcMain::BACosClick(QObject*) { TextKey(QStringLiteral("acos(")); }
void TCalcMain::BlogClick(QObject*) { TextKey(QStringLiteral("log(")); }
void TCalcMain::BLnClick(QObject*) { TextKey(QStringLiteral("ln(")); }
void TCalcMain::BExpClick(QObject*) { TextKey(QStringLiteral("exp(")); }
void TCalcMain::BSqrtClick(QObject*) { TextKey(QStringLiteral("sqrt(")); }
void TCalcMain::BFactClick(QObject*) { TextKey(QStringLiteral("!")); }
void TCalcMain::BPowClick(QObject*) { TextKey(QStringLiteral("^")); }
void TCalcMain::BPiClick(QObject*) { TextKey(QStringLiteral("Pi")); }
void TCalcMain::BP1Click(QObject*) { TextKey(QStringLiteral("(")); }
void TCalcMain::BP2Click(QObject*) { TextKey(QStringLiteral(")")); }
void TCalcMain::B00Click(QObject*) { TextKey(QStringLiteral("00")); }
void TCalcMain::B000Click(QObject*) { TextKey(QStringLiteral("000")); }

// The digits come from the numeric keypad, the full stop from the main keyboard.
void TCalcMain::B0Click(QObject*) { PressKey(Qt::Key_0, QStringLiteral("0"), Qt::KeypadModifier); }
void TCalcMain::B1Click(QObject*) { PressKey(Qt::Key_1, QStringLiteral("1"), Qt::KeypadModifier); }
void TCalcMain::B2Click(QObject*) { PressKey(Qt::Key_2, QStringLiteral("2"), Qt::KeypadModifier); }
void TCalcMain::B3Click(QObject*) { PressKey(Qt::Key_3, QStringLiteral("3"), Qt::KeypadModifier); }
void TCalcMain::B4Click(QObject*) { PressKey(Qt::Key_4, QStringLiteral("4"), Qt::KeypadModifier); }
void TCalcMain::B5Click(QObject*) { PressKey(Qt::Key_5, QStringLiteral("5"), Qt::KeypadModifier); }
void TCalcMain::B6Click(QObject*) { PressKey(Qt::Key_6, QStringLiteral("6"), Qt::KeypadModifier); }
void TCalcMain::B7Click(QObject*) { PressKey(Qt::Key_7, QStringLiteral("7"), Qt::KeypadModifier); }
void TCalcMain::B8Click(QObject*) { PressKey(Qt::Key_8, QStringLiteral("8"), Qt::KeypadModifier); }
void TCalcMain::B9Click(QObject*) { PressKey(Qt::Key_9, QStringLiteral("9"), Qt::KeypadModifier); }
void TCalcMain::BArtiClick(QObject*)
{
    PressKey(Qt::Key_Plus, QStringLiteral("+"), Qt::KeypadModifier);
}
void TCalcMain::BEksiClick(QObject*)
{
    PressKey(Qt::Key_Minus, QStringLiteral("-"), Qt::KeypadModifier);
}
void TCalcMain::BMultiClick(QObject*)
{
    PressKey(Qt::Key_Asterisk, QStringLiteral("*"), Qt::KeypadModifier);
}
void TCalcMain::BBoluClick(QObject*)
{
    PressKey(Qt::Key_Slash, QStringLiteral("/"), Qt::KeypadModifier);
}
void TCalcMain::BCommaClick(QObject*) { PressKey(Qt::Key_Period, QStringLiteral(".")); }
void TCalcMain::BBackSpaceClick(QObject*) { PressKey(Qt::Key_Backspace, QStringLiteral("\b")); }
void TCalcMain::bLeftClick(QObject*) { PressKey(Qt::Key_Left, QString()); }
void TCalcMain::bRightClick(QObject*) { PressKey(Qt::Key_Right, QString()); }
void TCalcMain::bUpClick(QObject*) { PressKey(Qt::Key_Up, QString()); }
void TCalcMain::bDnClick(QObject*) { PressKey(Qt::Key_Down, QString()); }

void TCalcMain::BClrEnterFormulaClick(QObject*)
{
    EnterFormula->clear();
    FocusStep();
}

void TCalcMain::bCEClick(QObject*)
{
    Result->clear();
    FocusStep();
}

// ---- EXEC and the decimals bar ----

void TCalcMain::ExecClick(QObject*)
{
    // A rounding overflow raises here, before the field is written: it keeps its old text.
    const std::u16string text = quarnis::ExecText(FormulaText().toStdU16String(), DecNum->value());
    Result->setText(QString::fromStdU16String(text));
    AnnounceResult();
}

void TCalcMain::DecNumChange(QObject*)
{
    DecNum->setToolTip(QStringLiteral("Ondalık Sayısı:") + QString::number(DecNum->value()));
}

// ---- Memories ----

void TCalcMain::BMem1inClick(QObject*) { quarnis::M1 = FormulaText(); }
void TCalcMain::BMem2inClick(QObject*) { quarnis::M2 = FormulaText(); }
void TCalcMain::BMem3inClick(QObject*) { quarnis::M3 = FormulaText(); }
void TCalcMain::BMemS1inClick(QObject*) { quarnis::S1 = Result->text(); }
void TCalcMain::BMemS2inClick(QObject*) { quarnis::S2 = Result->text(); }
void TCalcMain::BMemS3inClick(QObject*) { quarnis::S3 = Result->text(); }

// The memo keeps its caret and selection while another control has the focus; the memory
// goes there and the focus stays on the clicked button.
void TCalcMain::Recall(const QString& memory) { InsertText(memory); }

void TCalcMain::BMem1outClick(QObject*) { Recall(quarnis::M1); }
void TCalcMain::BMem2outClick(QObject*) { Recall(quarnis::M2); }
void TCalcMain::BMem3outClick(QObject*) { Recall(quarnis::M3); }
void TCalcMain::BMemS1outClick(QObject*) { Recall(quarnis::S1); }
void TCalcMain::BMemS2outClick(QObject*) { Recall(quarnis::S2); }
void TCalcMain::BMemS3outClick(QObject*) { Recall(quarnis::S3); }

void TCalcMain::BMem1inMouseEnter(QObject*)
{
    BMem1in->setToolTip(quarnis::MemoryHint(quarnis::M1));
}
void TCalcMain::BMem2inMouseEnter(QObject*)
{
    BMem2in->setToolTip(quarnis::MemoryHint(quarnis::M2));
}
void TCalcMain::BMem3inMouseEnter(QObject*)
{
    BMem3in->setToolTip(quarnis::MemoryHint(quarnis::M3));
}
void TCalcMain::BMemS1inMouseEnter(QObject*)
{
    BMemS1in->setToolTip(quarnis::MemoryHint(quarnis::S1));
}
void TCalcMain::BMemS2inMouseEnter(QObject*)
{
    BMemS2in->setToolTip(quarnis::MemoryHint(quarnis::S2));
}
void TCalcMain::BMemS3inMouseEnter(QObject*)
{
    BMemS3in->setToolTip(quarnis::MemoryHint(quarnis::S3));
}

void TCalcMain::BMemClearClick(QObject*)
{
    using namespace quarnis;
    switch (CClearMems->currentIndex()) {
    case 0:
        M1.clear();
        break;
    case 1:
        M2.clear();
        break;
    case 2:
        M3.clear();
        break;
    case 3:
        S1.clear();
        break;
    case 4:
        S2.clear();
        break;
    case 5:
        S3.clear();
        break;
    case 6:
        M1.clear(), M2.clear(), M3.clear();
        break;
    case 7:
        S1.clear(), S2.clear(), S3.clear();
        break;
    default:
        break; // nothing chosen
    }
}
