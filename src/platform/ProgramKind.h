#pragma once

// What kind of program a file is, which tells whether and how the system at hand can start it:
// a Windows program on Linux through Wine, a Linux program not at all on Windows. Told by the
// file's first bytes, and for Windows programs also by the name, since a batch file carries
// no mark of its own.

#include <cstddef>
#include <string>
#include <string_view>

namespace Platform {

enum class ProgramKind {
    Other,
    Windows,  // .exe, .com, .bat or .cmd, or beginning with "MZ"
    Elf,      // a Linux (or other Unix) program
    Script,   // beginning with "#!"
};

inline constexpr std::size_t ProgramHeadBytes = 4;

// head: the file's first ProgramHeadBytes (fewer for a shorter file).
ProgramKind KindOfProgram(std::u16string_view path, std::string_view head);

// The first ProgramHeadBytes of a file, fewer for a shorter one; empty when it cannot be read.
std::string ProgramHead(const std::u16string& path);

}  // namespace Platform
