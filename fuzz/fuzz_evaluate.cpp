// Fuzz target for the evaluator: any text must evaluate without a crash, a hang or an
// out-of-bounds read; the shown text is a number or one of the engine's error texts; and
// every value text the engine writes reads back to within half of its last decimal.

#include "engine/evaluation.h"
#include "engine/exec_text.h"
#include "engine/number_text.h"
#include "engine/runtime_error.h"
#include "fuzz_support.h"

#include <cmath>
#include <cstdint>
#include <string>

using quarnis::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::u16string formula = quarnis::fuzz::textFor(data, size);

    const int decimals = size > 0 ? int(data[0] % 11) - 1 : -1;
    const quarnis::Evaluation outcome = quarnis::evaluate(formula);
    try {
        const std::u16string shown = quarnis::execText(formula, decimals);
        check(!shown.empty(), "something is shown");
        check(!outcome.error || shown == outcome.error->text(), "a failure shows its text");
    } catch (const quarnis::RuntimeError& e) {
        check(e.kind() == quarnis::ErrorKind::Overflow, "only the rounding can fail, by overflow");
    }
    // Only a syntax report keeps a value: that of the text read before the bad character.
    check(!outcome.error || outcome.error->kind == quarnis::Report::Syntax || outcome.value == 0,
        "a failure gives 0");

    const quarnis::Extended v = outcome.value;
    if (std::isfinite(v) && fabsl(v) < 1e15L) {
        const quarnis::Extended back = quarnis::textToValue(quarnis::valueToText(v));
        check(fabsl(back - v) <= 5.0001e-10L + fabsl(v) * 1e-17L, "value text reads back");
    }
    return 0;
}
