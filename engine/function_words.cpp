// Function words and PI: 'SIN(PI/6)*2' -> '0.500000000*2', '2PI' -> '23.141592654'.
// Copies the prepared formula, replacing each word with its whole argument, and PI, by the
// value text of its value; it is also the pass that rejects characters outside the syntax.

#include "checked.h"
#include "evaluation.h"
#include "number_text.h"
#include "passes.h"
#include "runtime_error.h"
#include "scanning.h"

#include <array>
#include <cmath>

namespace quarnis {

namespace {

    enum class Word { Atan, Acos, Asin, Abs, Cos, Cot, Exp, Log, Ln, Sin, Sqrt, Tan };

    struct Tail {
        char16_t letter;
        std::u16string_view tail;
        Word word;
    };

    // The tails in the order they are tested after their first letter.
    constexpr std::array<Tail, 12> kTails { {
        { u'A', u"TAN(", Word::Atan },
        { u'A', u"COS(", Word::Acos },
        { u'A', u"SIN(", Word::Asin },
        { u'A', u"BS(", Word::Abs },
        { u'C', u"OS(", Word::Cos },
        { u'C', u"OT(", Word::Cot },
        { u'E', u"XP(", Word::Exp },
        { u'L', u"OG(", Word::Log },
        { u'L', u"N(", Word::Ln },
        { u'S', u"IN(", Word::Sin },
        { u'S', u"QRT(", Word::Sqrt },
        { u'T', u"AN(", Word::Tan },
    } };

    constexpr Extended kPi = 3.14159265358979323846264338327950288L;
    // The divisor of LOG, as written: ten significant digits.
    constexpr Extended kLn10 = 2.302585093L;

    Extended apply(Word word, Extended v)
    {
        using namespace checked;
        switch (word) {
        case Word::Atan:
            return atan(v);
        case Word::Acos:
            // arctan(sqrt((1 - v)(1 + v)) / v), with the true angle at 0 and for negative v.
            if (v == 0.0L)
                return kPi / 2;
            {
                const Extended a = atan(div(sqrt(mul(sub(1.0L, v), add(1.0L, v))), v));
                return v < 0.0L ? add(a, kPi) : a;
            }
        case Word::Asin:
            // arctan(v / sqrt((1 - v)(1 + v))), with the true angle at 1 and -1.
            if (v == 1.0L || v == -1.0L)
                return v * (kPi / 2);
            return atan(div(v, sqrt(mul(sub(1.0L, v), add(1.0L, v)))));
        case Word::Abs:
            return fabsl(v);
        case Word::Cos:
            return cos(v);
        case Word::Cot:
            return div(cos(v), sin(v));
        case Word::Exp:
            return exp(v);
        case Word::Log:
            return div(ln(v), kLn10);
        case Word::Ln:
            return ln(v);
        case Word::Sin:
            return sin(v);
        case Word::Sqrt:
            return sqrt(v);
        case Word::Tan:
            return div(sin(v), cos(v));
        }
        return v;
    }

    bool isDigitOrPoint(char16_t c) { return c == u'.' || (c >= u'0' && c <= u'9'); }

    // The tail that follows the letter at p inside [.., hi), or nullptr.
    const Tail* matchTail(std::u16string_view s, std::size_t p, std::size_t hi)
    {
        for (const Tail& t : kTails) {
            if (t.letter != s[p])
                continue;
            if (hi - (p + 1) >= t.tail.size() && s.substr(p + 1, t.tail.size()) == t.tail)
                return &t;
        }
        return nullptr;
    }

    void replaceWords(const Source& src, std::size_t lo, std::size_t hi, std::u16string& out,
        SyntaxReport& report)
    {
        if (lo == hi)
            evaluationFailure(); // 'SIN()'
        const std::u16string_view s = src.text;
        std::size_t p = lo;
        while (p < hi) {
            const char16_t c = s[p];
            switch (c) {
            case u'!':
            case u'(':
            case u')':
            case u'*':
            case u'+':
            case u'-':
            case u'/':
            case u'^':
                out += c;
                ++p;
                break;
            case u'A':
            case u'C':
            case u'E':
            case u'L':
            case u'S':
            case u'T': {
                const Tail* t = matchTail(s, p, hi);
                if (!t) {
                    reportSyntaxError(p, hi, report);
                    break;
                }
                p += t->tail.size(); // on the "("
                const Group g = groupAt(src, p, hi);
                p = g.next;
                // The argument is a complete formula and goes through all three passes; one
                // without words and powers is its own text for the last of them.
                const std::u16string_view plain = s.substr(g.first, g.last - g.first);
                Extended v;
                if (!plain.empty() && isDigitOrPoint(plain[0])
                    && forwardRunEnd(plain, 0, plain.size()) == plain.size()) {
                    v = textToValue(plain); // one number, 'SIN(0.5)'
                } else if (!plain.empty() && isPlainArithmetic(plain)) {
                    v = evaluateProducts(plain, report);
                } else {
                    Scratch<std::u16string> argument;
                    replaceWords(src, g.first, g.last, *argument, report);
                    v = hasPowerMarks(*argument)
                        ? evaluateProducts(resolvePowers(*argument, report), report)
                        : evaluateProducts(*argument, report);
                }
                appendPassValue(out, apply(t->word, v));
                break;
            }
            case u'P':
                if (p + 1 < hi && s[p + 1] == u'I') {
                    p += 2;
                    appendPassValue(out, kPi);
                } else {
                    reportSyntaxError(p, hi, report);
                }
                break;
            default:
                if (c == u'.' || (c >= u'0' && c <= u'9')) {
                    const std::size_t end = forwardRunEnd(s, p, hi);
                    out.append(s.substr(p, end - p));
                    p = end;
                } else {
                    reportSyntaxError(p, hi, report);
                }
            }
        }
    }

    bool isArithmetic(char16_t c)
    {
        return (c >= u'0' && c <= u'9') || c == u'.' || c == u'+' || c == u'-' || c == u'*'
            || c == u'/' || c == u'(' || c == u')';
    }

} // namespace

bool isWordFree(std::u16string_view s)
{
    for (const char16_t c : s)
        if (!isArithmetic(c) && c != u'^' && c != u'!')
            return false;
    return true;
}

bool isPlainArithmetic(std::u16string_view s)
{
    for (const char16_t c : s)
        if (!isArithmetic(c))
            return false;
    return true;
}

std::u16string replaceFunctionWords(const std::u16string& s, SyntaxReport& report)
{
    std::u16string out;
    replaceFunctionWords(s, out, report);
    return out;
}

void replaceFunctionWords(std::u16string_view s, std::u16string& out, SyntaxReport& report)
{
    const Source src(s);
    out.clear();
    out.reserve(s.size());
    replaceWords(src, 0, s.size(), out, report);
}

} // namespace quarnis
