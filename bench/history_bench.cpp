// The history window with a full history (offscreen), each step with its repaint: opening it
// with Ctrl+H, adding an entry, scrolling from end to end, and Enter putting an entry's
// formula into the memo. Full is either 1,000 typical entries or 64 formulas of 1 MB.
// EXEC and adding with the history file off and on (kept in a temporary folder, the file
// holding the full history too, compaction included as it comes), and reading a full file.

#include "calculator/formula_memo.h"
#include "calculator/history_journal.h"
#include "calculator/startup.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QBuffer>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

enum Fill { Thousand, Megabytes };

// "i+1+1+...+1" of 1 MB: a line without a break opportunity.
QString megabyteFormula(int i)
{
    QString text = QString::number(i);
    text.reserve(1 << 20);
    while (text.size() + 2 <= (1 << 20))
        text += QStringLiteral("+1");
    return text;
}

quarnis::HistoryEntry entryOf(Fill fill, int i)
{
    if (fill == Megabytes)
        return { megabyteFormula(i), QString::number(i / 2 + 1), -1, false };
    return { QStringLiteral("2*sin(Pi/%1)+sqrt(%1)/3").arg(i), QStringLiteral("1.23456789"), 2,
        false };
}

// The program's windows with a full history, the calculator shown.
struct Full {
    quarnis::QtDialogs dialogs;
    std::unique_ptr<quarnis::Windows> windows = std::make_unique<quarnis::Windows>(dialogs);
    quarnis::FormulaMemo* memo
        = windows->calculator.findChild<quarnis::FormulaMemo*>(QStringLiteral("EnterFormula"));
    QListView* list = windows->history.findChild<QListView*>(QStringLiteral("HistoryList"));

    explicit Full(Fill fill)
    {
        const int count = fill == Megabytes ? 64 : 1000;
        for (int i = 0; i < count; ++i)
            windows->history.add(entryOf(fill, i));
        windows->calculator.show();
        QApplication::processEvents();
    }
    void open()
    {
        QTest::keyClick(memo, Qt::Key_H, Qt::ControlModifier);
        QApplication::processEvents();
    }
};

void BM_Open(benchmark::State& state)
{
    Full full(Fill(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        full.windows->history.hide();
        full.windows->calculator.activateWindow();
        QApplication::processEvents();
        state.ResumeTiming();
        full.open();
    }
    if (!full.windows->history.isVisible())
        state.SkipWithError("the history did not open");
}

void BM_Add(benchmark::State& state)
{
    const Fill fill = Fill(state.range(0));
    Full full(fill);
    full.open();
    const quarnis::HistoryEntry entry = entryOf(fill, 7);
    for (auto _ : state) {
        full.windows->history.add(entry); // drops the oldest
        QApplication::processEvents();
    }
    if (full.windows->history.history().size() != (fill == Megabytes ? 64 : 1000))
        state.SkipWithError("the bounds did not hold");
}

// Home and End in turn: each one scroll across the whole list.
void BM_Scroll(benchmark::State& state)
{
    Full full(Fill(state.range(0)));
    full.open();
    bool toTop = true;
    for (auto _ : state) {
        QTest::keyClick(full.list, toTop ? Qt::Key_Home : Qt::Key_End);
        QApplication::processEvents();
        toTop = !toTop;
    }
}

// Enter on the newest entry, into an empty memo.
void BM_InsertFormula(benchmark::State& state)
{
    Full full(Fill(state.range(0)));
    full.open();
    const quarnis::History& history = full.windows->history.history();
    for (auto _ : state) {
        state.PauseTiming();
        full.memo->clear();
        full.list->setCurrentIndex(full.list->model()->index(int(history.size()) - 1, 0));
        QApplication::processEvents();
        state.ResumeTiming();
        QTest::keyClick(full.list, Qt::Key_Return);
        QApplication::processEvents();
    }
    if (full.memo->text() != history.at(history.size() - 1).formula)
        state.SkipWithError("the memo did not get the formula");
}

void fullHistories(benchmark::internal::Benchmark* b)
{
    b->ArgName("megabytes")->Arg(Thousand)->Arg(Megabytes);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}
// The windows with a full history, kept in a file of a folder of its own or not at all.
struct Kept : Full {
    QTemporaryDir dir;

    Kept(Fill fill, bool keep)
        : Full(fill)
    {
        auto store = std::make_unique<quarnis::HistoryStore>(
            dir.filePath(QStringLiteral("data")), dir.filePath(QStringLiteral("quarnis.conf")));
        store->setKeeping(keep);
        QSignalSpy restored(&windows->history, &quarnis::HistoryWindow::restored);
        windows->history.restore(std::move(store)); // writes the full history to the file
        restored.wait(60000);
        QApplication::processEvents();
    }
};

// EXEC of a typical formula into a full history, the file off (0) or on (1).
void BM_Exec(benchmark::State& state)
{
    Kept kept(Fill(state.range(0)), state.range(1) != 0);
    auto* exec = kept.windows->calculator.findChild<QPushButton*>(QStringLiteral("Exec"));
    kept.memo->setPlainText(QStringLiteral("2*sin(Pi/6)+3^2-1/3"));
    for (auto _ : state)
        exec->click();
}

// An entry as large as the full history's own added, the file off or on: with 1 MB entries
// every 64th of them compacts the file.
void BM_AddKept(benchmark::State& state)
{
    const Fill fill = Fill(state.range(0));
    Kept kept(fill, state.range(1) != 0);
    const quarnis::HistoryEntry entry = entryOf(fill, 7);
    for (auto _ : state)
        kept.windows->history.add(entry);
}

// Reading a full history file (64 formulas of 1 MB, or 1,000 entries): what the start does
// after the window is shown.
void BM_ReadFile(benchmark::State& state)
{
    QByteArray file = quarnis::kHistoryHeader.toByteArray();
    const int count = state.range(0) == Megabytes ? 64 : 1000;
    for (int i = 0; i < count; ++i) {
        quarnis::HistoryEntry entry = entryOf(Fill(state.range(0)), i);
        entry.id = quint64(i) + 1;
        file += quarnis::encodeRecord(entry);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(quarnis::readJournal(file));
    state.SetBytesProcessed(state.iterations() * file.size());
}

void offAndOn(benchmark::internal::Benchmark* b)
{
    b->ArgNames({ "megabytes", "kept" })->ArgsProduct({ { Thousand, Megabytes }, { 0, 1 } });
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}
BENCHMARK(BM_Exec)->Apply(offAndOn);
BENCHMARK(BM_AddKept)->Apply(offAndOn);
BENCHMARK(BM_ReadFile)->Apply(fullHistories);
BENCHMARK(BM_Open)->Apply(fullHistories);
BENCHMARK(BM_Add)->Apply(fullHistories);
BENCHMARK(BM_Scroll)->Apply(fullHistories);
BENCHMARK(BM_InsertFormula)->Apply(fullHistories);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
