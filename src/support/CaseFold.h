#pragma once

// Comparing texts without regard to case, for finding an application by the first letters of
// its title. The core runs in no locale, so the pairs of capital and small letters are its
// own: Latin (ASCII, Latin-1, Latin Extended-A), Greek and Cyrillic, which covers the titles a
// European drive holds. Other characters compare as they are.

#include <string_view>

namespace Support {

char16_t FoldCase(char16_t c);

// Whether text begins with prefix, letter case aside; an empty prefix begins every text.
bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix);

}  // namespace Support
