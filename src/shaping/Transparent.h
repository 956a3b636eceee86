#pragma once

// Cuts a borderless form down to its controls: lines, shapes, and the bounding rectangles of
// every other control, combined by exclusive-or.

#include <cstdint>
#include <functional>
#include <vector>

namespace Platform {
class Dialogs;
}

namespace Transparent {

enum class ControlKind { Line, Shape, Other };

// A control's geometry in pixels, floating point, as the form reports it.
struct ControlGeometry {
    ControlKind Kind = ControlKind::Other;
    double Left = 0, Top = 0, Width = 0, Height = 0;  // not used for lines
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;            // lines only
    std::int32_t Shape = 0;                           // shapes only, 0..5
    std::int32_t BackStyle = 1;                       // shapes only: 0 transparent, 1 opaque
};

struct FormGeometry {
    std::int32_t BorderStyle = 0;
    std::vector<ControlGeometry> Controls;
};

// The region operations, by their Windows names, so that a native front-end can pass them on
// and tests can see every call. Handles are small integers chosen by the implementation.
using RegionHandle = std::int32_t;
struct PolygonPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};
class RegionApi {
  public:
    virtual ~RegionApi() = default;
    virtual RegionHandle CreateRectRgn(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                       std::int32_t y2) = 0;
    virtual RegionHandle CreateEllipticRgn(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                           std::int32_t y2) = 0;
    virtual RegionHandle CreateRoundRectRgn(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                            std::int32_t y2, std::int32_t w, std::int32_t h) = 0;
    virtual RegionHandle CreatePolygonRgn(const std::vector<PolygonPoint>& points,
                                          std::int32_t fillMode) = 0;
    virtual void CombineRgn(RegionHandle destination, RegionHandle source1, RegionHandle source2,
                            std::int32_t mode) = 0;
    virtual void DeleteObject(RegionHandle region) = 0;
    virtual void SetWindowRgn(RegionHandle region, bool redraw) = 0;
};

// CombineRgn's exclusive-or mode and CreatePolygonRgn's alternate fill, by their values;
// named apart from the system's own macros for them, which would replace these names.
inline constexpr std::int32_t CombineModeXor = 3;
inline constexpr std::int32_t FillModeAlternate = 1;

// A form with a border shows "Change the borderstyle to 0!" ("ACK!", critical icon) and then
// calls endProgram; no region is set.
void MakeTransparent(const FormGeometry& form, RegionApi& api, Platform::Dialogs& dialogs,
                     const std::function<void()>& endProgram);

}  // namespace Transparent
