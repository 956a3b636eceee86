// The portable region against pixel sets recorded from the platform's own region calls
// (tests/shaping/reference/ makes the fixtures).

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "RegionChecks.h"
#include "shaping/Region.h"

namespace {

using Shaping::PixelPoint;
using Shaping::Region;

struct ReferenceCase {
    std::string Call;  // the header line, e.g. "ellipse 0 0 7 5"
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    std::vector<std::string> Rows;  // '#' inside, '.' outside
};

std::vector<ReferenceCase> ReadFixture(const std::string& name) {
    std::ifstream in(std::string(KIVOLA_SHAPING_FIXTURES) + "/" + name);
    std::vector<ReferenceCase> cases;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        ReferenceCase c;
        c.Call = line;
        std::string word;
        if (!std::getline(in, line)) {
            break;
        }
        std::istringstream area(line);
        area >> word >> c.Left >> c.Top >> c.Right >> c.Bottom;
        for (int y = c.Top; y < c.Bottom && std::getline(in, line); ++y) {
            c.Rows.push_back(line);
        }
        cases.push_back(std::move(c));
    }
    return cases;
}

Region RegionOf(const std::string& call) {
    std::istringstream in(call);
    std::string kind;
    in >> kind;
    std::vector<int> v;
    for (int n = 0; in >> n;) {
        v.push_back(n);
    }
    if (kind == "rect" && v.size() == 4) {
        return Region::Rect(v[0], v[1], v[2], v[3]);
    }
    if (kind == "ellipse" && v.size() == 4) {
        return Region::Ellipse(v[0], v[1], v[2], v[3]);
    }
    if (kind == "roundrect" && v.size() == 6) {
        return Region::RoundRect(v[0], v[1], v[2], v[3], v[4], v[5]);
    }
    if (kind == "polygon" && !v.empty() && v.size() == 1 + 2 * static_cast<std::size_t>(v[0])) {
        std::vector<PixelPoint> points;
        points.reserve(static_cast<std::size_t>(v[0]));
        for (int i = 0; i < v[0]; ++i) {
            points.push_back(PixelPoint{v[1 + 2 * i], v[2 + 2 * i]});
        }
        return Region::Polygon(points);
    }
    ADD_FAILURE() << "unreadable fixture case: " << call;
    return {};
}

// Checks every case of a fixture file and shows both pictures of a case that differs.
void CheckFixture(const std::string& name, std::size_t expectedCases) {
    const auto cases = ReadFixture(name);
    ASSERT_EQ(cases.size(), expectedCases) << name;
    for (const auto& c : cases) {
        const Region region = RegionOf(c.Call);
        ASSERT_EQ(c.Rows.size(), static_cast<std::size_t>(c.Bottom - c.Top)) << c.Call;
        std::string expected;
        std::string actual;
        for (int y = c.Top; y < c.Bottom; ++y) {
            const std::string& row = c.Rows[static_cast<std::size_t>(y - c.Top)];
            ASSERT_EQ(row.size(), static_cast<std::size_t>(c.Right - c.Left)) << c.Call;
            expected += row + "\n";
            for (int x = c.Left; x < c.Right; ++x) {
                actual += region.Contains(x, y) ? '#' : '.';
            }
            actual += "\n";
        }
        EXPECT_EQ(actual, expected) << c.Call;
        // Nothing of the region lies outside the recorded area, so the area check is complete.
        EXPECT_TRUE(TestShaping::RegionWithin(region, c.Left, c.Top, c.Right, c.Bottom)) << c.Call;
        TestShaping::ExpectWellFormed(region);
    }
}

TEST(RegionReference, RectanglesMatchThePlatform) {
    CheckFixture("rect.txt", 6);
}

TEST(RegionReference, EllipsesOfOddAndEvenSizesMatchThePlatform) {
    CheckFixture("ellipse.txt", 194);
}

TEST(RegionReference, RoundedRectanglesMatchThePlatform) {
    CheckFixture("roundrect.txt", 120);
}

TEST(RegionReference, AlternateFillPolygonsMatchThePlatform) {
    CheckFixture("polygon.txt", 43);
}

}  // namespace
