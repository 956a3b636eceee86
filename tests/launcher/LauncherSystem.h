#pragma once

// What the launcher tests need that differs between the systems: the programs a slot starts
// (shell scripts on POSIX, batch files run by cmd.exe on Windows) and the system's words for
// why something failed.

#include <string>
#include <string_view>

#include "testsupport/TempFolder.h"

namespace LauncherTest {

// ".sh" on POSIX, ".cmd" on Windows.
extern const char ScriptExtension[];

// A script that adds one line to "marker" in its working folder: the folder, then each
// argument after a '|'.
void WriteMarkerScript(const TestSupport::TempFolder& drive, const std::string& relative);

// A script that creates the empty file touched in its working folder.
void WriteTouchScript(const TestSupport::TempFolder& drive, const std::string& relative,
                      std::string_view touched);

// Why a program did not start: nothing by its path, a folder, a file that is no program (name
// is its file name).
std::u16string MissingProgramReason();
std::u16string FolderProgramReason();
std::u16string NotAProgramReason(std::u16string_view name);

// Why a file could not be written into a folder that does not exist.
std::u16string MissingFolderReason();

}  // namespace LauncherTest
