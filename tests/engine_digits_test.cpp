// Differential checks of the engine's own digit generation: the value text and the general
// number text must equal, byte for byte, what the C library's correctly rounded conversion
// gives (the earlier implementation, kept here as the reference), over millions of values:
// random bit patterns of the whole Extended range, the magnitudes in everyday use, values at
// and next to the rounding boundaries of the 18th, the 15th and the 9th decimal, and the
// limits of the range. QUARNIS_DIGITS_SAMPLES sets the number of values per family.

#include "engine/number_format.h"
#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>

namespace quarnis {
namespace {

    // The general number text as first written, through the library's scientific form.
    std::u16string referenceGeneralNumberText(Extended v)
    {
        if (std::isnan(v))
            return u"NAN";
        if (std::isinf(v))
            return v > 0 ? u"INF" : u"-INF";
        if (v == 0.0L || std::fpclassify(v) == FP_SUBNORMAL)
            return u"0";
        char buf[64];
        const auto res
            = std::to_chars(buf, buf + sizeof buf, fabsl(v), std::chars_format::scientific, 17);
        char digits[19];
        int n = 0;
        const char* q = buf;
        for (; q < res.ptr && *q != 'e'; ++q)
            if (*q != '.')
                digits[n++] = *q;
        int exp10 = 0;
        std::from_chars(q + 1 + (q[1] == '+'), res.ptr, exp10);
        n = 15;
        if (digits[15] >= '5') {
            int i = 14;
            while (i >= 0 && digits[i] == '9')
                digits[i--] = '0';
            if (i >= 0) {
                ++digits[i];
            } else {
                digits[0] = '1';
                for (int j = 1; j < 15; ++j)
                    digits[j] = '0';
                ++exp10;
            }
        }
        while (n > 1 && digits[n - 1] == '0')
            --n;
        const int e = exp10 + 1;
        std::u16string out;
        if (v < 0)
            out += u'-';
        if (e >= -3 && e <= 15) {
            if (e <= 0) {
                out += u"0.";
                out.append(static_cast<std::size_t>(-e), u'0');
                for (int i = 0; i < n; ++i)
                    out += static_cast<char16_t>(digits[i]);
            } else {
                for (int i = 0; i < e; ++i)
                    out += static_cast<char16_t>(i < n ? digits[i] : '0');
                if (n > e) {
                    out += u'.';
                    for (int i = e; i < n; ++i)
                        out += static_cast<char16_t>(digits[i]);
                }
            }
        } else {
            out += static_cast<char16_t>(digits[0]);
            if (n > 1) {
                out += u'.';
                for (int i = 1; i < n; ++i)
                    out += static_cast<char16_t>(digits[i]);
            }
            out += u'E';
            const int x = e - 1;
            if (x < 0)
                out += u'-';
            const std::string mag = std::to_string(x < 0 ? -x : x);
            out.append(mag.begin(), mag.end());
        }
        return out;
    }

    // The value text as first written, with its helpers.
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

    void referenceAppendValueText(std::u16string& out, Extended x)
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

    std::size_t samples()
    {
        const char* env = std::getenv("QUARNIS_DIGITS_SAMPLES");
        return env ? std::strtoull(env, nullptr, 10) : 100000;
    }

    using Rng = std::mt19937_64;

    // An Extended from its sign, biased exponent (1 .. 32766 for normal values, 0 for
    // subnormal ones) and significand.
    Extended fromBits(bool negative, unsigned biased, std::uint64_t significand)
    {
        if (biased != 0)
            significand |= std::uint64_t(1) << 63;
        else
            significand &= ~(std::uint64_t(1) << 63);
        Extended v = 0.0L;
        unsigned char bytes[sizeof(Extended)] = {};
        std::memcpy(bytes, &significand, 8);
        const auto se = static_cast<std::uint16_t>((negative ? 0x8000u : 0u) | biased);
        std::memcpy(bytes + 8, &se, 2);
        std::memcpy(&v, bytes, sizeof bytes);
        return v;
    }

    constexpr unsigned kBias = 16383;

    // The families of values the checks run over.
    struct Family {
        const char* name;
        std::function<Extended(Rng&)> draw;
    };

    std::vector<Family> families()
    {
        std::vector<Family> f;
        f.push_back({ "random bit patterns, whole range",
            [](Rng& r) { return fromBits(r() & 1, static_cast<unsigned>(r() % 32767), r()); } });
        f.push_back({ "random bit patterns, 2^-40 to 2^130", [](Rng& r) {
                         return fromBits(
                             r() & 1, kBias - 40 + static_cast<unsigned>(r() % 171), r());
                     } });
        f.push_back({ "doubles, 2^-40 to 2^130", [](Rng& r) {
                         const double d
                             = std::ldexp(static_cast<double>(r() >> 11) / 9007199254740992.0 + 0.5,
                                 static_cast<int>(r() % 171) - 40);
                         return static_cast<Extended>(r() & 1 ? -d : d);
                     } });
        // Decimals with 1 to 18 significant digits and a random power of ten, their
        // halfway points at the 15th, 16th and 18th digit, and their neighbours.
        f.push_back({ "decimals and halfway points, with neighbours", [](Rng& r) {
                         const int digits = 1 + static_cast<int>(r() % 19);
                         std::uint64_t n = r() % 1000000000000000000ULL;
                         for (int i = digits; i < 18; ++i)
                             n /= 10;
                         const int power = static_cast<int>(r() % 60) - 25;
                         Extended v = static_cast<Extended>(n) * powl(10.0L, power);
                         if (r() & 1)
                             v += 0.5L * powl(10.0L, power);
                         for (int step = static_cast<int>(r() % 5) - 2; step != 0;
                              step += step > 0 ? -1 : 1)
                             v = nextafterl(v, step > 0 ? HUGE_VALL : 0.0L);
                         return r() & 1 ? -v : v;
                     } });
        // Exact ties of the 18th digit: odd / 2^(k + 1) = 5^k * odd / 2 / 10^k.
        f.push_back({ "exact ties at the 18th digit", [](Rng& r) {
                         const int k = static_cast<int>(r() % 26);
                         const Extended pow5 = powl(5.0L, k);
                         const auto lo = static_cast<std::uint64_t>(2e17L / pow5);
                         const auto hi = static_cast<std::uint64_t>(2e18L / pow5);
                         const std::uint64_t odd = (lo + r() % (hi - lo)) | 1;
                         const int shift
                             = static_cast<int>(r() % 3) - 1; // also doubled, quadrupled
                         return ldexpl(static_cast<Extended>(odd), -(k + 1)) * (1 << (shift + 1));
                     } });
        f.push_back({ "results rounded to 0 to 9 decimals", [](Rng& r) {
                         const Extended v = ldexpl(
                             static_cast<Extended>(r() >> 1), static_cast<int>(r() % 100) - 83);
                         return RoundToDecimals(r() & 1 ? -v : v, static_cast<int>(r() % 11) - 1);
                     } });
        f.push_back({ "range limits and subnormals", [](Rng& r) {
                         switch (r() % 6) {
                         case 0:
                             return fromBits(r() & 1, 32766 - static_cast<unsigned>(r() % 4), r());
                         case 1:
                             return fromBits(r() & 1, 1 + static_cast<unsigned>(r() % 4), r());
                         case 2:
                             return fromBits(r() & 1, 0, r());
                         case 3: // around 10^15 and 10^-4, where the notation changes
                             return nextafterl(r() & 1 ? 1e15L : 1e-4L, r() & 1 ? HUGE_VALL : 0.0L)
                                 * (1.0L + (r() % 3) * 1e-17L);
                         case 4: // around 2^127 and 10^-10, where the integer method ends
                             return fromBits(r() & 1, r() & 1 ? kBias + 127 : kBias - 34, r());
                         default: // around 2^120, where the value text changes form
                             return fromBits(
                                 r() & 1, kBias + 119 + static_cast<unsigned>(r() % 2), r());
                         }
                     } });
        return f;
    }

    std::string utf8(const std::u16string& s) { return std::string(s.begin(), s.end()); }

    TEST(DigitsDifferential, EighteenDigitsEqualTheLibrarysScientificForm)
    {
        const std::size_t n = samples();
        std::size_t checked = 0;
        for (const Family& family : families()) {
            SCOPED_TRACE(family.name);
            Rng rng(20261207);
            for (std::size_t i = 0; i < n; ++i) {
                const Extended v = fabsl(family.draw(rng));
                if (!std::isfinite(v) || std::fpclassify(v) != FP_NORMAL)
                    continue;
                char buf[64];
                std::snprintf(buf, sizeof buf, "%.17Le", v);
                const SignificantDigits d = EighteenDigits(v);
                char mine[64];
                std::snprintf(mine, sizeof mine, "%llu", static_cast<unsigned long long>(d.digits));
                const std::string want(buf);
                const std::string got = std::string(1, mine[0]) + "." + (mine + 1) + "e"
                    + (d.exp10 < 0 ? "-" : "+") + (std::abs(d.exp10) < 10 ? "0" : "")
                    + std::to_string(std::abs(d.exp10));
                ++checked;
                if (got != want) {
                    ADD_FAILURE() << want << " != " << got;
                    return;
                }
            }
        }
        std::printf("eighteen digits: %zu values equal\n", checked);
    }

    TEST(DigitsDifferential, GeneralNumberTextEqualsTheReference)
    {
        const std::size_t n = samples();
        std::size_t checked = 0;
        for (const Family& family : families()) {
            SCOPED_TRACE(family.name);
            Rng rng(7);
            for (std::size_t i = 0; i < n; ++i) {
                const Extended v = family.draw(rng);
                ++checked;
                const std::u16string want = referenceGeneralNumberText(v);
                if (GeneralNumberText(v) != want) {
                    ADD_FAILURE() << utf8(want) << " != " << utf8(GeneralNumberText(v));
                    return;
                }
            }
        }
        std::printf("general number text: %zu values equal\n", checked);
    }

    // The result field's and the tabulation's text, written straight from the rounded
    // integer, against the general text of the rounded value; faults alike.
    TEST(DigitsDifferential, RoundedTextEqualsTheTextOfTheRoundedValue)
    {
        const auto either = [](auto&& write) {
            try {
                return write();
            } catch (const std::exception& e) {
                return std::u16string(u"fault: ")
                    + std::u16string(e.what(), e.what() + std::strlen(e.what()));
            }
        };
        const std::size_t n = samples() / 20; // each value at eleven decimals
        std::size_t checked = 0;
        for (const Family& family : families()) {
            SCOPED_TRACE(family.name);
            Rng rng(13);
            for (std::size_t i = 0; i < n; ++i) {
                const Extended drawn = family.draw(rng);
                // Also the magnitudes a rounded result usually has.
                const Extended v = i % 2 ? drawn : fmodl(drawn, 1e12L);
                for (int p = kMinDecimals; p <= kMaxDecimals; ++p) {
                    ++checked;
                    const std::u16string want
                        = either([&] { return GeneralNumberText(RoundToDecimals(v, p)); });
                    const std::u16string got = either([&] {
                        std::u16string out = u"x";
                        AppendRoundedText(out, v, p);
                        return out.substr(1);
                    });
                    if (got != want) {
                        ADD_FAILURE() << utf8(want) << " != " << utf8(got) << " at " << p;
                        return;
                    }
                }
            }
        }
        std::printf("rounded text: %zu values equal\n", checked);
    }

    TEST(DigitsDifferential, ValueTextEqualsTheReference)
    {
        const std::size_t n = samples();
        std::size_t checked = 0;
        for (const Family& family : families()) {
            SCOPED_TRACE(family.name);
            Rng rng(11);
            for (std::size_t i = 0; i < n; ++i) {
                const Extended v = family.draw(rng);
                ++checked;
                std::u16string want = u"+";
                referenceAppendValueText(want, v);
                std::u16string got = u"+";
                AppendValueText(got, v);
                if (got != want) {
                    ADD_FAILURE() << utf8(want) << " != " << utf8(got);
                    return;
                }
            }
        }
        std::printf("value text: %zu values equal\n", checked);
    }

} // namespace
} // namespace quarnis
