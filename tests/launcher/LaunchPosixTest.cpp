// A Windows program clicked on Linux without Wine: the launcher says what to install. (Its start
// through Wine is clicked in the Qt window, tests/gui.)

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "launcher/LauncherFixture.h"
#include "platform/Processes.h"

using TestSupport::LauncherOnDrive;
using TestSupport::Utf8;

namespace {

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

TEST(Launch, AWindowsProgramWithoutWineSaysWhatToInstall) {
    auto processes = Platform::SystemProcesses();
    LauncherOnDrive launcher(processes.get());
    launcher.App("Tool", "Tool.exe one");
    launcher.Drive.WriteFile("Tool/Tool.exe", "MZ");
    launcher.Start();
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
