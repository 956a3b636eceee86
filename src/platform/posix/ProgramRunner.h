#pragma once

// How a program file is started on Linux. A program with its exec bit runs itself. One without
// it (every file on a FAT drive as desktops mount it) starts as the system would start it with
// the bit: a script through the interpreter its "#!" line names, an ELF program through the
// dynamic loader it names. A static program, which names none, and an AppImage, which the loader
// refuses (its mark sits where the loader wants the ELF ABI version), run from a copy in
// memory, never on a disk; an AppImage is told where it lies. A
// Windows program starts through Wine, found on the PATH; nothing is set up for it, so
// whatever Wine writes is Wine's, in the user's prefix.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/FileReader.h"
#include "platform/IoStatus.h"

namespace Platform::Posix {

struct RunCommand {
    std::string Program;                   // what is executed
    std::vector<std::string> Leading;      // argv before the program's own arguments
    std::vector<std::string> Environment;  // NAME=value set for the program
    int Inherited = -1;  // a descriptor the program needs, which the caller closes after forking
};

// The command that starts path; or why it cannot start, in words of ours.
// searchPath is the PATH that Wine is looked for in.
std::variant<RunCommand, IoStatus> HowToRun(const std::string& path, std::string_view searchPath);

// The interpreter and its one optional argument from a script's first bytes, read as the
// kernel reads them; nothing when there is no interpreter.
std::optional<std::vector<std::string>> ShebangLine(std::string_view firstBytes);

// The dynamic loader an ELF program names (PT_INTERP); nothing for a static one or a broken
// file.
std::optional<std::string> ElfInterpreter(FileReader& file);

// The first executable file called name in the folders of searchPath.
std::optional<std::string> FindOnPath(std::string_view name, std::string_view searchPath);

}  // namespace Platform::Posix
