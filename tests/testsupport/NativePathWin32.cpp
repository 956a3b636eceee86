#include "testsupport/NativePath.h"

namespace TestSupport {

std::u16string TextOfPath(const std::filesystem::path& path) {
    const std::wstring& native = path.native();
    return {native.begin(), native.end()};
}

std::filesystem::path PathOfText(std::u16string_view text) {
    return {std::wstring(text.begin(), text.end())};
}

}  // namespace TestSupport
