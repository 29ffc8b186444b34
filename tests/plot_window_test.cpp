// The plot commands in the real graph window: real clicks on its buttons, real keys into its
// fields, the pixels of its surface, and the surface's menu. What each command paints and
// says is pinned in plot_commands_test; here, that the window feeds it its own state.

#include "plot_test_support.h"

#include "control_names.h"
#include "graph/color_button.h"
#include "graph/graph_window.h"
#include "graph/plot_surface.h"
#include "recording_dialogs.h"
#include "test_application.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace quarnis::names;

using namespace quarnis;
using namespace plot_test;
using namespace Qt::StringLiterals;

namespace {

struct PlotWindow : ::testing::Test {
    bool app = makeApplication<QApplication>();
    RecordingDialogs dialogs;
    GraphWindow w { dialogs };
    PlotSurface& surface = *w.findChild<PlotSurface*>(QLatin1String(kSurface));

    PlotWindow() { w.show(); }

    template <class Control = QWidget> Control* control(const char* name) const
    {
        auto* c = w.findChild<Control*>(QLatin1String(name));
        EXPECT_TRUE(c) << name;
        return c;
    }
    void click(const char* button) const
    {
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    }
    // Types into a field, or into the line edit of an editable list.
    void type(const char* name, const QString& text) const
    {
        auto* list = w.findChild<QComboBox*>(QLatin1String(name));
        QLineEdit* field = list ? list->lineEdit() : control<QLineEdit>(name);
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    QString text(const char* field) const { return control<QLineEdit>(field)->text(); }
    // Black pixels strictly inside the frame: the curve in the start colour.
    std::set<Pixel> curve() const { return pixelsOf(surface, kBlack, true); }
};

// The standard output of a program run to its end.
QString run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST_F(PlotWindow, CommandsInTheOrderAUserMeetsThem)
{
    click(kDraw);
    click(kClearArea);
    EXPECT_EQ(surface.pixel(100, 100), kArea);
    click(kDraw);
    click(kCalculate); // f(t) = t over 0 to 10 in 100 steps
    click(kDraw);
    EXPECT_EQ(curve(), diagonal(11));
    // The picture is never lost to the platform: hiding and showing the window keep it.
    w.hide();
    w.show();
    QApplication::processEvents();
    EXPECT_EQ(surface.grab().toImage().convertToFormat(QImage::Format_RGB32), surface.image());
    EXPECT_EQ(curve(), diagonal(11));

    click(kAutoScale);
    EXPECT_EQ(text(kXScale), QStringLiteral("22"));
    EXPECT_EQ(text(kYScale), QStringLiteral("14"));

    type(kTo, QStringLiteral("1000"));
    click(kCalculate);
    click(kAutoScale);
    EXPECT_EQ(text(kXScale), QStringLiteral("1"));
    // Refusals under their captions, scales of 0 as notices under the application title;
    // none has an icon.
    const QString captions[] = { QStringLiteral("Koordinat Sistemi Yok!"),
        QStringLiteral("Fonksiyon Hesaplanmamış!"), kApplicationTitle, kApplicationTitle };
    ASSERT_EQ(dialogs.messages.size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(dialogs.messages[i].caption, captions[i]);
        EXPECT_EQ(dialogs.messages[i].icon, Dialogs::Icon::None);
    }
    EXPECT_EQ(dialogs.messages[2].text,
        QStringLiteral("[Y] Ölçek Sıfır!...Başlangıç değerine (1.0) setlenecek..."));
    EXPECT_TRUE(dialogs.messages[3].text.startsWith(QStringLiteral("[X]")));
}

// An origin list is read by the entry its field shows: a typed entry counts as picked, a
// typed text of the user's own leaves that axis where the last "Grafik Temizle" put it.
TEST_F(PlotWindow, TypedOriginTextsPlaceTheAxesByTheEntryTheyShow)
{
    const struct {
        const char* list;
        const char* text;
        int column, row;
    } rows[] = {
        { kYAxisColumn, "3/4", 342, 144 }, // beside "Y Orj": the y axis's column
        { kXAxisRow, "1/4", 342, 72 }, // beside "X Orj": the x axis's row
        { kYAxisColumn, "2/3", 342, 72 },
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        type(r.list, QString::fromUtf8(r.text));
        click(kClearArea);
        EXPECT_EQ(w.plotObject().originX, r.column);
        EXPECT_EQ(w.plotObject().originY, r.row);
    }
}

// The refused grid count still painted the area and frame and drew the coordinate system:
// "Grafik Çiz" after it is not refused but meets the overflow.
TEST_F(PlotWindow, ErrorsEndTheCommandInTheGeneralBox)
{
    const struct {
        const char *field, *text, *button, *box;
    } rows[] = {
        { kGridCount, "0", kClearArea, "Division by zero." },
        { kXScale, "1E400", kDraw, "Floating point overflow." },
    };
    click(kCalculate);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        type(r.field, QString::fromUtf8(r.text));
        click(r.button);
        ASSERT_FALSE(dialogs.messages.isEmpty());
        EXPECT_EQ(dialogs.messages.back().caption, kApplicationTitle);
        EXPECT_EQ(dialogs.messages.back().icon, Dialogs::Icon::Stop);
        EXPECT_EQ(dialogs.messages.back().text, QString::fromUtf8(r.box));
    }
}

// quarnis-calc --session draws the very picture that the window saves with the same work file
// opened, after HESAPLA, "Grafik Temizle", "Oto. Ölçeklendir" and "Grafik Çiz". Both draw with
// plotSettingsOf on a PictureCanvas, so what may differ is how the window's controls hold the
// work: between them the files set every list the picture shows (picked and typed), its
// colours, the grid switch, the decimals and two constants.
TEST(PlotWindowSession, CommandLineSessionIsTheWindowsPicture)
{
    makeApplication<QApplication>();
    const char* const files[] = {
        "function.definition = t*t\nfunction.from = -3\nfunction.to = 3\narea.style = 0\n"
        "axes.style = 1\naxes.width = 3\ncurve.kind = 1\ncurve.style = 2\ncurve.width = 2\n"
        "axes.x-origin = 1\naxes.y-origin = 2\ngrid.style = 0\ngrid.count = 8\n",
        "function.definition = SIN(t)*c1+c2\nfunction.constant1.value = 4\n"
        "function.constant2.value = 5\nfunction.from = -6\nfunction.to = 6\ndecimals = 2\n"
        "area.style = 1\naxes.style = 2\naxes.width = 5\n"
        "axes.x-origin = 2\naxes.y-origin = 1\nscale.measure = 1\ngrid.shown = 0\n",
        "function.definition = 1/t\nfunction.from = -2\nfunction.to = 2\nfunction.steps = 40\n"
        "area.style = 2\narea.color = #204080\ncurve.kind = 1\ncurve.style = 3\n"
        "curve.width = 3\ncurve.color = #c00000\naxes.style = 4\ngrid.style = 1\n"
        "grid.count = 10\ngrid.color = #ff00ff\n",
        "function.definition = t*t*t\nfunction.from = -4\nfunction.to = 4\narea.style = 3\n"
        "curve.kind = 1\ncurve.style = 4\naxes.width = 2\ngrid.style = 3\n"
        "axes.x-origin.text = 2/3\naxes.y-origin = 0\naxes.color = #0000ff\n",
        "function.definition = EXP(t/5)\nfunction.from = -10\narea.style = 7\n"
        "curve.kind.text = Eğri\ngrid.style.text = kendi\naxes.style.text = x\n",
    };
    QTemporaryDir dir;
    int index = 0;
    for (const char* body : files) {
        SCOPED_TRACE(body);
        const QString work = dir.filePath(u"w%1.qgraf"_s.arg(++index));
        QFile file(work);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("quarnis-graph 1\n") + body);
        file.close();

        RecordingDialogs dialogs;
        GraphWindow w(dialogs);
        w.show();
        dialogs.openAnswer = work;
        w.openSession();
        ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages[0].text.toStdString();
        for (const char* button : { "bEval1D", "bClearGArea", "bAutoScale", "DoGraph" })
            QTest::mouseClick(w.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
        dialogs.fileAnswer = dir.filePath(u"window.png"_s);
        w.findChild<PlotSurface*>(u"GrapBox"_s)->savePictureAs();

        const QString cli = dir.filePath(u"cli.png"_s);
        run(QStringLiteral(QUARNIS_CALC),
            { u"--tabulate"_s, u"-q"_s, u"--session"_s, work, u"--plot"_s, cli });
        const QImage window(dialogs.fileAnswer), drawn(cli);
        ASSERT_FALSE(window.isNull());
        EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32),
            window.convertToFormat(QImage::Format_RGB32));
        QFile::remove(cli);
    }
}

// The format comes from the suffix typed when it names one, otherwise from the filter
// chosen, whose suffix is then added; each file starts as its format does.
TEST_F(PlotWindow, SavesInTheFormatAskedFor)
{
    click(kClearArea);
    const QString png = QStringLiteral("PNG resmi (*.png)"),
                  svg = QStringLiteral("SVG çizimi (*.svg)"),
                  pdf = QStringLiteral("PDF belgesi (*.pdf)");
    const struct {
        const char* typed;
        QString filter;
        const char* written;
        QByteArray start;
    } rows[] = {
        { "a", png, "a.png", "\x89PNG" },
        { "b", svg, "b.svg", "<?xml" },
        { "c", pdf, "c.pdf", "%PDF" },
        { "d.svg", png, "d.svg", "<?xml" },
        { "f.txt", pdf, "f.txt.pdf", "%PDF" },
    };
    QTemporaryDir dir;
    for (const auto& row : rows) {
        dialogs.fileAnswer = dir.filePath(QLatin1String(row.typed));
        dialogs.filterAnswer = row.filter;
        surface.savePictureAs();
        QFile file(dir.filePath(QLatin1String(row.written)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << row.written;
        EXPECT_TRUE(file.readAll().startsWith(row.start)) << row.written;
    }
    EXPECT_EQ(
        dialogs.saveFilters.value(0), QStringList({ png, svg, pdf }).join(QStringLiteral(";;")));
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // The menu's "Grafiği Kaydet..." the same; a failed save says so, a cancelled one nothing.
    std::unique_ptr<QMenu> menu(surface.createContextMenu(nullptr));
    QAction* save = menu->actions().value(0);
    ASSERT_TRUE(save);
    dialogs.fileAnswer = dir.filePath(QStringLiteral("yok/olmayan.png"));
    save->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].caption, kApplicationTitle);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("olmayan.png")));
    dialogs.fileAnswer.clear();
    save->trigger();
    EXPECT_EQ(dialogs.messages.size(), 1);

    // Ctrl+C puts the drawing on the clipboard beside the pixels (graph_window_test's).
    surface.copyToClipboard();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->data(QStringLiteral("image/svg+xml")), svgBytes(surface));
}

// "Yazdır..." prints the drawing with the function's line below it, in the title's colour and
// font; a cancelled print does nothing and a failed one says so. The drawing on the page is
// paintPicture's (picture_tests).
TEST_F(PlotWindow, PrintsThePictureAndTheFunction)
{
    click(kCalculate);
    click(kClearArea);
    click(kDraw);
    QTemporaryDir dir;
    std::unique_ptr<QMenu> menu(surface.createContextMenu(nullptr));
    QAction* print = menu->actions().value(2);
    ASSERT_TRUE(print);
    dialogs.printFile = dir.filePath(u"yok/baski.pdf"_s);
    print->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, u"Grafik yazdırılamadı."_s);
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Stop);
    dialogs.messages.clear();
    dialogs.printAnswer = false;
    dialogs.printFile = dir.filePath(u"start.pdf"_s);
    print->trigger();
    EXPECT_EQ(dialogs.printRequests, 2);
    EXPECT_FALSE(QFile::exists(dialogs.printFile));

    // Prints to NAME.pdf, and gives its text and its fonts; NAME.png is its page at 100 dpi.
    dialogs.printAnswer = true;
    const auto printed = [&](const QString& name) {
        dialogs.printFile = dir.filePath(name + u".pdf"_s);
        print->trigger();
        EXPECT_TRUE(QFile::exists(dialogs.printFile));
        run(u"pdftoppm"_s,
            { u"-r"_s, u"100"_s, u"-png"_s, u"-singlefile"_s, dialogs.printFile,
                dir.filePath(name) });
        return std::pair(run(u"pdftotext"_s, { dialogs.printFile, u"-"_s }),
            run(u"pdffonts"_s, { dialogs.printFile }));
    };
    const auto [startText, startFonts] = printed(u"start"_s);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    if (QStandardPaths::findExecutable(u"pdffonts"_s).isEmpty())
        GTEST_SKIP() << "pdftotext, pdffonts and pdftoppm (poppler-utils) read the printed page";
    EXPECT_TRUE(startText.contains(u"F(t):=t"_s));
    control<ColorButton>(kTitleColor)->setColor(QColor(0, 0, 255));
    control<QComboBox>(kTitleFont)->setCurrentIndex(3); // "Courier"
    EXPECT_NE(printed(u"title"_s).second, startFonts);
    const auto blue = [&](const QString& name) {
        const QImage page(dir.filePath(name + u".png"_s));
        int n = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                n += c.blue() > 180 && c.red() < 100 && c.green() < 100;
            }
        return n;
    };
    EXPECT_EQ(blue(u"start"_s), 0);
    EXPECT_GT(blue(u"title"_s), 3);
}

} // namespace
