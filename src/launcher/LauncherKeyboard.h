#pragma once

// The launcher's keyboard and wheel, which Form1's Form_KeyDown, Form_KeyPress,
// Form_MouseWheel, Form_Activate and Form_Deactivate forward to: where the keyboard focus is
// (arrows, Home and End over the filled slots by GridFocus, Tab and Shift+Tab by the layout's
// Tab order), the typed text that finds a title (TypeToFind), the wheel's fine steps, and the
// focus mark, which shows only once the keyboard was used and only while the window is
// active. What the keys do to the catalogue (paging, finding, starting) Form1 does, through
// Actions.

#include <chrono>
#include <functional>
#include <string>

#include "launcher/GridFocus.h"
#include "launcher/LauncherView.h"
#include "launcher/TypeToFind.h"

namespace Launcher {

class LauncherKeyboard {
  public:
    class Actions {
      public:
        virtual ~Actions() = default;
        virtual FilledSlots Filled() const = 0;
        // One step of VScroll1, as a click on its arrow.
        virtual void PageBy(int step) = 0;
        // What a click on the control does (slot 1 to 20 for FocusItem::Slot).
        virtual void ClickOn(FocusItem item, int slot) = 0;
        // Alt+F4: the same end as the close picture.
        virtual void CloseByKey() = 0;
        // The slot (1 to 20) of the first title that begins with typed, turning to its page;
        // 0 when none is shown.
        virtual int FindTyped(const std::u16string& typed) = 0;
        virtual void ShowFocusMark(FocusItem item, int slot) = 0;
    };

    explicit LauncherKeyboard(Actions& actions) : actions_(actions) {}

    // As Form1's handlers of the same names; true when the launcher used the key or turn.
    bool KeyDown(int KeyCode, int Shift);
    bool KeyPress(char16_t KeyAscii);
    bool MouseWheel(int Delta, double X, double Y);
    void Activate();
    void Deactivate();

    // A slot was clicked: the focus goes with the click.
    void FocusSlot(int slot);
    // After a scan: the focus stays on its slot while that is filled, else goes to the last
    // filled one (the first one when there was none).
    void SettleGridFocus(const FilledSlots& filled);
    // Draws the mark where the focus is, or takes it away, when that differs from what is shown.
    void ShowFocus();

    FocusItem Focused() const { return focusItem_; }
    int FocusedSlot() const { return focusSlot_; }  // 0 when the grid shows nothing
    // The clock that times the typed text, in milliseconds; a steady clock when not set.
    void UseClock(std::function<std::chrono::milliseconds()> clock) { clock_ = std::move(clock); }

  private:
    void MoveTab(int step);

    Actions& actions_;
    FocusItem focusItem_ = FocusItem::Slot;
    int focusSlot_ = 0;
    bool keyboardUsed_ = false;  // a mouse user never sees the mark
    bool active_ = false;
    FocusItem markItem_ = FocusItem::None;
    int markSlot_ = 0;
    int wheelRest_ = 0;  // fine steps not yet adding up to a notch
    TypeToFind typed_;
    std::function<std::chrono::milliseconds()> clock_;
};

}  // namespace Launcher
