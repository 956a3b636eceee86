#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "platform/FileReader.h"
#include "platform/win32/DevicePaths.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsApi.h"

namespace Platform {

namespace {

class Win32FileReader final : public FileReader {
  public:
    Win32FileReader(HANDLE file, std::uint64_t size) : file_(file), size_(size) {}
    Win32FileReader(const Win32FileReader&) = delete;
    Win32FileReader& operator=(const Win32FileReader&) = delete;
    ~Win32FileReader() override { CloseHandle(file_); }

    std::uint64_t Size() const override { return size_; }

    std::optional<std::string> ReadAt(std::uint64_t offset, std::size_t length) override {
        return ReadExactly(
            size_, offset, length,
            [this](std::uint64_t position, char* buffer,
                   std::size_t wanted) -> std::optional<std::size_t> {
                OVERLAPPED at{};
                at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFU);
                at.OffsetHigh = static_cast<DWORD>(position >> 32U);
                DWORD got = 0;
                if (!::ReadFile(file_, buffer,
                                static_cast<DWORD>(std::min<std::size_t>(wanted, 1U << 30U)), &got,
                                &at)) {
                    return std::nullopt;
                }
                return got;
            });
    }

  private:
    HANDLE file_;
    std::uint64_t size_;
};

}  // namespace

std::unique_ptr<FileReader> OpenFileReader(const std::u16string& path) {
    if (path.empty() || Win32::IsDevicePath(path)) {
        return nullptr;
    }
    // Shared in every way: a running program holds its own file open.
    const HANDLE file = CreateFileW(Win32::Wide(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    FILE_STANDARD_INFO info{};
    if (GetFileType(file) != FILE_TYPE_DISK ||
        !GetFileInformationByHandleEx(file, FileStandardInfo, &info, sizeof info) ||
        info.Directory) {
        CloseHandle(file);
        return nullptr;
    }
    return std::make_unique<Win32FileReader>(file,
                                             static_cast<std::uint64_t>(info.EndOfFile.QuadPart));
}

}  // namespace Platform
