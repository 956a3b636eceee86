// MakeTransparent: the region calls it makes for each kind of control, and the window shape
// that results.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "RecordingRegionApi.h"
#include "RegionChecks.h"
#include "shaping/RegionBuilder.h"
#include "shaping/Transparent.h"
#include "testsupport/ScriptedDialogs.h"

namespace {

using Transparent::ControlGeometry;
using Transparent::ControlKind;
using Transparent::FormGeometry;
using Calls = std::vector<std::string>;

ControlGeometry Box(ControlKind kind, double left, double top, double width, double height) {
    ControlGeometry c;
    c.Kind = kind;
    c.Left = left;
    c.Top = top;
    c.Width = width;
    c.Height = height;
    return c;
}

ControlGeometry Shape(std::int32_t figure, std::int32_t backStyle, double left, double top,
                      double width, double height) {
    ControlGeometry c = Box(ControlKind::Shape, left, top, width, height);
    c.Shape = figure;
    c.BackStyle = backStyle;
    return c;
}

ControlGeometry Line(double x1, double y1, double x2, double y2) {
    ControlGeometry c;
    c.Kind = ControlKind::Line;
    c.X1 = x1;
    c.Y1 = y1;
    c.X2 = x2;
    c.Y2 = y2;
    return c;
}

Calls Record(const FormGeometry& form) {
    TestSupport::ScriptedDialogs dialogs;
    TestShaping::RecordingRegionApi api;
    bool ended = false;
    Transparent::MakeTransparent(form, api, dialogs, [&] { ended = true; });
    EXPECT_FALSE(ended);
    EXPECT_TRUE(dialogs.Messages.empty());
    return api.Calls;
}

// The calls one control causes, between the window region's creation and its hand-over.
Calls CallsFor(const ControlGeometry& control) {
    Calls calls = Record(FormGeometry{0, {control}});
    EXPECT_GE(calls.size(), 2u);
    if (calls.size() < 2) {
        return calls;
    }
    EXPECT_EQ(calls.front(), "Rect(0,0,0,0)");
    EXPECT_EQ(calls.back(), "SetWindowRgn(1,1)");
    return {calls.begin() + 1, calls.end() - 1};
}

Shaping::Region ShapeOf(const FormGeometry& form) {
    TestSupport::ScriptedDialogs dialogs;
    Shaping::RegionBuilder builder;
    Transparent::MakeTransparent(form, builder, dialogs, [] {});
    EXPECT_TRUE(builder.HasWindowRegion());
    EXPECT_EQ(builder.LiveRegionCount(), 0u) << "a control region was not released";
    TestShaping::ExpectWellFormed(builder.WindowRegion());
    return builder.WindowRegion();
}

// Compares every pixel of the area with the expected membership, reporting the first few
// pixels that differ.
void ExpectPixels(const Shaping::Region& region, int width, int height,
                  const std::function<bool(int, int)>& inside) {
    int wrong = 0;
    for (int y = -5; y < height; ++y) {
        for (int x = -5; x < width; ++x) {
            if (region.Contains(x, y) != inside(x, y) && ++wrong <= 5) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") should be "
                              << (inside(x, y) ? "inside" : "outside");
            }
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(TestShaping::RegionWithin(region, -5, -5, width, height));
}

bool In(int x, int y, int left, int top, int right, int bottom) {
    return left <= x && x < right && top <= y && y < bottom;
}

TEST(MakeTransparent, EachFigureMakesTheRegionsOfItsCase) {
    // Opaque: the outer figure alone, combined and released.
    EXPECT_EQ(CallsFor(Shape(0, 1, 10, 10, 50, 30)),
              (Calls{"Rect(10,10,60,40)", "Combine(1,1,2,3)", "Delete(2)"}));
    // Transparent: the outer figure, then the inner one, each combined and released.
    EXPECT_EQ(CallsFor(Shape(0, 0, 10, 10, 50, 30)),
              (Calls{"Rect(10,10,60,40)", "Combine(1,1,2,3)", "Delete(2)", "Rect(11,11,59,39)",
                     "Combine(1,1,3,3)", "Delete(3)"}));

    // Each finished coordinate is rounded once, halves to even: 2.5 + 3 = 5.5 gives 6, where
    // rounding the parts first would give 5.
    EXPECT_EQ(CallsFor(Shape(0, 0, 2.5, 1.5, 3, 4)),
              (Calls{"Rect(2,2,6,6)", "Combine(1,1,2,3)", "Delete(2)", "Rect(4,2,4,4)",
                     "Combine(1,1,3,3)", "Delete(3)"}));

    struct Figure {
        ControlGeometry Control;
        std::string Outer;
        std::string Inner;
    };
    const Figure figures[] = {
        // Square: the smaller side, centred on the longer one.
        {Shape(1, 0, 0, 0, 20, 25), "Rect(0,2,20,22)", "Rect(1,4,19,22)"},
        {Shape(1, 0, 0, 0, 40, 20), "Rect(10,0,30,20)", "Rect(11,1,29,19)"},
        // Oval: right and bottom edges half a pixel further before rounding.
        {Shape(2, 0, 0, 0, 20, 25), "Ellipse(0,0,20,26)", "Ellipse(1,1,20,24)"},
        {Shape(2, 0, 3, 3, 20, 25), "Ellipse(3,3,24,28)", "Ellipse(4,4,22,28)"},
        // Circle: dy = 2.5 rounds to 2, 20.5 to 20.
        {Shape(3, 0, 0, 0, 20, 25), "Ellipse(0,2,20,23)", "Ellipse(1,4,20,22)"},
        {Shape(3, 0, 0, 0, 25, 20), "Ellipse(2,0,23,20)", "Ellipse(4,1,22,20)"},
        // Rounded rectangle: corners of a quarter of the smaller side (2.5 -> 2, 3.5 -> 4).
        {Shape(4, 0, 0, 0, 40, 10), "RoundRect(0,0,41,11,2,2)", "RoundRect(1,1,40,10,2,2)"},
        {Shape(4, 0, 0, 0, 40, 14), "RoundRect(0,0,41,15,4,4)", "RoundRect(1,1,40,14,4,4)"},
        {Shape(4, 0, 0, 0, 10, 40), "RoundRect(0,0,11,41,2,2)", "RoundRect(1,1,10,40,2,2)"},
        // Rounded square.
        {Shape(5, 0, 0, 0, 40, 14), "RoundRect(13,0,28,15,4,4)", "RoundRect(14,1,27,14,4,4)"},
        {Shape(5, 0, 0, 0, 15, 40), "RoundRect(0,12,16,28,4,4)", "RoundRect(1,14,15,28,4,4)"},
    };
    for (const auto& f : figures) {
        const Calls transparent = CallsFor(f.Control);
        ASSERT_EQ(transparent.size(), 6u) << f.Outer;
        EXPECT_EQ(transparent[0], f.Outer);
        EXPECT_EQ(transparent[3], f.Inner);

        ControlGeometry opaque = f.Control;
        opaque.BackStyle = 1;
        EXPECT_EQ(CallsFor(opaque), (Calls{f.Outer, "Combine(1,1,2,3)", "Delete(2)"})) << f.Outer;
    }

    // A figure the form runtime does not know adds nothing.
    EXPECT_EQ(CallsFor(Shape(6, 1, 0, 0, 20, 20)), Calls{});
}

TEST(MakeTransparent, LinesWidenAcrossTheirDirectionAndAlwaysCount) {
    // Vertical: steep, widened sideways. Lines have no width, yet they are combined.
    EXPECT_EQ(CallsFor(Line(10, 10, 10, 50)),
              (Calls{"Polygon(9,10,9,50,11,50,11,10,1)", "Combine(1,1,2,3)", "Delete(2)"}));
    // Horizontal: not steep, widened up and down.
    EXPECT_EQ(CallsFor(Line(10, 10, 50, 10))[0], "Polygon(10,9,50,9,50,11,10,11,1)");
    // 45 degrees either way is not steep; a little steeper is.
    EXPECT_EQ(CallsFor(Line(0, 0, 20, 20))[0], "Polygon(0,-1,20,19,20,21,0,1,1)");
    EXPECT_EQ(CallsFor(Line(0, 20, 20, 0))[0], "Polygon(0,19,20,-1,20,1,0,21,1)");
    EXPECT_EQ(CallsFor(Line(0, 0, 20, 21))[0], "Polygon(-1,0,19,21,21,21,1,0,1)");
    EXPECT_EQ(CallsFor(Line(2, 1, 7, 20))[0], "Polygon(1,1,6,20,8,20,3,1,1)");
    // A point has no slope either and counts as steep.
    EXPECT_EQ(CallsFor(Line(5, 5, 5, 5))[0], "Polygon(4,5,4,5,6,5,6,5,1)");
    // Each point is rounded after the widening: 10.5 - 1 = 9.5 gives 10, 10.5 + 1 gives 12.
    EXPECT_EQ(CallsFor(Line(10.5, 0, 10.5, 30))[0], "Polygon(10,0,10,30,12,30,12,0,1)");

    // The pixels of a vertical line: two columns wide, bottom end open.
    ExpectPixels(ShapeOf(FormGeometry{0, {Line(10, 10, 10, 50)}}), 60, 60,
                 [](int x, int y) { return In(x, y, 9, 10, 11, 50); });
}

TEST(MakeTransparent, ControlsWithoutWidthAddNothing) {
    // The rectangle is made, but not combined, and still released.
    EXPECT_EQ(CallsFor(Box(ControlKind::Other, 5, 5, 0, 30)),
              (Calls{"Rect(5,5,5,35)", "Delete(2)"}));
    EXPECT_EQ(CallsFor(Shape(3, 1, 5, 5, 0, 30)), (Calls{"Ellipse(5,20,6,20)", "Delete(2)"}));
    // A transparent shape combines its (empty) outer figure first, then stops.
    EXPECT_EQ(
        CallsFor(Shape(0, 0, 5, 5, 0, 30)),
        (Calls{"Rect(5,5,5,35)", "Combine(1,1,2,3)", "Delete(2)", "Rect(6,6,4,34)", "Delete(3)"}));
    // Height 0 is not width 0: the control is combined (and is empty).
    EXPECT_EQ(CallsFor(Box(ControlKind::Other, 5, 5, 30, 0)),
              (Calls{"Rect(5,5,35,5)", "Combine(1,1,2,3)", "Delete(2)"}));

    const auto shape =
        ShapeOf(FormGeometry{0, {Box(ControlKind::Other, 5, 5, 0, 30), Shape(0, 0, 5, 5, 0, 30)}});
    EXPECT_TRUE(shape.IsEmpty());
}

TEST(MakeTransparent, ControlsCombineByExclusiveOr) {
    // A form without controls keeps nothing.
    EXPECT_EQ(Record(FormGeometry{}), (Calls{"Rect(0,0,0,0)", "SetWindowRgn(1,1)"}));
    EXPECT_TRUE(ShapeOf(FormGeometry{}).IsEmpty());

    // A text box at (0, 20) of 100 by 80.
    ExpectPixels(ShapeOf(FormGeometry{0, {Box(ControlKind::Other, 0, 20, 100, 80)}}), 110, 110,
                 [](int x, int y) { return In(x, y, 0, 20, 100, 100); });

    // Two overlapping controls lose their overlap; a third over both brings it back and cuts
    // the rest of itself out of them.
    const auto a = Box(ControlKind::Other, 0, 0, 40, 30);
    const auto b = Box(ControlKind::Other, 20, 10, 40, 30);
    const auto c = Box(ControlKind::Other, 10, 5, 40, 30);
    auto count = [](int x, int y, std::initializer_list<const ControlGeometry*> controls) {
        int n = 0;
        for (const auto* k : controls) {
            n += In(x, y, static_cast<int>(k->Left), static_cast<int>(k->Top),
                    static_cast<int>(k->Left + k->Width), static_cast<int>(k->Top + k->Height));
        }
        return n;
    };
    const auto two = ShapeOf(FormGeometry{0, {a, b}});
    EXPECT_FALSE(two.Contains(30, 20));
    EXPECT_TRUE(two.Contains(10, 5));
    ExpectPixels(two, 70, 50, [&](int x, int y) { return count(x, y, {&a, &b}) == 1; });
    const auto three = ShapeOf(FormGeometry{0, {a, b, c}});
    EXPECT_TRUE(three.Contains(30, 20));
    ExpectPixels(three, 70, 50, [&](int x, int y) { return count(x, y, {&a, &b, &c}) % 2 == 1; });
    // The order of the controls does not matter.
    EXPECT_EQ(ShapeOf(FormGeometry{0, {c, a, b}}), three);

    // A transparent rectangle keeps only its one-pixel outline.
    ExpectPixels(ShapeOf(FormGeometry{0, {Shape(0, 0, 10, 10, 50, 30)}}), 70, 50, [](int x, int y) {
        return In(x, y, 10, 10, 60, 40) && !In(x, y, 11, 11, 59, 39);
    });
}

TEST(MakeTransparent, NoteWindowAt96DpiKeepsStripCrossAndTextBox) {
    FormGeometry note;
    note.Controls = {
        Box(ControlKind::Other, 80.0 / 15, 360.0 / 15, 3495.0 / 15, 3100.0 / 15),  // txtNote
        Box(ControlKind::Other, 0.0 / 15, 0.0 / 15, 3375.0 / 15, 375.0 / 15),      // Image1
        Box(ControlKind::Other, 3395.0 / 15, 50.0 / 15, 210.0 / 15, 210.0 / 15),   // Image2
    };
    ExpectPixels(ShapeOf(note), 260, 260, [](int x, int y) {
        const bool strip = In(x, y, 0, 0, 225, 25);
        const bool cross = In(x, y, 226, 3, 240, 17);
        const bool text = In(x, y, 5, 24, 238, 231);
        return strip != text || cross;  // the row where strip and text box overlap is cut out
    });
}

TEST(MakeTransparent, FormWithBorderIsRefusedAndEndsTheProgram) {
    TestSupport::ScriptedDialogs dialogs;
    TestShaping::RecordingRegionApi api;
    int ended = 0;
    FormGeometry form{2, {Box(ControlKind::Other, 0, 0, 10, 10)}};
    Transparent::MakeTransparent(form, api, dialogs, [&] { ++ended; });
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Prompt, u"Change the borderstyle to 0!");
    EXPECT_EQ(dialogs.Messages[0].Title, u"ACK!");
    EXPECT_EQ(dialogs.Messages[0].Buttons, Platform::MessageButtons::Ok);
    EXPECT_EQ(dialogs.Messages[0].Icon, Platform::MessageIcon::Critical);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(api.Calls, Calls{});

    // Without a way to end the program the refusal still sets no region.
    Shaping::RegionBuilder builder;
    Transparent::MakeTransparent(FormGeometry{1, {}}, builder, dialogs, nullptr);
    EXPECT_FALSE(builder.HasWindowRegion());
    EXPECT_EQ(dialogs.Messages.size(), 2u);
}

}  // namespace
