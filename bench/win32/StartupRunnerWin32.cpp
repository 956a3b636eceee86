// Runs programs one after the other, in turns, from a given folder, and prints for each the
// median and fastest time from just before CreateProcessW to the moment the program reported
// (StartupReport.h), the highest peak working set it reported, the medians of the time before
// its entry point, of the time it measured itself from there, and of the wall time until the
// process had ended, and its own words from the median run.
//
// Usage: kivola_startup_runner_win32 RUNS FOLDER PROGRAM...
// Prints one line for each program:
//   MEDIAN_MS FASTEST_MS PEAK_KB BEFORE_ENTRY_MS OWN_MS TO_END_MS TEXT

#include "platform/win32/WindowsApi.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "StartupReport.h"

namespace {

constexpr DWORD LongestRunMs = 60000;

struct Run {
    double Milliseconds = 0;  // to the moment reported
    double BeforeEntryMilliseconds = 0;
    double OwnMilliseconds = 0;
    double ToEndMilliseconds = 0;
    unsigned long long PeakKilobytes = 0;
    std::string Text;
    bool Succeeded = false;
};

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (const wchar_t c : text) {
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return narrow;
}

// The programs' reports land in one file, emptied before each run and inherited as their
// standard output.
class ReportFile {
  public:
    ReportFile() {
        wchar_t folder[MAX_PATH + 1];
        wchar_t name[MAX_PATH + 1];
        if (GetTempPathW(MAX_PATH + 1, folder) == 0 ||
            GetTempFileNameW(folder, L"ksr", 0, name) == 0) {
            return;
        }
        SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
        handle_ = CreateFileW(name, GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    }
    ~ReportFile() {
        if (Valid()) {
            CloseHandle(handle_);
        }
    }
    ReportFile(const ReportFile&) = delete;
    ReportFile& operator=(const ReportFile&) = delete;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Handle() const { return handle_; }

    void Empty() {
        SetFilePointerEx(handle_, LARGE_INTEGER{}, nullptr, FILE_BEGIN);
        SetEndOfFile(handle_);
    }

    std::string Read() {
        SetFilePointerEx(handle_, LARGE_INTEGER{}, nullptr, FILE_BEGIN);
        std::string text(4096, '\0');
        DWORD read = 0;
        if (!ReadFile(handle_, text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) {
            read = 0;
        }
        text.resize(read);
        return text;
    }

  private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

Run RunOnce(const std::wstring& folder, const std::wstring& program, ReportFile& report) {
    Run run;
    report.Empty();
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = report.Handle();
    PROCESS_INFORMATION process{};
    const LARGE_INTEGER start = BenchWin32::Now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        std::fprintf(stderr, "%s: CreateProcessW failed (error %lu)\n", Narrow(program).c_str(),
                     GetLastError());
        return run;
    }
    const DWORD waited = WaitForSingleObject(process.hProcess, LongestRunMs);
    run.ToEndMilliseconds = BenchWin32::MillisecondsSince(start);
    DWORD exitCode = 1;
    if (waited != WAIT_OBJECT_0) {
        std::fprintf(stderr, "%s: still running after %lu ms\n", Narrow(program).c_str(),
                     LongestRunMs);
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
    } else {
        GetExitCodeProcess(process.hProcess, &exitCode);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    std::string text = report.Read();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    char* rest = nullptr;
    LARGE_INTEGER entered{};
    LARGE_INTEGER moment{};
    entered.QuadPart = std::strtoll(text.c_str(), &rest, 10);
    moment.QuadPart = std::strtoll(rest, &rest, 10);
    const char* afterStamps = rest;
    run.PeakKilobytes = std::strtoull(afterStamps, &rest, 10);
    const bool reported = rest != afterStamps && entered.QuadPart != 0 && moment.QuadPart != 0;
    run.BeforeEntryMilliseconds = BenchWin32::MillisecondsBetween(start, entered);
    run.OwnMilliseconds = BenchWin32::MillisecondsBetween(entered, moment);
    run.Milliseconds = BenchWin32::MillisecondsBetween(start, moment);
    run.Text = rest;
    if (!run.Text.empty() && run.Text.front() == ' ') {
        run.Text.erase(0, 1);
    }
    run.Succeeded = waited == WAIT_OBJECT_0 && exitCode == 0 && reported;
    if (!run.Succeeded) {
        std::fprintf(stderr, "%s failed (exit code %lu, report \"%s\")\n", Narrow(program).c_str(),
                     exitCode, text.c_str());
    }
    return run;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "Usage: kivola_startup_runner_win32 RUNS FOLDER PROGRAM...\n");
        return 2;
    }
    const int runs = std::max(1, static_cast<int>(std::wcstol(argv[1], nullptr, 10)));
    const std::wstring folder = argv[2];
    const std::vector<std::wstring> programs(argv + 3, argv + argc);
    // On Windows the desktop is always there. Under Wine it is a process of its own that starts
    // with the first program needing it and ends soon after the last one leaves, so each run
    // would pay for starting it again: this program stays on it for the whole run.
    if (GetDesktopWindow() == nullptr ||
        CreateWindowExW(0, L"STATIC", L"kivola-startup-runner", 0, 0, 0, 0, 0, HWND_MESSAGE,
                        nullptr, GetModuleHandleW(nullptr), nullptr) == nullptr) {
        std::fprintf(stderr, "no desktop to run the programs on\n");
        return 1;
    }
    ReportFile report;
    if (!report.Valid()) {
        std::fprintf(stderr, "no temporary file for the programs' reports\n");
        return 1;
    }
    std::vector<std::vector<Run>> results(programs.size());
    // One run each first, so that every program meets a warm file cache; then in turns, so
    // that a slower spell of the machine falls on all of them alike.
    for (const auto& program : programs) {
        if (!RunOnce(folder, program, report).Succeeded) {
            return 1;
        }
    }
    for (int i = 0; i < runs; ++i) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            Run run = RunOnce(folder, programs[p], report);
            if (!run.Succeeded) {
                return 1;
            }
            results[p].push_back(std::move(run));
        }
    }
    const auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    for (auto& each : results) {
        unsigned long long peak = 0;
        std::vector<double> beforeEntry;
        std::vector<double> own;
        std::vector<double> toEnd;
        for (const Run& run : each) {
            peak = std::max(peak, run.PeakKilobytes);
            beforeEntry.push_back(run.BeforeEntryMilliseconds);
            own.push_back(run.OwnMilliseconds);
            toEnd.push_back(run.ToEndMilliseconds);
        }
        std::sort(each.begin(), each.end(),
                  [](const Run& a, const Run& b) { return a.Milliseconds < b.Milliseconds; });
        const Run& middle = each[each.size() / 2];
        std::printf("%s %s %s %s %s %s %s\n", BenchWin32::Fixed1(middle.Milliseconds).c_str(),
                    BenchWin32::Fixed1(each.front().Milliseconds).c_str(),
                    std::to_string(peak).c_str(), BenchWin32::Fixed1(median(beforeEntry)).c_str(),
                    BenchWin32::Fixed1(median(own)).c_str(),
                    BenchWin32::Fixed1(median(toEnd)).c_str(), middle.Text.c_str());
    }
    return 0;
}
