#pragma once

// The argument text of a command line into the argument vector a POSIX program receives.

#include <string>
#include <vector>

namespace Platform::Posix {

// Whitespace-separated arguments; double quotes group a text holding spaces and are dropped.
std::vector<std::u16string> SplitArguments(const std::u16string& text);

}  // namespace Platform::Posix
