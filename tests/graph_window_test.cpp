// The graph window through its real controls: clicks, keys, the fields' texts, the table's
// menus and files, and the plot surface's keys.

#include "graph/color_button.h"
#include "graph/graph_window.h"
#include "graph/plot_surface.h"

#include "active_window.h"
#include "control_names.h"
#include "recording_dialogs.h"
#include "tabulation/function_record.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <functional>
#include <limits>
#include <memory>

using namespace quarnis::names;

using namespace Qt::StringLiterals;
using quarnis::RecordingDialogs;

namespace {

QStringList linesOf(const QAbstractItemModel* model)
{
    QStringList out;
    for (int i = 0; i < model->rowCount(); ++i)
        out << model->index(i, 0).data().toString();
    return out;
}

// Runs `open`, which shows a popup menu, and gives the menu's action texts, "(off)" after a
// disabled one; triggers the action named `trigger`, then closes the menu.
QStringList menuOf(const std::function<void()>& open, const QString& trigger = {})
{
    QWidget* window = QApplication::activeWindow();
    open();
    QCoreApplication::processEvents();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return { u"(no menu)"_s };
    QStringList texts;
    for (QAction* a : menu->actions()) {
        if (!a->isSeparator())
            texts << a->text() + (a->isEnabled() ? QString() : u" (off)"_s);
        if (a->text() == trigger)
            a->trigger();
    }
    menu->close();
    QCoreApplication::processEvents();
    if (window)
        quarnis::waitUntilActiveAgain(window);
    return texts;
}

// The context menu of `control`, as the mouse opens it.
QStringList contextMenuOf(QWidget* control, const QString& trigger = {})
{
    return menuOf([&] { emit control->customContextMenuRequested(QPoint(5, 5)); }, trigger);
}

// Ctrl+C in `control`. The tests wait for a copied text to arrive (QTRY_COMPARE): under Wayland
// the compositor takes it over from the program, and a read in between can come back empty.
void copyFrom(QWidget* control)
{
    control->setFocus();
    QTest::keyClick(control, Qt::Key_C, Qt::ControlModifier);
}

} // namespace

class GraphWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<RecordingDialogs> dialogs;
    quarnis::QtDialogs qtDialogs; // the real ones, kept as the program keeps them
    std::unique_ptr<quarnis::GraphWindow> w;

    template <class Control = QWidget> Control* find(const char* name) const
    {
        auto* c = w->findChild<Control*>(QLatin1String(name));
        if (!c)
            qFatal("no control %s", name);
        return c;
    }
    QLineEdit* field(const char* name) const { return find<QLineEdit>(name); }
    quarnis::ColorButton* colour(const char* name) const
    {
        return find<quarnis::ColorButton>(name);
    }
    QComboBox* results() const { return find<QComboBox>(kResultList); }
    QListView* listBox() const { return find<QListView>(kListBox); }
    QScrollBar* decimals() const { return find<QScrollBar>(kTableDecimals); }
    QStringList listed() const { return linesOf(results()->model()); }
    const std::vector<quarnis::PlotPoint>& points() const { return w->plotObject().points; }

    // Gives fields, named by their layout names, new texts; then presses HESAPLA.
    void calculate(std::initializer_list<std::pair<const char*, QString>> texts = {})
    {
        for (const auto& [name, text] : texts)
            field(name)->setText(text);
        QTest::mouseClick(find(kCalculate), Qt::LeftButton);
    }

private slots:
    void init()
    {
        dialogs = std::make_unique<RecordingDialogs>();
        w = std::make_unique<quarnis::GraphWindow>(*dialogs);
        w->show();
        QVERIFY(quarnis::waitForActiveWindow(w.get()));
    }
    void cleanup()
    {
        w.reset();
        dialogs.reset();
        QGuiApplication::clipboard()->clear();
    }

    // Tab visits the controls as the layout orders them, group by group, and comes back to
    // the first field; Shift+Tab goes back.
    void tabGoesThroughThePanelInOrder()
    {
        const char* const expected[] = {
            // The function panel, field by field down the form; the list box after HESAPLA.
            kFunctionName, kVariable, kConstName1, kConstValue1, kConstName2, kConstValue2,
            kConstName3, kConstValue3, kDefinition, kFrom, kTo, kSteps, kResultList,
            kFullDefinition, kTableDecimals, kCalculate, kListBox,
            // The plot commands, then "[ Grafik ]", "[ XY]" and "[ Grid ]".
            kDraw, kClearArea, //
            kAreaColor, kAreaStyle, kCurveKind, kTitleColor, kCurveColor, kTitleFont, kCurveStyle,
            kCurveWidth, //
            kAxesColor, kAxesStyle, kAxesWidth, kXAxisRow, kYAxisColumn, kXScale, kYScale,
            kScaleMeasure, kAutoScale, //
            kGridShown, kGridColor, kGridCount, kGridStyle,
            // The drawing surface, and round again.
            kSurface, kFunctionName
        };
        field(kFunctionName)->setFocus();
        for (const char* name : expected) {
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(name));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(kSurface));
    }

    void listsTheDefaultFunction()
    {
        calculate();
        QVERIFY(dialogs->messages.isEmpty());
        QCOMPARE(field(kFullDefinition)->text(), u"F(t):=t"_s);
        const QStringList lines = listed();
        QCOMPARE(lines.size(), 101);
        QCOMPARE(lines[100], u"[100]:(10,10)"_s);
        QCOMPARE(linesOf(listBox()->model()), lines);
        QVERIFY(results()->currentText().isEmpty()); // no line is chosen
        QCOMPARE(points().size(), std::size_t(101));
        // A second press lists anew rather than appending.
        calculate({ { kDefinition, u"t*t"_s } });
        QCOMPARE(results()->count(), 101);
        QCOMPARE(results()->itemText(37), u"[37]:(3.7,13.69)"_s);
        QCOMPARE(points()[100].y, 100.0);
        // A line typed into the result list is not listed; Enter closes nothing.
        results()->setFocus();
        QTest::keyClicks(results()->lineEdit(), "[5]:(1,1)");
        QTest::keyClick(results()->lineEdit(), Qt::Key_Return);
        QCOMPARE(results()->count(), 101);
        QVERIFY(w->isVisible());
    }

    // The whole work through the real controls: typed texts of every kind, picked and typed
    // list texts, colours, the check box and the decimals come back in a fresh window from
    // Ctrl+Shift+S and Ctrl+O; opening runs no HESAPLA.
    void savesAndOpensTheWholeWork()
    {
        const QString awkward = u"  a = b\\n\nç "_s;
        for (const char* name : { "FncName", "FncConst2", "ec3", "FncId", "ex1", "Sample" })
            field(name)->setText(awkward + QLatin1String(name));
        find<QComboBox>("cAlanTip")->setCurrentIndex(5);
        find<QComboBox>("cGraphTip")->setCurrentIndex(1);
        find<QComboBox>("cYPerc")->setEditText(u"2/3"_s);
        find<QComboBox>("cGrafWidth")->setEditText(u"7"_s);
        find<QComboBox>("cEtiketFont")->setCurrentIndex(3);
        find<QComboBox>("cGridTip")->setCurrentIndex(0);
        find<QComboBox>("cScTip")->setCurrentIndex(1);
        field("xScale")->setText(u" 2.5 "_s);
        colour("bColorEtiket")->setColor(QColor(1, 2, 3));
        colour("bColorGrid")->setColor(QColor(250, 251, 252));
        find<QCheckBox>("sGrid")->setChecked(false);
        decimals()->setValue(-1);
        const quarnis::GraphSession saved = w->session();

        QTemporaryDir dir;
        dialogs->fileAnswer = dir.filePath(u"iş"_s);
        QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QFile::exists(dialogs->fileAnswer + u".qgraf"_s));
        QCOMPARE(dialogs->saveFilters, QStringList({ u"Grafik çalışması (*.qgraf)"_s }));

        cleanup();
        init();
        dialogs->openAnswer = dir.filePath(u"iş.qgraf"_s);
        QTest::keyClick(w.get(), Qt::Key_O, Qt::ControlModifier);
        QVERIFY(dialogs->messages.isEmpty());
        QVERIFY(w->session() == saved);
        QCOMPARE(field("FncId")->text(), awkward + u"FncId"_s);
        QCOMPARE(find<QComboBox>("cYPerc")->currentText(), u"2/3"_s);
        QCOMPARE(colour("bColorEtiket")->color(), QColor(1, 2, 3));
        QCOMPARE(find<QLabel>("xa")->text(), u"t1"_s);
        QCOMPARE(results()->count(), 0);
    }

    // A refused file is named in one box, with its line where it has one, and changes no
    // control. What the reader refuses is graph_session_test's.
    void refusedWorkChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray head = "quarnis-graph 1\nfunction.definition = t*t\n";
        QTest::newRow("colour") << head + "grid.color = #12g456\n" << u"3. satır: grid.color"_s;
        QTest::newRow("too large") << head + QByteArray(1 << 20, '#') << u"1 MB"_s;
    }
    void refusedWorkChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        field("FncId")->setText(u"t+1"_s);
        find<QComboBox>("cXYTip")->setCurrentIndex(2);
        const quarnis::GraphSession before = w->session();
        QTemporaryDir dir;
        const QString name = dir.filePath(u"bozuk.qgraf"_s);
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        QVERIFY(!w->openSessionFile(name));
        QCOMPARE(dialogs->messages.size(), 1);
        const QString& text = dialogs->messages[0].text;
        QVERIFY2(
            text.startsWith(u"\"%1\" dosyası açılamadı: "_s.arg(name)) && text.contains(message),
            qPrintable(text));
        QVERIFY(w->session() == before);
    }

    // The function panel's menu holds both, from the mouse and from the menu keys on HESAPLA;
    // the fields keep their own edit menus.
    void functionPanelMenuSavesAndOpens()
    {
        const QStringList names = { u"Çalışmayı Kaydet..."_s, u"Çalışmayı Aç..."_s };
        QCOMPARE(contextMenuOf(find("FuncIDandCalculatePanel")), names);
        QCOMPARE(menuOf([&] {
            find("bEval1D")->setFocus();
            QTest::keyClick(find("bEval1D"), Qt::Key_F10, Qt::ShiftModifier);
        }),
            names);
        dialogs->openAnswer.clear(); // a cancelled dialog opens nothing
        contextMenuOf(find("FuncIDandCalculatePanel"), names[1]);
        QVERIFY(dialogs->messages.isEmpty());
        QCOMPARE(dialogs->openFilters.size(), 1);
    }

    void refusesAFieldAndChangesNothingVisible_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        // Each kind of fault and what the record keeps is StorePanel's; here, that the window
        // reads these fields and shows the fault in the general box, Turkish text included.
        const char* rows[][4] = {
            { "comma in ex1", kFrom, "0,5", "'0,5' is not a valid floating point value." },
            { "letters in ec3", kConstValue3, "abc", "'abc' is not a valid floating point value." },
            { "Sample 0", kSteps, "0", "Örnekleme Adeti 1 ile 65535 arasında olmalıdır." },
        };
        for (const auto& r : rows)
            QTest::newRow(r[0]) << r[1] << QString::fromUtf8(r[2]) << QString::fromUtf8(r[3]);
    }
    void refusesAFieldAndChangesNothingVisible()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, message);
        calculate();
        const QStringList before = listed();
        calculate({ { kDefinition, u"t*t"_s }, { qPrintable(name), text } });
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages[0].text, message);
        QCOMPARE(field(kFullDefinition)->text(), u"F(t):=t"_s);
        QCOMPARE(listed(), before);
        QCOMPARE(linesOf(listBox()->model()), before);
    }

    // Points that fail are listed with the engine's text and left out of the plot. A fault
    // midway ends the tabulation: the result list keeps the lines before it; the list box, the
    // table it copies and the plot keep the tabulation before, under its own definition.
    void failedPointsThenAFaultMidway()
    {
        copyFrom(listBox());
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), QString()); // nothing listed yet
        calculate({ { kDefinition, u"ln(t)"_s }, { kFrom, u"-1"_s }, { kTo, u"1"_s },
            { kSteps, u"2"_s } });
        QVERIFY(dialogs->messages.isEmpty());
        const QString lnTable
            = u"t\tF(t):=ln(t)\n-1\tYazım Hatası...\n0\tYazım Hatası...\n1\t0\n"_s;
        copyFrom(listBox());
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), lnTable);
        QCOMPARE(results()->itemText(1), u"[1]:(0,Yazım Hatası...)"_s);
        QCOMPARE(points().size(), std::size_t(1));
        QCOMPARE(points()[0].x, 1.0);

        calculate({ { kDefinition, u"EXP(t)"_s }, { kFrom, u"700"_s }, { kTo, u"720"_s },
            { kSteps, u"4"_s } });
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages[0].text, u"Floating point overflow."_s);
        QCOMPARE(field(kFullDefinition)->text(), u"F(t):=EXP(t)"_s);
        QCOMPARE(listed(), QStringList({ u"[0]:(700,1E304)"_s, u"[1]:(705,1.5E306)"_s }));
        QGuiApplication::clipboard()->clear();
        copyFrom(listBox());
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), lnTable);
        QCOMPARE(points().size(), std::size_t(1));
    }

    void rangeLabelsFollowTheVariable()
    {
        QLineEdit* variable = field(kVariable);
        variable->setFocus();
        variable->selectAll();
        QTest::keyClicks(variable, "time");
        QTest::keyClick(variable, Qt::Key_Tab);
        QCOMPARE(find<QLabel>(kFromLabel)->text(), u"time1"_s);
        QCOMPARE(find<QLabel>(kToLabel)->text(), u"time2"_s);
        // Names keep their characters: "ş" is a variable like any other.
        calculate({ { kVariable, u"şey"_s }, { kDefinition, u"ş*ç1"_s }, { kConstName1, u"ç1x"_s },
            { kConstValue1, u"2"_s }, { kSteps, u"1"_s } });
        QCOMPARE(field(kFullDefinition)->text(), u"F(ş):=ş*ç1"_s);
        QCOMPARE(results()->itemText(1), u"[1]:(10,20)"_s);
    }

    void decimalsTakeEffectAtTheNextTabulation()
    {
        calculate({ { kDefinition, u"t/3"_s } });
        QCOMPARE(results()->itemText(10), u"[10]:(1,0.33333)"_s);
        decimals()->setFocus();
        QTest::keyClick(decimals(), Qt::Key_Right);
        QCOMPARE(decimals()->toolTip(), u"6"_s);
        QCOMPARE(results()->itemText(10), u"[10]:(1,0.33333)"_s);
        calculate();
        QCOMPARE(results()->itemText(10), u"[10]:(1,0.333333)"_s);
        // -1 rounds to tens, halves to even.
        decimals()->setValue(-1);
        calculate(
            { { kDefinition, u"t"_s }, { kFrom, u"15"_s }, { kTo, u"25"_s }, { kSteps, u"1"_s } });
        QCOMPARE(listed(), QStringList({ u"[0]:(20,20)"_s, u"[1]:(20,20)"_s }));
        // The hint is set again whenever the mouse comes over the scroll bar.
        decimals()->setToolTip(QString());
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(decimals(), &enter);
        QCOMPARE(decimals()->toolTip(), u"-1"_s);
    }

    void sampleAcceptsDigitsOnly()
    {
        field(kSteps)->setFocus();
        field(kSteps)->selectAll();
        QTest::keyClicks(field(kSteps), "1a-2.,3 ");
        QCOMPARE(field(kSteps)->text(), u"123"_s);
        // The refused keys were not dropped without a word.
        QCOMPARE(QToolTip::text(), QString::fromUtf8(quarnis::kSampleDigitsOnlyText));
        QToolTip::hideText();
    }

    // Qt's line edits keep 32767 characters unless told otherwise; the definition takes 1 MB.
    void aLongDefinitionReachesTheRecordWhole()
    {
        QString definition = u"t"_s;
        while (definition.size() < 1000001)
            definition += u"+t"_s;
        QApplication::clipboard()->setText(definition);
        field(kDefinition)->setFocus();
        field(kDefinition)->selectAll();
        QTest::keyClick(field(kDefinition), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field(kDefinition)->text().size(), definition.size());
        calculate({ { kSteps, u"1"_s } });
        QVERIFY(dialogs->messages.isEmpty());
        QCOMPARE(w->functionRecord().definition.size(), std::size_t(definition.size()));
        QCOMPARE(field(kFullDefinition)->text(), u"F(t):="_s + definition);
        QCOMPARE(listed(), QStringList({ u"[0]:(0,0)"_s, u"[1]:(10,5000010)"_s }));
        for (QLineEdit* each : w->findChildren<QLineEdit*>())
            QVERIFY2(each->maxLength() == std::numeric_limits<int>::max(),
                qPrintable(each->objectName()));
    }

    // A comma typed into a number field becomes a full stop in its place; a pasted one stays,
    // and so does one typed into a field that is no number.
    void aTypedCommaIsAFullStopInTheNumberFields_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("keys"); // typed; pasted after "<"
        QTest::addColumn<QString>("text");
        const char* rows[][4] = {
            { "ec1", "ec1", "1,5", "1.5" },
            { "ex1", "ex1", "-0,5", "-0.5" },
            { "xScale", "xScale", "0,5", "0.5" },
            { "Sample refuses the full stop", "Sample", "1,5", "15" },
            { "pasted into ex1", "ex1", "<0,5", "0,5" },
            { "typed into FncId", "FncId", "t*1,5", "t*1,5" },
        };
        for (const auto& r : rows)
            QTest::newRow(r[0]) << r[1] << r[2] << r[3];
    }
    void aTypedCommaIsAFullStopInTheNumberFields()
    {
        QFETCH(QString, name);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QLineEdit* f = field(qPrintable(name));
        f->clear();
        f->setFocus();
        if (keys.startsWith(u'<')) {
            QGuiApplication::clipboard()->setText(keys.mid(1));
            QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(f, keys);
        }
        QCOMPARE(f->text(), text);
    }

    // Once the progress box shows points done, the user cancels. As after a fault, the result
    // list keeps the lines of those points; the list box and the plot keep the tabulation before.
    void aLongTabulationShowsItsProgressAndCancels()
    {
        calculate();
        const QStringList before = listed();
        QString slow = u"SIN(t)"_s;
        for (int i = 0; i < 20000; ++i)
            slow += u"+SIN(t)"_s;
        QString shown, percent;
        QTimer poll;
        connect(&poll, &QTimer::timeout, w.get(), [&] {
            auto* progress = w->findChild<QProgressDialog*>();
            if (!progress || !progress->isVisible() || progress->value() < 2)
                return;
            shown = progress->labelText();
            percent = progress->findChild<QProgressBar*>()->text();
            poll.stop();
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        });
        poll.start(10);
        calculate({ { kDefinition, slow }, { kSteps, u"1000"_s } });

        QVERIFY(dialogs->messages.isEmpty());
        QVERIFY2(shown.endsWith(u" / 1001 nokta hesaplandı"_s), qPrintable(shown));
        QVERIFY2(percent.startsWith(u'%') && percent.size() > 1, qPrintable(percent));
        QVERIFY(!w->findChild<QProgressDialog*>());
        const QStringList lines = listed();
        QVERIFY(lines.size() >= 2 && lines.size() < 1001);
        QCOMPARE(lines[1], u"[1]:(0.01,200.00666)"_s);
        QCOMPARE(linesOf(listBox()->model()), before);
        QCOMPARE(points().size(), std::size_t(101));
        QCOMPARE(points()[100].y, 10.0);
        QCOMPARE(field(kFullDefinition)->text(), u"F(t):="_s + slow);
    }

    // Both the mouse and the keyboard open the table's menu, on the list box and on the result
    // list's field; it copies the table as tab-separated text and saves it as CSV.
    void theTableMenusCopyAndSave()
    {
        QTemporaryDir dir;
        QWidget* resultField = results()->lineEdit();
        QCOMPARE(contextMenuOf(listBox()),
            QStringList({ u"Tabloyu Kopyala (off)"_s, u"Tabloyu Kaydet... (off)"_s }));
        calculate(
            { { kDefinition, u"t*t"_s }, { kFrom, u"0"_s }, { kTo, u"1"_s }, { kSteps, u"2"_s } });
        const QString tsv = u"t\tF(t):=t*t\n0\t0\n0.5\t0.25\n1\t1\n"_s;
        contextMenuOf(listBox(), u"Tabloyu Kopyala"_s);
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), tsv);
        const QStringList on = { u"Tabloyu Kopyala"_s, u"Tabloyu Kaydet..."_s };
        listBox()->setFocus();
        QCOMPARE(menuOf([&] { QTest::keyClick(listBox(), Qt::Key_Menu); }), on);
        QCOMPARE(menuOf([&] { QTest::keyClick(listBox(), Qt::Key_F10, Qt::ShiftModifier); }), on);
        results()->setFocus();
        QVERIFY(menuOf([&] { QTest::keyClick(resultField, Qt::Key_Menu); }).contains(on[1]));
        // The result list's field keeps its edit menu and gets the table's two commands.
        QGuiApplication::clipboard()->clear();
        const QStringList fieldMenu = contextMenuOf(resultField, on[0]);
        QVERIFY(fieldMenu.contains(on[1]) && fieldMenu.size() > 2);
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), tsv);

        dialogs->fileAnswer = dir.filePath(u"table"_s);
        contextMenuOf(listBox(), on[1]);
        QFile saved(dir.filePath(u"table.csv"_s));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), "t,F(t):=t*t\r\n0,0\r\n0.5,0.25\r\n1,1\r\n");
        QVERIFY(dialogs->messages.isEmpty());
        // A directory in the way of the file, a missing directory: a box, and no file written.
        QVERIFY(QDir(dir.path()).mkdir(u"taken.csv"_s));
        for (const QString& name : { dir.filePath(u"taken.csv"_s), dir.filePath(u"no/t.csv"_s) }) {
            dialogs->messages.clear();
            dialogs->fileAnswer = name;
            contextMenuOf(resultField, on[1]);
            QCOMPARE(dialogs->messages.size(), 1);
            QVERIFY(dialogs->messages[0].text.startsWith(
                u"Tablo \"%1\" dosyasına kaydedilemedi"_s.arg(name)));
            QCOMPARE(dialogs->messages[0].icon, quarnis::Dialogs::Icon::Stop);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({ u"table.csv"_s }));
        // Cancelling the dialog says nothing.
        dialogs->messages.clear();
        dialogs->fileAnswer.clear();
        contextMenuOf(listBox(), on[1]);
        QVERIFY(dialogs->messages.isEmpty());
    }

    void theSurfaceHasItsMenuAndKeys()
    {
        QTemporaryDir dir;
        auto* surface = find<quarnis::PlotSurface>(kSurface);
        QLineEdit* xScale = field(kXScale);
        QTest::mouseClick(find(kClearArea), Qt::LeftButton);
        surface->setFocus();
        const QStringList expected
            = { u"Grafiği Kaydet..."_s, u"Panoya Kopyala"_s, u"Yazdır..."_s };
        QCOMPARE(menuOf([&] { QTest::keyClick(surface, Qt::Key_Menu); }), expected);
        QCOMPARE(
            menuOf([&] { QTest::keyClick(surface, Qt::Key_F10, Qt::ShiftModifier); }), expected);
        // The focused surface shows a frame on the screen; the copied picture has none.
        QCOMPARE(QApplication::focusWidget(), surface);
        const QImage picture = surface->image().convertToFormat(QImage::Format_RGB32);
        const auto shown
            = [&] { return surface->grab().toImage().convertToFormat(QImage::Format_RGB32); };
        QCOMPARE(shown().pixel(1, 1), surface->palette().color(QPalette::Highlight).rgb());
        QCOMPARE(shown().pixel(200, 100), picture.pixel(200, 100));
        QTest::keyClick(surface, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(
            QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), picture);
        // Ctrl+S saves from anywhere in the window; Ctrl+C in a field stays the field's.
        dialogs->fileAnswer = dir.filePath(u"plot"_s);
        xScale->selectAll();
        copyFrom(xScale);
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), u"1.0"_s);
        QTest::keyClick(xScale, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(QFile::exists(dir.filePath(u"plot.png"_s)));
        // Ctrl+P opens the print dialog from anywhere in the window.
        dialogs->printAnswer = false;
        QTest::keyClick(xScale, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(dialogs->printRequests, 1);
        QCOMPARE(shown(), picture); // no frame without the focus
    }

    // A colour button through the real colour dialog, answered from a timer once it is open:
    // the dialog starts at the button's colour; a confirmed colour shows in the swatch, a
    // cancelled dialog changes nothing; the custom colours are kept between openings.
    void colourButtons()
    {
        w = std::make_unique<quarnis::GraphWindow>(qtDialogs);
        w->show();
        QVERIFY(quarnis::waitForActiveWindow(w.get()));
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
        QTest::mouseClick(colour(kAxesColor), Qt::LeftButton);
        QCOMPARE(preset, QColor(0, 128, 0));
        QCOMPARE(colour(kAxesColor)->color(), QColor(1, 2, 3));
        QCOMPARE(colour(kAxesColor)->grab().toImage().pixelColor(12, 10), QColor(1, 2, 3));
        QCOMPARE(qtDialogs.customColors().value(0), QColor(9, 9, 9));
        QColorDialog::setCustomColor(0, QColor(200, 0, 0)); // not the buttons' list: replaced
        answer(false);
        QTest::mouseClick(colour(kGridColor), Qt::LeftButton);
        QCOMPARE(preset, QColor(128, 128, 128));
        QCOMPARE(QColorDialog::customColor(0), QColor(9, 9, 9));
        QCOMPARE(colour(kGridColor)->color(), QColor(128, 128, 128));
    }
};

QTEST_MAIN(GraphWindowTest)
#include "graph_window_test.moc"
