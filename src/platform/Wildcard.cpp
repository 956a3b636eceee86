#include <cstddef>

#include "platform/FileSystem.h"

namespace Platform {
namespace {

char16_t FoldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

// Iterative '*' / '?' matcher with single backtracking point: linear in practice, never
// exponential on patterns like "*a*a*a*b".
bool Glob(std::u16string_view name, std::u16string_view pattern) {
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starP = std::u16string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == u'?' || FoldAscii(pattern[p]) == FoldAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace

bool MatchesWildcard(std::u16string_view name, std::u16string_view pattern) {
    if (pattern.empty()) {
        return false;
    }
    if (Glob(name, pattern)) {
        return true;
    }
    // As on Windows, a trailing ".*" may also match the end of a name that has no extension.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == u".*") {
        return Glob(name, pattern.substr(0, pattern.size() - 2));
    }
    return false;
}

}  // namespace Platform
