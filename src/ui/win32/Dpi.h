#pragma once

// The behaviour classes measure in twips, 1440 to the inch; a window here measures in its
// monitor's pixels. The program is per-monitor dpi aware (see the manifest), so the pixels per
// inch are those of the monitor the window is on: 96 at 100 %, 144 at 150 %, ...

#include "platform/win32/WindowsApi.h"

namespace Win32Ui {

inline constexpr int StandardDpi = 96;

class Scale {
  public:
    explicit Scale(int dpi = StandardDpi) : dpi_(dpi > 0 ? dpi : StandardDpi) {}

    int Dpi() const { return dpi_; }
    double TwipsPerPixel() const { return 1440.0 / dpi_; }
    double PixelsPerTwip() const { return dpi_ / 1440.0; }
    // Whole pixels for a place or size in twips, halves to the even neighbour as everywhere in
    // the program.
    int Pixels(double twips) const;
    double Twips(double pixels) const { return pixels * TwipsPerPixel(); }
    // A length given in pixels at 96 dpi (a picture's own size) on this monitor.
    int FromStandard(int pixels) const;
    RECT Rect(double left, double top, double width, double height) const;

  private:
    int dpi_;
};

// The dpi of the monitor a window is on; the system's when the system cannot tell per window
// (before Windows 10).
int DpiOfWindow(HWND window);
// The dpi of the monitor that holds a point of the screen (where a window is about to open).
int DpiAtPoint(POINT point);

}  // namespace Win32Ui
