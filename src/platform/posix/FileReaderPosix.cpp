#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <optional>
#include <string>

#include "platform/FileReader.h"
#include "platform/posix/PosixPath.h"

namespace Platform {

namespace {

class PosixFileReader final : public FileReader {
  public:
    PosixFileReader(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
    PosixFileReader(const PosixFileReader&) = delete;
    PosixFileReader& operator=(const PosixFileReader&) = delete;
    ~PosixFileReader() override { ::close(fd_); }

    std::uint64_t Size() const override { return size_; }

    std::optional<std::string> ReadAt(std::uint64_t offset, std::size_t length) override {
        return ReadExactly(size_, offset, length,
                           [this](std::uint64_t at, char* buffer,
                                  std::size_t wanted) -> std::optional<std::size_t> {
                               for (;;) {
                                   const ssize_t got =
                                       ::pread(fd_, buffer, wanted, static_cast<off_t>(at));
                                   if (got >= 0) {
                                       return static_cast<std::size_t>(got);
                                   }
                                   if (errno != EINTR) {
                                       return std::nullopt;
                                   }
                               }
                           });
    }

  private:
    int fd_;
    std::uint64_t size_;
};

}  // namespace

std::unique_ptr<FileReader> OpenFileReader(const std::u16string& path) {
    if (path.empty()) {
        return nullptr;
    }
    // Non-blocking, so that a named pipe cannot hold the program up in open().
    const int fd =
        ::open(Posix::NativePath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<PosixFileReader>(fd, static_cast<std::uint64_t>(info.st_size));
}

}  // namespace Platform
