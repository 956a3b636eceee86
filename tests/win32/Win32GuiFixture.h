#pragma once

// A drive folder with applications and notes, the real Win32 launcher window started from it
// with scripted dialogs, and the means to wait for it and to work its controls as a user
// would: by the mouse and keyboard messages the system sends them.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Drives.h"
#include "platform/Processes.h"
#include "platform/win32/WindowsApi.h"
#include "testsupport/CountingProcesses.h"
#include "testsupport/ScriptedDialogs.h"
#include "testsupport/TempFolder.h"
#include "ui/win32/LauncherWindow.h"
#include "ui/win32/NoteWindow.h"

// Runs the message loop until done() holds; false when it did not within the time.
bool WaitUntil(const std::function<bool()>& done, int milliseconds = 5000);
// Runs the message loop for a while.
void PumpFor(int milliseconds);

// A 24-bit BMP file of one colour: a picture the slots can show, whatever its file is called.
std::string BmpBytes(int width, int height, COLORREF colour);

std::u16string WindowText(HWND window);

// The mouse as the system reports it to a window: pixels within it, buttons held.
void Click(HWND control, POINT at = {3, 3});
// Presses at a point of handle, moves the pointer by each step in turn (in screen pixels, so
// that the position within handle is measured after the window moved) and releases.
void Drag(HWND handle, POINT at, const std::vector<POINT>& steps, WPARAM held);
// Typed characters, as the keyboard gives them to the focused text box.
void Type(HWND box, const std::u16string& text);

class Win32GuiFixture : public ::testing::Test {
  protected:
    Win32GuiFixture();
    ~Win32GuiFixture() override;

    // An application folder holding a copy of the marker program as app.exe; its path.
    std::u16string AddApplication(const std::string& title);
    void AddNote(const std::string& noteId, const std::string& text);

    // Makes the launcher window (which opens the notes) and shows it.
    Win32Ui::LauncherWindow& Start();
    // Until the first scan has filled the grid.
    void WaitForGrid();

    HWND ControlOf(Launcher::Form1Layout::Control control, int slot = 0) const {
        return window->ControlWindow(control, slot);
    }
    HWND Slot(int slot) const { return ControlOf(Launcher::Form1Layout::Control::imgApp, slot); }
    // The names of slots 1 to 20 (their applications' titles); empty for an empty slot.
    std::vector<std::string> SlotTitles() const;
    std::vector<Win32Ui::NoteWindow*> Notes() const { return window->Notes().OpenWindows(); }
    // A click on the scroll bar's arrow, as the scroll bar reports it.
    void ScrollArrow(bool down) const;
    std::string NoteFile(const std::u16string& noteId) const;

    TestSupport::TempFolder drive;
    TestSupport::ScriptedDialogs dialogs;
    std::unique_ptr<Platform::Drives> drives = Platform::SystemDrives();
    std::unique_ptr<TestSupport::CountingProcesses> processes =
        std::make_unique<TestSupport::CountingProcesses>();
    std::unique_ptr<TestSupport::ScopedCurrentFolder> inDrive;
    std::unique_ptr<Win32Ui::LauncherWindow> window;
    int endings = 0;
};
