#include "support/CompactText.h"

#include <algorithm>

namespace Support {

CompactText::CompactText(std::u16string_view text)
    : narrow_(std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x100; })) {
    if (narrow_) {
        narrowText_.resize(text.size());
        std::transform(text.begin(), text.end(), narrowText_.begin(),
                       [](char16_t c) { return static_cast<char>(static_cast<unsigned char>(c)); });
    } else {
        wideText_.assign(text);
    }
}

bool CompactText::operator==(std::u16string_view text) const {
    if (!narrow_) {
        return wideText_ == text;
    }
    return narrowText_.size() == text.size() &&
           std::equal(
               narrowText_.begin(), narrowText_.end(), text.begin(),
               [](char narrow, char16_t c) { return static_cast<unsigned char>(narrow) == c; });
}

}  // namespace Support
