#include "support/MVb6Functions.h"

#include <algorithm>
#include <cstddef>

namespace MVb6Functions {
namespace {

// Folds the letters of the Latin, Greek and Cyrillic alphabets that have a one-to-one lower
// case in the Basic Multilingual Plane; that covers the names found on a drive.
char16_t FoldCase(char16_t c) {
    if (c < 0x80) {
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return static_cast<char16_t>(c + 0x20);
    }
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
        return static_cast<char16_t>(c | 1U);
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
        return (c % 2 == 1) ? static_cast<char16_t>(c + 1) : c;
    }
    if (c == 0x178) {
        return 0xFF;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c >= 0x410 && c <= 0x42F) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c >= 0x400 && c <= 0x40F) {
        return static_cast<char16_t>(c + 0x50);
    }
    return c;
}

bool MatchesAt(const std::u16string& text, std::size_t at, const std::u16string& pattern,
               bool ignoreCase) {
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        const char16_t a = text[at + k];
        const char16_t b = pattern[k];
        if (a != b && (!ignoreCase || FoldCase(a) != FoldCase(b))) {
            return false;
        }
    }
    return true;
}

// The forward search all three functions share: the 1-based position of the first occurrence
// of pattern that begins at or after start, or 0.
std::int32_t FindForward(std::int64_t start, const std::u16string& text,
                         const std::u16string& pattern, bool ignoreCase) {
    if (pattern.empty() || pattern.size() > text.size()) {
        return 0;
    }
    start = std::max<std::int64_t>(start, 1);
    const auto lastFit = static_cast<std::int64_t>(text.size() - pattern.size()) + 1;
    for (std::int64_t p = start; p <= lastFit; ++p) {
        if (MatchesAt(text, static_cast<std::size_t>(p - 1), pattern, ignoreCase)) {
            return static_cast<std::int32_t>(p);
        }
    }
    return 0;
}

}  // namespace

std::int32_t InStrRev(const std::u16string& StringCheck, const std::u16string& StringMatch,
                      std::int32_t Start, std::int32_t Compare) {
    const bool ignoreCase = Compare != 0;
    std::size_t length = StringCheck.size();
    if (Start >= 0 && static_cast<std::size_t>(Start) < length) {
        length = static_cast<std::size_t>(Start);
    }
    if (StringMatch.empty() || StringMatch.size() > length) {
        return 0;
    }
    // Searching backwards finds the same last (possibly overlapping) occurrence that repeated
    // forward searches would, in one pass.
    for (std::size_t at = length - StringMatch.size() + 1; at-- > 0;) {
        if (MatchesAt(StringCheck, at, StringMatch, ignoreCase)) {
            return static_cast<std::int32_t>(at + 1);
        }
    }
    return 0;
}

std::u16string Replace(const std::u16string& Expression, const std::u16string& Find,
                       const std::u16string& ReplaceWith, std::int32_t Start, std::int32_t Count,
                       std::int32_t Compare) {
    if (Find.empty() || Find == ReplaceWith) {
        return Expression;
    }
    const bool ignoreCase = Compare != 0;
    // Replacing in place would rebuild the text once per match. Since the search resumes right
    // after the inserted text, it is the same as copying the original and skipping each match.
    std::u16string result;
    std::int32_t replacements = 0;
    std::size_t copiedUpTo = 0;  // 0-based index into Expression
    std::int32_t a = FindForward(Start, Expression, Find, ignoreCase);
    while (a != 0) {
        ++replacements;
        const auto at = static_cast<std::size_t>(a - 1);
        result.append(Expression, copiedUpTo, at - copiedUpTo);
        result.append(ReplaceWith);
        copiedUpTo = at + Find.size();
        if (Count != -1 && replacements >= Count) {
            break;
        }
        a = FindForward(static_cast<std::int64_t>(copiedUpTo) + 1, Expression, Find, ignoreCase);
    }
    result.append(Expression, copiedUpTo, std::u16string::npos);
    return result;
}

std::vector<std::u16string> Split(const std::u16string& Expression, const std::u16string& Delimiter,
                                  std::int32_t Limit, std::int32_t Compare) {
    std::vector<std::u16string> pieces;
    if (Limit == 0) {
        return pieces;
    }
    if (Delimiter.empty()) {
        pieces.push_back(Expression);
        return pieces;
    }
    const bool ignoreCase = Compare != 0;
    std::int64_t a = 1;
    std::int32_t c = FindForward(1, Expression, Delimiter, ignoreCase);
    while (c != 0) {
        if (static_cast<std::int64_t>(pieces.size()) + 1 == Limit) {
            pieces.push_back(Expression.substr(static_cast<std::size_t>(a - 1)));
            return pieces;
        }
        pieces.push_back(
            Expression.substr(static_cast<std::size_t>(a - 1), static_cast<std::size_t>(c - a)));
        a = c + static_cast<std::int64_t>(Delimiter.size());
        c = FindForward(a, Expression, Delimiter, ignoreCase);
    }
    pieces.push_back(Expression.substr(static_cast<std::size_t>(a - 1)));
    return pieces;
}

}  // namespace MVb6Functions
