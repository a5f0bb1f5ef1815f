#include <gtest/gtest.h>

#include "controls/slider/slider_logic.h"

namespace {

SliderState HorizontalBar() {
    SliderState state;
    state.horizontal = 1;
    return state;
}

}  // namespace

TEST(SliderLimits, MaskSelectsWhichLimitChanges) {
    SliderState state;
    EXPECT_EQ(PackedSliderLimits(state), (20u << 16) | 20u);
    const uint32_t packed = (48u << 16) | 16u;
    SetSliderLimits(state, 3, packed);
    EXPECT_EQ(state.limitBack, 48);
    EXPECT_EQ(state.limitFwd, 16);
    SetSliderLimits(state, 1, (7u << 16) | 9u);
    EXPECT_EQ(PackedSliderLimits(state), (7u << 16) | 16u);
    SetSliderLimits(state, 2, (1u << 16) | 9u);
    EXPECT_EQ(PackedSliderLimits(state), (7u << 16) | 9u);
    SetSliderLimits(state, 0, 0xFFFFFFFFu);
    EXPECT_EQ(PackedSliderLimits(state), (7u << 16) | 9u);
    SetSliderLimits(state, 3, 0xFFFFFFFFu);  // unsigned 16-bit each
    EXPECT_EQ(state.limitBack, 65535);
    EXPECT_EQ(state.limitFwd, 65535);
}

TEST(SliderDrag, HorizontalBarKeepsLastAcceptedPosition) {
    SliderState state = HorizontalBar();
    BeginSliderDrag(state, 50, 3, 800, 6);
    EXPECT_EQ(state.dragging, 1);
    EXPECT_EQ(state.grabOffset, 0);
    EXPECT_EQ(state.barLength, 800);

    ASSERT_EQ(ClassifySliderMove(state, 50, 10), SliderMove::Accepted);
    StoreSliderTrack(state, 50, 10);
    EXPECT_EQ(ClassifySliderMove(state, 50, 30), SliderMove::Rejected);  // 27 > 20
    EXPECT_EQ(ClassifySliderMove(state, 90, 10), SliderMove::Unmoved);   // along the bar only
    EXPECT_EQ(ClassifySliderMove(state, 50, 23), SliderMove::Accepted);  // exactly at the limit
    EXPECT_EQ(ClassifySliderMove(state, 50, -17), SliderMove::Accepted);
    EXPECT_EQ(ClassifySliderMove(state, 50, -18), SliderMove::Rejected);

    EXPECT_EQ(EndSliderDrag(state), 7);
    EXPECT_EQ(state.dragging, 0);
}

TEST(SliderDrag, VerticalBarMeasuresAlongXFromPress) {
    SliderState state;
    state.limitBack = 10;
    BeginSliderDrag(state, 5, 40, 6, 300);
    EXPECT_EQ(state.grabOffset, 2);
    EXPECT_EQ(state.barLength, 300);
    EXPECT_EQ(ClassifySliderMove(state, -6, 40), SliderMove::Rejected);
    EXPECT_EQ(ClassifySliderMove(state, 5, 200), SliderMove::Unmoved);
    ASSERT_EQ(ClassifySliderMove(state, -5, 40), SliderMove::Accepted);
    StoreSliderTrack(state, -5, 40);
    EXPECT_EQ(EndSliderDrag(state), -10);
}

TEST(SliderDrag, OrientationKeepsEveryNonZeroWParamNonZero) {
    EXPECT_EQ(SliderOrientation(0), 0);
    EXPECT_EQ(SliderOrientation(5), 5);
    EXPECT_EQ(SliderOrientation(0xFFFFFFFFu), -1);
    EXPECT_EQ(SliderOrientation(uint64_t{1} << 32), 1) << "a 64-bit wParam whose low half is 0";
    EXPECT_EQ(SliderOrientation(0x700000005ull), 5);
}

TEST(SliderDrag, OrientationIsAnyNonZeroValue) {
    SliderState state;
    state.horizontal = 5;
    BeginSliderDrag(state, 1, 2, 800, 6);
    StoreSliderTrack(state, 400, 9);
    EXPECT_EQ(EndSliderDrag(state), 7);
}

TEST(SliderGrip, DotsSitAroundTheCentre) {
    const auto horizontal = SliderGripDots(800, 6, true);
    const int xs[] = {387, 393, 399, 405, 411};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(horizontal[k].x, xs[k]);
        EXPECT_EQ(horizontal[k].y, 2);
    }
    const auto vertical = SliderGripDots(6, 800, false);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(vertical[k].x, 2);
        EXPECT_EQ(vertical[k].y, xs[k]);
    }
    EXPECT_EQ(SliderGripDots(1, 1, true)[0].x, -12);  // tiny bars truncate toward zero
}

TEST(SliderTrackLine, StartsOnTheBarCentreAndIsClippedToTheBar) {
    SliderState state = HorizontalBar();
    BeginSliderDrag(state, 50, 3, 800, 6);
    const SliderPoint anchor = TrackLineAnchor(state, 50, 3);
    EXPECT_EQ(anchor.x, 0);
    EXPECT_EQ(anchor.y, 3);
    const TrackLine line = TrackLineGeometry(state, {10, 103});  // slider at (10, 100) in its parent
    EXPECT_EQ(line.from.x, 10);
    EXPECT_EQ(line.from.y, 103);
    EXPECT_EQ(line.to.x, 810);
    EXPECT_EQ(line.to.y, 103);
    EXPECT_EQ(line.clip.left, 10);
    EXPECT_EQ(line.clip.top, 103 - 400 - 1);
    EXPECT_EQ(line.clip.right, 810);
    EXPECT_EQ(line.clip.bottom, 103 + 400 + 1);

    SliderState vertical;
    BeginSliderDrag(vertical, 5, 40, 6, 300);  // grabOffset 2
    const SliderPoint top = TrackLineAnchor(vertical, 5, 40);
    EXPECT_EQ(top.y, 0);
    const TrackLine upright = TrackLineGeometry(vertical, {25, 10});
    EXPECT_EQ(upright.from.x, 23);
    EXPECT_EQ(upright.from.y, 10);
    EXPECT_EQ(upright.to.x, 23);
    EXPECT_EQ(upright.to.y, 310);
    EXPECT_EQ(upright.clip.left, 25 - 150 - 2 - 1);
    EXPECT_EQ(upright.clip.right, 25 + 150 - 2 + 1);
}
