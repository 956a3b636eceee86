#pragma once

// The icon a Windows program carries in its resources, read without the system's help, so
// that the Linux edition can show it. Only the headers and the resource directory are read,
// in small reads: a 2 GB program costs a few kilobytes. The program's first icon group is
// followed to the entry that suits the size wanted, which is handed back as a picture the
// toolkit decodes itself: a PNG-coded entry as the PNG it is, any other as a one-entry .ico.
//
// Whatever the file says is checked before it is used: nothing is read outside the file or
// outside the resource section, counts are bounded, the resource tree is walked to its fixed
// depth only (so no offset can lead round in a loop), and a picture whose own header claims
// more than MaxPictureSide (PictureLimit.h) is refused like any other picture.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/FileReader.h"

namespace Launcher {

// The icon entry nearest to side pixels: the largest that is not larger, else the smallest
// above it; of equal sizes the one with the most colours. Nothing when the file is no Windows
// program, has no icon, or is malformed anywhere on the way to the picture.
std::optional<std::string> ExecutableIcon(Platform::FileReader& file, int side);

std::optional<std::string> ExecutableIconOfFile(const std::u16string& path, int side);

}  // namespace Launcher
