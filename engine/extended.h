#pragma once
// Extended: the 80-bit x87 floating-point type every computation of the engine uses.

#include <cfloat>

namespace quarnis {

static_assert(LDBL_MANT_DIG == 64, "Extended must be the x87 80-bit format (64-bit mantissa)");

using Extended = long double;

} // namespace quarnis
