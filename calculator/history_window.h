#pragma once
// The history window "Geçmiş": every EXEC of the calculator window, newest at the bottom,
// each entry one line "formula = result". Modeless, beside the calculator window; closing
// or Esc only hides it. On an entry: Enter (or a double click) puts its formula into the
// memo, Shift+Enter its result; Ctrl+C copies the selected entries, Delete removes them;
// the context menu (also the Menu key and Shift+F10) copies, saves and clears, and turns
// keeping the history between runs ("Geçmişi Sakla") on and off.
//
// The list is a model over the entries and a view with uniform rows, so only the rows on
// screen are ever turned into text, and a formula of a megabyte shows its first 200
// characters: a full history opens, grows, scrolls and inserts as fast as an empty one.

#include "history.h"
#include "history_store.h"

#include <QAbstractListModel>
#include <QWidget>

#include <memory>
#include <vector>

class QKeyEvent;
class QListView;
class QMenu;
class QThread;

namespace quarnis {

class Dialogs;

class HistoryModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit HistoryModel(QObject* parent = nullptr);

    const History& history() const { return history_; }
    const HistoryEntry& entry(int row) const { return history_.at(row); }

    // Appends a row, removing the rows of the oldest entries that make room for it.
    void add(HistoryEntry entry);
    // Puts the entries of earlier runs before this run's, as far as the bounds leave room.
    void addOlder(std::vector<HistoryEntry> older);
    // Removes the given rows (in any order).
    void removeEntries(QList<int> rows);
    void clear();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // Display and accessible text: "formula = result" with the formula as shownFormula()
    // gives it; a failed entry in maroon; the hint: the decimals, as the decimals bar says
    // them.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    History history_;
};

// Where a window of `frameSize` (decorations included) goes beside `anchor` (its frame) on
// the screen area `available`: right of it at the same height when there is room, else left
// of it, else narrowed to the wider side; covering it only when the screen leaves no room.
QRect placeBeside(const QRect& anchor, const QSize& frameSize, const QRect& available);

class HistoryWindow : public QWidget {
    Q_OBJECT
public:
    // Its boxes and file dialog, the general error box among them, open through `dialogs`.
    explicit HistoryWindow(Dialogs& dialogs, QWidget* parent = nullptr);
    // Waits for the history file's reading, if it is still going on, and writes this run's
    // entries after the file's.
    ~HistoryWindow() override;

    const History& history() const { return model_->history(); }
    // Adds the entry, and writes it to the history file when the history is kept.
    void add(HistoryEntry entry);

    // Keeps the history in `store` from now on. Its file is read on a thread of its own, so
    // that a long history never stops the windows; entries added meanwhile are only listed.
    // Once it is read, its entries come before this run's, the entries this run added so far
    // are written after them, and restored() is emitted. A file it could not read is named in
    // a box, from the event loop.
    void restore(std::unique_ptr<HistoryStore> store);
    bool restoring() const { return reader_ != nullptr; }
    // The store once its file is read; none before, or when the history is not kept.
    HistoryStore* store() const { return store_.get(); }

    // Shows the window beside `calculator` without covering it, or brings it forward when it
    // is shown already; the list takes the focus.
    void showBeside(QWidget* calculator);

signals:
    // "Formülü Ekle" and "Sonucu Ekle": the text to put in place of the memo's selection.
    void insertRequested(const QString& text);
    // The history file given to restore() is read and its entries are listed.
    void restored();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpList();
    bool listKey(const QKeyEvent& key);
    void openMenuAtCurrent();
    void openMenu(const QPoint& at, const QModelIndex& index);
    QMenu* createMenu(const QModelIndex& index);

    void insertFormula(const QModelIndex& index);
    void insertResult(const QModelIndex& index);
    void copyText(const QString& text);
    void copySelected();
    void removeSelected();
    void saveAs();
    void clearAll();
    QList<int> selectedRows() const;
    void showNotices();
    // The store once its file is read, with a Clear made meanwhile done and this run's entries
    // written after the file's; the file's entries that stay.
    std::vector<HistoryEntry> takeReadStore();
    void finishRestore();

    Dialogs& dialogs_;
    std::unique_ptr<HistoryStore> store_;
    // While the file is read: the store and its thread, which alone touch them and older_,
    // and whether "Geçmişi Temizle" emptied the history in the meantime.
    std::unique_ptr<HistoryStore> reading_;
    QThread* reader_ = nullptr;
    std::vector<HistoryEntry> older_;
    bool clearedWhileReading_ = false;
    HistoryModel* model_ = nullptr;
    QListView* list_ = nullptr;
    bool followNewest_ = true; // the list shows its end; a new entry scrolls into view
};

} // namespace quarnis
