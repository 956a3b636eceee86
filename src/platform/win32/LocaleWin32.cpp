#include <iterator>

#include "platform/Locale.h"
#include "platform/win32/WindowsApi.h"

namespace Platform {

char16_t UserDecimalSeparator() {
    wchar_t separator[8] = {};
    // The length counts the terminating null. Windows allows separators of up to three
    // characters, but numbers are written and read here with a single one.
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator,
                                       static_cast<int>(std::size(separator)));
    if (length == 2 && separator[0] != L'\0') {
        return static_cast<char16_t>(separator[0]);
    }
    return u'.';
}

}  // namespace Platform
