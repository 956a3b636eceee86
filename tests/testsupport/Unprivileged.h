#pragma once

// Permission bits do not stop root, and CI runs as root. To see how the program meets a
// write-protected folder or file there, the checks run in a child process that hands the
// temporary drive to an ordinary user and becomes that user. Run as anyone else, the checks
// simply run in this process.

#include <functional>

#include "testsupport/TempFolder.h"

namespace TestSupport {

// Runs checks (GoogleTest assertions) without root's privileges over the given drive. Failures
// in the child fail the calling test.
void RunWithoutRoot(const TempFolder& drive, const std::function<void()>& checks);

}  // namespace TestSupport
