// The history window driven as a user drives it (offscreen): formulas evaluated with EXEC in
// the real calculator window, the window opened with Ctrl+H, its entries inserted, copied,
// saved, deleted and cleared with real keys, clicks and its context menu.

#include "calculator/formula_memo.h"
#include "calculator/history_window.h"
#include "calculator/startup.h"
#include "recording_dialogs.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using quarnis::HistoryEntry;
using namespace Qt::StringLiterals;

namespace {

const QString kSine = u"2*sin(Pi/6)"_s;
const QString kFailing = u"(1+2"_s;
const QString kTwoLines = u"1/3+\r\n2"_s; // a syntax error: the engine takes no line break

// A palette of a dark desktop scheme: light texts on dark faces and fields.
QPalette DarkPalette()
{
    QPalette p(QColor(0x42, 0x42, 0x45), QColor(0x22, 0x20, 0x20));
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(0x3d, 0x3d, 0x3d));
    p.setColor(QPalette::Highlight, QColor(0x12, 0x60, 0x8a));
    return p;
}

} // namespace

class HistoryWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<quarnis::ScopedRecordingDialogs> dialogs;
    std::unique_ptr<quarnis::Windows> windows;

    template <class Control = QWidget> Control* find(QWidget* window, const char* name) const
    {
        auto* found = window->findChild<Control*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    quarnis::FormulaMemo* memo() const
    {
        return find<quarnis::FormulaMemo>(&windows->calculator, "EnterFormula");
    }
    QListView* list() const { return find<QListView>(&windows->history, "HistoryList"); }
    QString row(int r) const { return list()->model()->index(r, 0).data().toString(); }
    QStringList rows() const
    {
        QStringList out;
        for (int r = 0; r < list()->model()->rowCount(); ++r)
            out << row(r);
        return out;
    }

    void exec(const QString& formula, int decimals)
    {
        memo()->clear();
        memo()->InsertFormulaText(formula); // a megabyte in segments, as a paste brings it
        find<QScrollBar>(&windows->calculator, "DecNum")->setValue(decimals);
        QTest::mouseClick(find(&windows->calculator, "Exec"), Qt::LeftButton);
    }
    void open()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(QTest::qWaitForWindowActive(&windows->history));
        QTRY_COMPARE(QApplication::focusWidget(), list());
    }
    // The three entries: a value with 3 decimals, an error text, and a formula of two lines.
    void execThree()
    {
        exec(kSine, 3);
        exec(kFailing, -1);
        exec(kTwoLines, 2);
    }
    void select(std::initializer_list<int> selected)
    {
        list()->clearSelection();
        for (int r : selected) {
            list()->selectionModel()->select(
                list()->model()->index(r, 0), QItemSelectionModel::Select);
        }
    }
    // Opens the entry's context menu as a right click does, and triggers `command` in it;
    // gives the menu's entries, "(off)" after one that is disabled.
    QStringList menu(int entry, const QString& command = {})
    {
        const QRect at = list()->visualRect(list()->model()->index(entry, 0));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at.center());
        emit list()->customContextMenuRequested(at.center());
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup)
            return { u"(no menu)"_s };
        QStringList texts;
        QAction* chosen = nullptr;
        for (QAction* action : popup->actions()) {
            if (!action->isSeparator())
                texts << action->text() + (action->isEnabled() ? u""_s : u" (off)"_s);
            if (action->text() == command)
                chosen = action;
        }
        popup->close();
        if (chosen)
            chosen->trigger();
        return texts;
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        dialogs = std::make_unique<quarnis::ScopedRecordingDialogs>();
        windows = std::make_unique<quarnis::Windows>();
        windows->calculator.show();
        QVERIFY(QTest::qWaitForWindowActive(&windows->calculator));
    }
    void cleanup()
    {
        windows.reset();
        dialogs.reset();
    }

    void execAddsEntriesThatCtrlHShowsBesideTheCalculator()
    {
        execThree();
        QVERIFY(!windows->history.isVisible());
        memo()->setFocus();
        open();
        QCOMPARE(windows->history.windowTitle(), u"Geçmiş"_s);
        QVERIFY(!windows->history.frameGeometry().intersects(windows->calculator.frameGeometry()));
        QCOMPARE(rows(),
            QStringList({ u"2*sin(Pi/6) = 1"_s, u"(1+2 = Geçersiz parantez..."_s,
                u"1/3+ ⏎ 2 = Yazım hatası..."_s }));
        const quarnis::History& history = windows->history.history();
        QCOMPARE(history.at(2).formula, kTwoLines);
        QCOMPARE(history.at(0).decimals, 3);
        QCOMPARE(list()->model()->index(0, 0).data(Qt::ToolTipRole), u"Ondalık Sayısı:3"_s);
        QVERIFY(!history.at(0).failed && history.at(1).failed);
        QCOMPARE(QApplication::focusWidget(), list());
        QCOMPARE(list()->currentIndex().row(), 2);

        // Modeless: the calculator goes on, and the list shows the new entry.
        exec(u"1+1"_s, -1);
        QCOMPARE(row(3), u"1+1 = 2"_s);
        // Esc hides; closing, too; Ctrl+H shows the window again.
        QTest::keyClick(list(), Qt::Key_Escape);
        QVERIFY(!windows->history.isVisible());
        windows->calculator.activateWindow();
        open();
        windows->history.close();
        QVERIFY(!windows->history.isVisible());
        QCOMPARE(rows().size(), 4);
    }

    void theResultFieldsMenuShowsTheHistory()
    {
        auto* result = find<QLineEdit>(&windows->calculator, "Result");
        emit result->customContextMenuRequested(result->rect().center());
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(popup);
        QAction* show = popup->actions().constLast();
        QCOMPARE(show->text(), u"Geçmişi Göster"_s);
        QVERIFY(popup->actions().size() > 2); // the field's own commands stay
        popup->close();
        show->trigger();
        QVERIFY(QTest::qWaitForWindowActive(&windows->history));
        QTRY_COMPARE(QApplication::focusWidget(), list());
    }

    void insertingPutsTheTextInPlaceOfTheSelection_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("memo");
        QTest::newRow("Enter: formula") << 0 << "Enter"
                                        << "1" + kSine + "5";
        QTest::newRow("double click: formula") << 2 << "double"
                                               << "11/3+\n25";
        QTest::newRow("Shift+Enter: result") << 0 << "Shift+Enter"
                                             << "115";
        QTest::newRow("menu: result") << 0 << "Sonucu Ekle"
                                      << "115";
        QTest::newRow("Shift+Enter: no error text") << 1 << "Shift+Enter"
                                                    << "12345";
        QTest::newRow("menu: formula of a failed entry") << 1 << "Formülü Ekle"
                                                         << "1(1+25";
    }
    void insertingPutsTheTextInPlaceOfTheSelection()
    {
        QFETCH(int, entry);
        QFETCH(QString, keys);
        QFETCH(QString, memo);
        execThree();
        this->memo()->setPlainText(u"12345"_s);
        QTextCursor selection = this->memo()->textCursor();
        selection.setPosition(1);
        selection.setPosition(4, QTextCursor::KeepAnchor);
        this->memo()->setTextCursor(selection);
        open();
        const QModelIndex index = list()->model()->index(entry, 0);
        list()->setCurrentIndex(index);
        if (keys == u"Enter"_s || keys == u"Shift+Enter"_s) {
            QTest::keyClick(
                list(), Qt::Key_Return, keys == u"Enter"_s ? Qt::NoModifier : Qt::ShiftModifier);
        } else if (keys == u"double"_s) {
            const QPoint at = list()->visualRect(index).center();
            QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
        } else {
            menu(entry, keys);
        }
        QCOMPARE(this->memo()->Text(), memo);
        QWidget* focus = memo == u"12345"_s ? static_cast<QWidget*>(list()) : this->memo();
        QTRY_COMPARE(QApplication::focusWidget(), focus);
    }

    void theMenuOffersWhatApplies()
    {
        execThree();
        open();
        QCOMPARE(menu(1),
            QStringList({ u"Formülü Ekle"_s, u"Sonucu Ekle (off)"_s, u"Formülü Kopyala"_s,
                u"Sonucu Kopyala"_s, u"Geçmişi Kaydet..."_s, u"Geçmişi Temizle"_s }));
        menu(2, u"Formülü Kopyala"_s);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"1/3+\n2"_s);
        menu(1, u"Sonucu Kopyala"_s);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"Geçersiz parantez..."_s);
        // Ctrl+C: the selected entries in their order, breaks as spaces.
        select({ 2, 0 });
        QTest::keyClick(list(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(
            QGuiApplication::clipboard()->text(), u"2*sin(Pi/6) = 1\n1/3+ 2 = Yazım hatası..."_s);
    }

    void savesEveryEntryOrSaysWhyNot()
    {
        execThree();
        open();
        QTemporaryDir dir;
        dialogs->fileAnswer = dir.filePath(u"hesaplar"_s);
        menu(0, u"Geçmişi Kaydet..."_s);
        QFile saved(dir.filePath(u"hesaplar.txt"_s));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(saved.readAll()),
            u"2*sin(Pi/6) = 1\n(1+2 = Geçersiz parantez...\n1/3+ 2 = Yazım hatası...\n"_s);
        QVERIFY(dialogs->messages.isEmpty());

        dialogs->fileAnswer = dir.filePath(u"yok/hesaplar.txt"_s);
        menu(0, u"Geçmişi Kaydet..."_s);
        QCOMPARE(dialogs->messages.size(), 1);
        QVERIFY(dialogs->messages[0].text.startsWith(u"Geçmiş \""_s + dialogs->fileAnswer));
        QVERIFY(dialogs->messages[0].icon == quarnis::Dialogs::Icon::Stop);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList { u"hesaplar.txt"_s });
    }

    void deleteRemovesTheSelectedAndClearingAsksFirst()
    {
        execThree();
        open();
        select({ 0, 2 });
        QTest::keyClick(list(), Qt::Key_Delete);
        QCOMPARE(rows(), QStringList { u"(1+2 = Geçersiz parantez..."_s });
        QCOMPARE(list()->currentIndex().row(), 0);
        dialogs->confirmAnswer = false;
        menu(0, u"Geçmişi Temizle"_s);
        QCOMPARE(rows().size(), 1);
        dialogs->confirmAnswer = true;
        menu(0, u"Geçmişi Temizle"_s);
        QCOMPARE(rows(), QStringList());
        QCOMPARE(dialogs->confirmations, QStringList(2, u"Geçmişteki 1 hesap silinsin mi?"_s));
    }

    void aMegabyteFormulaShowsItsBeginningAndInsertsWhole()
    {
        QString sum = u"1"_s;
        while (sum.size() < 1000001)
            sum += u"+1"_s;
        exec(sum, -1);
        open();
        QCOMPARE(row(0), sum.left(200) + u"… = 500001"_s);
        memo()->clear();
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(memo()->Text(), sum);
    }

    void theListFollowsTheNewestUnlessScrolledUp()
    {
        for (int i = 0; i < 200; ++i)
            windows->history.add({ QString::number(i), QString::number(i), -1, false });
        open();
        QScrollBar* bar = list()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        exec(u"7"_s, -1);
        QCoreApplication::processEvents();
        QCOMPARE(bar->value(), bar->maximum());
        bar->setValue(0);
        exec(u"8"_s, -1);
        QCoreApplication::processEvents();
        QCOMPARE(bar->value(), 0);
    }

    void aModalWindowBlocksTheHistory()
    {
        exec(kSine, -1);
        open();
        memo()->clear();
        QString memoDuringGraph = u"(not shown)"_s;
        QTimer::singleShot(0, [&] {
            if (QTest::qWaitForWindowActive(&windows->graph)) {
                QTest::keyClick(windows->history.windowHandle(), Qt::Key_Return);
                memoDuringGraph = memo()->Text();
            }
            windows->graph.reject();
        });
        QTest::mouseClick(find(&windows->calculator, "BGraph"), Qt::LeftButton);
        QCOMPARE(memoDuringGraph, QString());
    }

    void ctrlQEndsTheProgramFromTheHistory()
    {
        open();
        QTest::keyClick(list(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!windows->calculator.isVisible());
    }

    void namesAndColoursForEveryDesktop()
    {
        exec(kSine, -1);
        open();
        QCOMPARE(list()->accessibleName(), u"Hesap geçmişi"_s);
        QAccessibleInterface* view = QAccessible::queryAccessibleInterface(list());
        QVERIFY(view && view->childCount() >= 1);
        QCOMPARE(view->child(0)->text(QAccessible::Name), u"2*sin(Pi/6) = 1"_s);
        const QImage light = windows->history.grab().toImage();
        const QPalette original = QApplication::palette();
        QApplication::setPalette(DarkPalette());
        const QImage dark = windows->history.grab().toImage();
        QApplication::setPalette(original);
        QCOMPARE(dark, light);
    }

    void theBoundsDropTheOldestFirst()
    {
        quarnis::History history;
        for (int i = 0; i <= quarnis::kMaxHistoryEntries; ++i)
            history.add({ QString::number(i), {}, -1, false });
        QCOMPARE(history.size(), quarnis::kMaxHistoryEntries);
        QCOMPARE(history.at(0).formula, u"1"_s);

        // 64 formulas of a megabyte fill the text bound; the next drops the oldest, and the
        // oldest small entries go before them.
        history.clear();
        const QString megabyte(qsizetype(1) << 20, u'1'); // shared by every entry
        history.add({ u"small"_s, {}, -1, false });
        for (int i = 0; i < 64; ++i)
            history.add({ megabyte, QString::number(i), -1, false });
        QCOMPARE(history.size(), 64);
        QCOMPARE(history.at(0).result, u"0"_s);
        history.add({ u"2"_s, {}, -1, false });
        QCOMPARE(history.size(), 64);
        QCOMPARE(history.at(0).result, u"1"_s);
        QCOMPARE(history.formulaText(), 63 * megabyte.size() + 1);
        // A formula above the whole bound is not kept, and takes nothing with it.
        history.add({ megabyte.repeated(65), {}, -1, false });
        QCOMPARE(history.size(), 64);
    }

    void shownFormula_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("shown");
        QTest::newRow("one line") << u"1+2"_s << u"1+2"_s;
        QTest::newRow("CR LF, LF and CR") << u"1\r\n2\n3\r4"_s << u"1 ⏎ 2 ⏎ 3 ⏎ 4"_s;
        QTest::newRow("200 characters") << QString(200, u'7') << QString(200, u'7');
        QTest::newRow("201 characters") << QString(201, u'7') << QString(200, u'7') + u"…"_s;
        QTest::newRow("CR LF across the cut")
            << QString(199, u'7') + u"\r\n8"_s << QString(199, u'7') + u" ⏎ …"_s;
        QTest::newRow("no half character at the cut")
            << QString(199, u'7') + u"😀8"_s << QString(199, u'7') + u"…"_s;
    }
    void shownFormula()
    {
        QFETCH(QString, formula);
        QFETCH(QString, shown);
        QCOMPARE(quarnis::ShownFormula(formula), shown);
    }

    void placedBesideWithoutCovering_data()
    {
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QRect>("placed"); // for a 340 x 549 frame on 1280 x 1024
        QTest::newRow("right") << QRect(487, 237, 306, 549) << QRect(801, 237, 340, 549);
        QTest::newRow("left") << QRect(900, 237, 306, 549) << QRect(552, 237, 340, 549);
        QTest::newRow("narrowed") << QRect(300, 600, 680, 549) << QRect(988, 475, 292, 549);
        QTest::newRow("no room") << QRect(100, 0, 1100, 549) << QRect(1080, 0, 200, 549);
    }
    void placedBesideWithoutCovering()
    {
        QFETCH(QRect, anchor);
        QFETCH(QRect, placed);
        QCOMPARE(quarnis::PlaceBeside(anchor, QSize(340, 549), QRect(0, 0, 1280, 1024)), placed);
    }
};

QTEST_MAIN(HistoryWindowTest)
#include "history_window_test.moc"
