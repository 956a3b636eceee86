#pragma once

// The launcher window (Form1's window): a borderless 327 by 439 pixel window painted by its
// background picture, with the 4 by 5 icon grid, the page scroll bar, the add button, the
// "+ New KIVOLA" link, the drive line and the close button. It converts units, forwards every
// event to Form1 and holds no logic of its own; the ends of the program are the note registry's,
// which leaves the window only its own going.

#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "launcher/Form1Layout.h"
#include "launcher/LauncherView.h"
#include "ui/qt/NoteWindows.h"

class QLabel;
class QScrollBar;

namespace Platform {
class Dialogs;
class Drives;
class Processes;
}  // namespace Platform
namespace Launcher {
class Form1;
}

namespace QtUi {

class Picture;

class LauncherWindow : public QWidget, public Launcher::LauncherView {
    Q_OBJECT

  public:
    // The client area in pixels at 96 dpi, 15 twips to a pixel.
    static constexpr int ClientWidth = static_cast<int>(Launcher::Form1Layout::ClientWidth / 15);
    static constexpr int ClientHeight = static_cast<int>(Launcher::Form1Layout::ClientHeight / 15);

    // Makes the window and runs Form1's load step (which opens the saved notes); showing it
    // is left to the caller.
    LauncherWindow(Platform::Dialogs& dialogs, Platform::Drives& drives,
                   Platform::Processes& processes, std::u16string programFolder);
    ~LauncherWindow() override;
    LauncherWindow(const LauncherWindow&) = delete;
    LauncherWindow& operator=(const LauncherWindow&) = delete;

    Launcher::Form1& Form() { return *form_; }
    NoteWindows& Notes() { return notes_; }

    // Launcher::LauncherView
    bool LoadSlotPicture(int slot, const std::u16string& file) override;
    bool LoadSlotProgramIcon(int slot, const std::u16string& program) override;
    void ShowDefaultSlotPicture(int slot) override;
    void ClearSlotPicture(int slot) override;
    void SetSlotToolTip(int slot, const std::u16string& text) override;
    void SetLoadingVisible(bool visible) override;
    void SetScrollRange(std::int16_t minimum, std::int16_t maximum) override;
    void SetScrollTabStop(bool tabStop) override;
    std::int16_t ScrollValue() const override;
    void SetScrollEnabled(bool enabled) override;
    void SetScrollValue(std::int16_t value) override;
    void ShowFocusMark(Launcher::FocusItem item, int slot) override;
    void CollapseHScroll1() override;
    void SetDriveCaption(const std::u16string& caption) override;
    double WindowLeft() const override;
    double WindowTop() const override;
    void SetWindowLeft(double twips) override;
    void SetWindowTop(double twips) override;
    void SetTimerInterval(int milliseconds) override;
    void DisableTimer() override;
    void EndProgram() override;
    // The session ends, or the system asks the program to stop (SIGTERM, SIGHUP, SIGINT): every
    // note saved without a word, then the end, whatever could not be saved.
    void EndForSession();

  signals:
    // Timer1_Timer has run to its end (the start-up benchmark stops there).
    void Timer1Ticked();
    // The program is ending: every window has closed.
    void ProgramEnded();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // Tab and Shift+Tab while the window itself has the focus: Form1 moves it, not Qt.
    bool focusNextPrevChild(bool next) override;
    // Keys that reach a control (Tab among them, before Qt moves the focus) and the wheel over
    // the scroll bar go to Form1 as the window's own.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    QLabel* MakeLabel(const QString& name, const Launcher::Form1Layout::Place& place,
                      std::u16string_view caption, const Launcher::Form1Layout::Colour& text,
                      std::optional<Launcher::Form1Layout::Colour> background);
    void ConnectEvents();
    Picture* Slot(int slot) const;
    bool ForwardKey(QKeyEvent* event);
    bool ForwardWheel(QWheelEvent* event, QPointF inWindow);
    // The window's own part of the end, once every note window has gone.
    void Quit();
    // Events reach Form1 until the program begins to end.
    bool Live() const { return form_ && !notes_.Ending(); }

    Platform::Dialogs& dialogs_;
    NoteWindows notes_;
    QTimer Timer1_;
    bool systemMove_ = false;

    // Controls, by their names on the form.
    Picture* Image2_ = nullptr;
    QLabel* Label2_ = nullptr;
    QLabel* Label1_ = nullptr;
    std::array<Picture*, Launcher::SlotCount> imgApp_{};
    Picture* imgAdd_ = nullptr;
    Picture* Image1_ = nullptr;
    QLabel* lblLoading_ = nullptr;
    Picture* lblNewNote_ = nullptr;
    QScrollBar* VScroll1_ = nullptr;
    QScrollBar* HScroll1_ = nullptr;
    Picture* focusMarked_ = nullptr;

    std::unique_ptr<Launcher::Form1> form_;
};

}  // namespace QtUi
