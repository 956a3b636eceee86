#include <filesystem>

#include "launcher/LauncherSystem.h"

namespace fs = std::filesystem;

namespace LauncherTest {
namespace {

void WriteScript(const TestSupport::TempFolder& drive, const std::string& relative,
                 std::string_view text) {
    const auto path = drive.WriteFile(relative, text);
    fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
}

}  // namespace

const char ScriptExtension[] = ".sh";

void WriteMarkerScript(const TestSupport::TempFolder& drive, const std::string& relative) {
    WriteScript(drive, relative,
                "#!/bin/sh\n"
                "{ printf '%s' \"$PWD\"; for a in \"$@\"; do printf '|%s' \"$a\"; done; echo; } "
                ">> marker\n");
}

void WriteTouchScript(const TestSupport::TempFolder& drive, const std::string& relative,
                      std::string_view touched) {
    WriteScript(drive, relative, "#!/bin/sh\ntouch \"$PWD/" + std::string(touched) + "\"\n");
}

std::u16string MissingProgramReason() {
    return u"No such file or directory";
}

std::u16string FolderProgramReason() {
    return u"Is a directory";
}

std::u16string NotAProgramReason(std::u16string_view /*name*/) {
    return u"Permission denied";
}

std::u16string MissingFolderReason() {
    return u"No such file or directory";
}

}  // namespace LauncherTest
