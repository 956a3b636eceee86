#pragma once

// The region operations carried out by GDI itself on real region objects: what the shaping
// routine asks for reaches CreateRectRgn, CombineRgn, SetWindowRgn and the others unchanged.
// The handles it sees are small numbers standing for the HRGNs this object holds; whatever it
// leaves undeleted is deleted with this object, and the region handed to SetWindowRgn
// belongs to the window from then on.

#include <vector>

#include "platform/win32/WindowsApi.h"
#include "shaping/Transparent.h"

namespace Win32Ui {

class GdiRegionApi : public Transparent::RegionApi {
  public:
    explicit GdiRegionApi(HWND window) : window_(window) {}
    ~GdiRegionApi() override;
    GdiRegionApi(const GdiRegionApi&) = delete;
    GdiRegionApi& operator=(const GdiRegionApi&) = delete;

    void SetWindow(HWND window) { window_ = window; }

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

    // Regions created and not yet deleted or handed to the window.
    std::size_t LiveRegionCount() const;

  private:
    Transparent::RegionHandle Add(HRGN region);
    HRGN Find(Transparent::RegionHandle handle) const;

    HWND window_;
    // Index = handle - 1; a deleted or handed-over slot is null so that a stale handle finds
    // nothing.
    std::vector<HRGN> regions_;
};

}  // namespace Win32Ui
