#include <gtest/gtest.h>

#include "support/MouseClick.h"
#include "support/MouseDrag.h"

namespace {

using Support::MouseClick;

TEST(MouseClick, ALeftPressAndReleaseOverTheControlAndNothingElse) {
    MouseClick click;
    click.ButtonDown(Support::LeftButton);
    EXPECT_TRUE(click.LeftButtonUp(true));
    EXPECT_FALSE(click.LeftButtonUp(true));  // a release without its press

    click.ButtonDown(Support::LeftButton);
    EXPECT_FALSE(click.LeftButtonUp(false));  // released beside the control
    EXPECT_FALSE(click.LeftButtonUp(true));

    click.ButtonDown(Support::RightButton);
    click.ButtonDown(Support::MiddleButton);
    EXPECT_FALSE(click.LeftButtonUp(true));

    click.ButtonDown(Support::LeftButton);
    click.Lost();  // another window took the mouse
    EXPECT_FALSE(click.LeftButtonUp(true));

    // A double click: the first press and release click, the second press does not.
    click.ButtonDown(Support::LeftButton);
    EXPECT_TRUE(click.LeftButtonUp(true));
    click.DoubleClickDown();
    EXPECT_FALSE(click.LeftButtonUp(true));
    // The next press clicks again.
    click.ButtonDown(Support::LeftButton);
    EXPECT_TRUE(click.LeftButtonUp(true));
}

}  // namespace
