#include "number_format.h"

#include "checked.h"
#include "number_text.h"

#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstring>

namespace quarnis {

namespace {

    using u128 = unsigned __int128;

    constexpr std::uint64_t kTen17 = 100000000000000000ULL;
    constexpr std::uint64_t kTen18 = 1000000000000000000ULL;

    // 5^k for k = 0 .. 27, the powers that fit 64 bits.
    constexpr auto kPow5 = [] {
        std::array<std::uint64_t, 28> p {};
        p[0] = 1;
        for (std::size_t k = 1; k < p.size(); ++k)
            p[k] = p[k - 1] * 5;
        return p;
    }();

    // 10^j for j = 0 .. 27.
    constexpr auto kPow10 = [] {
        std::array<u128, 28> p {};
        p[0] = 1;
        for (std::size_t j = 1; j < p.size(); ++j)
            p[j] = p[j - 1] * 10;
        return p;
    }();

    constexpr int kMaxScale = 27;

    // The quotient q with the remainder r of a division by d (0 <= r < d) rounded to an
    // integer: up above the half, to the even neighbour at the half. False when it does not
    // fit 64 bits.
    bool roundQuotient(u128 q, u128 r, u128 d, std::uint64_t& n)
    {
        const u128 rest = d - r;
        if (r > rest || (r == rest && (q & 1) != 0))
            ++q;
        if (q >> 64 != 0)
            return false;
        n = static_cast<std::uint64_t>(q);
        return true;
    }

    // v * 10^k for v = m * 2^e, rounded to an integer with ties to even; false when the exact
    // computation does not fit the 128-bit integers used here (|k| > 27 or a wide shift).
    bool scaledInteger(std::uint64_t m, int e, int k, std::uint64_t& n)
    {
        if (k > kMaxScale || k < -kMaxScale)
            return false;
        if (k >= 0) {
            // m * 5^k * 2^(e + k), the product exact in 128 bits.
            const u128 p = static_cast<u128>(m) * kPow5[static_cast<std::size_t>(k)];
            const int s = e + k;
            if (s >= 0) {
                if (s > 63 || (p >> (64 - s)) != 0)
                    return false;
                n = static_cast<std::uint64_t>(p << s);
                return true;
            }
            if (-s > 127)
                return false;
            const u128 q = p >> -s;
            return roundQuotient(q, p - (q << -s), u128(1) << -s, n);
        }
        // m * 2^e / 10^j.
        const u128 d = kPow10[static_cast<std::size_t>(-k)];
        if (e >= 0) {
            if (e > 63)
                return false;
            const u128 num = static_cast<u128>(m) << e;
            return roundQuotient(num / d, num % d, d, n);
        }
        if (-e > 37)
            return false;
        const u128 den = d << -e;
        return roundQuotient(m / den, m % den, den, n);
    }

    // The same digits from the library's correctly rounded scientific form, for magnitudes
    // beyond those the integer method covers.
    SignificantDigits libraryDigits(Extended v)
    {
        char buf[64];
        const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 17);
        SignificantDigits d { 0, 0 };
        const char* q = buf;
        for (; q < res.ptr && *q != 'e'; ++q)
            if (*q != '.')
                d.digits = d.digits * 10 + static_cast<std::uint64_t>(*q - '0');
        std::from_chars(q + 1 + (q[1] == '+'), res.ptr, d.exp10);
        return d;
    }

} // namespace

SignificantDigits eighteenDigits(Extended v)
{
    assert(v > 0.0L && std::isfinite(v) && std::fpclassify(v) == FP_NORMAL);
    // v = m * 2^e with the 64-bit significand m (its top bit set) and the biased exponent.
    std::uint64_t m;
    std::uint16_t biased;
    static_assert(sizeof(Extended) >= 10);
    std::memcpy(&m, &v, sizeof m);
    std::memcpy(&biased, reinterpret_cast<const char*>(&v) + 8, sizeof biased);
    const int b = (biased & 0x7FFF) - 16383; // 2^b <= v < 2^(b + 1)
    const int e = b - 63;
    // floor(log10(v)) is floor(b * log10(2)) or one more; log10(2) ~ 1292913986 / 2^32.
    int exp10 = static_cast<int>((static_cast<long long>(b) * 1292913986LL) >> 32);
    for (int tries = 0; tries < 3; ++tries) {
        std::uint64_t n = 0;
        if (!scaledInteger(m, e, 17 - exp10, n))
            break;
        if (n >= kTen18)
            ++exp10;
        else if (n < kTen17)
            --exp10;
        else
            return { n, exp10 };
    }
    return libraryDigits(v);
}

namespace {

    // The text of (-)0.d1 d2 ... dlen * 10^(exp10 + 1), digits without trailing zeros: fixed
    // notation from 10^-4 to below 10^15, else d1.d2...E(exp10).
    void appendDigitsText(
        std::u16string& out, bool negative, const char16_t* digits, int len, int exp10)
    {
        // 0.d1 d2 ... dn * 10^E
        char16_t text[48];
        char16_t* t = text;
        if (negative)
            *t++ = u'-';
        const int e = exp10 + 1;
        if (e >= -3 && e <= 15) {
            if (e <= 0) {
                *t++ = u'0';
                *t++ = u'.';
                for (int i = e; i < 0; ++i)
                    *t++ = u'0';
                for (int i = 0; i < len; ++i)
                    *t++ = digits[i];
            } else {
                for (int i = 0; i < e; ++i)
                    *t++ = i < len ? digits[i] : u'0';
                if (len > e) {
                    *t++ = u'.';
                    for (int i = e; i < len; ++i)
                        *t++ = digits[i];
                }
            }
        } else {
            *t++ = digits[0];
            if (len > 1) {
                *t++ = u'.';
                for (int i = 1; i < len; ++i)
                    *t++ = digits[i];
            }
            *t++ = u'E';
            int x = e - 1;
            if (x < 0) {
                *t++ = u'-';
                x = -x;
            }
            char16_t exponent[8];
            int k = 0;
            do
                exponent[k++] = static_cast<char16_t>(u'0' + x % 10);
            while ((x /= 10) != 0);
            while (k > 0)
                *t++ = exponent[--k];
        }
        out.append(text, static_cast<std::size_t>(t - text));
    }

} // namespace

void appendGeneralNumberText(std::u16string& out, Extended v)
{
    if (std::isnan(v)) {
        out += u"NAN";
        return;
    }
    if (std::isinf(v)) {
        out += v > 0 ? u"INF" : u"-INF";
        return;
    }
    if (v == 0.0L || std::fpclassify(v) == FP_SUBNORMAL) {
        out += u'0';
        return;
    }

    // 18 significant digits, correctly rounded, then 15, half up on the sixteenth.
    const SignificantDigits d18 = eighteenDigits(fabsl(v));
    std::uint64_t n = d18.digits / 1000;
    int exp10 = d18.exp10; // |v| = d1.d2... * 10^exp10
    if (d18.digits % 1000 >= 500 && ++n == kTen18 / 1000) {
        n /= 10;
        ++exp10;
    }
    char16_t digits[15]; // n has exactly 15 digits
    writeDigitsBackward(digits + 15, n);
    int len = 15;
    while (len > 1 && digits[len - 1] == u'0')
        --len;

    appendDigitsText(out, v < 0, digits, len, exp10);
}

std::u16string generalNumberText(Extended v)
{
    std::u16string out;
    appendGeneralNumberText(out, v);
    return out;
}

namespace {

    // The Extended nearest to 10^p and to 10^-p, for p = -1 .. 9.
    constexpr Extended kScaleUp[]
        = { 1e-1L, 1e0L, 1e1L, 1e2L, 1e3L, 1e4L, 1e5L, 1e6L, 1e7L, 1e8L, 1e9L };
    constexpr Extended kScaleDown[]
        = { 1e1L, 1e0L, 1e-1L, 1e-2L, 1e-3L, 1e-4L, 1e-5L, 1e-6L, 1e-7L, 1e-8L, 1e-9L };

} // namespace

Extended roundToDecimals(Extended v, int p)
{
    assert(p >= kMinDecimals && p <= kMaxDecimals);
    const std::size_t i = static_cast<std::size_t>(p - kMinDecimals);
    return checked::mul(checked::roundInt(checked::mul(v, kScaleUp[i])), kScaleDown[i]);
}

void appendRoundedText(std::u16string& out, Extended v, int p)
{
    assert(p >= kMinDecimals && p <= kMaxDecimals);
    const std::size_t i = static_cast<std::size_t>(p - kMinDecimals);
    const Extended m = checked::roundInt(checked::mul(v, kScaleUp[i]));
    // m * 10^-p differs from the exact quotient by about 10^-19 of itself, so while m has at
    // most 15 digits its 18 significant digits are m's followed by zeros: the text is m's
    // digits with the point moved p places.
    const Extended magnitude = fabsl(m);
    if (magnitude == 0.0L || magnitude >= 1e15L) {
        appendGeneralNumberText(out, checked::mul(m, kScaleDown[i]));
        return;
    }
    std::uint64_t n = static_cast<std::uint64_t>(magnitude);
    char16_t digits[16];
    char16_t* first = digits + 16;
    int len = 0;
    do {
        *--first = static_cast<char16_t>(u'0' + n % 10);
        ++len;
    } while ((n /= 10) != 0);
    const int exp10 = len - 1 - p;
    while (len > 1 && first[len - 1] == u'0')
        --len;
    appendDigitsText(out, m < 0, first, len, exp10);
}

} // namespace quarnis
