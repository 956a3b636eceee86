#pragma once

// The Qt edition as the shared window scenarios (tests/scenarios) drive it: the real Qt
// windows on the offscreen platform, worked through Qt's events.

#include <QWidget>

#include "EditionDriver.h"
#include "GuiFixture.h"
#include "notes/frmNote.h"

class Edition : public GuiFixture, public EditionDriver {
  protected:
    TestSupport::TempFolder& Drive() override { return drive; }
    void AddNamedApplication(const std::string& title) override { AddApplication(title); }
    void AddNoteFile(const std::string& noteId, const std::string& text) override {
        AddNote(noteId, text);
    }
    std::string AddLooseProgram(const std::string& title) override;
    bool WaitForStart(const std::string& title) override;
    int ProgramStarts() override { return processes->Starts; }

    void StartLauncher() override;
    void StartActive() override;
    Launcher::Form1& Form() override { return window->Form(); }
    void RestartLauncher() override;
    void WaitForGrid() override { GuiFixture::WaitForGrid(); }

    void PressKey(int keyCode, int shift) override;
    void TypeText(const std::u16string& text) override;
    void TurnWheel(ControlAt over, int delta) override;
    void ClickControl(ControlAt control) override;
    void RightClickControl(ControlAt control) override;
    void PressAndReleaseBeside(ControlAt control) override;
    void DoubleClickControl(ControlAt control) override;
    void DragControl(ControlAt control, Pixels at, const std::vector<Pixels>& steps,
                     int buttons) override;
    Pixels LauncherPlace() override { return {window->pos().x(), window->pos().y()}; }
    Pixels LauncherSize() override { return {window->width(), window->height()}; }
    std::string LauncherTitle() override { return window->windowTitle().toStdString(); }
    bool LauncherHasIcon() override { return !window->windowIcon().isNull(); }
    bool LauncherFrameless() override {
        return window->windowFlags().testFlag(Qt::FramelessWindowHint);
    }
    std::array<int, 4> WorkArea() override;
    void ClickScrollArrow(bool down) override;
    void ActivateLastNote() override;
    void ActivateLauncher() override;

    std::vector<std::string> SlotTitles() override { return GuiFixture::SlotTitles(); }
    std::optional<ControlAt> Focused() override;
    std::string FocusedName() override;
    std::vector<ControlAt> Marked() override;
    int ScrollValue() override;
    bool ScrollEnabled() override;
    std::string ControlName(ControlAt control) override {
        return Widget(control)->accessibleName().toStdString();
    }
    std::string ControlText(ControlAt control) override;
    bool ControlShown(ControlAt control) override { return Widget(control)->isVisible(); }
    Rect ControlPlace(ControlAt control) override;
    std::vector<LauncherControl> StackedTopDown() override;
    bool ShowsHandPointer(ControlAt control) override {
        return Widget(control)->cursor().shape() == Qt::BitmapCursor;
    }
    std::uint32_t SlotColour(int slot) override;
    void RestPointerOnSlot(int slot) override;
    std::string WaitForTip() override;
    bool LauncherShown() override { return window->isVisible(); }
    bool Ended() override { return endings_ == 1; }
    TestSupport::ScriptedDialogs& Dialogs() override { return dialogs; }
    void CloseLauncherByUser() override { window->close(); }
    void CloseNoteByUser(int note) override { Note(note)->close(); }
    // What the system's request to stop (SIGTERM) does, as the program's main() wires it.
    void EndSession() override;

    int NoteCount() override { return static_cast<int>(Notes().size()); }
    void ReplaceNoteText(int note, const std::u16string& text) override;
    void FocusNoteTextBox(int note) override;
    void PressKeyInNote(int note, int keyCode, int shift) override;
    bool NoteTextBoxFocused(int note) override;
    std::u16string NoteText(int note) override;
    std::u16string NoteId(int note) override { return Note(note)->Form().noteID; }
    bool NoteShown(int note) override { return Note(note)->isVisible(); }
    Pixels NotePlace(int note) override { return {Note(note)->x(), Note(note)->y()}; }
    Pixels NoteSize(int note) override { return {Note(note)->width(), Note(note)->height()}; }
    bool NoteShapeHolds(int note, Pixels at) override {
        return Note(note)->mask().contains(QPoint(at.first, at.second));
    }
    void DragNoteStrip(int note, Pixels at, const std::vector<Pixels>& steps, int buttons) override;
    std::vector<std::u16string> NoteLines(int note) override;
    int NoteRows(int note) override;
    void AppendToNote(int note, const std::u16string& text) override;
    void UndoInNote(int note) override;
    void LeaveNote(int note) override;
    void ClickNoteCross(int note) override;
    std::string NoteCrossName(int note) override;

  private:
    QWidget* Widget(ControlAt control) const;
    QtUi::NoteWindow* Note(int note) const { return Notes().at(static_cast<std::size_t>(note)); }
    // Where the keyboard's input goes: the focused control of the launcher, else the launcher.
    QWidget* KeyTarget() const;

    int endings_ = 0;
};
