#pragma once
// The manual "Kılavuz" in a window of its own: the pages of data/manual, compiled into the
// program and shown as qrc:/manual/NAME by a text browser that follows the links between them
// and nothing else: no web browser, no network, no file outside the manual. Modeless, so the
// user reads it beside the window it explains; F1 there shows that window's chapter.
//
// Alt+Left and Alt+Right go back and forward, Alt+Home to the contents. Ctrl+F opens the find
// bar: the page's first match of the text typed is selected as it is typed; Enter or F3 finds
// the next match, Shift+Enter or Shift+F3 the previous one, from the page's other end when
// there is none. Esc closes the find bar, or else the window; Ctrl+Q asks the program to quit.

#include <QPointer>
#include <QUrl>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;

namespace quarnis {

// The chapters that the windows' F1 opens.
enum class HelpChapter { Calculator, Graph, History, About };

// The file name of the chapter's page: "hesap-makinesi.html", "grafik.html", "gecmis.html",
// "bilgi.html".
QString chapterPage(HelpChapter chapter);

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // `parent` is the window the help window belongs to (the calculator's): it stays in
    // front of it and closes with it.
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the window at the chapter's page, or brings it to the front there.
    void showChapter(HelpChapter chapter);
    // The same for any page of the manual by its file name, with an anchor if wanted
    // ("formul.html", "grafik.html#calisma"); a name that is no page shows the contents.
    //
    // While a modal window (the graph window, the information window) blocks all others but
    // its own children, the help window becomes that window's child, so that it can be used
    // beside it; with no modal window open it goes back to its own parent.
    void showPage(const QString& page);

    // The page shown: a qrc:/manual/ URL, with the anchor scrolled to.
    QUrl currentPage() const;

signals:
    // Ctrl+Q: the program should end, as Ctrl+Q ends it in the other windows. Connect it to
    // the program's own quit instead of giving this window a second Ctrl+Q (two shortcuts for
    // one key in one window cancel each other). With nothing connected, Ctrl+Q closes every
    // window of the program.
    void quitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class FindFrom { Typing, Next, Previous };

    void buildFindBar(QWidget* bar);
    void addKeys();
    void open(const QUrl& url);
    void bringForward();
    void openFindBar();
    void closeFindBarOrWindow();
    void find(FindFrom from);
    void quit();

    QPointer<QWidget> home_; // the parent given, to return to from a modal window
    QTextBrowser* browser_;
    QWidget* findBar_;
    QLineEdit* findText_;
    QLabel* findStatus_; // "Bulunamadı" when the text is nowhere on the page
};

} // namespace quarnis
