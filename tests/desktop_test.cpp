// The windows on the desktop, through their real controls (offscreen): the names screen
// readers say, the notice of a new result, the keys that copy the result, the table and the
// plot, Ctrl+Q, the table's menus and files, and the program's identity.

#include "calculator/startup.h"
#include "graph/plot_surface.h"
#include "recording_dialogs.h"
#include "ui/accessibility.h"
#include "ui/mnemonics.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

using quarnis::ScopedRecordingDialogs;

namespace {

// The name a screen reader is given for a control that takes the focus.
QString NameOf(QWidget* control)
{
    if (!control->accessibleName().isEmpty())
        return control->accessibleName();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// The controls of `window` that take the focus; a combo box's field and list are part of it.
QList<QWidget*> FocusableControls(QWidget* window)
{
    QList<QWidget*> out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w->isWindow() || !w->isVisibleTo(window))
            continue;
        bool insideCombo = false;
        for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
            insideCombo = insideCombo || qobject_cast<QComboBox*>(p);
        if (!insideCombo)
            out << w;
    }
    return out;
}

QString EveryNameOnce(QWidget* window)
{
    QMap<QString, QWidget*> seen;
    for (QWidget* control : FocusableControls(window)) {
        const QString name = NameOf(control);
        if (!std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetterOrNumber(); }))
            return QStringLiteral("%1 has no name").arg(control->metaObject()->className());
        if (seen.contains(name))
            return QStringLiteral("two controls are named %1").arg(name);
        seen.insert(name, control);
    }
    return {};
}

// Runs `open`, which shows a popup menu, and gives the menu's action texts; closes it.
QStringList MenuOf(const std::function<void()>& open, const QString& trigger = {})
{
    open();
    QCoreApplication::processEvents();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return { QStringLiteral("(no menu)") };
    QStringList texts;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        texts << a->text() + (a->isEnabled() ? QString() : QStringLiteral(" (off)"));
        if (a->text() == trigger)
            a->trigger();
    }
    menu->close();
    QCoreApplication::processEvents();
    return texts;
}

QString ReadFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("(missing)");
    return QString::fromUtf8(f.readAll());
}

// The control of `window` with the given layout name.
template <class Control = QWidget> Control* Find(QWidget* window, const char* name)
{
    auto* control = window->findChild<Control*>(QLatin1String(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}

bool ShowAndWait(QWidget& window)
{
    window.show();
    return QTest::qWaitForWindowActive(&window);
}

// What Ctrl+C in `control` puts on the clipboard.
QString CopiedFrom(QWidget* control)
{
    control->setFocus();
    QTest::keyClick(control, Qt::Key_C, Qt::ControlModifier);
    return QGuiApplication::clipboard()->text();
}

void Tabulate(QWidget* w, const QString& definition, const QString& from, const QString& to,
    const QString& steps)
{
    Find<QLineEdit>(w, "FncId")->setText(definition);
    Find<QLineEdit>(w, "ex1")->setText(from);
    Find<QLineEdit>(w, "ex2")->setText(to);
    Find<QLineEdit>(w, "Sample")->setText(steps);
    QTest::mouseClick(Find(w, "bEval1D"), Qt::LeftButton);
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QGuiApplication::clipboard()->clear(); }

    // ---- Screen readers ----

    void everyControlHasANameOfItsOwn()
    {
        TCalcMain calc;
        TFGraphics graph;
        QCOMPARE(EveryNameOnce(&calc), QString());
        QCOMPARE(EveryNameOnce(&graph), QString());
    }

    void theGraphLabelsAreTheirFieldsBuddies()
    {
        TFGraphics w;
        QVERIFY(ShowAndWait(w));
        const std::pair<const char*, const char*> buddies[] = { { "Label1", "FncName" },
            { "Label2", "FncVar" }, { "Label6", "FncId" }, { "Label7", "ex1" },
            { "Label8", "Sample" }, { "Label15", "cCalcExec" }, { "Label16", "FuncFull" } };
        for (const auto& [label, field] : buddies)
            QCOMPARE(Find<QLabel>(&w, label)->buddy(), Find(&w, field));
        // Every mnemonic of the window is there once.
        QSet<QChar> letters;
        for (QLabel* label : w.findChildren<QLabel*>()) {
            const qsizetype at = label->text().indexOf(u'&');
            if (at < 0)
                continue;
            const QChar letter = label->text().at(at + 1).toUpper();
            QVERIFY2(!letters.contains(letter), qPrintable(label->text()));
            letters.insert(letter);
            QVERIFY(label->buddy());
        }
        QVERIFY(letters.size() >= 20);
        // Alt with a label's letter moves the focus to its field.
        const std::pair<Qt::Key, const char*> jumps[]
            = { { Qt::Key_X, "xScale" }, { Qt::Key_Y, "yScale" }, { Qt::Key_H, "ex1" } };
        for (const auto& [key, field] : jumps) {
            QTest::keyClick(&w, key, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget(), Find(&w, field));
        }
    }

    void execAnnouncesTheResultWhereTheFocusStays()
    {
        // What the accessibility bus then carries is checked over AT-SPI (atspi_check.py);
        // here: the notice's text, and the focus where the user left it.
        ScopedRecordingDialogs dialogs;
        TCalcMain w;
        QVERIFY(ShowAndWait(w));
        auto* notice = w.findChild<quarnis::Announcer*>();
        QVERIFY(notice);
        auto* memo = Find<QPlainTextEdit>(&w, "EnterFormula");
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("2+3*4"));
        QTest::keyClick(memo, Qt::Key_Return);
        QCOMPARE(notice->accessibleName(), QStringLiteral("Sonuç: 14"));
        QCOMPARE(QApplication::focusWidget(), memo);
        memo->setPlainText(QStringLiteral("(1+2"));
        QTest::mouseClick(Find(&w, "Exec"), Qt::LeftButton);
        QCOMPARE(notice->accessibleName(), QStringLiteral("Sonuç: Geçersiz parantez..."));
        QCOMPARE(QApplication::focusWidget(), Find(&w, "Exec"));
    }

    // ---- Keys ----

    void ctrlShiftCCopiesTheResultFromAnyControl()
    {
        TCalcMain w;
        QVERIFY(ShowAndWait(w));
        auto* memo = Find<QPlainTextEdit>(&w, "EnterFormula");
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept")); // no result yet
        memo->setPlainText(QStringLiteral("1/3"));
        QTest::mouseClick(Find(&w, "Exec"), Qt::LeftButton);
        for (const char* name : { "EnterFormula", "Exec", "DecNum", "Result", "CClearMems" }) {
            QGuiApplication::clipboard()->clear();
            Find(&w, name)->setFocus();
            QTest::keyClick(Find(&w, name), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("0.333333333"));
        }
        QCOMPARE(memo->toPlainText(), QStringLiteral("1/3")); // no key typed
    }

    void ctrlCInTheMemo_data()
    {
        QTest::addColumn<int>("selectionLength");
        QTest::addColumn<QString>("copied");
        QTest::newRow("nothing selected: the result") << 0 << QStringLiteral("10");
        QTest::newRow("a selection: the selection") << 3 << QStringLiteral("2*5");
    }
    void ctrlCInTheMemo()
    {
        QFETCH(int, selectionLength);
        QFETCH(QString, copied);
        TCalcMain w;
        QVERIFY(ShowAndWait(w));
        auto* memo = Find<QPlainTextEdit>(&w, "EnterFormula");
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("2*5"));
        QTest::keyClick(memo, Qt::Key_Return);
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(0);
        cursor.setPosition(selectionLength, QTextCursor::KeepAnchor);
        memo->setTextCursor(cursor);
        QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
        QCOMPARE(memo->toPlainText(), QStringLiteral("2*5"));
    }

    void ctrlQEndsTheProgramFromEveryWindow()
    {
        // The program ends when its last window closes; here the test goes on, and a quit
        // would end every later modal loop at once.
        QApplication::setQuitOnLastWindowClosed(false);
        quarnis::Windows windows;
        TCalcMain& calc = windows.calculator;
        calc.show();
        QVERIFY(QTest::qWaitForWindowActive(&calc));
        QTest::keyClick(Find(&calc, "EnterFormula"), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!calc.isVisible());

        // From the graph window shown modally: it closes, and so does the calculator.
        calc.show();
        bool graphWasOpen = false;
        QTimer::singleShot(0, [&] {
            graphWasOpen = QTest::qWaitForWindowActive(&windows.graph);
            QTest::keyClick(Find(&windows.graph, "FncName"), Qt::Key_Q, Qt::ControlModifier);
        });
        QTest::mouseClick(Find(&calc, "BGraph"), Qt::LeftButton);
        QVERIFY(graphWasOpen);
        QVERIFY(!windows.graph.isVisible());
        QVERIFY(!calc.isVisible());
    }

    void theSurfaceComesLastInTheTabChain()
    {
        TFGraphics w;
        auto* surface = Find<quarnis::PlotSurface>(&w, "GrapBox");
        auto* name = Find<QWidget>(&w, "FncName");
        auto* gridStyle = Find<QWidget>(&w, "cGridTip");
        QVERIFY(ShowAndWait(w));
        gridStyle->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), surface);
        QTest::keyClick(surface, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), name);
        QTest::keyClick(name, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), surface);
    }

    void theSurfaceHasItsMenuAndKeys()
    {
        ScopedRecordingDialogs dialogs;
        QTemporaryDir dir;
        TFGraphics w;
        auto* surface = Find<quarnis::PlotSurface>(&w, "GrapBox");
        auto* xScale = Find<QLineEdit>(&w, "xScale");
        auto* clear = Find<QWidget>(&w, "bClearGArea");
        QVERIFY(ShowAndWait(w));
        QTest::mouseClick(clear, Qt::LeftButton);
        surface->setFocus();
        const QStringList expected
            = { QStringLiteral("Grafiği Kaydet..."), QStringLiteral("Panoya Kopyala") };
        QCOMPARE(MenuOf([&] { QTest::keyClick(surface, Qt::Key_Menu); }), expected);
        QCOMPARE(
            MenuOf([&] { QTest::keyClick(surface, Qt::Key_F10, Qt::ShiftModifier); }), expected);

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
        dialogs.fileAnswer = dir.filePath(QStringLiteral("plot"));
        xScale->setFocus();
        xScale->selectAll();
        QTest::keyClick(xScale, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1.0"));
        QTest::keyClick(xScale, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("plot.png"))));
        QCOMPARE(xScale->text(), QStringLiteral("1.0"));
        QCOMPARE(shown(), picture); // no frame without the focus
    }

    // ---- The table ----

    void theListBoxCopiesTheLinesItHolds()
    {
        TFGraphics w;
        auto* list = Find<QListView>(&w, "lFuncVars");
        QVERIFY(ShowAndWait(w));
        QCOMPARE(CopiedFrom(list), QString()); // nothing listed yet
        Tabulate(&w, QStringLiteral("ln(t)"), QStringLiteral("-1"), QStringLiteral("1"),
            QStringLiteral("2"));
        // The failed points keep the engine's error text in the f(x) column.
        const QString lnTable
            = QStringLiteral("t\tF(t):=ln(t)\n-1\tYazım Hatası...\n0\tYazım Hatası...\n1\t0\n");
        QCOMPARE(CopiedFrom(list), lnTable);
        // A tabulation that fails midway leaves the list box with the lines before it, under
        // their own definition, not the one that failed.
        ScopedRecordingDialogs dialogs;
        Tabulate(&w, QStringLiteral("t*t"), QStringLiteral("0"), QStringLiteral("1E300"),
            QStringLiteral("1"));
        QVERIFY(!dialogs.messages.isEmpty());
        QCOMPARE(CopiedFrom(list), lnTable);
    }

    void theTableMenus()
    {
        ScopedRecordingDialogs dialogs;
        QTemporaryDir dir;
        TFGraphics w;
        auto* list = Find<QListView>(&w, "lFuncVars");
        auto* results = Find<QComboBox>(&w, "cCalcExec");
        QVERIFY(ShowAndWait(w));
        const QStringList off = { QStringLiteral("Tabloyu Kopyala (off)"),
            QStringLiteral("Tabloyu Kaydet... (off)") };
        QCOMPARE(MenuOf([&] { emit list->customContextMenuRequested(QPoint(5, 5)); }), off);

        Tabulate(&w, QStringLiteral("t*t"), QStringLiteral("0"), QStringLiteral("1"),
            QStringLiteral("2"));
        const QString tsv = QStringLiteral("t\tF(t):=t*t\n0\t0\n0.5\t0.25\n1\t1\n");
        MenuOf([&] { emit list->customContextMenuRequested(QPoint(5, 5)); },
            QStringLiteral("Tabloyu Kopyala"));
        QCOMPARE(QGuiApplication::clipboard()->text(), tsv);
        // The keyboard opens the same menus.
        const QStringList on
            = { QStringLiteral("Tabloyu Kopyala"), QStringLiteral("Tabloyu Kaydet...") };
        list->setFocus();
        QCOMPARE(MenuOf([&] { QTest::keyClick(list, Qt::Key_Menu); }), on);
        QCOMPARE(MenuOf([&] { QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier); }), on);
        results->setFocus();
        QVERIFY(MenuOf([&] {
            QTest::keyClick(results->lineEdit(), Qt::Key_Menu);
        }).contains(QStringLiteral("Tabloyu Kaydet...")));

        // The result list's field keeps its edit menu and gets the table's two commands.
        QGuiApplication::clipboard()->clear();
        const QStringList resultMenu
            = MenuOf([&] { emit results->lineEdit()->customContextMenuRequested(QPoint(5, 5)); },
                QStringLiteral("Tabloyu Kopyala"));
        QVERIFY(resultMenu.contains(QStringLiteral("Tabloyu Kaydet...")));
        QVERIFY(resultMenu.size() > 2);
        QCOMPARE(QGuiApplication::clipboard()->text(), tsv);

        dialogs.fileAnswer = dir.filePath(QStringLiteral("table"));
        MenuOf([&] { emit list->customContextMenuRequested(QPoint(5, 5)); },
            QStringLiteral("Tabloyu Kaydet..."));
        QCOMPARE(ReadFile(dir.filePath(QStringLiteral("table.csv"))),
            QStringLiteral("t,F(t):=t*t\r\n0,0\r\n0.5,0.25\r\n1,1\r\n"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void aFailedSaveSaysSoAndWritesNothing()
    {
        ScopedRecordingDialogs dialogs;
        QTemporaryDir dir;
        TFGraphics w;
        QVERIFY(ShowAndWait(w));
        Tabulate(
            &w, QStringLiteral("t"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"));
        // "Tabloyu Kaydet..." from the menu of the result list's field, or of the list box.
        const auto saveFrom = [](QWidget* control) {
            MenuOf([&] { emit control->customContextMenuRequested(QPoint(5, 5)); },
                QStringLiteral("Tabloyu Kaydet..."));
        };
        // A directory in the way of the file, and a file in a directory that is missing.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken.csv")));
        for (const QString& name : { dir.filePath(QStringLiteral("taken.csv")),
                 dir.filePath(QStringLiteral("no/t.csv")) }) {
            dialogs.messages.clear();
            dialogs.fileAnswer = name;
            saveFrom(Find<QComboBox>(&w, "cCalcExec")->lineEdit());
            QCOMPARE(dialogs.messages.size(), 1);
            QVERIFY(dialogs.messages[0].text.startsWith(
                QStringLiteral("Tablo \"%1\" dosyasına kaydedilemedi").arg(name)));
            QCOMPARE(dialogs.messages[0].icon, quarnis::Dialogs::Icon::Stop);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
        // Cancelling the dialog writes nothing and says nothing.
        dialogs.messages.clear();
        dialogs.fileAnswer.clear();
        saveFrom(Find(&w, "lFuncVars"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    // ---- Identity ----

    void theProgramIsKnownByItsDesktopEntry()
    {
        quarnis::SetUpDesktopIdentity();
        QVERIFY(!QApplication::windowIcon().isNull());
        QVERIFY(!QApplication::windowIcon().pixmap(32, 32).isNull());
        TCalcMain w;
        QVERIFY(!w.windowIcon().isNull());
        // The window class (the application name on X11) is the entry's StartupWMClass.
        QSettings entry(
            QStringLiteral(QUARNIS_SOURCE_DIR "/data/io.github.quarnis.Calculator.desktop"),
            QSettings::IniFormat);
        entry.beginGroup(QStringLiteral("Desktop Entry"));
        QCOMPARE(entry.value(QStringLiteral("StartupWMClass")).toString(),
            QCoreApplication::applicationName());
        QCOMPARE(
            entry.value(QStringLiteral("Icon")).toString(), QGuiApplication::desktopFileName());
    }

    // Last: it wraps the application's style for the rest of the run.
    void theAltLettersShowOnlyWhileAltIsHeld()
    {
        quarnis::UnderlineMnemonicsOnAlt(*qApp);
        TFGraphics w;
        auto* xScale = Find<QLineEdit>(&w, "xScale");
        auto* label = Find<QLabel>(&w, "Label1");
        QVERIFY(ShowAndWait(w));
        const QImage plain = label->grab().toImage();
        QTest::keyPress(&w, Qt::Key_Alt);
        QApplication::processEvents();
        QVERIFY(label->grab().toImage() != plain);
        QTest::keyRelease(&w, Qt::Key_Alt);
        QApplication::processEvents();
        QCOMPARE(label->grab().toImage(), plain);
        // The letters still move the focus without Alt being seen as held before.
        QTest::keyClick(&w, Qt::Key_X, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), xScale);
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
