#include "launcher/ApplicationScan.h"

#include "platform/Paths.h"
#include "support/TextCodec.h"

namespace Launcher {

namespace {

// Counts the folders a scan is inside, on every way out.
class DepthGuard {
  public:
    explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
    ~DepthGuard() { --depth_; }

  private:
    int& depth_;
};

}  // namespace

ApplicationScan::ApplicationScan(std::u16string programFolder, Registrar registrar)
    : programFolder_(std::move(programFolder)), registrar_(std::move(registrar)) {}

bool ApplicationScan::FileExists(const std::u16string& FileName) {
    return Platform::KindOfPath(FileName) == Platform::PathKind::File;
}

std::int64_t ApplicationScan::CountFiles(const std::u16string& StrFolder) {
    if (depth_ == 0) {
        scanned_.clear();  // a new scan
    }
    const std::u16string folderPath = Platform::WithoutTrailingSeparators(StrFolder);
    const auto identity = Platform::IdentityOfPath(folderPath);
    if (!identity || AlreadyScanned(*identity)) {
        return 0;
    }
    return CountFolder(folderPath, *identity);
}

bool ApplicationScan::AlreadyScanned(const Platform::FileIdentity& identity) const {
    return scanned_.contains({identity.Device, identity.Node});
}

std::int64_t ApplicationScan::CountFolder(const std::u16string& folderPath,
                                          const Platform::FileIdentity& identity) {
    // A folder that cannot be listed (or vanished) holds no applications.
    const auto contents = Platform::ListFolder(folderPath);
    if (!contents) {
        return 0;
    }
    scanned_.emplace(identity.Device, identity.Node);
    const DepthGuard inside(depth_);
    auto total = static_cast<std::int64_t>(contents->Files.size());
    for (std::size_t i = 0; i < contents->SubFolders.size(); ++i) {
        // A plain sub-folder lies on this folder's device; the listing may know its node.
        std::optional<Platform::FileIdentity> known;
        if (i < contents->SubFolderNodes.size() && contents->SubFolderNodes[i]) {
            known = Platform::FileIdentity{identity.Device, *contents->SubFolderNodes[i]};
        }
        total += ScanSubFolder(folderPath, contents->SubFolders[i], known);
    }
    return total;
}

std::int64_t ApplicationScan::ScanSubFolder(const std::u16string& folderPath,
                                            const std::u16string& name,
                                            const std::optional<Platform::FileIdentity>& known) {
    // The sub-folder's path as the file system reports it: a root gets no second separator.
    const std::u16string appFolder = Platform::ChildPath(folderPath, name);
    const std::u16string descriptor = Platform::InFolder(appFolder, DescriptorName);
    // Admission looks for the namesake's descriptor in the program folder. When that is the
    // folder being scanned, it is the very file to read, and one read answers both.
    std::optional<std::string> bytes;
    bool admitted = false;
    const bool scanningProgramFolder = folderPath == programFolder_;
    if (scanningProgramFolder) {
        bytes = Platform::ReadWholeFile(descriptor, DescriptorReadLimit);
        admitted = bytes.has_value() || FileExists(descriptor);
    } else {
        admitted = FileExists(
            Platform::InFolder(Platform::InFolder(programFolder_, name), DescriptorName));
    }
    if (!admitted) {
        return 0;
    }
    // A link back to a folder this scan is inside would repeat its applications forever, and
    // links that branch and meet again would scan the same folders over and over: a folder
    // this scan has entered already is neither entered nor registered again.
    const auto identity = known ? known : Platform::IdentityOfPath(appFolder);
    if (!identity || AlreadyScanned(*identity)) {
        return 0;
    }
    // Nested application folders take their indexes before their parent's applications.
    const std::int64_t total = CountFolder(appFolder, *identity);
    if (!scanningProgramFolder) {
        bytes = Platform::ReadWholeFile(descriptor, DescriptorReadLimit);
    }
    const std::u16string text = bytes ? TextCodec::DecodeFileText(*bytes) : std::u16string();
    const std::u16string* readText = bytes ? &text : nullptr;
    ForEachRegistration(
        text, {appFolder, name, folderPath},
        [this, readText](const AppRegistration& app) { registrar_(app, readText); });
    return total;
}

}  // namespace Launcher
