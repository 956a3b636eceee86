// Region combining, its rectangles, and the RegionBuilder's handle table.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "RegionChecks.h"
#include "shaping/Region.h"
#include "shaping/RegionBuilder.h"

namespace {

using Shaping::PixelRect;
using Shaping::Region;
using Rects = std::vector<PixelRect>;

TEST(Region, RectanglesAreNormalisedHalfOpenAndMerged) {
    EXPECT_EQ(Region::Rect(5, 6, 1, 2), Region::Rect(1, 2, 5, 6));
    const Region r = Region::Rect(1, 2, 5, 6);
    EXPECT_TRUE(r.Contains(1, 2));
    EXPECT_TRUE(r.Contains(4, 5));
    EXPECT_FALSE(r.Contains(5, 5));
    EXPECT_FALSE(r.Contains(4, 6));
    EXPECT_FALSE(r.Contains(0, 2));
    EXPECT_TRUE(Region::Rect(3, 3, 3, 9).IsEmpty());
    EXPECT_TRUE(Region::Rect(0, 0, 0, 0).IsEmpty());
    EXPECT_TRUE(Region().IsEmpty());
    EXPECT_EQ(Region().Rectangles(), Rects{});

    // Exclusive-or with itself empties, with nothing changes nothing.
    Region self = r;
    self.Xor(r);
    EXPECT_TRUE(self.IsEmpty());
    Region same = r;
    same.Xor(Region());
    EXPECT_EQ(same, r);

    // A corner cut away leaves two bands.
    Region l = Region::Rect(0, 0, 10, 10);
    l.Xor(Region::Rect(5, 5, 10, 10));
    EXPECT_EQ(l.Rectangles(), (Rects{{0, 0, 10, 5}, {0, 5, 5, 10}}));
    // A hole leaves a band with two spans.
    Region ring = Region::Rect(0, 0, 9, 9);
    ring.Xor(Region::Rect(3, 3, 6, 6));
    EXPECT_EQ(ring.Rectangles(), (Rects{{0, 0, 9, 3}, {0, 3, 3, 6}, {6, 3, 9, 6}, {0, 6, 9, 9}}));
    // Neighbours side by side or one above the other become one rectangle.
    Region side = Region::Rect(0, 0, 5, 5);
    side.Xor(Region::Rect(5, 0, 10, 5));
    EXPECT_EQ(side.Rectangles(), (Rects{{0, 0, 10, 5}}));
    Region stacked = Region::Rect(0, 0, 5, 5);
    stacked.Xor(Region::Rect(0, 5, 5, 9));
    EXPECT_EQ(stacked.Rectangles(), (Rects{{0, 0, 5, 9}}));
    // Filling the hole again gives back the plain square.
    ring.Xor(Region::Rect(3, 3, 6, 6));
    EXPECT_EQ(ring, Region::Rect(0, 0, 9, 9));
}

// Many figures of every kind combined: the region must hold exactly the pixels covered an odd
// number of times, whatever the order, in well-formed rectangles.
TEST(Region, ExclusiveOrOfManyFiguresMatchesAPixelCount) {
    constexpr int kSize = 48;
    std::mt19937 random(20240607);
    auto coordinate = [&] { return static_cast<std::int32_t>(random() % (kSize - 8)); };
    std::vector<Region> figures;
    for (int i = 0; i < 40; ++i) {
        const std::int32_t x1 = coordinate();
        const std::int32_t y1 = coordinate();
        const std::int32_t x2 = coordinate();
        const std::int32_t y2 = coordinate();
        switch (i % 4) {
            case 0:
                figures.push_back(Region::Rect(x1, y1, x2, y2));
                break;
            case 1:
                figures.push_back(Region::Ellipse(x1, y1, x2, y2));
                break;
            case 2:
                figures.push_back(
                    Region::RoundRect(x1, y1, x2, y2, coordinate() / 2, coordinate() / 2));
                break;
            default:
                figures.push_back(
                    Region::Polygon({{x1, y1}, {x2, y2}, {coordinate(), coordinate()}, {x2, y1}}));
                break;
        }
    }
    Region forward;
    for (const auto& f : figures) {
        forward.Xor(f);
    }
    Region backward;
    for (std::size_t i = figures.size(); i-- > 0;) {
        backward.Xor(figures[i]);
    }
    EXPECT_EQ(forward, backward);
    EXPECT_FALSE(forward.IsEmpty());
    TestShaping::ExpectWellFormed(forward);
    EXPECT_TRUE(TestShaping::RegionWithin(forward, -2, -2, kSize, kSize));

    int wrong = 0;
    for (int y = -2; y < kSize; ++y) {
        for (int x = -2; x < kSize; ++x) {
            int covered = 0;
            for (const auto& f : figures) {
                covered += f.Contains(x, y) ? 1 : 0;
            }
            wrong += forward.Contains(x, y) != (covered % 2 == 1) ? 1 : 0;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(Region, NarrowEllipsesAreFinishedToTheirTips) {
    // So narrow that the rasteriser crosses half the width before reaching the last rows; the
    // rows it leaves are filled to a closed, symmetric outline that widens towards the middle
    // and runs (nearly) the full height.
    for (const auto& [width, height] : {std::pair{3, 12}, {4, 20}, {5, 40}, {6, 31}}) {
        const Region e = Region::Ellipse(0, 0, width, height);
        TestShaping::ExpectWellFormed(e);
        EXPECT_TRUE(TestShaping::RegionWithin(e, 0, 0, width - 1, height - 1));
        const int rows = height - 1;
        std::vector<int> counts;
        for (int y = 0; y < rows; ++y) {
            int count = 0;
            for (int x = 0; x < width - 1; ++x) {
                count += e.Contains(x, y) ? 1 : 0;
                EXPECT_EQ(e.Contains(x, y), e.Contains(width - 2 - x, y)) << width << " " << y;
                EXPECT_EQ(e.Contains(x, y), e.Contains(x, rows - 1 - y)) << width << " " << y;
            }
            counts.push_back(count);
        }
        EXPECT_EQ(counts[static_cast<std::size_t>(rows / 2)], width - 1);
        for (int y = 1; y <= rows / 2; ++y) {
            EXPECT_GE(counts[static_cast<std::size_t>(y)], counts[static_cast<std::size_t>(y - 1)])
                << "row " << y << " of " << width << " by " << height;
        }
        EXPECT_GE(std::count_if(counts.begin(), counts.end(), [](int c) { return c > 0; }),
                  rows - 4)
            << width << " by " << height;
    }
    // Two pixels wide: nothing narrower is possible, so every row keeps both.
    EXPECT_EQ(Region::Ellipse(0, 0, 3, 12), Region::Rect(0, 0, 2, 11));
}

TEST(Region, ExtremeCoordinatesStayBounded) {
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    const Region all = Region::Rect(kMin, kMin, kMax, kMax);
    EXPECT_TRUE(all.Contains(0, 0));
    EXPECT_TRUE(all.Contains(kMax - 1, kMin));

    const Region ellipse = Region::Ellipse(kMin, kMin, kMax, kMax);
    EXPECT_TRUE(ellipse.Contains(0, 0));
    TestShaping::ExpectWellFormed(ellipse);
    const Region rounded = Region::RoundRect(kMax, kMax, kMin, kMin, kMin, kMax);
    EXPECT_TRUE(rounded.Contains(0, 0));

    // A line far longer than any window is still correct where a window can be.
    const Region line = Region::Polygon({{-1, kMin}, {-1, kMax}, {1, kMax}, {1, kMin}});
    EXPECT_TRUE(line.Contains(-1, 0));
    EXPECT_TRUE(line.Contains(0, 1000));
    EXPECT_FALSE(line.Contains(1, 0));
    EXPECT_TRUE(Region::Polygon({{0, 0}, {5, 5}}).IsEmpty());
}

TEST(RegionBuilder, HandlesFollowTheRegionsTheyName) {
    Shaping::RegionBuilder builder;
    EXPECT_FALSE(builder.HasWindowRegion());
    EXPECT_TRUE(builder.WindowRegion().IsEmpty());

    const auto window = builder.CreateRectRgn(0, 0, 0, 0);
    const auto a = builder.CreateRectRgn(0, 0, 10, 10);
    const auto b = builder.CreateEllipticRgn(0, 0, 11, 11);
    EXPECT_NE(window, 0);
    EXPECT_NE(a, b);
    builder.CombineRgn(window, window, a, Transparent::CombineModeXor);
    builder.CombineRgn(window, window, b, Transparent::CombineModeXor);
    builder.DeleteObject(a);
    builder.DeleteObject(b);
    builder.DeleteObject(b);  // twice is harmless
    // A released handle names nothing any more: combining with it changes nothing.
    builder.CombineRgn(window, window, a, Transparent::CombineModeXor);
    builder.CombineRgn(window, window, 999, Transparent::CombineModeXor);
    EXPECT_EQ(builder.LiveRegionCount(), 1u);

    Region expected = Region::Rect(0, 0, 10, 10);
    expected.Xor(Region::Ellipse(0, 0, 11, 11));
    builder.SetWindowRgn(window, true);
    ASSERT_TRUE(builder.HasWindowRegion());
    EXPECT_EQ(builder.WindowRegion(), expected);
    EXPECT_TRUE(builder.WindowRegion().Contains(0, 0));  // a corner the ellipse leaves out
    // The window owns its region now.
    EXPECT_EQ(builder.LiveRegionCount(), 0u);

    // Only the alternate rule is filled; another rule fails like the native call.
    EXPECT_EQ(builder.CreatePolygonRgn({{0, 0}, {4, 0}, {0, 4}}, 2), 0);
    const auto triangle =
        builder.CreatePolygonRgn({{0, 0}, {4, 0}, {0, 4}}, Transparent::FillModeAlternate);
    EXPECT_NE(triangle, 0);
    builder.SetWindowRgn(triangle, true);
    EXPECT_TRUE(builder.WindowRegion().Contains(1, 1));
    // No region at all gives the window back its whole area.
    builder.SetWindowRgn(0, true);
    EXPECT_FALSE(builder.HasWindowRegion());
}

}  // namespace
