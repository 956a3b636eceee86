#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "WalkFloor.h"
#include "platform/win32/WindowsApi.h"

namespace WalkFloor {

const char* const Name = "FindFirstFileW";
const char* const ProcessorNote =
    "processor: this process only (under Wine the wineserver's share is in neither)";
const double Goal = 1.3;

double OwnProcessorSeconds() {
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        return 0;
    }
    const auto seconds = [](const FILETIME& time) {
        const auto ticks =
            (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
        return static_cast<double>(ticks) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// Every folder listed once, depth first with a stack of the folders still to list; no more.
Timing Walk(const std::filesystem::path& root) {
    using Clock = std::chrono::steady_clock;
    const double processor = OwnProcessorSeconds();
    const auto start = Clock::now();
    long files = 0;
    std::vector<std::wstring> pending{root.native()};
    WIN32_FIND_DATAW data{};
    while (!pending.empty()) {
        const std::wstring folder = std::move(pending.back());
        pending.pop_back();
        const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) {
            continue;
        }
        do {
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                ++files;
            } else if (data.cFileName[0] != L'.') {
                pending.push_back(folder + L"\\" + data.cFileName);
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    const auto elapsed = Clock::now() - start;
    return {std::chrono::duration<double>(elapsed).count(), OwnProcessorSeconds() - processor,
            files};
}

}  // namespace WalkFloor
