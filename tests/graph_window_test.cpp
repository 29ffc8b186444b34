// The graph window through its real controls: clicks, keys and the fields' texts.

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

void setField(QLineEdit* e, const QString& text)
{
    e->selectAll();
    e->setText(text);
}

} // namespace

class GraphWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithTheLayoutsValues();
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
    void hidingKeepsEverything();
    void screenshot();
};

void GraphWindowTest::startsWithTheLayoutsValues()
{
    TFGraphics w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Grafik Formu"));
    QCOMPARE(w.size(), QSize(812, 597));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(w.GrapBox->size(), QSize(457, 289));
    QCOMPARE(w.GrapBox->mapTo(&w, QPoint(0, 0)), QPoint(0 + 311 + 10 + 8, 5 + 8 + 251 + 8));

    const struct {
        QComboBox* list;
        QStringList entries;
        int start;
    } lists[] = {
        { w.cAlanTip,
            { "Dolu", "Boş", "Yatay", "Düşey", "Sol-Sağ Çizgili", "Sağ-Sol Çizgili", "Kareli",
                "Çapraz Kareli" },
            0 },
        { w.cXYTip,
            { "Normal", "Kesikli", "Noktalı", "Kesikli/Noktalı", "Kesikli/Noktalı Noktalı" }, 0 },
        { w.cGrafTip, items(w.cXYTip), 0 },
        { w.cGridTip, items(w.cXYTip), 2 },
        { w.cGraphTip, { "Nokta", "Çizgi" }, 0 },
        { w.cEtiketFont, { "Tahoma", "Arial", "Calibri", "Courier" }, 0 },
        { w.cXPerc, { "1/2", "1/4", "3/4" }, 0 },
        { w.cYPerc, { "1/2", "1/4", "3/4" }, 0 },
        { w.cXYWidth, { "1", "2", "3", "4", "5" }, 0 },
        { w.cGridType, { "4", "8", "10" }, 0 },
        { w.cScTip, { "Max", "Ort" }, 0 },
        { w.cGrafWidth, { "1", "2", "3" }, 0 },
    };
    for (const auto& l : lists) {
        QCOMPARE(items(l.list), l.entries);
        QCOMPARE(l.list->currentIndex(), l.start);
        QCOMPARE(l.list->currentText(), l.entries[l.start]);
        QVERIFY(l.list->isEditable());
    }
    QCOMPARE(w.cGridTip->currentText(), QStringLiteral("Noktalı"));

    QCOMPARE(w.bColorAlan->color(), QColor(166, 202, 240));
    QCOMPARE(w.bColorEtiket->color(), QColor(255, 0, 0));
    QCOMPARE(w.bColorGraf->color(), QColor(0, 0, 0));
    QCOMPARE(w.bColorXY->color(), QColor(0, 128, 0));
    QCOMPARE(w.bColorGrid->color(), QColor(128, 128, 128));
    QCOMPARE(w.xScale->text(), QStringLiteral("1.0"));
    QCOMPARE(w.yScale->text(), QStringLiteral("1.0"));
    QVERIFY(w.sGrid->isChecked());

    QCOMPARE(w.xa->text(), QStringLiteral("x1"));
    QCOMPARE(w.xb->text(), QStringLiteral("x2"));
    QCOMPARE(w.scrSonuc->value(), 5);
    QCOMPARE(w.scrSonuc->minimum(), -1);
    QCOMPARE(w.scrSonuc->maximum(), 9);
    QVERIFY(w.scrSonuc->toolTip().isEmpty());
    QCOMPARE(w.cCalcExec->count(), 0);
    QCOMPARE(w.lFuncVars->model()->rowCount(), 0);
    QVERIFY(w.FuncFull->text().isEmpty());
    QVERIFY(w.FuncFull->isReadOnly());
    QVERIFY(!quarnis::CoordSystemDrawn);
    QVERIFY(w.Func && w.Graph1D);
    QVERIFY(w.Graph1D->Points.empty());
    QCOMPARE(w.Graph1D->OriginX, 0);
    QCOMPARE(w.Graph1D->ScaleX, 0.0);
}

void GraphWindowTest::tabGoesThroughThePanelInOrder()
{
    TFGraphics w;
    const QList<QWidget*> expected = { w.FncName, w.FncVar, w.FncConst1, w.ec1, w.FncConst2, w.ec2,
        w.FncConst3, w.ec3, w.FncId, w.ex1, w.ex2, w.Sample, w.cCalcExec, w.FuncFull, w.scrSonuc,
        w.bEval1D, w.lFuncVars, w.DoGraph, w.bClearGArea, w.bColorAlan, w.cAlanTip };
    QList<QWidget*> got;
    QWidget* next = w.FncName;
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
    QTest::mouseClick(w.bEval1D, Qt::LeftButton);
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(w.FuncFull->text(), QStringLiteral("F(t):=t"));
    const QStringList lines = items(w.cCalcExec);
    QCOMPARE(lines.size(), 101);
    QCOMPARE(lines[0], QStringLiteral("[0]:(0,0)"));
    QCOMPARE(lines[1], QStringLiteral("[1]:(0.1,0.1)"));
    QCOMPARE(lines[100], QStringLiteral("[100]:(10,10)"));
    QCOMPARE(rows(w.lFuncVars), lines);
    QCOMPARE(w.cCalcExec->currentIndex(), -1);
    QVERIFY(w.cCalcExec->currentText().isEmpty());
    QCOMPARE(w.Graph1D->Points.size(), std::size_t(101));
    QCOMPARE(w.Graph1D->Points[37].x, 3.7);
    QCOMPARE(w.Func->Values.size(), std::size_t(101));

    // A second press lists anew rather than appending.
    setField(w.FncId, "t*t");
    QTest::mouseClick(w.bEval1D, Qt::LeftButton);
    QCOMPARE(w.cCalcExec->count(), 101);
    QCOMPARE(w.cCalcExec->itemText(37), QStringLiteral("[37]:(3.7,13.69)"));
    QCOMPARE(w.Graph1D->Points[100].y, 100.0);
}

void GraphWindowTest::refusesAFieldAndChangesNothingVisible_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("comma in ex1") << "ex1"
                                  << "0,5"
                                  << "'0,5' is not a valid floating point value.";
    QTest::newRow("empty ec1") << "ec1"
                               << ""
                               << "'' is not a valid floating point value.";
    QTest::newRow("letters in ec3") << "ec3"
                                    << "abc"
                                    << "'abc' is not a valid floating point value.";
    QTest::newRow("huge ex2") << "ex2"
                              << "1E400"
                              << "Floating point overflow.";
    QTest::newRow("empty Sample") << "Sample"
                                  << ""
                                  << "'''' is not a valid integer value.";
    QTest::newRow("spaced Sample") << "Sample"
                                   << "5 "
                                   << "''5 '' is not a valid integer value.";
    const QString range = QStringLiteral("Örnekleme Adeti 1 ile 65535 arasında olmalıdır.");
    QTest::newRow("Sample 0") << "Sample"
                              << "0" << range;
    QTest::newRow("Sample 65536") << "Sample"
                                  << "65536" << range;
    QTest::newRow("Sample 65537") << "Sample"
                                  << "65537" << range;
    QTest::newRow("Sample -1") << "Sample"
                               << "-1" << range;
    QTest::newRow("Sample huge") << "Sample"
                                 << "99999999999"
                                 << "''99999999999'' is not a valid integer value.";
}

void GraphWindowTest::refusesAFieldAndChangesNothingVisible()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    QTest::mouseClick(w.bEval1D, Qt::LeftButton);
    const QStringList before = items(w.cCalcExec);

    setField(w.FncName, "G");
    setField(w.ec1, "3");
    setField(w.FncId, "t*c1");
    QLineEdit* target = field == "ex1" ? w.ex1
        : field == "ex2"               ? w.ex2
        : field == "ec1"               ? w.ec1
        : field == "ec3"               ? w.ec3
                                       : w.Sample;
    setField(target, text);
    QTest::mouseClick(w.bEval1D, Qt::LeftButton);

    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text, message);
    QCOMPARE(dialogs.messages[0].caption, quarnis::kApplicationTitle);
    QCOMPARE(dialogs.messages[0].icon, quarnis::Dialogs::Icon::Stop);
    QCOMPARE(w.FuncFull->text(), QStringLiteral("F(t):=t"));
    QCOMPARE(items(w.cCalcExec), before);
    QCOMPARE(rows(w.lFuncVars), before);
    QCOMPARE(w.Graph1D->Points.size(), std::size_t(101));
    QCOMPARE(w.Func->FuncName, std::u16string(u"G")); // read before the failing field
    if (field != "ec1")
        QCOMPARE(w.Func->ConstValue1, 3.0);
}

void GraphWindowTest::aFaultMidwayKeepsTheLinesBefore()
{
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    QTest::mouseClick(w.bEval1D, Qt::LeftButton);
    setField(w.FncId, "EXP(t)");
    setField(w.ex1, "700");
    setField(w.ex2, "720");
    setField(w.Sample, "4");
    QTest::mouseClick(w.bEval1D, Qt::LeftButton);
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("Floating point overflow."));
    QCOMPARE(w.FuncFull->text(), QStringLiteral("F(t):=EXP(t)"));
    QCOMPARE(items(w.cCalcExec),
        QStringList({ QStringLiteral("[0]:(700,1E304)"), QStringLiteral("[1]:(705,1.5E306)") }));
    QCOMPARE(w.lFuncVars->model()->rowCount(), 101); // the earlier tabulation
    QCOMPARE(w.Graph1D->Points.size(), std::size_t(101));
}

void GraphWindowTest::failedPointsAreListedWithTheEngineText()
{
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    setField(w.FncId, "t^2");
    setField(w.ex1, "-3");
    setField(w.ex2, "3");
    setField(w.Sample, "6");
    QTest::mouseClick(w.bEval1D, Qt::LeftButton);
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(w.cCalcExec->itemText(1), QStringLiteral("[1]:(-2,Yazım Hatası...)"));
    QCOMPARE(w.cCalcExec->itemText(5), QStringLiteral("[5]:(2,4)"));
    QCOMPARE(w.cCalcExec->count(), 7);
    // Only x = 1, 2, 3 have values; the failed points are not plotted.
    QCOMPARE(w.Graph1D->Points.size(), std::size_t(3));
    QCOMPARE(w.Graph1D->Points[0].x, 1.0);
    QCOMPARE(w.Graph1D->Points[2].y, 9.0);
}

void GraphWindowTest::rangeLabelsFollowTheVariable()
{
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    QApplication::setActiveWindow(&w);
    w.FncVar->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.FncVar->selectAll();
    QTest::keyClicks(w.FncVar, "time");
    QTest::keyClick(w.FncVar, Qt::Key_Tab);
    QCOMPARE(w.xa->text(), QStringLiteral("time1"));
    QCOMPARE(w.xb->text(), QStringLiteral("time2"));
    QCOMPARE(w.xa->width(), 25); // clipped, not grown

    QTest::mouseClick(w.bEval1D, Qt::LeftButton);
    QCOMPARE(w.Func->VarName, std::u16string(u"t"));
    QVERIFY(w.FuncFull->text().startsWith(QStringLiteral("F(t):=")));

    // Names keep their characters: "ş" is a variable like any other.
    setField(w.FncVar, QStringLiteral("şey"));
    setField(w.FncId, QStringLiteral("ş*ç1"));
    setField(w.FncConst1, QStringLiteral("ç1x"));
    setField(w.ec1, "2");
    setField(w.Sample, "1");
    QTest::mouseClick(w.bEval1D, Qt::LeftButton);
    QCOMPARE(w.FuncFull->text(), QStringLiteral("F(ş):=ş*ç1"));
    QCOMPARE(w.cCalcExec->itemText(1), QStringLiteral("[1]:(10,20)"));
}

void GraphWindowTest::decimalsTakeEffectAtTheNextTabulation()
{
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    setField(w.FncId, "t/3");
    QTest::mouseClick(w.bEval1D, Qt::LeftButton);
    QCOMPARE(w.cCalcExec->itemText(10), QStringLiteral("[10]:(1,0.33333)"));

    w.scrSonuc->setFocus();
    QTest::keyClick(w.scrSonuc, Qt::Key_Right);
    QCOMPARE(w.scrSonuc->value(), 6);
    QCOMPARE(w.scrSonuc->toolTip(), QStringLiteral("6"));
    QCOMPARE(w.cCalcExec->itemText(10), QStringLiteral("[10]:(1,0.33333)"));
    QTest::mouseClick(w.bEval1D, Qt::LeftButton);
    QCOMPARE(w.cCalcExec->itemText(10), QStringLiteral("[10]:(1,0.333333)"));

    w.scrSonuc->setValue(-1);
    QCOMPARE(w.scrSonuc->toolTip(), QStringLiteral("-1"));
    setField(w.FncId, "t");
    setField(w.ex1, "15");
    setField(w.ex2, "25");
    setField(w.Sample, "1");
    QTest::mouseClick(w.bEval1D, Qt::LeftButton);
    QCOMPARE(items(w.cCalcExec),
        QStringList({ QStringLiteral("[0]:(20,20)"), QStringLiteral("[1]:(20,20)") }));

    // The hint is set again whenever the mouse comes over the scroll bar.
    w.scrSonuc->setToolTip(QString());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(w.scrSonuc, &enter);
    QCOMPARE(w.scrSonuc->toolTip(), QStringLiteral("-1"));
}

void GraphWindowTest::sampleAcceptsDigitsOnly()
{
    TFGraphics w;
    w.show();
    w.Sample->setFocus();
    w.Sample->selectAll();
    QTest::keyClicks(w.Sample, "1a-2.,3 ");
    QCOMPARE(w.Sample->text(), QStringLiteral("123"));
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
    w.FncId->setFocus();
    w.FncId->selectAll();
    QTest::keyClick(w.FncId, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.FncId->text().size(), definition.size());
    setField(w.Sample, "1");
    QTest::mouseClick(w.bEval1D, Qt::LeftButton);
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(w.Func->Definition.size(), std::size_t(definition.size()));
    QCOMPARE(w.FuncFull->text(), QStringLiteral("F(t):=") + definition);
    QCOMPARE(items(w.cCalcExec),
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
    QTest::mouseClick(w.bEval1D, Qt::LeftButton);
    const QStringList before = items(w.cCalcExec);

    QString slow = QStringLiteral("SIN(t)");
    for (int i = 0; i < 20000; ++i)
        slow += QStringLiteral("+SIN(t)");
    setField(w.FncId, slow);
    setField(w.Sample, "1000");
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
    QTest::mouseClick(w.bEval1D, Qt::LeftButton);

    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY2(shown.endsWith(QStringLiteral(" / 1001 nokta hesaplandı")), qPrintable(shown));
    QVERIFY(!w.findChild<QProgressDialog*>());
    const QStringList lines = items(w.cCalcExec);
    QVERIFY(lines.size() >= 2 && lines.size() < 1001);
    QCOMPARE(lines[1], QStringLiteral("[1]:(0.01,200.00666)"));
    QCOMPARE(rows(w.lFuncVars), before);
    QCOMPARE(w.Graph1D->Points.size(), std::size_t(101));
    QCOMPARE(w.Graph1D->Points[100].y, 10.0);
    QCOMPARE(w.FuncFull->text(), QStringLiteral("F(t):=") + slow);
}

void GraphWindowTest::typedResultTextIsNotListed()
{
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    QTest::mouseClick(w.bEval1D, Qt::LeftButton);
    w.cCalcExec->setFocus();
    QTest::keyClicks(w.cCalcExec->lineEdit(), "[5]:(1,1)");
    QTest::keyClick(w.cCalcExec->lineEdit(), Qt::Key_Return);
    QCOMPARE(w.cCalcExec->count(), 101);
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
    QCOMPARE(swatchPixel(w.bColorAlan), QColor(166, 202, 240));
    QCOMPARE(swatchPixel(w.bColorGraf), QColor(0, 0, 0));

    // Cancel: nothing changes, the dialog was preset to the colour.
    dialogs.colorAnswer.reset();
    QTest::mouseClick(w.bColorAlan, Qt::LeftButton);
    QCOMPARE(dialogs.colorRequests.size(), 1);
    QCOMPARE(dialogs.colorRequests[0], QColor(166, 202, 240));
    QCOMPARE(w.bColorAlan->color(), QColor(166, 202, 240));

    // Confirm a colour and define a custom colour: every other button offers it.
    const QList<QColor> custom = { QColor(1, 2, 3), QColor(250, 200, 100) };
    dialogs.colorAnswer = QColor(10, 20, 30);
    dialogs.customColorAnswer = custom;
    QTest::mouseClick(w.bColorGraf, Qt::LeftButton);
    QCOMPARE(w.bColorGraf->color(), QColor(10, 20, 30));
    QCOMPARE(swatchPixel(w.bColorGraf), QColor(10, 20, 30));
    QCOMPARE(swatchPixel(w.bColorXY), QColor(0, 128, 0));
    dialogs.colorAnswer.reset();
    QTest::mouseClick(w.bColorGrid, Qt::LeftButton);
    QCOMPARE(dialogs.customColorRequests.last(), custom);
    QCOMPARE(w.bColorGrid->color(), QColor(128, 128, 128));
    TFGraphics other; // the list lives for the process, not for a window
    QTest::mouseClick(other.bColorAlan, Qt::LeftButton);
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
    QTest::mouseClick(w.bColorXY, Qt::LeftButton);
    QCOMPARE(preset, QColor(0, 128, 0));
    QCOMPARE(w.bColorXY->color(), QColor(1, 2, 3));
    QCOMPARE(TButtonColor::customColors().value(0), QColor(9, 9, 9));

    QColorDialog::setCustomColor(0, QColor(200, 0, 0)); // not the buttons' list: replaced
    answer(false);
    QTest::mouseClick(w.bColorGrid, Qt::LeftButton);
    QCOMPARE(preset, QColor(128, 128, 128));
    QCOMPARE(QColorDialog::customColor(0), QColor(9, 9, 9));
    QCOMPARE(w.bColorGrid->color(), QColor(128, 128, 128));
}

void GraphWindowTest::hidingKeepsEverything()
{
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    setField(w.FncId, "t*2");
    QTest::mouseClick(w.bEval1D, Qt::LeftButton);
    w.cAlanTip->setCurrentIndex(3);
    w.xScale->setText("7");
    w.Graph1D->OriginX = 114;
    w.close();
    QVERIFY(!w.isVisible());
    w.show();
    QCOMPARE(w.cCalcExec->count(), 101);
    QCOMPARE(w.lFuncVars->model()->rowCount(), 101);
    QCOMPARE(w.FuncFull->text(), QStringLiteral("F(t):=t*2"));
    QCOMPARE(w.cAlanTip->currentText(), QStringLiteral("Düşey"));
    QCOMPARE(w.xScale->text(), QStringLiteral("7"));
    QCOMPARE(w.Graph1D->Points.size(), std::size_t(101));
    QCOMPARE(w.Graph1D->OriginX, 114);
}

void GraphWindowTest::screenshot()
{
    const QString path = qEnvironmentVariable("QUARNIS_SCREENSHOT");
    if (path.isEmpty())
        QSKIP("set QUARNIS_SCREENSHOT to a PNG path to save the window's picture");
    ScopedRecordingDialogs dialogs;
    TFGraphics w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    setField(w.FncId, "SIN(t)*c1+COS(t)/2");
    setField(w.ec1, "2");
    QTest::mouseClick(w.bEval1D, Qt::LeftButton);
    w.cGraphTip->setCurrentIndex(1); // "Çizgi"
    w.bClearGArea->click();
    w.bAutoScale->click();
    w.DoGraph->click();
    QVERIFY(w.grab().save(path));
}

QTEST_MAIN(GraphWindowTest)
#include "graph_window_test.moc"
