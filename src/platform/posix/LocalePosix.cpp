#include <locale>
#include <stdexcept>

#include "platform/Locale.h"

namespace Platform {

char16_t UserDecimalSeparator() {
    try {
        const std::locale user("");
        const char point = std::use_facet<std::numpunct<char>>(user).decimal_point();
        // A byte outside ASCII would be half of a multi-byte character.
        if (point > 0 && point < 0x7F) {
            return static_cast<char16_t>(point);
        }
    } catch (const std::runtime_error&) {
        // The environment names a locale this system does not have.
    }
    return u'.';
}

}  // namespace Platform
