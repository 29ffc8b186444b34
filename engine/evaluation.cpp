// The engine's entry and the reports of the evaluation under way.

#include "evaluation.h"

#include "number_text.h"
#include "passes.h"
#include "runtime_error.h"
#include "scanning.h"

#include <pthread.h>

#include <cmath>
#include <exception>
#include <new>

namespace quarnis {

void evaluationFailure() { raise(ErrorKind::Evaluation); }

void appendPassValue(std::u16string& out, Extended v)
{
    if (!std::isfinite(v))
        raise(ErrorKind::Overflow);
    appendValueText(out, v);
}

namespace {

    // What the preparation learns about the formula on its way.
    struct Prepared {
        std::size_t deepest = 0; // the deepest nesting of groups
        bool powerMarks = false; // a "^" or "!" anywhere
    };

    // prepareFormula from the caller's text into prepared, without a copy of the text itself.
    bool prepare(std::u16string_view formula, std::u16string& prepared, Prepared& found)
    {
        prepared.resize(formula.size());
        char16_t* out = prepared.data();
        std::size_t opening = 0, closing = 0, depth = 0;
        for (char16_t c : formula) {
            // Digits, capitals and the operators other than "^" pass as they are.
            if (c >= u'[' && c <= u'z') {
                if (c >= u'a')
                    c = static_cast<char16_t>(c - u'a' + u'A');
                else if (c == u'^')
                    found.powerMarks = true;
            } else if (c <= u')') {
                if (c == u' ')
                    continue;
                if (c == u'(') {
                    ++opening;
                    if (++depth > found.deepest)
                        found.deepest = depth;
                } else if (c == u')') {
                    ++closing;
                    if (depth > 0)
                        --depth;
                } else if (c == u'!') {
                    found.powerMarks = true;
                }
            }
            *out++ = c;
        }
        prepared.resize(static_cast<std::size_t>(out - prepared.data()));
        if (opening != closing)
            return false;
        if (prepared.empty())
            prepared.assign(1, u'0');
        return true;
    }

} // namespace

bool prepareFormula(std::u16string& formula)
{
    std::u16string prepared;
    Prepared found;
    if (!prepare(formula, prepared, found))
        return false;
    formula = std::move(prepared);
    return true;
}

namespace {

    // Formulas nested deeper than this run on a thread of their own with a stack that holds
    // kMaxNestingDepth levels; shallower ones run on the caller's stack.
    constexpr std::size_t kCallerStackDepth = 200;
    constexpr std::size_t kDeepStackBytes = std::size_t(1) << 30;

    struct Run {
        Scratch<std::u16string> text; // the prepared formula, rewritten by the passes in turn
        Prepared found;
        Extended value = 0.0L;
        std::exception_ptr failure;
        SyntaxReport syntax; // made by whichever thread runs the passes
    };

    void runPasses(Run& run)
    {
        try {
            // Each pass's input is dropped as soon as its result is there, so that a huge
            // formula is held at most twice.
            std::u16string& text = *run.text;
            if (!isWordFree(text)) {
                Scratch<std::u16string> words;
                replaceFunctionWords(text, *words, run.syntax);
                text.swap(*words);
            }
            // The function words never bring in a "^" or "!" that the formula lacked.
            if (run.found.powerMarks && hasPowerMarks(text))
                text = resolvePowers(text, run.syntax);
            run.value = evaluateProducts(text, run.syntax);
        } catch (...) {
            run.failure = std::current_exception();
        }
    }

    void* runPassesThread(void* arg)
    {
        runPasses(*static_cast<Run*>(arg));
        return nullptr;
    }

    // Runs the passes on a thread with a deep stack and waits for it.
    void runPassesDeep(Run& run)
    {
        pthread_attr_t attr;
        pthread_attr_init(&attr);
        pthread_attr_setstacksize(&attr, kDeepStackBytes);
        pthread_t thread;
        const int rc = pthread_create(&thread, &attr, runPassesThread, &run);
        pthread_attr_destroy(&attr);
        if (rc != 0)
            throw std::bad_alloc();
        pthread_join(thread, nullptr);
    }

} // namespace

Evaluation evaluate(const std::u16string& formula)
{
    Evaluation outcome;
    try {
        Run run;
        if (!prepare(formula, *run.text, run.found)) {
            outcome.error = EngineError { Report::Parenthesis };
            return outcome;
        }
        const std::size_t depth = run.found.deepest;
        if (depth > kMaxNestingDepth)
            evaluationFailure();
        if (depth > kCallerStackDepth)
            runPassesDeep(run);
        else
            runPasses(run);
        if (run.failure)
            std::rethrow_exception(run.failure);
        outcome.value = run.value;
        if (run.syntax.made)
            outcome.error = EngineError { Report::Syntax };
    } catch (const std::exception&) {
        // A fault, an evaluation failure, or no memory for a huge formula.
        outcome.value = 0.0L;
        outcome.error = EngineError { Report::Evaluation };
    }
    return outcome;
}

} // namespace quarnis
