#include "launcher/CommandLine.h"

#include "platform/Paths.h"

namespace Launcher {

std::u16string WithoutTrailingLineEnds(std::u16string command) {
    while (!command.empty() && (command.back() == u'\r' || command.back() == u'\n')) {
        command.pop_back();
    }
    return command;
}

std::optional<ResolvedCommand> ResolveCommand(
    const std::u16string& command, std::size_t folderLength,
    const std::function<bool(const std::u16string&)>& isFile) {
    const std::u16string text = WithoutTrailingLineEnds(command);
    if (text.size() <= folderLength) {
        return std::nullopt;  // no executable text: only the folder is left
    }
    if (isFile(text)) {
        return ResolvedCommand{text, {}, Platform::FolderOfPath(text)};
    }
    // Longest first: each candidate ends right before a space, with at least one character of
    // the executable text before it.
    for (auto end = text.rfind(u' '); end != std::u16string::npos && end > folderLength;
         end = text.rfind(u' ', end - 1)) {
        std::u16string program = text.substr(0, end);
        if (isFile(program)) {
            auto folder = Platform::FolderOfPath(program);
            return ResolvedCommand{std::move(program), text.substr(end + 1), std::move(folder)};
        }
    }
    return std::nullopt;
}

}  // namespace Launcher
