#include "platform/win32/DevicePaths.h"

#include <string_view>

#include "platform/Paths.h"

namespace Platform::Win32 {

namespace {

bool IsAsciiLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool EqualsIgnoringAsciiCase(std::u16string_view text, std::u16string_view upper) {
    if (text.size() != upper.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const char16_t folded = (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
        if (folded != upper[i]) {
            return false;
        }
    }
    return true;
}

// "\\.\", "\\?\" and the kernel's own "\??\" reach the object namespace directly. Through
// them only a drive letter or UNC leads to files; everything else there (\\.\NUL, \\.\pipe\x,
// \\?\Volume{...}, \\.\C:\...) is a device or a volume opened raw.
bool InDeviceNamespace(std::u16string_view path) {
    const bool win32Prefix = path.size() >= 4 && IsPathSeparator(path[0]) &&
                             IsPathSeparator(path[1]) && (path[2] == u'.' || path[2] == u'?') &&
                             IsPathSeparator(path[3]);
    if (!win32Prefix && !path.starts_with(u"\\??\\")) {
        return false;
    }
    if (path[2] == u'.') {
        return true;
    }
    const std::u16string_view rest = path.substr(4);
    const bool drive =
        rest.size() >= 3 && IsAsciiLetter(rest[0]) && rest[1] == u':' && IsPathSeparator(rest[2]);
    const bool unc = rest.size() >= 4 && EqualsIgnoringAsciiCase(rest.substr(0, 3), u"UNC") &&
                     IsPathSeparator(rest[3]);
    return !drive && !unc;
}

// Windows opens a device for a reserved name as the last component, also behind a colon
// ("nul:", "nul:.txt", "x:con") and also where a file by that name exists. Under Wine
// GetFileAttributesW even reports such a path as an existing file, so the test is ours.
bool NamesDevice(std::u16string_view path) {
    const std::u16string name = NameOfPath(WithoutTrailingSeparators(std::u16string(path)));
    std::u16string_view rest = name;
    for (;;) {
        const std::size_t colon = rest.find(u':');
        if (IsDeviceName(rest.substr(0, colon))) {
            return true;
        }
        if (colon == std::u16string_view::npos) {
            return false;
        }
        rest.remove_prefix(colon + 1);
    }
}

}  // namespace

bool IsDevicePath(const std::u16string& path) {
    return InDeviceNamespace(path) || NamesDevice(path);
}

}  // namespace Platform::Win32
