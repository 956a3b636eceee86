#include "platform/Paths.h"

#include <array>

namespace Platform {

namespace {

bool IsAsciiLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

char16_t UpperAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// Position just after the component that starts at from, and its separator if there is one.
std::size_t PastComponent(std::u16string_view path, std::size_t from, PathStyle style) {
    while (from < path.size() && !IsPathSeparator(path[from], style)) {
        ++from;
    }
    return from < path.size() ? from + 1 : from;
}

// "\\server\share\", "\\?\E:\", "\\?\UNC\server\share\", "\\.\device\": the path starts
// with two separators.
std::size_t DoubleSeparatorRootLength(std::u16string_view path, PathStyle style) {
    const bool device =
        path.size() >= 4 && (path[2] == u'?' || path[2] == u'.') && IsPathSeparator(path[3], style);
    if (!device) {
        return PastComponent(path, PastComponent(path, 2, style), style);  // server, share
    }
    const std::u16string_view rest = path.substr(4);
    if (rest.size() >= 2 && IsAsciiLetter(rest[0]) && rest[1] == u':') {
        return 4 + (rest.size() >= 3 && IsPathSeparator(rest[2], style) ? 3 : 2);
    }
    if (rest.size() >= 4 && UpperAscii(rest[0]) == u'U' && UpperAscii(rest[1]) == u'N' &&
        UpperAscii(rest[2]) == u'C' && IsPathSeparator(rest[3], style)) {
        return PastComponent(path, PastComponent(path, 8, style), style);
    }
    return PastComponent(path, 4, style);
}

}  // namespace

char16_t SeparatorOf(PathStyle style) {
    return style == PathStyle::Windows ? u'\\' : u'/';
}

bool IsPathSeparator(char16_t c, PathStyle style) {
    return c == u'/' || (style == PathStyle::Windows && c == u'\\');
}

std::size_t RootLength(std::u16string_view path, PathStyle style) {
    if (path.empty()) {
        return 0;
    }
    if (style == PathStyle::Posix) {
        return path[0] == u'/' ? 1 : 0;
    }
    if (path.size() >= 2 && IsPathSeparator(path[0], style) && IsPathSeparator(path[1], style)) {
        return DoubleSeparatorRootLength(path, style);
    }
    if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == u':') {
        return path.size() >= 3 && IsPathSeparator(path[2], style) ? 3 : 2;
    }
    return IsPathSeparator(path[0], style) ? 1 : 0;
}

bool IsRootPath(std::u16string_view path, PathStyle style) {
    return !path.empty() && RootLength(path, style) == path.size();
}

bool EndsWithSeparator(std::u16string_view path, PathStyle style) {
    return !path.empty() && IsPathSeparator(path.back(), style);
}

std::size_t LastSeparator(std::u16string_view path, PathStyle style) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (IsPathSeparator(path[i - 1], style)) {
            return i - 1;
        }
    }
    return std::u16string_view::npos;
}

std::u16string WithTrailingSeparator(std::u16string path, PathStyle style) {
    if (!path.empty() && !EndsWithSeparator(path, style)) {
        path += SeparatorOf(style);
    }
    return path;
}

std::u16string WithoutTrailingSeparators(std::u16string path, PathStyle style) {
    const std::size_t root = RootLength(path, style);
    while (path.size() > root && EndsWithSeparator(path, style)) {
        path.pop_back();
    }
    return path;
}

std::u16string FolderOfPath(std::u16string_view path, PathStyle style) {
    const std::size_t root = RootLength(path, style);
    const std::size_t separator = LastSeparator(path, style);
    if (separator == std::u16string_view::npos || separator < root) {
        return std::u16string(path.substr(0, root));
    }
    return WithoutTrailingSeparators(std::u16string(path.substr(0, separator + 1)), style);
}

std::u16string NameOfPath(std::u16string_view path, PathStyle style) {
    const std::size_t root = RootLength(path, style);
    const std::size_t separator = LastSeparator(path, style);
    const std::size_t start =
        separator == std::u16string_view::npos || separator < root ? root : separator + 1;
    return std::u16string(path.substr(start));
}

std::u16string ChildPath(const std::u16string& folder, const std::u16string& name,
                         PathStyle style) {
    if (folder.empty()) {
        return name;
    }
    std::u16string path = WithTrailingSeparator(folder, style);
    path += name;
    return path;
}

bool IsDeviceName(std::u16string_view name) {
    std::u16string base(name.substr(0, name.find(u'.')));
    while (!base.empty() && (base.back() == u' ' || base.back() == u'.')) {
        base.pop_back();
    }
    for (auto& c : base) {
        c = UpperAscii(c);
    }
    static constexpr std::array<std::u16string_view, 6> kPlain = {u"CON", u"PRN",    u"AUX",
                                                                  u"NUL", u"CONIN$", u"CONOUT$"};
    for (const auto device : kPlain) {
        if (base == device) {
            return true;
        }
    }
    return base.size() == 4 && (base.starts_with(u"COM") || base.starts_with(u"LPT")) &&
           base[3] >= u'1' && base[3] <= u'9';
}

}  // namespace Platform
