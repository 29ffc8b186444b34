// Products, quotients, groups and sums: '2+3*4' collects '2+12.000000000' and sums it to 14.
// Reads left to right; each "*" and "/" takes the last number collected as its left operand,
// so chains work from the left: '8/2/2' -> '2.000000000'. Groups are read as ranges of the
// one input text, whose parentheses are matched once.

#include "checked.h"
#include "number_text.h"
#include "passes.h"
#include "runtime_error.h"
#include "scanning.h"
#include "unit_calc.h"

namespace quarnis {

namespace {

    // Only digits, ".", "+" and "-".
    bool isSumOfNumbers(std::u16string_view s)
    {
        for (const char16_t c : s)
            if (!((c >= u'0' && c <= u'9') || c == u'.' || c == u'+' || c == u'-'))
                return false;
        return true;
    }

    Extended products(const Source& src, std::size_t lo, std::size_t hi)
    {
        if (lo == hi)
            EvaluationFailure(); // '()'
        const std::u16string_view s = src.text;
        // Numbers joined by "+" and "-" would be collected unchanged.
        if (isSumOfNumbers(s.substr(lo, hi - lo)))
            return SumTerms(s.substr(lo, hi - lo));
        Scratch<std::u16string> buffer;
        std::u16string& collected = *buffer;
        std::size_t p = lo;
        while (p < hi) {
            const char16_t c = s[p];
            if (c == u'(') {
                const Group g = GroupAt(src, p, hi);
                p = g.next;
                AppendPassValue(collected, products(src, g.first, g.last));
            } else if (c == u'*' || c == u'/') {
                ++p;
                const Extended sign = ReadSigns(s, p, hi);
                if (p < hi && IsNumberChar(s[p])) {
                    if (collected.empty())
                        EvaluationFailure(); // '*5'
                    const Extended left = TakeTrailingNumber(collected);
                    const std::size_t end = ForwardRunEnd(s, p, hi);
                    const Extended right = TextToValue(s.substr(p, end - p));
                    p = end;
                    const Extended signedLeft = checked::mul(left, sign);
                    AppendPassValue(collected,
                        c == u'*' ? checked::mul(signedLeft, right)
                                  : checked::div(signedLeft, right));
                } else if (p < hi && s[p] == u'(') {
                    const Group g = GroupAt(src, p, hi);
                    p = g.next;
                    const Extended group = products(src, g.first, g.last);
                    if (collected.empty())
                        EvaluationFailure(); // '/(2)'
                    const Extended left = TakeTrailingNumber(collected);
                    AppendPassValue(collected,
                        c == u'*' ? checked::mul(checked::mul(left, sign), group)
                                  : checked::div(left, checked::mul(group, sign)));
                } else {
                    ReportSyntaxError(p, hi); // the operator and its signs are lost
                }
            } else if (c == u'+' || c == u'-') {
                collected += c;
                ++p;
            } else if (c == u'.' || (c >= u'0' && c <= u'9')) {
                const std::size_t end = ForwardRunEnd(s, p, hi);
                collected.append(s.substr(p, end - p));
                p = end;
            } else {
                ReportSyntaxError(p, hi); // ")", an "E" before a number, "^", "!", letters
            }
        }
        return SumTerms(collected);
    }

} // namespace

Extended EvaluateProducts(std::u16string_view s)
{
    const Source src(s);
    return products(src, 0, s.size());
}

Extended ReadSignedNumber(std::u16string_view s, std::size_t& pos)
{
    const int sign = ReadSigns(s, pos, s.size());
    const std::size_t end = ForwardRunEnd(s, pos, s.size());
    const Extended v = TextToValue(s.substr(pos, end - pos));
    pos = end;
    return checked::mul(v, sign);
}

Extended TakeTrailingNumber(std::u16string& s)
{
    const std::size_t start = BackwardRunStart(s, 0, s.size());
    const Extended v = TextToValue(std::u16string_view(s).substr(start));
    s.erase(start);
    return v;
}

Extended SumTerms(std::u16string_view s)
{
    if (s.empty())
        EvaluationFailure();
    std::size_t p = 0;
    Extended acc = ReadSignedNumber(s, p);
    // Each term is read with its own run of signs: '5--3' is 5 - (-3).
    do {
        ++p;
        const char16_t op = p - 1 < s.size() ? s[p - 1] : u'\0';
        if (op == u'+')
            acc = checked::add(acc, ReadSignedNumber(s, p));
        else if (op == u'-')
            acc = checked::sub(acc, ReadSignedNumber(s, p));
    } while (p < s.size());
    return acc;
}

} // namespace quarnis
