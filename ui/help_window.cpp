#include "help_window.h"

#include "accessibility.h"
#include "palette.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

// The pages are compiled into the static library quarnis_ui, whose resources a program only
// links when something asks for them by name (outside any namespace).
static void registerManual() { Q_INIT_RESOURCE(manual); }

namespace quarnis {

namespace {

    constexpr int kWidth = 640;
    constexpr int kHeight = 560;
    constexpr auto kContents = u"index.html";

    // qrc:/manual/ and what lies below it, after "." and ".." are resolved.
    bool isManualUrl(const QUrl& url)
    {
        return url.scheme() == u"qrc"
            && url.adjusted(QUrl::NormalizePathSegments).path().startsWith(u"/manual/");
    }

    // The URL of a page of the manual by its name, or of the contents when there is no
    // such page.
    QUrl pageUrl(const QString& page)
    {
        const QUrl root(u"qrc:/manual/"_s);
        const QUrl url = root.resolved(QUrl(page));
        if (isManualUrl(url) && QFileInfo(u':' + url.path()).isFile())
            return url;
        return root.resolved(QUrl(QString::fromUtf16(kContents)));
    }

    // A text browser that opens the manual's pages and refuses everything else: a link to
    // the web or to a file is not followed, and its history keeps no entry for it.
    class ManualBrowser final : public QTextBrowser {
    public:
        using QTextBrowser::QTextBrowser;

        // The page's style sheet: relative names resolve inside the manual.
        QVariant loadResource(int type, const QUrl& name) override
        {
            if (!name.isRelative() && !isManualUrl(name))
                return {};
            return QTextBrowser::loadResource(type, name);
        }

    protected:
        void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override
        {
            if (isManualUrl(name))
                QTextBrowser::doSetSource(name, type);
        }
    };

    QToolButton* toolButton(QWidget* parent, const char* name, const QString& text,
        const QString& description, const QKeySequence& key = {})
    {
        auto* b = new QToolButton(parent);
        b->setObjectName(QLatin1String(name));
        b->setText(text);
        b->setToolTip(key.isEmpty()
                ? description
                : description + u" ("_s + key.toString(QKeySequence::NativeText) + u')');
        setAccessibleText(b, text, description);
        return b;
    }

} // namespace

QString chapterPage(HelpChapter chapter)
{
    switch (chapter) {
    case HelpChapter::Calculator:
        return u"hesap-makinesi.html"_s;
    case HelpChapter::Graph:
        return u"grafik.html"_s;
    case HelpChapter::History:
        return u"gecmis.html"_s;
    case HelpChapter::About:
        return u"bilgi.html"_s;
    }
    return QString::fromUtf16(kContents);
}

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , home_(parent)
{
    registerManual();
    setObjectName(u"FHelp"_s);
    setWindowTitle(u"Kılavuz"_s);
    useFixedPalette(this);
    // The window keeps the desktop's font, not the calculator's small fixed one: the manual
    // is read at length, at the size the user chose for reading.
    resize(kWidth, kHeight);

    auto* toolBar = new QWidget(this);
    toolBar->setObjectName(u"HelpToolBar"_s);
    auto* back = toolButton(
        toolBar, "HelpBack", u"Geri"_s, u"Önceki sayfa"_s, QKeySequence(Qt::ALT | Qt::Key_Left));
    auto* forward = toolButton(toolBar, "HelpForward", u"İleri"_s, u"Geri gelinen sayfa"_s,
        QKeySequence(Qt::ALT | Qt::Key_Right));
    auto* contents = toolButton(toolBar, "HelpContents", u"İçindekiler"_s,
        u"Kılavuzun ilk sayfası"_s, QKeySequence(Qt::ALT | Qt::Key_Home));
    auto* findButton = toolButton(toolBar, "HelpFind", u"Bul"_s, u"Sayfada bir metin arar"_s,
        QKeySequence(Qt::CTRL | Qt::Key_F));
    auto* tools = new QHBoxLayout(toolBar);
    tools->setContentsMargins(0, 0, 0, 0);
    for (QToolButton* b : { back, forward, contents, findButton })
        tools->addWidget(b);
    tools->addStretch();

    browser_ = new ManualBrowser(this);
    browser_->setObjectName(u"HelpBrowser"_s);
    browser_->setOpenExternalLinks(false);
    setAccessibleText(browser_, u"Kılavuz sayfası"_s,
        u"Bağlantılar kılavuzun öteki sayfalarını açar; Alt+Sol geri, Alt+Sağ ileri gider"_s);

    findBar_ = new QWidget(this);
    findBar_->setObjectName(u"HelpFindBar"_s);
    buildFindBar(findBar_);
    findBar_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(toolBar);
    layout->addWidget(browser_);
    layout->addWidget(findBar_);

    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents, &QToolButton::clicked, this, [this] { open(pageUrl({})); });
    connect(findButton, &QToolButton::clicked, this, &HelpWindow::openFindBar);
    // A new page has not been searched yet.
    connect(browser_, &QTextBrowser::sourceChanged, findStatus_, &QLabel::clear);
    addKeys();
}

void HelpWindow::buildFindBar(QWidget* bar)
{
    auto* label = new QLabel(u"&Bul:"_s, bar);
    findText_ = new QLineEdit(bar);
    findText_->setObjectName(u"HelpFindText"_s);
    label->setBuddy(findText_);
    setAccessibleText(findText_, u"Aranacak metin"_s,
        u"Enter ya da F3 sonrakini, Shift+Enter ya da Shift+F3 öncekini bulur; Esc kapatır"_s);
    findText_->installEventFilter(this);
    connect(findText_, &QLineEdit::textEdited, this, [this] { find(FindFrom::Typing); });

    auto* previous = toolButton(bar, "HelpFindPrevious", u"Önceki"_s, u"Önceki eşleşme"_s,
        QKeySequence(Qt::SHIFT | Qt::Key_F3));
    auto* next = toolButton(
        bar, "HelpFindNext", u"Sonraki"_s, u"Sonraki eşleşme"_s, QKeySequence(Qt::Key_F3));
    auto* close = toolButton(
        bar, "HelpFindClose", u"Kapat"_s, u"Bul çubuğunu kapatır"_s, QKeySequence(Qt::Key_Escape));
    connect(previous, &QToolButton::clicked, this, [this] { find(FindFrom::Previous); });
    connect(next, &QToolButton::clicked, this, [this] { find(FindFrom::Next); });
    connect(close, &QToolButton::clicked, this, &HelpWindow::closeFindBarOrWindow);

    findStatus_ = new QLabel(bar);
    findStatus_->setObjectName(u"HelpFindStatus"_s);
    findStatus_->setAccessibleName(u"Arama sonucu"_s);

    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(label);
    row->addWidget(findText_, 1);
    row->addWidget(previous);
    row->addWidget(next);
    row->addWidget(findStatus_);
    row->addWidget(close);
}

void HelpWindow::addKeys()
{
    const auto key = [this](QKeyCombination combination, auto action) {
        connect(
            new QShortcut(QKeySequence(combination), this), &QShortcut::activated, this, action);
    };
    key(Qt::ALT | Qt::Key_Left, [this] { browser_->backward(); });
    key(Qt::ALT | Qt::Key_Right, [this] { browser_->forward(); });
    key(Qt::ALT | Qt::Key_Home, [this] { open(pageUrl({})); });
    key(Qt::CTRL | Qt::Key_F, [this] { openFindBar(); });
    // F3 and Shift+F3 with the bar closed open it, with the text last searched for.
    const auto findOrOpen = [this](FindFrom from) {
        if (findBar_->isHidden())
            openFindBar();
        else
            find(from);
    };
    key(QKeyCombination(Qt::Key_F3), [findOrOpen] { findOrOpen(FindFrom::Next); });
    key(Qt::SHIFT | Qt::Key_F3, [findOrOpen] { findOrOpen(FindFrom::Previous); });
    key(QKeyCombination(Qt::Key_Escape), [this] { closeFindBarOrWindow(); });
    // Ctrl+Q itself: the standard Quit key is empty under some keyboard schemes.
    key(Qt::CTRL | Qt::Key_Q, [this] { quit(); });
}

void HelpWindow::showChapter(HelpChapter chapter) { showPage(chapterPage(chapter)); }

void HelpWindow::showPage(const QString& page)
{
    open(pageUrl(page));
    bringForward();
}

QUrl HelpWindow::currentPage() const { return browser_->source(); }

void HelpWindow::open(const QUrl& url)
{
    if (url != browser_->source())
        browser_->setSource(url);
}

void HelpWindow::bringForward()
{
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* owner = modal && modal != this ? modal : home_.data();
    if (parentWidget() != owner) {
        // A new parent hides the window; where the user put it stays.
        const bool shown = isVisible();
        const QRect placed = geometry();
        setParent(owner, windowFlags());
        if (shown)
            setGeometry(placed);
    }
    show();
    raise();
    activateWindow();
    browser_->setFocus(Qt::OtherFocusReason);
}

void HelpWindow::openFindBar()
{
    findBar_->show();
    findText_->setFocus(Qt::ShortcutFocusReason);
    findText_->selectAll();
}

void HelpWindow::closeFindBarOrWindow()
{
    if (findBar_->isHidden()) {
        close();
        return;
    }
    findBar_->hide();
    findStatus_->clear();
    browser_->setFocus(Qt::OtherFocusReason); // the match found stays selected there
}

// While typing the search starts at the current match, so that a longer text keeps its
// place; Next starts after it, Previous before it. With no match up to the page's end (or
// start) the search goes on from the other end.
void HelpWindow::find(FindFrom from)
{
    const QString text = findText_->text();
    QTextCursor cursor = browser_->textCursor();
    if (from == FindFrom::Typing || text.isEmpty()) {
        cursor.setPosition(cursor.selectionStart());
        browser_->setTextCursor(cursor);
    }
    if (text.isEmpty()) {
        findStatus_->clear();
        return;
    }
    const QTextDocument::FindFlags flags = from == FindFrom::Previous
        ? QTextDocument::FindFlags(QTextDocument::FindBackward)
        : QTextDocument::FindFlags();
    bool found = browser_->find(text, flags);
    if (!found) {
        browser_->moveCursor(from == FindFrom::Previous ? QTextCursor::End : QTextCursor::Start);
        found = browser_->find(text, flags);
        if (!found)
            browser_->setTextCursor(cursor);
    }
    findStatus_->setText(found ? QString() : u"Bulunamadı"_s);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == findText_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
            find(modifiers == Qt::ShiftModifier ? FindFrom::Previous : FindFrom::Next);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::quit()
{
    if (isSignalConnected(QMetaMethod::fromSignal(&HelpWindow::quitRequested)))
        emit quitRequested();
    else
        QApplication::closeAllWindows();
}

} // namespace quarnis
