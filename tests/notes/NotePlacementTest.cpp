// Where note windows open: columns down the left half of the work area, then layers shifted.

#include <gtest/gtest.h>

#include "notes/NotePlacement.h"

namespace {

TEST(NotePlacement, FillsColumnsDownTheLeftHalfThenShiftsALayer) {
    const Notes::ScreenArea area{0, 40, 1920, 1040};  // a task bar above
    // 1016 pixels below the margin hold 4 notes of 252; 936 pixels of the left half 3 columns.
    const auto at = [&](int n) { return Notes::DefaultNotePlace(n, area, 242, 240); };
    EXPECT_EQ(at(0).X, 24);
    EXPECT_EQ(at(0).Y, 64);
    EXPECT_EQ(at(1).X, 24);
    EXPECT_EQ(at(1).Y, 64 + 252);
    EXPECT_EQ(at(4).X, 24 + 254);  // the second column
    EXPECT_EQ(at(4).Y, 64);
    for (int n = 0; n < 12; ++n) {
        // Never over the centred launcher: the whole note stays in the left half.
        EXPECT_LE(at(n).X + 242, 960) << n;
        EXPECT_LE(at(n).Y + 240, area.Top + area.Height) << n;
    }
    // The 13th note begins a layer shifted down and right, not on top of the first.
    EXPECT_EQ(at(12).X, at(0).X + 26);
    EXPECT_EQ(at(12).Y, at(0).Y + 26);
    // The shift repeats after eight layers, so notes stay on the screen however many open.
    EXPECT_EQ(at(12 * 8).X, at(0).X);
}

TEST(NotePlacement, AScreenSmallerThanANoteStillGivesOnePlace) {
    const Notes::ScreenArea tiny{100, 100, 200, 150};
    const auto first = Notes::DefaultNotePlace(0, tiny, 242, 240);
    const auto second = Notes::DefaultNotePlace(1, tiny, 242, 240);
    EXPECT_EQ(first.X, 124);
    EXPECT_EQ(first.Y, 124);
    EXPECT_EQ(second.X, first.X + 26);  // each its own layer
    EXPECT_EQ(Notes::DefaultNotePlace(-3, tiny, 242, 240).X, first.X);
}

}  // namespace
