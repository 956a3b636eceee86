#include "launcher/CommandLine.h"

#include <algorithm>
#include <string_view>

#include "platform/Paths.h"

namespace Launcher {

std::u16string WithoutTrailingLineEnds(std::u16string command) {
    while (!command.empty() && (command.back() == u'\r' || command.back() == u'\n')) {
        command.pop_back();
    }
    return command;
}

namespace {

// A part of a path that resolves to the folder above. Windows drops trailing dots and spaces
// from a name, so there ". . " and "..." lead up or stay as well: counted as up, to be safe.
bool ClimbsUp(std::u16string_view part) {
    if (part == u"..") {
        return true;
    }
    if (Platform::NativePathStyle != Platform::PathStyle::Windows || part.size() < 2) {
        return false;
    }
    return part.find_first_not_of(u". ") == std::u16string_view::npos && part.front() == u'.';
}

bool StaysPut(std::u16string_view part) {
    if (part.empty() || part == u".") {
        return true;
    }
    return Platform::NativePathStyle == Platform::PathStyle::Windows &&
           part.find_first_not_of(u". ") == std::u16string_view::npos;
}

}  // namespace

bool LeavesFolder(const std::u16string& path, std::size_t folderLength) {
    int depth = 0;
    std::size_t start = std::min(folderLength, path.size());
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !Platform::IsPathSeparator(path[end])) {
            ++end;
        }
        const std::u16string_view part(path.data() + start, end - start);
        if (ClimbsUp(part)) {
            if (--depth < 0) {
                return true;
            }
        } else if (!StaysPut(part)) {
            ++depth;
        }
        start = end + 1;
    }
    return false;
}

std::optional<ResolvedCommand> ResolveCommand(
    const std::u16string& command, std::size_t folderLength,
    const std::function<bool(const std::u16string&)>& isFile) {
    const std::u16string text = WithoutTrailingLineEnds(command);
    if (text.size() <= folderLength) {
        return std::nullopt;  // no executable text: only the folder is left
    }
    const auto inside = [&](const std::u16string& program) {
        return !LeavesFolder(program, folderLength) && isFile(program);
    };
    if (inside(text)) {
        return ResolvedCommand{text, {}, Platform::FolderOfPath(text)};
    }
    // Longest first: each candidate ends right before a space, with at least one character of
    // the executable text before it.
    for (auto end = text.rfind(u' '); end != std::u16string::npos && end > folderLength;
         end = text.rfind(u' ', end - 1)) {
        std::u16string program = text.substr(0, end);
        if (inside(program)) {
            auto folder = Platform::FolderOfPath(program);
            return ResolvedCommand{std::move(program), text.substr(end + 1), std::move(folder)};
        }
    }
    return std::nullopt;
}

}  // namespace Launcher
