#pragma once

// Starting other programs. A started program runs on its own: the caller neither waits for it
// nor keeps anything of it, and it outlives the caller.

#include <memory>
#include <string>

#include "platform/IoStatus.h"

namespace Platform {

class Processes {
  public:
    virtual ~Processes() = default;

    // Starts program (a full path, not looked up anywhere) in workingFolder, with the rest of
    // the command line exactly as the user wrote it: on Windows it reaches the program as it
    // stands, on POSIX it is split into arguments by the shell's quoting rules (double quotes
    // group, and are dropped). Returns once the program runs or is known not to run; Reason
    // then says why ("No such file or directory", "Permission denied", ...).
    virtual IoStatus Start(const std::u16string& program, const std::u16string& argumentText,
                           const std::u16string& workingFolder) = 0;
};

std::unique_ptr<Processes> SystemProcesses();

}  // namespace Platform
