#include "support/TextCodec.h"

#include <array>
#include <optional>

namespace TextCodec {
namespace {

// Windows-1252 0x80..0x9F; the five undefined codes keep their own value.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsContinuation(unsigned char b) {
    return (b & 0xC0U) == 0x80U;
}

// Decodes one UTF-8 sequence at bytes[i]. Accepts the 3-byte form of a surrogate code unit
// only when allowSurrogates is set. Returns the code point and advances i, or nothing.
std::optional<char32_t> DecodeOne(std::string_view bytes, std::size_t& i, bool allowSurrogates) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0U) == 0xC0U) {
        length = 2;
        cp = b0 & 0x1FU;
        minimum = 0x80;
    } else if ((b0 & 0xF0U) == 0xE0U) {
        length = 3;
        cp = b0 & 0x0FU;
        minimum = 0x800;
    } else if ((b0 & 0xF8U) == 0xF0U) {
        length = 4;
        cp = b0 & 0x07U;
        minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (i + length > bytes.size()) {
        return std::nullopt;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(bytes[i + k]);
        if (!IsContinuation(b)) {
            return std::nullopt;
        }
        cp = (cp << 6U) | (b & 0x3FU);
    }
    if (cp < minimum || cp > 0x10FFFF) {
        return std::nullopt;
    }
    if (cp >= 0xD800 && cp <= 0xDFFF && !allowSurrogates) {
        return std::nullopt;
    }
    i += length;
    return cp;
}

}  // namespace

void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10U)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FFU)));
    } else {
        out.push_back(static_cast<char16_t>(cp));
    }
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0U | (cp >> 6U)));
        out.push_back(static_cast<char>(0x80U | (cp & 0x3FU)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0U | (cp >> 12U)));
        out.push_back(static_cast<char>(0x80U | ((cp >> 6U) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | (cp & 0x3FU)));
    } else {
        out.push_back(static_cast<char>(0xF0U | (cp >> 18U)));
        out.push_back(static_cast<char>(0x80U | ((cp >> 12U) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | ((cp >> 6U) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | (cp & 0x3FU)));
    }
}

char32_t CodePointAt(std::u16string_view text, std::size_t& i) {
    const char16_t c = text[i++];
    if (c >= 0xD800 && c <= 0xDBFF && i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF) {
        return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10U) +
               (static_cast<char32_t>(text[i++]) - 0xDC00);
    }
    return c;
}

std::optional<char32_t> DecodeUtf8At(std::string_view bytes, std::size_t& i) {
    return DecodeOne(bytes, i, false);
}

namespace {

std::optional<std::u16string> DecodeUtf8Strict(std::string_view bytes, bool allowSurrogates) {
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto cp = DecodeOne(bytes, i, allowSurrogates);
        if (!cp) {
            return std::nullopt;
        }
        AppendUtf16(out, *cp);
    }
    return out;
}

}  // namespace

char16_t CharFromCode(std::uint8_t code) {
    if (code >= 0x80 && code <= 0x9F) {
        return kCp1252High[code - 0x80];
    }
    return static_cast<char16_t>(code);
}

std::u16string DecodeFileText(std::string_view bytes) {
    if (auto text = DecodeUtf8Strict(bytes, true)) {
        return *std::move(text);
    }
    std::u16string out;
    out.reserve(bytes.size());
    for (const char b : bytes) {
        out.push_back(CharFromCode(static_cast<std::uint8_t>(b)));
    }
    return out;
}

std::string EncodeFileText(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        AppendUtf8(out, CodePointAt(text, i));
    }
    return out;
}

FileEncoding EncodingOfFileText(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (!DecodeOne(bytes, i, true)) {
            return FileEncoding::CodePage;
        }
    }
    return FileEncoding::Utf8;
}

std::optional<std::uint8_t> CodeFromChar(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<std::uint8_t>(c);
    }
    for (std::uint8_t code = 0x80; code <= 0x9F; ++code) {
        if (CharFromCode(code) == c) {
            return code;
        }
    }
    return std::nullopt;
}

std::string EncodeFileText(std::u16string_view text, FileEncoding encoding) {
    if (encoding == FileEncoding::CodePage) {
        std::string out;
        out.reserve(text.size());
        for (const char16_t c : text) {
            const auto code = CodeFromChar(c);
            if (!code) {
                return EncodeFileText(text);  // not every character fits: UTF-8, none lost
            }
            out.push_back(static_cast<char>(*code));
        }
        return out;
    }
    return EncodeFileText(text);
}

std::u16string FromUtf8(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (const auto cp = DecodeOne(utf8, i, false)) {
            AppendUtf16(out, *cp);
        } else {
            out.push_back(u'\uFFFD');
            ++i;
        }
    }
    return out;
}

std::string ToUtf8(std::u16string_view text) {
    return EncodeFileText(text);
}

}  // namespace TextCodec
