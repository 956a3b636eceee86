#pragma once

// Reading parts of a file without reading all of it: what a few bytes of a large program say
// (its kind, its icon) costs a few small reads, however big the program is.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace Platform {

class FileReader {
  public:
    virtual ~FileReader() = default;

    // The file's size when it was opened.
    virtual std::uint64_t Size() const = 0;

    // Exactly length bytes from offset; nothing when the file cannot give all of them (asked
    // beyond its end, shrunk since, or unreadable).
    virtual std::optional<std::string> ReadAt(std::uint64_t offset, std::size_t length) = 0;
};

// ReadAt of a file of the given size made of the system's single reads: readSome puts up to
// length bytes at offset into buffer and says how many (0 at the end of the file), or nothing
// when it failed.
using ReadSome = std::function<std::optional<std::size_t>(std::uint64_t offset, char* buffer,
                                                          std::size_t length)>;
std::optional<std::string> ReadExactly(std::uint64_t size, std::uint64_t offset, std::size_t length,
                                       const ReadSome& readSome);

// A regular file opened for reading; nothing for a folder, a pipe, a device or a file that
// cannot be opened.
std::unique_ptr<FileReader> OpenFileReader(const std::u16string& path);

}  // namespace Platform
