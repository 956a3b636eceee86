// The launcher window's pictures, the note window's delete cross, the pointer and the icon.
#pragma once

#include <QImage>
#include <QRect>

namespace Art {

// The launcher's background picture is placed 24 pixels left of the window's edge, so window
// x maps to picture x + 24. Everything below is laid out in window pixels.
inline constexpr int kPictureShiftX = 24;
inline constexpr QSize kBackgroundSize{350, 440};
inline constexpr QSize kClientSize{327, 439};

// Where the fixed controls of the launcher sit, in window pixels.
namespace Layout {
inline constexpr QRect kClose{299, 6, 18, 21};
inline constexpr QRect kAdd{293, 390, 13, 13};
inline constexpr QRect kNewNote{32, 387, 89, 17};
inline constexpr QRect kLoading{96, 184, 129, 17};
inline constexpr QRect kScrollBar{293, 64, 15, 313};
inline constexpr QRect kUsageLine{16, 416, 193, 17};
inline constexpr QRect kMakerLine{216, 416, 105, 17};
// The white work area behind the grid, the "+ New KIVOLA" link and the add glyph.
inline constexpr QRect kPanel{16, 50, 301, 361};
inline constexpr int kActionRowDivider = 382;
inline constexpr QPoint kFirstSlot{32, 64};
inline constexpr int kSlotPitch = 64;
inline constexpr int kSlotSize = 57;
}  // namespace Layout

QImage DrawWindowIcon(int size);
QImage DrawBackground();
// The close button is opaque: it carries the piece of background it sits on, so it matches
// exactly whatever way the front-end composes it.
QImage DrawCloseButton(const QImage& background);
QImage DrawAddGlyph();
QImage DrawHandCursor();
QImage DrawNoteCross();

}  // namespace Art
