#pragma once

// A program the test starts and can kill at any moment, as a crash or a pulled plug would end
// it: SIGKILL on POSIX, TerminateProcess on Windows. Killed, if still running, when it goes.

#include <memory>
#include <string>
#include <vector>

namespace TestSupport {

class ChildProcess {
  public:
    // program is found beside the test program; arguments are passed as they are.
    ChildProcess(const std::string& program, const std::vector<std::u16string>& arguments);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    bool Started() const;
    // Ends the program at once and waits until it has gone.
    void Kill();

  private:
    struct System;
    std::unique_ptr<System> system_;
};

}  // namespace TestSupport
