// Registering a new application: the descriptor written beside the chosen executable.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "launcher/LauncherFixture.h"
#include "launcher/LauncherSystem.h"

using Platform::MessageButtons;
using Platform::MessageResult;
using Platform::OpenFileChoice;
using TestSupport::LauncherOnDrive;
using TestSupport::U;

namespace {

constexpr char16_t CopiedFirst[] =
    u"Make sure you only select new applications that have been copied to your USB Drive!";
constexpr char16_t Added[] = u"Your new application will be available when you restart KIVOLA.";

std::vector<std::u16string> Prompts(const TestSupport::ScriptedDialogs& dialogs) {
    std::vector<std::u16string> prompts;
    for (const auto& message : dialogs.Messages) {
        EXPECT_EQ(message.Title, u"Kivola");
        prompts.push_back(message.Prompt);
    }
    return prompts;
}

}  // namespace

TEST(AddApplication, WritesTheDescriptorBesideTheExecutable) {
    LauncherOnDrive launcher;
    launcher.Drive.WriteFile("Tool/tool.exe", "binary");
    launcher.Dialogs.OpenAnswers.emplace_back(
        OpenFileChoice{launcher.Drive.Text("Tool/tool.exe"), u"tool.exe"});
    launcher.Form->imgAdd_Click();
    EXPECT_THAT(launcher.Dialogs.OpenFilters, ::testing::ElementsAre(u"All Executables|*.exe"));
    EXPECT_THAT(Prompts(launcher.Dialogs), ::testing::ElementsAre(CopiedFirst, Added));
    EXPECT_EQ(launcher.Dialogs.Messages[0].Icon, Platform::MessageIcon::None);
    EXPECT_EQ(launcher.Drive.ReadFile("Tool/kivolaapp.ini"), "tool.exe");
    // The grid waits for the next scan.
    EXPECT_TRUE(launcher.Form->SlotCommand(1).empty());
    launcher.Start();
    EXPECT_EQ(launcher.Form->SlotCommand(1), launcher.Drive.Text("Tool/tool.exe"));

    // A folder named like the file gets the descriptor, and a non-ASCII name survives.
    launcher.Dialogs.Messages.clear();
    launcher.Drive.WriteFile("Apps/ñandú.exe/ñandú.exe", "binary");
    launcher.Dialogs.OpenAnswers.emplace_back(
        OpenFileChoice{launcher.Drive.Text("Apps/ñandú.exe/ñandú.exe"), U("ñandú.exe")});
    launcher.Form->AddNewApplication();
    EXPECT_EQ(launcher.Drive.ReadFile("Apps/ñandú.exe/kivolaapp.ini"), "ñandú.exe");
    EXPECT_THAT(Prompts(launcher.Dialogs), ::testing::ElementsAre(CopiedFirst, Added));
}

TEST(AddApplication, CancelOrNoWritesNothing) {
    LauncherOnDrive launcher;
    launcher.Dialogs.OpenAnswers.emplace_back(std::nullopt);
    launcher.Dialogs.OpenAnswers.emplace_back(OpenFileChoice{u"", u""});
    launcher.Form->AddNewApplication();
    launcher.Form->AddNewApplication();
    EXPECT_THAT(Prompts(launcher.Dialogs), ::testing::ElementsAre(CopiedFirst, CopiedFirst));

    // An existing descriptor (maybe a list of several applications) is replaced only on Yes.
    launcher.App("Suite", "a.exe,b.exe");
    const auto descriptor = launcher.Drive.Text("Suite/kivolaapp.ini");
    for (const auto answer : {MessageResult::No, MessageResult::Yes}) {
        launcher.Dialogs.Messages.clear();
        // Every message box takes the next answer, the first OK included.
        launcher.Dialogs.Answers = {MessageResult::Ok, answer};
        launcher.Dialogs.OpenAnswers.emplace_back(
            OpenFileChoice{launcher.Drive.Text("Suite/c.exe"), u"c.exe"});
        launcher.Form->AddNewApplication();
        ASSERT_GE(launcher.Dialogs.Messages.size(), 2U);
        const auto& question = launcher.Dialogs.Messages[1];
        EXPECT_EQ(question.Buttons, MessageButtons::YesNo);
        EXPECT_NE(question.Prompt.find(descriptor), std::u16string::npos);
        if (answer == MessageResult::No) {
            EXPECT_EQ(launcher.Drive.ReadFile("Suite/kivolaapp.ini"), "a.exe,b.exe");
            EXPECT_EQ(launcher.Dialogs.Messages.size(), 2U);
        } else {
            EXPECT_EQ(launcher.Drive.ReadFile("Suite/kivolaapp.ini"), "c.exe");
            EXPECT_EQ(launcher.Dialogs.Messages.back().Prompt, Added);
        }
    }
}

TEST(AddApplication, FailedWriteIsToldAndTheLauncherGoesOn) {
    LauncherOnDrive launcher;
    // The chosen file's folder is gone by the time the descriptor is written.
    launcher.Dialogs.OpenAnswers.emplace_back(
        OpenFileChoice{launcher.Drive.Text("Gone/tool.exe"), u"tool.exe"});
    launcher.Form->AddNewApplication();
    const auto prompts = Prompts(launcher.Dialogs);
    ASSERT_EQ(prompts.size(), 2U);
    EXPECT_NE(prompts[1].find(launcher.Drive.Text("Gone/kivolaapp.ini")), std::u16string::npos);
    EXPECT_NE(prompts[1].find(LauncherTest::MissingFolderReason()), std::u16string::npos)
        << TestSupport::Utf8(prompts[1]);
    EXPECT_FALSE(launcher.Drive.Exists("Gone"));

    // A folder standing where the descriptor would go cannot be replaced either.
    launcher.Drive.MakeFolder("Odd/kivolaapp.ini");
    launcher.Dialogs.Messages.clear();
    launcher.Dialogs.Answers = {MessageResult::Ok, MessageResult::Yes};
    launcher.Dialogs.OpenAnswers.emplace_back(
        OpenFileChoice{launcher.Drive.Text("Odd/odd.exe"), u"odd.exe"});
    launcher.Form->AddNewApplication();
    ASSERT_EQ(launcher.Dialogs.Messages.size(), 3U);
    EXPECT_NE(launcher.Dialogs.Messages[2].Prompt.find(u"could not be written"),
              std::u16string::npos);

    // The drive the launcher runs from is gone: said before anything is asked.
    LauncherOnDrive pulled(nullptr, "Pulled");
    pulled.Form->AddNewApplication();
    const auto said = Prompts(pulled.Dialogs);
    ASSERT_EQ(said.size(), 1U);
    EXPECT_NE(said[0].find(u"cannot be reached"), std::u16string::npos);
    EXPECT_NE(said[0].find(pulled.Drive.Text("Pulled")), std::u16string::npos);
    EXPECT_TRUE(pulled.Dialogs.OpenFilters.empty());
}
