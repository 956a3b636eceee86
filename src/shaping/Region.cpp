#include "shaping/Region.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace Shaping {

namespace {

// Curved and sloped figures are built row by row, so only rows within this distance of the
// window's corner are scanned, and ellipse boxes are clamped to it; no window comes near it.
constexpr std::int32_t kScanLimit = 1 << 16;

struct Span {
    std::int32_t Left;
    std::int32_t Right;
    friend bool operator==(const Span&, const Span&) = default;
};

struct Band {
    std::int32_t Top;
    std::int32_t Bottom;
    std::vector<Span> Spans;
};

// Appends a band, merging it into the previous one when it continues it with the same spans,
// so that equal pixel sets always end up with the same rectangles.
void AppendBand(std::vector<Band>& bands, std::int32_t top, std::int32_t bottom,
                std::vector<Span> spans) {
    if (spans.empty() || top >= bottom) {
        return;
    }
    if (!bands.empty() && bands.back().Bottom == top && bands.back().Spans == spans) {
        bands.back().Bottom = bottom;
        return;
    }
    bands.push_back(Band{top, bottom, std::move(spans)});
}

std::vector<Band> BandsOf(const std::vector<PixelRect>& rects) {
    std::vector<Band> bands;
    for (const auto& rect : rects) {
        if (bands.empty() || bands.back().Top != rect.Top) {
            bands.push_back(Band{rect.Top, rect.Bottom, {}});
        }
        bands.back().Spans.push_back(Span{rect.Left, rect.Right});
    }
    return bands;
}

std::vector<PixelRect> RectsOf(const std::vector<Band>& bands) {
    std::vector<PixelRect> rects;
    for (const auto& band : bands) {
        for (const auto& span : band.Spans) {
            rects.push_back(PixelRect{span.Left, band.Top, span.Right, band.Bottom});
        }
    }
    return rects;
}

// Spans of one row, as they come from scan conversion: sorted, possibly touching or empty.
std::vector<Span> Normalised(const std::vector<Span>& spans) {
    std::vector<Span> result;
    for (const auto& span : spans) {
        if (span.Left >= span.Right) {
            continue;
        }
        if (!result.empty() && span.Left <= result.back().Right) {
            result.back().Right = std::max(result.back().Right, span.Right);
        } else {
            result.push_back(span);
        }
    }
    return result;
}

// A set of disjoint spans changes membership at each of its edges, so the exclusive-or of two
// sets changes at every edge of either: pairing the sorted edges gives the result.
std::vector<Span> XorSpans(const std::vector<Span>& a, const std::vector<Span>& b) {
    std::vector<std::int32_t> edges;
    edges.reserve(2 * (a.size() + b.size()));
    for (const auto* spans : {&a, &b}) {
        for (const auto& span : *spans) {
            edges.push_back(span.Left);
            edges.push_back(span.Right);
        }
    }
    std::sort(edges.begin(), edges.end());
    std::vector<Span> result;
    for (std::size_t i = 0; i + 1 < edges.size(); i += 2) {
        result.push_back(Span{edges[i], edges[i + 1]});
    }
    return Normalised(result);
}

// How far each row of an ellipse filling ew by eh pixels (both at least 2) starts in from the
// left of its box, top row first. The rows come from the midpoint-error rasteriser for ellipses
// in a rectangle (A. Zingl, "A Rasterizing Algorithm for Drawing Curves"), run the way the
// platform's region code runs it: one quadrant is walked from the middle row downwards, a row
// taking the column reached when the walk steps onto it, until the walk has crossed half the
// width; the upper half mirrors the lower one.
//
// An ellipse much taller than wide crosses half its width before it has stepped onto its last
// rows. The platform's code leaves those rows undefined (they show whatever its memory held);
// here they finish the tips with the middle column(s), as the rasteriser itself does, unless
// the last row walked was already empty: the outline then stays closed.
std::vector<std::int64_t> EllipseInsets(std::int64_t ew, std::int64_t eh) {
    // Exact in 64 bits: the box is at most 2 * kScanLimit + 1 pixels, so every term stays
    // below 2^58.
    const std::int64_t a = ew - 1;  // diameters between pixel centres
    const std::int64_t b = eh - 1;
    const std::int64_t bOdd = b % 2;
    std::int64_t dx = 4 * b * b * (1 - a);  // error increments
    std::int64_t dy = 4 * a * a * (1 + bOdd);
    std::int64_t err = dx + dy + a * a * bOdd;

    std::vector<std::int64_t> insets(static_cast<std::size_t>(eh), 0);
    std::int64_t x = 0;
    std::int64_t y = eh / 2;
    while (x <= ew / 2 && y < b) {
        const std::int64_t e2 = 2 * err;
        if (e2 >= dx) {
            ++x;
            dx += 8 * b * b;
            err += dx;
        }
        if (e2 <= dy) {
            ++y;
            dy += 8 * a * a;
            err += dy;
            insets[static_cast<std::size_t>(y)] = x;
        }
    }
    const std::int64_t tip = std::max(insets[static_cast<std::size_t>(y)], (ew - 1) / 2);
    for (++y; y < eh; ++y) {
        insets[static_cast<std::size_t>(y)] = tip;
    }
    for (std::int64_t row = 0; row < eh / 2; ++row) {
        insets[static_cast<std::size_t>(row)] = insets[static_cast<std::size_t>(b - row)];
    }
    return insets;
}

// The first whole column at or right of where an edge from (x0, y0) with the slope dx / dy
// crosses the row y0 + r (0 <= r < dy): x0 + ceil(dx * r / dy), exact for every 32-bit edge.
// dx * r may not fit in 64 bits, so dx is split into a multiple of dy and a remainder.
std::int64_t FirstColumnFrom(std::int64_t x0, std::int64_t dx, std::int64_t r, std::int64_t dy) {
    const std::int64_t whole = dx / dy;  // dx = whole * dy + rest, |rest| < dy
    const std::int64_t rest = dx % dy;
    const std::uint64_t part = static_cast<std::uint64_t>(rest < 0 ? -rest : rest) *
                               static_cast<std::uint64_t>(r);  // < dy * dy <= 2^64
    const auto dyU = static_cast<std::uint64_t>(dy);
    const std::int64_t fraction = rest < 0
                                      ? -static_cast<std::int64_t>(part / dyU)
                                      : static_cast<std::int64_t>(part / dyU + (part % dyU != 0));
    return x0 + whole * r + fraction;
}

}  // namespace

Region Region::Rect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    Region region;
    const auto [left, right] = std::minmax(x1, x2);
    const auto [top, bottom] = std::minmax(y1, y2);
    if (left < right && top < bottom) {
        region.rects_.push_back(PixelRect{left, top, right, bottom});
    }
    return region;
}

Region Region::Ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    // The ellipse is the rounded rectangle whose corners take the whole box.
    const std::int64_t width = std::llabs(static_cast<std::int64_t>(x2) - x1);
    const std::int64_t height = std::llabs(static_cast<std::int64_t>(y2) - y1);
    return RoundRect(x1, y1, x2, y2,
                     static_cast<std::int32_t>(std::min<std::int64_t>(width, INT32_MAX)),
                     static_cast<std::int32_t>(std::min<std::int64_t>(height, INT32_MAX)));
}

Region Region::RoundRect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                         std::int32_t cornerWidth, std::int32_t cornerHeight) {
    // Curved figures are built row by row; keeping them within reach of any window keeps that
    // work and memory bounded whatever the caller passes.
    x1 = std::clamp(x1, -kScanLimit, kScanLimit);
    y1 = std::clamp(y1, -kScanLimit, kScanLimit);
    x2 = std::clamp(x2, -kScanLimit, kScanLimit);
    y2 = std::clamp(y2, -kScanLimit, kScanLimit);
    const std::int64_t left = std::min(x1, x2);
    const std::int64_t top = std::min(y1, y2);
    // Rounded figures leave out the last column and row of their box.
    const std::int64_t right = static_cast<std::int64_t>(std::max(x1, x2)) - 1;
    const std::int64_t bottom = static_cast<std::int64_t>(std::max(y1, y2)) - 1;
    const std::int64_t ew = std::min<std::int64_t>(right - left, std::llabs(cornerWidth));
    const std::int64_t eh = std::min<std::int64_t>(bottom - top, std::llabs(cornerHeight));
    if (ew < 2 || eh < 2) {
        // Too small to round: the shortened box itself, taken as an ordinary rectangle (an
        // empty box shortened by one is a line of pixels just before it).
        return Rect(static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                    static_cast<std::int32_t>(right), static_cast<std::int32_t>(bottom));
    }
    const std::vector<std::int64_t> insets = EllipseInsets(ew, eh);
    auto row = [&](std::int64_t inset) {
        return Normalised({Span{static_cast<std::int32_t>(left + inset),
                                static_cast<std::int32_t>(right - inset)}});
    };
    // The top rows of the corner ellipse round the top corners, its bottom rows the bottom ones;
    // its middle row stretches over the height between them.
    const std::int64_t middle = eh / 2;
    std::vector<Band> bands;
    for (std::int64_t r = 0; r < middle; ++r) {
        const auto y = static_cast<std::int32_t>(top + r);
        AppendBand(bands, y, y + 1, row(insets[static_cast<std::size_t>(r)]));
    }
    AppendBand(bands, static_cast<std::int32_t>(top + middle),
               static_cast<std::int32_t>(bottom - eh + middle + 1), row(0));
    for (std::int64_t r = middle + 1; r < eh; ++r) {
        const auto y = static_cast<std::int32_t>(bottom - eh + r);
        AppendBand(bands, y, y + 1, row(insets[static_cast<std::size_t>(r)]));
    }
    Region region;
    region.rects_ = RectsOf(bands);
    return region;
}

Region Region::Polygon(const std::vector<PixelPoint>& points) {
    Region region;
    if (points.size() < 3) {
        return region;
    }
    std::int32_t top = points.front().Y;
    std::int32_t bottom = points.front().Y;
    for (const auto& point : points) {
        top = std::min(top, point.Y);
        bottom = std::max(bottom, point.Y);
    }
    // A pixel belongs to the polygon when its top-left corner does, counting edge crossings
    // with the half-open rule (an edge holds its upper end, a span its left end). Rows beyond
    // reach of any window are not scanned (see kScanLimit).
    top = std::max(top, -kScanLimit);
    bottom = std::min(bottom, kScanLimit);
    std::vector<Band> bands;
    std::vector<std::int64_t> crossings;
    for (std::int32_t y = top; y < bottom; ++y) {
        crossings.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const PixelPoint& p = points[i];
            const PixelPoint& q = points[(i + 1) % points.size()];
            if (p.Y == q.Y) {
                continue;
            }
            const PixelPoint& upper = p.Y < q.Y ? p : q;
            const PixelPoint& lower = p.Y < q.Y ? q : p;
            if (y < upper.Y || y >= lower.Y) {
                continue;
            }
            crossings.push_back(FirstColumnFrom(upper.X,
                                                static_cast<std::int64_t>(lower.X) - upper.X,
                                                static_cast<std::int64_t>(y) - upper.Y,
                                                static_cast<std::int64_t>(lower.Y) - upper.Y));
        }
        std::sort(crossings.begin(), crossings.end());
        std::vector<Span> spans;
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            spans.push_back(Span{static_cast<std::int32_t>(crossings[i]),
                                 static_cast<std::int32_t>(crossings[i + 1])});
        }
        AppendBand(bands, y, y + 1, Normalised(spans));
    }
    region.rects_ = RectsOf(bands);
    return region;
}

void Region::Xor(const Region& other) {
    const std::vector<Band> a = BandsOf(rects_);
    const std::vector<Band> b = BandsOf(other.rects_);
    std::vector<std::int32_t> edges;
    for (const auto* bands : {&a, &b}) {
        for (const auto& band : *bands) {
            edges.push_back(band.Top);
            edges.push_back(band.Bottom);
        }
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    static const std::vector<Span> none;
    std::vector<Band> result;
    std::size_t ia = 0;
    std::size_t ib = 0;
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        const std::int32_t top = edges[i];
        const std::int32_t bottom = edges[i + 1];
        while (ia < a.size() && a[ia].Bottom <= top) {
            ++ia;
        }
        while (ib < b.size() && b[ib].Bottom <= top) {
            ++ib;
        }
        const auto& spansA = (ia < a.size() && a[ia].Top <= top) ? a[ia].Spans : none;
        const auto& spansB = (ib < b.size() && b[ib].Top <= top) ? b[ib].Spans : none;
        AppendBand(result, top, bottom, XorSpans(spansA, spansB));
    }
    rects_ = RectsOf(result);
}

bool Region::Contains(std::int32_t x, std::int32_t y) const {
    return std::any_of(rects_.begin(), rects_.end(), [&](const PixelRect& r) {
        return r.Left <= x && x < r.Right && r.Top <= y && y < r.Bottom;
    });
}

bool Region::IsEmpty() const {
    return rects_.empty();
}

std::vector<PixelRect> Region::Rectangles() const {
    return rects_;
}

}  // namespace Shaping
