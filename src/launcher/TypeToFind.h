#pragma once

// The letters typed to find an application: they add up while keys follow each other within a
// second, and start again after a second without keys or when cleared (Escape).

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace Launcher {

class TypeToFind {
  public:
    static constexpr std::chrono::milliseconds ResetAfter{1000};

    // The typed text with c added at the time now.
    const std::u16string& Add(char16_t c, std::chrono::milliseconds now);
    // The typed text as it stands at the time now: empty once a second has passed.
    const std::u16string& Typed(std::chrono::milliseconds now);
    void Clear();

  private:
    std::u16string typed_;
    std::chrono::milliseconds last_{0};
};

// The 1-based position in titles (in scan order) of the first whose title begins with typed,
// letter case aside; nothing for an empty text or when none does.
std::optional<int> FirstTitleBeginningWith(const std::vector<std::u16string>& titles,
                                           const std::u16string& typed);

}  // namespace Launcher
