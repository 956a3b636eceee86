#pragma once

// The application scan: the scanned folder's sub-folders that the program folder admits as
// application folders, each entered first (nested application folders take their indexes
// before their parent's applications), then its descriptor read and every application in it
// handed on in scan order. Form1's CountFiles runs it; what an application's index and slot
// are is Form1's business.

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "launcher/AppDescriptor.h"
#include "platform/FileSystem.h"

namespace Launcher {

class ApplicationScan {
  public:
    // Told each application in scan order. descriptorText is the descriptor's text when the
    // scan has just read it, nullptr when it could not be read.
    using Registrar =
        std::function<void(const AppRegistration& app, const std::u16string* descriptorText)>;

    ApplicationScan(std::u16string programFolder, Registrar registrar);

    // Scans StrFolder; the number of files directly in it plus, recursively, those of its
    // application folders. A folder that cannot be listed holds nothing.
    std::int64_t CountFiles(const std::u16string& StrFolder);

    // True when the path names an existing file that is not a folder.
    static bool FileExists(const std::u16string& FileName);

  private:
    bool AlreadyScanned(const Platform::FileIdentity& identity) const;
    std::int64_t CountFolder(const std::u16string& folderPath,
                             const Platform::FileIdentity& identity);
    std::int64_t ScanSubFolder(const std::u16string& folderPath, const std::u16string& name,
                               const std::optional<Platform::FileIdentity>& known);

    std::u16string programFolder_;
    Registrar registrar_;
    // Device and node of every folder the running scan has entered: a link back up the tree,
    // or links that branch and meet again, never lead into a folder twice.
    std::set<std::pair<std::uint64_t, std::uint64_t>> scanned_;
    int depth_ = 0;
};

}  // namespace Launcher
