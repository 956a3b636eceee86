#pragma once

// Between std::filesystem paths, which tests build folders with, and the program's 16-bit
// texts: on Windows the same UTF-16 units, on POSIX the bytes of the name.

#include <filesystem>
#include <string>
#include <string_view>

namespace TestSupport {

std::u16string TextOfPath(const std::filesystem::path& path);
std::filesystem::path PathOfText(std::u16string_view text);

}  // namespace TestSupport
