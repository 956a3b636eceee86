#pragma once

// What the window scenarios ask of an edition: a drive to start from, the launcher and its
// notes started on it, and the user's hands on them (keys, typing, the wheel, clicks) and
// eyes (titles, focus, the focus mark, the page, the notes' texts). Each edition implements it
// once over its own window fixture (tests/gui: Qt on the offscreen platform; tests/win32: the
// Win32 windows under Wine), so that every scenario is written once and runs on both. What
// only one edition can show stays in that edition's own tests.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "launcher/Form1Layout.h"
#include "testsupport/ScriptedDialogs.h"
#include "testsupport/TempFolder.h"

namespace Launcher {
class Form1;
}

class EditionDriver {
  public:
    using LauncherControl = Launcher::Form1Layout::Control;
    // A control and its slot (1 to 20 for imgApp, else 0).
    using ControlAt = std::pair<LauncherControl, int>;

    virtual ~EditionDriver() = default;

    // The drive: applications "App 01", "App 02", ... each of which marks when it is started.
    virtual TestSupport::TempFolder& Drive() = 0;
    void AddApplications(int count) {
        for (int i = 1; i <= count; ++i) {
            AddNamedApplication("App " + std::string(i < 10 ? "0" : "") + std::to_string(i));
        }
    }
    virtual void AddNamedApplication(const std::string& title) = 0;
    virtual void AddNoteFile(const std::string& noteId, const std::string& text) = 0;
    // A program in a folder of its own with no descriptor, which marks when it is started
    // under the application title; its file name.
    virtual std::string AddLooseProgram(const std::string& title) = 0;
    // Until the application was started, within a few seconds.
    virtual bool WaitForStart(const std::string& title) = 0;
    // How many programs the launcher has started.
    virtual int ProgramStarts() = 0;

    // The launcher made on the drive (which opens its notes) and shown; StartActive also waits
    // for the grid and makes the launcher the active window, as when the user has just opened it.
    virtual void StartLauncher() = 0;
    virtual void StartActive() = 0;
    virtual Launcher::Form1& Form() = 0;
    // The launcher closed without ending the program, and made anew on the same drive; until
    // its first scan has filled the grid.
    virtual void RestartLauncher() = 0;
    virtual void WaitForGrid() = 0;

    // Keys (Support::Key*, with Support::ShiftKey, AltKey) and typed text, where the keyboard's
    // input goes now.
    void Press(int keyCode, int shift = 0) { PressKey(keyCode, shift); }
    virtual void PressKey(int keyCode, int shift) = 0;
    virtual void TypeText(const std::u16string& text) = 0;
    // One turn of the wheel with the pointer over a control, delivered as the system would.
    virtual void TurnWheel(ControlAt over, int delta) = 0;
    // A click on a control, or on an arrow of the scroll bar.
    virtual void ClickControl(ControlAt control) = 0;
    // Not clicks: the right button, and the left one released beside the control.
    virtual void RightClickControl(ControlAt control) = 0;
    virtual void PressAndReleaseBeside(ControlAt control) = 0;
    // Press, release, the second press the system reports as a double click, release.
    virtual void DoubleClickControl(ControlAt control) = 0;
    // A press with the buttons held (Support::LeftButton, RightButton) at a point of the
    // launcher's client area over the control, the pointer moved by each step in turn (screen
    // pixels), and the release.
    using Pixels = std::pair<int, int>;
    virtual void DragControl(ControlAt control, Pixels at, const std::vector<Pixels>& steps,
                             int buttons) = 0;
    // The launcher window's place on the screen and its size, in pixels.
    virtual Pixels LauncherPlace() = 0;
    virtual Pixels LauncherSize() = 0;
    // The launcher window as the system shows it: its title, whether it has an icon and no
    // frame, and the screen's area for windows (left, top, width, height).
    virtual std::string LauncherTitle() = 0;
    virtual bool LauncherHasIcon() = 0;
    virtual bool LauncherFrameless() = 0;
    virtual std::array<int, 4> WorkArea() = 0;
    virtual void ClickScrollArrow(bool down) = 0;
    // Another of the program's windows (the last note) takes the activation, and gives it back.
    virtual void ActivateLastNote() = 0;
    virtual void ActivateLauncher() = 0;

    // The titles of slots 1 to 20 (what the pointer's tip and screen readers say); empty for
    // an empty slot.
    virtual std::vector<std::string> SlotTitles() = 0;
    // The control that has the real keyboard focus (none when it is no control of the
    // launcher), and the name screen readers announce for it.
    virtual std::optional<ControlAt> Focused() = 0;
    virtual std::string FocusedName() = 0;
    // The controls that show the focus mark now.
    virtual std::vector<ControlAt> Marked() = 0;
    virtual int ScrollValue() = 0;
    virtual bool ScrollEnabled() = 0;
    // A control's name for screen readers, and the text it shows.
    virtual std::string ControlName(ControlAt control) = 0;
    virtual std::string ControlText(ControlAt control) = 0;
    virtual bool ControlShown(ControlAt control) = 0;
    // Where a control lies in the launcher's client area: left, top, width, height in pixels.
    using Rect = std::array<int, 4>;
    virtual Rect ControlPlace(ControlAt control) = 0;
    // The kinds of control from the top of the stacking order down (the slots once).
    virtual std::vector<LauncherControl> StackedTopDown() = 0;
    // The pointer over the control is the launcher's hand, not the system's arrow.
    virtual bool ShowsHandPointer(ControlAt control) = 0;
    // The colour the launcher shows at the centre of a slot, as 0xRRGGBB.
    virtual std::uint32_t SlotColour(int slot) = 0;
    // The pointer comes to rest on a slot; the tip then shown, within a few seconds (empty for
    // none).
    virtual void RestPointerOnSlot(int slot) = 0;
    virtual std::string WaitForTip() = 0;
    virtual bool LauncherShown() = 0;
    // The program has ended, once: every window closed.
    virtual bool Ended() = 0;
    // The dialogs the program asks in, answered as the test scripts them.
    virtual TestSupport::ScriptedDialogs& Dialogs() = 0;

    // Ends other than the close picture: the window manager's close (Alt+F4, the task bar) of
    // the launcher or a note, and the end of the session (log-off, or the system asking the
    // program to stop), which no one may be there to answer.
    virtual void CloseLauncherByUser() = 0;
    virtual void CloseNoteByUser(int note) = 0;
    virtual void EndSession() = 0;

    // The open notes: typing over a note's whole text (a CR is the Enter key), Escape in its
    // text box, what it shows.
    virtual int NoteCount() = 0;
    virtual void ReplaceNoteText(int note, const std::u16string& text) = 0;
    virtual void FocusNoteTextBox(int note) = 0;
    // A key (Support::Key*, with Support::ShiftKey) pressed in the note's text box.
    void PressInNote(int note, int keyCode, int shift = 0) { PressKeyInNote(note, keyCode, shift); }
    virtual void PressKeyInNote(int note, int keyCode, int shift) = 0;
    virtual bool NoteTextBoxFocused(int note) = 0;
    virtual std::u16string NoteText(int note) = 0;
    virtual std::u16string NoteId(int note) = 0;
    // The lines the note's text box shows, and the rows it lays them out in, wrapped at its
    // width.
    virtual std::vector<std::u16string> NoteLines(int note) = 0;
    virtual int NoteRows(int note) = 0;
    // Typing at the end of the note's text, and the text box's own undo.
    virtual void AppendToNote(int note, const std::u16string& text) = 0;
    virtual void UndoInNote(int note) = 0;
    // The note's text box loses the focus to the launcher, as when the user clicks it.
    virtual void LeaveNote(int note) = 0;
    // The note's delete cross: a click, and its name for screen readers.
    virtual void ClickNoteCross(int note) = 0;
    virtual std::string NoteCrossName(int note) = 0;
    virtual bool NoteShown(int note) = 0;
    // The note's place on the screen, its size, and whether its shape holds a pixel of it.
    virtual Pixels NotePlace(int note) = 0;
    virtual Pixels NoteSize(int note) = 0;
    virtual bool NoteShapeHolds(int note, Pixels at) = 0;
    // A drag on the note's strip, as DragControl on the launcher.
    virtual void DragNoteStrip(int note, Pixels at, const std::vector<Pixels>& steps,
                               int buttons) = 0;
    // The open note with this ID; -1 for none.
    int NoteNamed(const std::u16string& noteId) {
        for (int note = 0; note < NoteCount(); ++note) {
            if (NoteId(note) == noteId) {
                return note;
            }
        }
        return -1;
    }
};
