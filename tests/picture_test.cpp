// The picture as files: the formats by suffix, the PNG as the pixels, failed writes leaving
// nothing, and the SVG and PDF drawings rasterised back by other programs (rsvg-convert,
// pdftoppm) against the raster's pixels.

#include "picture/picture_file.h"
#include "plot/plot_commands.h"
#include "test_application.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

using namespace quarnis;
using namespace Qt::StringLiterals;

namespace {

struct Silent : PlotReport {
    void refuse(std::u16string_view, std::u16string_view) override { }
    void notify(std::u16string_view) override { }
};

// "Grafik Temizle" then "Grafik Çiz" as lines of a wave over -10 .. 10 in 65535 steps, in
// the curve style given.
void plot(PictureCanvas& canvas, PenStyle curveStyle)
{
    Graph graph;
    for (int i = 0; i <= 65535; ++i) {
        const double x = -10 + 20.0 * i / 65535;
        graph.points.push_back({ x, 50 * std::sin(x) + 10 * std::sin(7 * x) });
    }
    bool drawn = false;
    Silent report;
    PlotTarget target { canvas, graph, drawn, graph.points.size(), report };
    const PlotSettings s {
        .curveStyle = curveStyle, .curveKind = CurveKind::Line, .xScale = u"22", .yScale = u"2"
    };
    clearGraphArea(target, s);
    drawGraph(target, s);
}

QImage rgb32(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

bool run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The picture's SVG and PDF drawn back at its size by rsvg-convert and pdftoppm, through
// files beside `base`; none when the programs are missing.
QList<QImage> drawnBack(const PictureCanvas& canvas, const QString& base)
{
    const QString rsvg = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (rsvg.isEmpty() || pdftoppm.isEmpty())
        return {};
    EXPECT_TRUE(writePicture(canvas, base + u".svg"_s, PictureFormat::Svg)
        && writePicture(canvas, base + u".pdf"_s, PictureFormat::Pdf)
        && run(rsvg, { QStringLiteral("-o"), base + u"-svg.png"_s, base + u".svg"_s })
        && run(pdftoppm,
            { QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                QStringLiteral("-singlefile"), base + u".pdf"_s, base + u"-pdf"_s }))
        << base.toStdString();
    return { rgb32(QImage(base + u"-svg.png"_s)), rgb32(QImage(base + u"-pdf.png"_s)) };
}

struct Picture : ::testing::Test {
    bool app = makeApplication<QGuiApplication>();
};

// The PNG read back is the canvas's pixels; the SVG and the PDF hold the
// surface's size; a 65536-point curve is one path, drawn solid or dotted.
TEST_F(Picture, FilesHoldThePicture)
{
    PictureCanvas canvas;
    plot(canvas, PenStyle::Solid);
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("a.png"));
    ASSERT_TRUE(writePicture(canvas, png, PictureFormat::Png));
    const QImage read(png);
    ASSERT_EQ(read.size(), QSize(kSurfaceWidth, kSurfaceHeight));
    int wrong = 0;
    for (int y = 0; y < kSurfaceHeight; ++y)
        for (int x = 0; x < kSurfaceWidth; ++x)
            wrong += read.pixel(x, y) != QRgb(canvas.pixel(x, y));
    EXPECT_EQ(wrong, 0);

    const QByteArray svg = svgBytes(canvas);
    EXPECT_TRUE(svg.contains("<svg width=\"457\" height=\"289\"\n viewBox=\"0 0 457 289\""));
    // Each item is one element (a rectangle two: its fill and its outline), the curve too.
    qsizetype longest = 0;
    for (const QByteArray& element : svg.split('<'))
        if (element.startsWith("path") || element.startsWith("rect"))
            longest = std::max(longest, element.count(" L"));
    std::size_t curve = 0;
    for (const PictureItem& item : canvas.items())
        curve = std::max(curve, item.points.size());
    EXPECT_GT(curve, 2000u);
    EXPECT_EQ(longest, qsizetype(curve) - 1);
    EXPECT_LE(svg.count("<path") + svg.count("<rect"), qsizetype(canvas.items().size()) + 2);

    // Drawn dotted, the curve's dots are still one path.
    PictureCanvas dotted;
    plot(dotted, PenStyle::Dot); // "Noktalı"
    const QByteArray dots = svgBytes(dotted);
    EXPECT_GT(dots.count(" M"), 500);
    EXPECT_LE(dots.count("<path") + dots.count("<rect"), qsizetype(dotted.items().size()) + 2);
}

TEST_F(Picture, FailedWriteLeavesNoFile)
{
    PictureCanvas canvas;
    QTemporaryDir dir;
    for (PictureFormat format : { PictureFormat::Png, PictureFormat::Svg, PictureFormat::Pdf })
        EXPECT_FALSE(writePicture(canvas, dir.filePath(QStringLiteral("yok/egri")), format));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

// quarnis-calc tells a --plot file's format from its name without Qt, exactly as the graph
// window does with QFileInfo::suffix() and Qt's case-insensitive comparison.
TEST(PictureFormatOfName, AgreesWithQt)
{
    constexpr std::optional<PictureFormat> none, png = PictureFormat::Png, svg = PictureFormat::Svg,
                                                 pdf = PictureFormat::Pdf;
    const struct {
        const char* name;
        std::optional<PictureFormat> format;
    } rows[] = {
        { "egri.png", png },
        { "yol/egri.SVG", svg },
        { "egri.tar.PdF", pdf },
        { ".png", png }, // all of a hidden file's name after its dot
        { "x.\xC5\xBFvg", svg }, // the long s folds to s
        { "\xE2.png", png }, // broken UTF-8 before the dot
        { "x.\xC5vg", none }, // and in the suffix
        { "x.\xEF\xBD\x90ng", none }, // a full-width p is no p
        { "egri.png/", none },
        { "yol.png/egri", none },
        { "egri.png.", none },
        { "egri.pngx", none },
        { "egri", none },
        { "", none },
    };
    for (const auto& row : rows) {
        EXPECT_EQ(pictureFormatOfFileName(row.name), row.format) << row.name;
        const QString suffix = QFileInfo(QString::fromLocal8Bit(row.name)).suffix();
        EXPECT_EQ(pictureFormatOfSuffix(suffix), row.format) << row.name;
    }
}

// Dashed lines along the axes land on the raster's pixels exactly when the items are painted:
// the pattern runs on round corners and from where a far line or rectangle was cut, one-step
// dots show, and even pen widths sit where the raster's squares do. A nearly upright line with
// far ends lands in the raster's column too, and a hatch on the raster's diagonals.
TEST_F(Picture, DashesFallOnTheRastersPixels)
{
    struct Case {
        const char* name;
        PenStyle style;
        int width;
        void (*draw)(PictureCanvas&);
    };
    const auto corner = [](PictureCanvas& c) {
        c.moveTo(5, 5);
        c.lineTo(60, 5);
        c.lineTo(60, 40);
        c.lineTo(20, 40);
        c.moveTo(10, 60); // a one-step line: a single dot
        c.lineTo(11, 60);
        c.moveTo(20, 70); // dashes across one-step segments
        for (std::int64_t x = 21; x < 60; ++x)
            c.lineTo(x, 70);
    };
    const Case cases[] = {
        { "corners dot", PenStyle::Dot, 1, corner },
        { "corners dash 2", PenStyle::Dash, 2, corner },
        { "corners dash-dot-dot 3", PenStyle::DashDotDot, 3, corner },
        { "rectangle", PenStyle::DashDot, 1,
            [](PictureCanvas& c) { c.rectangle(10, 10, 100, 70); } },
        { "row", PenStyle::Dot, 1, [](PictureCanvas& c) { c.rectangle(10, 10, 60, 11); } },
        { "hatched area", PenStyle::Solid, 1,
            [](PictureCanvas& c) {
                c.setBrushStyle(BrushStyle::DiagonalCross);
                c.setBrushColor(makeRgb(0, 0, 0));
                c.rectangle(-5, -5, 125, 95);
            } },
        { "far line", PenStyle::DashDot, 1,
            [](PictureCanvas& c) {
                c.moveTo(-1000001, 20);
                c.lineTo(200, 20);
                c.lineTo(200, -777777);
            } },
        { "far rectangle", PenStyle::Dash, 3,
            [](PictureCanvas& c) { c.rectangle(-1000003, -999, 100, 4000000000); } },
        // Its ends 2^32 and more away; it crosses the rows at x = 60.74, in column 61.
        { "far steep line", PenStyle::DashDot, 1,
            [](PictureCanvas& c) {
                c.moveTo(4071, -5283560760);
                c.lineTo(-5683, 7567443900);
            } },
    };
    const Rgb ink = makeRgb(0, 0, 0), paper = makeRgb(255, 255, 255);
    QTemporaryDir dir;
    for (const Case& k : cases) {
        PictureCanvas canvas(120, 90, paper);
        canvas.setPenStyle(k.style);
        canvas.setPenWidth(k.width);
        canvas.setBrushStyle(BrushStyle::Clear);
        k.draw(canvas);
        QImage painted(120, 90, QImage::Format_RGB32);
        painted.fill(Qt::white);
        QPainter painter(&painted);
        paintPicture(painter, canvas, QRectF(0, 0, 120, 90));
        painter.end();
        QList<QImage> images = drawnBack(canvas, dir.filePath(QLatin1String(k.name)));
        images.prepend(painted);
        for (qsizetype i = 0; i < images.size(); ++i) {
            ASSERT_EQ(images[i].size(), QSize(120, 90)) << k.name;
            int wrong = 0;
            for (int y = 0; y < 90; ++y)
                for (int x = 0; x < 120; ++x)
                    wrong += (qGray(images[i].pixel(x, y)) < 128) != (canvas.pixel(x, y) == ink);
            EXPECT_EQ(wrong, 0) << k.name << (i == 0 ? ", painted" : i == 1 ? ", SVG" : ", PDF");
        }
    }
}

} // namespace
