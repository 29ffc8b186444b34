// The plot commands in the real graph window: real clicks on its buttons, real keys into its
// fields, the pixels of its surface.

#include "plot_test_support.h"

#include "recording_dialogs.h"
#include "graph/graph_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace quarnis;
using namespace plot_test;

namespace {

struct PlotWindow : ::testing::Test {
    ScopedRecordingDialogs dialogs;
    TFGraphics w;

    PlotWindow()
    {
        CoordSystemDrawn = false;
        w.show();
    }
    ~PlotWindow() override { CoordSystemDrawn = false; }

    static void click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    static void type(QLineEdit* field, const QString& text)
    {
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    QRgb at(int x, int y) const { return plot_test::at(*w.GrapBox, x, y); }

    // Black pixels strictly inside the frame: the curve in the start colour.
    std::set<Pixel> curve() const
    {
        std::set<Pixel> out;
        for (const Pixel& p : pixelsOf(w.GrapBox->image(), kBlack))
            if (p.first > 0 && p.second > 0 && p.first < 456 && p.second < 288)
                out.insert(p);
        return out;
    }
    QString lastBox() const
    {
        return dialogs.messages.isEmpty() ? QString() : dialogs.messages.back().text;
    }
};

TEST_F(PlotWindow, CommandsInTheOrderAUserMeetsThem)
{
    // Nothing drawn yet: the surface shows its panel's colour and "Grafik Çiz" is refused.
    EXPECT_EQ(at(100, 100), kSurfaceStartColor.rgb());
    click(w.DoGraph);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Koordinat Sistemi Yok!"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("[Grafik Temizle] tuşuna basınız..."));

    click(w.bClearGArea);
    EXPECT_EQ(at(100, 100), kArea);
    EXPECT_EQ(at(0, 0), kBlack);
    EXPECT_EQ(at(114, 1), kGrey);
    EXPECT_EQ(at(228, 100), kGreen);
    EXPECT_EQ(at(100, 144), kGreen);
    click(w.DoGraph);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].caption, QStringLiteral("Fonksiyon Hesaplanmamış!"));

    click(w.bEval1D); // f(t) = t over 0 to 10 in 100 steps
    ASSERT_EQ(w.cCalcExec->count(), 101);
    click(w.DoGraph);
    std::set<Pixel> eleven;
    for (int k = 0; k <= 10; ++k)
        eleven.insert({ 228 + k, 144 - k });
    EXPECT_EQ(curve(), eleven);

    click(w.bAutoScale);
    EXPECT_EQ(w.xScale->text(), QStringLiteral("22"));
    EXPECT_EQ(w.yScale->text(), QStringLiteral("14"));
    click(w.bClearGArea);
    click(w.DoGraph);
    EXPECT_EQ(at(448, 4), kBlack);
    EXPECT_EQ(at(230, 143), kBlack);
    EXPECT_EQ(dialogs.messages.size(), 2);
}

TEST_F(PlotWindow, SettingsAreReadWhenTheCommandRuns)
{
    click(w.bEval1D);
    click(w.bClearGArea);
    w.cGraphTip->setCurrentIndex(1); // "Çizgi"
    w.cXPerc->setCurrentIndex(1); // no effect before the next "Grafik Temizle"
    click(w.DoGraph);
    std::set<Pixel> ten;
    for (int k = 0; k < 10; ++k)
        ten.insert({ 228 + k, 144 - k });
    EXPECT_EQ(curve(), ten);

    w.sGrid->setChecked(false);
    click(w.bClearGArea);
    EXPECT_TRUE(pixelsOf(w.GrapBox->image(), kGrey).empty());
    EXPECT_EQ(at(114, 100), kGreen); // "1/4" now
}

TEST_F(PlotWindow, ErrorsEndTheCommandInTheGeneralBox)
{
    struct Row {
        QLineEdit* field;
        const char* text;
        QPushButton* button;
        const char* box;
    };
    const Row rows[] = {
        { w.cGridType->lineEdit(), "0", w.bClearGArea, "Division by zero." },
        { w.cGridType->lineEdit(), "260", w.bClearGArea,
            "Grid sayısı 1 ile 255 arasında olmalıdır." },
        { w.cGridType->lineEdit(), "4x", w.bClearGArea, "''4x'' is not a valid integer value." },
        { w.xScale, "1E400", w.DoGraph, "Floating point overflow." },
    };
    click(w.bEval1D);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        type(r.field, QString::fromUtf8(r.text));
        click(r.button);
        ASSERT_FALSE(dialogs.messages.isEmpty());
        EXPECT_EQ(dialogs.messages.back().caption, kApplicationTitle);
        EXPECT_EQ(dialogs.messages.back().icon, Dialogs::Icon::Stop);
        EXPECT_EQ(lastBox(), QString::fromUtf8(r.box));
        type(r.field, r.field == w.xScale ? QStringLiteral("1.0") : QStringLiteral("4"));
    }
    // The refused grid count still painted the area and frame and set the flag.
    EXPECT_TRUE(CoordSystemDrawn);
}

// The picture is never lost to the platform: hiding and showing the window keep it.
TEST_F(PlotWindow, PictureSurvivesHidingAndShowingTheWindow)
{
    click(w.bEval1D);
    click(w.bClearGArea);
    click(w.DoGraph);
    const QImage drawn = w.GrapBox->image();
    w.hide();
    w.show();
    QApplication::processEvents();
    EXPECT_EQ(w.GrapBox->image(), drawn);
    EXPECT_EQ(w.GrapBox->grab().toImage().convertToFormat(QImage::Format_RGB32), drawn);
}

} // namespace
