// HESAPLA at its largest: 65535 steps of a typical definition through the real button and
// handler (offscreen), both lists filled; and the same tabulation without the window.
// Reading the curve of those 65536 points: a pointer move over the surface, answered with
// the ring repainted and the hint shown.

#include "graph/graph_window.h"
#include "graph/plot_surface.h"
#include "tabulation/function_record.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>

#include <benchmark/benchmark.h>

namespace {

void fillPanel(const quarnis::GraphWindow& w)
{
    const auto set = [&](const char* field, const char* text) {
        w.findChild<QLineEdit*>(QLatin1String(field))->setText(QString::fromLatin1(text));
    };
    set("FncId", "SIN(t)*c1+COS(t)/2");
    set("ec1", "2");
    set("ex2", "100");
    set("Sample", "65535");
}

void BM_HesaplaThroughTheWindow(benchmark::State& state)
{
    quarnis::QtDialogs dialogs;
    quarnis::GraphWindow w(dialogs);
    w.show();
    QApplication::processEvents();
    fillPanel(w);
    auto* hesapla = w.findChild<QPushButton*>(QStringLiteral("bEval1D"));
    auto* results = w.findChild<QComboBox*>(QStringLiteral("cCalcExec"));
    auto* listBox = w.findChild<QListView*>(QStringLiteral("lFuncVars"));
    for (auto _ : state) {
        hesapla->click();
        QApplication::processEvents(); // the repaint of both lists
    }
    if (results->count() != 65536 || listBox->model()->rowCount() != 65536)
        state.SkipWithError("the lists are not filled");
}
BENCHMARK(BM_HesaplaThroughTheWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

// Opening the result list and scrolling the list box to its end with 65536 lines in them.
void BM_BrowseTheLists(benchmark::State& state)
{
    quarnis::QtDialogs dialogs;
    quarnis::GraphWindow w(dialogs);
    w.show();
    fillPanel(w);
    auto* results = w.findChild<QComboBox*>(QStringLiteral("cCalcExec"));
    auto* listBox = w.findChild<QListView*>(QStringLiteral("lFuncVars"));
    w.findChild<QPushButton*>(QStringLiteral("bEval1D"))->click();
    QApplication::processEvents();
    for (auto _ : state) {
        results->showPopup();
        QApplication::processEvents();
        results->hidePopup();
        listBox->scrollToBottom();
        QApplication::processEvents();
        listBox->scrollToTop();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_BrowseTheLists)->Unit(benchmark::kMillisecond)->UseRealTime();

// One pointer move: the mouse move marks the nearest point, the hint event shows its line,
// and the ring's old and new places are repainted.
void BM_PointerMoveOverTheCurve(benchmark::State& state)
{
    quarnis::QtDialogs dialogs;
    quarnis::GraphWindow w(dialogs);
    w.show();
    fillPanel(w);
    for (const char* button : { "bEval1D", "bClearGArea", "bAutoScale", "DoGraph" })
        w.findChild<QPushButton*>(QLatin1String(button))->click();
    auto* surface = w.findChild<quarnis::PlotSurface*>(QStringLiteral("GrapBox"));
    QApplication::processEvents();
    int x = 0, y = 0;
    for (auto _ : state) {
        const QPoint at(x, y), global = surface->mapToGlobal(at);
        QMouseEvent move(QEvent::MouseMove, at, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &move);
        QHelpEvent hint(QEvent::ToolTip, at, global);
        QApplication::sendEvent(surface, &hint);
        QApplication::processEvents();
        x = (x + 7) % 457;
        y = (y + 3) % 289;
    }
    if (w.plotObject().points.size() != 65536 || surface->toolTip().isEmpty())
        state.SkipWithError("no curve of 65536 points to read");
}
BENCHMARK(BM_PointerMoveOverTheCurve)->Unit(benchmark::kMillisecond)->UseRealTime();

struct Discard : quarnis::TabulationOutput {
    std::size_t lines = 0;
    int decimals() override { return 5; }
    void append(std::u16string line, bool) override { lines += !line.empty(); }
};

void BM_TabulateOnly(benchmark::State& state)
{
    quarnis::FunctionRecord f;
    quarnis::storePanel(
        f, { .definition = u"SIN(t)*c1+COS(t)/2", .x2 = u"100", .sample = u"65535" });
    f.constValue1 = 2;
    for (auto _ : state) {
        Discard out;
        f.tabulate(out);
        benchmark::DoNotOptimize(out.lines);
    }
}
BENCHMARK(BM_TabulateOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
