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

        Extended verify1(Extended r, Extended x) { return verify(r, x, 0.0L); }

    } // namespace

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
