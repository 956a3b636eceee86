#pragma once

// The system's processes, counted: each start really starts the program.

#include <memory>
#include <string>

#include "platform/Processes.h"

namespace TestSupport {

class CountingProcesses : public Platform::Processes {
  public:
    Platform::IoStatus Start(const std::u16string& program, const std::u16string& argumentText,
                             const std::u16string& workingFolder) override {
        ++Starts;
        return real_->Start(program, argumentText, workingFolder);
    }
    int Starts = 0;

  private:
    std::unique_ptr<Platform::Processes> real_ = Platform::SystemProcesses();
};

}  // namespace TestSupport
