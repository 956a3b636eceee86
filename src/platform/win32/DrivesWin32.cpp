#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Drives.h"
#include "platform/Paths.h"
#include "platform/win32/CriticalErrorsOff.h"
#include "platform/win32/DriveTypeMapping.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsApi.h"

namespace Platform {

namespace {

using Win32::CriticalErrorsOff;

bool IsUpperLetter(char16_t c) {
    return c >= u'A' && c <= u'Z';
}

char16_t UpperLetter(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// The root Windows is asked about ("E:\"), or nothing for a key that is not a drive letter:
// such a key is never passed on, so "" or "E:\x" cannot make Windows look at the current
// drive or at a folder.
std::optional<std::wstring> RootOfKey(const std::u16string& key) {
    if (key.size() != 1 || !IsUpperLetter(key[0])) {
        return std::nullopt;
    }
    return std::wstring{static_cast<wchar_t>(key[0]), L':', L'\\'};
}

// The letter of a path that starts "E:" (the drive-relative "E:x" too), behind "\\?\" or
// "\\.\" as well.
std::u16string LetterOf(std::u16string_view path) {
    const bool device = path.size() >= 4 && IsPathSeparator(path[0], PathStyle::Windows) &&
                        IsPathSeparator(path[1], PathStyle::Windows) &&
                        (path[2] == u'?' || path[2] == u'.') &&
                        IsPathSeparator(path[3], PathStyle::Windows);
    if (device) {
        path.remove_prefix(4);
        // "\\?\E:" must end there or go on with a separator; "\\?\E:x" names no drive.
        if (path.size() > 2 && !IsPathSeparator(path[2], PathStyle::Windows)) {
            return {};
        }
    }
    if (path.size() < 2 || path[1] != u':' || !IsUpperLetter(UpperLetter(path[0]))) {
        return {};
    }
    return {UpperLetter(path[0])};
}

class Win32Drives final : public Drives {
  public:
    std::vector<std::u16string> DriveKeys() override {
        const CriticalErrorsOff quiet;
        // Drives may come and go between the two calls: ask again until the list fits.
        std::wstring buffer(128, L'\0');
        for (;;) {
            const DWORD length =
                GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), buffer.data());
            if (length == 0) {
                return {};
            }
            if (length < buffer.size()) {
                buffer.resize(length);
                break;
            }
            buffer.assign(length + 1, L'\0');
        }
        // "C:\", "D:\", ... each ended by a null character.
        std::vector<std::u16string> keys;
        std::size_t start = 0;
        while (start < buffer.size()) {
            auto end = buffer.find(L'\0', start);
            if (end == std::wstring::npos) {
                end = buffer.size();
            }
            auto key =
                LetterOf(Win32::FromWide(std::wstring_view(buffer).substr(start, end - start)));
            if (!key.empty()) {
                keys.push_back(std::move(key));
            }
            start = end + 1;
        }
        return keys;
    }

    std::u16string KeyOfPath(const std::u16string& path) override { return LetterOf(path); }

    std::int32_t DriveType(const std::u16string& key) override {
        const auto root = RootOfKey(key);
        if (!root) {
            return DriveTypeUnknown;
        }
        const CriticalErrorsOff quiet;
        return Win32::DriveTypeFromWindows(GetDriveTypeW(root->c_str()));
    }

    bool IsReady(const std::u16string& key) override {
        const auto root = RootOfKey(key);
        if (!root) {
            return false;
        }
        const CriticalErrorsOff quiet;
        // Reading the volume's details needs the media; an empty drive fails here.
        return GetVolumeInformationW(root->c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr,
                                     0) != FALSE;
    }

    std::optional<DriveSizes> SizesOf(const std::u16string& key) override {
        const auto root = RootOfKey(key);
        if (!root) {
            return std::nullopt;
        }
        const CriticalErrorsOff quiet;
        ULARGE_INTEGER total{};
        ULARGE_INTEGER totalFree{};
        // The drive's own free bytes, not the caller's quota (the first, left out).
        if (GetDiskFreeSpaceExW(root->c_str(), nullptr, &total, &totalFree) == FALSE) {
            return std::nullopt;
        }
        return DriveSizes{total.QuadPart, totalFree.QuadPart};
    }
};

}  // namespace

std::unique_ptr<Drives> SystemDrives() {
    return std::make_unique<Win32Drives>();
}

}  // namespace Platform
