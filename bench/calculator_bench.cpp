// EXEC in the real calculator window (offscreen): the click on the button, the handler, the
// evaluation and the result field, for a typical formula and for a long one; and the memo
// with a 1 MB formula: the paste, and a key typed and deleted at its end, each with the
// repaint.

#include "calculator/calculator_window.h"
#include "calculator/formula_memo.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// The window and the controls the benchmarks use, found by name once.
quarnis::CalculatorWindow* window = nullptr;
quarnis::FormulaMemo* memo = nullptr;
QPushButton* execKey = nullptr;
QScrollBar* decimalsBar = nullptr;
QLineEdit* result = nullptr;

void execFormula(benchmark::State& state, const QString& formula, int decimals)
{
    memo->setPlainText(formula);
    decimalsBar->setValue(decimals);
    for (auto _ : state) {
        execKey->click();
        benchmark::DoNotOptimize(result->text());
    }
}

void BM_ExecTypical(benchmark::State& state)
{
    execFormula(state, QStringLiteral("2*sin(Pi/6)+3^2-1/3"), 2);
}
BENCHMARK(BM_ExecTypical);

void BM_ExecNested(benchmark::State& state)
{
    execFormula(
        state, QStringLiteral("sqrt(abs(cos(1.5)*exp(2)-ln(10)/log(100)))+(1+2)*(3+4)!"), -1);
}
BENCHMARK(BM_ExecNested);

void BM_ExecLongSum(benchmark::State& state)
{
    QString formula = QStringLiteral("1");
    for (int i = 0; i < 200; ++i)
        formula += QStringLiteral("+1.5*2");
    execFormula(state, formula, -1);
}
BENCHMARK(BM_ExecLongSum);

// "1+1+...+1", 1,000,001 characters: a line without a single break opportunity.
QString oneMegabyteSum()
{
    QString text = QStringLiteral("1");
    while (text.size() < 1000001)
        text += QStringLiteral("+1");
    return text;
}

void pasteIntoEmptyMemo(const QString& text)
{
    memo->clear();
    QApplication::clipboard()->setText(text);
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    QApplication::processEvents();
}

void BM_PasteOneMegabyte(benchmark::State& state)
{
    const QString text = oneMegabyteSum();
    for (auto _ : state)
        pasteIntoEmptyMemo(text);
    if (memo->text() != text)
        state.SkipWithError("the memo lost characters");
}
BENCHMARK(BM_PasteOneMegabyte)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_KeyAtTheEndOfOneMegabyte(benchmark::State& state)
{
    const QString text = oneMegabyteSum();
    pasteIntoEmptyMemo(text);
    for (auto _ : state) {
        QTest::keyClick(memo, Qt::Key_Plus);
        QApplication::processEvents();
        QTest::keyClick(memo, Qt::Key_Backspace);
        QApplication::processEvents();
    }
    state.counters["keys"] = benchmark::Counter(
        2 * double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    if (memo->text() != text)
        state.SkipWithError("the memo lost characters");
}
BENCHMARK(BM_KeyAtTheEndOfOneMegabyte)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExecOneMegabyte(benchmark::State& state)
{
    pasteIntoEmptyMemo(oneMegabyteSum());
    decimalsBar->setValue(-1);
    for (auto _ : state)
        execKey->click();
    if (result->text() != QStringLiteral("500001"))
        state.SkipWithError("wrong result");
}
BENCHMARK(BM_ExecOneMegabyte)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quarnis::QtDialogs dialogs;
    window = new quarnis::CalculatorWindow(dialogs);
    memo = window->findChild<quarnis::FormulaMemo*>(QStringLiteral("EnterFormula"));
    execKey = window->findChild<QPushButton*>(QStringLiteral("Exec"));
    decimalsBar = window->findChild<QScrollBar*>(QStringLiteral("DecNum"));
    result = window->findChild<QLineEdit*>(QStringLiteral("Result"));
    window->show();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete window;
    return 0;
}
