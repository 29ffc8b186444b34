// The windows look the same under a dark desktop colour scheme: every window, and the message
// box and colour dialog they open, grabbed under the default palette and again after a dark
// palette was set application-wide, differ in at most 1% of their pixels.

#include "calculator/startup.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/palette.h"

#include <QApplication>
#include <QColorDialog>
#include <QImage>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// The colours of a dark desktop scheme: white texts on dark grey faces and fields.
QPalette DarkPalette()
{
    QPalette p(QColor(0x42, 0x42, 0x45), QColor(0x22, 0x20, 0x20));
    for (QPalette::ColorGroup g : { QPalette::Active, QPalette::Inactive }) {
        p.setColor(g, QPalette::WindowText, Qt::white);
        p.setColor(g, QPalette::Text, Qt::white);
        p.setColor(g, QPalette::ButtonText, Qt::white);
        p.setColor(g, QPalette::Base, QColor(0x3d, 0x3d, 0x3d));
        p.setColor(g, QPalette::AlternateBase, QColor(0x3f, 0x3f, 0x36));
        p.setColor(g, QPalette::Highlight, QColor(0x12, 0x60, 0x8a));
        p.setColor(g, QPalette::HighlightedText, QColor(0xf9, 0xf9, 0xf9));
        p.setColor(g, QPalette::ToolTipBase, QColor(0x3f, 0x3f, 0x36));
        p.setColor(g, QPalette::ToolTipText, Qt::white);
    }
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    return p;
}

double DifferingShare(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 1.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            differing += p[col] != q[col];
    }
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
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        QCoreApplication::processEvents();
        picture = modal->grab().toImage();
        modal->close();
    });
    open();
    return picture;
}

struct Pictures {
    QImage calculator, graph, about, message, color;
};

Pictures GrabAll()
{
    quarnis::Windows windows;
    Pictures p;
    p.calculator = Grab(&windows.calculator);
    p.graph = Grab(&windows.graph);
    windows.graph.hide();
    p.about = Grab(&windows.about);
    windows.about.hide();
    quarnis::Dialogs& qt = quarnis::Dialogs::current();
    p.message = GrabModal([&] {
        qt.message(&windows.calculator, quarnis::kApplicationTitle,
            QStringLiteral("Floating point overflow."), quarnis::Dialogs::Icon::Stop);
    });
    QList<QColor> custom;
    p.color
        = GrabModal([&] { qt.chooseColorWithCustom(&windows.graph, QColor(0, 128, 0), custom); });
    return p;
}

} // namespace

class ThemeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { quarnis::LoadApplicationFonts(); }

    void theWindowsIgnoreADarkScheme()
    {
        const QPalette original = QApplication::palette();
        const Pictures light = GrabAll();
        QApplication::setPalette(DarkPalette());
        const Pictures dark = GrabAll();
        QApplication::setPalette(original);

        const std::pair<const char*, std::pair<QImage, QImage>> windows[] = {
            { "calculator", { light.calculator, dark.calculator } },
            { "graph", { light.graph, dark.graph } },
            { "about", { light.about, dark.about } },
            { "message box", { light.message, dark.message } },
            { "colour dialog", { light.color, dark.color } },
        };
        for (const auto& [name, pair] : windows) {
            QVERIFY2(!pair.first.isNull() && !pair.second.isNull(), name);
            const double share = DifferingShare(pair.first, pair.second);
            QVERIFY2(share <= 0.01,
                qPrintable(QStringLiteral("%1: %2% of the pixels differ")
                               .arg(QLatin1String(name))
                               .arg(share * 100, 0, 'f', 2)));
        }
    }

    void aPaletteChangeAfterTheStartChangesNothing()
    {
        // A desktop that switches its scheme while the program runs.
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
