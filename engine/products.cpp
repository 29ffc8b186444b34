// Products, quotients, groups and sums: '2+3*4' collects '2+12.000000000' and sums it to 14.
// Reads left to right; each "*" and "/" takes the last number collected as its left operand,
// so chains work from the left: '8/2/2' -> '2.000000000'. Groups are read as ranges of the
// one input text, whose parentheses are matched once.

#include "checked.h"
#include "evaluation.h"
#include "number_text.h"
#include "passes.h"
#include "runtime_error.h"
#include "scanning.h"

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

    Extended products(const Source& src, std::size_t lo, std::size_t hi, SyntaxReport& report)
    {
        if (lo == hi)
            evaluationFailure(); // '()'
        const std::u16string_view s = src.text;
        // Numbers joined by "+" and "-" would be collected unchanged.
        if (isSumOfNumbers(s.substr(lo, hi - lo)))
            return sumTerms(s.substr(lo, hi - lo));
        Scratch<std::u16string> buffer;
        std::u16string& collected = *buffer;
        std::size_t p = lo;
        while (p < hi) {
            const char16_t c = s[p];
            if (c == u'(') {
                const Group g = groupAt(src, p, hi);
                p = g.next;
                appendPassValue(collected, products(src, g.first, g.last, report));
            } else if (c == u'*' || c == u'/') {
                ++p;
                const Extended sign = readSigns(s, p, hi);
                if (p < hi && isNumberChar(s[p])) {
                    if (collected.empty())
                        evaluationFailure(); // '*5'
                    const Extended left = takeTrailingNumber(collected);
                    const std::size_t end = forwardRunEnd(s, p, hi);
                    const Extended right = textToValue(s.substr(p, end - p));
                    p = end;
                    const Extended signedLeft = checked::mul(left, sign);
                    appendPassValue(collected,
                        c == u'*' ? checked::mul(signedLeft, right)
                                  : checked::div(signedLeft, right));
                } else if (p < hi && s[p] == u'(') {
                    const Group g = groupAt(src, p, hi);
                    p = g.next;
                    const Extended group = products(src, g.first, g.last, report);
                    if (collected.empty())
                        evaluationFailure(); // '/(2)'
                    const Extended left = takeTrailingNumber(collected);
                    appendPassValue(collected,
                        c == u'*' ? checked::mul(checked::mul(left, sign), group)
                                  : checked::div(left, checked::mul(group, sign)));
                } else {
                    reportSyntaxError(p, hi, report); // the operator and its signs are lost
                }
            } else if (c == u'+' || c == u'-') {
                collected += c;
                ++p;
            } else if (c == u'.' || (c >= u'0' && c <= u'9')) {
                const std::size_t end = forwardRunEnd(s, p, hi);
                collected.append(s.substr(p, end - p));
                p = end;
            } else {
                reportSyntaxError(p, hi, report); // ")", an "E" before a number, "^", "!", letters
            }
        }
        return sumTerms(collected);
    }

} // namespace

Extended evaluateProducts(std::u16string_view s, SyntaxReport& report)
{
    const Source src(s);
    return products(src, 0, s.size(), report);
}

Extended readSignedNumber(std::u16string_view s, std::size_t& pos)
{
    const int sign = readSigns(s, pos, s.size());
    const std::size_t end = forwardRunEnd(s, pos, s.size());
    const Extended v = textToValue(s.substr(pos, end - pos));
    pos = end;
    return checked::mul(v, sign);
}

Extended takeTrailingNumber(std::u16string& s)
{
    const std::size_t start = backwardRunStart(s, 0, s.size());
    const Extended v = textToValue(std::u16string_view(s).substr(start));
    s.erase(start);
    return v;
}

Extended sumTerms(std::u16string_view s)
{
    if (s.empty())
        evaluationFailure();
    std::size_t p = 0;
    Extended acc = readSignedNumber(s, p);
    // Each term is read with its own run of signs: '5--3' is 5 - (-3).
    do {
        ++p;
        const char16_t op = p - 1 < s.size() ? s[p - 1] : u'\0';
        if (op == u'+')
            acc = checked::add(acc, readSignedNumber(s, p));
        else if (op == u'-')
            acc = checked::sub(acc, readSignedNumber(s, p));
    } while (p < s.size());
    return acc;
}

} // namespace quarnis
