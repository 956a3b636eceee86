#include <sys/statvfs.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "platform/Drives.h"
#include "platform/posix/MountInfo.h"
#include "platform/posix/PosixPath.h"

namespace Platform {

namespace Posix {

namespace {

// Mount points escape space, tab, newline and backslash as a backslash and three octal digits.
std::string Unescape(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const auto isOctal = [](char c) { return c >= '0' && c <= '7'; };
            if (isOctal(field[i + 1]) && isOctal(field[i + 2]) && isOctal(field[i + 3])) {
                const int value =
                    (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
                out.push_back(static_cast<char>(value & 0xFF));
                i += 3;
                continue;
            }
        }
        out.push_back(field[i]);
    }
    return out;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        const auto space = line.find(' ', start);
        const auto end = space == std::string_view::npos ? line.size() : space;
        if (end > start) {
            fields.push_back(line.substr(start, end - start));
        }
        start = end + 1;
    }
    return fields;
}

}  // namespace

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
    // id parent major:minor root mountpoint options [optional...] - fstype source superoptions
    std::vector<MountEntry> mounts;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
        const auto fields = Fields(line);
        if (fields.size() < 7) {
            continue;
        }
        std::size_t dash = 6;
        while (dash < fields.size() && fields[dash] != "-") {
            ++dash;
        }
        if (dash + 1 >= fields.size() || fields[4].empty() || fields[4][0] != '/') {
            continue;
        }
        mounts.push_back(
            {std::string(fields[2]), Unescape(fields[4]), std::string(fields[dash + 1])});
    }
    return mounts;
}

std::string MountPointOf(std::string_view path, const std::vector<MountEntry>& mounts) {
    std::string best;
    for (const auto& mount : mounts) {
        const std::string& point = mount.MountPoint;
        if (point.size() < best.size() || point.size() > path.size() ||
            path.compare(0, point.size(), point) != 0) {
            continue;
        }
        const bool boundary =
            point.size() == path.size() || point.back() == '/' || path[point.size()] == '/';
        if (boundary && (best.empty() || point.size() > best.size())) {
            best = point;
        }
    }
    return best;
}

}  // namespace Posix

namespace {

std::string ReadSmallFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool IsNetworkFs(const std::string& type) {
    return type == "nfs" || type == "nfs4" || type == "cifs" || type == "smb3" || type == "smbfs" ||
           type == "9p" || type == "fuse.sshfs" || type == "ncpfs" || type == "afs";
}

class LinuxDrives final : public Drives {
  public:
    std::vector<std::u16string> DriveKeys() override {
        std::vector<std::u16string> keys;
        for (const auto& mount : Mounts()) {
            auto key = Posix::DecodeFileName(mount.MountPoint);
            if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
                keys.push_back(std::move(key));
            }
        }
        return keys;
    }

    std::u16string KeyOfPath(const std::u16string& path) override {
        if (path.empty()) {
            return {};
        }
        std::string native = Posix::NativePath(path);
        // Links and ".." are resolved the way the kernel sees the path; a path that cannot be
        // resolved is taken as written.
        if (char* resolved = ::realpath(native.c_str(), nullptr)) {
            native = resolved;
            std::free(resolved);  // NOLINT(cppcoreguidelines-no-malloc): realpath's own buffer
        }
        if (native.empty() || native[0] != '/') {
            return {};
        }
        return Posix::DecodeFileName(Posix::MountPointOf(native, Mounts()));
    }

    std::int32_t DriveType(const std::u16string& key) override {
        const auto mount = Find(key);
        if (!mount) {
            return DriveTypeUnknown;
        }
        if (IsNetworkFs(mount->FsType)) {
            return DriveTypeNetwork;
        }
        if (mount->FsType == "iso9660" || mount->FsType == "udf") {
            return DriveTypeOptical;
        }
        if (mount->FsType == "tmpfs" || mount->FsType == "ramfs") {
            return DriveTypeRamDisk;
        }
        // A partition carries no removable flag of its own; its disk (the parent) does.
        const std::string device = "/sys/dev/block/" + mount->Device;
        std::string removable = ReadSmallFile(device + "/removable");
        if (removable.empty()) {
            removable = ReadSmallFile(device + "/../removable");
        }
        if (removable.empty()) {
            return DriveTypeUnknown;  // no block device behind it (overlay, fuse, ...)
        }
        return removable[0] == '1' ? DriveTypeRemovable : DriveTypeFixed;
    }

    bool IsReady(const std::u16string& key) override {
        struct statvfs info {};
        return Find(key).has_value() && ::statvfs(Posix::NativePath(key).c_str(), &info) == 0;
    }

    std::optional<DriveSizes> SizesOf(const std::u16string& key) override {
        struct statvfs info {};
        if (!Find(key) || ::statvfs(Posix::NativePath(key).c_str(), &info) != 0) {
            return std::nullopt;
        }
        const auto unit =
            static_cast<std::uint64_t>(info.f_frsize != 0 ? info.f_frsize : info.f_bsize);
        return DriveSizes{static_cast<std::uint64_t>(info.f_blocks) * unit,
                          static_cast<std::uint64_t>(info.f_bfree) * unit};
    }

  private:
    static std::vector<Posix::MountEntry> Mounts() {
        return Posix::ParseMountInfo(ReadSmallFile("/proc/self/mountinfo"));
    }

    // The entry that is seen at this mount point: the last one mounted there.
    static std::optional<Posix::MountEntry> Find(const std::u16string& key) {
        const std::string native = Posix::NativePath(key);
        std::optional<Posix::MountEntry> found;
        for (auto& mount : Mounts()) {
            if (mount.MountPoint == native) {
                found = std::move(mount);
            }
        }
        return found;
    }
};

}  // namespace

std::unique_ptr<Drives> SystemDrives() {
    return std::make_unique<LinuxDrives>();
}

}  // namespace Platform
