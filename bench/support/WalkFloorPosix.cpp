#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "WalkFloor.h"

namespace WalkFloor {

const char* const Name = "find";
const char* const ProcessorNote =
    "processor: user and system time of CDirDrill's process and of find";
const double Goal = 1.5;

namespace {

double ProcessorSeconds(int who) {
    rusage usage{};
    ::getrusage(who, &usage);
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

double OwnProcessorSeconds() {
    return ProcessorSeconds(RUSAGE_SELF);
}

// `find <root>` with its output thrown away: it reads every folder and prints every path.
Timing Walk(const std::filesystem::path& root) {
    using Clock = std::chrono::steady_clock;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = "find";
    std::string argument = root.native();
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
    return {std::chrono::duration<double>(elapsed).count(),
            ProcessorSeconds(RUSAGE_CHILDREN) - processor};
}

}  // namespace WalkFloor
