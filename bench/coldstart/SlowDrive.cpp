// A folder shown through FUSE as a USB 2.0 stick delivers it: every read request waits about
// 1 ms plus its size at 25 MB/s, one request at a time, as a stick's single queue does. Metadata
// is not delayed (the kernel caches it after the first look). Writes pass straight through, so
// a program that saves at start-up still works on it.
//
// Usage: kivola_slow_drive SOURCE-FOLDER MOUNT-POINT [FUSE OPTIONS...]   (-f: stay in front)

#define FUSE_USE_VERSION 31

#include <fuse.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

constexpr auto RequestCost = std::chrono::microseconds(1000);
constexpr double BytesPerSecond = 25e6;

std::string source;
std::mutex stick;

std::string Real(const char* path) {
    return source + path;
}

int Fail() {
    return -errno;
}

void WaitAsTheStick(std::size_t bytes) {
    const auto transfer = std::chrono::microseconds(
        static_cast<long long>(static_cast<double>(bytes) / BytesPerSecond * 1e6));
    std::this_thread::sleep_for(RequestCost + transfer);
}

int GetAttr(const char* path, struct stat* attributes, fuse_file_info* /*file*/) {
    return ::lstat(Real(path).c_str(), attributes) == 0 ? 0 : Fail();
}

int ReadLink(const char* path, char* buffer, std::size_t size) {
    const ssize_t length = ::readlink(Real(path).c_str(), buffer, size - 1);
    if (length < 0) {
        return Fail();
    }
    buffer[length] = '\0';
    return 0;
}

int ReadDir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t /*offset*/,
            fuse_file_info* /*file*/, fuse_readdir_flags /*flags*/) {
    DIR* folder = ::opendir(Real(path).c_str());
    if (folder == nullptr) {
        return Fail();
    }
    while (const dirent* entry = ::readdir(folder)) {
        if (fill(buffer, entry->d_name, nullptr, 0, static_cast<fuse_fill_dir_flags>(0)) != 0) {
            break;
        }
    }
    ::closedir(folder);
    return 0;
}

int Open(const char* path, fuse_file_info* file) {
    const int handle = ::open(Real(path).c_str(), file->flags);
    if (handle < 0) {
        return Fail();
    }
    file->fh = static_cast<std::uint64_t>(handle);
    return 0;
}

int Create(const char* path, mode_t mode, fuse_file_info* file) {
    const int handle = ::open(Real(path).c_str(), file->flags | O_CREAT, mode);
    if (handle < 0) {
        return Fail();
    }
    file->fh = static_cast<std::uint64_t>(handle);
    return 0;
}

int Read(const char* /*path*/, char* buffer, std::size_t size, off_t offset, fuse_file_info* file) {
    const std::lock_guard<std::mutex> queue(stick);
    const ssize_t got = ::pread(static_cast<int>(file->fh), buffer, size, offset);
    if (got < 0) {
        return Fail();
    }
    WaitAsTheStick(static_cast<std::size_t>(got));
    return static_cast<int>(got);
}

int Write(const char* /*path*/, const char* buffer, std::size_t size, off_t offset,
          fuse_file_info* file) {
    const ssize_t put = ::pwrite(static_cast<int>(file->fh), buffer, size, offset);
    return put < 0 ? Fail() : static_cast<int>(put);
}

int Release(const char* /*path*/, fuse_file_info* file) {
    ::close(static_cast<int>(file->fh));
    return 0;
}

int Fsync(const char* /*path*/, int /*dataOnly*/, fuse_file_info* file) {
    return ::fsync(static_cast<int>(file->fh)) == 0 ? 0 : Fail();
}

int Rename(const char* from, const char* to, unsigned int /*flags*/) {
    return ::rename(Real(from).c_str(), Real(to).c_str()) == 0 ? 0 : Fail();
}

int Unlink(const char* path) {
    return ::unlink(Real(path).c_str()) == 0 ? 0 : Fail();
}

int MakeDir(const char* path, mode_t mode) {
    return ::mkdir(Real(path).c_str(), mode) == 0 ? 0 : Fail();
}

int RemoveDir(const char* path) {
    return ::rmdir(Real(path).c_str()) == 0 ? 0 : Fail();
}

int Truncate(const char* path, off_t size, fuse_file_info* /*file*/) {
    return ::truncate(Real(path).c_str(), size) == 0 ? 0 : Fail();
}

int StatFs(const char* path, struct statvfs* sizes) {
    return ::statvfs(Real(path).c_str(), sizes) == 0 ? 0 : Fail();
}

int Access(const char* path, int mask) {
    return ::access(Real(path).c_str(), mask) == 0 ? 0 : Fail();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "Usage: %s SOURCE-FOLDER MOUNT-POINT [FUSE OPTIONS...]\n", argv[0]);
        return 2;
    }
    char resolved[PATH_MAX];
    if (::realpath(argv[1], resolved) == nullptr) {
        std::perror(argv[1]);
        return 2;
    }
    source = resolved;
    fuse_operations operations{};
    operations.getattr = GetAttr;
    operations.readlink = ReadLink;
    operations.readdir = ReadDir;
    operations.open = Open;
    operations.create = Create;
    operations.read = Read;
    operations.write = Write;
    operations.release = Release;
    operations.fsync = Fsync;
    operations.rename = Rename;
    operations.unlink = Unlink;
    operations.mkdir = MakeDir;
    operations.rmdir = RemoveDir;
    operations.truncate = Truncate;
    operations.statfs = StatFs;
    operations.access = Access;
    // FUSE takes the program name and everything after the source folder.
    std::vector<char*> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    return fuse_main(static_cast<int>(arguments.size()), arguments.data(), &operations, nullptr);
}
