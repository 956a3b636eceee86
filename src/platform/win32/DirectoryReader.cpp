#include "platform/win32/DirectoryReader.h"

#include "platform/win32/WideText.h"

namespace Platform::Win32 {

namespace {

constexpr std::size_t kBatchBytes = std::size_t{64} * 1024;

}  // namespace

DirectoryReader::DirectoryReader(const std::u16string& folder)
    : handle_(CreateFileW(Wide(folder).c_str(), FILE_LIST_DIRECTORY,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {
    if (IsOpen()) {
        buffer_.resize(kBatchBytes / sizeof(LONGLONG));
    }
}

DirectoryReader::~DirectoryReader() {
    if (IsOpen()) {
        CloseHandle(handle_);
    }
}

bool DirectoryReader::ReadBatch() {
    const FILE_INFO_BY_HANDLE_CLASS kind =
        first_ ? FileIdBothDirectoryRestartInfo : FileIdBothDirectoryInfo;
    first_ = false;
    if (!GetFileInformationByHandleEx(handle_, kind, buffer_.data(),
                                      static_cast<DWORD>(buffer_.size() * sizeof(LONGLONG)))) {
        // A handle to a file instead of a folder fails here too.
        failed_ = GetLastError() != ERROR_NO_MORE_FILES;
        ended_ = true;
        return false;
    }
    offset_ = 0;
    haveBatch_ = true;
    return true;
}

std::optional<DirectoryEntry> DirectoryReader::Next() {
    if (!IsOpen() || ended_) {
        return std::nullopt;
    }
    if (!haveBatch_ && !ReadBatch()) {
        return std::nullopt;
    }
    const auto* base = reinterpret_cast<const unsigned char*>(buffer_.data());
    const auto* record = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(base + offset_);
    DirectoryEntry entry;
    entry.Name = std::u16string_view(reinterpret_cast<const char16_t*>(record->FileName),
                                     record->FileNameLength / sizeof(wchar_t));
    entry.Attributes = record->FileAttributes;
    entry.FileId = static_cast<std::uint64_t>(record->FileId.QuadPart);
    if (record->NextEntryOffset == 0) {
        haveBatch_ = false;
    } else {
        offset_ += record->NextEntryOffset;
    }
    return entry;
}

std::optional<std::uint64_t> NodeOfPlainFolder(const DirectoryEntry& entry) {
    if ((entry.Attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
        (entry.Attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || entry.FileId == 0) {
        return std::nullopt;
    }
    return entry.FileId;
}

}  // namespace Platform::Win32
