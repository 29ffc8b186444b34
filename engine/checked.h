#pragma once
// Checked Extended operations: each behaves as the x87 with the zero-divide, invalid and
// overflow exceptions unmasked and raises a RuntimeError instead of giving an infinity or a
// NaN from finite operands. Underflow is silent (0 or a denormal). Operations on an infinity
// that is already there (a typed '1E6000') are no fault, as on the processor.

#include "extended.h"
#include "runtime_error.h"

#include <cmath>

namespace quarnis::checked {

// A result computed from the operands a and b: a NaN from non-NaN operands is an invalid
// operation, an infinity from finite operands an overflow. Inline, as the passes call the
// four operations for every number they combine.
inline Extended verify(Extended r, Extended a, Extended b)
{
    if (std::isnan(r) && !std::isnan(a) && !std::isnan(b)) [[unlikely]]
        raise(ErrorKind::Invalid);
    if (std::isinf(r) && std::isfinite(a) && std::isfinite(b)) [[unlikely]]
        raise(ErrorKind::Overflow);
    return r;
}

inline Extended add(Extended a, Extended b) { return verify(a + b, a, b); }
inline Extended sub(Extended a, Extended b) { return verify(a - b, a, b); }
inline Extended mul(Extended a, Extended b) { return verify(a * b, a, b); }

inline Extended div(Extended a, Extended b)
{
    if (b == 0.0L && !std::isnan(a)) [[unlikely]] {
        if (a == 0.0L)
            raise(ErrorKind::Invalid); // 0/0
        if (std::isfinite(a))
            raise(ErrorKind::ZeroDivide);
    }
    return verify(a / b, a, b);
}

Extended sqrt(Extended x);
Extended ln(Extended x);
Extended exp(Extended x);
Extended sin(Extended x);
Extended cos(Extended x);
Extended atan(Extended x);

// Round to an integer, halves to even (the processor's round-to-nearest mode).
Extended roundInt(Extended x);

// Store as a 64-bit Double, rounding to nearest: a finite value beyond the Double range
// (1E400) is an overflow; infinities pass as they are; tiny values become 0 or a denormal.
double toDouble(Extended x);

} // namespace quarnis::checked
