// The graph window through its real controls: clicks, keys and the fields' texts.

#include "graph/button_color.h"
#include "graph/graph_window.h"

#include "recording_dialogs.h"
#include "tabulation/function_record.h"

#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <limits>

using namespace Qt::StringLiterals;
using quarnis::ScopedRecordingDialogs;

namespace {

QStringList items(const QComboBox* c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

QStringList rows(const QListView* v)
{
    QStringList out;
    for (int i = 0; i < v->model()->rowCount(); ++i)
        out << v->model()->index(i, 0).data().toString();
    return out;
}

// The window's controls, found by their layout names.
template <class Control = QWidget> Control* find(const TFGraphics& w, const char* name)
{
    auto* c = w.findChild<Control*>(QLatin1String(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}
QLineEdit* field(const TFGraphics& w, const char* name) { return find<QLineEdit>(w, name); }
QPushButton* button(const TFGraphics& w, const char* name) { return find<QPushButton>(w, name); }
TButtonColor* colour(const TFGraphics& w, const char* name) { return find<TButtonColor>(w, name); }
QLabel* label(const TFGraphics& w, const char* name) { return find<QLabel>(w, name); }
QComboBox* results(const TFGraphics& w) { return find<QComboBox>(w, "cCalcExec"); }
QListView* listBox(const TFGraphics& w) { return find<QListView>(w, "lFuncVars"); }
QScrollBar* decimals(const TFGraphics& w) { return find<QScrollBar>(w, "scrSonuc"); }

// Presses HESAPLA.
void calculate(const TFGraphics& w) { QTest::mouseClick(button(w, "bEval1D"), Qt::LeftButton); }

void setField(QLineEdit* e, const QString& text)
{
    e->selectAll();
    e->setText(text);
}

// Gives fields of the function panel, named by their layout names, new texts.
void setFields(const TFGraphics& w, std::initializer_list<std::pair<const char*, QString>> texts)
{
    for (const auto& [name, text] : texts)
        setField(field(w, name), text);
}

} // namespace

class GraphWindowTest : public QObject {
    Q_OBJECT

private slots:
    void tabGoesThroughThePanelInOrder();
    void listsTheDefaultFunction();
    void refusesAFieldAndChangesNothingVisible_data();
    void refusesAFieldAndChangesNothingVisible();
    void aFaultMidwayKeepsTheLinesBefore();
    void failedPointsAreListedWithTheEngineText();
    void rangeLabelsFollowTheVariable();
    void decimalsTakeEffectAtTheNextTabulation();
    void sampleAcceptsDigitsOnly();
    void aLongDefinitionReachesTheRecordWhole();
    void aLongTabulationShowsItsProgressAndCancels_data();
    void aLongTabulationShowsItsProgressAndCancels();
    void typedResultTextIsNotListed();
    void colourButtons();
    void theRealColourDialog();
};

void GraphWindowTest::tabGoesThroughThePanelInOrder()
{
    TFGraphics w;
    const char* names[] = { "FncName", "FncVar", "FncConst1", "ec1", "FncConst2", "ec2",
        "FncConst3", "ec3", "FncId", "ex1", "ex2", "Sample", "cCalcExec", "FuncFull", "scrSonuc",
        "bEval1D", "lFuncVars", "DoGraph", "bClearGArea", "bColorAlan", "cAlanTip", "cGraphTip",
        "bColorEtiket", "bColorGraf", "cEtiketFont", "cGrafTip", "cGrafWidth", "bColorXY", "cXYTip",
        "cXYWidth", "cYPerc", "cXPerc", "xScale", "yScale", "cScTip", "bAutoScale", "sGrid",
        "bColorGrid", "cGridType", "cGridTip", "GrapBox", "FncName" };
    QList<QWidget*> expected;
    for (const char* name : names)
        expected << find(w, name);
    QList<QWidget*> got;
    QWidget* next = expected.front();
    while (got.size() < expected.size()) {
        got << next;
        do
            next = next->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus) || next->focusProxy());
    }
    QCOMPARE(got, expected);
}

void GraphWindowTest::listsTheDefaultFunction()
{
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    calculate(w);
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(field(w, "FuncFull")->text(), u"F(t):=t"_s);
    const QStringList lines = items(results(w));
    QCOMPARE(lines.size(), 101);
    QCOMPARE(lines[0], u"[0]:(0,0)"_s);
    QCOMPARE(lines[1], u"[1]:(0.1,0.1)"_s);
    QCOMPARE(lines[100], u"[100]:(10,10)"_s);
    QCOMPARE(rows(listBox(w)), lines);
    QCOMPARE(results(w)->currentIndex(), -1);
    QVERIFY(results(w)->currentText().isEmpty());
    QCOMPARE(w.plotObject().Points.size(), std::size_t(101));
    QCOMPARE(w.plotObject().Points[37].x, 3.7);
    QCOMPARE(w.functionRecord().Values.size(), std::size_t(101));

    // A second press lists anew rather than appending.
    setField(field(w, "FncId"), "t*t");
    calculate(w);
    QCOMPARE(results(w)->count(), 101);
    QCOMPARE(results(w)->itemText(37), u"[37]:(3.7,13.69)"_s);
    QCOMPARE(w.plotObject().Points[100].y, 100.0);
}

void GraphWindowTest::refusesAFieldAndChangesNothingVisible_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const char* range = "Örnekleme Adeti 1 ile 65535 arasında olmalıdır.";
    const struct {
        const char *row, *field, *text, *message;
    } rows[] = {
        { "comma in ex1", "ex1", "0,5", "'0,5' is not a valid floating point value." },
        { "empty ec1", "ec1", "", "'' is not a valid floating point value." },
        { "letters in ec3", "ec3", "abc", "'abc' is not a valid floating point value." },
        { "huge ex2", "ex2", "1E400", "Floating point overflow." },
        { "empty Sample", "Sample", "", "'''' is not a valid integer value." },
        { "spaced Sample", "Sample", "5 ", "''5 '' is not a valid integer value." },
        { "Sample 0", "Sample", "0", range },
        { "Sample 65536", "Sample", "65536", range },
        { "Sample 65537", "Sample", "65537", range },
        { "Sample -1", "Sample", "-1", range },
        { "Sample huge", "Sample", "99999999999", "''99999999999'' is not a valid integer value." },
    };
    for (const auto& r : rows)
        QTest::newRow(r.row) << r.field << QString::fromUtf8(r.text)
                             << QString::fromUtf8(r.message);
}

void GraphWindowTest::refusesAFieldAndChangesNothingVisible()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, message);
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    calculate(w);
    const QStringList before = items(results(w));

    setFields(w, { { "FncName", u"G"_s }, { "ec1", u"3"_s }, { "FncId", u"t*c1"_s } });
    setField(field(w, qPrintable(name)), text);
    calculate(w);

    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text, message);
    QCOMPARE(dialogs.messages[0].caption, quarnis::kApplicationTitle);
    QCOMPARE(dialogs.messages[0].icon, quarnis::Dialogs::Icon::Stop);
    QCOMPARE(field(w, "FuncFull")->text(), u"F(t):=t"_s);
    QCOMPARE(items(results(w)), before);
    QCOMPARE(rows(listBox(w)), before);
    QCOMPARE(w.plotObject().Points.size(), std::size_t(101));
    QCOMPARE(w.functionRecord().FuncName, std::u16string(u"G")); // read before the failing field
    if (name != "ec1")
        QCOMPARE(w.functionRecord().ConstValue1, 3.0);
}

void GraphWindowTest::aFaultMidwayKeepsTheLinesBefore()
{
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    calculate(w);
    setFields(w,
        { { "FncId", u"EXP(t)"_s }, { "ex1", u"700"_s }, { "ex2", u"720"_s },
            { "Sample", u"4"_s } });
    calculate(w);
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text, u"Floating point overflow."_s);
    QCOMPARE(field(w, "FuncFull")->text(), u"F(t):=EXP(t)"_s);
    QCOMPARE(items(results(w)), QStringList({ u"[0]:(700,1E304)"_s, u"[1]:(705,1.5E306)"_s }));
    QCOMPARE(listBox(w)->model()->rowCount(), 101); // the earlier tabulation
    QCOMPARE(w.plotObject().Points.size(), std::size_t(101));
}

void GraphWindowTest::failedPointsAreListedWithTheEngineText()
{
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    setFields(
        w, { { "FncId", u"t^2"_s }, { "ex1", u"-3"_s }, { "ex2", u"3"_s }, { "Sample", u"6"_s } });
    calculate(w);
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(results(w)->itemText(1), u"[1]:(-2,Yazım Hatası...)"_s);
    QCOMPARE(results(w)->itemText(5), u"[5]:(2,4)"_s);
    QCOMPARE(results(w)->count(), 7);
    // Only x = 1, 2, 3 have values; the failed points are not plotted.
    QCOMPARE(w.plotObject().Points.size(), std::size_t(3));
    QCOMPARE(w.plotObject().Points[0].x, 1.0);
    QCOMPARE(w.plotObject().Points[2].y, 9.0);
}

void GraphWindowTest::rangeLabelsFollowTheVariable()
{
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    QApplication::setActiveWindow(&w);
    field(w, "FncVar")->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    field(w, "FncVar")->selectAll();
    QTest::keyClicks(field(w, "FncVar"), "time");
    QTest::keyClick(field(w, "FncVar"), Qt::Key_Tab);
    QCOMPARE(label(w, "xa")->text(), u"time1"_s);
    QCOMPARE(label(w, "xb")->text(), u"time2"_s);
    QCOMPARE(label(w, "xa")->width(), 25); // clipped, not grown

    calculate(w);
    QCOMPARE(w.functionRecord().VarName, std::u16string(u"t"));
    QVERIFY(field(w, "FuncFull")->text().startsWith(u"F(t):="_s));

    // Names keep their characters: "ş" is a variable like any other.
    setFields(w,
        { { "FncVar", u"şey"_s }, { "FncId", u"ş*ç1"_s }, { "FncConst1", u"ç1x"_s },
            { "ec1", u"2"_s }, { "Sample", u"1"_s } });
    calculate(w);
    QCOMPARE(field(w, "FuncFull")->text(), u"F(ş):=ş*ç1"_s);
    QCOMPARE(results(w)->itemText(1), u"[1]:(10,20)"_s);
}

void GraphWindowTest::decimalsTakeEffectAtTheNextTabulation()
{
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    setField(field(w, "FncId"), "t/3");
    calculate(w);
    QCOMPARE(results(w)->itemText(10), u"[10]:(1,0.33333)"_s);

    decimals(w)->setFocus();
    QTest::keyClick(decimals(w), Qt::Key_Right);
    QCOMPARE(decimals(w)->value(), 6);
    QCOMPARE(decimals(w)->toolTip(), u"6"_s);
    QCOMPARE(results(w)->itemText(10), u"[10]:(1,0.33333)"_s);
    calculate(w);
    QCOMPARE(results(w)->itemText(10), u"[10]:(1,0.333333)"_s);

    decimals(w)->setValue(-1);
    QCOMPARE(decimals(w)->toolTip(), u"-1"_s);
    setFields(
        w, { { "FncId", u"t"_s }, { "ex1", u"15"_s }, { "ex2", u"25"_s }, { "Sample", u"1"_s } });
    calculate(w);
    QCOMPARE(items(results(w)), QStringList({ u"[0]:(20,20)"_s, u"[1]:(20,20)"_s }));

    // The hint is set again whenever the mouse comes over the scroll bar.
    decimals(w)->setToolTip(QString());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(decimals(w), &enter);
    QCOMPARE(decimals(w)->toolTip(), u"-1"_s);
}

void GraphWindowTest::sampleAcceptsDigitsOnly()
{
    TFGraphics w;
    w.show();
    field(w, "Sample")->setFocus();
    field(w, "Sample")->selectAll();
    QTest::keyClicks(field(w, "Sample"), "1a-2.,3 ");
    QCOMPARE(field(w, "Sample")->text(), u"123"_s);
    // The refused keys were not dropped without a word.
    QCOMPARE(QToolTip::text(), QString::fromUtf8(quarnis::kSampleDigitsOnlyText));
    QToolTip::hideText();
}

// Qt's line edits keep 32767 characters unless told otherwise; the definition takes 1 MB.
void GraphWindowTest::aLongDefinitionReachesTheRecordWhole()
{
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    QString definition = u"t"_s;
    while (definition.size() < 1000001)
        definition += u"+t"_s;
    QApplication::clipboard()->setText(definition);
    field(w, "FncId")->setFocus();
    field(w, "FncId")->selectAll();
    QTest::keyClick(field(w, "FncId"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field(w, "FncId")->text().size(), definition.size());
    setField(field(w, "Sample"), "1");
    calculate(w);
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(w.functionRecord().Definition.size(), std::size_t(definition.size()));
    QCOMPARE(field(w, "FuncFull")->text(), u"F(t):="_s + definition);
    QCOMPARE(items(results(w)), QStringList({ u"[0]:(0,0)"_s, u"[1]:(10,5000010)"_s }));
    for (QLineEdit* field : w.findChildren<QLineEdit*>())
        QVERIFY2(
            field->maxLength() == std::numeric_limits<int>::max(), qPrintable(field->objectName()));
}

void GraphWindowTest::aLongTabulationShowsItsProgressAndCancels_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("button") << false;
    QTest::newRow("Esc") << true;
}

// A slow definition: once the progress box shows points done, the user cancels. As after a
// fault, the result list keeps the lines of those points; the list box and the point table
// keep the tabulation before.
void GraphWindowTest::aLongTabulationShowsItsProgressAndCancels()
{
    QFETCH(bool, escape);
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    calculate(w);
    const QStringList before = items(results(w));

    QString slow = u"SIN(t)"_s;
    for (int i = 0; i < 20000; ++i)
        slow += u"+SIN(t)"_s;
    setFields(w, { { "FncId", slow }, { "Sample", u"1000"_s } });
    QString shown;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &w, [&] {
        auto* progress = w.findChild<QProgressDialog*>();
        if (!progress || !progress->isVisible() || progress->value() < 2)
            return;
        shown = progress->labelText();
        poll.stop();
        if (escape)
            QTest::keyClick(progress, Qt::Key_Escape);
        else
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    poll.start(10);
    calculate(w);

    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY2(shown.endsWith(u" / 1001 nokta hesaplandı"_s), qPrintable(shown));
    QVERIFY(!w.findChild<QProgressDialog*>());
    const QStringList lines = items(results(w));
    QVERIFY(lines.size() >= 2 && lines.size() < 1001);
    QCOMPARE(lines[1], u"[1]:(0.01,200.00666)"_s);
    QCOMPARE(rows(listBox(w)), before);
    QCOMPARE(w.plotObject().Points.size(), std::size_t(101));
    QCOMPARE(w.plotObject().Points[100].y, 10.0);
    QCOMPARE(field(w, "FuncFull")->text(), u"F(t):="_s + slow);
}

void GraphWindowTest::typedResultTextIsNotListed()
{
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    calculate(w);
    results(w)->setFocus();
    QTest::keyClicks(results(w)->lineEdit(), "[5]:(1,1)");
    QTest::keyClick(results(w)->lineEdit(), Qt::Key_Return);
    QCOMPARE(results(w)->count(), 101);
    QVERIFY(w.isVisible()); // Enter pressed no button and did not close the window
}

void GraphWindowTest::colourButtons()
{
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QRect swatch = TButtonColor::swatchRect(QSize(25, 21));
    QCOMPARE(swatch, QRect(QPoint(6, 6), QPoint(18, 15)));
    const auto swatchPixel
        = [&](TButtonColor* b) { return b->grab().toImage().pixelColor(12, 10); };
    QCOMPARE(swatchPixel(colour(w, "bColorAlan")), QColor(166, 202, 240));
    QCOMPARE(swatchPixel(colour(w, "bColorGraf")), QColor(0, 0, 0));

    // Cancel: nothing changes, the dialog was preset to the colour.
    dialogs.colorAnswer.reset();
    QTest::mouseClick(colour(w, "bColorAlan"), Qt::LeftButton);
    QCOMPARE(dialogs.colorRequests.size(), 1);
    QCOMPARE(dialogs.colorRequests[0], QColor(166, 202, 240));
    QCOMPARE(colour(w, "bColorAlan")->color(), QColor(166, 202, 240));

    // Confirm a colour and define a custom colour: every other button offers it.
    const QList<QColor> custom = { QColor(1, 2, 3), QColor(250, 200, 100) };
    dialogs.colorAnswer = QColor(10, 20, 30);
    dialogs.customColorAnswer = custom;
    QTest::mouseClick(colour(w, "bColorGraf"), Qt::LeftButton);
    QCOMPARE(colour(w, "bColorGraf")->color(), QColor(10, 20, 30));
    QCOMPARE(swatchPixel(colour(w, "bColorGraf")), QColor(10, 20, 30));
    QCOMPARE(swatchPixel(colour(w, "bColorXY")), QColor(0, 128, 0));
    dialogs.colorAnswer.reset();
    QTest::mouseClick(colour(w, "bColorGrid"), Qt::LeftButton);
    QCOMPARE(dialogs.customColorRequests.last(), custom);
    QCOMPARE(colour(w, "bColorGrid")->color(), QColor(128, 128, 128));
    TFGraphics other; // the list lives for the process, not for a window
    QTest::mouseClick(colour(other, "bColorAlan"), Qt::LeftButton);
    QCOMPARE(dialogs.customColorRequests.last(), custom);
}

// The colour dialog itself, answered from a timer once it is open.
void GraphWindowTest::theRealColourDialog()
{
    TFGraphics w;
    w.show();
    QColor preset;
    const auto answer = [&](bool accept) {
        QTimer::singleShot(0, [&, accept] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            preset = dialog->currentColor();
            if (!accept)
                return dialog->reject();
            QColorDialog::setCustomColor(0, QColor(9, 9, 9));
            dialog->setCurrentColor(QColor(1, 2, 3));
            dialog->accept();
        });
    };
    answer(true);
    QTest::mouseClick(colour(w, "bColorXY"), Qt::LeftButton);
    QCOMPARE(preset, QColor(0, 128, 0));
    QCOMPARE(colour(w, "bColorXY")->color(), QColor(1, 2, 3));
    QCOMPARE(TButtonColor::customColors().value(0), QColor(9, 9, 9));

    QColorDialog::setCustomColor(0, QColor(200, 0, 0)); // not the buttons' list: replaced
    answer(false);
    QTest::mouseClick(colour(w, "bColorGrid"), Qt::LeftButton);
    QCOMPARE(preset, QColor(128, 128, 128));
    QCOMPARE(QColorDialog::customColor(0), QColor(9, 9, 9));
    QCOMPARE(colour(w, "bColorGrid")->color(), QColor(128, 128, 128));
}

QTEST_MAIN(GraphWindowTest)
#include "graph_window_test.moc"
