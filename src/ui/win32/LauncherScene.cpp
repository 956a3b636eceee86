#include "ui/win32/LauncherScene.h"

#include <algorithm>
#include <utility>

#include "platform/win32/WideText.h"
#include "ui/win32/Artwork.h"

namespace Win32Ui {

namespace {

namespace Layout = Launcher::Form1Layout;
using Layout::Control;
using Platform::Win32::Wide;

COLORREF ColourOf(const Layout::Colour& colour) {
    switch (colour.Kind) {
        case Layout::ColourKind::SystemWindow:
            return GetSysColor(COLOR_WINDOW);
        case Layout::ColourKind::SystemActiveCaption:
            return GetSysColor(COLOR_ACTIVECAPTION);
        case Layout::ColourKind::Rgb:
            break;
    }
    return RGB(colour.Red, colour.Green, colour.Blue);
}

RECT RectOf(const Scale& scale, const Layout::Place& place) {
    return scale.Rect(place.Left, place.Top, place.Width, place.Height);
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    const COLORREF old = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

// A picture control that does not stretch: the picture at its own size (scaled with the
// monitor) from the control's top-left corner, cut at the control's edges.
void DrawPicture(HDC dc, const Bitmap& picture, const RECT& place, const Scale& scale) {
    if (!picture) {
        return;
    }
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, place.left, place.top, place.right, place.bottom);
    DrawBitmap(dc, picture, place.left, place.top, scale.FromStandard(picture.Width()),
               scale.FromStandard(picture.Height()));
    RestoreDC(dc, saved);
}

}  // namespace

LauncherScene::~LauncherScene() {
    if (dc_ != nullptr) {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    if (bitmap_ != nullptr) {
        DeleteObject(bitmap_);
    }
}

void LauncherScene::SetScale(const Scale& scale) {
    scale_ = scale;
    labelFont_ = Font(Layout::LabelFontFace, Layout::LabelFontPoints, scale_.Dpi());
    linkFont_ = Font(Layout::LabelFontFace, Layout::LabelFontPoints, scale_.Dpi(), true);
}

void LauncherScene::ShowSlotPicture(int slot, Bitmap own, bool builtIn) {
    SlotPicture& shown = slots_.at(static_cast<std::size_t>(slot - 1));
    shown.Own = std::move(own);
    shown.BuiltIn = builtIn;
}

void LauncherScene::SetFocusMark(Launcher::FocusItem item, int slot) {
    markItem_ = item;
    markSlot_ = slot;
}

bool LauncherScene::MarkChanged() {
    const bool wasUpToDate = !dirty_;
    dirty_ = true;
    return wasUpToDate;
}

HDC LauncherScene::Composed(SIZE size) {
    if (dc_ == nullptr || size.cx != size_.cx || size.cy != size_.cy) {
        if (dc_ == nullptr) {
            dc_ = CreateCompatibleDC(nullptr);
        } else {
            SelectObject(dc_, old_);
        }
        if (bitmap_ != nullptr) {
            DeleteObject(bitmap_);
        }
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof(format.bmiHeader);
        format.bmiHeader.biWidth = std::max<LONG>(size.cx, 1);
        format.bmiHeader.biHeight = -std::max<LONG>(size.cy, 1);
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        size_ = size;
        dirty_ = true;
    }
    if (dirty_) {
        Compose(dc_);
        dirty_ = false;
    }
    return dc_;
}

void LauncherScene::Compose(HDC dc) const {
    Fill(dc, {0, 0, size_.cx, size_.cy}, GetSysColor(COLOR_WINDOW));
    for (const Control kind : Layout::StackingBottomUp) {
        switch (kind) {
            case Control::Image2:
                DrawPicture(dc, Artwork::Background(), RectOf(scale_, Layout::Image2Place), scale_);
                break;
            case Control::Label2:
                DrawLabel(dc, Layout::Label2Place, std::u16string(Layout::Label2Caption),
                          labelFont_.Handle(), ColourOf(Layout::Label2Text), DT_LEFT);
                break;
            case Control::Label1:
                DrawLabel(dc, Layout::Label1Place, driveCaption_, labelFont_.Handle(),
                          ColourOf(Layout::Label1Text), DT_LEFT);
                break;
            case Control::imgApp:
                for (int slot = Launcher::SlotCount; slot >= 1; --slot) {
                    const SlotPicture& shown = slots_[static_cast<std::size_t>(slot - 1)];
                    DrawPicture(dc, shown.BuiltIn ? Artwork::DefaultIcon() : shown.Own,
                                RectOf(scale_, Layout::SlotPlace(slot)), scale_);
                }
                break;
            case Control::imgAdd: {
                const RECT place = RectOf(scale_, Layout::imgAddPlace);
                DrawBitmap(dc, Artwork::AddGlyph(), place.left, place.top, place.right - place.left,
                           place.bottom - place.top);
                break;
            }
            case Control::Image1:
                DrawPicture(dc, Artwork::CloseButton(), RectOf(scale_, Layout::Image1Place),
                            scale_);
                break;
            case Control::lblLoading:
                if (loadingVisible_) {
                    Fill(dc, RectOf(scale_, Layout::lblLoadingPlace),
                         ColourOf(Layout::lblLoadingBack));
                    DrawLabel(dc, Layout::lblLoadingPlace,
                              std::u16string(Layout::lblLoadingCaption), labelFont_.Handle(),
                              ColourOf(Layout::lblLoadingText), DT_CENTER);
                }
                break;
            case Control::lblNewNote:
                Fill(dc, RectOf(scale_, Layout::lblNewNotePlace), ColourOf(Layout::lblNewNoteBack));
                DrawLabel(dc, Layout::lblNewNotePlace, std::u16string(Layout::lblNewNoteCaption),
                          linkFont_.Handle(), ColourOf(Layout::lblNewNoteText), DT_LEFT);
                break;
            case Control::VScroll1:
            case Control::HScroll1:
                break;  // real controls, which draw themselves
        }
    }
    if (markItem_ != Launcher::FocusItem::None) {
        const RECT mark = RectOf(scale_, Layout::PlaceOf(markItem_, markSlot_));
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &mark);
    }
}

void LauncherScene::DrawLabel(HDC dc, const Layout::Place& place, const std::u16string& text,
                              HFONT font, COLORREF colour, UINT format) const {
    RECT rect = RectOf(scale_, place);
    const std::wstring wide = Wide(text);
    const HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect,
              format | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
}

}  // namespace Win32Ui
