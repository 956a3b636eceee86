#pragma once

// The region operations carried out on Shaping::Region, for front-ends that cut a window with a
// pixel mask rather than with native region objects. Handles index a table of regions owned by
// the builder; the region handed to SetWindowRgn is kept for the front-end to read.

#include <optional>
#include <vector>

#include "shaping/Region.h"
#include "shaping/Transparent.h"

namespace Shaping {

class RegionBuilder : public Transparent::RegionApi {
  public:
    Transparent::RegionHandle CreateRectRgn(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                            std::int32_t y2) override;
    Transparent::RegionHandle CreateEllipticRgn(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                                std::int32_t y2) override;
    Transparent::RegionHandle CreateRoundRectRgn(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                                 std::int32_t y2, std::int32_t w,
                                                 std::int32_t h) override;
    Transparent::RegionHandle CreatePolygonRgn(const std::vector<Transparent::PolygonPoint>& points,
                                               std::int32_t fillMode) override;
    void CombineRgn(Transparent::RegionHandle destination, Transparent::RegionHandle source1,
                    Transparent::RegionHandle source2, std::int32_t mode) override;
    void DeleteObject(Transparent::RegionHandle region) override;
    void SetWindowRgn(Transparent::RegionHandle region, bool redraw) override;

    bool HasWindowRegion() const { return windowRegion_.has_value(); }
    // The region last handed to SetWindowRgn; empty when there was none.
    const Region& WindowRegion() const;
    // Regions created and not yet deleted or handed to the window.
    std::size_t LiveRegionCount() const;

  private:
    Transparent::RegionHandle Add(Region region);
    Region* Find(Transparent::RegionHandle handle);

    // Index = handle - 1; a deleted slot is empty so that a stale handle finds nothing.
    std::vector<std::optional<Region>> regions_;
    std::optional<Region> windowRegion_;
};

}  // namespace Shaping
