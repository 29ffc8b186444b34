// Differential checks of the engine's own digit generation: the general number text must
// equal, byte for byte, the text built from the C library's correctly rounded conversion, and
// the value text that of the value or of a neighbour within its scaling's rounding, over
// millions of values:
// random bit patterns of the whole Extended range, the magnitudes in everyday use, values at
// and next to the rounding boundaries of the 18th, the 15th and the 9th decimal, and the
// limits of the range. QUARNIS_DIGITS_SAMPLES sets the number of values per family.

#include "engine/number_format.h"
#include "engine/number_text.h"
#include "test_text.h"

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

    // The value text from the C library's correctly rounded digits of |x|: for |x| < 16 its
    // seventeen decimals, beyond that `significant` digits (18, or 19 where the scaling ends
    // between 10 and 16). From 2^120 up: two significant digits and a four-digit exponent;
    // below: nine decimals, cut from those digits rounding half up.
    std::string referenceValueText(Extended x, int significant)
    {
        if (std::isnan(x))
            return "Nan";
        if (std::isinf(x))
            return x > 0 ? "+Inf" : "-Inf";
        std::string out = std::signbit(x) ? "-" : "";
        const Extended a = fabsl(x);
        char buf[96];
        std::string digits; // with the decimal point after pointAt of them
        int pointAt = 0;
        if (a < 16) {
            std::snprintf(buf, sizeof buf, "%.17Lf", a);
            for (const char* p = buf; *p; ++p)
                *p == '.' ? void(pointAt = int(p - buf)) : void(digits += *p);
        } else {
            std::snprintf(buf, sizeof buf, "%.*Le", significant - 1, a);
            const char* p = buf;
            for (; *p != 'e'; ++p)
                if (*p != '.')
                    digits += *p;
            pointAt = std::atoi(p + 1) + 1;
        }
        // Keeps the first n digits, rounding half up; a carry out of the first digit puts a
        // "1" in front. Gives whether it did.
        const auto keepRoundingHalfUp = [&digits](std::size_t n) {
            const bool up = digits.size() > n && digits[n] >= '5';
            digits.resize(n);
            for (std::size_t i = n; up && i-- > 0;) {
                if (digits[i] != '9') {
                    ++digits[i];
                    return false;
                }
                digits[i] = '0';
            }
            if (up)
                digits.insert(digits.begin(), '1');
            return up;
        };
        if (a >= 0x1p120L) {
            int exponent = pointAt - 1;
            if (significant == 19) {
                keepRoundingHalfUp(3); // then cut to two
            } else if (keepRoundingHalfUp(2)) {
                ++exponent;
            }
            char e[8];
            std::snprintf(e, sizeof e, "%04d", exponent);
            return out + digits[0] + "." + digits[1] + "E+" + e;
        }
        const std::size_t keep = std::size_t(pointAt) + 9;
        if (digits.size() > keep && keepRoundingHalfUp(keep))
            ++pointAt;
        digits.resize(std::size_t(pointAt) + 9, '0');
        return out + digits.substr(0, std::size_t(pointAt)) + "."
            + digits.substr(std::size_t(pointAt));
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

    // The scaling by powers of ten rounds twice in Extended before the digits are taken, so
    // the engine's digits may be those of a neighbour of v within two units of its last bit.
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
                const std::string got = utf8(ValueToText(v));
                Extended below = v, above = v;
                bool same = got == referenceValueText(v, 18) || got == referenceValueText(v, 19);
                for (int ulps = 0; ulps < 2 && !same && std::isfinite(v); ++ulps) {
                    below = nextafterl(below, -HUGE_VALL);
                    above = nextafterl(above, HUGE_VALL);
                    for (const Extended near : { below, above })
                        same = same || got == referenceValueText(near, 18)
                            || got == referenceValueText(near, 19);
                }
                if (!same) {
                    ADD_FAILURE() << referenceValueText(v, 18) << " != " << got;
                    return;
                }
            }
        }
        std::printf("value text: %zu values equal\n", checked);
    }

} // namespace
} // namespace quarnis
