#pragma once

// The middle of a benchmark's repeated timings: one slow run (the machine busy elsewhere) moves
// it less than it moves the mean.

#include <algorithm>
#include <vector>

namespace Bench {

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace Bench
