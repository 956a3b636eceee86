#pragma once

// What both tree-building benchmarks need: a fresh folder of their own, and a way out when the
// drive refuses a file.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace Bench {

[[noreturn]] inline void Fail(const std::filesystem::path& path, const char* what) {
    std::fprintf(stderr, "%s: %s\n", path.string().c_str(), what);
    std::exit(1);
}

// A folder of our own in parent: the name holds the clock, and an existing one is never reused.
inline std::filesystem::path NewFolderIn(const std::filesystem::path& parent,
                                         const std::string& prefix) {
    for (auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();; ++stamp) {
        std::filesystem::path folder = parent / (prefix + std::to_string(stamp));
        std::error_code error;
        if (std::filesystem::create_directory(folder, error)) {
            return folder;
        }
        if (error) {
            Fail(folder, error.message().c_str());
        }
    }
}

}  // namespace Bench
