#pragma once

// Keeps the running program independent of the drive it was started from. A program's code is
// normally read from its files page by page as it first runs, and again whenever the system
// has let a page go; once the drive is pulled, such a read kills the program (SIGBUS) just
// when it was about to tell the user that a note could not be saved. So after start-up every
// part of the program and of the libraries and plugins it loaded from its own folder gets a
// private copy in the program's memory, and nothing of it is read from the drive again.

#include <cstddef>
#include <stop_token>
#include <string>

namespace Platform {

struct HeldInMemory {
    std::size_t Regions = 0;  // mappings given a private copy
    std::size_t Bytes = 0;    // their size
    std::size_t Left = 0;     // mappings that could not be read now, for a later try
};

// Reads the files below folder that are mapped into the program, so that HoldInMemory finds
// them in memory. Slow on a slow drive: for a thread of its own, which stop ends soon after it
// is asked; changes nothing.
void ReadMappedFilesAhead(const std::u16string& folder, const std::stop_token& stop = {});

// Gives every private mapping of a file below folder a copy of its own in memory, page for
// page what the program sees. Quick once the files were read ahead; a page that cannot be
// read (the drive is gone) leaves its mapping as it is, and never ends the program. Calling it
// again takes only what was loaded since. Runs on the thread that loads libraries (the user
// interface thread), since a library loaded halfway could otherwise be copied as it changes.
HeldInMemory HoldInMemory(const std::u16string& folder);

}  // namespace Platform
