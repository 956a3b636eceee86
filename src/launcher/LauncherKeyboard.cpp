#include "launcher/LauncherKeyboard.h"

#include <algorithm>
#include <cstddef>

#include "launcher/Form1Layout.h"
#include "support/KeyCodes.h"
#include "support/MouseDrag.h"

namespace Launcher {

bool LauncherKeyboard::KeyDown(int KeyCode, int Shift) {
    if ((Shift & (Support::AltKey | Support::CtrlKey)) != 0) {
        // Alt+F4 ends the program as the close picture does; other combinations belong to the
        // system.
        if (KeyCode == Support::KeyF4 && Shift == Support::AltKey) {
            actions_.CloseByKey();
            return true;
        }
        return false;
    }
    const auto inGrid = [this](GridMove move) {
        if (focusItem_ == FocusItem::Slot) {
            focusSlot_ = MoveInGrid(actions_.Filled(), focusSlot_, move);
        }
    };
    switch (KeyCode) {
        case Support::KeyLeft:
            inGrid(GridMove::Left);
            break;
        case Support::KeyRight:
            inGrid(GridMove::Right);
            break;
        case Support::KeyUp:
            inGrid(GridMove::Up);
            break;
        case Support::KeyDown:
            inGrid(GridMove::Down);
            break;
        case Support::KeyHome:
        case Support::KeyEnd:
            focusItem_ = FocusItem::Slot;
            focusSlot_ = KeyCode == Support::KeyHome ? FirstFilledSlot(actions_.Filled())
                                                     : LastFilledSlot(actions_.Filled());
            break;
        case Support::KeyTab:
            MoveTab((Shift & Support::ShiftKey) != 0 ? -1 : 1);
            break;
        case Support::KeyPageUp:
            actions_.PageBy(-1);
            break;
        case Support::KeyPageDown:
            actions_.PageBy(1);
            break;
        case Support::KeyReturn:
            typed_.Clear();
            keyboardUsed_ = true;
            ShowFocus();
            actions_.ClickOn(focusItem_, focusSlot_);  // may end the program: nothing may follow
            return true;
        case Support::KeyEscape:
            break;
        default:
            return false;
    }
    // Every other key ends the typed text as Escape does: Space then starts what has the focus.
    typed_.Clear();
    keyboardUsed_ = true;
    ShowFocus();
    return true;
}

bool LauncherKeyboard::KeyPress(char16_t KeyAscii) {
    if (KeyAscii < u' ' || KeyAscii == 0x7F) {
        return false;
    }
    keyboardUsed_ = true;
    const auto now = clock_ ? clock_()
                            : std::chrono::duration_cast<std::chrono::milliseconds>(
                                  std::chrono::steady_clock::now().time_since_epoch());
    // Space starts what has the focus, unless it is part of a title being typed.
    if (KeyAscii == u' ' && typed_.Typed(now).empty()) {
        ShowFocus();
        actions_.ClickOn(focusItem_, focusSlot_);
        return true;
    }
    if (const int slot = actions_.FindTyped(typed_.Add(KeyAscii, now)); slot != 0) {
        focusItem_ = FocusItem::Slot;
        focusSlot_ = slot;
    }
    ShowFocus();
    return true;
}

bool LauncherKeyboard::MouseWheel(int Delta, double X, double Y) {
    const auto over = [X, Y](const Form1Layout::Place& place) {
        return X >= place.Left && X < place.Left + place.Width && Y >= place.Top &&
               Y < place.Top + place.Height;
    };
    if (!over(Form1Layout::GridArea) && !over(Form1Layout::VScroll1Place)) {
        return false;
    }
    // A turn the other way drops what the last one left short of a notch.
    if ((wheelRest_ > 0 && Delta < 0) || (wheelRest_ < 0 && Delta > 0)) {
        wheelRest_ = 0;
    }
    wheelRest_ += Delta;
    for (; wheelRest_ >= Support::WheelNotch; wheelRest_ -= Support::WheelNotch) {
        actions_.PageBy(-1);
    }
    for (; wheelRest_ <= -Support::WheelNotch; wheelRest_ += Support::WheelNotch) {
        actions_.PageBy(1);
    }
    return true;
}

void LauncherKeyboard::Activate() {
    active_ = true;
    ShowFocus();
}

void LauncherKeyboard::Deactivate() {
    active_ = false;
    wheelRest_ = 0;
    ShowFocus();
}

void LauncherKeyboard::FocusSlot(int slot) {
    focusItem_ = FocusItem::Slot;
    focusSlot_ = slot;
    ShowFocus();
}

void LauncherKeyboard::SettleGridFocus(const FilledSlots& filled) {
    if (focusSlot_ == 0) {
        focusSlot_ = FirstFilledSlot(filled);
    } else if (!filled[static_cast<std::size_t>(focusSlot_ - 1)]) {
        focusSlot_ = LastFilledSlot(filled);
    }
}

void LauncherKeyboard::ShowFocus() {
    FocusItem item = FocusItem::None;
    int slot = 0;
    if (keyboardUsed_ && active_) {
        item = focusItem_;
        if (item == FocusItem::Slot) {
            slot = focusSlot_;
            item = slot != 0 ? item : FocusItem::None;
        }
    }
    if (item != markItem_ || slot != markSlot_) {
        markItem_ = item;
        markSlot_ = slot;
        actions_.ShowFocusMark(item, slot);
    }
}

void LauncherKeyboard::MoveTab(int step) {
    const auto& order = Form1Layout::TabOrder;
    const auto at = std::find(order.begin(), order.end(), focusItem_);
    const auto count = static_cast<std::ptrdiff_t>(order.size());
    const std::ptrdiff_t index = at == order.end() ? 0 : at - order.begin();
    focusItem_ = order[static_cast<std::size_t>((index + step + count) % count)];
}

}  // namespace Launcher
