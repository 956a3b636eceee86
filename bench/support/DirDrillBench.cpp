// Walks a generated tree of 100,000 files in 5,000 folders with CDirDrill and, in the same run,
// with GNU find over the same tree, and prints both times and their ratio. Both run several
// times after a warm-up pass, so the folders are in the cache and the medians compare the
// walking itself.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/CDirDrill.h"
#include "support/TextCodec.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int TopFolders = 50;
constexpr int FoldersPerTop = 99;   // 50 + 50 * 99 = 5,000 folders below the root
constexpr int FilesPerFolder = 20;  // 5,000 * 20 = 100,000 files
constexpr int Repetitions = 7;

void Touch(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        std::perror(path.c_str());
        std::exit(1);
    }
    ::close(fd);
}

void FillFolder(const std::string& folder) {
    ::mkdir(folder.c_str(), 0755);
    for (int file = 0; file < FilesPerFolder; ++file) {
        Touch(folder + "/file" + std::to_string(file) + ".dat");
    }
}

void MakeTree(const std::string& root) {
    for (int top = 0; top < TopFolders; ++top) {
        const std::string topFolder = root + "/top" + std::to_string(top);
        FillFolder(topFolder);
        for (int sub = 0; sub < FoldersPerTop; ++sub) {
            FillFolder(topFolder + "/sub" + std::to_string(sub));
        }
    }
}

double Seconds(Clock::duration elapsed) {
    return std::chrono::duration<double>(elapsed).count();
}

// Processor time (user and system) of this process or of its waited-for children.
double ProcessorSeconds(int who) {
    rusage usage{};
    ::getrusage(who, &usage);
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Wall-clock and processor time of one walk. The machine may be busy with other work, which
// stretches the wall-clock times; the processor times are what the walk itself costs.
struct Timing {
    double Wall = 0;
    double Processor = 0;
};

Timing WalkWithDrill(const std::u16string& root, long& files, std::int32_t& folders) {
    Support::CDirDrill drill;
    long count = 0;
    drill.NewFile = [&count](const std::u16string&, bool&) { ++count; };
    drill.Done = [&folders](std::int32_t, std::int32_t totalFolders) { folders = totalFolders; };
    const double processor = ProcessorSeconds(RUSAGE_SELF);
    const auto start = Clock::now();
    drill.BeginSearch(root);
    const auto elapsed = Clock::now() - start;
    files = count;
    return {Seconds(elapsed), ProcessorSeconds(RUSAGE_SELF) - processor};
}

// `find <root>` with its output thrown away: it reads every folder and prints every path.
Timing WalkWithFind(const std::string& root) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = "find";
    std::string argument = root;
    char* argv[] = {program.data(), argument.data(), nullptr};
    const double processor = ProcessorSeconds(RUSAGE_CHILDREN);
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, "find", &actions, nullptr, argv, environ) != 0) {
        std::perror("find");
        std::exit(1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    const auto elapsed = Clock::now() - start;
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "find failed\n");
        std::exit(1);
    }
    return {Seconds(elapsed), ProcessorSeconds(RUSAGE_CHILDREN) - processor};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    std::string pattern = (fs::temp_directory_path() / "kivola-dirdrill-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string root = pattern;
    const std::u16string rootText = TextCodec::DecodeFileName(root);
    std::printf("Building the tree under %s ...\n", root.c_str());
    MakeTree(root);

    long files = 0;
    std::int32_t folders = 0;
    // Warm the cache with one pass of each.
    WalkWithDrill(rootText, files, folders);
    WalkWithFind(root);
    const long expectedFiles = static_cast<long>(TopFolders) * (FoldersPerTop + 1) * FilesPerFolder;
    const int expectedFolders = 1 + TopFolders * (FoldersPerTop + 1);
    if (files != expectedFiles || folders != expectedFolders) {
        std::fprintf(stderr, "CDirDrill reported %ld files in %d folders, expected %ld in %d\n",
                     files, folders, expectedFiles, expectedFolders);
        fs::remove_all(root);
        return 1;
    }

    std::vector<Timing> drillTimes;
    std::vector<Timing> findTimes;
    for (int run = 0; run < Repetitions; ++run) {
        drillTimes.push_back(WalkWithDrill(rootText, files, folders));
        findTimes.push_back(WalkWithFind(root));
    }
    fs::remove_all(root);

    const auto median = [](const std::vector<Timing>& timings, double Timing::*part) {
        std::vector<double> values;
        values.reserve(timings.size());
        for (const auto& timing : timings) {
            values.push_back(timing.*part);
        }
        return Median(values);
    };
    const double drillWall = median(drillTimes, &Timing::Wall);
    const double findWall = median(findTimes, &Timing::Wall);
    const double drillProcessor = median(drillTimes, &Timing::Processor);
    const double findProcessor = median(findTimes, &Timing::Processor);
    std::printf("%ld files in %d folders, median of %d runs\n", files, folders, Repetitions);
    std::printf("            wall-clock   processor\n");
    std::printf("CDirDrill  %8.1f ms %8.1f ms\n", drillWall * 1000, drillProcessor * 1000);
    std::printf("find       %8.1f ms %8.1f ms\n", findWall * 1000, findProcessor * 1000);
    std::printf("ratio CDirDrill / find: %.2f wall-clock, %.2f processor (goal: at most 1.5)\n",
                drillWall / findWall, drillProcessor / findProcessor);
    return 0;
}
