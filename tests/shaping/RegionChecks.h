#pragma once

// Checks shared by the region tests.

#include <gtest/gtest.h>

#include <cstdint>

#include "shaping/Region.h"

namespace TestShaping {

// The rectangles are what a window mask is built from: each non-empty, none overlapping
// another, in bands from top to bottom with the rectangles of a band left to right and apart.
inline void ExpectWellFormed(const Shaping::Region& region) {
    const auto rects = region.Rectangles();
    EXPECT_EQ(region.IsEmpty(), rects.empty());
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const auto& r = rects[i];
        EXPECT_LT(r.Left, r.Right);
        EXPECT_LT(r.Top, r.Bottom);
        if (i == 0) {
            continue;
        }
        const auto& p = rects[i - 1];
        const bool sameBand = p.Top == r.Top && p.Bottom == r.Bottom;
        if (sameBand) {
            EXPECT_LT(p.Right, r.Left) << "touching or overlapping spans in one band";
        } else {
            EXPECT_LE(p.Bottom, r.Top) << "bands overlap or are out of order";
        }
    }
}

// True when no pixel of the region lies outside (left, top)-(right, bottom).
inline bool RegionWithin(const Shaping::Region& region, std::int32_t left, std::int32_t top,
                         std::int32_t right, std::int32_t bottom) {
    for (const auto& r : region.Rectangles()) {
        if (r.Left < left || r.Top < top || r.Right > right || r.Bottom > bottom) {
            return false;
        }
    }
    return true;
}

}  // namespace TestShaping
