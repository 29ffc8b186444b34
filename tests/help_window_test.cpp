// The help window driven as a user drives it (offscreen): each chapter's page, a link and an
// anchor followed and the way back and forward, the find bar, what it refuses to open, and
// its use beside a modal window.

#include "active_window.h"
#include "control_names.h"
#include "ui/help_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include <memory>
#include <utility>

using namespace quarnis::names;

using namespace Qt::StringLiterals;
using quarnis::HelpChapter;

class HelpWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> home; // stands for the calculator window
    quarnis::HelpWindow* help = nullptr;

    template <class Control = QWidget> Control* find(const char* name) const
    {
        return help->findChild<Control*>(QLatin1String(name));
    }
    QTextBrowser* browser() const { return find<QTextBrowser>(kHelpBrowser); }
    QLineEdit* findText() const { return find<QLineEdit>(kHelpFindText); }
    QString page() const { return help->currentPage().fileName(); }
    QString heading() const
    {
        for (QTextBlock b = browser()->document()->begin(); b.isValid(); b = b.next()) {
            if (b.blockFormat().headingLevel() == 1)
                return b.text().trimmed(); // the white space after </h1> ends its block
        }
        return {};
    }
    // Clicks the first link to `href` on the page, as the mouse does.
    void clickLink(const QString& href)
    {
        for (QTextBlock b = browser()->document()->begin(); b.isValid(); b = b.next()) {
            for (auto f = b.begin(); !f.atEnd(); ++f) {
                if (f.fragment().charFormat().anchorHref() != href)
                    continue;
                QTextCursor at(browser()->document());
                at.setPosition(f.fragment().position() + 1);
                browser()->setTextCursor(at);
                browser()->ensureCursorVisible();
                QTest::mouseClick(
                    browser()->viewport(), Qt::LeftButton, {}, browser()->cursorRect(at).center());
                return;
            }
        }
        QFAIL(qPrintable(u"no link to "_s + href));
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), k, modifiers);
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        home = std::make_unique<QWidget>();
        home->show();
        QVERIFY(QTest::qWaitForWindowExposed(home.get()));
        help = new quarnis::HelpWindow(home.get());
    }
    void cleanup() { home.reset(); }

    // The page of each window's chapter is desktop_test's; here, how a chapter opens.
    void aChapterOpensAtItsHeading()
    {
        help->showChapter(HelpChapter::History);
        QVERIFY(quarnis::waitForActiveWindow(help));
        QCOMPARE(help->windowTitle(), u"Kılavuz"_s);
        QCOMPARE(help->currentPage(), QUrl(u"qrc:/manual/gecmis.html"_s));
        QCOMPARE(heading(), u"Geçmiş"_s);
        QCOMPARE(QApplication::focusWidget(), browser());
    }

    void pagesByNameAndAnchor()
    {
        help->showPage(u"formul.html#hatalar"_s);
        QCOMPARE(heading(), u"Formül Yazımı"_s);
        QCOMPARE(help->currentPage().fragment(), u"hatalar"_s);
        QVERIFY(browser()->verticalScrollBar()->value() > 0);
        // A name that is no page of the manual shows the contents.
        for (const QString& name :
            { u"yok.html"_s, u"../manual.qrc"_s, u"https://example.com/"_s }) {
            help->showPage(name);
            QCOMPARE(page(), u"index.html"_s);
            QCOMPARE(heading(), u"Quarnis Kılavuzu"_s);
        }
    }

    void linksAndAnchorsThenBackAndForward()
    {
        help->showPage(u"index.html"_s);
        QVERIFY(quarnis::waitForActiveWindow(help));
        QVERIFY(!find(kHelpBack)->isEnabled());
        clickLink(u"formul.html"_s);
        QCOMPARE(page(), u"formul.html"_s);
        clickLink(u"#hatalar"_s);
        QCOMPARE(help->currentPage().fragment(), u"hatalar"_s);
        QVERIFY(find(kHelpBack)->isEnabled());

        browser()->setFocus(); // Alt+Left, Alt+Right and Alt+Home, each with its page
        const std::pair<Qt::Key, const char*> steps[] = { { Qt::Key_Left, "formul.html" },
            { Qt::Key_Left, "index.html" }, { Qt::Key_Right, "formul.html" },
            { Qt::Key_Right, "formul.html#hatalar" }, { Qt::Key_Home, "index.html" } };
        for (const auto& [k, url] : steps) {
            key(k, Qt::AltModifier);
            QCOMPARE(help->currentPage(), QUrl(u"qrc:/manual/"_s + QLatin1String(url)));
        }
    }

    void findSelectsTheTextTyped()
    {
        help->showPage(u"grafik.html"_s);
        QVERIFY(quarnis::waitForActiveWindow(help));
        QVERIFY(find(kHelpFindBar)->isHidden());
        key(Qt::Key_F, Qt::ControlModifier);
        QVERIFY(find(kHelpFindBar)->isVisible());
        QCOMPARE(QApplication::focusWidget(), findText());

        // Typing selects the first match, whatever its case; F3 and Shift+F3 step.
        QTest::keyClicks(findText(), "hesapla");
        const QTextCursor first = browser()->textCursor();
        QCOMPARE(first.selectedText(), u"hesapla"_s); // of "hesaplanır"
        key(Qt::Key_F3);
        QCOMPARE(browser()->textCursor().selectedText().toUpper(), u"HESAPLA"_s);
        QVERIFY(browser()->textCursor().selectionStart() > first.selectionStart());
        key(Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(browser()->textCursor().selectionStart(), first.selectionStart());
        key(Qt::Key_Return, Qt::ShiftModifier); // from the first match back to the page's last
        QVERIFY(browser()->textCursor().selectionStart() > first.selectionStart());
        QTest::keyClicks(findText(), "zzz");
        QCOMPARE(find<QLabel>(kHelpFindStatus)->text(), u"Bulunamadı"_s);

        // Esc closes the bar, then the window.
        key(Qt::Key_Escape);
        QVERIFY(find(kHelpFindBar)->isHidden());
        QCOMPARE(QApplication::focusWidget(), browser());
        QVERIFY(help->isVisible());
        key(Qt::Key_Escape);
        QVERIFY(!help->isVisible());
    }

    void refusesWhatIsNotTheManual()
    {
        help->showPage(u"index.html"_s);
        // What a click on such a link asks for; neither the page nor the history changes.
        for (const char* url : { "https://example.com/", "file:///etc/hostname",
                 "qrc:/manual/../io.github.quarnis.Calculator.svg" }) {
            browser()->setSource(QUrl(QLatin1String(url)));
            QCOMPARE(page(), u"index.html"_s);
            QVERIFY(!browser()->isBackwardAvailable());
        }
        QVERIFY(!browser()->openExternalLinks());
    }

    void worksBesideAModalWindow()
    {
        QDialog graph(home.get());
        graph.setWindowModality(Qt::ApplicationModal);
        graph.show();
        QVERIFY(QTest::qWaitForWindowExposed(&graph));
        help->showChapter(HelpChapter::Graph);
        QCOMPARE(help->parentWidget(), &graph);
        QVERIFY(help->isWindow() && help->isVisible());
        graph.close();
        help->showChapter(HelpChapter::Calculator);
        QCOMPARE(help->parentWidget(), home.get());
        QVERIFY(help->isVisible());
        QCOMPARE(page(), u"hesap-makinesi.html"_s);
    }

    void ctrlQAsksToQuitAndEveryControlIsNamed()
    {
        help->showPage(u"index.html"_s);
        QVERIFY(quarnis::waitForActiveWindow(help));
        QSignalSpy quit(help, &quarnis::HelpWindow::quitRequested);
        key(Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(quit.count(), 1);

        QList<QWidget*> controls = { browser(), findText() };
        for (QAbstractButton* b : help->findChildren<QAbstractButton*>())
            controls.append(b);
        for (QWidget* c : controls)
            QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
    }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
