#pragma once

// The size an icon may have. A picture whose header claims more is one that cannot be loaded:
// it is refused before its pixels are decoded, so a few bytes claiming 5000 by 5000 pixels
// cannot make the program allocate a hundred megabytes. Both front-ends' decoders ask
// PictureFits between reading a picture's header and decoding its pixels.

#include <string_view>

namespace Launcher {

inline constexpr int MaxPictureSide = 1024;

// Whether a picture may be decoded: width and height, as the decoder read them from the header
// of bytes, are each 1 to MaxPictureSide, and a GIF's logical screen is no larger either.
// Decoders report a GIF's first frame's own rectangle, which may be far smaller than the
// screen they then paint it on; other formats state their one size, which decoders report.
bool PictureFits(std::string_view bytes, int width, int height);

}  // namespace Launcher
