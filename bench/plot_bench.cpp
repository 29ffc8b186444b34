// The plot commands on the 457 x 289 surface, offscreen:
//   DrawCurve/points, DrawCurve/line: "Grafik Çiz" of 65536 points (the largest table)
//   DrawCurve/line_far: the same with a scale that sends most segments off the surface
//   ClearGraphArea/grid10: "Grafik Temizle" with a 10 x 10 grid

#include "graph/plot_commands.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

namespace {

using namespace quarnis;

struct Bench {
    PlotSurface surface;
    TGraph1D graph;
    bool drawn = false;
    PlotSettings s;
    PlotTarget target { surface, graph, drawn, 0, nullptr };

    explicit Bench(int kind, const char* yScale = "20")
    {
        for (int i = 0; i < 65536; ++i) {
            const double x = -10 + 20.0 * i / 65535;
            graph.Points.push_back({ x, 5 * std::sin(x) + std::sin(37 * x) });
        }
        target.resultLines = int(graph.Points.size());
        s.curveKind = kind;
        s.xScale = QStringLiteral("22");
        s.yScale = QString::fromLatin1(yScale);
        ClearGraphArea(target, s);
        surface.show(); // drawing marks a shown surface for repainting
    }
};

void drawCurve(benchmark::State& state, int kind, const char* yScale)
{
    Bench b(kind, yScale);
    for (auto _ : state) {
        DoGraph(b.target, b.s);
        benchmark::DoNotOptimize(b.surface.image().constBits());
    }
}

void BM_DrawCurvePoints(benchmark::State& state) { drawCurve(state, 0, "20"); }
void BM_DrawCurveLine(benchmark::State& state) { drawCurve(state, 1, "20"); }
void BM_DrawCurveLineFar(benchmark::State& state) { drawCurve(state, 1, "100000"); }

void BM_ClearGrid10(benchmark::State& state)
{
    Bench b(0);
    b.s.gridCount = QStringLiteral("10");
    for (auto _ : state) {
        ClearGraphArea(b.target, b.s);
        benchmark::DoNotOptimize(b.surface.image().constBits());
    }
}

BENCHMARK(BM_DrawCurvePoints)->Name("DrawCurve/points")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawCurveLine)->Name("DrawCurve/line")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawCurveLineFar)->Name("DrawCurve/line_far")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClearGrid10)->Name("ClearGraphArea/grid10")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
