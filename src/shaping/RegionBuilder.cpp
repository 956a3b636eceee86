#include "shaping/RegionBuilder.h"

namespace Shaping {

using Transparent::RegionHandle;

RegionHandle RegionBuilder::Add(Region region) {
    regions_.emplace_back(std::move(region));
    return static_cast<RegionHandle>(regions_.size());
}

Region* RegionBuilder::Find(RegionHandle handle) {
    if (handle < 1 || static_cast<std::size_t>(handle) > regions_.size()) {
        return nullptr;
    }
    auto& slot = regions_[static_cast<std::size_t>(handle) - 1];
    return slot ? &*slot : nullptr;
}

RegionHandle RegionBuilder::CreateRectRgn(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                          std::int32_t y2) {
    return Add(Region::Rect(x1, y1, x2, y2));
}

RegionHandle RegionBuilder::CreateEllipticRgn(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                              std::int32_t y2) {
    return Add(Region::Ellipse(x1, y1, x2, y2));
}

RegionHandle RegionBuilder::CreateRoundRectRgn(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                               std::int32_t y2, std::int32_t w, std::int32_t h) {
    return Add(Region::RoundRect(x1, y1, x2, y2, w, h));
}

RegionHandle RegionBuilder::CreatePolygonRgn(const std::vector<Transparent::PolygonPoint>& points,
                                             std::int32_t fillMode) {
    // Only the alternate rule is implemented; like the native call, anything else fails with
    // the null handle rather than filling by a rule the caller did not ask for.
    if (fillMode != Transparent::FillModeAlternate) {
        return 0;
    }
    std::vector<PixelPoint> pixels;
    pixels.reserve(points.size());
    for (const auto& point : points) {
        pixels.push_back(PixelPoint{point.X, point.Y});
    }
    return Add(Region::Polygon(pixels));
}

void RegionBuilder::CombineRgn(RegionHandle destination, RegionHandle source1, RegionHandle source2,
                               std::int32_t mode) {
    Region* target = Find(destination);
    const Region* first = Find(source1);
    const Region* second = Find(source2);
    if (mode != Transparent::CombineModeXor || target == nullptr || first == nullptr ||
        second == nullptr) {
        return;
    }
    Region result = *first;
    result.Xor(*second);
    *target = std::move(result);
}

void RegionBuilder::DeleteObject(RegionHandle region) {
    if (Find(region) != nullptr) {
        regions_[static_cast<std::size_t>(region) - 1].reset();
    }
}

void RegionBuilder::SetWindowRgn(RegionHandle region, bool /*redraw*/) {
    // The window takes the region over: the handle is no longer the caller's to use.
    if (Region* found = Find(region)) {
        windowRegion_ = std::move(*found);
        regions_[static_cast<std::size_t>(region) - 1].reset();
    } else {
        // A null handle removes the window's region, as on the native side.
        windowRegion_.reset();
    }
}

const Region& RegionBuilder::WindowRegion() const {
    static const Region empty;
    return windowRegion_ ? *windowRegion_ : empty;
}

std::size_t RegionBuilder::LiveRegionCount() const {
    std::size_t count = 0;
    for (const auto& slot : regions_) {
        count += slot ? 1 : 0;
    }
    return count;
}

}  // namespace Shaping
