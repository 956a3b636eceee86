#include "platform/FileFilter.h"

#include "support/MVb6Functions.h"

namespace Platform {

std::vector<FileFilter> ParseFileFilter(const std::u16string& filter) {
    const std::vector<std::u16string> parts = MVb6Functions::Split(filter, u"|");
    std::vector<FileFilter> filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        FileFilter each{parts[i], {}};
        for (auto& pattern : MVb6Functions::Split(parts[i + 1], u";")) {
            if (!pattern.empty()) {
                each.Patterns.push_back(std::move(pattern));
            }
        }
        filters.push_back(std::move(each));
    }
    return filters;
}

}  // namespace Platform
