#include "number_text.h"

#include "checked.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace quarnis {

namespace {

    // 10^n up to 10^27, exact (5^27 < 2^64).
    constexpr auto kExactPow10 = [] {
        std::array<Extended, 28> p {};
        p[0] = 1.0L;
        for (std::size_t n = 1; n < p.size(); ++n)
            p[n] = p[n - 1] * 10.0L;
        return p;
    }();

    // Beyond that the library's power, within an ulp; computed on first use.
    struct Pow10Table {
        std::array<Extended, kMaxPow10 + 1> values;
        Pow10Table()
        {
            for (int n = 0; n <= kMaxPow10; ++n)
                values[n] = n < int(kExactPow10.size()) ? kExactPow10[n] : powl(10.0L, n);
        }
    };

    const Pow10Table& pow10Table()
    {
        static const Pow10Table table;
        return table;
    }

    bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

    constexpr std::uint64_t kTen18 = 1000000000000000000ULL;

    // 10^j for j = 0 .. 19.
    constexpr auto kPow10U64 = [] {
        std::array<std::uint64_t, 20> p {};
        p[0] = 1;
        for (std::size_t j = 1; j < p.size(); ++j)
            p[j] = p[j - 1] * 10;
        return p;
    }();

    // v * 10^17 rounded to an integer, ties to even (1 <= v < 16, or v < 10 for small values).
    std::uint64_t scaledInteger(Extended v)
    {
        return static_cast<std::uint64_t>(llrintl(v * 1e17L));
    }

    // D, the 18 or 19 digits of v * 10^17 (1 <= v < 16, or v < 10 for small values).
    int scaledDigits(Extended v, char* digits)
    {
        const std::uint64_t n = scaledInteger(v);
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

namespace {

    constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324"
                              "25262728293031323334353637383940414243444546474849"
                              "50515253545556575859606162636465666768697071727374"
                              "75767778798081828384858687888990919293949596979899";

    char16_t* writePair(char16_t* end, std::uint32_t pair)
    {
        *--end = static_cast<char16_t>(kPairs[2 * pair + 1]);
        *--end = static_cast<char16_t>(kPairs[2 * pair]);
        return end;
    }

} // namespace

char16_t* writeDigitsBackward(char16_t* end, std::uint64_t n)
{
    // Blocks of eight digits in 32-bit arithmetic, so that the divisions of a block do not
    // wait for those of the whole number.
    while (n >= 100000000) {
        auto block = static_cast<std::uint32_t>(n % 100000000);
        n /= 100000000;
        for (int i = 0; i < 4; ++i, block /= 100)
            end = writePair(end, block % 100);
    }
    auto rest = static_cast<std::uint32_t>(n);
    for (; rest >= 10; rest /= 100)
        end = writePair(end, rest % 100);
    if (rest != 0)
        *--end = static_cast<char16_t>(u'0' + rest);
    return end;
}

Extended pow10(int n)
{
    return n < int(kExactPow10.size()) ? kExactPow10[static_cast<std::size_t>(n)]
                                       : pow10Table().values[static_cast<std::size_t>(n)];
}

void appendValueText(std::u16string& out, Extended x)
{
    if (std::isnan(x)) {
        out += u"Nan";
        return;
    }
    if (std::isinf(x)) {
        out += x > 0 ? u"+Inf" : u"-Inf";
        return;
    }
    // The longest text: a sign, 37 integer digits (just below 2^120), ".", nine decimals.
    char16_t text[56];
    char16_t* t = text;
    if (std::signbit(x))
        *t++ = u'-';
    Extended v = fabsl(x);
    int e = 0;
    if (v >= 10.0L) {
        // Divide by powers of ten estimated from the binary exponent until 1 <= v < 16.
        for (;;) {
            const int b = ilogbl(v);
            const int k = static_cast<int>((static_cast<long>(b) * 19728) >> 16);
            if (k == 0)
                break;
            v /= pow10(k);
            e += k;
        }
    }
    if (e > 35) {
        // Short scientific form: two significant digits and a four-digit exponent.
        char digits[20];
        const int len = scaledDigits(v, digits);
        if (len == 18) {
            if (roundHalfUp(digits, len, 2) == 3)
                ++e;
        } else {
            roundHalfUp(digits, len, 3);
            ++e;
        }
        *t++ = static_cast<char16_t>(digits[0]);
        *t++ = u'.';
        *t++ = static_cast<char16_t>(digits[1]);
        *t++ = u'E';
        *t++ = u'+';
        *t++ = static_cast<char16_t>(u'0' + e / 1000);
        *t++ = static_cast<char16_t>(u'0' + e / 100 % 10);
        *t++ = static_cast<char16_t>(u'0' + e / 10 % 10);
        *t++ = static_cast<char16_t>(u'0' + e % 10);
    } else {
        // Fixed form: D (18 digits, or 19 from 10 up) has its point after digit len - 17; it
        // keeps e + 1 (or e + 2) integer digits and nine decimals, so its last 8 - e digits
        // are cut off, rounding half up, or 8 - e zeros are added.
        const std::uint64_t d = scaledInteger(v);
        const int len = d >= kTen18 ? 19 : 18;
        const int cut = 8 - e;
        std::uint64_t kept = d;
        int width = len - cut; // the kept digits, leading zeros included
        if (cut >= 0) {
            if (cut > 0) {
                const std::uint64_t unit = kPow10U64[cut];
                kept = d / unit;
                if (d % unit >= unit / 2)
                    ++kept; // a carry out of the first digit gives one more integer digit
            }
            // kept counts units of 10^-9: its nine decimals, then its integer part without
            // leading zeros ("0" when it is zero), written from the end.
            char16_t* const end = text + sizeof text / sizeof text[0];
            char16_t* first = writeDigitsBackward(end, kept % 1000000000);
            while (end - first < 9)
                *--first = u'0';
            *--first = u'.';
            const std::uint64_t whole = kept / 1000000000;
            first = whole != 0 ? writeDigitsBackward(first, whole) : first - 1;
            if (whole == 0)
                *first = u'0';
            if (std::signbit(x))
                *--first = u'-';
            out.append(first, static_cast<std::size_t>(end - first));
            return;
        }
        char16_t digits[48];
        char16_t* const end = digits + sizeof digits / sizeof digits[0];
        char16_t* first = end;
        for (int z = cut; z < 0; ++z)
            *--first = u'0';
        first = writeDigitsBackward(first, kept);
        while (end - first < width)
            *--first = u'0';
        const char16_t* point = end - 9;
        while (first < point)
            *t++ = *first++;
        *t++ = u'.';
        while (first < end)
            *t++ = *first++;
    }
    out.append(text, static_cast<std::size_t>(t - text));
}

std::u16string valueToText(Extended x)
{
    std::u16string out;
    appendValueText(out, x);
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
                mantissa = checked::mul(mantissa, pow10(kMaxPow10));
                power -= kMaxPow10;
            }
            return checked::mul(mantissa, pow10(static_cast<int>(power)));
        }
        while (-power > kMaxPow10) {
            mantissa /= pow10(kMaxPow10);
            power += kMaxPow10;
        }
        return mantissa / pow10(static_cast<int>(-power));
    }

} // namespace

Extended textToValue(std::u16string_view text)
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
    const char16_t* const data = text.data();
    while (i < n && isDigit(data[i])) {
        if (mantissa <= kLimit)
            mantissa = mantissa * 10 + static_cast<unsigned>(data[i] - u'0');
        else
            ++dropped;
        ++i;
    }
    if (i < n && data[i] == u'.') {
        const std::size_t first = ++i;
        // Two digits a step while both surely fit, as nine decimals follow every value text.
        constexpr std::uint64_t kLimit2 = (kLimit - 9) / 10;
        while (i + 1 < n && isDigit(data[i]) && isDigit(data[i + 1]) && mantissa <= kLimit2) {
            mantissa = mantissa * 100 + static_cast<unsigned>(data[i] - u'0') * 10
                + static_cast<unsigned>(data[i + 1] - u'0');
            i += 2;
        }
        while (i < n && isDigit(data[i])) {
            if (mantissa > kLimit)
                break;
            mantissa = mantissa * 10 + static_cast<unsigned>(data[i] - u'0');
            ++i;
        }
        keptDecimals = static_cast<long>(i - first);
        while (i < n && isDigit(data[i]))
            ++i;
        decimals = static_cast<long>(i - first);
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
