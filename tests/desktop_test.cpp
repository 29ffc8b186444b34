// The windows on the desktop, through their real controls (offscreen): the names screen
// readers say, the Alt letters, Ctrl+Q, a dark colour scheme, and the program's identity.

#include "active_window.h"
#include "calculator/startup.h"
#include "control_names.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/mnemonics.h"
#include "ui/qt_texts.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileIconProvider>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <functional>
#include <utility>

using namespace Qt::StringLiterals;

using namespace quarnis::names;

namespace {

// Empty when every control of `window` that takes the focus has a name of its own for screen
// readers (a combo box's field and list are part of it); otherwise the first that has not.
QString everyNameOnce(QWidget* window)
{
    QSet<QString> seen;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        bool insideCombo = false;
        for (QWidget* p = control->parentWidget(); p && p != window; p = p->parentWidget())
            insideCombo = insideCombo || qobject_cast<QComboBox*>(p);
        if (!(control->focusPolicy() & Qt::TabFocus) || control->isWindow()
            || !control->isVisibleTo(window) || insideCombo)
            continue;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
        const QString name = !control->accessibleName().isEmpty() ? control->accessibleName()
            : iface                                               ? iface->text(QAccessible::Name)
                                                                  : QString();
        if (!std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetterOrNumber(); }))
            return QStringLiteral("%1 has no name").arg(control->metaObject()->className());
        if (seen.contains(name))
            return QStringLiteral("two controls are named %1").arg(name);
        seen.insert(name);
    }
    return {};
}

// The control of `window` with the given layout name.
template <class Control = QWidget> Control* find(QWidget* window, const char* name)
{
    auto* control = window->findChild<Control*>(QLatin1String(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}

bool showAndWait(QWidget& window)
{
    window.show();
    return quarnis::waitForActiveWindow(&window);
}

// A dark desktop scheme: white texts on dark grey faces and fields.
QPalette darkPalette()
{
    const QColor face(0x42, 0x42, 0x45), field(0x3d, 0x3d, 0x3d), tip(0x3f, 0x3f, 0x36);
    // windowText, button, light, dark, mid, text, brightText, base, window
    QPalette p(Qt::white, face, face.lighter(), face.darker(), face, Qt::white, Qt::white, field,
        QColor(0x22, 0x20, 0x20));
    p.setColor(QPalette::Highlight, QColor(0x12, 0x60, 0x8a));
    p.setColor(QPalette::AlternateBase, tip);
    p.setColor(QPalette::ToolTipBase, tip);
    p.setColor(QPalette::ToolTipText, Qt::white);
    for (QPalette::ColorRole role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        p.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return p;
}

double differingShare(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 1.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            differing += x.pixel(col, row) != y.pixel(col, row);
    return double(differing) / (double(x.width()) * x.height());
}

QImage grab(QWidget* window)
{
    window->show();
    QCoreApplication::processEvents();
    return window->grab().toImage();
}

// Grabs the modal box or dialog that `open` shows, then closes it.
QImage grabModal(const std::function<void()>& open)
{
    QImage picture;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            QCoreApplication::processEvents();
            picture = modal->grab().toImage();
            modal->close();
        }
    });
    open();
    return picture;
}

const char* const kWindows[] = { "calculator", "graph", "about", "message box", "colour dialog" };

std::array<QImage, 5> grabAll()
{
    quarnis::QtDialogs qt;
    quarnis::Windows windows(qt);
    return { grab(&windows.calculator), grab(&windows.graph), grab(&windows.about), grabModal([&] {
                qt.message(&windows.calculator, quarnis::kApplicationTitle,
                    QStringLiteral("Floating point overflow."), quarnis::Dialogs::Icon::Stop);
            }),
        grabModal([&] { qt.chooseColor(&windows.graph, QColor(0, 128, 0)); }) };
}

// The caption of a message box's OK button.
QString okButtonText()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok);
    return box.button(QMessageBox::Ok)->text();
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

    quarnis::QtDialogs dialogs; // the program's own boxes

private slots:
    void initTestCase() { quarnis::loadApplicationFonts(); }

    void everyControlHasANameOfItsOwn()
    {
        quarnis::CalculatorWindow calc(dialogs);
        quarnis::GraphWindow graph(dialogs);
        QCOMPARE(everyNameOnce(&calc), QString());
        QCOMPARE(everyNameOnce(&graph), QString());
    }

    // Every Alt letter of the graph window is there once and moves the focus to its label's
    // field.
    void theGraphLabelsLeadToTheirFields()
    {
        quarnis::GraphWindow w(dialogs);
        QVERIFY(showAndWait(w));
        const std::pair<const char*, const char*> buddies[] = { { "Label1", kFunctionName },
            { "Label2", kVariable }, { "Label6", kDefinition }, { "Label7", kFrom },
            { "Label8", kSteps }, { "Label15", kResultList }, { "Label16", kFullDefinition } };
        for (const auto& [label, field] : buddies)
            QCOMPARE(find<QLabel>(&w, label)->buddy(), find(&w, field));
        QSet<QChar> letters;
        for (QLabel* label : w.findChildren<QLabel*>()) {
            const qsizetype at = label->text().indexOf(u'&');
            if (at < 0)
                continue;
            const QChar letter = label->text().at(at + 1).toUpper();
            QVERIFY2(!letters.contains(letter) && label->buddy(), qPrintable(label->text()));
            letters.insert(letter);
            QTest::keyClick(&w, Qt::Key(letter.unicode()), Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget(), label->buddy());
        }
        QVERIFY(letters.size() >= 20);
    }

    void ctrlQEndsTheProgramFromEveryWindow()
    {
        // The program ends when its last window closes; here the test goes on, and a quit
        // would end every later modal loop at once.
        QApplication::setQuitOnLastWindowClosed(false);
        quarnis::Windows windows(dialogs);
        quarnis::CalculatorWindow& calc = windows.calculator;
        calc.show();
        QVERIFY(quarnis::waitForActiveWindow(&calc));
        QTest::keyClick(find(&calc, kMemo), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!calc.isVisible());

        // From the graph window shown modally: it closes, and so does the calculator.
        calc.show();
        bool graphWasOpen = false;
        QTimer::singleShot(0, [&] {
            graphWasOpen = quarnis::waitForActiveWindow(&windows.graph);
            QTest::keyClick(find(&windows.graph, kFunctionName), Qt::Key_Q, Qt::ControlModifier);
        });
        QTest::mouseClick(find(&calc, kGraph), Qt::LeftButton);
        QVERIFY(graphWasOpen);
        QVERIFY(!windows.graph.isVisible());
        QVERIFY(!calc.isVisible());
    }

    // F1 in each window shows the manual at that window's chapter, as does the information
    // window's "Kılavuz (F1)"; Ctrl+Q in the manual ends the program.
    void f1ShowsEachWindowsChapter()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        quarnis::Windows windows(dialogs);
        quarnis::HelpWindow& help = windows.help;
        QStringList pages;
        const auto f1 = [&](QWidget* control) {
            QTest::keyClick(control, Qt::Key_F1);
            pages << (help.isVisible() ? help.currentPage().fileName() : QStringLiteral("-"));
            help.hide();
        };
        const auto f1InModal = [&](QDialog& dialog, QWidget* control, const char* opener) {
            QTimer::singleShot(0, [&] {
                if (quarnis::waitForActiveWindow(&dialog))
                    f1(control);
                dialog.reject();
            });
            QTest::mouseClick(find(&windows.calculator, opener), Qt::LeftButton);
        };
        QVERIFY(showAndWait(windows.calculator));
        QTest::keyClick(find(&windows.calculator, kMemo), Qt::Key_F1);
        QVERIFY(quarnis::waitForActiveWindow(&help));
        pages << help.currentPage().fileName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!windows.calculator.isVisible());

        QVERIFY(showAndWait(windows.calculator));
        QTest::keyClick(find(&windows.calculator, kMemo), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(quarnis::waitForActiveWindow(&windows.history));
        f1(find(&windows.history, "HistoryList"));
        f1InModal(windows.graph, find(&windows.graph, "FncName"), "BGraph");
        f1InModal(windows.about, &windows.about, "bInfo");
        QTimer::singleShot(0, [&] {
            QTest::mouseClick(find(&windows.about, "bManual"), Qt::LeftButton);
            pages << help.currentPage().fileName();
            windows.about.reject();
        });
        QTest::mouseClick(find(&windows.calculator, "bInfo"), Qt::LeftButton);
        QCOMPARE(pages,
            QStringList({ u"hesap-makinesi.html"_s, u"gecmis.html"_s, u"grafik.html"_s,
                u"bilgi.html"_s, u"bilgi.html"_s }));
    }

    // Qt's own texts in Turkish, whatever the locale, with our corrections of its catalogue
    // (the OK button stands for the catalogue's own texts, Alt+Sol for the key names); without
    // the catalogue they stay English.
    void qtSpeaksTurkish()
    {
        QTemporaryDir noCatalogue;
        QVERIFY(!quarnis::useTurkishForQt(*qApp, noCatalogue.path()));
        QCOMPARE(okButtonText(), u"OK"_s);
        if (!quarnis::useTurkishForQt(*qApp))
            QSKIP("Qt's Turkish catalogue (package qt6-translations-l10n) is not installed");
        const std::pair<QString, QString> texts[] = {
            { okButtonText(), u"Tamam"_s },
            { QKeySequence(Qt::ALT | Qt::Key_Left).toString(QKeySequence::NativeText),
                u"Alt+Sol"_s },
            { QCoreApplication::translate("QColorDialog", "&Val:"), u"De&ğer:"_s },
            { QFileIconProvider().type(QFileInfo(QDir::tempPath())), u"Klasör"_s },
            { QLocale().toString(12.5), u"12,5"_s },
        };
        for (const auto& [shown, expected] : texts)
            QCOMPARE(shown, expected);
    }

    void theProgramIsKnownByItsDesktopEntry()
    {
        quarnis::setUpDesktopIdentity();
        QVERIFY(!QApplication::windowIcon().pixmap(32, 32).isNull());
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

    // Every window, and the message box and colour dialog they open, grabbed under the
    // default palette and again under a dark one set application-wide, differ in at most 1%
    // of their pixels.
    void theWindowsIgnoreADarkScheme()
    {
        const QPalette original = QApplication::palette();
        const std::array<QImage, 5> light = grabAll();
        QApplication::setPalette(darkPalette());
        const std::array<QImage, 5> dark = grabAll();
        QApplication::setPalette(original);
        for (std::size_t i = 0; i < light.size(); ++i) {
            QVERIFY2(!light[i].isNull() && !dark[i].isNull(), kWindows[i]);
            const double share = differingShare(light[i], dark[i]);
            QVERIFY2(share <= 0.01,
                qPrintable(QStringLiteral("%1: %2% of the pixels differ")
                               .arg(QLatin1String(kWindows[i]))
                               .arg(share * 100, 0, 'f', 2)));
        }
    }

    // A desktop that switches its scheme while the program runs.
    void aPaletteChangeAfterTheStartChangesNothing()
    {
        quarnis::CalculatorWindow main(dialogs);
        const QImage before = grab(&main);
        const QPalette original = QApplication::palette();
        QApplication::setPalette(darkPalette());
        const QImage after = grab(&main);
        QApplication::setPalette(original);
        QCOMPARE(differingShare(before, after), 0.0);
    }
    // Last: it wraps the application's style for the rest of the run.
    void theAltLettersShowOnlyWhileAltIsHeld()
    {
        quarnis::underlineMnemonicsOnAlt(*qApp);
        quarnis::GraphWindow w(dialogs);
        auto* xScale = find<QLineEdit>(&w, kXScale);
        auto* label = find<QLabel>(&w, "Label1");
        QVERIFY(showAndWait(w));
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
