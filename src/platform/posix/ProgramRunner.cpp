#include "platform/posix/ProgramRunner.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <string>
#include <utility>

#include "platform/Paths.h"
#include "platform/ProgramKind.h"
#include "platform/posix/PosixPath.h"

namespace Platform::Posix {

namespace {

// The part of a script the kernel reads for its "#!" line.
constexpr std::size_t ShebangBytes = 256;
constexpr std::uint32_t PtInterp = 3;
constexpr std::size_t MaxProgramHeaders = 65536;  // bytes, as the kernel allows
constexpr std::size_t MaxInterpreterPath = 4096;

constexpr char16_t WineMissing[] =
    u"This is a Windows program. On Linux it starts through Wine, which is not installed "
    u"here: install the package \"wine\" (for example: sudo apt install wine), then try again.";

std::uint64_t Field(std::string_view bytes, std::size_t at, std::size_t size, bool bigEndian) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[bigEndian ? at + i : at + size - 1 - i]);
        value = (value << 8U) | byte;
    }
    return value;
}

// The program copied into an anonymous file in memory, which may run where the drive's copy
// may not; the copy is the system's to drop once the program ends.
std::variant<RunCommand, IoStatus> InMemory(const std::string& path, std::uint64_t size,
                                            std::vector<std::string> environment) {
    const int source = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0) {
        return ErrnoFailure(errno);
    }
    // Not close-on-exec: the program is started through this very descriptor.
    const int memory = static_cast<int>(::syscall(SYS_memfd_create, "kivola-program", 0U));
    if (memory < 0) {
        const int error = errno;
        ::close(source);
        return ErrnoFailure(error);
    }
    std::uint64_t copied = 0;
    while (copied < size) {
        const ssize_t sent = ::sendfile(memory, source, nullptr, size - copied);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            const int error = sent < 0 ? errno : EIO;
            ::close(source);
            ::close(memory);
            return ErrnoFailure(error);
        }
        copied += static_cast<std::uint64_t>(sent);
    }
    ::close(source);
    return RunCommand{
        "/proc/self/fd/" + std::to_string(memory), {path}, std::move(environment), memory};
}

}  // namespace

std::optional<std::vector<std::string>> ShebangLine(std::string_view firstBytes) {
    if (firstBytes.substr(0, 2) != "#!") {
        return std::nullopt;
    }
    std::string_view line = firstBytes.substr(2, ShebangBytes - 2);
    line = line.substr(0, line.find('\n'));
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && blank(line.front())) {
        line.remove_prefix(1);
    }
    while (!line.empty() && blank(line.back())) {
        line.remove_suffix(1);
    }
    if (line.empty()) {
        return std::nullopt;
    }
    std::size_t end = 0;
    while (end < line.size() && !blank(line[end])) {
        ++end;
    }
    std::vector<std::string> words{std::string(line.substr(0, end))};
    std::string_view rest = line.substr(end);
    while (!rest.empty() && blank(rest.front())) {
        rest.remove_prefix(1);
    }
    if (!rest.empty()) {
        words.emplace_back(rest);  // one argument, spaces and all, as the kernel passes it
    }
    return words;
}

std::optional<std::string> ElfInterpreter(FileReader& file) {
    const auto header = file.ReadAt(0, 64);
    if (!header || header->compare(0, 4,
                                   "\x7f"
                                   "ELF") != 0) {
        return std::nullopt;
    }
    const bool wide = (*header)[4] == 2;
    const bool big = (*header)[5] == 2;
    const std::uint64_t table = wide ? Field(*header, 0x20, 8, big) : Field(*header, 0x1C, 4, big);
    const std::uint64_t entrySize = Field(*header, wide ? 0x36 : 0x2A, 2, big);
    const std::uint64_t count = Field(*header, wide ? 0x38 : 0x2C, 2, big);
    if (entrySize < (wide ? 56U : 32U) || entrySize * count > MaxProgramHeaders) {
        return std::nullopt;
    }
    const auto headers = file.ReadAt(table, static_cast<std::size_t>(entrySize * count));
    if (!headers) {
        return std::nullopt;
    }
    for (std::uint64_t i = 0; i < count; ++i) {
        const auto at = static_cast<std::size_t>(i * entrySize);
        if (Field(*headers, at, 4, big) != PtInterp) {
            continue;
        }
        const std::uint64_t offset =
            wide ? Field(*headers, at + 8, 8, big) : Field(*headers, at + 4, 4, big);
        const std::uint64_t size =
            wide ? Field(*headers, at + 32, 8, big) : Field(*headers, at + 16, 4, big);
        if (size < 2 || size > MaxInterpreterPath) {
            return std::nullopt;
        }
        auto path = file.ReadAt(offset, static_cast<std::size_t>(size));
        if (!path || path->back() != '\0' || path->find('\0') != path->size() - 1) {
            return std::nullopt;
        }
        path->pop_back();
        return path;
    }
    return std::nullopt;
}

std::optional<std::string> FindOnPath(std::string_view name, std::string_view searchPath) {
    while (true) {
        const auto colon = searchPath.find(':');
        const std::string_view folder = searchPath.substr(0, colon);
        // An empty entry would mean the current folder, which is not where a system's Wine is.
        if (!folder.empty()) {
            std::string candidate = std::string(folder) + "/" + std::string(name);
            struct stat info {};
            if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
                ::access(candidate.c_str(), X_OK) == 0) {
                return candidate;
            }
        }
        if (colon == std::string_view::npos) {
            return std::nullopt;
        }
        searchPath.remove_prefix(colon + 1);
    }
}

std::variant<RunCommand, IoStatus> HowToRun(const std::string& path, std::string_view searchPath) {
    const std::u16string text = DecodeFileName(path);
    const auto file = OpenFileReader(text);
    std::string first;
    if (file) {
        first = file->ReadAt(0, static_cast<std::size_t>(
                                    std::min<std::uint64_t>(file->Size(), ShebangBytes)))
                    .value_or(std::string());
    }
    const ProgramKind kind = KindOfProgram(text, first.substr(0, ProgramHeadBytes));
    if (kind == ProgramKind::Windows) {
        const auto wine = FindOnPath("wine", searchPath);
        if (!wine) {
            return IoStatus::Failure(WineMissing);
        }
        // Wine runs a batch file through its own command interpreter.
        return RunCommand{*wine, {*wine, path}, {}};
    }
    // With its exec bit (or when the system says why not) it runs itself.
    if (::access(path.c_str(), X_OK) == 0 || errno != EACCES || !file) {
        return RunCommand{path, {path}, {}};
    }
    if (kind == ProgramKind::Script) {
        if (auto words = ShebangLine(first)) {
            std::string interpreter = words->front();
            words->push_back(path);
            return RunCommand{std::move(interpreter), std::move(*words), {}};
        }
    }
    if (kind == ProgramKind::Elf) {
        // An AppImage ("AI" and its type after the ELF header's first eight bytes) finds its
        // own contents by this variable where it is set, else by /proc/self/exe.
        if (first.size() > 10 && first.compare(8, 2, "AI") == 0) {
            return InMemory(path, file->Size(), {"TARGET_APPIMAGE=" + path});
        }
        // A static program has no loader to go through, and on a drive mounted "noexec" the
        // loader may not map the program to run it.
        auto loader = ElfInterpreter(*file);
        struct statvfs volume {};
        if (!loader ||
            (::statvfs(path.c_str(), &volume) == 0 && (volume.f_flag & ST_NOEXEC) != 0)) {
            return InMemory(path, file->Size(), {});
        }
        return RunCommand{*loader, {*loader, path}, {}};
    }
    return RunCommand{path, {path}, {}};
}

}  // namespace Platform::Posix
