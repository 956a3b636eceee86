#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <string>

#include "ScanFloor.h"

namespace ScanFloor {

const char* const Calls = "opendir/readdir/open/read";

long ListAndRead(const std::filesystem::path& drive, const std::filesystem::path& descriptorName) {
    const std::string& root = drive.native();
    const std::string& descriptor = descriptorName.native();
    long read = 0;
    std::array<char, 4096> buffer{};
    DIR* listing = ::opendir(root.c_str());
    if (listing == nullptr) {
        return 0;
    }
    while (const dirent* entry = ::readdir(listing)) {
        if (entry->d_type != DT_DIR || entry->d_name[0] == '.') {
            continue;
        }
        const std::string folder = root + "/" + entry->d_name;
        const int fd = ::open((folder + "/" + descriptor).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            while (::read(fd, buffer.data(), buffer.size()) > 0) {
            }
            ::close(fd);
            ++read;
        }
        if (DIR* app = ::opendir(folder.c_str())) {
            while (::readdir(app) != nullptr) {
            }
            ::closedir(app);
        }
    }
    ::closedir(listing);
    return read;
}

}  // namespace ScanFloor
