#include "checked.h"

#include "runtime_error.h"

#include <cmath>

namespace quarnis {

void raise(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::ZeroDivide:
        throw RuntimeError(kind, kZeroDivideText);
    case ErrorKind::Invalid:
        throw RuntimeError(kind, kInvalidText);
    case ErrorKind::Overflow:
        throw RuntimeError(kind, kOverflowText);
    default:
        throw RuntimeError(kind, "Yazım Hatası...");
    }
}

namespace checked {

    namespace {

        // A result computed from the operands a and b: a NaN from non-NaN operands is an invalid
        // operation, an infinity from finite operands an overflow.
        Extended verify(Extended r, Extended a, Extended b)
        {
            if (std::isnan(r) && !std::isnan(a) && !std::isnan(b))
                raise(ErrorKind::Invalid);
            if (std::isinf(r) && std::isfinite(a) && std::isfinite(b))
                raise(ErrorKind::Overflow);
            return r;
        }

        Extended verify1(Extended r, Extended x) { return verify(r, x, 0.0L); }

    } // namespace

    Extended add(Extended a, Extended b) { return verify(a + b, a, b); }
    Extended sub(Extended a, Extended b) { return verify(a - b, a, b); }
    Extended mul(Extended a, Extended b) { return verify(a * b, a, b); }

    Extended div(Extended a, Extended b)
    {
        if (b == 0.0L && !std::isnan(a)) {
            if (a == 0.0L)
                raise(ErrorKind::Invalid); // 0/0
            if (std::isfinite(a))
                raise(ErrorKind::ZeroDivide);
        }
        return verify(a / b, a, b);
    }

    Extended sqrt(Extended x) { return verify1(sqrtl(x), x); }

    Extended ln(Extended x)
    {
        if (x == 0.0L)
            raise(ErrorKind::ZeroDivide);
        return verify1(logl(x), x);
    }

    Extended exp(Extended x) { return verify1(expl(x), x); }
    Extended sin(Extended x) { return verify1(sinl(x), x); }
    Extended cos(Extended x) { return verify1(cosl(x), x); }
    Extended atan(Extended x) { return verify1(atanl(x), x); }
    Extended roundInt(Extended x) { return verify1(rintl(x), x); }

    double toDouble(Extended x)
    {
        // The smallest magnitude that rounds to an infinity: DBL_MAX plus half its last unit
        // (the tie goes to the even neighbour, which is the infinity). Tested before the
        // conversion, which would otherwise be undefined.
        constexpr Extended kDoubleOverflow = 0x1.fffffffffffff8p1023L;
        if (std::isfinite(x) && fabsl(x) >= kDoubleOverflow)
            raise(ErrorKind::Overflow);
        return static_cast<double>(x);
    }

} // namespace checked
} // namespace quarnis
