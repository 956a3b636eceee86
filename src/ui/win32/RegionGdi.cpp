#include "ui/win32/RegionGdi.h"

#include <algorithm>

namespace Win32Ui {

static_assert(Transparent::CombineModeXor == RGN_XOR);
static_assert(Transparent::FillModeAlternate == ALTERNATE);

GdiRegionApi::~GdiRegionApi() {
    for (HRGN region : regions_) {
        if (region != nullptr) {
            ::DeleteObject(region);
        }
    }
}

Transparent::RegionHandle GdiRegionApi::Add(HRGN region) {
    if (region == nullptr) {
        return 0;  // out of GDI objects: the caller's later calls find nothing under 0
    }
    regions_.push_back(region);
    return static_cast<Transparent::RegionHandle>(regions_.size());
}

HRGN GdiRegionApi::Find(Transparent::RegionHandle handle) const {
    if (handle < 1 || static_cast<std::size_t>(handle) > regions_.size()) {
        return nullptr;
    }
    return regions_[static_cast<std::size_t>(handle) - 1];
}

Transparent::RegionHandle GdiRegionApi::CreateRectRgn(std::int32_t x1, std::int32_t y1,
                                                      std::int32_t x2, std::int32_t y2) {
    return Add(::CreateRectRgn(x1, y1, x2, y2));
}

Transparent::RegionHandle GdiRegionApi::CreateEllipticRgn(std::int32_t x1, std::int32_t y1,
                                                          std::int32_t x2, std::int32_t y2) {
    return Add(::CreateEllipticRgn(x1, y1, x2, y2));
}

Transparent::RegionHandle GdiRegionApi::CreateRoundRectRgn(std::int32_t x1, std::int32_t y1,
                                                           std::int32_t x2, std::int32_t y2,
                                                           std::int32_t w, std::int32_t h) {
    return Add(::CreateRoundRectRgn(x1, y1, x2, y2, w, h));
}

Transparent::RegionHandle GdiRegionApi::CreatePolygonRgn(
    const std::vector<Transparent::PolygonPoint>& points, std::int32_t fillMode) {
    std::vector<POINT> corners;
    corners.reserve(points.size());
    for (const Transparent::PolygonPoint& point : points) {
        corners.push_back({point.X, point.Y});
    }
    return Add(::CreatePolygonRgn(corners.data(), static_cast<int>(corners.size()), fillMode));
}

void GdiRegionApi::CombineRgn(Transparent::RegionHandle destination,
                              Transparent::RegionHandle source1, Transparent::RegionHandle source2,
                              std::int32_t mode) {
    HRGN target = Find(destination);
    HRGN first = Find(source1);
    HRGN second = Find(source2);
    if (target != nullptr && first != nullptr && second != nullptr) {
        ::CombineRgn(target, first, second, mode);
    }
}

void GdiRegionApi::DeleteObject(Transparent::RegionHandle region) {
    if (HRGN found = Find(region)) {
        ::DeleteObject(found);
        regions_[static_cast<std::size_t>(region) - 1] = nullptr;
    }
}

void GdiRegionApi::SetWindowRgn(Transparent::RegionHandle region, bool redraw) {
    HRGN found = Find(region);
    // A null handle removes the window's region.
    if (::SetWindowRgn(window_, found, redraw ? TRUE : FALSE) != 0 && found != nullptr) {
        regions_[static_cast<std::size_t>(region) - 1] = nullptr;  // the window's now
    }
}

std::size_t GdiRegionApi::LiveRegionCount() const {
    return static_cast<std::size_t>(
        std::count_if(regions_.begin(), regions_.end(), [](HRGN r) { return r != nullptr; }));
}

}  // namespace Win32Ui
