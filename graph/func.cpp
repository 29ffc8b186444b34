#include "func.h"

#include "checked.h"
#include "number_format.h"
#include "number_reading.h"
#include "runtime_error.h"
#include "unit_calc.h"

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
        const std::size_t at
            = name.empty() ? std::u16string_view::npos : findName(text, name, 0);
        if (at == std::u16string_view::npos)
            return true;
        scratch.assign(text, 0, at);
        scratch.append(value);
        const bool fits = appendReplaced(
            scratch, std::u16string_view(text).substr(at + name.size()), name, value);
        text.swap(scratch);
        return fits;
    }

    void appendRounded(std::u16string& line, double v, int decimals)
    {
        AppendGeneralNumberText(line, RoundToDecimals(v, decimals));
    }

} // namespace

std::u16string TFunc::FullText() const { return FuncName + u"(" + VarName + u"):=" + Definition; }

TFunc::ConstantTexts TFunc::constantTexts() const
{
    // A constant without a name is never inserted, so its value needs no text.
    const auto text = [](const std::u16string& name, double value) {
        return name.empty() ? std::u16string() : GeneralNumberText(value);
    };
    return { text(ConstName1, ConstValue1), text(ConstName2, ConstValue2),
        text(ConstName3, ConstValue3) };
}

bool TFunc::formulaAt(double x, const ConstantTexts& constants, std::u16string& text) const
{
    thread_local std::u16string xText, scratch;
    xText.clear();
    AppendGeneralNumberText(xText, x);
    text.clear();
    text.reserve(Definition.size() + 8 * xText.size());
    return appendReplaced(text, Definition, VarName, xText)
        && replaceAll(text, ConstName1, constants[0], scratch)
        && replaceAll(text, ConstName2, constants[1], scratch)
        && replaceAll(text, ConstName3, constants[2], scratch);
}

std::u16string TFunc::FormulaAt(double x) const
{
    std::u16string text;
    if (!formulaAt(x, constantTexts(), text))
        text.clear();
    return text;
}

double TFunc::ValueAt(double x) { return valueAt(x, constantTexts()); }

double TFunc::valueAt(double x, const ConstantTexts& constants)
{
    std::u16string formula;
    formulaTooLong_ = !formulaAt(x, constants, formula);
    if (formulaTooLong_) {
        EvalError = 1;
        return 0;
    }
    const Extended result = Evaluate(formula);
    EvalError = CalcError ? 1 : 0;
    CalcError = false;
    return checked::toDouble(result);
}

bool TFunc::Tabulate(TabulationOutput& out)
{
    const unsigned n = SampleCount;
    const ConstantTexts constants = constantTexts(); // the same at every point
    Values.assign(n + 1, TFuncValue {});
    std::u16string line;
    for (unsigned i = 0; i <= n; ++i) {
        if (!out.Progress(i, n + 1))
            return false;
        const Extended step = checked::div(checked::sub(X2, X1), n);
        const double x = checked::toDouble(checked::add(checked::mul(step, i), X1));
        Values[i].x = x;
        const double f = valueAt(x, constants);
        Values[i].fx = f;

        line.clear();
        line += u'[';
        for (char c : std::to_string(i))
            line += static_cast<char16_t>(c);
        line += u"]:(";
        appendRounded(line, x, out.Decimals());
        line += u',';
        if (EvalError)
            line += formulaTooLong_ ? kFormulaTooLongText : CalcErrorText; // not a value
        else
            appendRounded(line, f, out.Decimals());
        line += u')';
        out.Append(line);
    }
    return true;
}

std::u16string FirstChars(std::u16string_view text, std::size_t n)
{
    std::size_t end = 0;
    for (std::size_t count = 0; count < n && end < text.size(); ++count) {
        const bool pair = text[end] >= 0xD800 && text[end] <= 0xDBFF && end + 1 < text.size()
            && text[end + 1] >= 0xDC00 && text[end + 1] <= 0xDFFF;
        end += pair ? 2 : 1;
    }
    return std::u16string(text.substr(0, end));
}

void StorePanel(TFunc& func, const FuncPanelTexts& panel)
{
    func.SetFuncName(panel.name);
    func.VarName = FirstChars(panel.var, 1);
    func.ConstValue1 = ReadDouble(panel.value1);
    func.ConstValue2 = ReadDouble(panel.value2);
    func.ConstValue3 = ReadDouble(panel.value3);
    func.ConstName1 = FirstChars(panel.const1, 2);
    func.ConstName2 = FirstChars(panel.const2, 2);
    func.ConstName3 = FirstChars(panel.const3, 2);
    func.Definition = panel.definition;
    const std::int32_t samples = ReadWholeNumber(panel.sample);
    if (samples < kMinSampleCount || samples > kMaxSampleCount)
        throw RuntimeError(ErrorKind::Conversion, kSampleCountRangeText);
    func.SampleCount = static_cast<std::uint16_t>(samples);
    func.X1 = ReadDouble(panel.x1);
    func.X2 = ReadDouble(panel.x2);
}

} // namespace quarnis
