#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/win32/DirectoryReader.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsApi.h"

namespace Platform {
namespace {

// The one listing cursor of the process. A listing of every name reads the folder through its
// handle, which tells the sub-folders' nodes too; any other pattern is matched by Windows.
struct Cursor {
    HANDLE Find = INVALID_HANDLE_VALUE;
    std::unique_ptr<Win32::DirectoryReader> Reader;
    std::int32_t Mask = 0;
};

Cursor& TheCursor() {
    static Cursor cursor;
    return cursor;
}

void Close(Cursor& cursor) {
    if (cursor.Find != INVALID_HANDLE_VALUE) {
        FindClose(std::exchange(cursor.Find, INVALID_HANDLE_VALUE));
    }
    cursor.Reader.reset();
}

// The entry found, or nothing when the mask leaves it out.
std::optional<FoundEntry> Accept(std::u16string_view name, DWORD attributes,
                                 std::optional<std::uint64_t> node, std::int32_t mask) {
    // A file with a device's name (left by another system) cannot be opened by its path.
    if (name == u"." || name == u".." || IsDeviceName(name)) {
        return std::nullopt;
    }
    const bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const bool isHidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    const bool isSystem = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    if ((isFolder && (mask & AttrDirectory) == 0) || (isHidden && (mask & AttrHidden) == 0) ||
        (isSystem && (mask & AttrSystem) == 0)) {
        return std::nullopt;
    }
    return FoundEntry{std::u16string(name), isFolder, isHidden, isSystem, node};
}

std::optional<FoundEntry> Accept(const WIN32_FIND_DATAW& data, std::int32_t mask) {
    return Accept(std::u16string_view(reinterpret_cast<const char16_t*>(data.cFileName)),
                  data.dwFileAttributes, std::nullopt, mask);
}

std::optional<FoundEntry> NextMatch(Cursor& cursor) {
    if (cursor.Reader) {
        while (const auto read = cursor.Reader->Next()) {
            if (auto entry = Accept(read->Name, read->Attributes, Win32::NodeOfPlainFolder(*read),
                                    cursor.Mask)) {
                return entry;
            }
        }
    }
    WIN32_FIND_DATAW data{};
    while (cursor.Find != INVALID_HANDLE_VALUE && FindNextFileW(cursor.Find, &data)) {
        if (auto entry = Accept(data, cursor.Mask)) {
            return entry;
        }
    }
    Close(cursor);
    return std::nullopt;
}

bool MatchesEveryName(std::u16string_view pattern) {
    return pattern == u"*" || pattern == u"*.*";
}

}  // namespace

std::optional<FoundEntry> FindFirstEntry(const std::u16string& pathAndPattern,
                                         std::int32_t attributeMask) {
    Cursor& cursor = TheCursor();
    Close(cursor);
    cursor.Mask = attributeMask;
    const std::u16string pattern = NameOfPath(pathAndPattern);
    // Windows reports a device for a pattern like "nul" or "nul.*" as if it were a file, and a
    // colon names a stream or a device ("nul:"), never entries of a folder.
    if (pattern.empty() || pattern.find(u':') != std::u16string::npos || IsDeviceName(pattern)) {
        return std::nullopt;
    }
    // Missing folders and device paths ("\\.\NUL\*") list nothing.
    const std::u16string folder = FolderOfPath(pathAndPattern);
    if (!folder.empty() && !FolderExists(folder)) {
        return std::nullopt;
    }
    if (MatchesEveryName(pattern) && !folder.empty()) {
        cursor.Reader = std::make_unique<Win32::DirectoryReader>(folder);
        return NextMatch(cursor);
    }
    WIN32_FIND_DATAW data{};
    cursor.Find = FindFirstFileW(Win32::Wide(pathAndPattern).c_str(), &data);
    if (cursor.Find == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    if (auto entry = Accept(data, cursor.Mask)) {
        return entry;
    }
    return NextMatch(cursor);
}

std::optional<FoundEntry> FindNextEntry() {
    return NextMatch(TheCursor());
}

void EndListing() {
    Close(TheCursor());
}

}  // namespace Platform
