#pragma once

// The one picture of the launcher's client area that every picture control shows its part
// of: composed from the layout table in stacking order from the bottom up (the background, the
// labels, the slots' icons, the add and close pictures, the loading caption, the new-note link
// and the focus mark), so the pictures' transparent parts show what lies beneath, as on a
// form. It is composed again only when something on it changed.

#include <array>
#include <string>
#include <utility>

#include "launcher/Form1Layout.h"
#include "launcher/LauncherView.h"
#include "platform/win32/WindowsApi.h"
#include "ui/win32/Bitmap.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/Fonts.h"

namespace Win32Ui {

class LauncherScene {
  public:
    LauncherScene() = default;
    ~LauncherScene();
    LauncherScene(const LauncherScene&) = delete;
    LauncherScene& operator=(const LauncherScene&) = delete;

    // The monitor's scale, with the labels' fonts for it.
    void SetScale(const Scale& scale);

    // What the controls show.
    void ShowSlotPicture(int slot, Bitmap own, bool builtIn);
    void SetDriveCaption(const std::u16string& caption) { driveCaption_ = caption; }
    void SetLoadingVisible(bool visible) { loadingVisible_ = visible; }
    bool LoadingVisible() const { return loadingVisible_; }
    void SetFocusMark(Launcher::FocusItem item, int slot);
    std::pair<Launcher::FocusItem, int> FocusMark() const { return {markItem_, markSlot_}; }

    // Something on the picture changed; true when it was up to date until now (a window marked
    // once stays invalid until its next paint, which composes everything anew).
    bool MarkChanged();
    // The picture of a client area of this size, composed again when something changed.
    HDC Composed(SIZE size);
    SIZE Size() const { return size_; }

  private:
    struct SlotPicture {
        Bitmap Own;            // a picture file of the drive
        bool BuiltIn = false;  // the launcher's own icon
    };

    void Compose(HDC dc) const;
    void DrawLabel(HDC dc, const Launcher::Form1Layout::Place& place, const std::u16string& text,
                   HFONT font, COLORREF colour, UINT format) const;

    Scale scale_;
    Font labelFont_;
    Font linkFont_;  // lblNewNote's, underlined
    std::array<SlotPicture, Launcher::SlotCount> slots_{};
    std::u16string driveCaption_{Launcher::Form1Layout::Label1Caption};
    bool loadingVisible_ = true;
    Launcher::FocusItem markItem_ = Launcher::FocusItem::None;
    int markSlot_ = 0;

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    SIZE size_{};
    bool dirty_ = true;
};

}  // namespace Win32Ui
