// The plot commands on a 457 x 289 canvas, the size of the graph window's surface:
//   drawCurve/points, drawCurve/line: "Grafik Çiz" of 65536 points (the largest table)
//   drawCurve/line_far: the same with a scale that sends most segments off the surface
//   drawCurve/{points,line}_recorded: the same on the window's canvas, which also records them
//   clearGraphArea/grid10: "Grafik Temizle" with a 10 x 10 grid
//   drawCurve/line_read: "Grafik Çiz" of 65536 points gathering where they land, indexed
//   NearestDrawnPoint: the point under a moving pointer among those 65536

#include "plot/picture_canvas.h"
#include "plot/plot_commands.h"
#include "plot/raster_canvas.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace quarnis;

struct Silent : PlotReport {
    void refuse(std::u16string_view, std::u16string_view) override { }
    void notify(std::u16string_view) override { }
};

template <class C = RasterCanvas> struct Bench {
    C canvas { 457, 289, makeRgb(192, 220, 192) };
    Graph graph;
    bool drawn = false;
    PlotSettings s;
    Silent report;
    PlotTarget target { canvas, graph, drawn, 0, report };

    explicit Bench(int kind, const char16_t* yScale = u"20")
    {
        for (int i = 0; i < 65536; ++i) {
            const double x = -10 + 20.0 * i / 65535;
            graph.points.push_back({ x, 5 * std::sin(x) + std::sin(37 * x) });
        }
        target.resultLines = graph.points.size();
        s.curveKind = CurveKind(kind);
        s.xScale = u"22";
        s.yScale = yScale;
        clearGraphArea(target, s);
    }
};

template <class C = RasterCanvas>
void drawCurve(benchmark::State& state, int kind, const char16_t* yScale)
{
    Bench<C> b(kind, yScale);
    for (auto _ : state) {
        drawGraph(b.target, b.s);
        benchmark::DoNotOptimize(b.canvas.pixels().data());
    }
}

void BM_DrawCurvePoints(benchmark::State& state) { drawCurve(state, 0, u"20"); }
void BM_DrawCurveLine(benchmark::State& state) { drawCurve(state, 1, u"20"); }
void BM_DrawCurveLineFar(benchmark::State& state) { drawCurve(state, 1, u"100000"); }
void BM_DrawCurvePointsRecorded(benchmark::State& state)
{
    drawCurve<PictureCanvas>(state, 0, u"20");
}
void BM_DrawCurveLineRecorded(benchmark::State& state)
{
    drawCurve<PictureCanvas>(state, 1, u"20");
}

void BM_ClearGrid10(benchmark::State& state)
{
    Bench<> b(0);
    b.s.gridCount = u"10";
    for (auto _ : state) {
        clearGraphArea(b.target, b.s);
        benchmark::DoNotOptimize(b.canvas.pixels().data());
    }
}

// The curve as the window draws it for reading: drawGraph gathering the points, then the index.
void BM_DrawCurveLineRead(benchmark::State& state)
{
    Bench<> b(1);
    for (auto _ : state) {
        DrawnCurve drawn;
        drawGraph(b.target, b.s, &drawn);
        DrawnPoints index(std::move(drawn.points));
        benchmark::DoNotOptimize(index.points().data());
    }
}

// Pointer positions swept over the whole surface, near the curve and far from it.
void BM_NearestDrawnPoint(benchmark::State& state)
{
    Bench<> b(1);
    DrawnCurve drawn;
    drawGraph(b.target, b.s, &drawn);
    const DrawnPoints index(std::move(drawn.points));
    if (index.points().size() < 60000)
        state.SkipWithError("the curve left the surface");
    int x = 0, y = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(index.nearest(x, y));
        x = (x + 7) % 457;
        y = (y + 3) % 289;
    }
}

BENCHMARK(BM_DrawCurvePoints)->Name("DrawCurve/points")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawCurveLine)->Name("DrawCurve/line")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawCurveLineFar)->Name("DrawCurve/line_far")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawCurvePointsRecorded)
    ->Name("DrawCurve/points_recorded")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawCurveLineRecorded)->Name("DrawCurve/line_recorded")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClearGrid10)->Name("ClearGraphArea/grid10")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawCurveLineRead)->Name("DrawCurve/line_read")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NearestDrawnPoint)->Name("NearestDrawnPoint")->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
