#include "platform/ResidentProgram.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/uio.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/posix/FileNameCodec.h"

namespace Platform {

namespace {

struct Mapping {
    std::uintptr_t Start = 0;
    std::uintptr_t End = 0;
    int Protection = PROT_NONE;
    std::uint64_t Node = 0;
    std::string Path;
};

// The kernel lists mappings by their addresses as numbers.
void* AddressOf(std::uintptr_t address) {
    return reinterpret_cast<void*>(address);  // NOLINT(performance-no-int-to-ptr)
}

std::string FolderPrefix(const std::u16string& folder) {
    std::string prefix = Posix::EncodeFileName(folder);
    if (prefix.empty() || prefix.back() != '/') {
        prefix += '/';
    }
    return prefix;
}

// The private mappings of files below the folder, as the kernel lists them now. The whole list
// is read before anything is changed, since it is made as it is read.
std::vector<Mapping> MappingsBelow(const std::string& prefix) {
    std::ifstream maps("/proc/self/maps");
    std::stringstream whole;
    whole << maps.rdbuf();
    std::vector<Mapping> found;
    std::string line;
    while (std::getline(whole, line)) {
        // start-end perms offset dev inode path
        std::istringstream fields(line);
        std::string range;
        std::string perms;
        std::string offset;
        std::string device;
        Mapping mapping;
        if (!(fields >> range >> perms >> offset >> device >> mapping.Node) || perms.size() < 4 ||
            perms[3] != 'p') {
            continue;
        }
        const auto pathStart = line.find('/', static_cast<std::size_t>(fields.tellg()));
        if (pathStart == std::string::npos) {
            continue;
        }
        mapping.Path = line.substr(pathStart);
        // A file deleted or replaced since it was mapped is no longer the drive's to read.
        if (!mapping.Path.starts_with(prefix) || mapping.Path.ends_with(" (deleted)")) {
            continue;
        }
        const auto dash = range.find('-');
        if (dash == std::string::npos) {
            continue;
        }
        mapping.Start = std::stoull(range.substr(0, dash), nullptr, 16);
        mapping.End = std::stoull(range.substr(dash + 1), nullptr, 16);
        mapping.Protection = (perms[0] == 'r' ? PROT_READ : 0) |
                             (perms[1] == 'w' ? PROT_WRITE : 0) | (perms[2] == 'x' ? PROT_EXEC : 0);
        if ((mapping.Protection & PROT_READ) != 0 && mapping.End > mapping.Start) {
            found.push_back(std::move(mapping));
        }
    }
    return found;
}

// Copies the program's own memory through the kernel: a page that cannot be read in (its
// drive is gone) fails the copy instead of raising SIGBUS in the program.
bool CopyOwnMemory(void* to, std::uintptr_t from, std::size_t size) {
    iovec local{to, size};
    iovec remote{AddressOf(from), size};
    const ssize_t copied = process_vm_readv(getpid(), &local, 1, &remote, 1, 0);
    if (copied == static_cast<ssize_t>(size)) {
        return true;
    }
    if (copied >= 0 || (errno != ENOSYS && errno != EPERM)) {
        return false;
    }
    // Where the kernel's copy is not allowed, copy only what is in memory already.
    const auto pageSize = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    std::vector<unsigned char> resident((size + pageSize - 1) / pageSize);
    if (mincore(AddressOf(from), size, resident.data()) != 0) {
        return false;
    }
    for (const unsigned char page : resident) {
        if ((page & 1U) == 0) {
            return false;
        }
    }
    std::memcpy(to, AddressOf(from), size);
    return true;
}

// A mapping the program writes to (a library's data) cannot be copied while other threads may
// write it; writing each page instead makes the kernel give it a private copy. Each page is
// first read through the kernel, so that one that cannot be read in is left alone.
bool HoldWritable(const Mapping& mapping, std::size_t pageSize) {
    std::vector<unsigned char> probe(pageSize);
    for (std::uintptr_t page = mapping.Start; page < mapping.End; page += pageSize) {
        if (!CopyOwnMemory(probe.data(), page, pageSize)) {
            return false;
        }
        // Adding nothing atomically writes the same value back, whatever another thread does.
        std::atomic_ref<unsigned char>(*static_cast<unsigned char*>(AddressOf(page)))
            .fetch_add(0, std::memory_order_relaxed);
    }
    return true;
}

// A mapping that is only read or run is copied whole into new memory, which then takes its
// place at the same address in one step: whatever runs there meanwhile finds the same bytes.
bool HoldReadOnly(const Mapping& mapping) {
    const std::size_t size = mapping.End - mapping.Start;
    void* copy = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (copy == MAP_FAILED) {
        return false;
    }
    if (!CopyOwnMemory(copy, mapping.Start, size) ||
        mprotect(copy, size, mapping.Protection) != 0 ||
        mremap(copy, size, size, MREMAP_MAYMOVE | MREMAP_FIXED, AddressOf(mapping.Start)) ==
            MAP_FAILED) {
        munmap(copy, size);
        return false;
    }
    return true;
}

}  // namespace

void ReadMappedFilesAhead(const std::u16string& folder, const std::stop_token& stop) {
    std::set<std::string> files;
    for (const Mapping& mapping : MappingsBelow(FolderPrefix(folder))) {
        files.insert(mapping.Path);
    }
    std::vector<char> buffer(std::size_t{1} << 20U);
    for (const std::string& file : files) {
        if (stop.stop_requested()) {
            return;
        }
        const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        while (!stop.stop_requested() && read(fd, buffer.data(), buffer.size()) > 0) {
        }
        close(fd);
    }
}

HeldInMemory HoldInMemory(const std::u16string& folder) {
    // Writable mappings keep their file's name after being held; they are not written again.
    static std::set<std::tuple<std::uintptr_t, std::uintptr_t, std::uint64_t>> heldWritable;
    const auto pageSize = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    HeldInMemory held;
    for (const Mapping& mapping : MappingsBelow(FolderPrefix(folder))) {
        const bool writable = (mapping.Protection & PROT_WRITE) != 0;
        const auto key = std::make_tuple(mapping.Start, mapping.End, mapping.Node);
        if (writable && heldWritable.contains(key)) {
            continue;
        }
        if (writable ? HoldWritable(mapping, pageSize) : HoldReadOnly(mapping)) {
            ++held.Regions;
            held.Bytes += mapping.End - mapping.Start;
            if (writable) {
                heldWritable.insert(key);
            }
        } else {
            ++held.Left;
        }
    }
    return held;
}

}  // namespace Platform
