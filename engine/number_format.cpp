#include "number_format.h"

#include "checked.h"

#include <cassert>
#include <charconv>
#include <cmath>

namespace quarnis {

std::u16string GeneralNumberText(Extended v)
{
    if (std::isnan(v))
        return u"NAN";
    if (std::isinf(v))
        return v > 0 ? u"INF" : u"-INF";
    if (v == 0.0L || std::fpclassify(v) == FP_SUBNORMAL)
        return u"0";

    // 18 significant digits, correctly rounded: d.ddddddddddddddddde±x
    char buf[64];
    const auto res
        = std::to_chars(buf, buf + sizeof buf, fabsl(v), std::chars_format::scientific, 17);
    char digits[19];
    int n = 0;
    const char* q = buf;
    for (; q < res.ptr && *q != 'e'; ++q)
        if (*q != '.')
            digits[n++] = *q;
    int exp10 = 0; // v = d1.d2... * 10^exp10
    std::from_chars(q + 1 + (q[1] == '+'), res.ptr, exp10);

    // Then 15 significant digits, half up on the sixteenth.
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

    // 0.d1 d2 ... dn * 10^E
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

namespace {

    // The Extended nearest to 10^p and to 10^-p, for p = -1 .. 9.
    constexpr Extended kScaleUp[]
        = { 1e-1L, 1e0L, 1e1L, 1e2L, 1e3L, 1e4L, 1e5L, 1e6L, 1e7L, 1e8L, 1e9L };
    constexpr Extended kScaleDown[]
        = { 1e1L, 1e0L, 1e-1L, 1e-2L, 1e-3L, 1e-4L, 1e-5L, 1e-6L, 1e-7L, 1e-8L, 1e-9L };

} // namespace

Extended RoundToDecimals(Extended v, int p)
{
    assert(p >= kMinDecimals && p <= kMaxDecimals);
    const std::size_t i = static_cast<std::size_t>(p - kMinDecimals);
    return checked::mul(checked::roundInt(checked::mul(v, kScaleUp[i])), kScaleDown[i]);
}

} // namespace quarnis
