#pragma once

// The filter text of the open-file dialog, "Description|pattern[;pattern]|Description|...", as
// the add button gives it ("All Executables|*.exe"), taken apart for the front-ends' dialogs.

#include <string>
#include <vector>

namespace Platform {

struct FileFilter {
    std::u16string Description;
    std::vector<std::u16string> Patterns;  // empty pieces left out
};

// The filters in order; a description without its pattern text at the end is dropped.
std::vector<FileFilter> ParseFileFilter(const std::u16string& filter);

}  // namespace Platform
