#pragma once

// Conversion between the program's 16-bit texts and the 8-bit world of files and file names.
//
// File content: written as UTF-8. Read as UTF-8 when the whole file is valid UTF-8, otherwise
// as Windows-1252, so that notes and descriptors written on Windows read correctly. Lone
// surrogates (which no valid UTF-16 text holds, but a text box may) are written in the UTF-8
// form of their code unit and read back as the same code unit, so no typed character is lost.
//
// File names: UTF-8 as well, but a byte that is not part of valid UTF-8 is carried as the code
// unit U+DC80 + byte and turned back into that byte on the way out, so every name a folder
// listing yields opens the same file again.

#include <cstdint>
#include <string>
#include <string_view>

namespace TextCodec {

std::u16string DecodeFileText(std::string_view bytes);
std::string EncodeFileText(std::u16string_view text);

std::u16string DecodeFileName(std::string_view bytes);
std::string EncodeFileName(std::u16string_view name);

// The character of an 8-bit code (Windows-1252); codes without a character there map to the
// control character of the same value, as Windows does.
char16_t CharFromCode(std::uint8_t code);

// UTF-8 literals and messages from the system (strerror, locale data) into a text.
std::u16string FromUtf8(std::string_view utf8);
std::string ToUtf8(std::u16string_view text);

}  // namespace TextCodec
