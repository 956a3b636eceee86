#pragma once

// String functions for path and list handling. Positions are 1-based and 0 means "not found".
// Compare 0 compares exactly; any other value ignores the case of letters.

#include <cstdint>
#include <string>
#include <vector>

namespace MVb6Functions {

// Position of the last occurrence of StringMatch that lies wholly within the first Start
// characters (all of them when Start is negative); overlapping occurrences count. An empty
// StringMatch is found nowhere.
std::int32_t InStrRev(const std::u16string& StringCheck, const std::u16string& StringMatch,
                      std::int32_t Start = -1, std::int32_t Compare = 0);

// Replaces non-overlapping occurrences of Find, searching from Start (below 1 counts as 1).
// The text before Start is kept in the result. Count -1 means no limit; any other Count below 1
// still allows one replacement, since the limit is tested after each replacement.
std::u16string Replace(const std::u16string& Expression, const std::u16string& Find,
                       const std::u16string& ReplaceWith, std::int32_t Start = 1,
                       std::int32_t Count = -1, std::int32_t Compare = 0);

// Cuts Expression at every Delimiter. An empty Expression gives one empty element; Limit 0
// gives none; with a positive Limit the last element is the unsplit rest.
std::vector<std::u16string> Split(const std::u16string& Expression, const std::u16string& Delimiter,
                                  std::int32_t Limit = -1, std::int32_t Compare = 0);

}  // namespace MVb6Functions
