#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "platform/FileSystem.h"
#include "platform/posix/PosixPath.h"

namespace Platform {

using Posix::ErrnoFailure;
using Posix::NativePath;

namespace {

bool NameIsHidden(const std::string& native) {
    const auto slash = native.find_last_of('/');
    const std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
    return !name.empty() && name[0] == '.' && name != "." && name != "..";
}

// What a save's temporary file is called before its random part. It carries nothing of the
// target's name: a leftover must not look like a note ("*.txt") or a descriptor to a listing.
constexpr char SavePrefix[] = ".kivola-save-";

// Closes a descriptor on every path out of a function.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666U & ~mask);
}

// folder ends with '/'.
void RemoveStraySavesIn(const std::string& folder) {
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        return;
    }
    const std::string_view prefix(SavePrefix);
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name(entry->d_name);
        if (name.substr(0, prefix.size()) != prefix) {
            continue;
        }
        const std::string path = folder + std::string(name);
        const FileDescriptor file(
            ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat opened {};
        if (file.Get() < 0 || ::fstat(file.Get(), &opened) != 0 || !S_ISREG(opened.st_mode)) {
            continue;
        }
        // A running save holds its file locked until it has renamed it.
        if (::flock(file.Get(), LOCK_EX | LOCK_NB) != 0) {
            continue;
        }
        // Still the file that was locked, not one made under the same name since.
        struct stat named {};
        if (::lstat(path.c_str(), &named) == 0 && named.st_dev == opened.st_dev &&
            named.st_ino == opened.st_ino) {
            ::unlink(path.c_str());
        }
    }
    ::closedir(listing);
}

}  // namespace

std::int32_t PathAttributes(const std::u16string& path) {
    if (path.empty()) {
        return -1;
    }
    const std::string native = NativePath(path);
    struct stat info {};
    if (::stat(native.c_str(), &info) != 0) {
        return -1;
    }
    std::int32_t attributes = 0;
    if (S_ISDIR(info.st_mode)) {
        attributes |= AttrDirectory;
    } else if (!S_ISREG(info.st_mode)) {
        attributes |= AttrSystem;
    }
    if (::access(native.c_str(), W_OK) != 0) {
        attributes |= AttrReadOnly;
    }
    if (NameIsHidden(native)) {
        attributes |= AttrHidden;
    }
    return attributes;
}

PathKind KindOfPath(const std::u16string& path) {
    if (path.empty()) {
        return PathKind::Missing;
    }
    struct stat info {};
    if (::stat(NativePath(path).c_str(), &info) != 0) {
        return PathKind::Missing;
    }
    return S_ISDIR(info.st_mode) ? PathKind::Folder : PathKind::File;
}

bool FolderExists(const std::u16string& path) {
    return KindOfPath(path) == PathKind::Folder;
}

std::optional<FileIdentity> IdentityOfPath(const std::u16string& path) {
    struct stat info {};
    if (path.empty() || ::stat(NativePath(path).c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
}

std::optional<FolderContents> ListFolder(const std::u16string& folder) {
    std::string native = NativePath(folder);
    DIR* dir = ::opendir(native.c_str());
    if (dir == nullptr) {
        return std::nullopt;
    }
    if (native.empty() || native.back() != '/') {
        native.push_back('/');
    }
    FolderContents contents;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            const std::string full = native + std::string(name);
            if (::stat(full.c_str(), &info) != 0) {
                // A dangling link is still an entry of the folder; it lists as a file.
                isFolder = false;
            } else {
                isFolder = S_ISDIR(info.st_mode);
            }
        }
        (isFolder ? contents.SubFolders : contents.Files).push_back(Posix::DecodeFileName(name));
    }
    ::closedir(dir);
    return contents;
}

std::optional<std::string> ReadWholeFile(const std::u16string& path, std::size_t limit) {
    if (path.empty()) {
        return std::nullopt;
    }
    // Non-blocking, so that a named pipe left on a drive cannot hold the program up in open();
    // the type test right after turns such files away.
    const FileDescriptor fd(
        ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.Get() < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::uint64_t>(info.st_size) > limit) {
        return std::nullopt;
    }
    // Read straight into the result; the size from fstat is only a first guess, since the
    // file may grow or shrink while it is read.
    std::string content;
    std::size_t used = 0;
    content.resize(static_cast<std::size_t>(info.st_size) + 1);
    for (;;) {
        if (used == content.size()) {
            if (content.size() > limit) {
                return std::nullopt;
            }
            content.resize(std::min(content.size() * 2, limit + 1));
        }
        const ssize_t got = ::read(fd.Get(), content.data() + used, content.size() - used);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        used += static_cast<std::size_t>(got);
    }
    if (used == 0 || used > limit) {
        return std::nullopt;
    }
    content.resize(used);
    return content;
}

std::optional<std::uint64_t> SizeOfFile(const std::u16string& path) {
    struct stat info {};
    if (path.empty() || ::stat(NativePath(path).c_str(), &info) != 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

void RemoveStraySaves(const std::u16string& folder) {
    std::string native = NativePath(folder);
    if (native.empty() || native.back() != '/') {
        native += '/';
    }
    RemoveStraySavesIn(native);
}

IoStatus WriteFileAtomically(const std::u16string& path, std::string_view content) {
    const std::string target = NativePath(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return ErrnoFailure(EISDIR);
    }
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        return ErrnoFailure(errno);
    }
    const auto slash = target.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string("./") : target.substr(0, slash + 1);
    RemoveStraySavesIn(folder);
    std::string temporary;
    int locked = -1;
    // Held under a lock while it is written, so that no clean-up takes it meanwhile. One that
    // a clean-up caught between its making and its locking is left to it, and another made.
    for (int attempt = 0; attempt < 8 && locked < 0; ++attempt) {
        temporary = folder + SavePrefix + "XXXXXX";
        const int made = ::mkstemp(temporary.data());
        if (made < 0) {
            return ErrnoFailure(errno);
        }
        if (::flock(made, LOCK_EX | LOCK_NB) == 0) {
            locked = made;
        } else {
            ::close(made);
        }
    }
    if (locked < 0) {
        return ErrnoFailure(EWOULDBLOCK);
    }
    const FileDescriptor fd(locked);
    const mode_t mode = exists ? (existing.st_mode & 07777U) : NewFileMode();
    int error = 0;
    if (::fchmod(fd.Get(), mode) != 0 || !WriteAll(fd.Get(), content) || ::fsync(fd.Get()) != 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return ErrnoFailure(error);
    }
    // Make the rename itself durable before reporting success: the drive may be pulled next.
    const FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) {
        ::fsync(dir.Get());
    }
    return IoStatus::Success();
}

IoStatus RemoveFile(const std::u16string& path) {
    const std::string native = NativePath(path);
    struct stat info {};
    if (::stat(native.c_str(), &info) != 0) {
        return ErrnoFailure(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return ErrnoFailure(EISDIR);
    }
    // On POSIX a file's own write bit does not guard its deletion, so read-only files go too.
    if (::unlink(native.c_str()) != 0) {
        return ErrnoFailure(errno);
    }
    return IoStatus::Success();
}

IoStatus RenameInFolder(const std::u16string& folder, const std::u16string& oldName,
                        const std::u16string& newName) {
    const std::string from = NativePath(InFolder(folder, oldName));
    const std::string to = NativePath(InFolder(folder, newName));
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return IoStatus::Success();
    }
    const int error = errno;
    if (error != EINVAL && error != ENOSYS) {
        return ErrnoFailure(error);
    }
    // A file system without the no-replace rename: the target is looked for first.
    struct stat info {};
    if (::lstat(to.c_str(), &info) == 0) {
        return ErrnoFailure(EEXIST);
    }
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return ErrnoFailure(errno);
    }
    return IoStatus::Success();
}

IoStatus MakeFolder(const std::u16string& path) {
    if (::mkdir(NativePath(path).c_str(), 0777) == 0) {
        return IoStatus::Success();
    }
    const int error = errno;
    if (error == EEXIST) {
        return FolderExists(path) ? IoStatus::Success() : ErrnoFailure(ENOTDIR);
    }
    return ErrnoFailure(error);
}

std::u16string CurrentFolder() {
    std::string buffer(PATH_MAX, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(std::char_traits<char>::length(buffer.c_str()));
    return Posix::DecodeFileName(buffer);
}

namespace {

// The file of the running program. Started through the dynamic loader (as kivola.sh starts it
// where a drive lets no file run), /proc/self/exe names the loader; the program is then the
// file the loader was given, which the loader's own list of loaded files names for our code.
std::string RunningProgram() {
    std::string buffer(PATH_MAX, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0) {
        return {};
    }
    buffer.resize(static_cast<std::size_t>(length));
    if (buffer.compare(buffer.find_last_of('/') + 1, 3, "ld-") != 0) {
        return buffer;
    }
    Dl_info info{};
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): dladdr takes an address
    if (::dladdr(reinterpret_cast<const void*>(&RunningProgram), &info) == 0 ||
        info.dli_fname == nullptr || info.dli_fname[0] == '\0') {
        return buffer;
    }
    char* real = ::realpath(info.dli_fname, nullptr);
    if (real == nullptr) {
        return buffer;
    }
    std::string program(real);
    std::free(real);
    return program;
}

}  // namespace

std::u16string ProgramFolder() {
    std::string buffer = RunningProgram();
    if (buffer.empty()) {
        return CurrentFolder();
    }
    const auto slash = buffer.find_last_of('/');
    buffer.resize(slash == 0 ? 1 : slash);
    return Posix::DecodeFileName(buffer);
}

}  // namespace Platform
