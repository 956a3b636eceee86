#pragma once

// File names on POSIX are bytes. They are read as UTF-8, but a byte that is not part of valid
// UTF-8 is carried as the code unit U+DC80 + byte and turned back into that byte on the way
// out, so every name a folder listing yields opens the same file again.

#include <string>
#include <string_view>

namespace Platform::Posix {

std::u16string DecodeFileName(std::string_view bytes);
std::string EncodeFileName(std::u16string_view name);

}  // namespace Platform::Posix
