#pragma once

// The launcher window's controls as data every front-end builds the window from: places and
// sizes in twips, captions, tool tips and accessible names, colours, and the stacking order.
// A front-end turns these into its toolkit's controls; it decides none of them itself.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "launcher/LauncherView.h"

namespace Launcher::Form1Layout {

struct Place {
    double Left, Top, Width, Height;  // twips
};

// An RGB colour, or one of the system's colours by its role.
enum class ColourKind { Rgb, SystemWindow, SystemActiveCaption };
struct Colour {
    ColourKind Kind = ColourKind::Rgb;
    std::uint8_t Red = 0, Green = 0, Blue = 0;
};
inline constexpr Colour White{ColourKind::Rgb, 255, 255, 255};
inline constexpr Colour Black{ColourKind::Rgb, 0, 0, 0};
inline constexpr Colour Silver{ColourKind::Rgb, 192, 192, 192};
inline constexpr Colour WindowColour{ColourKind::SystemWindow};
inline constexpr Colour ActiveCaptionColour{ColourKind::SystemActiveCaption};

// The window: no border or title bar; its caption is not drawn but names it.
inline constexpr std::u16string_view Caption = u"KIVOLA";
inline constexpr double ClientWidth = 4905;
inline constexpr double ClientHeight = 6585;

// The labels' font, all but lblNewNote's regular; lblNewNote's is underlined.
inline constexpr std::u16string_view LabelFontFace = u"MS Sans Serif";
inline constexpr double LabelFontPoints = 8.25;

// Controls by name, with what each shows.
inline constexpr Place Image2Place{-360, 0, 5250, 6600};  // background picture, the drag handle
inline constexpr Place Label2Place{3240, 6240, 1575, 255};
inline constexpr std::u16string_view Label2Caption = u"KIVOLA portable";
inline constexpr Colour Label2Text = Silver;  // on the picture: no background of its own
inline constexpr Place Label1Place{240, 6240, 2895, 255};
inline constexpr std::u16string_view Label1Caption = u"Using XX MB of 1001 MB (22%)";
inline constexpr Colour Label1Text = White;                // on the picture
inline constexpr Place imgAddPlace{4405, 5850, 200, 200};  // the 9 x 9 picture stretched to it
inline constexpr std::u16string_view imgAddToolTip = u"Add a new application";
inline constexpr Place Image1Place{4490, 100, 270, 315};  // the close picture, 18 x 21
inline constexpr std::u16string_view Image1AccessibleName = u"Close KIVOLA";
inline constexpr Place lblLoadingPlace{1440, 2760, 1935, 255};  // centred text
inline constexpr std::u16string_view lblLoadingCaption = u"Please wait, loading...";
inline constexpr Colour lblLoadingText = Black;
inline constexpr Colour lblLoadingBack = White;
inline constexpr Place lblNewNotePlace{480, 5805, 1335, 255};
inline constexpr std::u16string_view lblNewNoteCaption = u"+ New KIVOLA";
inline constexpr std::u16string_view lblNewNoteAccessibleName = u"Open a new note";
inline constexpr Colour lblNewNoteText = ActiveCaptionColour;
inline constexpr Colour lblNewNoteBack = WindowColour;
inline constexpr Place VScroll1Place{4400, 960, 225, 4695};  // from the first row to the last
inline constexpr std::u16string_view VScroll1AccessibleName = u"Page of applications";
inline constexpr Place HScroll1Place{3600, 240, 615, 255};  // collapsed by Form_Load

// The icon grid: four columns by five rows, numbered row by row.
inline constexpr int GridColumns = 4;
inline constexpr double GridLeft = 480;
inline constexpr double GridTop = 960;
inline constexpr double SlotPitch = 960;
inline constexpr double SlotSize = 855;
// The size in pixels (at 96 dpi) a program's own icon is drawn at in a slot: the largest of the
// sizes programs carry as a rule that fits the slot's 57.
inline constexpr int ProgramIconPixels = 48;
constexpr Place SlotPlace(int slot) {
    const int column = (slot - 1) % GridColumns;
    const int row = (slot - 1) / GridColumns;
    return {GridLeft + SlotPitch * column, GridTop + SlotPitch * row, SlotSize, SlotSize};
}

// The whole grid, from the first slot's top-left corner to the last one's bottom-right.
inline constexpr int GridRows = SlotCount / GridColumns;
inline constexpr double GridWidth = SlotPitch * (GridColumns - 1) + SlotSize;
inline constexpr double GridHeight = SlotPitch * (GridRows - 1) + SlotSize;
inline constexpr Place GridArea{GridLeft, GridTop, GridWidth, GridHeight};

// The order in which Tab moves the keyboard focus (Shift+Tab the other way round): the grid,
// the two controls below it, the close picture. VScroll1 is no tab stop.
inline constexpr std::array<FocusItem, 4> TabOrder = {FocusItem::Slot, FocusItem::lblNewNote,
                                                      FocusItem::imgAdd, FocusItem::Image1};

// The controls by their names on the form.
enum class Control {
    Image2,
    Label2,
    Label1,
    imgApp,  // all slots, 20 down to 1
    imgAdd,
    Image1,
    lblLoading,
    lblNewNote,
    VScroll1,
    HScroll1,
};

inline constexpr std::size_t ControlCount = 10;

// From the bottom of the stacking order to the top: each lies above those before it.
inline constexpr std::array<Control, ControlCount> StackingBottomUp = {
    Control::Image2, Control::Label2,     Control::Label1,     Control::imgApp,   Control::imgAdd,
    Control::Image1, Control::lblLoading, Control::lblNewNote, Control::VScroll1, Control::HScroll1,
};

// The control a focus item stands for, and where it lies (slot 1 to 20 for FocusItem::Slot).
constexpr Control ControlOf(FocusItem item) {
    switch (item) {
        case FocusItem::lblNewNote:
            return Control::lblNewNote;
        case FocusItem::imgAdd:
            return Control::imgAdd;
        case FocusItem::Image1:
            return Control::Image1;
        case FocusItem::Slot:
        case FocusItem::None:
            break;
    }
    return Control::imgApp;
}
constexpr Place PlaceOf(FocusItem item, int slot) {
    switch (item) {
        case FocusItem::lblNewNote:
            return lblNewNotePlace;
        case FocusItem::imgAdd:
            return imgAddPlace;
        case FocusItem::Image1:
            return Image1Place;
        case FocusItem::Slot:
        case FocusItem::None:
            break;
    }
    return SlotPlace(slot);
}

// Where a control lies (slot 1 to 20 for imgApp).
constexpr Place PlaceOf(Control control, int slot = 0) {
    switch (control) {
        case Control::Image2:
            return Image2Place;
        case Control::Label2:
            return Label2Place;
        case Control::Label1:
            return Label1Place;
        case Control::imgApp:
            break;
        case Control::imgAdd:
            return imgAddPlace;
        case Control::Image1:
            return Image1Place;
        case Control::lblLoading:
            return lblLoadingPlace;
        case Control::lblNewNote:
            return lblNewNotePlace;
        case Control::VScroll1:
            return VScroll1Place;
        case Control::HScroll1:
            return HScroll1Place;
    }
    return SlotPlace(slot);
}

// What screen readers call a control when it is made: its caption, tool tip or accessible
// name; nothing for the background, HScroll1 and the slots (named by their titles later).
constexpr std::u16string_view NameOf(Control control) {
    switch (control) {
        case Control::Label2:
            return Label2Caption;
        case Control::Label1:
            return Label1Caption;
        case Control::imgAdd:
            return imgAddToolTip;
        case Control::Image1:
            return Image1AccessibleName;
        case Control::lblLoading:
            return lblLoadingCaption;
        case Control::lblNewNote:
            return lblNewNoteAccessibleName;
        case Control::VScroll1:
            return VScroll1AccessibleName;
        case Control::Image2:
        case Control::imgApp:
        case Control::HScroll1:
            break;
    }
    return {};
}

// The pictures and label that take the hand pointer.
constexpr bool HasHandPointer(Control control) {
    return control == Control::imgApp || control == Control::imgAdd || control == Control::Image1 ||
           control == Control::lblNewNote;
}

}  // namespace Launcher::Form1Layout
