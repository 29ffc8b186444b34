// EXEC in the real calculator window (offscreen): the click on the button, the handler, the
// evaluation and the result field, for a typical formula and for a long one.

#include "unit_main.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include <benchmark/benchmark.h>

namespace {

TCalcMain* window = nullptr;

void ExecFormula(benchmark::State& state, const QString& formula, int decimals)
{
    window->EnterFormula->setPlainText(formula);
    window->DecNum->setValue(decimals);
    for (auto _ : state) {
        window->Exec->click();
        benchmark::DoNotOptimize(window->Result->text());
    }
}

void BM_ExecTypical(benchmark::State& state)
{
    ExecFormula(state, QStringLiteral("2*sin(Pi/6)+3^2-1/3"), 2);
}
BENCHMARK(BM_ExecTypical);

void BM_ExecNested(benchmark::State& state)
{
    ExecFormula(
        state, QStringLiteral("sqrt(abs(cos(1.5)*exp(2)-ln(10)/log(100)))+(1+2)*(3+4)!"), -1);
}
BENCHMARK(BM_ExecNested);

void BM_ExecLongSum(benchmark::State& state)
{
    QString formula = QStringLiteral("1");
    for (int i = 0; i < 200; ++i)
        formula += QStringLiteral("+1.5*2");
    ExecFormula(state, formula, -1);
}
BENCHMARK(BM_ExecLongSum);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    window = new TCalcMain();
    window->show();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete window;
    return 0;
}
