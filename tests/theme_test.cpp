// The windows look the same under a dark desktop colour scheme: every window, and the message
// box and colour dialog they open, grabbed under the default palette and again after a dark
// palette was set application-wide, differ in at most 1% of their pixels.

#include "calculator/startup.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>

namespace {

// A dark desktop scheme: white texts on dark grey faces and fields.
QPalette DarkPalette()
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

double DifferingShare(const QImage& a, const QImage& b)
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

QImage Grab(QWidget* window)
{
    window->show();
    QCoreApplication::processEvents();
    return window->grab().toImage();
}

// Grabs the modal box or dialog that `open` shows, then closes it.
QImage GrabModal(const std::function<void()>& open)
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

std::array<QImage, 5> GrabAll()
{
    quarnis::Windows windows;
    quarnis::Dialogs& qt = quarnis::Dialogs::current();
    QList<QColor> custom;
    return { Grab(&windows.calculator), Grab(&windows.graph), Grab(&windows.about), GrabModal([&] {
                qt.message(&windows.calculator, quarnis::kApplicationTitle,
                    QStringLiteral("Floating point overflow."), quarnis::Dialogs::Icon::Stop);
            }),
        GrabModal([&] { qt.chooseColorWithCustom(&windows.graph, QColor(0, 128, 0), custom); }) };
}

} // namespace

class ThemeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { quarnis::LoadApplicationFonts(); }

    void theWindowsIgnoreADarkScheme()
    {
        const QPalette original = QApplication::palette();
        const std::array<QImage, 5> light = GrabAll();
        QApplication::setPalette(DarkPalette());
        const std::array<QImage, 5> dark = GrabAll();
        QApplication::setPalette(original);
        for (std::size_t i = 0; i < light.size(); ++i) {
            QVERIFY2(!light[i].isNull() && !dark[i].isNull(), kWindows[i]);
            const double share = DifferingShare(light[i], dark[i]);
            QVERIFY2(share <= 0.01,
                qPrintable(QStringLiteral("%1: %2% of the pixels differ")
                               .arg(QLatin1String(kWindows[i]))
                               .arg(share * 100, 0, 'f', 2)));
        }
    }

    // A desktop that switches its scheme while the program runs.
    void aPaletteChangeAfterTheStartChangesNothing()
    {
        TCalcMain main;
        const QImage before = Grab(&main);
        const QPalette original = QApplication::palette();
        QApplication::setPalette(DarkPalette());
        const QImage after = Grab(&main);
        QApplication::setPalette(original);
        QCOMPARE(DifferingShare(before, after), 0.0);
    }
};

QTEST_MAIN(ThemeTest)
#include "theme_test.moc"
