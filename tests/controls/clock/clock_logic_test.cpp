#include <gtest/gtest.h>

#include "tests/controls/clock/clock_test_support.h"

namespace {

void Drag(ClockState& state, double fromMinutes, std::initializer_list<double> path) {
    const DialPoint start = PointAtMinute(state, fromMinutes);
    ASSERT_TRUE(PressClock(state, start.x, start.y));
    ASSERT_EQ(state.dragging, 1);
    for (double minutes : path) {
        const DialPoint p = PointAtMinute(state, minutes);
        DragClock(state, p.x, p.y);
    }
}

void Click(ClockState& state, double minutes) {
    const DialPoint p = PointAtMinute(state, minutes);
    PressClock(state, p.x, p.y);
    ReleaseClock(state, p.x, p.y);
}

}  // namespace

TEST(ClockHitTest, ReadsDialPositionsOfA200Clock) {
    ClockState state = DrawnClock(200, 8, 0);
    ClockHitResult top = ClockHitTest(state, 100, 30, false);
    EXPECT_EQ(top.hit, ClockHit::None);
    EXPECT_EQ(top.hourPos, 0);
    EXPECT_EQ(top.minute, 0);
    ClockHitResult right = ClockHitTest(state, 170, 100, false);
    EXPECT_EQ(right.minute, 15);
    EXPECT_EQ(right.hourPos, 3);
    ClockHitResult centre = ClockHitTest(state, 102, 100, true);
    EXPECT_EQ(centre.hit, ClockHit::Center);
    EXPECT_EQ(centre.hourPos, -1);
    EXPECT_EQ(centre.minute, -1);
    EXPECT_EQ(ClockHitTest(state, 104, 100, false).hit, ClockHit::None);  // right edge is outside
    EXPECT_EQ(ClockHitTest(state, 96, 96, false).hit, ClockHit::Center);
}

TEST(ClockHitTest, HourPositionFollowsTheMinute) {
    // At x:40 the hour hand sits two thirds past the hour mark.
    ClockState state = DrawnClock(200, 8, 40);
    EXPECT_EQ(ClockHitTest(state, 170, 100, false).hourPos, 2);
    EXPECT_EQ(ClockHitTest(state, 100, 30, false).hourPos, 0);  // would be -1: halfup rounds toward 0
}

TEST(ClockHitTest, MinutesSnapToTheStep) {
    ClockState state = DrawnClock(200, 8, 0);
    EXPECT_EQ(ClockHitTest(state, PointAtMinute(state, 57).x, PointAtMinute(state, 57).y, false).minute, 55);
    EXPECT_EQ(ClockHitTest(state, PointAtMinute(state, 58).x, PointAtMinute(state, 58).y, false).minute, 0);
    EXPECT_EQ(ClockHitTest(state, PointAtMinute(state, 12.4).x, PointAtMinute(state, 12.4).y, false).minute, 10);
    state.minuteStep = 1;
    EXPECT_EQ(ClockHitTest(state, PointAtMinute(state, 57).x, PointAtMinute(state, 57).y, false).minute, 57);
    state.minuteStep = 15;
    EXPECT_EQ(ClockHitTest(state, PointAtMinute(state, 22).x, PointAtMinute(state, 22).y, false).minute, 15);
    EXPECT_EQ(ClockHitTest(state, PointAtMinute(state, 23).x, PointAtMinute(state, 23).y, false).minute, 30);
}

TEST(ClockHitTest, GrabsTheNearerHandMinuteFirst) {
    ClockState state = DrawnClock(200, 3, 0);  // hour hand at 0, minute hand at -pi/2
    EXPECT_EQ(ClockHitTest(state, 170, 100, true).hit, ClockHit::HourHand);
    EXPECT_EQ(ClockHitTest(state, 100, 30, true).hit, ClockHit::MinuteHand);
    const DialPoint nearHour = PointAtMinute(state, 17);  // 12 degrees off
    EXPECT_EQ(ClockHitTest(state, nearHour.x, nearHour.y, true).hit, ClockHit::HourHand);
    const DialPoint outOfReach = PointAtMinute(state, 18.5);  // 21 degrees off
    EXPECT_EQ(ClockHitTest(state, outOfReach.x, outOfReach.y, true).hit, ClockHit::None);
    // No wrap at 2 pi: a hand at 12 is out of reach from just left of 12.
    const DialPoint leftOfTwelve = PointAtMinute(state, 59);
    EXPECT_EQ(ClockHitTest(state, leftOfTwelve.x, leftOfTwelve.y, true).hit, ClockHit::None);
    const DialPoint rightOfTwelve = PointAtMinute(state, 1);
    EXPECT_EQ(ClockHitTest(state, rightOfTwelve.x, rightOfTwelve.y, true).hit, ClockHit::MinuteHand);

    ClockState overlap = DrawnClock(200, 0, 0);  // both hands at 12
    EXPECT_EQ(ClockHitTest(overlap, 100, 30, true).hit, ClockHit::MinuteHand);
}

TEST(HourDistance, CountsAroundTheDay) {
    EXPECT_EQ(HourDistance(22, 2), 4);
    EXPECT_EQ(HourDistance(22, 14), 8);
    EXPECT_EQ(HourDistance(8, 2), 6);
    EXPECT_EQ(HourDistance(8, 14), 6);
    EXPECT_EQ(HourDistance(0, 23), 1);
    EXPECT_EQ(HourDistance(5, 5), 0);
}

TEST(ClockDrag, MinuteHandCarriesTheHourOverTwelveBothWays) {
    ClockState state = DrawnClock(200, 23, 55);
    Drag(state, 55, {5});
    EXPECT_EQ(state.hour, 0);
    EXPECT_EQ(state.minute, 5);
    DragClock(state, PointAtMinute(state, 55).x, PointAtMinute(state, 55).y);
    EXPECT_EQ(state.hour, 23);
    EXPECT_EQ(state.minute, 55);
    // A move to the same minute changes nothing.
    EXPECT_FALSE(DragClock(state, PointAtMinute(state, 54).x, PointAtMinute(state, 54).y));
    ReleaseClock(state, 0, 0);
    EXPECT_EQ(state.dragging, 0);

    ClockState midday = DrawnClock(200, 11, 50);
    Drag(midday, 50, {0, 10, 20});
    EXPECT_EQ(midday.hour, 12);
    EXPECT_EQ(midday.minute, 20);
}

TEST(ClockDrag, HourHandTurnsTheHalfOfTheDayAtTwelve) {
    ClockState morning = DrawnClock(200, 11, 0);
    Drag(morning, 55, {0});
    EXPECT_EQ(morning.hour, 12);
    EXPECT_EQ(morning.minute, 0);

    ClockState night = DrawnClock(200, 23, 0);
    Drag(night, 55, {0, 5});
    EXPECT_EQ(night.hour, 1);

    ClockState afternoon = DrawnClock(200, 13, 0);
    Drag(afternoon, 5, {0, 55});
    EXPECT_EQ(afternoon.hour, 11);  // back over 12: morning again

    ClockState midnight = DrawnClock(200, 0, 0);
    midnight.minuteAngle = 0;  // keep the minute hand out of the way
    Drag(midnight, 1, {55});
    EXPECT_EQ(midnight.hour, 23);

    ClockState evening = DrawnClock(200, 18, 0);
    Drag(evening, 30, {35, 45});
    EXPECT_EQ(evening.hour, 21);
}

TEST(ClockDrag, IgnoresTheCentreAndPressesOffTheHands) {
    ClockState state = DrawnClock(200, 3, 0);
    ASSERT_TRUE(PressClock(state, 170, 100));
    EXPECT_FALSE(DragClock(state, 101, 101));
    EXPECT_EQ(state.hour, 3);

    ClockState face = DrawnClock(200, 3, 0);
    const DialPoint off = PointAtMinute(face, 40);
    ASSERT_TRUE(PressClock(face, off.x, off.y));
    EXPECT_EQ(face.dragging, 0);
    EXPECT_FALSE(DragClock(face, 170, 100));
}

TEST(ClockClick, MovesTheHourHandToTheNearerHalfOfTheDay) {
    ClockState late = DrawnClock(200, 22, 0);
    Click(late, 10);  // dial position 2
    EXPECT_EQ(late.hour, 2);

    ClockState morning = DrawnClock(200, 8, 0);
    Click(morning, 10);  // a tie between 2 and 14 keeps 2
    EXPECT_EQ(morning.hour, 2);

    ClockState afternoon = DrawnClock(200, 16, 0);
    const DialPoint p = PointAtMinute(afternoon, 10);
    PressClock(afternoon, p.x, p.y);
    EXPECT_TRUE(ReleaseClock(afternoon, p.x, p.y).timeChanged);
    EXPECT_EQ(afternoon.hour, 14);
}

TEST(ClockClick, NeedsTheReleaseWhereThePressWas) {
    ClockState state = DrawnClock(200, 8, 0);
    const DialPoint press = PointAtMinute(state, 10);
    const DialPoint release = PointAtMinute(state, 25);
    PressClock(state, press.x, press.y);
    EXPECT_FALSE(ReleaseClock(state, release.x, release.y).timeChanged);
    EXPECT_EQ(state.hour, 8);

    PressClock(state, 100, 100);
    EXPECT_EQ(state.pressTarget, ClockHit::Center);
    EXPECT_FALSE(ReleaseClock(state, 100, 100).timeChanged);
    EXPECT_EQ(state.hour, 8);
}

TEST(ClockReadOnly, IgnoresEveryMouseMessage) {
    ClockState state = DrawnClock(200, 3, 0);
    state.flags = CLKF_READONLY;
    EXPECT_FALSE(PressClock(state, 170, 100));
    EXPECT_EQ(state.dragging, 0);
    state.dragging = 1;
    state.pressTarget = ClockHit::HourHand;
    EXPECT_FALSE(DragClock(state, 100, 170));
    const ClockRelease release = ReleaseClock(state, 100, 170);
    EXPECT_FALSE(release.taken);
    EXPECT_EQ(state.hour, 3);
}

TEST(ClockFlags, FaceIsRedrawnOnlyForFrameChangesWithAFace) {
    ClockState state;
    uint32_t before = 0;
    EXPECT_FALSE(SetClockFlags(state, CLKF_FRAME, true, before));  // no face yet
    int face = 0;
    state.faceBitmap = &face;
    EXPECT_FALSE(SetClockFlags(state, CLKF_FRAME, true, before));  // unchanged
    EXPECT_EQ(before, CLKF_FRAME);
    EXPECT_FALSE(SetClockFlags(state, 0x100, true, before));       // frame not in the new word
    EXPECT_TRUE(SetClockFlags(state, CLKF_FRAME | 0x100, true, before));
    EXPECT_FALSE(SetClockFlags(state, 0, false, before));
    EXPECT_TRUE(ModifyClockFlags(state, CLKF_FRAME, true, true, before));
    EXPECT_TRUE(ModifyClockFlags(state, CLKF_FRAME, false, true, before));  // clearing redraws too
    EXPECT_FALSE(ModifyClockFlags(state, CLKF_FRAME, true, false, before));
}
