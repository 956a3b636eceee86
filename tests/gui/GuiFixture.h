#pragma once

// A drive folder with applications and notes, the launcher window started from it with
// scripted dialogs, and the means to wait for it and to work its controls as a user would.

#include <QPoint>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Drives.h"
#include "platform/Processes.h"
#include "testsupport/CountingProcesses.h"
#include "testsupport/ScriptedDialogs.h"
#include "testsupport/TempFolder.h"
#include "ui/qt/LauncherWindow.h"
#include "ui/qt/NoteWindow.h"

// Runs the event loop until done() holds; false when it did not within the time.
bool WaitUntil(const std::function<bool()>& done, int milliseconds = 5000);

class GuiFixture : public ::testing::Test {
  protected:
    GuiFixture();
    ~GuiFixture() override;

    // An application folder whose script, when started, writes the file "launched-<title>"
    // at the drive's root.
    void AddApplication(const std::string& title);
    void AddNote(const std::string& noteId, const std::string& text);

    // Makes the launcher window (which opens the notes) and shows it.
    QtUi::LauncherWindow& Start();
    // Until the first scan has filled the grid.
    void WaitForGrid();

    template <typename T>
    static T* Control(const QWidget* window, const char* name) {
        T* control = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QWidget* Slot(int slot) const;
    // The tool tips of slots 1 to 20; empty for an empty slot.
    std::vector<std::string> SlotTitles() const;
    bool SlotHasPicture(int slot) const;
    std::vector<QtUi::NoteWindow*> Notes() const { return window->Notes().OpenWindows(); }

    // Presses at a point of handle, moves the pointer by each step in turn (in screen
    // coordinates, so that the position within handle is measured after the window moved) and
    // releases.
    static void Drag(QWidget* handle, QPoint at, const std::vector<QPoint>& steps,
                     Qt::MouseButtons held);

    TestSupport::TempFolder drive;
    TestSupport::ScriptedDialogs dialogs;
    std::unique_ptr<Platform::Drives> drives = Platform::SystemDrives();
    std::unique_ptr<TestSupport::CountingProcesses> processes =
        std::make_unique<TestSupport::CountingProcesses>();
    std::unique_ptr<TestSupport::ScopedCurrentFolder> inDrive;
    std::unique_ptr<QtUi::LauncherWindow> window;
};
