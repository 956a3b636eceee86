#pragma once

// The behaviour classes measure in twips; Qt measures in device-independent pixels, which are
// 96 to the inch on every screen (Qt scales them on high-dpi screens), so one pixel is always
// 15 twips here.

#include "support/RoundHalfEven.h"

namespace QtUi {

inline constexpr double TwipsPerPixel = 15.0;

// Whole pixels for a layout or window position, halves to the even neighbour as everywhere in
// the program.
inline int PixelsFromTwips(double twips) {
    return Support::RoundToInt32(twips / TwipsPerPixel);
}

inline double TwipsFromPixels(double pixels) {
    return pixels * TwipsPerPixel;
}

}  // namespace QtUi
