#pragma once
// Checked Extended operations: each behaves as the x87 with the zero-divide, invalid and
// overflow exceptions unmasked and raises a RuntimeError instead of giving an infinity or a
// NaN from finite operands. Underflow is silent (0 or a denormal). Operations on an infinity
// that is already there (a typed '1E6000') are no fault, as on the processor.

#include "extended.h"

namespace quarnis::checked {

Extended add(Extended a, Extended b);
Extended sub(Extended a, Extended b);
Extended mul(Extended a, Extended b);
Extended div(Extended a, Extended b);

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
