// A Windows program clicked on Linux: it starts through Wine when Wine is installed, and the
// launcher says what to install when it is not.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "launcher/LauncherFixture.h"
#include "platform/Processes.h"

using TestSupport::LauncherOnDrive;
using TestSupport::Utf8;
namespace fs = std::filesystem;

namespace {

const fs::path Programs = KIVOLA_WINDOWS_PROGRAMS;

// Sets an environment variable for the test's own process, and puts it back afterwards.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        ::setenv(name, value.c_str(), 1);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;
    ~ScopedVariable() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace

TEST(Launch, AWindowsProgramStartsThroughWineOrSaysWhatToInstall) {
    if (Programs.empty()) {
        GTEST_SKIP() << "no MinGW-w64 cross compiler to make a Windows program";
    }
    if (std::system("command -v wine >/dev/null") != 0) {
        GTEST_SKIP() << "Wine is not installed";
    }
    // The test's own Wine prefix, made once by the build's helper, so that nothing of the
    // test lands in the user's ~/.wine. Wine reads these; the launcher sets nothing.
    const std::string prefix = KIVOLA_TEST_WINE_PREFIX;
    const std::string make = std::string(KIVOLA_SOURCE_ROOT) +
                             "/scripts/wine/run --prefix=" + prefix +
                             " cmd.exe /c exit 0 >/dev/null";
    ASSERT_EQ(std::system(make.c_str()), 0) << "could not make the Wine prefix " << prefix;
    const ScopedVariable winePrefix("WINEPREFIX", prefix);
    const ScopedVariable wineDebug("WINEDEBUG", "-all");

    auto processes = Platform::SystemProcesses();
    LauncherOnDrive launcher(processes.get());
    launcher.App("Tool", "Tool.exe one \"two words\"");
    fs::copy_file(Programs / "WithIcons.exe", launcher.Drive.Path() / "Tool/Tool.exe");
    launcher.Start();

    launcher.Form->imgApp_Click(1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!launcher.Drive.Exists("Tool/marker") && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(launcher.Dialogs.Messages.empty());
    // Written in text mode, as Windows ends lines.
    EXPECT_EQ(launcher.Drive.ReadFile("Tool/marker"), "one\r\ntwo words\r\n");

    // Without Wine on the PATH: a message that names the program and what to install.
    {
        const ScopedVariable path("PATH", launcher.Drive.Path().string());
        launcher.Form->imgApp_Click(1);
    }
    ASSERT_EQ(launcher.Dialogs.Messages.size(), 1U);
    const std::string message = Utf8(launcher.Dialogs.Messages[0].Prompt);
    EXPECT_NE(message.find(Utf8(launcher.Drive.Text("Tool/Tool.exe"))), std::string::npos)
        << message;
    EXPECT_NE(message.find("install the package \"wine\""), std::string::npos) << message;
}
