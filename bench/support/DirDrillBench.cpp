// Walks a generated tree of 100,000 files in 5,000 folders with CDirDrill and, in the same run,
// with the floor of WalkFloor.h over the same tree, and prints both times and their ratio. Both
// run several times after a warm-up pass, alternating, so the folders are in the cache and the
// medians compare the walking itself.
//
// Usage: dirdrill_bench [FOLDER]
// The tree is made in FOLDER (default: the system's temporary folder) and removed at the end.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "BenchFolders.h"
#include "Median.h"
#include "WalkFloor.h"
#include "support/CDirDrill.h"

namespace {

using Bench::Median;

using Bench::Fail;
using Bench::NewFolderIn;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using WalkFloor::Timing;

constexpr int TopFolders = 50;
constexpr int FoldersPerTop = 99;   // 50 + 50 * 99 = 5,000 folders below the root
constexpr int FilesPerFolder = 20;  // 5,000 * 20 = 100,000 files
constexpr int Repetitions = 7;

void Touch(const fs::path& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        Fail(path, "cannot be created");
    }
}

void FillFolder(const fs::path& folder) {
    fs::create_directory(folder);
    for (int file = 0; file < FilesPerFolder; ++file) {
        Touch(folder / ("file" + std::to_string(file) + ".dat"));
    }
}

void MakeTree(const fs::path& root) {
    for (int top = 0; top < TopFolders; ++top) {
        const fs::path topFolder = root / ("top" + std::to_string(top));
        FillFolder(topFolder);
        for (int sub = 0; sub < FoldersPerTop; ++sub) {
            FillFolder(topFolder / ("sub" + std::to_string(sub)));
        }
    }
}

double Seconds(Clock::duration elapsed) {
    return std::chrono::duration<double>(elapsed).count();
}

Timing WalkWithDrill(const std::u16string& root, long& files, std::int32_t& folders) {
    Support::CDirDrill drill;
    long count = 0;
    drill.NewFile = [&count](const std::u16string&, bool&) { ++count; };
    drill.Done = [&folders](std::int32_t, std::int32_t totalFolders) { folders = totalFolders; };
    const double processor = WalkFloor::OwnProcessorSeconds();
    const auto start = Clock::now();
    drill.BeginSearch(root);
    const auto elapsed = Clock::now() - start;
    files = count;
    return {Seconds(elapsed), WalkFloor::OwnProcessorSeconds() - processor, count};
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path parent = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const fs::path root = NewFolderIn(parent, "kivola-dirdrill-bench-");
    const std::u16string rootText = root.u16string();
    std::printf("Building the tree under %s ...\n", root.string().c_str());
    std::fflush(stdout);
    const auto building = Clock::now();
    MakeTree(root);
    std::printf("built in %.1f s\n", Seconds(Clock::now() - building));

    long files = 0;
    std::int32_t folders = 0;
    // Warm the cache with one pass of each.
    WalkWithDrill(rootText, files, folders);
    const Timing warm = WalkFloor::Walk(root);
    const long expectedFiles = static_cast<long>(TopFolders) * (FoldersPerTop + 1) * FilesPerFolder;
    const int expectedFolders = 1 + TopFolders * (FoldersPerTop + 1);
    if (files != expectedFiles || folders != expectedFolders ||
        (warm.Files != -1 && warm.Files != expectedFiles)) {
        std::fprintf(stderr,
                     "CDirDrill reported %ld files in %d folders and the floor %ld files, "
                     "expected %ld in %d\n",
                     files, folders, warm.Files, expectedFiles, expectedFolders);
        fs::remove_all(root);
        return 1;
    }

    std::vector<Timing> drillTimes;
    std::vector<Timing> floorTimes;
    for (int run = 0; run < Repetitions; ++run) {
        drillTimes.push_back(WalkWithDrill(rootText, files, folders));
        floorTimes.push_back(WalkFloor::Walk(root));
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
    const double floorWall = median(floorTimes, &Timing::Wall);
    const double drillProcessor = median(drillTimes, &Timing::Processor);
    const double floorProcessor = median(floorTimes, &Timing::Processor);
    std::printf("%ld files in %d folders, median of %d runs (%s)\n", files, folders, Repetitions,
                WalkFloor::ProcessorNote);
    std::printf("                wall-clock   processor\n");
    std::printf("CDirDrill      %8.1f ms %8.1f ms\n", drillWall * 1000, drillProcessor * 1000);
    std::printf("%-14s %8.1f ms %8.1f ms\n", WalkFloor::Name, floorWall * 1000,
                floorProcessor * 1000);
    std::printf("ratio CDirDrill / %s: %.2f wall-clock, %.2f processor (goal: at most %.1f)\n",
                WalkFloor::Name, drillWall / floorWall, drillProcessor / floorProcessor,
                WalkFloor::Goal);
    // On a busy machine the fastest run of each is the one least stretched by other work.
    const auto fastest = [](const std::vector<Timing>& timings) {
        return std::min_element(timings.begin(), timings.end(),
                                [](const Timing& a, const Timing& b) { return a.Wall < b.Wall; })
            ->Wall;
    };
    std::printf("ratio of the fastest runs: %.2f wall-clock\n",
                fastest(drillTimes) / fastest(floorTimes));
    return 0;
}
