#include "testsupport/TempFolder.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "support/TextCodec.h"
#include "testsupport/NativePath.h"

namespace fs = std::filesystem;

namespace TestSupport {

TempFolder::TempFolder() {
    // create_directory says false for a name that exists, so a name is never shared, also
    // between test programs running side by side.
    std::random_device seed;
    std::mt19937_64 draw(seed());
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / ("kivola-test-" + std::to_string(draw() % 100000000));
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code error;
    // Give back the permissions a test may have taken away, so that everything can go.
    for (auto it = fs::recursive_directory_iterator(
             path_, fs::directory_options::skip_permission_denied, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (!it->is_symlink()) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
        }
    }
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(path_, error);
}

std::u16string TempFolder::Text(std::string_view relative) const {
    const fs::path full = relative.empty() ? path_ : path_ / relative;
    // Relative paths are written with '/', which Windows reads but does not print.
    return TextOfPath(fs::path(full).make_preferred());
}

fs::path TempFolder::MakeFolder(std::string_view relative) const {
    fs::path full = path_ / relative;
    fs::create_directories(full);
    return full;
}

fs::path TempFolder::WriteFile(std::string_view relative, std::string_view bytes) const {
    fs::path full = path_ / relative;
    fs::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + full.string());
    }
    return full;
}

std::string TempFolder::ReadFile(std::string_view relative) const {
    std::ifstream in(path_ / relative, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool TempFolder::Exists(std::string_view relative) const {
    std::error_code error;
    return fs::exists(fs::symlink_status(path_ / relative, error));
}

ScopedCurrentFolder::ScopedCurrentFolder(const fs::path& folder) : previous_(fs::current_path()) {
    fs::current_path(folder);
}

ScopedCurrentFolder::~ScopedCurrentFolder() {
    std::error_code error;
    fs::current_path(previous_, error);
}

std::u16string U(std::string_view utf8) {
    return TextCodec::FromUtf8(utf8);
}

std::string Utf8(std::u16string_view text) {
    return TextCodec::ToUtf8(text);
}

}  // namespace TestSupport
