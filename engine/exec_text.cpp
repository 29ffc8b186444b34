#include "exec_text.h"

#include "number_format.h"
#include "unit_calc.h"

namespace quarnis {

std::u16string ExecText(const std::u16string& formula, int decimals, bool* reported)
{
    const Extended v = Evaluate(formula);
    if (reported)
        *reported = CalcError;
    if (CalcError) {
        // The user sees only the error text, whatever value the engine gave; the value is
        // not rounded, so a failed formula never raises a rounding overflow.
        CalcError = false;
        return CalcErrorText;
    }
    if (decimals < 0)
        return GeneralNumberText(v);
    std::u16string text;
    AppendRoundedText(text, v, decimals);
    return text;
}

} // namespace quarnis
