// Times one full application scan (the first tick: a page of 20 drawn into a view that keeps
// nothing) over drives of 100, 1,000 and 10,000 application folders, and, in the same run, the
// floor of ScanFloor.h over the same drive: listing the drive and every application folder and
// reading every descriptor with the system's plainest calls. Each runs several times after a
// warm-up, alternating, so the folders are in the cache and the medians compare the work per
// folder.
//
// Usage: launcher_scan_bench [FOLDER [COUNT...]]
// The drives are made in FOLDER (default: the system's temporary folder) and removed at the end.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "BenchFolders.h"
#include "Median.h"
#include "ScanFloor.h"
#include "launcher/AppDescriptor.h"
#include "launcher/Form1.h"

namespace {

using Bench::Median;

using Bench::Fail;
using Bench::NewFolderIn;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int Repetitions = 9;

class NullView final : public Launcher::LauncherView {
  public:
    int Drawn = 0;
    bool LoadSlotPicture(int, const std::u16string&) override {
        ++Drawn;
        return true;
    }
    bool LoadSlotProgramIcon(int, const std::u16string&) override { return false; }
    void ShowDefaultSlotPicture(int) override {}
    void ClearSlotPicture(int) override {}
    void SetSlotToolTip(int, const std::u16string&) override {}
    void SetLoadingVisible(bool) override {}
    void SetScrollRange(std::int16_t, std::int16_t) override {}
    void SetScrollTabStop(bool) override {}
    std::int16_t ScrollValue() const override { return 1; }
    void SetScrollEnabled(bool) override {}
    void SetScrollValue(std::int16_t) override {}
    void ShowFocusMark(Launcher::FocusItem, int) override {}
    void CollapseHScroll1() override {}
    void SetDriveCaption(const std::u16string&) override {}
    double WindowLeft() const override { return 0; }
    double WindowTop() const override { return 0; }
    void SetWindowLeft(double) override {}
    void SetWindowTop(double) override {}
    void SetTimerInterval(int) override {}
    void DisableTimer() override {}
    void EndProgram() override {}
};

class NoDialogs final : public Platform::Dialogs {
  public:
    Platform::MessageResult ShowMessage(const Platform::MessageBoxRequest&) override {
        return Platform::MessageResult::Ok;
    }
    std::optional<Platform::OpenFileChoice> ShowOpen(const std::u16string&) override {
        return std::nullopt;
    }
};

void WriteSmallFile(const fs::path& path, std::string_view content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out.flush()) {
        Fail(path, "cannot be written");
    }
}

// count application folders, each with a descriptor, an icon and its program, as the add
// button and a user copying portable applications leave them.
void MakeDrive(const fs::path& root, int count) {
    fs::create_directories(root);
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "App%05d", i);
        const fs::path folder = root / name;
        fs::create_directory(folder);
        WriteSmallFile(folder / Launcher::DescriptorName, "tool.exe");
        WriteSmallFile(folder / Launcher::AppIconName, "GIF89a");
        WriteSmallFile(folder / "tool.exe", "#!/bin/sh\n");
    }
}

double Seconds(Clock::duration elapsed) {
    return std::chrono::duration<double>(elapsed).count();
}

double Floor(const fs::path& root, long& descriptors) {
    const auto start = Clock::now();
    descriptors = ScanFloor::ListAndRead(root, Launcher::DescriptorName);
    return Seconds(Clock::now() - start);
}

double Scan(Launcher::Form1& form) {
    const auto start = Clock::now();
    form.Timer1_Timer();
    return Seconds(Clock::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path parent = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    std::vector<int> counts;
    for (int i = 2; i < argc; ++i) {
        counts.push_back(std::atoi(argv[i]));
    }
    if (counts.empty()) {
        counts = {100, 1000, 10000};
    }
    const fs::path base = NewFolderIn(parent, "kivola-scan-bench-");
    std::printf("Drives in %s; floor: %s; median of %d runs\n", base.string().c_str(),
                ScanFloor::Calls, Repetitions);
    // The ratio of the medians, and of the fastest runs: on a busy machine the fastest run of
    // each is the one least stretched by other work.
    std::printf("%-8s %12s %12s %7s %7s %14s %14s\n", "folders", "scan ms", "floor ms", "ratio",
                "best", "scan us/folder", "floor us/folder");
    // Paths the scan reports end with this.
    const std::u16string program = std::u16string(1, Platform::PathSeparator) + u"tool.exe";
    int status = 0;
    for (const int count : counts) {
        const fs::path root = base / std::to_string(count);
        MakeDrive(root, count);
        // The scan starts in the current folder, as the program does on a drive; the folder the
        // system reports is the program folder, so the scan reads each descriptor only once.
        fs::current_path(root);
        NullView view;
        NoDialogs dialogs;
        auto drives = Platform::SystemDrives();
        auto processes = Platform::SystemProcesses();
        Launcher::Form1 form(view, dialogs, *drives, *processes, Platform::CurrentFolder());

        long descriptors = 0;
        Floor(root, descriptors);  // warm the cache
        Scan(form);
        std::vector<double> scans;
        std::vector<double> floors;
        for (int run = 0; run < Repetitions; ++run) {
            floors.push_back(Floor(root, descriptors));
            scans.push_back(Scan(form));
        }
        if (descriptors != count || view.Drawn != (Repetitions + 1) * std::min(count, 20) ||
            !form.SlotCommand(std::min(count, 20)).ends_with(program)) {
            std::fprintf(stderr, "the scan or the floor did not see the drive it was given\n");
            status = 1;
            break;
        }
        const double scan = Median(scans);
        const double floor = Median(floors);
        const double best = *std::min_element(scans.begin(), scans.end()) /
                            *std::min_element(floors.begin(), floors.end());
        std::printf("%-8d %12.3f %12.3f %7.2f %7.2f %14.2f %14.2f\n", count, scan * 1e3,
                    floor * 1e3, scan / floor, best, scan * 1e6 / count, floor * 1e6 / count);
        std::fflush(stdout);
    }
    // A folder in use cannot be removed on Windows.
    std::error_code error;
    fs::current_path(parent, error);
    fs::remove_all(base, error);
    return status;
}
