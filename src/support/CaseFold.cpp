#include "support/CaseFold.h"

namespace Support {

char16_t FoldCase(char16_t c) {
    const auto shifted = [c](int by) { return static_cast<char16_t>(c + by); };
    if ((c >= u'A' && c <= u'Z') || (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7)) {
        return shifted(0x20);
    }
    if (c == 0x0178) {
        return 0x00FF;  // Ÿ
    }
    // Latin Extended-A pairs capital and small letter as even and odd neighbours, except for
    // the stretch from 0x0139 to 0x0148 and from 0x0179 to 0x017E, where the capital is odd;
    // 0x0130 (dotted I), 0x0138 (kra) and 0x0149 have no partner here.
    if (c >= 0x0100 && c <= 0x017F && c != 0x0130 && c != 0x0131 && c != 0x0138 && c != 0x0149 &&
        c != 0x017F) {
        const bool capitalIsOdd = (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
        const bool isOdd = (c % 2) == 1;
        return isOdd == capitalIsOdd ? shifted(1) : c;
    }
    if ((c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) || (c >= 0x0410 && c <= 0x042F)) {
        return shifted(0x20);  // Greek and Cyrillic capitals
    }
    if (c >= 0x0400 && c <= 0x040F) {
        return shifted(0x50);  // Cyrillic capitals with marks: Ѐ to Џ
    }
    return c;
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (FoldCase(text[i]) != FoldCase(prefix[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace Support
