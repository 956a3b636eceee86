#pragma once

// What the core needs of the file system. Paths are texts in the program's 16-bit form; the
// implementation converts them at this boundary (see support/TextCodec.h).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/IoStatus.h"
#include "platform/Paths.h"

namespace Platform {

// The platform's path separator ('\' on Windows, '/' on POSIX). Paths are built by plain
// concatenation with it everywhere; Paths.h holds the rules for taking them apart.
extern const char16_t PathSeparator;

// folder + PathSeparator + name, by plain concatenation: no separator already at the end of
// folder is looked for, so a root folder gives a doubled separator, which the system accepts.
std::u16string InFolder(const std::u16string& folder, const std::u16string& name);

// Attribute bits as the rest of the program knows them.
inline constexpr std::int32_t AttrReadOnly = 1;
inline constexpr std::int32_t AttrHidden = 2;
inline constexpr std::int32_t AttrSystem = 4;
inline constexpr std::int32_t AttrDirectory = 16;

// Attributes of a path, following links; -1 when the path does not exist or cannot be queried.
// On POSIX: read-only when the file is not writable by us, hidden when the name begins with a
// dot, system for anything that is neither a file nor a folder (devices, sockets, pipes). On
// Windows the file system's own bits; a device (CON, NUL, COM1, a "\\.\" path) is no file and
// gives -1, so nothing the program reads or writes ever opens one.
std::int32_t PathAttributes(const std::u16string& path);

enum class PathKind { Missing, File, Folder };

// The cheap half of PathAttributes: whether the path is a file, a folder, or neither.
PathKind KindOfPath(const std::u16string& path);

bool FolderExists(const std::u16string& path);

// Identity of a file or folder (device and inode on POSIX, volume serial and file index on
// Windows), to tell when two paths lead to the same folder, as a link back up the tree does.
struct FileIdentity {
    std::uint64_t Device = 0;
    std::uint64_t Node = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};
std::optional<FileIdentity> IdentityOfPath(const std::u16string& path);

// The names directly inside a folder, in the platform's order, split into files and
// sub-folders (links count as what they point to). Nothing when the folder cannot be opened.
struct FolderContents {
    std::vector<std::u16string> Files;
    std::vector<std::u16string> SubFolders;
    // Where the listing tells it, the node of each sub-folder (same order as SubFolders) on the
    // listed folder's device: for plain folders only, never through a link or onto another
    // volume. Empty, or nothing for a sub-folder, where it does not; ask IdentityOfPath then.
    std::vector<std::optional<std::uint64_t>> SubFolderNodes;
};
std::optional<FolderContents> ListFolder(const std::u16string& folder);

// The process-wide wildcard listing. FindFirstEntry takes a folder path followed by a pattern
// of '*' and '?' (matched without regard to case; a trailing ".*" also matches names without
// a dot, so "*.*" matches every name). Normal files are always listed; hidden, system and
// folder entries only when attributeMask holds their bit. There is one cursor for the whole
// process: starting a listing abandons the previous one. Nothing means no (more) entries.
struct FoundEntry {
    std::u16string Name;
    bool IsFolder = false;
    // The entry's hidden and system attributes, so that one listing with a wide mask can serve
    // several narrower ones.
    bool IsHidden = false;
    bool IsSystem = false;
    // A folder's node on the listed folder's device, as FolderContents::SubFolderNodes.
    std::optional<std::uint64_t> Node;
};
std::optional<FoundEntry> FindFirstEntry(const std::u16string& pathAndPattern,
                                         std::int32_t attributeMask);
std::optional<FoundEntry> FindNextEntry();

// Ends the listing now, so that no folder stays open behind the cursor.
void EndListing();

// Whether name matches a listing pattern by the rules above.
bool MatchesWildcard(std::u16string_view name, std::u16string_view pattern);

// Larger files are not read whole: nothing the program reads from a drive is that big.
inline constexpr std::size_t DefaultReadLimit = std::size_t{64} * 1024 * 1024;

// The whole content of a regular file; nothing when it is missing, unreadable, empty, larger
// than limit, or not a regular file (a folder, or a pipe or device, which could block the
// program or never end).
std::optional<std::string> ReadWholeFile(const std::u16string& path,
                                         std::size_t limit = DefaultReadLimit);

// The size in bytes of a file; nothing when it cannot be queried.
std::optional<std::uint64_t> SizeOfFile(const std::u16string& path);

// Replaces (or creates) the file so that at every moment it holds either its old content or
// the new one: a temporary file in the same folder, flushed, then renamed over the target.
// A file that exists and is not writable is left alone and reported. The temporary file is
// named ".kivola-save-..." and hidden.
IoStatus WriteFileAtomically(const std::u16string& path, std::string_view content);

// Removes the temporary files that saves into folder left behind when they were cut short (the
// program killed, the drive pulled, the power gone). A save that is still running, in this or
// another instance of the program on any computer sharing the drive's lock rules, holds its
// temporary file so that it cannot be taken. WriteFileAtomically does this for its own folder
// before it writes; silent, since nothing is lost either way.
void RemoveStraySaves(const std::u16string& folder);

// Gives the entry oldName in folder the name newName, never replacing anything: fails when
// newName is taken. A name this system cannot open (one made on another system, which Wine
// and some file-system drivers list as it is) is reached by the system's short name for it,
// where it has one.
IoStatus RenameInFolder(const std::u16string& folder, const std::u16string& oldName,
                        const std::u16string& newName);

// Deletes a file, also when it is marked read-only. A folder is not deleted.
IoStatus RemoveFile(const std::u16string& path);

// Creates a folder; succeeds when it exists already.
IoStatus MakeFolder(const std::u16string& path);

// The process's current folder, and the folder that holds the running executable; both
// without a trailing separator except at the root.
std::u16string CurrentFolder();
std::u16string ProgramFolder();

}  // namespace Platform
