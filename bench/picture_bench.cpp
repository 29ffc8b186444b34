// Saving the graph window's picture, side by side in one run:
//   SavePicture/{png,svg,pdf}: "Grafik Temizle" and a 65536-point "Çizgi" curve
//   SavePicture/{png,svg,pdf}_dense: a curve whose 65536 points all land on other pixels
//   SavePicture/{png,svg,pdf}_dotted, _dense_dotted: those two curves drawn "Noktalı"
//   SavePicture/{png,svg,pdf}_100: the first surface after 100 such curves, each shifted
// The files are written to a temporary directory through writePicture, as the window does.

#include "picture/picture_file.h"
#include "plot/plot_commands.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <map>

namespace {

using namespace quarnis;

struct Silent : PlotReport {
    void refuse(std::u16string_view, std::u16string_view) override { }
    void notify(std::u16string_view) override { }
};

enum class Curve { Plain, Dense, Dotted, DenseDotted };

// The surface after `curves` curves of 65536 points, each a little higher than the last;
// a dense curve swings so fast that no two points share a pixel.
const PictureCanvas& surfaceWith(int curves, Curve kind = Curve::Plain)
{
    static std::map<std::pair<int, Curve>, PictureCanvas> made;
    auto [it, fresh] = made.try_emplace({ curves, kind });
    const bool dense = kind == Curve::Dense || kind == Curve::DenseDotted;
    if (!fresh)
        return it->second;
    PictureCanvas& canvas = it->second;
    Graph graph;
    bool drawn = false;
    Silent report;
    PlotTarget target { canvas, graph, drawn, 65536, report };
    PlotSettings s;
    s.curveKind = CurveKind::Line;
    s.curveStyle
        = kind == Curve::Dotted || kind == Curve::DenseDotted ? PenStyle::Dot : PenStyle::Solid;
    s.xScale = u"22";
    s.yScale = u"20";
    clearGraphArea(target, s);
    for (int c = 0; c < curves; ++c) {
        graph.points.clear();
        for (int i = 0; i < 65536; ++i) {
            const double x = -10 + 20.0 * i / 65535;
            graph.points.push_back({ x,
                dense ? 7 * std::sin(400 * x) : 5 * std::sin(x + 0.05 * c) + std::sin(37 * x) });
        }
        drawGraph(target, s);
    }
    return canvas;
}

void save(benchmark::State& state, PictureFormat format, int curves, Curve kind = Curve::Plain)
{
    const PictureCanvas& canvas = surfaceWith(curves, kind);
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("egri"));
    for (auto _ : state)
        if (!writePicture(canvas, name, format))
            state.SkipWithError("the picture could not be written");
    state.counters["items"] = double(canvas.items().size());
    state.counters["points"] = double(canvas.recordedPoints());
    state.counters["bytes"] = double(QFileInfo(name).size());
}

void BM_Png(benchmark::State& state) { save(state, PictureFormat::Png, 1); }
void BM_Svg(benchmark::State& state) { save(state, PictureFormat::Svg, 1); }
void BM_Pdf(benchmark::State& state) { save(state, PictureFormat::Pdf, 1); }
void BM_PngDense(benchmark::State& state) { save(state, PictureFormat::Png, 1, Curve::Dense); }
void BM_SvgDense(benchmark::State& state) { save(state, PictureFormat::Svg, 1, Curve::Dense); }
void BM_PdfDense(benchmark::State& state) { save(state, PictureFormat::Pdf, 1, Curve::Dense); }
void BM_PngDotted(benchmark::State& state) { save(state, PictureFormat::Png, 1, Curve::Dotted); }
void BM_SvgDotted(benchmark::State& state) { save(state, PictureFormat::Svg, 1, Curve::Dotted); }
void BM_PdfDotted(benchmark::State& state) { save(state, PictureFormat::Pdf, 1, Curve::Dotted); }
void BM_PngDenseDotted(benchmark::State& state)
{
    save(state, PictureFormat::Png, 1, Curve::DenseDotted);
}
void BM_SvgDenseDotted(benchmark::State& state)
{
    save(state, PictureFormat::Svg, 1, Curve::DenseDotted);
}
void BM_PdfDenseDotted(benchmark::State& state)
{
    save(state, PictureFormat::Pdf, 1, Curve::DenseDotted);
}
void BM_Png100(benchmark::State& state) { save(state, PictureFormat::Png, 100); }
void BM_Svg100(benchmark::State& state) { save(state, PictureFormat::Svg, 100); }
void BM_Pdf100(benchmark::State& state) { save(state, PictureFormat::Pdf, 100); }

BENCHMARK(BM_Png)->Name("SavePicture/png")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Svg)->Name("SavePicture/svg")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pdf)->Name("SavePicture/pdf")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngDense)->Name("SavePicture/png_dense")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SvgDense)->Name("SavePicture/svg_dense")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PdfDense)->Name("SavePicture/pdf_dense")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngDotted)->Name("SavePicture/png_dotted")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SvgDotted)->Name("SavePicture/svg_dotted")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PdfDotted)->Name("SavePicture/pdf_dotted")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngDenseDotted)->Name("SavePicture/png_dense_dotted")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SvgDenseDotted)->Name("SavePicture/svg_dense_dotted")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PdfDenseDotted)->Name("SavePicture/pdf_dense_dotted")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Png100)->Name("SavePicture/png_100")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Svg100)->Name("SavePicture/svg_100")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pdf100)->Name("SavePicture/pdf_100")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The PDF's fonts need a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
