// Differential checks of the engine's own digit generation: the rounded text must equal,
// byte for byte, the general number text of the rounded value (whose shape and reading back
// fuzz_number_text checks), and the value text that of the C library's correctly rounded
// conversion of the value or of a neighbour within its scaling's rounding, over millions of
// values:
// random bit patterns of the whole Extended range, the magnitudes in everyday use, values at
// and next to the rounding boundaries of the 18th, the 15th and the 9th decimal, and the
// limits of the range. QUARNIS_DIGITS_SAMPLES sets the number of values per family.

#include "engine/number_format.h"
#include "engine/number_text.h"
#include "test_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>

namespace quarnis {
namespace {

    // Digits of a number with the decimal point after the first pointAt of them.
    struct Digits {
        std::string digits;
        int pointAt = 0;

        // Keeps the first n digits, rounding half up; a carry out of the first digit puts a
        // "1" in front, one more before the point.
        void keepRoundingHalfUp(std::size_t n)
        {
            const bool up = digits.size() > n && digits[n] >= '5';
            digits.resize(n);
            for (std::size_t i = n; up && i-- > 0;) {
                if (digits[i] != '9') {
                    ++digits[i];
                    return;
                }
                digits[i] = '0';
            }
            if (up) {
                digits.insert(digits.begin(), '1');
                ++pointAt;
            }
        }
    };

    // The C library's correctly rounded digits of a >= 0: `significant` of them, or for
    // `fixed`, all those before the point and seventeen after it.
    Digits libraryDigits(Extended a, int significant, bool fixed = false)
    {
        char buf[96];
        if (fixed)
            std::snprintf(buf, sizeof buf, "%.17Lf", a);
        else
            std::snprintf(buf, sizeof buf, "%.*Le", significant - 1, a);
        Digits d;
        const char* p = buf;
        for (; *p && *p != 'e'; ++p)
            *p == '.' ? void(d.pointAt = int(p - buf)) : void(d.digits += *p);
        if (*p == 'e')
            d.pointAt = std::atoi(p + 1) + 1;
        return d;
    }

    // The value text from the library's digits of |x|: for |x| < 16 its seventeen decimals,
    // beyond that `significant` digits (18, or 19 where the scaling ends between 10 and 16).
    // From 2^120 up: two significant digits and a four-digit exponent; below: nine decimals,
    // cut from those digits rounding half up.
    std::string referenceValueText(Extended x, int significant)
    {
        if (std::isnan(x))
            return "Nan";
        if (std::isinf(x))
            return x > 0 ? "+Inf" : "-Inf";
        const std::string sign = std::signbit(x) ? "-" : "";
        const Extended a = fabsl(x);
        Digits d = libraryDigits(a, significant, a < 16);
        if (a >= 0x1p120L) {
            d.keepRoundingHalfUp(significant == 19 ? 3 : 2); // three are cut to two
            char e[16];
            std::snprintf(e, sizeof e, "%04d", d.pointAt - 1);
            return sign + d.digits[0] + "." + d.digits[1] + "E+" + e;
        }
        if (d.digits.size() > std::size_t(d.pointAt) + 9)
            d.keepRoundingHalfUp(std::size_t(d.pointAt) + 9);
        d.digits.resize(std::size_t(d.pointAt) + 9, '0');
        return sign + d.digits.substr(0, std::size_t(d.pointAt)) + "."
            + d.digits.substr(std::size_t(d.pointAt));
    }

    std::size_t samples()
    {
        const char* env = std::getenv("QUARNIS_DIGITS_SAMPLES");
        return env ? std::strtoull(env, nullptr, 10) : 100000;
    }

    using Rng = std::mt19937_64;

    constexpr unsigned kBias = 16383;

    // An Extended from its sign, biased exponent (1 .. 32766 for normal values, 0 for
    // subnormal ones) and significand, whose top bit is the integer bit of normal values.
    Extended fromBits(bool negative, unsigned biased, std::uint64_t significand)
    {
        const std::uint64_t top = std::uint64_t(1) << 63;
        const Extended v = ldexpl(Extended(biased != 0 ? significand | top : significand & ~top),
            int(std::max(biased, 1u)) - int(kBias) - 63);
        return negative ? -v : v;
    }

    // The families of values the checks run over.
    struct Family {
        const char* name;
        std::function<Extended(Rng&)> draw;
    };

    const Family kFamilies[] = {
        { "random bit patterns, whole range and 2^-40 to 2^130",
            [](Rng& r) {
                const unsigned biased
                    = r() & 2 ? unsigned(r() % 32767) : kBias - 40 + unsigned(r() % 171);
                return fromBits(r() & 1, biased, r());
            } },
        // Decimals with 1 to 18 significant digits and a random power of ten, their
        // halfway points at the 15th, 16th and 18th digit, and their neighbours.
        { "decimals and halfway points, with neighbours",
            [](Rng& r) {
                std::uint64_t n = r() % 1000000000000000000ULL;
                for (int i = 1 + int(r() % 19); i < 18; ++i)
                    n /= 10;
                const int power = int(r() % 60) - 25;
                Extended v
                    = Extended(n) * powl(10.0L, power) + (r() & 1) * 0.5L * powl(10.0L, power);
                for (int step = int(r() % 5) - 2; step != 0; step += step > 0 ? -1 : 1)
                    v = nextafterl(v, step > 0 ? HUGE_VALL : 0.0L);
                return r() & 1 ? -v : v;
            } },
        // Exact ties of the 18th digit: odd / 2^(k + 1) = 5^k * odd / 2 / 10^k, also
        // doubled and quadrupled.
        { "exact ties at the 18th digit",
            [](Rng& r) {
                const int k = int(r() % 26);
                const Extended pow5 = powl(5.0L, k);
                const auto lo = std::uint64_t(2e17L / pow5), hi = std::uint64_t(2e18L / pow5);
                const std::uint64_t odd = (lo + r() % (hi - lo)) | 1;
                return ldexpl(Extended(odd), -(k + 1)) * (1 << (r() % 3));
            } },
        { "results rounded to 0 to 9 decimals",
            [](Rng& r) {
                const Extended v = ldexpl(Extended(r() >> 1), int(r() % 100) - 83);
                return roundToDecimals(r() & 1 ? -v : v, int(r() % 11) - 1);
            } },
        { "range limits and subnormals",
            [](Rng& r) {
                switch (r() % 6) {
                case 0:
                    return fromBits(r() & 1, 32766 - unsigned(r() % 4), r());
                case 1:
                    return fromBits(r() & 1, 1 + unsigned(r() % 4), r());
                case 2:
                    return fromBits(r() & 1, 0, r());
                case 3: // around 10^15 and 10^-4, where the notation changes
                    return nextafterl(r() & 1 ? 1e15L : 1e-4L, r() & 1 ? HUGE_VALL : 0.0L)
                        * (1.0L + (r() % 3) * 1e-17L);
                case 4: // around 2^127 and 10^-10, where the integer method ends
                    return fromBits(r() & 1, r() & 1 ? kBias + 127 : kBias - 34, r());
                default: // around 2^120, where the value text changes form
                    return fromBits(r() & 1, kBias + 119 + unsigned(r() % 2), r());
                }
            } },
    };

    // Draws n values of every family from the seed and gives each, with its index, to check,
    // which gives the failure ("" for none) of that value; stops at the first failure.
    void forEachValue(const char* what, std::uint64_t seed, std::size_t n,
        const std::function<std::string(Extended, std::size_t)>& check)
    {
        for (const Family& family : kFamilies) {
            Rng rng(seed);
            for (std::size_t i = 0; i < n; ++i) {
                const Extended v = family.draw(rng);
                const std::string failure = check(v, i);
                if (!failure.empty()) {
                    ADD_FAILURE() << family.name << ": " << failure;
                    return;
                }
            }
        }
        std::printf("%s: %zu values of %zu families equal\n", what, n, std::size(kFamilies));
    }

    // The result field's and the tabulation's text, written straight from the rounded
    // integer, against the general text of the rounded value; faults alike.
    TEST(DigitsDifferential, RoundedTextEqualsTheTextOfTheRoundedValue)
    {
        const auto either = [](auto&& write) {
            try {
                return utf8(write());
            } catch (const std::exception& e) {
                return std::string("fault: ") + e.what();
            }
        };
        // Each value at eleven decimals.
        forEachValue("rounded text", 13, samples() / 20, [&](Extended drawn, std::size_t i) {
            // Also the magnitudes a rounded result usually has.
            const Extended v = i % 2 ? drawn : fmodl(drawn, 1e12L);
            for (int p = kMinDecimals; p <= kMaxDecimals; ++p) {
                const std::string want
                    = either([&] { return generalNumberText(roundToDecimals(v, p)); });
                const std::string got = either([&] {
                    std::u16string out = u"x";
                    appendRoundedText(out, v, p);
                    return out.substr(1);
                });
                if (got != want)
                    return want + " != " + got + " at " + std::to_string(p);
            }
            return std::string();
        });
    }

    // The scaling by powers of ten rounds twice in Extended before the digits are taken, so
    // the engine's digits may be those of a neighbour of v within two units of its last bit.
    TEST(DigitsDifferential, ValueTextEqualsTheReference)
    {
        forEachValue("value text", 11, samples(), [](Extended v, std::size_t) {
            const std::string got = utf8(valueToText(v));
            Extended below = v, above = v;
            bool same = got == referenceValueText(v, 18) || got == referenceValueText(v, 19);
            for (int ulps = 0; ulps < 2 && !same && std::isfinite(v); ++ulps) {
                below = nextafterl(below, -HUGE_VALL);
                above = nextafterl(above, HUGE_VALL);
                for (const Extended near : { below, above })
                    same = same || got == referenceValueText(near, 18)
                        || got == referenceValueText(near, 19);
            }
            return same ? std::string() : referenceValueText(v, 18) + " != " + got;
        });
    }

} // namespace
} // namespace quarnis
