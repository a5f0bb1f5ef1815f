#include <gtest/gtest.h>

#include <cmath>

#include "tests/controls/clock/clock_test_support.h"

namespace {

void ExpectPoint(ClockPoint p, int x, int y) {
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
}

}  // namespace

TEST(ClockFace, LargeFaceHasTwelveNumeralsAroundTheDial) {
    ClockState state = DrawnClock(200, 8, 0);
    EXPECT_EQ(state.diameter, 196);
    EXPECT_EQ(DialRadius(state), 98);
    const ClockRect dial = DialBounds(state);
    EXPECT_EQ(dial.left, 2);
    EXPECT_EQ(dial.bottom, 198);
    const auto marks = FaceMarks(state);
    for (const FaceMark& mark : marks) EXPECT_TRUE(mark.numeral) << mark.number;
    ExpectPoint(marks[2].centre, 186, 100);
    ExpectPoint(marks[5].centre, 100, 186);
    ExpectPoint(marks[8].centre, 15, 100);
    ExpectPoint(marks[11].centre, 100, 15);
    ExpectPoint(marks[0].centre, 143, 27);
    ExpectPoint(marks[1].centre, 174, 58);
    const ClockRect box = NumeralBox(marks[2].centre);
    EXPECT_EQ(box.left, 174);
    EXPECT_EQ(box.top, 88);
    EXPECT_EQ(box.right, 198);
    EXPECT_EQ(box.bottom, 112);
}

TEST(ClockFace, SmallFaceKeepsOnlyTheQuarterNumerals) {
    ClockState state = DrawnClock(120, 8, 0);
    EXPECT_EQ(DialRadius(state), 58);
    for (const FaceMark& mark : FaceMarks(state)) EXPECT_EQ(mark.numeral, mark.number % 3 == 0) << mark.number;
    const ClockPoint one = FaceMarks(state)[0].centre;
    ExpectPoint(one, 83, 21);
    const ClockRect square = MarkSquare(one);
    EXPECT_EQ(square.left, 81);
    EXPECT_EQ(square.top, 19);
    EXPECT_EQ(square.right, 85);
    EXPECT_EQ(square.bottom, 23);
    // The boundary: a mark radius of exactly 50 is still small.
    EXPECT_FALSE(FaceMarks(DrawnClock(128, 8, 0))[0].numeral);  // r 62
    EXPECT_TRUE(FaceMarks(DrawnClock(130, 8, 0))[0].numeral);   // r 63
}

TEST(ClockHands, KiteOfTheHourHandAtThree) {
    ClockState state = DrawnClock(200, 3, 0);
    EXPECT_EQ(MinuteHandSize(state).length, 84);
    EXPECT_EQ(HourHandSize(state).length, 63);
    EXPECT_NEAR(HourHandAngle(state), 0.0, 1e-12);
    const HandKite kite = HandKiteShape(state, HourHandAngle(state), HourHandSize(state));
    ExpectPoint(kite.outline[0], 163, 100);
    ExpectPoint(kite.outline[1], 100, 93);
    ExpectPoint(kite.outline[2], 87, 100);
    ExpectPoint(kite.outline[3], 100, 107);
    ExpectPoint(kite.shaded[1], 100, 107);  // the lower half is shaded
}

TEST(ClockHands, ShadeStaysBelowAHandPointingLeft) {
    ClockState state = DrawnClock(200, 9, 0);
    EXPECT_NEAR(HourHandAngle(state), 3.14159265358979, 1e-12);
    const HandKite kite = HandKiteShape(state, HourHandAngle(state), HourHandSize(state));
    ExpectPoint(kite.shaded[1], kite.outline[1].x, kite.outline[1].y);
    EXPECT_EQ(kite.shaded[1].y, 108);
    ExpectPoint(kite.outline[0], 38, 100);
}

TEST(ClockHands, AnglesFollowHourAndMinute) {
    ClockState half = DrawnClock(200, 12, 30);
    EXPECT_NEAR(MinuteHandAngle(half), 3.14159265358979 / 2, 1e-12);
    EXPECT_NEAR(HourHandAngle(half), -3.14159265358979 / 2 + 3.14159265358979 / 12, 1e-12);
    EXPECT_STREQ(DayHalfLabel(half.hour), "PM");
    EXPECT_STREQ(DayHalfLabel(0), "AM");
    EXPECT_STREQ(DayHalfLabel(11), "AM");
    const ClockRect label = DayHalfLabelBox(half);
    EXPECT_EQ(label.left, 88);
    EXPECT_EQ(label.top, 16);
    EXPECT_EQ(label.right, 112);
    EXPECT_EQ(label.bottom, 100);
    // Tiny dials give negative lengths; the shift rounds toward minus infinity.
    ClockState tiny = DrawnClock(30, 8, 0);
    EXPECT_EQ(MinuteHandSize(tiny).length, -1);
    EXPECT_EQ(HourHandSize(tiny).length, -1);
}
