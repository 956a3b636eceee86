#include "LinkedTreeWin32.h"

#include "platform/win32/WindowsApi.h"

// Needs the types of <windows.h>, which leaves it out under WIN32_LEAN_AND_MEAN.
#include <winioctl.h>

#include <cstdint>
#include <cstring>
#include <filesystem>

#include "platform/FileSystem.h"
#include "testsupport/NativePath.h"

namespace fs = std::filesystem;

namespace TestSupport {
namespace {

constexpr wchar_t HostTreeVariable[] = L"KIVOLA_HOST_LINK_TREE";

fs::path Under(const fs::path& root, const std::string& relative) {
    return relative.empty() ? root : (root / relative).make_preferred();
}

void Put(std::vector<std::uint8_t>& buffer, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        buffer[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// Turns the empty folder link into a junction to target. The error when it cannot.
DWORD MakeJunction(const fs::path& link, const fs::path& target) {
    if (!CreateDirectoryW(link.c_str(), nullptr)) {
        return GetLastError();
    }
    const HANDLE folder =
        CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (folder == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        RemoveDirectoryW(link.c_str());
        return error;
    }
    // A mount point reparse buffer: tag, data length, reserved, then the offsets and lengths of
    // the two names and the names themselves, each ending in a null.
    const std::wstring substitute = L"\\??\\" + fs::absolute(target).wstring();
    const std::wstring print = fs::absolute(target).wstring();
    const std::size_t namesBytes = (substitute.size() + 1 + print.size() + 1) * sizeof(wchar_t);
    std::vector<std::uint8_t> buffer(8 + 8 + namesBytes, 0);
    Put(buffer, 0, IO_REPARSE_TAG_MOUNT_POINT, 4);
    Put(buffer, 4, static_cast<std::uint32_t>(8 + namesBytes), 2);
    Put(buffer, 8, 0, 2);
    Put(buffer, 10, static_cast<std::uint32_t>(substitute.size() * sizeof(wchar_t)), 2);
    Put(buffer, 12, static_cast<std::uint32_t>((substitute.size() + 1) * sizeof(wchar_t)), 2);
    Put(buffer, 14, static_cast<std::uint32_t>(print.size() * sizeof(wchar_t)), 2);
    std::memcpy(buffer.data() + 16, substitute.c_str(), (substitute.size() + 1) * sizeof(wchar_t));
    std::memcpy(buffer.data() + 16 + (substitute.size() + 1) * sizeof(wchar_t), print.c_str(),
                (print.size() + 1) * sizeof(wchar_t));
    DWORD returned = 0;
    const BOOL made =
        DeviceIoControl(folder, FSCTL_SET_REPARSE_POINT, buffer.data(),
                        static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr);
    const DWORD error = made ? ERROR_SUCCESS : GetLastError();
    CloseHandle(folder);
    if (!made) {
        RemoveDirectoryW(link.c_str());
    }
    return error;
}

std::string Utf8Of(const fs::path& path) {
    return Utf8(TextOfPath(path));
}

}  // namespace

LinkedTree::LinkedTree(const TreeLayout& layout) {
    if (BuildWithJunctions(layout)) {
        root_ = TextOfPath(scratch_.Path());
        return;
    }
    TakeHostTree(layout);
}

LinkedTree::~LinkedTree() {
    for (const auto& junction : junctions_) {
        RemoveDirectoryW(junction.c_str());
    }
}

bool LinkedTree::BuildWithJunctions(const TreeLayout& layout) {
    for (const auto& file : layout.Files) {
        scratch_.WriteFile(file.Path, file.Content);
    }
    for (const auto& link : layout.Links) {
        const fs::path path = Under(scratch_.Path(), link.Path);
        fs::create_directories(path.parent_path());
        const DWORD error = MakeJunction(path, Under(scratch_.Path(), link.Target));
        if (error != ERROR_SUCCESS) {
            whyNot_ =
                "this system makes no directory junction (error " + std::to_string(error) + ")";
            return false;
        }
        junctions_.push_back(path.wstring());
    }
    return true;
}

bool LinkedTree::TakeHostTree(const TreeLayout& layout) {
    std::wstring value(32768, L'\0');
    const DWORD length =
        GetEnvironmentVariableW(HostTreeVariable, value.data(), static_cast<DWORD>(value.size()));
    if (length == 0 || length >= value.size()) {
        whyNot_ += ", and KIVOLA_HOST_LINK_TREE names no tree prepared on the host";
        return false;
    }
    value.resize(length);
    const fs::path root = fs::path(value) / layout.Name;
    // The layout's files with their content, and each link a folder that is its target.
    for (const auto& file : layout.Files) {
        const std::u16string path = TextOfPath(Under(root, file.Path));
        if (Platform::KindOfPath(path) != Platform::PathKind::File ||
            Platform::ReadWholeFile(path).value_or(std::string()) != file.Content) {
            whyNot_ += ", and " + Utf8Of(Under(root, file.Path)) + " does not hold what it should";
            hostTreeBroken_ = true;
            return false;
        }
    }
    for (const auto& link : layout.Links) {
        const auto through = Platform::IdentityOfPath(TextOfPath(Under(root, link.Path)));
        const auto target = Platform::IdentityOfPath(TextOfPath(Under(root, link.Target)));
        if (!through || through != target ||
            !Platform::FolderExists(TextOfPath(Under(root, link.Path)))) {
            whyNot_ += ", and " + Utf8Of(Under(root, link.Path)) + " is no link to " +
                       Utf8Of(Under(root, link.Target));
            hostTreeBroken_ = true;
            return false;
        }
    }
    root_ = TextOfPath(fs::path(root).make_preferred());
    return true;
}

}  // namespace TestSupport
