#include <gtest/gtest.h>

#include "app/center_dialog.h"

namespace {

// A 400 x 300 dialog over an owner whose client area is (100, 100)-(900, 700)
// on a 1280 x 1024 screen, with 18-pixel caption buttons.
CenterDialogInput Dialog() {
    CenterDialogInput in;
    in.parentLeft = 100;
    in.parentTop = 100;
    in.parentRight = 900;
    in.parentBottom = 700;
    in.width = 400;
    in.height = 300;
    in.captionButtonWidth = 18;
    in.hasSystemMenu = true;
    in.screenWidth = 1280;
    in.screenHeight = 1024;
    return in;
}

TEST(CenterDialogPosition, ShiftsLeftOfCentreByTheCaptionButton) {
    CenterDialogInput in = Dialog();
    DialogPosition p = CenterDialogPosition(in);
    EXPECT_EQ(p.x, 300 - 18);
    EXPECT_EQ(p.y, 100 + 300 / 3);  // a third of the free height above
    in.hasSystemMenu = false;
    EXPECT_EQ(CenterDialogPosition(in).x, 300 - 12);
    in.captionButtonWidth = 20;  // 20 - 20 / 3 = 14
    EXPECT_EQ(CenterDialogPosition(in).x, 300 - 14);
    in.parentBottom = 501;  // free height 101: thirds round toward zero
    EXPECT_EQ(CenterDialogPosition(in).y, 133);
}

TEST(CenterDialogPosition, StaysOnScreen) {
    CenterDialogInput in = Dialog();
    in.parentLeft = 1000;  // owner near the right screen edge
    in.parentRight = 1800;
    EXPECT_EQ(CenterDialogPosition(in).x, 1280 - 400);
    in.parentTop = 900;
    in.parentBottom = 1500;
    EXPECT_EQ(CenterDialogPosition(in).y, 1024 - 300);
    in.width = 1500;  // wider than the screen: the left edge
    in.height = 1100;
    DialogPosition p = CenterDialogPosition(in);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
}

TEST(CenterDialogPosition, OversizedDialogStartsAtTheOwnersEdge) {
    CenterDialogInput in = Dialog();
    in.width = 1000;
    in.height = 700;
    DialogPosition p = CenterDialogPosition(in);
    EXPECT_EQ(p.x, 100 - 18);
    EXPECT_EQ(p.y, 100);
    in.parentLeft = 5;  // a negative x is left as it is
    EXPECT_EQ(CenterDialogPosition(in).x, -13);
}

}  // namespace
