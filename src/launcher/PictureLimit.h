#pragma once

// The size an icon may have. A picture whose header claims more is one that cannot be loaded:
// it is refused before its pixels are decoded, so a few bytes claiming 5000 by 5000 pixels
// cannot make the program allocate a hundred megabytes. Both front-ends' decoders apply it.

#include <string_view>

namespace Launcher {

inline constexpr int MaxPictureSide = 1024;

// Whether the header of a GIF claims a logical screen wider or taller than MaxPictureSide.
// Decoders report the first frame's own rectangle, which may be far smaller than the screen
// they then paint it on; other formats state their one size, which decoders report.
bool GifScreenTooLarge(std::string_view bytes);

}  // namespace Launcher
