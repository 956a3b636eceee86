#pragma once

// The format of a picture file, told by its first bytes as every format states it there. A
// decoder that is told the format asks only the one reader it needs, instead of trying them
// all; on a slow drive each reader it would otherwise load is a library read from the drive.

#include <string_view>

namespace Launcher {

// The format's usual name ("gif", "png", "jpeg", "bmp", "ico", "cur"), or an empty name when the
// bytes begin like none of them, and the decoder has to find out itself.
std::string_view PictureFormatOf(std::string_view bytes);

}  // namespace Launcher
