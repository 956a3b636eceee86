#pragma once

// The one rounding rule of the system: to the nearest integer, a half to the even neighbour.
// Written out rather than left to std::nearbyint so that it does not hang on the floating-point
// environment's current rounding mode.

#include <cmath>
#include <cstdint>
#include <limits>

namespace Support {

inline double RoundHalfEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5) {
        return lower + 1.0;
    }
    if (fraction < 0.5) {
        return lower;
    }
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

// Rounded and held within a signed 32-bit integer; NaN gives 0.
inline std::int32_t RoundToInt32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double rounded = RoundHalfEven(value);
    if (rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace Support
