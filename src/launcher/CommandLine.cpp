#include "launcher/CommandLine.h"

#include "platform/FileSystem.h"

namespace Launcher {

namespace {

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

std::u16string FolderOf(const std::u16string& program) {
    const auto separator = program.find_last_of(Platform::PathSeparator);
    if (separator == std::u16string::npos) {
        return {};
    }
    return separator == 0 ? std::u16string(1, Platform::PathSeparator)
                          : program.substr(0, separator);
}

}  // namespace

std::u16string WithoutTrailingLineEnds(std::u16string command) {
    while (!command.empty() && (command.back() == u'\r' || command.back() == u'\n')) {
        command.pop_back();
    }
    return command;
}

std::vector<std::u16string> SplitArguments(const std::u16string& text) {
    std::vector<std::u16string> arguments;
    std::u16string current;
    bool inArgument = false;
    bool quoted = false;
    for (const char16_t c : text) {
        if (c == u'"') {
            quoted = !quoted;
            inArgument = true;
        } else if (IsSpace(c) && !quoted) {
            if (inArgument) {
                arguments.push_back(std::move(current));
                current.clear();
                inArgument = false;
            }
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument) {
        arguments.push_back(std::move(current));
    }
    return arguments;
}

std::optional<ResolvedCommand> ResolveCommand(
    const std::u16string& command, std::size_t folderLength,
    const std::function<bool(const std::u16string&)>& isFile) {
    const std::u16string text = WithoutTrailingLineEnds(command);
    if (text.size() <= folderLength) {
        return std::nullopt;  // no executable text: only the folder is left
    }
    if (isFile(text)) {
        return ResolvedCommand{text, {}, FolderOf(text)};
    }
    // Longest first: each candidate ends right before a space, with at least one character of
    // the executable text before it.
    for (auto end = text.rfind(u' '); end != std::u16string::npos && end > folderLength;
         end = text.rfind(u' ', end - 1)) {
        std::u16string program = text.substr(0, end);
        if (isFile(program)) {
            auto arguments = SplitArguments(text.substr(end + 1));
            auto folder = FolderOf(program);
            return ResolvedCommand{std::move(program), std::move(arguments), std::move(folder)};
        }
    }
    return std::nullopt;
}

}  // namespace Launcher
