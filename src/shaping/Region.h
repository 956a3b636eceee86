#pragma once

// A set of pixels built with the pixel rules of Windows GDI regions, so that a window cut to
// it looks the same on every platform. Coordinates are whole pixels; a rectangle (l, t, r, b)
// covers l <= x < r, t <= y < b. Ellipses, rounded rectangles and polygons are worked out
// only within 65536 pixels of the origin, far beyond any window.

#include <cstdint>
#include <vector>

namespace Shaping {

struct PixelRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

class Region {
  public:
    Region() = default;  // empty

    static Region Rect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    static Region Ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    static Region RoundRect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                            std::int32_t cornerWidth, std::int32_t cornerHeight);
    // Alternate (even-odd) fill.
    static Region Polygon(const std::vector<PixelPoint>& points);

    // this := this exclusive-or other.
    void Xor(const Region& other);

    bool Contains(std::int32_t x, std::int32_t y) const;
    bool IsEmpty() const;
    // Disjoint rectangles covering exactly the region, in bands from top to bottom.
    std::vector<PixelRect> Rectangles() const;

    // The rectangles are kept in one canonical form (bands merged downwards, spans merged
    // sideways), so equal pixel sets compare equal.
    friend bool operator==(const Region&, const Region&) = default;

  private:
    std::vector<PixelRect> rects_;
};

}  // namespace Shaping
