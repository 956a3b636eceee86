#pragma once

// The launcher window (Form1's window): a borderless popup of 327 by 439 pixels at 96 dpi,
// painted by its background picture, with the 4 by 5 icon grid, the page scroll bar, the add
// button, the "+ New KIVOLA" link, the drive line and the close button. It builds its controls
// from Form1's layout table, converts units, forwards every event to Form1, and holds no logic
// of its own.
//
// Every control but the scroll bars is a picture control (a child window, LauncherControls)
// that shows its part of one picture of the whole window (LauncherScene); so the pictures'
// transparent parts show what lies beneath, as on a form, and each control still takes the
// pointer and is found by screen readers with its name. The window routes the messages and
// implements the view.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "launcher/Form1Layout.h"
#include "launcher/LauncherView.h"
#include "platform/win32/WindowsApi.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/LauncherControls.h"
#include "ui/win32/LauncherScene.h"
#include "ui/win32/NoteWindows.h"
#include "ui/win32/PictureControl.h"

namespace Platform {
class Dialogs;
class Drives;
class Processes;
}  // namespace Platform
namespace Launcher {
class Form1;
}

namespace Win32Ui {

class LauncherWindow : public Launcher::LauncherView, private ControlOwner {
  public:
    // Makes the window and runs Form1's load step (which opens the saved notes); showing it is
    // left to the caller. ended runs once every window has closed (the program posts its quit
    // message there).
    LauncherWindow(Platform::Dialogs& dialogs, Platform::Drives& drives,
                   Platform::Processes& processes, std::u16string programFolder,
                   std::function<void()> ended);
    ~LauncherWindow() override;
    LauncherWindow(const LauncherWindow&) = delete;
    LauncherWindow& operator=(const LauncherWindow&) = delete;

    void Show(int showCommand = SW_SHOWNORMAL);

    HWND Handle() const { return window_; }
    Launcher::Form1& Form() { return *form_; }
    NoteWindows& Notes() { return notes_; }
    const Scale& Scaling() const { return scale_; }
    // A control by its name on the form (slot 1 to 20 for imgApp).
    HWND ControlWindow(Launcher::Form1Layout::Control control, int slot = 0) const;
    // Timer1_Timer has run to its end so many times (the start-up benchmark stops there).
    int Timer1Ticks() const { return timer1Ticks_; }
    bool Ended() const { return ended_; }
    bool LoadingVisible() const { return scene_.LoadingVisible(); }
    // The control the focus mark is drawn on (slot 1 to 20 for a slot), FocusItem::None for none.
    std::pair<Launcher::FocusItem, int> FocusMark() const { return scene_.FocusMark(); }
    // A pixel of the window's picture as it is drawn now (client pixels).
    COLORREF ClientPixel(int x, int y);

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

  private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void BuildControls();
    void OnVScroll(WPARAM wParam);
    void MoveScrollTo(int value);
    void ChangeScrollValue(int value);  // raises VScroll1_Change when the value changes
    // Keys and wheel turns, from the window itself, its pictures and its scroll bar; true when
    // Form1 used them.
    bool OnKey(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnWheel(WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ScrollBarProcedure(HWND bar, UINT message, WPARAM wParam, LPARAM lParam,
                                               UINT_PTR id, DWORD_PTR self);
    void OnDpiChanged(int dpi, const RECT& suggested);

    // Something on the window's picture changed: it is drawn again.
    void Invalidate(bool paintNow = false);
    // The picture of the whole client area as it is now.
    HDC Scene();
    void PaintControl(HWND control, HDC dc) override;
    void ControlMouseDown(HWND control, int button, int shift, POINT at) override;
    void ControlMouseMove(HWND control, int button, int shift, POINT at) override;
    void ControlMouseMessage(HWND control, const MSG& message) override;
    void ControlClick(HWND control) override;
    bool ControlKey(HWND control, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool ControlHasHandPointer(HWND control) const override;
    HCURSOR HandCursor() const override;

    // The window's own part of the end, once every note window has gone.
    void Quit();
    // Events reach Form1 until the program begins to end.
    bool Live() const { return form_ && !notes_.Ending(); }

    Platform::Dialogs& dialogs_;
    NoteWindows notes_;
    std::function<void()> endedCallback_;
    HWND window_ = nullptr;
    Scale scale_;
    LauncherControls controls_;
    LauncherScene scene_;
    int scrollMinimum_ = 0;
    int scrollMaximum_ = 100;
    int scrollValue_ = 0;

    int timer1Ticks_ = 0;
    bool timerRunning_ = false;
    bool ended_ = false;
    std::unique_ptr<Launcher::Form1> form_;
};

}  // namespace Win32Ui
