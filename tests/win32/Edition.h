#pragma once

// The Win32 edition as the shared window scenarios (tests/scenarios) drive it: the real Win32
// windows under Wine, worked by the messages the system sends them.

#include "EditionDriver.h"
#include "Win32GuiFixture.h"
#include "notes/frmNote.h"

class Edition : public Win32GuiFixture, public EditionDriver {
  protected:
    TestSupport::TempFolder& Drive() override { return drive; }
    void AddNamedApplication(const std::string& title) override { AddApplication(title); }
    void AddNoteFile(const std::string& noteId, const std::string& text) override {
        AddNote(noteId, text);
    }
    std::string AddLooseProgram(const std::string& title) override;
    bool WaitForStart(const std::string& title) override;
    int ProgramStarts() override { return processes->Starts; }

    void StartLauncher() override { Start(); }
    void StartActive() override;
    Launcher::Form1& Form() override { return window->Form(); }
    void RestartLauncher() override;
    void WaitForGrid() override { Win32GuiFixture::WaitForGrid(); }

    void PressKey(int keyCode, int shift) override;
    void TypeText(const std::u16string& text) override;
    void TurnWheel(ControlAt over, int delta) override;
    void ClickControl(ControlAt control) override {
        Click(ControlOf(control.first, control.second));
    }
    void RightClickControl(ControlAt control) override;
    void PressAndReleaseBeside(ControlAt control) override {
        Drag(ControlOf(control.first, control.second), {5, 5}, {{100, 100}}, MK_LBUTTON);
    }
    void DoubleClickControl(ControlAt control) override;
    void DragControl(ControlAt control, Pixels at, const std::vector<Pixels>& steps,
                     int buttons) override;
    Pixels LauncherPlace() override;
    Pixels LauncherSize() override;
    std::string LauncherTitle() override { return TestSupport::Utf8(WindowText(window->Handle())); }
    bool LauncherHasIcon() override {
        return SendMessageW(window->Handle(), WM_GETICON, ICON_SMALL, 0) != 0 &&
               SendMessageW(window->Handle(), WM_GETICON, ICON_BIG, 0) != 0;
    }
    bool LauncherFrameless() override;
    std::array<int, 4> WorkArea() override;
    void ClickScrollArrow(bool down) override { ScrollArrow(down); }
    void ActivateLastNote() override;
    void ActivateLauncher() override;

    std::vector<std::string> SlotTitles() override { return Win32GuiFixture::SlotTitles(); }
    std::optional<ControlAt> Focused() override;
    std::string FocusedName() override { return TestSupport::Utf8(WindowText(GetFocus())); }
    std::vector<ControlAt> Marked() override;
    int ScrollValue() override;
    bool ScrollEnabled() override {
        return IsWindowEnabled(ControlOf(LauncherControl::VScroll1)) != FALSE;
    }
    std::string ControlName(ControlAt control) override {
        return TestSupport::Utf8(WindowText(ControlOf(control.first, control.second)));
    }
    // The static controls show what their window text says.
    std::string ControlText(ControlAt control) override { return ControlName(control); }
    bool ControlShown(ControlAt control) override {
        return IsWindowVisible(ControlOf(control.first, control.second)) != FALSE;
    }
    Rect ControlPlace(ControlAt control) override;
    std::vector<LauncherControl> StackedTopDown() override;
    bool ShowsHandPointer(ControlAt control) override;
    std::uint32_t SlotColour(int slot) override;
    void RestPointerOnSlot(int slot) override;
    std::string WaitForTip() override;
    bool LauncherShown() override;
    bool Ended() override { return window->Ended() && endings == 1; }
    TestSupport::ScriptedDialogs& Dialogs() override { return dialogs; }
    void CloseLauncherByUser() override { SendMessageW(window->Handle(), WM_CLOSE, 0, 0); }
    void CloseNoteByUser(int note) override { SendMessageW(Note(note)->Handle(), WM_CLOSE, 0, 0); }
    // Log-off: the session asks first, and the program lets it end.
    void EndSession() override;

    int NoteCount() override { return static_cast<int>(Notes().size()); }
    void ReplaceNoteText(int note, const std::u16string& text) override;
    void FocusNoteTextBox(int note) override { SetFocus(TextBox(note)); }
    void PressKeyInNote(int note, int keyCode, int shift) override;
    bool NoteTextBoxFocused(int note) override { return GetFocus() == TextBox(note); }
    std::u16string NoteText(int note) override { return WindowText(TextBox(note)); }
    std::u16string NoteId(int note) override { return Note(note)->Form().noteID; }
    bool NoteShown(int note) override { return IsWindowVisible(Note(note)->Handle()) != FALSE; }
    Pixels NotePlace(int note) override;
    Pixels NoteSize(int note) override;
    bool NoteShapeHolds(int note, Pixels at) override;
    void DragNoteStrip(int note, Pixels at, const std::vector<Pixels>& steps, int buttons) override;
    std::vector<std::u16string> NoteLines(int note) override;
    int NoteRows(int note) override {
        return static_cast<int>(SendMessageW(TextBox(note), EM_GETLINECOUNT, 0, 0));
    }
    void AppendToNote(int note, const std::u16string& text) override;
    void UndoInNote(int note) override { SendMessageW(TextBox(note), EM_UNDO, 0, 0); }
    void LeaveNote(int note) override {
        SetFocus(TextBox(note));
        SetFocus(window->Handle());
    }
    void ClickNoteCross(int note) override { Click(Note(note)->Cross()); }
    std::string NoteCrossName(int note) override {
        return TestSupport::Utf8(WindowText(Note(note)->Cross()));
    }

  private:
    Win32Ui::NoteWindow* Note(int note) const { return Notes().at(static_cast<std::size_t>(note)); }
    HWND TextBox(int note) const { return Note(note)->TextBox(); }
    // Where the keyboard's input goes: the focused control of the launcher, else the launcher.
    HWND KeyTarget() const;
};
