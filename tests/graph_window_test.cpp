// The graph window through its real controls: clicks, keys and the fields' texts.

#include "graph/button_color.h"
#include "graph/graph_window.h"

#include "recording_dialogs.h"
#include "tabulation/function_record.h"

#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QStringListModel>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <limits>

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
QComboBox* list(const TFGraphics& w, const char* name) { return find<QComboBox>(w, name); }
QPushButton* button(const TFGraphics& w, const char* name) { return find<QPushButton>(w, name); }
TButtonColor* colour(const TFGraphics& w, const char* name) { return find<TButtonColor>(w, name); }
QLabel* label(const TFGraphics& w, const char* name) { return find<QLabel>(w, name); }
QListView* listBox(const TFGraphics& w) { return find<QListView>(w, "lFuncVars"); }
QScrollBar* decimals(const TFGraphics& w) { return find<QScrollBar>(w, "scrSonuc"); }

// Presses HESAPLA.
void calculate(const TFGraphics& w) { QTest::mouseClick(button(w, "bEval1D"), Qt::LeftButton); }

void setField(QLineEdit* e, const QString& text)
{
    e->selectAll();
    e->setText(text);
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
    QCOMPARE(field(w, "FuncFull")->text(), QStringLiteral("F(t):=t"));
    const QStringList lines = items(list(w, "cCalcExec"));
    QCOMPARE(lines.size(), 101);
    QCOMPARE(lines[0], QStringLiteral("[0]:(0,0)"));
    QCOMPARE(lines[1], QStringLiteral("[1]:(0.1,0.1)"));
    QCOMPARE(lines[100], QStringLiteral("[100]:(10,10)"));
    QCOMPARE(rows(listBox(w)), lines);
    QCOMPARE(list(w, "cCalcExec")->currentIndex(), -1);
    QVERIFY(list(w, "cCalcExec")->currentText().isEmpty());
    QCOMPARE(w.plotObject().Points.size(), std::size_t(101));
    QCOMPARE(w.plotObject().Points[37].x, 3.7);
    QCOMPARE(w.functionRecord().Values.size(), std::size_t(101));

    // A second press lists anew rather than appending.
    setField(field(w, "FncId"), "t*t");
    calculate(w);
    QCOMPARE(list(w, "cCalcExec")->count(), 101);
    QCOMPARE(list(w, "cCalcExec")->itemText(37), QStringLiteral("[37]:(3.7,13.69)"));
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
    const QStringList before = items(list(w, "cCalcExec"));

    setField(field(w, "FncName"), "G");
    setField(field(w, "ec1"), "3");
    setField(field(w, "FncId"), "t*c1");
    setField(field(w, qPrintable(name)), text);
    calculate(w);

    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text, message);
    QCOMPARE(dialogs.messages[0].caption, quarnis::kApplicationTitle);
    QCOMPARE(dialogs.messages[0].icon, quarnis::Dialogs::Icon::Stop);
    QCOMPARE(field(w, "FuncFull")->text(), QStringLiteral("F(t):=t"));
    QCOMPARE(items(list(w, "cCalcExec")), before);
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
    setField(field(w, "FncId"), "EXP(t)");
    setField(field(w, "ex1"), "700");
    setField(field(w, "ex2"), "720");
    setField(field(w, "Sample"), "4");
    calculate(w);
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("Floating point overflow."));
    QCOMPARE(field(w, "FuncFull")->text(), QStringLiteral("F(t):=EXP(t)"));
    QCOMPARE(items(list(w, "cCalcExec")),
        QStringList({ QStringLiteral("[0]:(700,1E304)"), QStringLiteral("[1]:(705,1.5E306)") }));
    QCOMPARE(listBox(w)->model()->rowCount(), 101); // the earlier tabulation
    QCOMPARE(w.plotObject().Points.size(), std::size_t(101));
}

void GraphWindowTest::failedPointsAreListedWithTheEngineText()
{
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    setField(field(w, "FncId"), "t^2");
    setField(field(w, "ex1"), "-3");
    setField(field(w, "ex2"), "3");
    setField(field(w, "Sample"), "6");
    calculate(w);
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(list(w, "cCalcExec")->itemText(1), QStringLiteral("[1]:(-2,Yazım Hatası...)"));
    QCOMPARE(list(w, "cCalcExec")->itemText(5), QStringLiteral("[5]:(2,4)"));
    QCOMPARE(list(w, "cCalcExec")->count(), 7);
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
    QCOMPARE(label(w, "xa")->text(), QStringLiteral("time1"));
    QCOMPARE(label(w, "xb")->text(), QStringLiteral("time2"));
    QCOMPARE(label(w, "xa")->width(), 25); // clipped, not grown

    calculate(w);
    QCOMPARE(w.functionRecord().VarName, std::u16string(u"t"));
    QVERIFY(field(w, "FuncFull")->text().startsWith(QStringLiteral("F(t):=")));

    // Names keep their characters: "ş" is a variable like any other.
    setField(field(w, "FncVar"), QStringLiteral("şey"));
    setField(field(w, "FncId"), QStringLiteral("ş*ç1"));
    setField(field(w, "FncConst1"), QStringLiteral("ç1x"));
    setField(field(w, "ec1"), "2");
    setField(field(w, "Sample"), "1");
    calculate(w);
    QCOMPARE(field(w, "FuncFull")->text(), QStringLiteral("F(ş):=ş*ç1"));
    QCOMPARE(list(w, "cCalcExec")->itemText(1), QStringLiteral("[1]:(10,20)"));
}

void GraphWindowTest::decimalsTakeEffectAtTheNextTabulation()
{
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    setField(field(w, "FncId"), "t/3");
    calculate(w);
    QCOMPARE(list(w, "cCalcExec")->itemText(10), QStringLiteral("[10]:(1,0.33333)"));

    decimals(w)->setFocus();
    QTest::keyClick(decimals(w), Qt::Key_Right);
    QCOMPARE(decimals(w)->value(), 6);
    QCOMPARE(decimals(w)->toolTip(), QStringLiteral("6"));
    QCOMPARE(list(w, "cCalcExec")->itemText(10), QStringLiteral("[10]:(1,0.33333)"));
    calculate(w);
    QCOMPARE(list(w, "cCalcExec")->itemText(10), QStringLiteral("[10]:(1,0.333333)"));

    decimals(w)->setValue(-1);
    QCOMPARE(decimals(w)->toolTip(), QStringLiteral("-1"));
    setField(field(w, "FncId"), "t");
    setField(field(w, "ex1"), "15");
    setField(field(w, "ex2"), "25");
    setField(field(w, "Sample"), "1");
    calculate(w);
    QCOMPARE(items(list(w, "cCalcExec")),
        QStringList({ QStringLiteral("[0]:(20,20)"), QStringLiteral("[1]:(20,20)") }));

    // The hint is set again whenever the mouse comes over the scroll bar.
    decimals(w)->setToolTip(QString());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(decimals(w), &enter);
    QCOMPARE(decimals(w)->toolTip(), QStringLiteral("-1"));
}

void GraphWindowTest::sampleAcceptsDigitsOnly()
{
    TFGraphics w;
    w.show();
    field(w, "Sample")->setFocus();
    field(w, "Sample")->selectAll();
    QTest::keyClicks(field(w, "Sample"), "1a-2.,3 ");
    QCOMPARE(field(w, "Sample")->text(), QStringLiteral("123"));
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
    QString definition = QStringLiteral("t");
    while (definition.size() < 1000001)
        definition += QStringLiteral("+t");
    QApplication::clipboard()->setText(definition);
    field(w, "FncId")->setFocus();
    field(w, "FncId")->selectAll();
    QTest::keyClick(field(w, "FncId"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field(w, "FncId")->text().size(), definition.size());
    setField(field(w, "Sample"), "1");
    calculate(w);
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(w.functionRecord().Definition.size(), std::size_t(definition.size()));
    QCOMPARE(field(w, "FuncFull")->text(), QStringLiteral("F(t):=") + definition);
    QCOMPARE(items(list(w, "cCalcExec")),
        QStringList({ QStringLiteral("[0]:(0,0)"), QStringLiteral("[1]:(10,5000010)") }));
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
    const QStringList before = items(list(w, "cCalcExec"));

    QString slow = QStringLiteral("SIN(t)");
    for (int i = 0; i < 20000; ++i)
        slow += QStringLiteral("+SIN(t)");
    setField(field(w, "FncId"), slow);
    setField(field(w, "Sample"), "1000");
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
    QVERIFY2(shown.endsWith(QStringLiteral(" / 1001 nokta hesaplandı")), qPrintable(shown));
    QVERIFY(!w.findChild<QProgressDialog*>());
    const QStringList lines = items(list(w, "cCalcExec"));
    QVERIFY(lines.size() >= 2 && lines.size() < 1001);
    QCOMPARE(lines[1], QStringLiteral("[1]:(0.01,200.00666)"));
    QCOMPARE(rows(listBox(w)), before);
    QCOMPARE(w.plotObject().Points.size(), std::size_t(101));
    QCOMPARE(w.plotObject().Points[100].y, 10.0);
    QCOMPARE(field(w, "FuncFull")->text(), QStringLiteral("F(t):=") + slow);
}

void GraphWindowTest::typedResultTextIsNotListed()
{
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    calculate(w);
    list(w, "cCalcExec")->setFocus();
    QTest::keyClicks(list(w, "cCalcExec")->lineEdit(), "[5]:(1,1)");
    QTest::keyClick(list(w, "cCalcExec")->lineEdit(), Qt::Key_Return);
    QCOMPARE(list(w, "cCalcExec")->count(), 101);
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
