#pragma once

// What Form1 needs of the launcher window. The front-end implements it, converts units and
// forwards every event to Form1; it holds no logic of its own. Positions are twips.

#include <cstdint>
#include <string>

namespace Launcher {

// The icon slots of the grid, numbered 1 to SlotCount row by row.
inline constexpr int SlotCount = 20;

// What the keyboard focus is on: a slot of the grid, or one of the controls Tab reaches.
enum class FocusItem { None, Slot, lblNewNote, imgAdd, Image1 };

class LauncherView {
  public:
    virtual ~LauncherView() = default;

    // Icon slots, 1 to 20. LoadSlotPicture is false when the file is missing, no picture, or
    // larger than MaxPictureSide (PictureLimit.h); the slot then keeps no picture.
    virtual bool LoadSlotPicture(int slot, const std::u16string& file) = 0;
    // The icon the program file carries (a Windows program's own icon), at the size the slot
    // draws; false when it carries none that can be shown.
    virtual bool LoadSlotProgramIcon(int slot, const std::u16string& program) = 0;
    virtual void ShowDefaultSlotPicture(int slot) = 0;  // the launcher's built-in icon
    virtual void ClearSlotPicture(int slot) = 0;
    virtual void SetSlotToolTip(int slot, const std::u16string& text) = 0;

    // lblLoading. Showing it must make it visible on screen at once (repaint), since a scan
    // runs right after without returning to the event loop.
    virtual void SetLoadingVisible(bool visible) = 0;

    // VScroll1. Changing the range may move the value; the view then raises VScroll1_Change.
    virtual void SetScrollRange(std::int16_t minimum, std::int16_t maximum) = 0;
    virtual void SetScrollTabStop(bool tabStop) = 0;
    virtual std::int16_t ScrollValue() const = 0;
    virtual void SetScrollEnabled(bool enabled) = 0;
    // Moves VScroll1 to value as a click on its arrow would; when the value changed, the view
    // raises VScroll1_Change before it returns.
    virtual void SetScrollValue(std::int16_t value) = 0;

    // The focus mark: drawn on the slot (1 to 20) or control given and made the focus that
    // screen readers follow; FocusItem::None takes the mark away. Form1 calls it only while
    // the window is active and once the keyboard has been used.
    virtual void ShowFocusMark(FocusItem item, int slot) = 0;

    virtual void CollapseHScroll1() = 0;  // HScroll1 width and height 0

    virtual void SetDriveCaption(const std::u16string& caption) = 0;  // Label1

    // The window's position on the screen, twips.
    virtual double WindowLeft() const = 0;
    virtual double WindowTop() const = 0;
    virtual void SetWindowLeft(double twips) = 0;
    virtual void SetWindowTop(double twips) = 0;

    // Timer1: runs (repeating) with this interval until disabled.
    virtual void SetTimerInterval(int milliseconds) = 0;
    virtual void DisableTimer() = 0;

    // Ends the program: every window closes.
    virtual void EndProgram() = 0;
};

}  // namespace Launcher
