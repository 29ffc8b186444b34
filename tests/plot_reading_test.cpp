// Reading values off the curve in the real graph window (offscreen): pointer and keys on the
// surface, the hint, the spoken line, and the ring on the screen but never in the picture.

#include "control_names.h"
#include "graph/graph_window.h"
#include "graph/plot_surface.h"
#include "recording_dialogs.h"
#include "test_application.h"
#include "ui/accessibility.h"

#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace quarnis::names;

inline void PrintTo(const QString& s, std::ostream* os) { *os << s.toStdString(); }

using namespace quarnis;

namespace {

// 1/t over -2 to 2 in 4 steps, 50 pixels to the unit: t = 0 fails, so the lines [0] [1] [3]
// [4] are drawn at (128, 169) (178, 194) (278, 94) (328, 119).
struct PlotReading : ::testing::Test {
    bool app = makeApplication<QApplication>();
    RecordingDialogs dialogs;
    GraphWindow w { dialogs };
    PlotSurface& surface = *w.findChild<PlotSurface*>(QLatin1String(kSurface));

    PlotReading()
    {
        w.show();
        for (const auto& [field, text] : { std::pair { kDefinition, "1/t" }, { kFrom, "-2" },
                 { kTo, "2" }, { kSteps, "4" }, { kXScale, "50" }, { kYScale, "50" } })
            w.findChild<QLineEdit*>(QLatin1String(field))->setText(QLatin1String(text));
        for (const char* button : { kCalculate, kClearArea, kDraw })
            click(button);
    }
    ~PlotReading() override { QToolTip::hideText(); }

    void click(const char* button) const
    {
        QTest::mouseClick(w.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
    }
    // Points at `at` until the hint shows: its text, or nothing when the surface has none.
    QString hover(QPoint at) const
    {
        QTest::mouseMove(&surface, at);
        QHelpEvent help(QEvent::ToolTip, at, surface.mapToGlobal(at));
        QApplication::sendEvent(&surface, &help);
        return help.isAccepted() ? QToolTip::text() : QString();
    }
    QImage screen() const { return surface.grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

TEST_F(PlotReading, PointerAndKeysReadTheDrawnPoints)
{
    const std::pair<QPoint, const char*> hovers[] = {
        { { 280, 95 }, "[3]:(1,1)" },
        { { 228, 144 }, "[1]:(-1,-1)" }, // as far from [3], and the failed [2] is not there
        { { 456, 0 }, "[4]:(2,0.5)" },
    };
    for (const auto& [at, line] : hovers) {
        EXPECT_EQ(hover(at), QLatin1String(line));
        EXPECT_EQ(surface.toolTip(), QLatin1String(line));
    }
    surface.setFocus();
    const std::pair<Qt::Key, const char*> steps[]
        = { { Qt::Key_Home, "[0]:(-2,-0.5)" }, { Qt::Key_Right, "[1]:(-1,-1)" },
              { Qt::Key_Right, "[3]:(1,1)" }, { Qt::Key_End, "[4]:(2,0.5)" },
              { Qt::Key_Right, "[4]:(2,0.5)" }, { Qt::Key_Left, "[3]:(1,1)" } };
    for (const auto& [key, line] : steps) {
        QTest::keyClick(&surface, key);
        EXPECT_EQ(QToolTip::text(), QLatin1String(line));
        EXPECT_EQ(surface.findChild<Announcer*>()->accessibleName(), QLatin1String(line));
    }
    EXPECT_EQ(surface.markedPoint(), (DrawnPoint { 278, 94, 2, 3 }));
    // The drawn curve keeps its lines when a new tabulation replaces the list's.
    w.findChild<QLineEdit*>(QLatin1String(kDefinition))->setText(QStringLiteral("t"));
    click(kCalculate);
    EXPECT_EQ(hover({ 130, 170 }), QStringLiteral("[0]:(-2,-0.5)"));
}

TEST_F(PlotReading, RingIsOnTheScreenOnlyUntilTheAreaIsCleared)
{
    const QImage picture = surface.image();
    hover({ 280, 95 });
    const QImage shown = screen();
    int ring = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (shown.pixel(x, y) != picture.pixel(x, y)) {
                ++ring;
                EXPECT_LE(std::abs(x - 278) + std::abs(y - 94), 20) << x << "," << y;
            }
    EXPECT_GT(ring, 20);
    QTemporaryDir dir;
    ASSERT_TRUE(surface.savePicture(dir.filePath(QStringLiteral("egri.png"))));
    EXPECT_EQ(
        QImage(dir.filePath(QStringLiteral("egri.png"))).convertToFormat(QImage::Format_RGB32),
        picture);
    surface.copyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), picture);

    click(kClearArea);
    EXPECT_EQ(surface.toolTip(), QString());
    EXPECT_EQ(hover({ 280, 95 }), QString());
    QTest::keyClick(&surface, Qt::Key_Home);
    EXPECT_FALSE(surface.markedPoint());
    EXPECT_EQ(screen(), surface.image());
}

} // namespace
