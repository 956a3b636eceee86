#include "platform/posix/FileNameCodec.h"

#include "support/TextCodec.h"

namespace Platform::Posix {

namespace {

constexpr char16_t kEscapeBase = 0xDC80;

}  // namespace

std::u16string DecodeFileName(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (const auto cp = TextCodec::DecodeUtf8At(bytes, i)) {
            TextCodec::AppendUtf16(out, *cp);
        } else {
            out.push_back(
                static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i])));
            ++i;
        }
    }
    return out;
}

std::string EncodeFileName(std::u16string_view name) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        const char32_t cp = TextCodec::CodePointAt(name, i);
        if (cp >= kEscapeBase + 0x80 && cp <= kEscapeBase + 0xFF) {
            out.push_back(static_cast<char>(cp - kEscapeBase));
        } else {
            TextCodec::AppendUtf8(out, cp);
        }
    }
    return out;
}

}  // namespace Platform::Posix
