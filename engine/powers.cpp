// Powers and factorials, read from right to left: '2^3^2' -> '2^9.000000000' -> '512.000000000',
// '3!^2' -> '36.000000000', '2^3!' -> '64.000000000'.
//
// The text left of the position is always an untouched prefix of the pass's input, since
// every operand is removed at the position and every result is inserted right of it. So the
// left part is a range of the input (its parentheses matched once), and the part right of
// the position, which is never looked at again except for an exponent, is kept reversed in
// a string whose end is its front.

#include "checked.h"
#include "number_text.h"
#include "passes.h"
#include "runtime_error.h"
#include "scanning.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quarnis {

namespace {

    // The part right of the position, stored reversed, so that the reading's insertions and
    // removals at its front are appends and removals at the end of a string. right[i] is the
    // i-th character from the front.
    class RightPart {
    public:
        std::size_t size() const { return r_->size(); }
        char16_t operator[](std::size_t i) const { return (*r_)[r_->size() - 1 - i]; }
        void pushFront(char16_t c) { r_->push_back(c); }
        void insertFront(std::u16string_view t) { r_->append(t.rbegin(), t.rend()); }
        void eraseFront(std::size_t n) { r_->resize(r_->size() - n); }
        // The characters [first, last) from the front, into out.
        void copy(std::size_t first, std::size_t last, std::u16string& out) const
        {
            out.assign(r_->rbegin() + static_cast<std::ptrdiff_t>(first),
                r_->rbegin() + static_cast<std::ptrdiff_t>(last));
        }
        std::u16string take()
        {
            std::reverse(r_->begin(), r_->end());
            return std::move(*r_);
        }

    private:
        Scratch<std::u16string> r_;
    };

    std::u16string resolve(const Source& src, std::size_t lo, std::size_t hi, SyntaxReport& report);

    // b^e as exp(ln(b) * e): a base of 0 or below fails.
    Extended power(Extended b, Extended e) { return checked::exp(checked::mul(checked::ln(b), e)); }

    // The number of "!" marks of the run that ends the left part [lo, left); the run is removed.
    std::size_t countFactorialMarks(const Source& src, std::size_t lo, std::size_t& left)
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
    Extended takeBase(const Source& src, std::size_t lo, std::size_t& left, SyntaxReport& report)
    {
        const std::u16string_view s = src.text;
        if (left > lo && s[left - 1] == u')') {
            const std::size_t close = left - 1;
            const std::uint32_t open = (*src.match)[close];
            // A ")" without its "(" takes the text from the start of the part as its group.
            const bool matched = open != kNoMatch && open >= lo;
            const std::size_t first = matched ? std::size_t(open) + 1 : lo;
            left = matched ? std::size_t(open) : lo;
            return evaluateProducts(resolve(src, first, close, report), report);
        }
        const std::size_t start = backwardRunStart(s, lo, left);
        const Extended v = textToValue(s.substr(start, left - start));
        left = start;
        return v;
    }

    // The exponent at the front of the right part (just after a removed "^"): a run of signs,
    // then a group or a number run. The exponent is removed.
    Extended takeExponent(RightPart& right, SyntaxReport& report)
    {
        std::size_t p = 0;
        const int sign = readSigns(right, p, right.size());
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
            Scratch<std::u16string> group;
            right.copy(p + 1, i, *group);
            const Extended g = hasPowerMarks(*group)
                ? evaluateProducts(resolvePowers(*group, report), report)
                : evaluateProducts(*group, report);
            e = checked::mul(g, sign);
            right.eraseFront(i < right.size() ? i + 1 : i);
        } else {
            const std::size_t end = forwardRunEnd(right, p, right.size());
            Scratch<std::u16string> run;
            right.copy(p, end, *run);
            e = checked::mul(textToValue(*run), sign);
            right.eraseFront(end);
        }
        return e;
    }

    void insertValue(RightPart& right, Extended v)
    {
        Scratch<std::u16string> text;
        appendPassValue(*text, v);
        right.insertFront(*text);
    }

    Extended applyFactorial(Extended v, std::size_t marks)
    {
        for (std::size_t i = 0; i < marks; ++i)
            v = factorial(v);
        return v;
    }

    std::u16string resolve(const Source& src, std::size_t lo, std::size_t hi, SyntaxReport& report)
    {
        if (lo == hi)
            evaluationFailure();
        const std::u16string_view s = src.text;
        // Without "^" and "!" every character moves to the right part unchanged.
        if (!hasPowerMarks(s.substr(lo, hi - lo)))
            return std::u16string(s.substr(lo, hi - lo));
        std::size_t left = hi; // the left part is [lo, left); the position is its last character
        RightPart right;
        while (left > lo) {
            const char16_t c = s[left - 1];
            if (c == u'!') {
                const std::size_t marks = countFactorialMarks(src, lo, left);
                insertValue(right, applyFactorial(takeBase(src, lo, left, report), marks));
            } else if (c == u'^') {
                --left;
                const Extended e = takeExponent(right, report);
                Extended r;
                if (left > lo && s[left - 1] == u'!') {
                    const std::size_t marks = countFactorialMarks(src, lo, left);
                    r = power(applyFactorial(takeBase(src, lo, left, report), marks), e);
                } else {
                    r = power(takeBase(src, lo, left, report), e);
                }
                insertValue(right, r);
            } else {
                right.pushFront(c);
                --left;
            }
        }
        return right.take();
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

Extended factorial(Extended x)
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

bool hasPowerMarks(std::u16string_view s)
{
    for (std::size_t i = s.size(); i > 0; --i)
        if (s[i - 1] == u'^' || s[i - 1] == u'!')
            return true;
    return false;
}

std::u16string resolvePowers(const std::u16string& s, SyntaxReport& report)
{
    if (s.empty())
        evaluationFailure();
    if (!hasPowerMarks(s))
        return s;
    const Source src(s);
    return resolve(src, 0, s.size(), report);
}

} // namespace quarnis
