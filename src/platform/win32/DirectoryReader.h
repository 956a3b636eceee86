#pragma once

// Reads a folder's entries through a handle to the folder (GetFileInformationByHandleEx with
// FileIdBothDirectoryInfo), which tells each entry's file id along with its name and
// attributes. A sub-folder's identity then comes with the listing, where asking for it by path
// would open every sub-folder once more and, for the volume serial, cost a round trip to
// another process under Wine.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/WindowsApi.h"

namespace Platform::Win32 {

struct DirectoryEntry {
    std::u16string_view Name;  // valid until the next call of Next
    DWORD Attributes = 0;
    std::uint64_t FileId = 0;  // 0 where the file system keeps none
};

class DirectoryReader {
  public:
    explicit DirectoryReader(const std::u16string& folder);
    DirectoryReader(const DirectoryReader&) = delete;
    DirectoryReader& operator=(const DirectoryReader&) = delete;
    ~DirectoryReader();

    // False when the folder could not be opened (missing, no folder, no access).
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    // The next entry, "." and ".." included; nothing at the end or on a failure.
    std::optional<DirectoryEntry> Next();
    // Whether the reading ended on a failure rather than at the end of the folder.
    bool Failed() const { return failed_; }

  private:
    bool ReadBatch();

    HANDLE handle_;
    std::vector<LONGLONG> buffer_;  // LONGLONG keeps the records aligned
    std::size_t offset_ = 0;
    bool haveBatch_ = false;
    bool first_ = true;
    bool ended_ = false;
    bool failed_ = false;
};

// The node of a sub-folder on its parent's volume, as the identity of a folder counts it: only
// for a plain folder. A link or a mounted volume (a reparse point) leads elsewhere and must be
// asked by its path.
std::optional<std::uint64_t> NodeOfPlainFolder(const DirectoryEntry& entry);

}  // namespace Platform::Win32
