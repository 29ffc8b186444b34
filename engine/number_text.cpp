#include "number_text.h"

#include "checked.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace quarnis {

namespace {

    struct Pow10Table {
        std::array<Extended, kMaxPow10 + 1> values;
        Pow10Table()
        {
            // Exact up to 10^27 (5^27 < 2^64); beyond that the library's power, within an ulp.
            Extended p = 1.0L;
            for (int n = 0; n <= kMaxPow10; ++n) {
                values[n] = n <= 27 ? p : powl(10.0L, n);
                p *= 10.0L;
            }
        }
    };

    const Pow10Table& pow10Table()
    {
        static const Pow10Table table;
        return table;
    }

    bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

    // D, the 18 or 19 digits of v * 10^17 (1 <= v < 16, or v < 10 for small values).
    int scaledDigits(Extended v, char* digits)
    {
        const auto n = static_cast<std::uint64_t>(llrintl(v * 1e17L));
        char tmp[20];
        int len = 0;
        for (std::uint64_t m = n; m != 0; m /= 10)
            tmp[len++] = static_cast<char>('0' + m % 10);
        const int width = len > 18 ? len : 18;
        for (int i = 0; i < width; ++i)
            digits[i] = i < width - len ? '0' : tmp[width - 1 - i];
        return width;
    }

    // Keeps the first `keep` of `len` digits, rounding half up on the first digit cut off.
    // Gives the new length, which is keep + 1 when a carry ran out of the first digit.
    int roundHalfUp(char* digits, int len, int keep)
    {
        if (len <= keep)
            return len;
        if (digits[keep] >= '5') {
            int i = keep - 1;
            while (i >= 0 && digits[i] == '9')
                digits[i--] = '0';
            if (i >= 0) {
                ++digits[i];
            } else {
                for (int j = keep; j > 0; --j)
                    digits[j] = digits[j - 1];
                digits[0] = '1';
                return keep + 1;
            }
        }
        return keep;
    }

} // namespace

Extended Pow10(int n) { return pow10Table().values[n]; }

void AppendValueText(std::u16string& out, Extended x)
{
    if (std::isnan(x)) {
        out += u"Nan";
        return;
    }
    if (std::isinf(x)) {
        out += x > 0 ? u"+Inf" : u"-Inf";
        return;
    }
    if (std::signbit(x))
        out += u'-';
    Extended v = fabsl(x);
    int e = 0;
    if (v >= 10.0L) {
        // Divide by powers of ten estimated from the binary exponent until 1 <= v < 16.
        for (;;) {
            const int b = ilogbl(v);
            const int k = static_cast<int>((static_cast<long>(b) * 19728) >> 16);
            if (k == 0)
                break;
            v /= Pow10(k);
            e += k;
        }
    }
    char digits[48];
    int len = scaledDigits(v, digits);
    if (e > 35) {
        // Short scientific form: two significant digits and a four-digit exponent.
        if (len == 18) {
            if (roundHalfUp(digits, len, 2) == 3)
                ++e;
        } else {
            roundHalfUp(digits, len, 3);
            ++e;
        }
        out += static_cast<char16_t>(digits[0]);
        out += u'.';
        out += static_cast<char16_t>(digits[1]);
        out += u"E+";
        out += static_cast<char16_t>(u'0' + e / 1000);
        out += static_cast<char16_t>(u'0' + e / 100 % 10);
        out += static_cast<char16_t>(u'0' + e / 10 % 10);
        out += static_cast<char16_t>(u'0' + e % 10);
        return;
    }
    // Fixed form: the integer digits and exactly nine decimals.
    int intDigits = len == 19 ? e + 2 : e + 1;
    const int total = intDigits + 9;
    if (len > total) {
        len = roundHalfUp(digits, len, total);
        if (len > total)
            ++intDigits;
    }
    while (len < intDigits + 9)
        digits[len++] = '0';
    for (int i = 0; i < len; ++i) {
        if (i == intDigits)
            out += u'.';
        out += static_cast<char16_t>(digits[i]);
    }
}

std::u16string ValueToText(Extended x)
{
    std::u16string out;
    AppendValueText(out, x);
    return out;
}

namespace {

    // The value of a text that does not fit the number form: the digits before the first
    // character that does not fit, taken as one whole number, without sign or point.
    Extended digitsBefore(std::u16string_view text, std::size_t stop)
    {
        Extended v = 0.0L;
        for (std::size_t i = 0; i < stop; ++i)
            if (isDigit(text[i]))
                v = v * 10.0L + (text[i] - u'0');
        return v;
    }

    // mantissa * 10^power, the power applied in at most two steps of the table.
    Extended scaleByPow10(Extended mantissa, long power)
    {
        if (power >= 0) {
            while (power > kMaxPow10) {
                mantissa = checked::mul(mantissa, Pow10(kMaxPow10));
                power -= kMaxPow10;
            }
            return checked::mul(mantissa, Pow10(static_cast<int>(power)));
        }
        while (-power > kMaxPow10) {
            mantissa /= Pow10(kMaxPow10);
            power += kMaxPow10;
        }
        return mantissa / Pow10(static_cast<int>(-power));
    }

} // namespace

Extended TextToValue(std::u16string_view text)
{
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    // A lone sign, as the backward number run '-' of '2--' before a "*", is a plain zero: a
    // negative zero would write its minus back into the next value text and turn the sign
    // of the following term.
    if (i == n)
        return 0.0L;

    // The digits go into a 64-bit integer while they fit; later ones only scale it.
    constexpr std::uint64_t kLimit = (UINT64_MAX - 9) / 10;
    std::uint64_t mantissa = 0;
    long dropped = 0; // digits left out of the mantissa, before the point
    long decimals = 0; // digits after the point
    long keptDecimals = 0; // of those, the ones in the mantissa
    while (i < n && isDigit(text[i])) {
        if (mantissa <= kLimit)
            mantissa = mantissa * 10 + (text[i] - u'0');
        else
            ++dropped;
        ++i;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isDigit(text[i])) {
            if (mantissa <= kLimit) {
                mantissa = mantissa * 10 + (text[i] - u'0');
                ++keptDecimals;
            }
            ++decimals;
            ++i;
        }
    }
    long exponent = 0;
    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        const std::size_t at = i++;
        bool expNegative = false;
        if (i < n && (text[i] == u'-' || text[i] == u'+'))
            expNegative = text[i++] == u'-';
        if (i == n || !isDigit(text[i]))
            return digitsBefore(text, at);
        while (i < n && isDigit(text[i])) {
            if (exponent < 100000000)
                exponent = exponent * 10 + (text[i] - u'0');
            ++i;
        }
        if (expNegative)
            exponent = -exponent;
    }
    if (i < n)
        return digitsBefore(text, i);

    // The power of ten that multiplies the integer of all digits read.
    const long power = exponent - decimals;
    Extended value;
    if (mantissa == 0)
        value = 0.0L;
    else if (power >= 5120)
        value = HUGE_VALL;
    else if (power <= -5120)
        value = 0.0L;
    else
        value = scaleByPow10(static_cast<Extended>(mantissa), exponent - keptDecimals + dropped);
    return negative ? -value : value;
}

} // namespace quarnis
