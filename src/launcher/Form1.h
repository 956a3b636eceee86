#pragma once

// The launcher window's behaviour: start-up, the application catalogue (scan, slots, paging,
// launching), adding an application, the drive usage line, dragging and closing. Its keyboard
// and wheel handlers forward to LauncherKeyboard, which keeps the focus and the typed text and
// asks back for what the keys do to the catalogue. The window itself is behind LauncherView;
// everything here runs on the user-interface thread.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "launcher/AppDescriptor.h"
#include "launcher/ApplicationScan.h"
#include "launcher/GridFocus.h"
#include "launcher/LauncherKeyboard.h"
#include "launcher/LauncherView.h"
#include "platform/Dialogs.h"
#include "platform/Drives.h"
#include "platform/FileSystem.h"
#include "platform/Processes.h"

namespace Launcher {

// Wired by the front-end to the notes subsystem; either may be empty.
struct NotesHooks {
    std::function<void()> LoadNotes;  // last step of Form_Load
    std::function<void()> NewNote;    // lblNewNote click
};

inline constexpr std::int16_t FirstPage = 1;
inline constexpr std::int16_t LastPage = 5;

class Form1 : private LauncherKeyboard::Actions {
  public:
    Form1(LauncherView& view, Platform::Dialogs& dialogs, Platform::Drives& drives,
          Platform::Processes& processes, std::u16string programFolder, NotesHooks notes = {});
    // The scan reports back to this very object.
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    ~Form1() override = default;

    // Events.
    void Form_Load();
    void Form_Resize();
    void Timer1_Timer();
    void VScroll1_Change();
    void imgApp_Click(int slot);                                       // slot 1..20
    void Image2_MouseDown(int Button, int Shift, double X, double Y);  // twips within Image2
    void Image2_MouseMove(int Button, int Shift, double X, double Y);
    void Image1_Click();
    void imgAdd_Click();
    void lblNewNote_Click();

    // The keyboard and the wheel, which both front-ends forward as they come. Each is true when
    // the launcher used the key or turn, so that the front-end passes on the others.
    // KeyCode is one of Support::Key*, Shift the held keys (Support::ShiftKey, ...).
    bool Form_KeyDown(int KeyCode, int Shift);
    // A typed character (after Form_KeyDown of its key); control characters are not used.
    bool Form_KeyPress(char16_t KeyAscii);
    // Delta in Support::WheelNotch units, positive away from the user; X and Y, the pointer
    // within the window in twips. Only the grid and VScroll1 take the wheel.
    bool Form_MouseWheel(int Delta, double X, double Y);
    // The window became the active one, or stopped being it.
    void Form_Activate();
    void Form_Deactivate();

    // Routines.
    void ScanApplications();
    std::int64_t CountFiles(const std::u16string& StrFolder);
    bool FileExists(const std::u16string& FileName) const;
    std::u16string SetApplicationExecutable(const std::u16string& strPath) const;
    void AddApplicationIcon(const std::u16string& strIconFile, const std::u16string& strTitle,
                            const std::u16string& strAppFolder, const std::u16string& strExecutable,
                            const std::u16string& strScanFolder, bool blnListed);
    void ClearApplicationIcons();
    void AddNewApplication();
    void ShowDriveUsage();

    // The decimal separator of the drive usage figures; the user's locale's when not set.
    void UseDecimalSeparator(char16_t separator) { decimalSeparator_ = separator; }
    // The clock that times the typed text, in milliseconds; a steady clock when not set.
    void UseClock(std::function<std::chrono::milliseconds()> clock) {
        keyboard_.UseClock(std::move(clock));
    }

    // Read access to the catalogue state.
    std::int16_t PageStart() const { return intPageStart; }
    std::int16_t PageEnd() const { return intPageEnd; }
    std::int16_t AppIndex() const { return intAppIndex; }
    std::int16_t LastScroll() const { return intLastScroll; }
    const std::u16string& SlotCommand(int slot) const;  // slot 1..20
    std::int32_t DragX() const { return dragX; }
    std::int32_t DragY() const { return dragY; }
    const std::u16string& ProgramFolder() const { return programFolder_; }
    FocusItem Focused() const { return keyboard_.Focused(); }
    int FocusedSlot() const { return keyboard_.FocusedSlot(); }  // 0 when the grid shows nothing

  private:
    // LauncherKeyboard::Actions. PageBy does nothing beyond 1 to 5, nor while VScroll1 is
    // disabled; FindTyped finds among the titles of the last scan.
    FilledSlots Filled() const override;
    void PageBy(int step) override;
    void ClickOn(FocusItem item, int slot) override;
    void CloseByKey() override;
    int FindTyped(const std::u16string& typed) override;
    void ShowFocusMark(FocusItem item, int slot) override;

    void Rebuild();
    void LaunchSlot(const std::u16string& command, std::size_t folderLength);
    // AddApplicationIcon, told the descriptor's text when the scan has just read it.
    void Register(const AppRegistration& app, const std::u16string* descriptorText);
    void ShowSlotPicture(int slot, const AppRegistration& app, const std::u16string& command);
    Platform::MessageResult ShowMessage(const std::u16string& prompt,
                                        Platform::MessageButtons buttons,
                                        Platform::MessageIcon icon);

    LauncherView& view_;
    Platform::Dialogs& dialogs_;
    Platform::Drives& drives_;
    Platform::Processes& processes_;
    std::u16string programFolder_;
    NotesHooks notes_;
    std::optional<char16_t> decimalSeparator_;
    ApplicationScan scan_;

    std::int16_t intPageStart = 1;
    std::int16_t intPageEnd = SlotCount;
    std::int16_t intAppIndex = 1;
    std::int16_t intLastScroll = 1;
    std::array<std::u16string, SlotCount> strSlotCommand;
    // Length of each slot command's leading application folder and separator: where the
    // executable text begins.
    std::array<std::size_t, SlotCount> slotFolderLength_{};
    std::int32_t dragX = 0;
    std::int32_t dragY = 0;

    // Keyboard and wheel. The titles are those of the last scan by index (1 to 100), which is
    // what typing finds in, whatever page is shown.
    std::vector<std::u16string> titles_;
    bool scanned_ = false;  // the first scan has run: paging has a page to start from
    bool scrollEnabled_ = true;
    LauncherKeyboard keyboard_{*this};
};

}  // namespace Launcher
