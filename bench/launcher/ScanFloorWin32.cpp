#include <array>
#include <string>

#include "ScanFloor.h"
#include "platform/win32/WindowsApi.h"

namespace ScanFloor {

const char* const Calls = "FindFirstFileW/FindNextFileW/CreateFileW/ReadFile";

namespace {

bool IsDotEntry(const WIN32_FIND_DATAW& data) {
    const wchar_t* name = data.cFileName;
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

}  // namespace

long ListAndRead(const std::filesystem::path& drive, const std::filesystem::path& descriptorName) {
    const std::wstring& root = drive.native();
    const std::wstring& descriptor = descriptorName.native();
    long read = 0;
    std::array<char, 4096> buffer{};
    WIN32_FIND_DATAW data{};
    const HANDLE listing = FindFirstFileW((root + L"\\*").c_str(), &data);
    if (listing == INVALID_HANDLE_VALUE) {
        return 0;
    }
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || IsDotEntry(data)) {
            continue;
        }
        const std::wstring folder = root + L"\\" + data.cFileName;
        // Shared in every way, as any reader must open a file another program may hold.
        const HANDLE file = CreateFileW((folder + L"\\" + descriptor).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD got = 0;
            while (
                ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) &&
                got > 0) {
            }
            CloseHandle(file);
            ++read;
        }
        WIN32_FIND_DATAW entry{};
        const HANDLE app = FindFirstFileW((folder + L"\\*").c_str(), &entry);
        if (app != INVALID_HANDLE_VALUE) {
            while (FindNextFileW(app, &entry)) {
            }
            FindClose(app);
        }
    } while (FindNextFileW(listing, &data));
    FindClose(listing);
    return read;
}

}  // namespace ScanFloor
