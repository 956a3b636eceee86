#pragma once

// Running a CDirDrill search over a real folder and recording what it reported, for the walker
// tests of every system.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "support/CDirDrill.h"
#include "testsupport/TempFolder.h"

namespace DirDrillTest {

// What one search reported, paths shortened to what follows the searched tree's path.
struct Walk {
    std::vector<std::string> Events;  // "folder /sub/", "file /sub/a.txt"
    std::vector<std::string> Files;
    std::int32_t TotalFiles = -1;
    std::int32_t TotalFolders = -1;
    int DoneCount = 0;
};

// A path written with '/' whatever the system's separator, so that one expectation holds on
// every system. A '/' that the walker printed on a system that separates with '\' shows as
// '!', so that it fails the expectation instead of passing for a separator.
inline std::string Shown(std::u16string path) {
    for (auto& c : path) {
        if (c == Platform::PathSeparator) {
            c = u'/';
        } else if (c == u'/') {
            c = u'!';
        }
    }
    return TestSupport::Utf8(path);
}

// Attaches recording handlers; onEvent runs after each NewFolder/NewFile is recorded. root is
// the path the recorded paths are shortened by.
inline void Attach(Support::CDirDrill& drill, const std::u16string& root, Walk& walk,
                   const std::function<void(const std::string&, bool&)>& onEvent = {}) {
    const std::size_t prefix = root.size();
    drill.NewFolder = [&walk, prefix, onEvent](const std::u16string& folder, bool& Cancel) {
        walk.Events.push_back("folder " + Shown(folder.substr(prefix)));
        if (onEvent) {
            onEvent(walk.Events.back(), Cancel);
        }
    };
    drill.NewFile = [&walk, prefix, onEvent](const std::u16string& file, bool& Cancel) {
        walk.Events.push_back("file " + Shown(file.substr(prefix)));
        walk.Files.push_back(Shown(file.substr(prefix)));
        if (onEvent) {
            onEvent(walk.Events.back(), Cancel);
        }
    };
    drill.Done = [&walk](std::int32_t files, std::int32_t folders) {
        walk.TotalFiles = files;
        walk.TotalFolders = folders;
        ++walk.DoneCount;
    };
}

inline void Attach(Support::CDirDrill& drill, const TestSupport::TempFolder& drive, Walk& walk,
                   const std::function<void(const std::string&, bool&)>& onEvent = {}) {
    Attach(drill, drive.Text(), walk, onEvent);
}

// Searches the tree at root.
inline Walk SearchTree(Support::CDirDrill& drill, const std::u16string& root) {
    Walk walk;
    Attach(drill, root, walk);
    drill.BeginSearch(root);
    return walk;
}

inline Walk Search(Support::CDirDrill& drill, const TestSupport::TempFolder& drive,
                   const std::string& start = {},
                   const std::function<void(const std::string&, bool&)>& onEvent = {}) {
    Walk walk;
    Attach(drill, drive, walk, onEvent);
    drill.BeginSearch(drive.Text(start));
    return walk;
}

}  // namespace DirDrillTest
