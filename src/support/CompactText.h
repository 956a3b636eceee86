#pragma once

// A copy of a text that is only ever compared with: one byte a character while every
// character fits in one, as in most notes, two otherwise. A note window keeps the text its
// file holds to tell whether a save has anything to write, and for a note of many megabytes
// that copy is as large as the note once more.

#include <string>
#include <string_view>

namespace Support {

class CompactText {
  public:
    CompactText() = default;
    explicit CompactText(std::u16string_view text);

    bool operator==(std::u16string_view text) const;

  private:
    bool narrow_ = true;
    std::string narrowText_;   // each character's code, when all are below 256
    std::u16string wideText_;  // otherwise the text as given
};

}  // namespace Support
