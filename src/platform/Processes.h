#pragma once

// Starting other programs. A started program runs on its own: the caller neither waits for it
// nor keeps anything of it, and it outlives the caller.

#include <memory>
#include <string>
#include <vector>

#include "platform/IoStatus.h"

namespace Platform {

class Processes {
  public:
    virtual ~Processes() = default;

    // Starts program (a full path, not looked up anywhere) with these arguments, in
    // workingFolder. Returns once the program runs or is known not to run; Reason then says why
    // ("No such file or directory", "Permission denied", ...).
    virtual IoStatus Start(const std::u16string& program,
                           const std::vector<std::u16string>& arguments,
                           const std::u16string& workingFolder) = 0;
};

std::unique_ptr<Processes> SystemProcesses();

}  // namespace Platform
