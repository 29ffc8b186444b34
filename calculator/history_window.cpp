#include "history_window.h"

#include "ui/accessibility.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/handler_guard.h"
#include "ui/keys.h"
#include "ui/palette.h"
#include "ui/window_system.h"

#include <QClipboard>
#include <QColor>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <utility>

using namespace Qt::StringLiterals;

namespace quarnis {

namespace {

    const QColor kFailedText(128, 0, 0); // maroon, as the calculator's frame
    constexpr int kGap = 8; // between the calculator and the history
    constexpr int kWidth = 340;
    constexpr int kMinWidth = 200;

    // The memo and the clipboard take line breaks as LF.
    QString withLineFeeds(QString text) { return text.replace(u"\r\n"_s, u"\n"_s); }

} // namespace

// ---- The model ----

HistoryModel::HistoryModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void HistoryModel::add(HistoryEntry entry)
{
    const qsizetype length = entry.formula.size();
    if (!history_.fits(length))
        return;
    if (const int drops = int(history_.dropsFor(length))) {
        beginRemoveRows({}, 0, drops - 1);
        history_.remove(0, drops);
        endRemoveRows();
    }
    const int row = rowCount();
    beginInsertRows({}, row, row);
    history_.add(std::move(entry));
    endInsertRows();
}

void HistoryModel::addOlder(std::vector<HistoryEntry> older)
{
    History merged;
    for (HistoryEntry& entry : older)
        merged.add(std::move(entry));
    for (qsizetype row = 0; row < history_.size(); ++row)
        merged.add(history_.at(row));
    beginResetModel();
    history_ = std::move(merged);
    endResetModel();
}

void HistoryModel::removeEntries(QList<int> rows)
{
    // From the last row up, one removal per run of neighbouring rows.
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (qsizetype i = 0; i < rows.size();) {
        const int last = rows[i];
        int first = last;
        while (++i < rows.size() && rows[i] == first - 1)
            first = rows[i];
        beginRemoveRows({}, first, last);
        history_.remove(first, last - first + 1);
        endRemoveRows();
    }
}

void HistoryModel::clear()
{
    beginResetModel();
    history_.clear();
    endResetModel();
}

int HistoryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(history_.size());
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const HistoryEntry& e = entry(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return shownFormula(e.formula) + u" = "_s + e.result;
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return u"Ondalık Sayısı:"_s + QString::number(e.decimals);
    case Qt::ForegroundRole:
        return e.failed ? QVariant(kFailedText) : QVariant();
    default:
        return {};
    }
}

// ---- Where the window goes ----

QRect placeBeside(const QRect& anchor, const QSize& frameSize, const QRect& available)
{
    const int height = std::min(frameSize.height(), available.height());
    const int top = std::clamp(anchor.top(), available.top(), available.bottom() + 1 - height);
    const int roomRight = available.right() - anchor.right() - kGap;
    const int roomLeft = anchor.left() - kGap - available.left();
    int width = frameSize.width();
    const bool right = roomRight >= width || (roomLeft < width && roomRight >= roomLeft);
    if (std::max(roomRight, roomLeft) < width)
        width = std::max(std::max(roomRight, roomLeft), kMinWidth);
    if (std::max(roomRight, roomLeft) < kMinWidth) // no room: at the screen's right edge
        return { available.right() + 1 - width, top, width, height };
    const int left = right ? anchor.right() + 1 + kGap : anchor.left() - kGap - width;
    return { left, top, width, height };
}

// ---- The window ----

HistoryWindow::HistoryWindow(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent)
    , dialogs_(dialogs)
{
    setObjectName(u"FHistory"_s);
    setWindowTitle(u"Geçmiş"_s);
    setWindowFlags(Qt::Window);
    setFont(windowFont());
    useFixedPalette(this);
    resize(kWidth, 549); // the calculator's height, which showBeside() takes again
    setMinimumSize(kMinWidth, 120);

    model_ = new HistoryModel(this);
    list_ = new QListView(this);
    list_->setObjectName(u"HistoryList"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kGap, kGap, kGap, kGap);
    layout->addWidget(list_);
    setUpList();

    // Esc and closing only hide the window; the calculator takes the focus back.
    auto* hideKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(hideKey, &QShortcut::activated, this, [this] {
        hide();
        if (parentWidget())
            parentWidget()->activateWindow();
    });
}

void HistoryWindow::setUpList()
{
    list_->setModel(model_);
    list_->setUniformItemSizes(true); // one row's size for all: nothing else is laid out
    list_->setFont(memoFont());
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setTextElideMode(Qt::ElideRight);
    list_->setWordWrap(false);
    setAccessibleText(list_, u"Hesap geçmişi"_s,
        u"Enter formülü, Shift+Enter sonucu formüle ekler; Ctrl+C seçilenleri kopyalar, "
        u"Delete siler; menüsü kaydeder ve temizler"_s);
    list_->installEventFilter(this);
    connect(list_, &QAbstractItemView::doubleClicked, this,
        [this](const QModelIndex& index) { insertFormula(index); });

    // The list follows the newest entry while it shows its end; scrolled up, it stays.
    QScrollBar* bar = list_->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this,
        [this, bar](int value) { followNewest_ = value >= bar->maximum(); });
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (followNewest_)
            bar->setValue(maximum);
    });

    // The menu: a click opens it for the entry under the pointer; the Menu key (which X11
    // also turns into a menu request) and Shift+F10 for the current entry, below it.
    list_->viewport()->installEventFilter(this);
    onMenuKeys(list_, [this] { openMenuAtCurrent(); });
}

void HistoryWindow::add(HistoryEntry entry)
{
    if (!history().fits(entry.formula.size()))
        return;
    while (entry.id == 0)
        entry.id = QRandomGenerator::global()->generate64();
    if (store_) {
        store_->append(entry);
        showNotices();
    }
    model_->add(std::move(entry));
}

HistoryWindow::~HistoryWindow()
{
    // The program ends while the file is read: this run's entries still go into it.
    if (reader_)
        takeReadStore();
}

void HistoryWindow::restore(std::unique_ptr<HistoryStore> store)
{
    if (reader_ || store_)
        return; // one file per run
    reading_ = std::move(store);
    clearedWhileReading_ = false;
    // A full file takes a second or more to read and check; the thread touches nothing but
    // the store and older_ until it ends.
    reader_ = QThread::create([this] { older_ = reading_->load(); });
    reader_->setParent(this);
    connect(reader_, &QThread::finished, this, &HistoryWindow::finishRestore);
    reader_->start();
}

std::vector<HistoryEntry> HistoryWindow::takeReadStore()
{
    reader_->wait();
    delete std::exchange(reader_, nullptr);
    store_ = std::move(reading_);
    std::vector<HistoryEntry> older = std::exchange(older_, {});
    if (std::exchange(clearedWhileReading_, false)) {
        store_->clear();
        older.clear();
    }
    for (qsizetype row = 0; row < history().size(); ++row)
        store_->append(history().at(row));
    return older;
}

void HistoryWindow::finishRestore()
{
    model_->addOlder(takeReadStore());
    QTimer::singleShot(0, this, &HistoryWindow::showNotices);
    emit restored();
}

// What the history file's reading or writing has to tell, in one box.
void HistoryWindow::showNotices()
{
    const QStringList notices = store_ ? store_->takeNotices() : QStringList();
    if (!notices.isEmpty())
        dialogs_.message(parentWidget() ? parentWidget() : this, kApplicationTitle,
            notices.join(u"\n\n"_s), Dialogs::Icon::Information);
}

void HistoryWindow::showBeside(QWidget* calculator)
{
    if (!isVisible() && !canPlaceWindows()) {
        // The compositor places the window (Wayland), as a child of the calculator window;
        // it gets the calculator's height.
        resize(width(), calculator->height());
        show();
    } else if (!isVisible()) {
        // The calculator's decorations stand for this window's, which are not known before it
        // is first shown.
        const QRect frame = calculator->frameGeometry();
        const QRect inner = calculator->geometry();
        const QMargins decorations(inner.left() - frame.left(), inner.top() - frame.top(),
            frame.right() - inner.right(), frame.bottom() - inner.bottom());
        const QRect placed
            = placeBeside(frame, QSize(width(), calculator->height()).grownBy(decorations),
                calculator->screen()->availableGeometry());
        resize(placed.size().shrunkBy(decorations));
        move(placed.topLeft());
        show();
    }
    raise();
    activateWindow();
    list_->setFocus(Qt::ShortcutFocusReason);
    if (!list_->currentIndex().isValid() && model_->rowCount() > 0)
        list_->setCurrentIndex(model_->index(model_->rowCount() - 1));
    if (followNewest_)
        list_->scrollToBottom();
}

bool HistoryWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu
        && (watched == list_ || watched == list_->viewport())) {
        const auto* request = static_cast<QContextMenuEvent*>(event);
        if (request->reason() == QContextMenuEvent::Keyboard)
            openMenuAtCurrent();
        else
            openMenu(request->globalPos(),
                list_->indexAt(list_->viewport()->mapFromGlobal(request->globalPos())));
        return true;
    }
    if (watched != list_ || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    bool taken = false;
    runGuarded(dialogs_, this, [&] { taken = listKey(*static_cast<QKeyEvent*>(event)); });
    return taken;
}

// The list's keys, before the view's own: Enter, Shift+Enter, Ctrl+C and Delete.
bool HistoryWindow::listKey(const QKeyEvent& key)
{
    if (key.matches(QKeySequence::Copy)) {
        copySelected();
        return true;
    }
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        if (modifiers == Qt::NoModifier)
            insertFormula(list_->currentIndex());
        else if (modifiers == Qt::ShiftModifier)
            insertResult(list_->currentIndex());
        else
            return false;
        return true;
    }
    if (key.key() == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        removeSelected();
        return true;
    }
    return false;
}

void HistoryWindow::openMenuAtCurrent()
{
    const QModelIndex current = list_->currentIndex();
    const QRect row = list_->visualRect(current);
    const QPoint at = current.isValid() && list_->viewport()->rect().intersects(row)
        ? row.bottomLeft()
        : list_->viewport()->rect().center();
    openMenu(list_->viewport()->mapToGlobal(at), current);
}

void HistoryWindow::openMenu(const QPoint& at, const QModelIndex& index)
{
    QMenu* menu = createMenu(index);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(at);
}

// The entry's four commands, then the history's two; what cannot apply is off.
QMenu* HistoryWindow::createMenu(const QModelIndex& index)
{
    auto* menu = new QMenu(this);
    const bool onEntry = index.isValid();
    const auto add = [&](const QString& text, bool enabled, const QKeySequence& key,
                         std::function<void()> action) {
        QAction* item = menu->addAction(text);
        item->setEnabled(enabled);
        item->setShortcut(key);
        connect(item, &QAction::triggered, this,
            [this, action = std::move(action)] { runGuarded(dialogs_, this, action); });
    };
    const auto entry
        = [this, index]() -> const HistoryEntry& { return model_->entry(index.row()); };
    add(u"Formülü Ekle"_s, onEntry, Qt::Key_Enter, [this, index] { insertFormula(index); });
    add(u"Sonucu Ekle"_s, onEntry && !entry().failed, Qt::SHIFT | Qt::Key_Enter,
        [this, index] { insertResult(index); });
    add(u"Formülü Kopyala"_s, onEntry, {}, [=, this] { copyText(withLineFeeds(entry().formula)); });
    add(u"Sonucu Kopyala"_s, onEntry, {}, [=, this] { copyText(entry().result); });
    menu->addSeparator();
    const bool any = model_->rowCount() > 0;
    add(u"Geçmişi Kaydet..."_s, any, {}, [this] { saveAs(); });
    add(u"Geçmişi Temizle"_s, any, {}, [this] { clearAll(); });
    QAction* keep = menu->addAction(u"Geçmişi Sakla"_s);
    keep->setCheckable(true);
    keep->setEnabled(store_ != nullptr);
    keep->setChecked(store_ && store_->keeping());
    connect(keep, &QAction::toggled, this, [this](bool on) {
        runGuarded(dialogs_, this, [&] {
            store_->setKeeping(on);
            showNotices();
        });
    });
    return menu;
}

void HistoryWindow::insertFormula(const QModelIndex& index)
{
    if (index.isValid())
        emit insertRequested(model_->entry(index.row()).formula);
}

// An error text is no formula: a failed entry's result is never inserted.
void HistoryWindow::insertResult(const QModelIndex& index)
{
    if (index.isValid() && !model_->entry(index.row()).failed)
        emit insertRequested(model_->entry(index.row()).result);
}

void HistoryWindow::copyText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

QList<int> HistoryWindow::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : list_->selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

// The selected entries in their order, one "formula = result" line each.
void HistoryWindow::copySelected()
{
    QStringList lines;
    for (int row : selectedRows())
        lines.append(entryLine(model_->entry(row)));
    if (!lines.isEmpty())
        copyText(lines.join(u'\n'));
}

// The entry after the removed ones (or the new last) becomes the current one.
void HistoryWindow::removeSelected()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    if (store_) {
        std::vector<quint64> ids;
        for (int row : rows)
            ids.push_back(model_->entry(row).id);
        store_->remove(std::move(ids));
        showNotices();
    }
    model_->removeEntries(rows);
    const int next = std::min(rows.first(), model_->rowCount() - 1);
    if (next >= 0)
        list_->setCurrentIndex(model_->index(next));
}

void HistoryWindow::saveAs()
{
    QString name = dialogs_.saveFileName(this, u"Geçmişi Kaydet"_s, u"Metin dosyası (*.txt)"_s);
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().isEmpty())
        name += u".txt"_s;
    QByteArray text;
    const History& entries = model_->history();
    for (qsizetype row = 0; row < entries.size(); ++row)
        text += entryLine(entries.at(row)).toUtf8() + '\n';
    // Written beside the target and renamed over it at the end: a failure leaves no half file.
    QSaveFile file(name);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return;
    dialogs_.message(this, kApplicationTitle,
        u"Geçmiş \"%1\" dosyasına kaydedilemedi: %2"_s.arg(name, file.errorString()),
        Dialogs::Icon::Stop);
}

void HistoryWindow::clearAll()
{
    if (model_->rowCount() == 0)
        return;
    if (dialogs_.confirm(this, kApplicationTitle,
            u"Geçmişteki %1 hesap silinsin mi?"_s.arg(model_->rowCount()))) {
        model_->clear();
        clearedWhileReading_ = restoring();
        if (store_) {
            store_->clear();
            showNotices();
        }
    }
}

} // namespace quarnis
