// The history window driven as a user drives it (offscreen): three formulas evaluated with
// EXEC in the real calculator window (one failing, one of two lines), the window opened with
// Ctrl+H, its entries inserted, copied, saved, deleted and cleared with real keys, clicks and
// its context menu. Ctrl+Q from it is desktop_test's.

#include "active_window.h"
#include "calculator/formula_memo.h"
#include "calculator/history_journal.h"
#include "calculator/startup.h"
#include "control_names.h"
#include "recording_dialogs.h"
#include "ui/window_system.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>

using namespace quarnis::names;

using namespace Qt::StringLiterals;

class HistoryWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<quarnis::RecordingDialogs> dialogs;
    std::unique_ptr<quarnis::Windows> windows;

    template <class Control = QWidget> Control* find(QWidget* window, const char* name) const
    {
        return window->findChild<Control*>(QLatin1String(name));
    }
    quarnis::FormulaMemo* memo() const
    {
        return find<quarnis::FormulaMemo>(&windows->calculator, kMemo);
    }
    QListView* list() const { return find<QListView>(&windows->history, kHistoryList); }
    QModelIndex entry(int row) const { return list()->model()->index(row, 0); }
    QStringList rows() const
    {
        QStringList out;
        for (int r = 0; r < list()->model()->rowCount(); ++r)
            out << entry(r).data().toString();
        return out;
    }
    void exec(const QString& formula, int decimals)
    {
        memo()->clear();
        memo()->insertFormulaText(formula);
        find<QScrollBar>(&windows->calculator, kDecimals)->setValue(decimals);
        QTest::mouseClick(find(&windows->calculator, kExec), Qt::LeftButton);
    }
    void open()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(quarnis::waitForActiveWindow(&windows->history));
        QTRY_COMPARE(QApplication::focusWidget(), list());
    }
    // Opens the entry's context menu as a right click does and triggers `command` in it;
    // gives the menu's entries, "(off)" after one that is disabled.
    // The menu asked for over the row by a click, or by the Menu key while the pointer rests
    // there, as X11 sends it.
    QStringList menu(int row, const QString& command = {},
        QContextMenuEvent::Reason reason = QContextMenuEvent::Mouse)
    {
        const QPoint at = list()->visualRect(entry(row)).center();
        if (reason == QContextMenuEvent::Mouse)
            QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
        QContextMenuEvent click(reason, at, list()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list()->viewport(), &click);
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QStringList texts;
        QAction* chosen = nullptr;
        for (QAction* action : popup ? popup->actions() : QList<QAction*>()) {
            if (!action->isSeparator())
                texts << action->text() + (action->isEnabled() ? u""_s : u" (off)"_s);
            chosen = action->text() == command ? action : chosen;
        }
        if (popup)
            popup->close();
        if (chosen)
            chosen->trigger(); // before the closed menu, which owns it, is deleted
        quarnis::waitUntilActiveAgain();
        return texts;
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        dialogs = std::make_unique<quarnis::RecordingDialogs>();
        windows = std::make_unique<quarnis::Windows>(*dialogs);
        windows->calculator.show();
        QVERIFY(quarnis::waitForActiveWindow(&windows->calculator));
        exec(u"2*sin(Pi/6)"_s, 3);
        exec(u"(1+2"_s, -1);
        exec(u"1/3+\r\n2"_s, 2); // the engine takes no line break
    }
    void cleanup()
    {
        windows.reset();
        dialogs.reset();
    }

    void everyExecIsListedBesideTheCalculator()
    {
        QVERIFY(!windows->history.isVisible());
        open();
        QCOMPARE(windows->history.windowTitle(), u"Geçmiş"_s);
        if (quarnis::canPlaceWindows()) {
            QVERIFY(
                !windows->history.frameGeometry().intersects(windows->calculator.frameGeometry()));
        } else { // the compositor places it, as the calculator's child
            QCOMPARE(windows->history.windowHandle()->transientParent(),
                windows->calculator.windowHandle());
            QCOMPARE(windows->history.height(), windows->calculator.height());
        }
        QCOMPARE(rows(),
            QStringList({ u"2*sin(Pi/6) = 1"_s, u"(1+2 = Geçersiz parantez..."_s,
                u"1/3+ ⏎ 2 = Yazım hatası..."_s }));
        QCOMPARE(entry(0).data(Qt::ToolTipRole), u"Ondalık Sayısı:3"_s);
        QCOMPARE(list()->currentIndex().row(), 2);

        QTest::keyClick(list(), Qt::Key_Escape); // hides
        QVERIFY(!windows->history.isVisible());
    }

    void theResultFieldsMenuShowsTheHistory()
    {
        auto* result = find<QLineEdit>(&windows->calculator, kResult);
        emit result->customContextMenuRequested(result->rect().center());
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(popup && popup->actions().size() > 2); // the field's own commands stay
        QAction* show = popup->actions().constLast();
        QCOMPARE(show->text(), u"Geçmişi Göster"_s);
        popup->close();
        show->trigger();
        QVERIFY(quarnis::waitForActiveWindow(&windows->history));
    }

    void insertingReplacesTheMemosSelection_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("memo");
        QTest::newRow("Enter: formula") << 0 << "Enter"
                                        << "12*sin(Pi/6)5";
        QTest::newRow("double click: formula") << 2 << "double"
                                               << "11/3+\n25";
        QTest::newRow("Shift+Enter: result") << 0 << "Shift+Enter"
                                             << "115";
        QTest::newRow("Shift+Enter: no error text") << 1 << "Shift+Enter"
                                                    << "12345";
        QTest::newRow("menu: failed entry's formula") << 1 << "Formülü Ekle"
                                                      << "1(1+25";
        QTest::newRow("Menu key: the current entry's, not the pointer's") << 0 << "Menu key"
                                                                          << "12*sin(Pi/6)5";
    }
    void insertingReplacesTheMemosSelection()
    {
        QFETCH(int, row);
        QFETCH(QString, how);
        QFETCH(QString, memo);
        this->memo()->setPlainText(u"12345"_s);
        QTextCursor selection = this->memo()->textCursor();
        selection.setPosition(1);
        selection.setPosition(4, QTextCursor::KeepAnchor); // "234"
        this->memo()->setTextCursor(selection);
        open();
        list()->setCurrentIndex(entry(row));
        const QPoint at = list()->visualRect(entry(row)).center();
        if (how == u"double"_s) {
            QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
        } else if (how.endsWith(u"Enter"_s)) {
            QTest::keyClick(list(), Qt::Key_Return,
                how.startsWith(u"Shift"_s) ? Qt::ShiftModifier : Qt::NoModifier);
        } else if (how == u"Menu key"_s) {
            menu(2, u"Formülü Ekle"_s, QContextMenuEvent::Keyboard);
        } else {
            menu(row, how);
        }
        QCOMPARE(this->memo()->text(), memo);
        QWidget* focus = memo == u"12345"_s ? static_cast<QWidget*>(list()) : this->memo();
        QTRY_COMPARE(focus->window()->focusWidget(), focus);
        if (quarnis::programActivatesItsWindows())
            QTRY_COMPARE(QApplication::focusWidget(), focus);
    }

    void copyingFromTheMenuAndWithCtrlC()
    {
        open();
        QCOMPARE(menu(1),
            QStringList({ u"Formülü Ekle"_s, u"Sonucu Ekle (off)"_s, u"Formülü Kopyala"_s,
                u"Sonucu Kopyala"_s, u"Geçmişi Kaydet..."_s, u"Geçmişi Temizle"_s,
                u"Geçmişi Sakla (off)"_s })); // nothing kept: the windows were not started
        menu(2, u"Formülü Kopyala"_s);
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), u"1/3+\n2"_s);
        menu(1, u"Sonucu Kopyala"_s);
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), u"Geçersiz parantez..."_s);
        // The selected entries in their order, line breaks as spaces.
        list()->selectionModel()->select(entry(0), QItemSelectionModel::Select);
        list()->selectionModel()->select(entry(2), QItemSelectionModel::Select);
        list()->selectionModel()->select(entry(1), QItemSelectionModel::Deselect);
        QTest::keyClick(list(), Qt::Key_C, Qt::ControlModifier);
        QTRY_COMPARE(
            QGuiApplication::clipboard()->text(), u"2*sin(Pi/6) = 1\n1/3+ 2 = Yazım hatası..."_s);
    }

    // Each change reaches the kept file as it reaches the list.
    void savingDeletingClearingAndTurningOff()
    {
        QTemporaryDir dir, saves;
        QSignalSpy restored(&windows->history, &quarnis::HistoryWindow::restored);
        windows->history.restore(
            std::make_unique<quarnis::HistoryStore>(dir.path(), dir.filePath(u"quarnis.conf"_s)));
        QVERIFY(restored.wait());
        const auto file = [&] {
            QFile history(dir.filePath(u"history"_s));
            QStringList formulas;
            if (history.open(QIODevice::ReadOnly))
                for (const quarnis::HistoryEntry& e : quarnis::readJournal(history.readAll()))
                    formulas << e.formula;
            return formulas;
        };
        // The entries before the history was kept are written when it starts.
        QCOMPARE(file(), QStringList({ u"2*sin(Pi/6)"_s, u"(1+2"_s, u"1/3+\r\n2"_s }));
        open();
        dialogs->fileAnswer = saves.filePath(u"hesaplar"_s);
        menu(0, u"Geçmişi Kaydet..."_s);
        QFile saved(saves.filePath(u"hesaplar.txt"_s));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(saved.readAll()),
            u"2*sin(Pi/6) = 1\n(1+2 = Geçersiz parantez...\n1/3+ 2 = Yazım hatası...\n"_s);
        // A save that fails says so and writes nothing.
        dialogs->fileAnswer = saves.filePath(u"yok/hesaplar.txt"_s);
        menu(0, u"Geçmişi Kaydet..."_s);
        QCOMPARE(dialogs->messages.size(), 1);
        QVERIFY(dialogs->messages[0].text.startsWith(u"Geçmiş \""_s + dialogs->fileAnswer));
        QVERIFY(dialogs->messages[0].icon == quarnis::Dialogs::Icon::Stop);
        QCOMPARE(QDir(saves.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList { u"hesaplar.txt"_s });

        list()->selectionModel()->select(entry(0), QItemSelectionModel::Select);
        list()->selectionModel()->select(entry(2), QItemSelectionModel::Select);
        QTest::keyClick(list(), Qt::Key_Delete);
        QCOMPARE(rows(), QStringList { u"(1+2 = Geçersiz parantez..."_s });
        QCOMPARE(file(), QStringList { u"(1+2"_s });
        dialogs->confirmAnswer = false;
        menu(0, u"Geçmişi Temizle"_s);
        QCOMPARE(file(), QStringList { u"(1+2"_s });
        dialogs->confirmAnswer = true;
        menu(0, u"Geçmişi Temizle"_s);
        QCOMPARE(rows(), QStringList());
        QCOMPARE(file(), QStringList());
        QCOMPARE(dialogs->confirmations, QStringList(2, u"Geçmişteki 1 hesap silinsin mi?"_s));

        exec(u"5"_s, -1);
        QCOMPARE(file(), QStringList { u"5"_s });
        menu(0, u"Geçmişi Sakla"_s); // off: the file goes, the list stays
        QVERIFY(!QFile::exists(dir.filePath(u"history"_s)));
        exec(u"6"_s, -1);
        QCOMPARE(rows(), QStringList({ u"5 = 5"_s, u"6 = 6"_s }));
        QVERIFY(!QFile::exists(dir.filePath(u"history"_s)));
        QVERIFY(menu(0).contains(u"Geçmişi Sakla"_s));
        QCOMPARE(dialogs->messages.size(), 1);
    }

    // The file is read on a thread: an EXEC meanwhile comes after the file's entries, also when
    // the program ends before they are listed, and a Clear meanwhile empties the file too.
    void whileTheFileIsReadTheWindowGoesOn_data()
    {
        QTest::addColumn<bool>("clear");
        QTest::addColumn<bool>("quit");
        QTest::newRow("EXEC") << false << false;
        QTest::newRow("EXEC, then quit") << false << true;
        QTest::newRow("Geçmişi Temizle") << true << false;
    }
    void whileTheFileIsReadTheWindowGoesOn()
    {
        QFETCH(const bool, clear);
        QFETCH(const bool, quit);
        QTemporaryDir dir;
        QFile file(dir.filePath(u"history"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(quarnis::kHistoryHeader.toByteArray()
            + quarnis::encodeRecord({ u"7"_s, u"7"_s, -1, false, 1 }));
        file.close();
        // The menu opens before the reading starts: opening it runs the event loop.
        QContextMenuEvent click(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QApplication::sendEvent(list()->viewport(), &click);
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QSignalSpy restored(&windows->history, &quarnis::HistoryWindow::restored);
        windows->history.restore(
            std::make_unique<quarnis::HistoryStore>(dir.path(), dir.filePath(u"quarnis.conf"_s)));
        dialogs->confirmAnswer = true;
        for (QAction* action : popup->actions())
            if (clear && action->text() == u"Geçmişi Temizle"_s)
                action->trigger();
        popup->close();
        if (!clear)
            exec(u"8"_s, -1);
        QVERIFY(windows->history.restoring());
        const QStringList listed = clear
            ? QStringList()
            : QStringList({ u"7 = 7"_s, u"2*sin(Pi/6) = 1"_s, u"(1+2 = Geçersiz parantez..."_s,
                u"1/3+ ⏎ 2 = Yazım hatası..."_s, u"8 = 8"_s });
        if (quit) {
            windows.reset();
        } else {
            QTRY_COMPARE(restored.size(), 1);
            QCOMPARE(rows(), listed);
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(quarnis::readJournal(file.readAll()).size(), qsizetype(listed.size()));
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
        open();
        memo()->clear();
        QString memoDuringGraph = u"(graph not shown)"_s;
        QTimer::singleShot(0, [&] {
            if (quarnis::waitForActiveWindow(&windows->graph)) {
                QTest::keyClick(windows->history.windowHandle(), Qt::Key_Return);
                memoDuringGraph = memo()->text();
            }
            windows->graph.reject();
        });
        QTest::mouseClick(find(&windows->calculator, kGraph), Qt::LeftButton);
        QCOMPARE(memoDuringGraph, QString());
    }
};

QTEST_MAIN(HistoryWindowTest)
#include "history_window_test.moc"
