#include "launcher/PictureFormat.h"

#include <array>
#include <utility>

namespace Launcher {

std::string_view PictureFormatOf(std::string_view bytes) {
    using namespace std::string_view_literals;
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kSignatures{{
        {"GIF87a"sv, "gif"sv},
        {"GIF89a"sv, "gif"sv},
        {"\x89PNG\r\n\x1a\n"sv, "png"sv},
        {"\xFF\xD8\xFF"sv, "jpeg"sv},
        {"BM"sv, "bmp"sv},
        {"\0\0\1\0"sv, "ico"sv},
        {"\0\0\2\0"sv, "cur"sv},
    }};
    for (const auto& [signature, format] : kSignatures) {
        if (bytes.starts_with(signature)) {
            return format;
        }
    }
    return {};
}

}  // namespace Launcher
