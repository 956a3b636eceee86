#pragma once

// Turning a slot's command (application folder, separator, executable text) into a program and
// its arguments. The executable text may hold spaces, in the folder or in the file name, and
// may be followed by arguments; the program is the longest leading part of the command that
// names an existing file, so a shorter file planted along the path ("/media/My" beside
// "/media/My Apps/...") never runs in its place.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace Launcher {

struct ResolvedCommand {
    std::u16string Program;
    std::u16string ArgumentText;   // what follows the program, as written
    std::u16string WorkingFolder;  // the program's own folder
};

// The command without the line ends a descriptor's last line leaves behind.
std::u16string WithoutTrailingLineEnds(std::u16string command);

// True when the path climbs out of its first folderLength characters (the application folder
// and its separator) by its "." and ".." parts, read as the system resolves them: a program
// must lie inside its application folder after they are resolved, not only as written.
bool LeavesFolder(const std::u16string& path, std::size_t folderLength);

// Nothing when no leading part of the command names a file inside the application folder. The first
// folderLength characters (the application folder and its separator) are never cut: the program
// lies inside that folder, so "/media/My" cannot stand in for a missing "/media/My Apps/tool".
// isFile tells whether a path names an existing file that is not a folder.
std::optional<ResolvedCommand> ResolveCommand(
    const std::u16string& command, std::size_t folderLength,
    const std::function<bool(const std::u16string&)>& isFile);

}  // namespace Launcher
