#include <algorithm>
#include <atomic>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/win32/DevicePaths.h"
#include "platform/win32/DirectoryReader.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsApi.h"

namespace Platform {

using Win32::ErrorFailure;
using Win32::FromWide;
using Win32::Wide;

namespace {

// Closes a file handle on every path out of a function.
class OwnedHandle {
  public:
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    ~OwnedHandle() { Close(); }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Get() const { return handle_; }
    void Close() {
        if (Valid()) {
            CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
        }
    }

  private:
    HANDLE handle_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The reason a device path cannot be written: Windows' own wording for a name it refuses.
IoStatus DeviceFailure() {
    return ErrorFailure(ERROR_INVALID_NAME);
}

DWORD RawAttributes(const std::u16string& path) {
    if (path.empty() || Win32::IsDevicePath(path)) {
        return INVALID_FILE_ATTRIBUTES;
    }
    return GetFileAttributesW(Wide(path).c_str());
}

bool WriteAll(HANDLE file, std::string_view content) {
    while (!content.empty()) {
        const auto chunk =
            static_cast<DWORD>(std::min<std::size_t>(content.size(), std::size_t{1} << 30));
        DWORD written = 0;
        if (!::WriteFile(file, content.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        content.remove_prefix(written);
    }
    return true;
}

std::u16string Hex(std::uint32_t value) {
    std::u16string text(8, u'0');
    for (std::size_t i = text.size(); i > 0; --i) {
        text[i - 1] = u"0123456789abcdef"[value & 0xFU];
        value >>= 4;
    }
    return text;
}

// Unique within the process by the counter and between processes by the id; the clock keeps
// a reused process id from meeting the leftover of a crash. CREATE_NEW settles the rest.
// What a save's temporary file is called before its unique part.
constexpr char16_t SavePrefix[] = u".kivola-save-";

std::u16string TemporaryName() {
    static std::atomic<std::uint32_t> counter{0};
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    const auto mixed = static_cast<std::uint32_t>(now.QuadPart) + counter.fetch_add(1);
    // The name carries nothing of the target's: a leftover after a crash must not look like a
    // note ("*.txt") or a descriptor to the folder listings that follow.
    return SavePrefix + Hex(GetCurrentProcessId()) + Hex(mixed);
}

// Renames the open file over target, replacing it: the file stays open, and so held, until
// it has its final name. False when the system cannot rename by handle.
bool RenameOpenFile(HANDLE file, const std::wstring& target) {
    const std::size_t bytes = sizeof(FILE_RENAME_INFO) + target.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(bytes, 0);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(target.size() * sizeof(wchar_t));
    std::copy(target.begin(), target.end(), rename->FileName);
    return SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(bytes)) !=
           FALSE;
}

// The attributes a settled file gets: the old file's own, or none for a new one. The archive
// bit is set as for any file that was written.
DWORD FinalAttributes(DWORD existing) {
    constexpr DWORD kKept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD kept = existing == INVALID_FILE_ATTRIBUTES ? 0 : existing & kKept;
    return kept | FILE_ATTRIBUTE_ARCHIVE;
}

}  // namespace

std::int32_t PathAttributes(const std::u16string& path) {
    const DWORD attributes = RawAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return -1;
    }
    return static_cast<std::int32_t>(attributes & 0x7FFFFFFFU);
}

PathKind KindOfPath(const std::u16string& path) {
    const DWORD attributes = RawAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return PathKind::Missing;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder : PathKind::File;
}

bool FolderExists(const std::u16string& path) {
    return KindOfPath(path) == PathKind::Folder;
}

std::optional<FileIdentity> IdentityOfPath(const std::u16string& path) {
    if (path.empty() || Win32::IsDevicePath(path)) {
        return std::nullopt;
    }
    // No access asked for, so neither a sharing mode of another program nor our rights stand
    // in the way; backup semantics let folders open too.
    const OwnedHandle handle(CreateFileW(Wide(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle.Valid() || !GetFileInformationByHandle(handle.Get(), &info)) {
        return std::nullopt;
    }
    return FileIdentity{info.dwVolumeSerialNumber,
                        (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

std::optional<FolderContents> ListFolder(const std::u16string& folder) {
    if (folder.empty() || Win32::IsDevicePath(folder)) {
        return std::nullopt;
    }
    Win32::DirectoryReader reader(folder);
    if (!reader.IsOpen()) {
        return std::nullopt;
    }
    FolderContents contents;
    while (const auto entry = reader.Next()) {
        // A file with a device's name (left by another system) cannot be opened by its path,
        // so it is not offered at all.
        if (entry->Name == u"." || entry->Name == u".." || IsDeviceName(entry->Name)) {
            continue;
        }
        if ((entry->Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            contents.SubFolders.emplace_back(entry->Name);
            contents.SubFolderNodes.push_back(Win32::NodeOfPlainFolder(*entry));
        } else {
            contents.Files.emplace_back(entry->Name);
        }
    }
    // A root holds no "." or "..", so an empty drive ends at once, which is no failure.
    if (reader.Failed()) {
        return std::nullopt;
    }
    return contents;
}

std::optional<std::string> ReadWholeFile(const std::u16string& path, std::size_t limit) {
    if (path.empty() || Win32::IsDevicePath(path)) {
        return std::nullopt;
    }
    // Shared in every way, so that a note another program holds open still reads.
    const OwnedHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.Valid()) {
        return std::nullopt;
    }
    // Pipes and character devices could block the program or never end.
    // FileStandardInfo rather than GetFileInformationByHandle: the size and the folder flag
    // are all that is needed here, and the volume serial that the latter also fetches costs a
    // round trip to another process under Wine.
    FILE_STANDARD_INFO info{};
    if (GetFileType(file.Get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandleEx(file.Get(), FileStandardInfo, &info, sizeof info) ||
        info.Directory) {
        return std::nullopt;
    }
    const auto size = static_cast<std::uint64_t>(info.EndOfFile.QuadPart);
    if (size > limit) {
        return std::nullopt;
    }
    // The size is only a first guess, since the file may grow or shrink while it is read.
    std::string content;
    std::size_t used = 0;
    content.resize(static_cast<std::size_t>(size) + 1);
    for (;;) {
        if (used == content.size()) {
            if (content.size() > limit) {
                return std::nullopt;
            }
            content.resize(std::min(content.size() * 2, limit + 1));
        }
        const auto wanted =
            static_cast<DWORD>(std::min<std::size_t>(content.size() - used, std::size_t{1} << 30));
        DWORD got = 0;
        if (!::ReadFile(file.Get(), content.data() + used, wanted, &got, nullptr)) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        used += got;
    }
    if (used == 0 || used > limit) {
        return std::nullopt;
    }
    content.resize(used);
    return content;
}

std::optional<std::uint64_t> SizeOfFile(const std::u16string& path) {
    if (path.empty() || Win32::IsDevicePath(path)) {
        return std::nullopt;
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

IoStatus WriteFileAtomically(const std::u16string& path, std::string_view content) {
    if (path.empty() || Win32::IsDevicePath(path)) {
        return DeviceFailure();
    }
    const std::wstring target = Wide(path);
    const DWORD existing = GetFileAttributesW(target.c_str());
    // Windows itself answers "access denied" to writing over a folder or a read-only file.
    if (existing != INVALID_FILE_ATTRIBUTES &&
        (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return ErrorFailure(ERROR_ACCESS_DENIED);
    }
    // The temporary takes the place of the last component, so "E:notes.txt" keeps its
    // drive-relative folder.
    const std::u16string folderPart = path.substr(0, path.size() - NameOfPath(path).size());
    RemoveStraySaves(folderPart);
    std::wstring temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 16 && created == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = Wide(folderPart + TemporaryName());
        // Hidden while it is written, so that a leftover stays out of the user's sight; shared
        // with nobody, so that no clean-up can delete it while this save runs.
        created = CreateFileW(temporary.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (created == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    OwnedHandle file(created);
    if (!file.Valid()) {
        return ErrorFailure();
    }
    // The final attributes go on before the rename, so that no moment shows the target hidden.
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = FinalAttributes(existing);
    DWORD error = ERROR_SUCCESS;
    if (!WriteAll(file.Get(), content) ||
        !SetFileInformationByHandle(file.Get(), FileBasicInfo, &basic, sizeof(basic)) ||
        !FlushFileBuffers(file.Get())) {
        error = GetLastError();
    }
    bool renamed = false;
    if (error == ERROR_SUCCESS) {
        renamed = RenameOpenFile(file.Get(), target);
        if (renamed) {
            FlushFileBuffers(file.Get());
        }
    }
    file.Close();
    // Where renaming by handle is not to be had, by name, as before.
    if (error == ERROR_SUCCESS && !renamed &&
        !MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
    }
    if (error != ERROR_SUCCESS) {
        DeleteFileW(temporary.c_str());
        return ErrorFailure(error);
    }
    return IoStatus::Success();
}

void RemoveStraySaves(const std::u16string& folder) {
    if (Win32::IsDevicePath(folder)) {
        return;
    }
    std::u16string pattern = folder;
    if (!pattern.empty() && !IsPathSeparator(pattern.back()) && pattern.back() != u':') {
        pattern += u'\\';
    }
    const std::u16string prefix = pattern;
    pattern += SavePrefix;
    pattern += u'*';
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileExW(Wide(pattern).c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            // A running save holds its file unshared, and the deletion fails for it.
            DeleteFileW(Wide(prefix + FromWide(found.cFileName)).c_str());
        }
    } while (FindNextFileW(search, &found) != FALSE);
    FindClose(search);
}

IoStatus RemoveFile(const std::u16string& path) {
    if (path.empty() || Win32::IsDevicePath(path)) {
        return DeviceFailure();
    }
    const std::wstring native = Wide(path);
    const DWORD attributes = GetFileAttributesW(native.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return ErrorFailure();
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return ErrorFailure(ERROR_ACCESS_DENIED);
    }
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly) {
        const DWORD writable = attributes & ~DWORD{FILE_ATTRIBUTE_READONLY};
        if (!SetFileAttributesW(native.c_str(), writable != 0 ? writable : FILE_ATTRIBUTE_NORMAL)) {
            return ErrorFailure();
        }
    }
    if (!DeleteFileW(native.c_str())) {
        const DWORD error = GetLastError();
        // A file that stays (one in use, say) stays as it was.
        if (readOnly) {
            SetFileAttributesW(native.c_str(), attributes);
        }
        return ErrorFailure(error);
    }
    return IoStatus::Success();
}

namespace {

// The short name of the entry called name in folder; nothing when it has none.
std::optional<std::u16string> ShortNameOf(const std::u16string& folder,
                                          const std::u16string& name) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileExW(Wide(InFolder(folder, u"*")).c_str(), FindExInfoStandard,
                                     &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::optional<std::u16string> shortName;
    do {
        if (FromWide(found.cFileName) == name && found.cAlternateFileName[0] != L'\0') {
            shortName = FromWide(found.cAlternateFileName);
            break;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return shortName;
}

}  // namespace

IoStatus RenameInFolder(const std::u16string& folder, const std::u16string& oldName,
                        const std::u16string& newName) {
    const std::u16string target = InFolder(folder, newName);
    if (Win32::IsDevicePath(target)) {
        return DeviceFailure();
    }
    const std::wstring to = Wide(target);
    // Without MOVEFILE_REPLACE_EXISTING an existing target makes the move fail.
    if (MoveFileExW(Wide(InFolder(folder, oldName)).c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) {
        return IoStatus::Success();
    }
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
        return ErrorFailure(error);
    }
    const auto shortName = ShortNameOf(folder, oldName);
    if (shortName && *shortName != oldName &&
        MoveFileExW(Wide(InFolder(folder, *shortName)).c_str(), to.c_str(),
                    MOVEFILE_WRITE_THROUGH)) {
        return IoStatus::Success();
    }
    return ErrorFailure(error);
}

IoStatus MakeFolder(const std::u16string& path) {
    if (path.empty() || Win32::IsDevicePath(path)) {
        return DeviceFailure();
    }
    if (CreateDirectoryW(Wide(path).c_str(), nullptr)) {
        return IoStatus::Success();
    }
    // Not only "already exists": a root or a folder on a write-protected drive answers with
    // other errors, yet is there.
    const DWORD error = GetLastError();
    return FolderExists(path) ? IoStatus::Success() : ErrorFailure(error);
}

std::u16string CurrentFolder() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        // Too small: length is the size needed, with the terminating null.
        buffer.resize(length);
    }
    return WithoutTrailingSeparators(FromWide(buffer));
}

std::u16string ProgramFolder() {
    // The longest path Windows has is 32767 characters.
    constexpr std::size_t kLongestPath = 32768;
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return CurrentFolder();
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        // A full buffer means the name was cut short.
        if (buffer.size() >= kLongestPath) {
            return CurrentFolder();
        }
        buffer.resize(std::min(buffer.size() * 2, kLongestPath));
    }
    return FolderOfPath(FromWide(buffer));
}

}  // namespace Platform
