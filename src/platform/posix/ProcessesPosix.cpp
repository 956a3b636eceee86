#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/Processes.h"
#include "platform/posix/ArgumentSplit.h"
#include "platform/posix/PosixPath.h"
#include "platform/posix/ProgramRunner.h"

namespace Platform {

namespace {

using Posix::ErrnoFailure;
using Posix::NativePath;

// Only async-signal-safe calls from here on: the parent may have other threads, whose locks a
// forked child inherits in whatever state they were.
[[noreturn]] void ReportAndExit(int pipe, int error) {
    while (::write(pipe, &error, sizeof error) < 0 && errno == EINTR) {
    }
    ::_exit(127);
}

[[noreturn]] void RunProgram(int pipe, const char* program, char* const* argv, char* const* envp,
                             const char* folder) {
    // Ignored signals and the blocked mask survive exec; the program starts with neither.
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal) {
        ::sigaction(signal, &defaults, nullptr);
    }
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    if (folder[0] != '\0' && ::chdir(folder) != 0) {
        ReportAndExit(pipe, errno);
    }
    ::execve(program, argv, envp);
    ReportAndExit(pipe, errno);
}

// The null-terminated array of pointers that exec takes.
std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    pointers.reserve(texts.size() + 1);
    for (auto& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

class PosixProcesses final : public Processes {
  public:
    IoStatus Start(const std::u16string& program, const std::u16string& argumentText,
                   const std::u16string& workingFolder) override {
        const std::string path = NativePath(program);
        struct stat info {};
        if (path.empty()) {
            return ErrnoFailure(ENOENT);
        }
        if (::stat(path.c_str(), &info) != 0) {
            return ErrnoFailure(errno);
        }
        if (S_ISDIR(info.st_mode)) {
            return ErrnoFailure(EISDIR);
        }
        const char* searchPath = std::getenv("PATH");
        auto how = Posix::HowToRun(path, searchPath != nullptr ? searchPath : "");
        if (auto* failure = std::get_if<IoStatus>(&how)) {
            return *failure;
        }
        auto& command = std::get<Posix::RunCommand>(how);
        // Everything the children need is built before the fork.
        std::vector<std::string> texts = std::move(command.Leading);
        for (const auto& argument : Posix::SplitArguments(argumentText)) {
            texts.push_back(NativePath(argument));
        }
        const auto argv = Pointers(texts);
        std::vector<std::string> environment;
        for (char** variable = environ; *variable != nullptr; ++variable) {
            environment.emplace_back(*variable);
        }
        environment.insert(environment.end(), command.Environment.begin(),
                           command.Environment.end());
        const auto envp = Pointers(environment);
        const std::string folder = NativePath(workingFolder);

        // The exec's errno comes back through this pipe; a successful exec closes it empty.
        int fds[2] = {-1, -1};
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            const int error = errno;
            if (command.Inherited >= 0) {
                ::close(command.Inherited);
            }
            return ErrnoFailure(error);
        }
        sigset_t all;
        sigset_t previous;
        ::sigfillset(&all);
        ::pthread_sigmask(SIG_SETMASK, &all, &previous);
        const pid_t child = ::fork();
        if (child == 0) {
            // The middle process leaves at once, so the program is adopted by init and never
            // becomes our zombie; its own session keeps it apart from our terminal.
            ::close(fds[0]);
            ::setsid();
            const pid_t grandchild = ::fork();
            if (grandchild == 0) {
                RunProgram(fds[1], command.Program.c_str(), argv.data(), envp.data(),
                           folder.c_str());
            }
            if (grandchild < 0) {
                ReportAndExit(fds[1], errno);
            }
            ::_exit(0);
        }
        const int forkError = errno;
        ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        ::close(fds[1]);
        if (command.Inherited >= 0) {
            ::close(command.Inherited);
        }
        if (child < 0) {
            ::close(fds[0]);
            return ErrnoFailure(forkError);
        }
        while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
        int error = 0;
        ssize_t got = 0;
        do {
            got = ::read(fds[0], &error, sizeof error);
        } while (got < 0 && errno == EINTR);
        ::close(fds[0]);
        if (got == static_cast<ssize_t>(sizeof error)) {
            return ErrnoFailure(error);
        }
        return IoStatus::Success();
    }
};

}  // namespace

std::unique_ptr<Processes> SystemProcesses() {
    return std::make_unique<PosixProcesses>();
}

}  // namespace Platform
