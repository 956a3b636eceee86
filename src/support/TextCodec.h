#pragma once

// Conversion between the program's 16-bit texts and the bytes of files.
//
// File content: written as UTF-8. Read as UTF-8 when the whole file is valid UTF-8, otherwise
// as Windows-1252, so that notes and descriptors written on Windows read correctly. Lone
// surrogates (which no valid UTF-16 text holds, but a text box may) are written in the UTF-8
// form of their code unit and read back as the same code unit, so no typed character is lost.
//
// File names are the platform's business (see platform/posix/FileNameCodec.h).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace TextCodec {

std::u16string DecodeFileText(std::string_view bytes);
std::string EncodeFileText(std::u16string_view text);

// How a file's bytes were read: UTF-8, or the 8-bit code page. A file read from the code page
// is written back in it while every character fits, so that one edit does not change the
// encoding of a file other programs read; a text the code page cannot hold is written as UTF-8.
enum class FileEncoding { Utf8, CodePage };
FileEncoding EncodingOfFileText(std::string_view bytes);
std::string EncodeFileText(std::u16string_view text, FileEncoding encoding);
// The code of a character in the code page; nothing when it has none.
std::optional<std::uint8_t> CodeFromChar(char16_t c);

// The character of an 8-bit code (Windows-1252); codes without a character there map to the
// control character of the same value, as Windows does.
char16_t CharFromCode(std::uint8_t code);

// UTF-8 literals and messages from the system (strerror, locale data) into a text; a byte that
// is not part of valid UTF-8 becomes U+FFFD.
std::u16string FromUtf8(std::string_view utf8);
std::string ToUtf8(std::u16string_view text);

// The building blocks, for codecs of the platform's own.
// One strict UTF-8 sequence at bytes[i] (no surrogates): the code point, and i moved past it.
std::optional<char32_t> DecodeUtf8At(std::string_view bytes, std::size_t& i);
void AppendUtf8(std::string& out, char32_t cp);
void AppendUtf16(std::u16string& out, char32_t cp);
// The code point at text[i] (a lone surrogate stands for itself), and i moved past it.
char32_t CodePointAt(std::u16string_view text, std::size_t& i);

}  // namespace TextCodec
