#include <dirent.h>
#include <sys/stat.h>

#include <memory>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/posix/PosixPath.h"

namespace Platform {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// The one listing cursor of the process.
struct Cursor {
    std::unique_ptr<DIR, DirCloser> Dir;
    std::string Folder;  // native, ending in '/'
    std::u16string Pattern;
    std::int32_t Mask = 0;
};

Cursor& TheCursor() {
    static Cursor cursor;
    return cursor;
}

bool HasWildcard(std::u16string_view pattern) {
    return pattern.find_first_of(u"*?") != std::u16string_view::npos;
}

std::optional<FoundEntry> NextMatch(Cursor& cursor) {
    if (!cursor.Dir) {
        return std::nullopt;
    }
    while (const dirent* entry = ::readdir(cursor.Dir.get())) {
        const std::string_view native = entry->d_name;
        std::u16string name = Posix::DecodeFileName(native);
        if (!MatchesWildcard(name, cursor.Pattern)) {
            continue;
        }
        bool isFolder = entry->d_type == DT_DIR;
        bool isSystem = entry->d_type != DT_DIR && entry->d_type != DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            std::string full = cursor.Folder;
            full += native;
            if (::stat(full.c_str(), &info) == 0) {
                isFolder = S_ISDIR(info.st_mode);
                isSystem = !isFolder && !S_ISREG(info.st_mode);
            }
        }
        const bool isHidden = native[0] == '.';
        if ((isFolder && (cursor.Mask & AttrDirectory) == 0) ||
            (isHidden && (cursor.Mask & AttrHidden) == 0) ||
            (isSystem && (cursor.Mask & AttrSystem) == 0)) {
            continue;
        }
        // d_ino is no identity for a mount point, so the node is left to IdentityOfPath.
        return FoundEntry{std::move(name), isFolder, isHidden, isSystem, std::nullopt};
    }
    cursor.Dir.reset();
    return std::nullopt;
}

}  // namespace

std::optional<FoundEntry> FindFirstEntry(const std::u16string& pathAndPattern,
                                         std::int32_t attributeMask) {
    Cursor& cursor = TheCursor();
    cursor.Dir.reset();
    const auto slash = pathAndPattern.find_last_of(PathSeparator);
    std::u16string folder =
        slash == std::u16string::npos ? u"./" : pathAndPattern.substr(0, slash + 1);
    cursor.Pattern =
        slash == std::u16string::npos ? pathAndPattern : pathAndPattern.substr(slash + 1);
    cursor.Mask = attributeMask;
    if (cursor.Pattern.empty()) {
        return std::nullopt;
    }
    cursor.Folder = Posix::NativePath(folder);
    if (!HasWildcard(cursor.Pattern)) {
        // A plain name names one entry; no need to read the whole folder for it.
        const std::u16string full = folder + cursor.Pattern;
        const std::int32_t attributes = PathAttributes(full);
        if (attributes == -1 ||
            ((attributes & ~attributeMask) & (AttrDirectory | AttrHidden | AttrSystem)) != 0) {
            return std::nullopt;
        }
        return FoundEntry{cursor.Pattern, (attributes & AttrDirectory) != 0,
                          (attributes & AttrHidden) != 0, (attributes & AttrSystem) != 0,
                          std::nullopt};
    }
    cursor.Dir.reset(::opendir(cursor.Folder.c_str()));
    return NextMatch(cursor);
}

std::optional<FoundEntry> FindNextEntry() {
    return NextMatch(TheCursor());
}

void EndListing() {
    TheCursor().Dir.reset();
}

}  // namespace Platform
