// Times the round the Linux edition takes every few seconds to hold in memory what it loaded
// from its drive since the last one, in a process whose list of mappings is as long as the
// running program's (about 420 lines, some 40 of them written mappings of its own folder that
// are held already). The floor is a bare read of the same list, which the round cannot avoid.
// Both run several times, alternating; the medians are printed with their ratio and what the
// rounds cost in an hour.
//
// Usage: hold_round_bench [FOLDER]
// The files are made in FOLDER (default: the system's temporary folder) and removed at the end.

#include <sys/mman.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BenchFolders.h"
#include "Median.h"
#include "platform/ResidentProgram.h"

namespace {

using Bench::Median;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int OwnMappings = 40;     // written mappings of the program's own folder
constexpr int OtherMappings = 380;  // the system's libraries, the heap, the stacks...
constexpr int RoundsPerTiming = 500;
constexpr int Repetitions = 7;
constexpr double RoundsPerHour = 3600.0 / 5.0;

fs::path PageFile(const fs::path& path) {
    std::ofstream(path, std::ios::binary) << std::string(4096, 'k');
    if (!fs::exists(path)) {
        Bench::Fail(path, "cannot be created");
    }
    return path;
}

// Maps one page of the file, private; each mapping its own line, since none is contiguous in
// the file with another.
void MapPage(const fs::path& file, int protection) {
    std::FILE* stream = std::fopen(file.c_str(), "rb");
    if (stream == nullptr) {
        Bench::Fail(file, "cannot be opened");
    }
    void* page = mmap(nullptr, 4096, protection, MAP_PRIVATE, fileno(stream), 0);
    std::fclose(stream);
    if (page == MAP_FAILED) {
        Bench::Fail(file, "cannot be mapped");
    }
}

std::size_t MapsLines() {
    std::ifstream maps("/proc/self/maps");
    return static_cast<std::size_t>(
        std::count(std::istreambuf_iterator<char>(maps), std::istreambuf_iterator<char>(), '\n'));
}

template <typename Round>
double MicrosecondsPerRound(Round round) {
    const auto start = Clock::now();
    for (int i = 0; i < RoundsPerTiming; ++i) {
        round();
    }
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() /
           RoundsPerTiming;
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path parent = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const fs::path root = Bench::NewFolderIn(parent, "kivola-hold-bench-");
    const fs::path drive = root / "drive";
    fs::create_directory(drive);
    const fs::path own = PageFile(drive / "libown.so");
    const fs::path other = PageFile(root / "libsystem.so");
    for (int i = 0; i < OwnMappings; ++i) {
        MapPage(own, PROT_READ | PROT_WRITE);
    }
    for (int i = 0; i < OtherMappings; ++i) {
        MapPage(other, PROT_READ);
    }
    const std::u16string folder = drive.u16string();
    const Platform::HeldInMemory first = Platform::HoldInMemory(folder);

    std::vector<double> rounds;
    std::vector<double> floors;
    std::size_t heldLater = 0;
    for (int repetition = 0; repetition < Repetitions; ++repetition) {
        rounds.push_back(
            MicrosecondsPerRound([&] { heldLater += Platform::HoldInMemory(folder).Regions; }));
        floors.push_back(MicrosecondsPerRound([] {
            std::ifstream maps("/proc/self/maps");
            const std::string text{std::istreambuf_iterator<char>(maps),
                                   std::istreambuf_iterator<char>()};
            if (text.empty()) {
                Bench::Fail("/proc/self/maps", "is empty");
            }
        }));
    }
    fs::remove_all(root);

    const double round = Median(rounds);
    const double floor = Median(floors);
    std::printf("mappings listed:           %zu (%zu of the folder held by the first round)\n",
                MapsLines(), first.Regions);
    std::printf("held again by later rounds: %zu\n", heldLater);
    std::printf("round:                     %.1f us\n", round);
    std::printf("floor (reading the list):  %.1f us\n", floor);
    std::printf("ratio:                     %.2fx\n", round / floor);
    std::printf("cost of an hour's rounds:  %.1f ms (one every 5 s)\n",
                round * RoundsPerHour / 1000.0);
    return heldLater == 0 ? 0 : 1;
}
