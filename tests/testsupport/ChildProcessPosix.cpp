#include "testsupport/ChildProcess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <filesystem>

#include "testsupport/TempFolder.h"

extern char** environ;

namespace TestSupport {

struct ChildProcess::System {
    pid_t Pid = -1;
};

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::u16string>& arguments)
    : system_(std::make_unique<System>()) {
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    const std::string path = (self.parent_path() / program).string();
    std::vector<std::string> texts{path};
    for (const auto& argument : arguments) {
        texts.push_back(Utf8(argument));
    }
    std::vector<char*> argv;
    for (auto& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);
    if (::posix_spawn(&system_->Pid, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        system_->Pid = -1;
    }
}

ChildProcess::~ChildProcess() {
    Kill();
}

bool ChildProcess::Started() const {
    return system_->Pid > 0;
}

void ChildProcess::Kill() {
    if (system_->Pid > 0) {
        ::kill(system_->Pid, SIGKILL);
        int status = 0;
        ::waitpid(system_->Pid, &status, 0);
        system_->Pid = -1;
    }
}

}  // namespace TestSupport
