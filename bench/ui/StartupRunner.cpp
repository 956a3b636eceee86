// Runs programs one after the other, in turns, from a given folder, and prints for each the
// median and fastest wall time from start to exit and the peak resident memory of the process.
//
// Usage: kivola_startup_runner RUNS FOLDER PROGRAM...

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Run {
    double Milliseconds = 0;
    long PeakKilobytes = 0;
    bool Succeeded = false;
};

Run RunOnce(const std::string& folder, const std::string& program) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        if (::chdir(folder.c_str()) != 0) {
            ::_exit(126);
        }
        // The programs' own output would only get in the way of the figures.
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, STDOUT_FILENO);
        ::dup2(quiet, STDERR_FILENO);
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    Run run;
    int status = 0;
    rusage usage{};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child) {
        return run;
    }
    run.Milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    run.PeakKilobytes = usage.ru_maxrss;
    run.Succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "Usage: %s RUNS FOLDER PROGRAM...\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const std::string folder = argv[2];
    const std::vector<std::string> programs(argv + 3, argv + argc);
    std::vector<std::vector<Run>> results(programs.size());
    // One run each first, so that every program meets a warm file cache; then in turns, so
    // that a slower spell of the machine falls on all of them alike.
    for (const auto& program : programs) {
        RunOnce(folder, program);
    }
    for (int i = 0; i < runs; ++i) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            const Run run = RunOnce(folder, programs[p]);
            if (!run.Succeeded) {
                std::fprintf(stderr, "%s failed\n", programs[p].c_str());
                return 1;
            }
            results[p].push_back(run);
        }
    }
    for (std::size_t p = 0; p < programs.size(); ++p) {
        auto& each = results[p];
        std::sort(each.begin(), each.end(),
                  [](const Run& a, const Run& b) { return a.Milliseconds < b.Milliseconds; });
        long peak = 0;
        for (const Run& run : each) {
            peak = std::max(peak, run.PeakKilobytes);
        }
        // median ms, fastest ms, peak resident kB
        std::printf("%.1f %.1f %ld\n", each[each.size() / 2].Milliseconds,
                    each.front().Milliseconds, peak);
    }
    return 0;
}
