// Times one full application scan (the first tick: a page of 20 drawn into a view that keeps
// nothing) over drives of 100, 1,000 and 10,000 application folders, and, in the same run, a
// baseline that does only what any scan must: list the drive and every application folder and
// read every descriptor with opendir/readdir/open/read. Each runs several times after a
// warm-up, so the folders are in the cache and the medians compare the work per folder.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "launcher/Form1.h"
#include "support/TextCodec.h"

namespace {

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
    void ShowDefaultSlotPicture(int) override {}
    void ClearSlotPicture(int) override {}
    void SetSlotToolTip(int, const std::u16string&) override {}
    void SetLoadingVisible(bool) override {}
    void SetScrollRange(std::int16_t, std::int16_t) override {}
    void SetScrollTabStop(bool) override {}
    std::int16_t ScrollValue() const override { return 1; }
    void SetScrollEnabled(bool) override {}
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

void WriteSmallFile(const std::string& path, std::string_view content) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 ||
        ::write(fd, content.data(), content.size()) != static_cast<ssize_t>(content.size())) {
        std::perror(path.c_str());
        std::exit(1);
    }
    ::close(fd);
}

// count application folders, each with a descriptor, an icon and its program, as the add
// button and a user copying portable applications leave them.
void MakeDrive(const std::string& root, int count) {
    ::mkdir(root.c_str(), 0755);
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/App%05d", i);
        const std::string folder = root + name;
        ::mkdir(folder.c_str(), 0755);
        WriteSmallFile(folder + "/kivolaapp.ini", "tool.exe");
        WriteSmallFile(folder + "/appicon.gif", "GIF89a");
        WriteSmallFile(folder + "/tool.exe", "#!/bin/sh\n");
    }
}

double Seconds(Clock::duration elapsed) {
    return std::chrono::duration<double>(elapsed).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Lists the drive; for every sub-folder reads its descriptor and lists it.
double Baseline(const std::string& root, long& descriptors) {
    const auto start = Clock::now();
    long read = 0;
    std::array<char, 4096> buffer{};
    DIR* drive = ::opendir(root.c_str());
    while (const dirent* entry = ::readdir(drive)) {
        if (entry->d_type != DT_DIR || entry->d_name[0] == '.') {
            continue;
        }
        const std::string folder = root + "/" + entry->d_name;
        const int fd = ::open((folder + "/kivolaapp.ini").c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            while (::read(fd, buffer.data(), buffer.size()) > 0) {
            }
            ::close(fd);
            ++read;
        }
        DIR* app = ::opendir(folder.c_str());
        while (::readdir(app) != nullptr) {
        }
        ::closedir(app);
    }
    ::closedir(drive);
    descriptors = read;
    return Seconds(Clock::now() - start);
}

double Scan(Launcher::Form1& form) {
    const auto start = Clock::now();
    form.Timer1_Timer();
    return Seconds(Clock::now() - start);
}

}  // namespace

int main() {
    const fs::path base =
        fs::temp_directory_path() / ("kivola-scan-bench-" + std::to_string(::getpid()));
    fs::create_directories(base);
    std::printf("%-8s %12s %12s %7s %14s %14s\n", "folders", "scan ms", "baseline ms", "ratio",
                "scan us/folder", "base us/folder");
    for (const int count : {100, 1000, 10000}) {
        const std::string root = (base / std::to_string(count)).string();
        MakeDrive(root, count);
        if (::chdir(root.c_str()) != 0) {
            std::perror(root.c_str());
            return 1;
        }
        NullView view;
        NoDialogs dialogs;
        auto drives = Platform::SystemDrives();
        auto processes = Platform::SystemProcesses();
        Launcher::Form1 form(view, dialogs, *drives, *processes, TextCodec::DecodeFileName(root));

        long descriptors = 0;
        Baseline(root, descriptors);  // warm the cache
        Scan(form);
        std::vector<double> scans;
        std::vector<double> baselines;
        for (int run = 0; run < Repetitions; ++run) {
            baselines.push_back(Baseline(root, descriptors));
            scans.push_back(Scan(form));
        }
        if (descriptors != count || view.Drawn != (Repetitions + 1) * std::min(count, 20) ||
            !form.SlotCommand(20).ends_with(u"/tool.exe")) {
            std::fprintf(stderr, "the scan did not see the drive it was given\n");
            return 1;
        }
        const double scan = Median(scans);
        const double baseline = Median(baselines);
        std::printf("%-8d %12.3f %12.3f %7.2f %14.2f %14.2f\n", count, scan * 1e3, baseline * 1e3,
                    scan / baseline, scan * 1e6 / count, baseline * 1e6 / count);
        std::fflush(stdout);
    }
    std::error_code error;
    fs::current_path(fs::temp_directory_path(), error);
    fs::remove_all(base, error);
    return 0;
}
