#pragma once

// What the program takes from the user's regional settings.

namespace Platform {

// The decimal separator the user has chosen; '.' when none can be told.
char16_t UserDecimalSeparator();

}  // namespace Platform
