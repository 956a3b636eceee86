#include "platform/FileSystem.h"

namespace Platform {

std::u16string InFolder(const std::u16string& folder, const std::u16string& name) {
    std::u16string path;
    path.reserve(folder.size() + 1 + name.size());
    path += folder;
    path += PathSeparator;
    path += name;
    return path;
}

}  // namespace Platform
