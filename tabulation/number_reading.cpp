#include "number_reading.h"

#include "engine/checked.h"
#include "engine/runtime_error.h"
#include "engine/utf.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quarnis {

namespace {

    bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

    // Whole numbers of up to 19 digits (below 2^64) and the powers of ten up to 10^27
    // (5^27 < 2^64) have exact Extended values.
    constexpr int kExactDigits = 19;
    constexpr int kExactPowers = 27;
    constexpr auto kPowersOfTen = [] {
        std::array<Extended, kExactPowers + 1> powers {};
        Extended p = 1;
        for (Extended& power : powers) {
            power = p;
            p *= 10;
        }
        return powers;
    }();

    int hexDigit(char16_t c)
    {
        if (isDigit(c))
            return c - u'0';
        if (c >= u'a' && c <= u'f')
            return c - u'a' + 10;
        if (c >= u'A' && c <= u'F')
            return c - u'A' + 10;
        return -1;
    }

} // namespace

// Both texts are built by appending: GCC 12 at -O2 and above warns (-Wrestrict) about the
// inlined insert at the front that `"'" + std::string` makes, a false alarm of that compiler.
static std::string quoted(std::u16string_view text, const char* quote, const char* rest)
{
    std::string out = quote;
    out += utf16ToUtf8(text);
    out += quote;
    out += rest;
    return out;
}

std::string notAFloatText(std::u16string_view text)
{
    return quoted(text, "'", " is not a valid floating point value");
}

std::string notAnIntegerText(std::u16string_view text)
{
    return quoted(text, "''", " is not a valid integer value");
}

// Skips leading blanks and reads an optional "+" or "-"; gives true for "-".
static bool readLeadingSign(std::u16string_view text, std::size_t& i)
{
    while (i < text.size() && text[i] == u' ')
        ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        return text[i++] == u'-';
    return false;
}

std::optional<Extended> tryReadNumber(std::u16string_view text)
{
    const std::size_t n = text.size();
    std::size_t i = 0;
    const bool negative = readLeadingSign(text, i);

    // The mantissa as ASCII for from_chars, and the decimal exponent of its first
    // significant digit (150 has 2, 1.5 has 0, 0.05 has -2), to tell overflow from underflow.
    // Alongside, the significant digits as a whole number while they fit 19 digits, and the
    // number of digits after the point.
    std::string ascii;
    bool anyChar = false, point = false, significant = false;
    long long integerDigits = 0, leadingFractionZeros = 0;
    std::uint64_t digits = 0;
    int digitCount = 0, fractionDigits = 0;
    for (; i < n && (isDigit(text[i]) || text[i] == u'.'); ++i) {
        anyChar = true;
        if (text[i] == u'.') {
            if (point)
                return std::nullopt;
            point = true;
            ascii += '.';
            continue;
        }
        significant = significant || text[i] != u'0';
        if (!point && significant)
            ++integerDigits;
        else if (point && !significant)
            ++leadingFractionZeros;
        if (significant && ++digitCount <= kExactDigits)
            digits = digits * 10 + (text[i] - u'0');
        fractionDigits += point;
        ascii += static_cast<char>(text[i]);
    }
    if (!anyChar)
        return std::nullopt;
    const long long leadExponent
        = integerDigits > 0 ? integerDigits - 1 : -(leadingFractionZeros + 1);

    long long exponent = 0;
    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            negativeExponent = text[i++] == u'-';
        for (; i < n && isDigit(text[i]); ++i)
            if (exponent < 1000000)
                exponent = exponent * 10 + (text[i] - u'0');
        if (negativeExponent)
            exponent = -exponent;
    }
    while (i < n && text[i] == u' ')
        ++i;
    if (i != n)
        return std::nullopt;
    if (!significant)
        return negative ? -0.0L : 0.0L; // "0", ".", "0.000E99999"

    // Up to 19 digits and a power of ten up to 27 are both exact in Extended, so one
    // multiplication or division rounds once and gives what from_chars gives: "12.34567" is
    // 1234567 / 10^5. The tabulation's lines are read back this way.
    const long long scale = exponent - fractionDigits;
    if (digitCount <= kExactDigits && scale >= -kExactPowers && scale <= kExactPowers) {
        const Extended power = kPowersOfTen[scale < 0 ? -scale : scale];
        const Extended value = scale < 0 ? Extended(digits) / power : Extended(digits) * power;
        return negative ? -value : value;
    }

    ascii += 'e';
    ascii += std::to_string(exponent);
    Extended value = 0;
    const auto res = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        if (leadExponent + exponent > 0)
            raise(ErrorKind::Overflow);
        value = 0;
    }
    return negative ? -value : value;
}

Extended readNumber(std::u16string_view text)
{
    const std::optional<Extended> v = tryReadNumber(text);
    if (!v)
        throw RuntimeError(ErrorKind::Conversion, notAFloatText(text));
    return *v;
}

double readDouble(std::u16string_view text) { return checked::toDouble(readNumber(text)); }

std::optional<double> tryReadDouble(std::u16string_view text)
{
    try {
        const std::optional<Extended> v = tryReadNumber(text);
        if (!v)
            return std::nullopt;
        return checked::toDouble(*v);
    } catch (const RuntimeError&) {
        return std::nullopt; // beyond the Double range
    }
}

std::optional<std::int32_t> tryReadWholeNumber(std::u16string_view text)
{
    const std::size_t n = text.size();
    std::size_t i = 0;
    const bool negative = readLeadingSign(text, i);
    int base = 10;
    if (i < n && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == n)
        return std::nullopt;
    // Magnitude up to 2^31, the largest a negative value may have.
    constexpr std::int64_t kLimit = std::int64_t { 1 } << 31;
    std::int64_t magnitude = 0;
    for (; i < n; ++i) {
        const int d = base == 16 ? hexDigit(text[i]) : (isDigit(text[i]) ? text[i] - u'0' : -1);
        if (d < 0)
            return std::nullopt;
        magnitude = magnitude * base + d;
        if (magnitude > kLimit)
            return std::nullopt;
    }
    if (!negative && magnitude == kLimit)
        return std::nullopt;
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::int32_t readWholeNumber(std::u16string_view text)
{
    const std::optional<std::int32_t> v = tryReadWholeNumber(text);
    if (!v)
        throw RuntimeError(ErrorKind::Conversion, notAnIntegerText(text));
    return *v;
}

} // namespace quarnis
