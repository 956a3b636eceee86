#include "shaping/Transparent.h"

#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "platform/Dialogs.h"
#include "support/RoundHalfEven.h"

namespace Transparent {

namespace {

// Every coordinate is worked out in floating point and rounded once, halves to even, as the
// form runtime converts to a long. A value that does not fit has no long, and the region it
// belongs to is not made.
std::optional<std::int32_t> ToLong(double value) {
    const double rounded = Support::RoundHalfEven(value);
    if (!std::isfinite(rounded) ||
        rounded < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

enum class Figure { Rect, Ellipse, RoundRect };

struct FigureCall {
    Figure Kind;
    double X1, Y1, X2, Y2;
    double Corner = 0;  // RoundRect: corner ellipse width and height
};

// Region handle 0 stands for "not made".
RegionHandle Make(RegionApi& api, const FigureCall& call) {
    const auto x1 = ToLong(call.X1);
    const auto y1 = ToLong(call.Y1);
    const auto x2 = ToLong(call.X2);
    const auto y2 = ToLong(call.Y2);
    if (!x1 || !y1 || !x2 || !y2) {
        return 0;
    }
    switch (call.Kind) {
        case Figure::Rect:
            return api.CreateRectRgn(*x1, *y1, *x2, *y2);
        case Figure::Ellipse:
            return api.CreateEllipticRgn(*x1, *y1, *x2, *y2);
        case Figure::RoundRect: {
            const auto corner = ToLong(call.Corner);
            if (!corner) {
                return 0;
            }
            return api.CreateRoundRectRgn(*x1, *y1, *x2, *y2, *corner, *corner);
        }
    }
    return 0;
}

// Outer and inner figure of a shape control; squares and circles sit centred on the longer side.
struct ShapeFigures {
    FigureCall Outer;
    FigureCall Inner;
};

std::optional<ShapeFigures> FiguresOf(const ControlGeometry& c) {
    const double L = c.Left;
    const double T = c.Top;
    const double W = c.Width;
    const double H = c.Height;
    const double dx = (W - H) / 2;
    const double dy = (H - W) / 2;
    using enum Figure;
    switch (c.Shape) {
        case 0:
            return ShapeFigures{{Rect, L, T, L + W, T + H},
                                {Rect, L + 1, T + 1, L + W - 1, T + H - 1}};
        case 1:
            if (W < H) {
                return ShapeFigures{{Rect, L, T + dy, L + W, T + dy + W},
                                    {Rect, L + 1, T + dy + 1, L + W - 1, T + dy + W - 1}};
            }
            return ShapeFigures{{Rect, L + dx, T, L + dx + H, T + H},
                                {Rect, L + dx + 1, T + 1, L + dx + H - 1, T + H - 1}};
        case 2:
            return ShapeFigures{{Ellipse, L, T, L + W + 0.5, T + H + 0.5},
                                {Ellipse, L + 1, T + 1, L + W - 0.5, T + H - 0.5}};
        case 3:
            if (W < H) {
                return ShapeFigures{{Ellipse, L, T + dy, L + W + 0.5, T + dy + W + 0.5},
                                    {Ellipse, L + 1, T + dy + 1, L + W - 0.5, T + dy + W - 0.5}};
            }
            return ShapeFigures{{Ellipse, L + dx, T, L + dx + H + 0.5, T + H + 0.5},
                                {Ellipse, L + dx + 1, T + 1, L + dx + H - 0.5, T + H - 0.5}};
        case 4:
            if (W > H) {
                return ShapeFigures{{RoundRect, L, T, L + W + 1, T + H + 1, H / 4},
                                    {RoundRect, L + 1, T + 1, L + W, T + H, H / 4}};
            }
            return ShapeFigures{{RoundRect, L, T, L + W + 1, T + H + 1, W / 4},
                                {RoundRect, L + 1, T + 1, L + W, T + H, W / 4}};
        case 5:
            if (W > H) {
                return ShapeFigures{{RoundRect, L + dx, T, L + dx + H + 1, T + H + 1, H / 4},
                                    {RoundRect, L + dx + 1, T + 1, L + dx + H, T + H, H / 4}};
            }
            return ShapeFigures{{RoundRect, L, T + dy, L + W + 1, T + dy + W + 1, W / 4},
                                {RoundRect, L + 1, T + dy + 1, L + W, T + dy + W, W / 4}};
        default:
            // The form runtime knows no other figure; such a control adds nothing.
            return std::nullopt;
    }
}

RegionHandle MakeLine(RegionApi& api, const ControlGeometry& c) {
    // A vertical line has no slope and counts as steep; 45 degrees exactly is not steep.
    const bool steep = c.X1 == c.X2 || std::abs((c.Y1 - c.Y2) / (c.X1 - c.X2)) > 1;
    // Steep lines widen sideways, the others up and down, by one pixel each way.
    const double sx = steep ? 1 : 0;
    const double sy = steep ? 0 : 1;
    const std::pair<double, double> points[4] = {{c.X1 - sx, c.Y1 - sy},
                                                 {c.X2 - sx, c.Y2 - sy},
                                                 {c.X2 + sx, c.Y2 + sy},
                                                 {c.X1 + sx, c.Y1 + sy}};
    std::vector<PolygonPoint> polygon;
    for (const auto& [px, py] : points) {
        const auto x = ToLong(px);
        const auto y = ToLong(py);
        if (!x || !y) {
            return 0;
        }
        polygon.push_back(PolygonPoint{*x, *y});
    }
    return api.CreatePolygonRgn(polygon, FillModeAlternate);
}

// The window region is both destination and first source; the control's region has done its
// work once combined and is released.
void CombineAndRelease(RegionApi& api, RegionHandle window, RegionHandle control, bool combine) {
    if (control == 0) {
        return;
    }
    if (combine) {
        api.CombineRgn(window, window, control, CombineModeXor);
    }
    api.DeleteObject(control);
}

}  // namespace

void MakeTransparent(const FormGeometry& form, RegionApi& api, Platform::Dialogs& dialogs,
                     const std::function<void()>& endProgram) {
    if (form.BorderStyle != 0) {
        Platform::MessageBoxRequest message;
        message.Prompt = u"Change the borderstyle to 0!";
        message.Title = u"ACK!";
        message.Buttons = Platform::MessageButtons::Ok;
        message.Icon = Platform::MessageIcon::Critical;
        dialogs.ShowMessage(message);
        if (endProgram) {
            endProgram();
        }
        return;
    }

    const RegionHandle window = api.CreateRectRgn(0, 0, 0, 0);
    for (const ControlGeometry& control : form.Controls) {
        RegionHandle piece = 0;
        switch (control.Kind) {
            case ControlKind::Line:
                // A line has no width of its own but always adds its outline.
                CombineAndRelease(api, window, MakeLine(api, control), true);
                continue;
            case ControlKind::Shape: {
                const auto figures = FiguresOf(control);
                if (!figures) {
                    continue;
                }
                piece = Make(api, figures->Outer);
                if (control.BackStyle == 0) {
                    // Outer then inner, both by exclusive-or, leaves the outline.
                    CombineAndRelease(api, window, piece, true);
                    piece = Make(api, figures->Inner);
                }
                break;
            }
            case ControlKind::Other:
                piece = Make(
                    api, FigureCall{Figure::Rect, control.Left, control.Top,
                                    control.Left + control.Width, control.Top + control.Height});
                break;
        }
        CombineAndRelease(api, window, piece, control.Width != 0);
    }
    api.SetWindowRgn(window, true);
}

}  // namespace Transparent
