#pragma once

// The launcher window's controls as child windows, in a table by their names on the form
// (Form1Layout::Control; the twenty slots beside it): made from the layout table in its
// stacking order, placed at the monitor's scale, and found again from a window handle; with
// the tool tips of the slots and the add button.

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "launcher/Form1Layout.h"
#include "platform/win32/WindowsApi.h"

namespace Win32Ui {

class ControlOwner;
class Scale;

class LauncherControls {
  public:
    using Control = Launcher::Form1Layout::Control;

    // Makes every control on window, from the top of the stacking order down; the pictures
    // report to owner.
    void Build(HWND window, const Scale& scale, ControlOwner& owner);
    // Every control where the layout puts it at scale; HScroll1 stays collapsed once it is.
    void Place(const Scale& scale);
    void CollapseHScroll1();

    // A control by its name on the form (slot 1 to 20 for imgApp); nullptr for no such slot.
    HWND Window(Control control, int slot = 0) const;
    // Which control a window is, and its slot (1 to 20) when it is one of imgApp.
    std::optional<Control> KindOf(HWND window) const;
    int SlotOf(HWND window) const;  // 0 for other controls

    // A slot's tool tip, its application's title, which is also its name for screen readers.
    void SetSlotToolTip(int slot, const std::u16string& text);
    // A mouse message of a picture, for the tool tips to follow the pointer.
    void RelayMouse(const MSG& message) const;

  private:
    void AddToolTip(HWND control);

    HWND window_ = nullptr;
    std::array<HWND, Launcher::Form1Layout::ControlCount> controls_{};  // imgApp's unused
    std::array<HWND, Launcher::SlotCount> imgApp_{};
    HWND toolTips_ = nullptr;
    std::array<std::wstring, Launcher::SlotCount> slotTips_{};
    bool hScrollCollapsed_ = false;
};

}  // namespace Win32Ui
