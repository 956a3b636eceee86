#pragma once

// A RegionApi that writes down every call with its exact integer arguments, for checking what
// MakeTransparent asks of the platform. Handles are numbered from 1 in order of creation.

#include <string>
#include <vector>

#include "shaping/Transparent.h"

namespace TestShaping {

class RecordingRegionApi : public Transparent::RegionApi {
  public:
    std::vector<std::string> Calls;

    Transparent::RegionHandle CreateRectRgn(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                            std::int32_t y2) override {
        return Create("Rect", {x1, y1, x2, y2});
    }
    Transparent::RegionHandle CreateEllipticRgn(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                                std::int32_t y2) override {
        return Create("Ellipse", {x1, y1, x2, y2});
    }
    Transparent::RegionHandle CreateRoundRectRgn(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                                 std::int32_t y2, std::int32_t w,
                                                 std::int32_t h) override {
        return Create("RoundRect", {x1, y1, x2, y2, w, h});
    }
    Transparent::RegionHandle CreatePolygonRgn(const std::vector<Transparent::PolygonPoint>& points,
                                               std::int32_t fillMode) override {
        std::vector<std::int32_t> args;
        for (const auto& p : points) {
            args.push_back(p.X);
            args.push_back(p.Y);
        }
        args.push_back(fillMode);
        return Create("Polygon", args);
    }
    void CombineRgn(Transparent::RegionHandle destination, Transparent::RegionHandle source1,
                    Transparent::RegionHandle source2, std::int32_t mode) override {
        Log("Combine", {destination, source1, source2, mode});
    }
    void DeleteObject(Transparent::RegionHandle region) override { Log("Delete", {region}); }
    void SetWindowRgn(Transparent::RegionHandle region, bool redraw) override {
        Log("SetWindowRgn", {region, redraw ? 1 : 0});
    }

  private:
    Transparent::RegionHandle Create(const std::string& name,
                                     const std::vector<std::int32_t>& args) {
        Log(name, args);
        return ++lastHandle_;
    }
    void Log(const std::string& name, const std::vector<std::int32_t>& args) {
        std::string call = name + "(";
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (i != 0) {
                call += ',';
            }
            call += std::to_string(args[i]);
        }
        call += ")";
        Calls.push_back(call);
    }
    Transparent::RegionHandle lastHandle_ = 0;
};

}  // namespace TestShaping
