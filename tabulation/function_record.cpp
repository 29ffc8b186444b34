#include "function_record.h"

#include "engine/checked.h"
#include "engine/evaluation.h"
#include "engine/number_format.h"
#include "engine/runtime_error.h"
#include "number_reading.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace quarnis {

namespace {

    // The first occurrence of the non-empty name in text from `from`, or npos.
    std::size_t findName(std::u16string_view text, std::u16string_view name, std::size_t from)
    {
        const std::size_t last = text.size() < name.size() ? 0 : text.size() - name.size() + 1;
        for (std::size_t i = from; i < last; ++i)
            if (text[i] == name[0] && text.substr(i, name.size()) == name)
                return i;
        return std::u16string_view::npos;
    }

    // Appends text to out with every occurrence of name replaced by value, scanning left to
    // right and going on right after each match. An empty name replaces nothing. False, with
    // out left unfinished, as soon as out grows beyond kMaxFormulaLength.
    bool appendReplaced(std::u16string& out, std::u16string_view text, std::u16string_view name,
        std::u16string_view value)
    {
        std::size_t from = 0;
        if (!name.empty())
            for (std::size_t at; (at = findName(text, name, from)) != std::u16string_view::npos;
                 from = at + name.size()) {
                out.append(text.substr(from, at - from));
                out.append(value);
                if (out.size() > kMaxFormulaLength)
                    return false;
            }
        out.append(text.substr(from));
        return out.size() <= kMaxFormulaLength;
    }

    // appendReplaced in place, built in scratch (the two swap, so both keep their capacity
    // for the next point).
    bool replaceAll(std::u16string& text, std::u16string_view name, std::u16string_view value,
        std::u16string& scratch)
    {
        const std::size_t at = name.empty() ? std::u16string_view::npos : findName(text, name, 0);
        if (at == std::u16string_view::npos)
            return true;
        scratch.assign(text, 0, at);
        scratch.append(value);
        const bool fits = appendReplaced(
            scratch, std::u16string_view(text).substr(at + name.size()), name, value);
        text.swap(scratch);
        return fits;
    }

} // namespace

std::u16string FunctionRecord::fullText() const
{
    return functionName + u"(" + variableName + u"):=" + definition;
}

FunctionRecord::ConstantTexts FunctionRecord::constantTexts() const
{
    // A constant without a name is never inserted, so its value needs no text.
    const auto text = [](const std::u16string& name, double value) {
        return name.empty() ? std::u16string() : generalNumberText(value);
    };
    return { text(constName1, constValue1), text(constName2, constValue2),
        text(constName3, constValue3) };
}

bool FunctionRecord::formulaAt(double x, const ConstantTexts& constants, std::u16string& text) const
{
    thread_local std::u16string xText, scratch;
    xText.clear();
    appendGeneralNumberText(xText, x);
    text.clear();
    text.reserve(definition.size() + 8 * xText.size());
    return appendReplaced(text, definition, variableName, xText)
        && replaceAll(text, constName1, constants[0], scratch)
        && replaceAll(text, constName2, constants[1], scratch)
        && replaceAll(text, constName3, constants[2], scratch);
}

std::u16string FunctionRecord::formulaAt(double x) const
{
    std::u16string text;
    if (!formulaAt(x, constantTexts(), text))
        text.clear();
    return text;
}

double FunctionRecord::valueAt(double x) { return valueAt(x, constantTexts()); }

double FunctionRecord::valueAt(double x, const ConstantTexts& constants)
{
    std::u16string formula;
    if (!formulaAt(x, constants, formula)) {
        evalError = 1;
        return 0;
    }
    const Evaluation outcome = evaluate(formula);
    evalError = outcome.failed() ? 1 : 0;
    return checked::toDouble(outcome.value);
}

namespace {

    // Points are handed out to the threads in runs of this many, so that the threads rarely
    // meet; the lines are still written one by one, in order, by the caller's thread.
    constexpr unsigned kPointsPerRun = 16;
    // Tabulations shorter than this stay on the caller's thread alone.
    constexpr unsigned kPointsForThreads = 64;
    constexpr unsigned kMaxThreads = 4;
    // Formulas longer than this are evaluated one at a time, so that several threads never
    // hold several huge formulas at once: one point stays the most the process may need.
    constexpr std::size_t kLargeFormula = std::size_t(1) << 20;

} // namespace

// One point as a thread evaluated it, waiting to be listed.
struct FunctionRecord::PointResult {
    double x = 0, fx = 0;
    bool xFormed = false; // x was formed before a fault
    bool failed = false, tooLong = false; // the engine reported, or the formula outgrew
    std::u16string_view errorText; // the engine's report when failed
    std::exception_ptr fault; // ends the tabulation at this point
    std::u16string line; // "[i]:(x,f(x))"
};

namespace {

    // "[i]:(x,f(x))" with x and f(x) rounded to their decimals; a failed point carries its
    // report instead of a value: "[3]:(-2,Yazım Hatası...)".
    void writeLine(
        std::u16string& line, unsigned i, const FunctionRecord::PointResult& r, int decimals)
    {
        line.clear();
        line += u'[';
        for (char c : std::to_string(i))
            line += static_cast<char16_t>(c);
        line += u"]:(";
        appendRoundedText(line, r.x, decimals);
        line += u',';
        if (r.tooLong)
            line += kFormulaTooLongText;
        else if (r.failed)
            line += r.errorText;
        else
            appendRoundedText(line, r.fx, decimals);
        line += u')';
    }

} // namespace

void FunctionRecord::evaluatePoint(unsigned i, const ConstantTexts& constants, int decimals,
    PointResult& r, std::mutex& largeFormulas) const
{
    thread_local std::u16string formula;
    try {
        const unsigned n = sampleCount;
        const Extended step = checked::div(checked::sub(x2, x1), n);
        r.x = checked::toDouble(checked::add(checked::mul(step, i), x1));
        r.xFormed = true;
        if (!formulaAt(r.x, constants, formula)) {
            r.failed = r.tooLong = true;
        } else {
            Evaluation outcome;
            if (formula.size() > kLargeFormula) {
                const std::lock_guard<std::mutex> oneAtATime(largeFormulas);
                outcome = evaluate(formula);
            } else {
                outcome = evaluate(formula);
            }
            r.failed = outcome.failed();
            if (outcome.error)
                r.errorText = outcome.error->text();
            r.fx = checked::toDouble(outcome.value);
        }
        writeLine(r.line, i, r, decimals);
    } catch (...) {
        r.fault = std::current_exception();
    }
    if (formula.capacity() > kLargeFormula)
        std::u16string().swap(formula); // a huge point's text is not kept for the next one
}

bool FunctionRecord::tabulate(TabulationOutput& out)
{
    const unsigned n = sampleCount;
    const unsigned total = n + 1;
    const ConstantTexts constants = constantTexts(); // the same at every point
    values.assign(total, FunctionValue {});

    const int decimals = out.decimals(); // as the output says at the start
    std::vector<PointResult> results(total);
    const unsigned runs = (total + kPointsPerRun - 1) / kPointsPerRun;
    std::vector<std::atomic<bool>> runDone(runs);
    std::atomic<unsigned> nextRun { 0 };
    std::atomic<bool> stop { false };
    std::mutex largeFormulas, doneMutex;
    std::condition_variable doneSignal;
    unsigned listed = 0; // the points whose lines are written

    // Evaluates the next unclaimed run; false when none is left. On the caller's thread the
    // progress hook is asked before each point, so a cancel is seen even there.
    const auto evaluateRun = [&](bool callersThread) {
        const unsigned run = nextRun.fetch_add(1);
        if (run >= runs)
            return false;
        const unsigned end = std::min(total, (run + 1) * kPointsPerRun);
        for (unsigned i = run * kPointsPerRun; i < end && !stop.load(); ++i) {
            if (callersThread && !out.progress(listed, total))
                stop = true;
            else
                evaluatePoint(i, constants, decimals, results[i], largeFormulas);
        }
        runDone[run].store(true);
        {
            const std::lock_guard<std::mutex> lock(doneMutex);
        }
        doneSignal.notify_all();
        return true;
    };

    // The helper threads, stopped and joined however the tabulation ends.
    struct Helpers {
        std::vector<std::thread> threads;
        std::atomic<bool>& stop;
        ~Helpers()
        {
            stop = true;
            for (std::thread& t : threads)
                t.join();
        }
    } helpers { {}, stop };
    const unsigned hardware = std::max(1u, std::thread::hardware_concurrency());
    const unsigned threads = total < kPointsForThreads ? 1 : std::min(hardware, kMaxThreads);
    for (unsigned t = 1; t < threads; ++t)
        helpers.threads.emplace_back([&] {
            while (!stop.load() && evaluateRun(false)) { }
        });

    for (unsigned i = 0; i < total; ++i) {
        if (!out.progress(i, total))
            return false;
        const unsigned run = i / kPointsPerRun;
        while (!runDone[run].load()) {
            if (evaluateRun(true))
                continue;
            // Every run is taken: wait for the one with this point, answering the hook.
            std::unique_lock<std::mutex> lock(doneMutex);
            if (!doneSignal.wait_for(
                    lock, std::chrono::milliseconds(20), [&] { return runDone[run].load(); })) {
                lock.unlock();
                if (!out.progress(i, total))
                    return false;
            }
        }
        if (stop.load())
            return false; // cancelled while this run was evaluated
        PointResult& r = results[i];
        if (r.fault && !r.xFormed)
            std::rethrow_exception(r.fault);
        values[i].x = r.x;
        evalError = r.failed ? 1 : 0;
        if (r.fault)
            std::rethrow_exception(r.fault);
        values[i].fx = r.fx;
        listed = i + 1;

        // The helpers wrote the line with the decimals of the start; the output may say
        // otherwise by now.
        const int nowDecimals = out.decimals();
        if (nowDecimals != decimals)
            writeLine(r.line, i, r, nowDecimals);
        out.append(std::move(r.line), r.failed);
    }
    return true;
}

std::u16string firstChars(std::u16string_view text, std::size_t n)
{
    std::size_t end = 0;
    for (std::size_t count = 0; count < n && end < text.size(); ++count) {
        const bool pair = text[end] >= 0xD800 && text[end] <= 0xDBFF && end + 1 < text.size()
            && text[end + 1] >= 0xDC00 && text[end + 1] <= 0xDFFF;
        end += pair ? 2 : 1;
    }
    return std::u16string(text.substr(0, end));
}

void storePanel(FunctionRecord& func, const FuncPanelTexts& panel)
{
    func.setFunctionName(panel.name);
    func.variableName = firstChars(panel.var, 1);
    func.constValue1 = readDouble(panel.value1);
    func.constValue2 = readDouble(panel.value2);
    func.constValue3 = readDouble(panel.value3);
    func.constName1 = firstChars(panel.const1, 2);
    func.constName2 = firstChars(panel.const2, 2);
    func.constName3 = firstChars(panel.const3, 2);
    func.definition = panel.definition;
    const std::int32_t samples = readWholeNumber(panel.sample);
    if (samples < kMinSampleCount || samples > kMaxSampleCount)
        throw RuntimeError(ErrorKind::Conversion, kSampleCountRangeText);
    func.sampleCount = static_cast<std::uint16_t>(samples);
    func.x1 = readDouble(panel.x1);
    func.x2 = readDouble(panel.x2);
}

} // namespace quarnis
