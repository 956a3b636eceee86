#include "platform/posix/ArgumentSplit.h"

namespace Platform::Posix {

namespace {

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

}  // namespace

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

}  // namespace Platform::Posix
