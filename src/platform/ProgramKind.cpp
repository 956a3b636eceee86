#include "platform/ProgramKind.h"

#include <algorithm>
#include <array>

#include "platform/FileReader.h"
#include "platform/Paths.h"

namespace Platform {

namespace {

bool HasWindowsExtension(std::u16string_view path) {
    const std::u16string name = NameOfPath(path);
    const auto dot = name.rfind(u'.');
    if (dot == std::u16string::npos) {
        return false;
    }
    std::u16string extension = name.substr(dot + 1);
    for (auto& c : extension) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    static constexpr std::array<std::u16string_view, 4> Extensions = {u"exe", u"com", u"bat",
                                                                      u"cmd"};
    return std::find(Extensions.begin(), Extensions.end(), extension) != Extensions.end();
}

}  // namespace

ProgramKind KindOfProgram(std::u16string_view path, std::string_view head) {
    // The content outranks the name: a script called "setup.cmd" is still a script.
    if (head.substr(0, 4) ==
        "\x7f"
        "ELF") {
        return ProgramKind::Elf;
    }
    if (head.substr(0, 2) == "#!") {
        return ProgramKind::Script;
    }
    if (head.substr(0, 2) == "MZ" || HasWindowsExtension(path)) {
        return ProgramKind::Windows;
    }
    return ProgramKind::Other;
}

std::string ProgramHead(const std::u16string& path) {
    const auto file = OpenFileReader(path);
    if (!file) {
        return {};
    }
    const auto length =
        static_cast<std::size_t>(std::min<std::uint64_t>(file->Size(), ProgramHeadBytes));
    return file->ReadAt(0, length).value_or(std::string());
}

}  // namespace Platform
