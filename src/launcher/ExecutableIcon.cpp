#include "launcher/ExecutableIcon.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "launcher/PictureLimit.h"

namespace Launcher {

namespace {

constexpr std::uint32_t RtIcon = 3;
constexpr std::uint32_t RtGroupIcon = 14;

// Bounds on what a file may claim. Real programs stay far below each.
constexpr std::uint32_t MaxSections = 1024;
constexpr std::uint32_t MaxDirectoryEntries = 4096;
constexpr std::uint32_t MaxGroupEntries = 256;
constexpr std::size_t GroupHeaderBytes = 6;
constexpr std::size_t GroupEntryBytes = 14;
// The largest picture allowed, uncompressed at 32 bits with its mask, and a header.
constexpr std::size_t MaxIconBytes = std::size_t{MaxPictureSide} * MaxPictureSide * 4 +
                                     std::size_t{MaxPictureSide} * MaxPictureSide / 8 + 4096;
constexpr std::uint32_t SubdirectoryBit = 0x80000000U;

std::uint32_t U16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8U);
}

std::uint32_t U32(std::string_view bytes, std::size_t at) {
    return U16(bytes, at) | (U16(bytes, at + 2) << 16U);
}

std::uint32_t BigU32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8U) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

void PutU16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFFU));
    out.push_back(static_cast<char>((value >> 8U) & 0xFFU));
}

void PutU32(std::string& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFFU);
    PutU16(out, value >> 16U);
}

bool SideAllowed(std::int64_t side) {
    return side >= 1 && side <= MaxPictureSide;
}

struct GroupEntry {
    int Side = 0;
    std::uint32_t ColorCount = 0;
    std::uint32_t BitCount = 0;
    std::uint32_t Id = 0;
};

// Nearest to side: the largest not larger, else the smallest above; then the most colours.
bool Better(const GroupEntry& candidate, const GroupEntry& best, int side) {
    const bool fits = candidate.Side <= side;
    const bool bestFits = best.Side <= side;
    if (fits != bestFits) {
        return fits;
    }
    if (candidate.Side != best.Side) {
        return fits ? candidate.Side > best.Side : candidate.Side < best.Side;
    }
    return candidate.BitCount > best.BitCount;
}

class ResourceReader {
  public:
    explicit ResourceReader(Platform::FileReader& file) : file_(file) {}

    std::optional<std::string> Icon(int side) {
        if (!FindResourceSection()) {
            return std::nullopt;
        }
        const auto group =
            FirstResource(RtGroupIcon, MaxGroupEntries * GroupEntryBytes + GroupHeaderBytes);
        if (!group || group->size() < GroupHeaderBytes || U16(*group, 0) != 0 ||
            U16(*group, 2) != 1) {
            return std::nullopt;
        }
        const std::uint32_t count = U16(*group, 4);
        if (count == 0 || count > MaxGroupEntries ||
            group->size() < GroupHeaderBytes + count * GroupEntryBytes) {
            return std::nullopt;
        }
        std::optional<GroupEntry> best;
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = GroupHeaderBytes + i * GroupEntryBytes;
            const auto width = static_cast<unsigned char>((*group)[at]);
            GroupEntry entry{width == 0 ? 256 : width, static_cast<unsigned char>((*group)[at + 2]),
                             U16(*group, at + 6), U16(*group, at + 12)};
            if (!best || Better(entry, *best, side)) {
                best = entry;
            }
        }
        auto data = Resource(RtIcon, best->Id, MaxIconBytes);
        if (!data) {
            return std::nullopt;
        }
        return Picture(std::move(*data), *best);
    }

  private:
    // The headers, and the resource tree with its small entries, lie together: each is read
    // in one block of up to BlockBytes, and the many small fields come out of the blocks.
    std::optional<std::string> Read(std::uint64_t offset, std::size_t length) {
        const std::uint64_t size = file_.Size();
        if (offset > size || length > size - offset) {
            return std::nullopt;
        }
        for (const auto& block : blocks_) {
            if (offset >= block.Offset && offset - block.Offset <= block.Bytes.size() &&
                length <= block.Bytes.size() - (offset - block.Offset)) {
                return block.Bytes.substr(offset - block.Offset, length);
            }
        }
        if (length > BlockBytes || blocks_.size() == MaxBlocks) {
            return file_.ReadAt(offset, length);
        }
        auto bytes = file_.ReadAt(offset, std::min<std::uint64_t>(BlockBytes, size - offset));
        if (!bytes) {
            return std::nullopt;
        }
        blocks_.push_back({offset, std::move(*bytes)});
        return blocks_.back().Bytes.substr(0, length);
    }

    // Within the resource section only; offset counts from the section's start.
    std::optional<std::string> ReadInSection(std::uint64_t offset, std::uint64_t length) {
        if (offset > sectionSize_ || length > sectionSize_ - offset) {
            return std::nullopt;
        }
        return Read(sectionStart_ + offset, static_cast<std::size_t>(length));
    }

    bool FindResourceSection() {
        const auto dos = Read(0, 64);
        if (!dos || dos->compare(0, 2, "MZ") != 0) {
            return false;
        }
        const std::uint64_t pe = U32(*dos, 60);
        const auto header = Read(pe, 24);
        if (!header || header->compare(0, 4, std::string_view("PE\0\0", 4)) != 0) {
            return false;
        }
        const std::uint32_t sections = U16(*header, 6);
        const std::uint32_t optionalSize = U16(*header, 20);
        if (sections == 0 || sections > MaxSections) {
            return false;
        }
        const auto magic = Read(pe + 24, 2);
        if (!magic) {
            return false;
        }
        // The data directories follow the optional header's fixed part; resources are the
        // third of them.
        const std::size_t directories = U16(*magic, 0) == 0x20BU ? 112 : 96;
        if (U16(*magic, 0) != 0x10BU && U16(*magic, 0) != 0x20BU) {
            return false;
        }
        // Eight bytes a directory: resources are the third.
        const std::size_t resources = directories + 2 * std::size_t{8};
        if (optionalSize < resources + 8) {
            return false;
        }
        const auto optional = Read(pe + 24, resources + 8);
        if (!optional || U32(*optional, directories - 4) < 3) {
            return false;
        }
        const std::uint32_t rva = U32(*optional, resources);
        if (rva == 0 || U32(*optional, resources + 4) == 0) {
            return false;  // no resources
        }
        const auto table = Read(pe + 24 + optionalSize, std::size_t{sections} * 40);
        if (!table) {
            return false;
        }
        bool found = false;
        for (std::uint32_t i = 0; i < sections; ++i) {
            const std::size_t at = std::size_t{i} * 40;
            const std::uint64_t address = U32(*table, at + 12);
            const std::uint64_t rawSize = U32(*table, at + 16);
            const std::uint64_t rawStart = U32(*table, at + 20);
            // A section that does not lie whole inside the file makes a cut or forged file,
            // which the system would not start either.
            if (rawStart > file_.Size() || rawSize > file_.Size() - rawStart) {
                return false;
            }
            if (found || rva < address || rva - address >= rawSize) {
                continue;
            }
            found = true;
            sectionStart_ = rawStart;
            sectionSize_ = rawSize;
            sectionAddress_ = address;
            root_ = rva - address;
        }
        return found;
    }

    // The resource tree's offsets count from its root directory.
    std::optional<std::string> ReadInTree(std::uint64_t offset, std::uint64_t length) {
        return ReadInSection(root_ + offset, length);
    }

    // The entry of the directory at offset with the given id, or its first entry; the offset
    // it leads to, which is a directory exactly when one is wanted.
    std::optional<std::uint64_t> Entry(std::uint64_t directory, std::optional<std::uint32_t> id,
                                       bool wantDirectory) {
        const auto header = ReadInTree(directory, 16);
        if (!header) {
            return std::nullopt;
        }
        const std::uint32_t named = U16(*header, 12);
        const std::uint32_t ids = U16(*header, 14);
        if (named + ids == 0 || named + ids > MaxDirectoryEntries) {
            return std::nullopt;
        }
        // Named entries come first, then those with ids in ascending order.
        const std::uint64_t first = id ? named : 0;
        const std::uint64_t count = id ? ids : 1;
        const auto entries = ReadInTree(directory + 16 + first * 8, count * 8);
        if (!entries) {
            return std::nullopt;
        }
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::uint32_t name = U32(*entries, i * 8);
            const std::uint32_t target = U32(*entries, i * 8 + 4);
            if (id && name != *id) {
                continue;
            }
            if (((target & SubdirectoryBit) != 0) != wantDirectory) {
                return std::nullopt;
            }
            return target & ~SubdirectoryBit;
        }
        return std::nullopt;
    }

    // Type, then name (the id given, or the first), then the first language: three levels,
    // never more, whatever the offsets say.
    std::optional<std::string> Resource(std::uint32_t type, std::optional<std::uint32_t> id,
                                        std::size_t limit) {
        const auto names = Entry(0, type, true);
        const auto languages = names ? Entry(*names, id, true) : std::nullopt;
        const auto leaf = languages ? Entry(*languages, std::nullopt, false) : std::nullopt;
        const auto data = leaf ? ReadInTree(*leaf, 16) : std::nullopt;
        if (!data) {
            return std::nullopt;
        }
        const std::uint64_t address = U32(*data, 0);
        const std::uint64_t size = U32(*data, 4);
        if (size == 0 || size > limit || address < sectionAddress_) {
            return std::nullopt;
        }
        return ReadInSection(address - sectionAddress_, size);
    }

    std::optional<std::string> FirstResource(std::uint32_t type, std::size_t limit) {
        return Resource(type, std::nullopt, limit);
    }

    static std::optional<std::string> Picture(std::string data, const GroupEntry& entry) {
        static constexpr std::string_view PngSignature("\x89PNG\r\n\x1a\n", 8);
        if (data.size() >= 24 && std::string_view(data).substr(0, 8) == PngSignature) {
            if (data.compare(12, 4, "IHDR") != 0 || !SideAllowed(BigU32(data, 16)) ||
                !SideAllowed(BigU32(data, 20))) {
                return std::nullopt;
            }
            return data;
        }
        // A device-independent bitmap of twice the icon's height: the colours, then the mask.
        if (data.size() < 40 || U32(data, 0) < 40 || U32(data, 0) > data.size()) {
            return std::nullopt;
        }
        const auto width = static_cast<std::int32_t>(U32(data, 4));
        const auto height = static_cast<std::int32_t>(U32(data, 8));
        if (!SideAllowed(width) || height <= 0 || height % 2 != 0 || !SideAllowed(height / 2)) {
            return std::nullopt;
        }
        std::string ico;
        ico.reserve(22 + data.size());
        PutU16(ico, 0);
        PutU16(ico, 1);
        PutU16(ico, 1);
        ico.push_back(static_cast<char>(width >= 256 ? 0 : width));
        ico.push_back(static_cast<char>(height / 2 >= 256 ? 0 : height / 2));
        ico.push_back(static_cast<char>(entry.ColorCount));
        ico.push_back('\0');
        PutU16(ico, 1);
        PutU16(ico, U16(data, 14));
        PutU32(ico, static_cast<std::uint32_t>(data.size()));
        PutU32(ico, 22);
        ico += data;
        return ico;
    }

    struct Block {
        std::uint64_t Offset = 0;
        std::string Bytes;
    };
    static constexpr std::size_t BlockBytes = 4096;
    static constexpr std::size_t MaxBlocks = 4;

    Platform::FileReader& file_;
    std::vector<Block> blocks_;
    std::uint64_t sectionStart_ = 0;
    std::uint64_t sectionSize_ = 0;
    std::uint64_t sectionAddress_ = 0;
    std::uint64_t root_ = 0;
};

}  // namespace

std::optional<std::string> ExecutableIcon(Platform::FileReader& file, int side) {
    return ResourceReader(file).Icon(side);
}

std::optional<std::string> ExecutableIconOfFile(const std::u16string& path, int side) {
    const auto file = Platform::OpenFileReader(path);
    if (!file) {
        return std::nullopt;
    }
    return ExecutableIcon(*file, side);
}

}  // namespace Launcher
