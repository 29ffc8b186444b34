// Fuzz target for the evaluator: any text must evaluate without a crash, a hang or an
// out-of-bounds read; the shown text is a number or one of the engine's error texts; and
// every value text the engine writes reads back to within half of its last decimal.

#include "exec_text.h"
#include "number_text.h"
#include "runtime_error.h"
#include "unit_calc.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Bytes below 0x80 stand for themselves (so a corpus of plain formulas works); the others
// pick characters that the engine must reject or fold.
char16_t unitFor(std::uint8_t b)
{
    static constexpr char16_t kOthers[]
        = { u'\t', u'\r', u'\n', u'\u00E4', u'\u015F', u'\u0130', u'\uFFFD', char16_t(0xD83D),
              char16_t(0xDE00), u'\u00A0', u',', u'E', u'(', u')', u'^', u'!' };
    return b < 0x80 ? char16_t(b) : kOthers[b % (sizeof kOthers / sizeof kOthers[0])];
}

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "property failed: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::u16string formula;
    formula.reserve(size);
    for (std::size_t i = 0; i < size; ++i)
        formula += unitFor(data[i]);

    const int decimals = size > 0 ? int(data[0] % 11) - 1 : -1;
    try {
        const std::u16string shown = quarnis::ExecText(formula, decimals);
        check(!quarnis::CalcError, "the indicator is cleared");
        check(!shown.empty(), "something is shown");
    } catch (const quarnis::RuntimeError& e) {
        check(e.kind() == quarnis::ErrorKind::Overflow, "only the rounding can fail, by overflow");
    }

    const quarnis::Extended v = quarnis::Evaluate(formula);
    quarnis::CalcError = false;
    if (std::isfinite(v) && fabsl(v) < 1e15L) {
        const quarnis::Extended back = quarnis::TextToValue(quarnis::ValueToText(v));
        check(fabsl(back - v) <= 5.0001e-10L + fabsl(v) * 1e-17L, "value text reads back");
    }
    return 0;
}
