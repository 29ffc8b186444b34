#include "exec_text.h"

#include "evaluation.h"
#include "number_format.h"

namespace quarnis {

std::u16string execText(const std::u16string& formula, int decimals, bool* reported)
{
    const Evaluation outcome = evaluate(formula);
    if (reported)
        *reported = outcome.failed();
    if (outcome.error) {
        // The user sees only the error text, whatever value the engine gave; the value is
        // not rounded, so a failed formula never raises a rounding overflow.
        return std::u16string(outcome.error->text());
    }
    if (decimals < 0)
        return generalNumberText(outcome.value);
    std::u16string text;
    appendRoundedText(text, outcome.value, decimals);
    return text;
}

} // namespace quarnis
