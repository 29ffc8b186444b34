// Powers and factorials, read from right to left: '2^3^2' -> '2^9.000000000' -> '512.000000000',
// '3!^2' -> '36.000000000', '2^3!' -> '64.000000000'.
//
// The text left of the position is always an untouched prefix of the pass's input, since
// every operand is removed at the position and every result is inserted right of it. So the
// left part is a range of the input (its parentheses matched once), and the part right of
// the position, which is never looked at again except for an exponent, lives in a deque.

#include "checked.h"
#include "number_text.h"
#include "passes.h"
#include "runtime_error.h"
#include "scanning.h"

#include <array>
#include <cmath>
#include <deque>

namespace quarnis {

namespace {

    struct Source {
        std::u16string_view text;
        std::vector<std::uint32_t> match;
    };

    using RightPart = std::deque<char16_t>;

    std::u16string resolve(const Source& src, std::size_t lo, std::size_t hi);

    // b^e as exp(ln(b) * e): a base of 0 or below fails.
    Extended power(Extended b, Extended e) { return checked::exp(checked::mul(checked::ln(b), e)); }

    // The number of "!" marks of the run that ends the left part [lo, left); the run is removed.
    std::size_t CountFactorialMarks(const Source& src, std::size_t lo, std::size_t& left)
    {
        std::size_t n = 0;
        while (left > lo && src.text[left - 1] == u'!') {
            --left;
            ++n;
        }
        return n;
    }

    // The base that ends the left part [lo, left): a group, or the backward number run with its
    // sign rule (an empty run is 0). The base is removed.
    Extended TakeBase(const Source& src, std::size_t lo, std::size_t& left)
    {
        const std::u16string_view s = src.text;
        if (left > lo && s[left - 1] == u')') {
            const std::size_t close = left - 1;
            const std::uint32_t open = src.match[close];
            // A ")" without its "(" takes the text from the start of the part as its group.
            const bool matched = open != kNoMatch && open >= lo;
            const std::size_t first = matched ? std::size_t(open) + 1 : lo;
            left = matched ? std::size_t(open) : lo;
            return EvaluateProducts(resolve(src, first, close));
        }
        const std::size_t start = BackwardRunStart(s, lo, left);
        const Extended v = TextToValue(s.substr(start, left - start));
        left = start;
        return v;
    }

    // The exponent at the front of the right part (just after a removed "^"): a run of signs,
    // then a group or a number run. The exponent is removed.
    Extended TakeExponent(RightPart& right)
    {
        std::size_t p = 0;
        const int sign = ReadSigns(right, p, right.size());
        Extended e;
        if (p < right.size() && right[p] == u'(') {
            std::size_t depth = 1;
            std::size_t i = p + 1;
            for (; i < right.size(); ++i) {
                if (right[i] == u'(')
                    ++depth;
                else if (right[i] == u')' && --depth == 0)
                    break;
            }
            const std::u16string group(right.begin() + p + 1, right.begin() + i);
            e = checked::mul(EvaluateProducts(ResolvePowers(group)), sign);
            right.erase(right.begin(), right.begin() + (i < right.size() ? i + 1 : i));
        } else {
            const std::size_t end = ForwardRunEnd(right, p, right.size());
            const std::u16string run(right.begin() + p, right.begin() + end);
            e = checked::mul(TextToValue(run), sign);
            right.erase(right.begin(), right.begin() + end);
        }
        return e;
    }

    void insertValue(RightPart& right, Extended v)
    {
        std::u16string text;
        AppendPassValue(text, v);
        right.insert(right.begin(), text.begin(), text.end());
    }

    Extended applyFactorial(Extended v, std::size_t marks)
    {
        for (std::size_t i = 0; i < marks; ++i)
            v = Factorial(v);
        return v;
    }

    std::u16string resolve(const Source& src, std::size_t lo, std::size_t hi)
    {
        if (lo == hi)
            EvaluationFailure();
        const std::u16string_view s = src.text;
        // Without "^" and "!" every character moves to the right part unchanged.
        if (!HasPowerMarks(s.substr(lo, hi - lo)))
            return std::u16string(s.substr(lo, hi - lo));
        std::size_t left = hi; // the left part is [lo, left); the position is its last character
        RightPart right;
        while (left > lo) {
            const char16_t c = s[left - 1];
            if (c == u'!') {
                const std::size_t marks = CountFactorialMarks(src, lo, left);
                insertValue(right, applyFactorial(TakeBase(src, lo, left), marks));
            } else if (c == u'^') {
                --left;
                const Extended e = TakeExponent(right);
                Extended r;
                if (left > lo && s[left - 1] == u'!') {
                    const std::size_t marks = CountFactorialMarks(src, lo, left);
                    r = power(applyFactorial(TakeBase(src, lo, left), marks), e);
                } else {
                    r = power(TakeBase(src, lo, left), e);
                }
                insertValue(right, r);
            } else {
                right.push_front(c);
                --left;
            }
        }
        return std::u16string(right.begin(), right.end());
    }

    struct FactorialTable {
        // k! for k < 1755, each the Extended product 2 * 3 * ... * k formed in order.
        std::array<Extended, 1755> values;
        FactorialTable()
        {
            values[0] = values[1] = 1.0L;
            for (std::size_t k = 2; k < values.size(); ++k)
                values[k] = values[k - 1] * static_cast<Extended>(k);
        }
    };

} // namespace

Extended Factorial(Extended x)
{
    static const FactorialTable table;
    if (std::isnan(x) || !(fabsl(x) < 0x1p63L))
        raise(ErrorKind::Invalid);
    const long long n = static_cast<long long>(x); // truncated toward zero
    if (n < 0)
        raise(ErrorKind::Invalid);
    if (n >= static_cast<long long>(table.values.size()))
        raise(ErrorKind::Overflow);
    return table.values[static_cast<std::size_t>(n)];
}

bool HasPowerMarks(std::u16string_view s)
{
    for (std::size_t i = s.size(); i > 0; --i)
        if (s[i - 1] == u'^' || s[i - 1] == u'!')
            return true;
    return false;
}

std::u16string ResolvePowers(const std::u16string& s)
{
    if (s.empty())
        EvaluationFailure();
    if (!HasPowerMarks(s))
        return s;
    const Source src { s, MatchParentheses(s) };
    return resolve(src, 0, s.size());
}

} // namespace quarnis
