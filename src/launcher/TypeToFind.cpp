#include "launcher/TypeToFind.h"

#include "support/CaseFold.h"

namespace Launcher {

const std::u16string& TypeToFind::Add(char16_t c, std::chrono::milliseconds now) {
    Typed(now);
    typed_ += c;
    last_ = now;
    return typed_;
}

const std::u16string& TypeToFind::Typed(std::chrono::milliseconds now) {
    if (!typed_.empty() && now - last_ >= ResetAfter) {
        typed_.clear();
    }
    return typed_;
}

void TypeToFind::Clear() {
    typed_.clear();
}

std::optional<int> FirstTitleBeginningWith(const std::vector<std::u16string>& titles,
                                           const std::u16string& typed) {
    if (typed.empty()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < titles.size(); ++i) {
        if (Support::StartsWithIgnoringCase(titles[i], typed)) {
            return static_cast<int>(i) + 1;
        }
    }
    return std::nullopt;
}

}  // namespace Launcher
