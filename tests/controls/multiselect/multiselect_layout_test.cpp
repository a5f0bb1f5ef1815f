#include <gtest/gtest.h>

#include <climits>

#include "controls/multiselect/multiselect_layout.h"
#include "tests/controls/multiselect/multiselect_test_support.h"

namespace {

ElementSize SixteenPixelIcons(void*) { return {16, 16}; }

int imageListStandIn = 0;

}  // namespace

TEST(MultiSelectLayout, FloorHeightsAndTheBuildingStack) {
    TestBuilding test({0, 12, 10});
    EXPECT_EQ(test.Floor(0).GetHeight(), 32);
    EXPECT_EQ(test.Floor(1).GetHeight(), 80);
    EXPECT_EQ(ExpandedBodyHeight(test.Floor(2)), 30);
    // Floors stack from the building spacing, 6 apart.
    EXPECT_EQ(test.Floor(0).GetY(), 6);
    EXPECT_EQ(test.Floor(1).GetY(), 44);
    EXPECT_EQ(test.Floor(2).GetY(), 130);
    EXPECT_EQ(test.Floor(2).GetX(), 6);
    EXPECT_EQ(ContentHeight(test.building), 130 + 54 + 6);
    EXPECT_EQ(PictureHeight(test.building), ContentHeight(test.building));

    test.Floor(1).m_collapsed = 1;
    test.building.Layout();
    EXPECT_EQ(test.Floor(1).GetHeight(), 24);
    EXPECT_EQ(test.Room(1, 0).GetY(), 24 - 56 + 4);  // above the header line, hidden
    EXPECT_EQ(test.Floor(2).GetY(), 44 + 24 + 6);
    EXPECT_EQ(ContentHeight(test.building), 74 + 54 + 6);
    EXPECT_EQ(PictureHeight(test.building), 190);  // the picture never needs to grow for a fold

    TestBuilding empty;
    EXPECT_EQ(ContentHeight(empty.building), 6);
}

TEST(MultiSelectLayout, HeaderParts) {
    TestBuilding test({1});
    CFloor& floor = test.Floor(0);
    floor.m_textSize = {30, 12};
    FloorHeaderParts parts = FloorHeaderGeometry(floor, SixteenPixelIcons);
    EXPECT_FALSE(parts.hasIcon);
    EXPECT_EQ(parts.glyph.left, 6 + 4);
    EXPECT_EQ(parts.glyph.right, 6 + 20);
    EXPECT_EQ(parts.glyph.top, 6 + 4);
    EXPECT_EQ(parts.checkBox.left, 6 + 24);
    EXPECT_EQ(parts.checkBox.right, 6 + 38);
    EXPECT_EQ(parts.checkBox.top, 6 + 5);
    EXPECT_EQ(parts.label.left, 6 + 40 - 2);
    EXPECT_EQ(parts.label.right, 6 + 40 + 30);
    EXPECT_EQ(parts.textLeft, 6 + 40);

    test.building.SetImageList(&imageListStandIn);
    floor.SetImages(0, 1);
    parts = FloorHeaderGeometry(floor, SixteenPixelIcons);
    ASSERT_TRUE(parts.hasIcon);
    EXPECT_EQ(parts.icon.left, 6 + 40);
    EXPECT_EQ(parts.icon.right, 6 + 56);
    EXPECT_EQ(parts.label.right, 6 + 40 + 30 + 16 + 2);
    EXPECT_EQ(parts.textLeft, 6 + 56 + 2);

    CRoom& room = test.Room(0, 0);
    RoomFaceParts face = RoomFaceGeometry(room, floor.GetX(), floor.GetY(), SixteenPixelIcons);
    EXPECT_FALSE(face.hasIcon);  // the room has no image indexes
    EXPECT_EQ(face.text.left, face.room.left);
    room.SetImages(2, 3);
    face = RoomFaceGeometry(room, floor.GetX(), floor.GetY(), SixteenPixelIcons);
    ASSERT_TRUE(face.hasIcon);
    EXPECT_EQ(face.room.left, 6 + 4);
    EXPECT_EQ(face.room.top, 6 + 28);
    EXPECT_EQ(face.icon.left, 6 + 4 + 2);
    EXPECT_EQ(face.icon.top, 6 + 28 + 3);
    EXPECT_EQ(face.text.left, 6 + 4 + 2 + 16 + 2);
    EXPECT_EQ(face.text.right, 6 + 4 + 48);
}

TEST(MultiSelectHitTest, HeaderPartsRoomsAndGaps) {
    TestBuilding test({12});
    CFloor* floor = &test.Floor(0);
    floor->m_textSize = {30, 12};
    test.building.SetImageList(&imageListStandIn);
    floor->SetImages(0, 1);
    auto hit = [&](int x, int y) { return HitTestBuilding(test.building, x, y, SixteenPixelIcons); };

    EXPECT_EQ(hit(6 + 4, 6 + 12).code, kHitGlyph);
    EXPECT_EQ(hit(6 + 19, 6 + 12).code, kHitGlyph);
    EXPECT_EQ(hit(6 + 20, 6 + 12).code, kHitHeader);  // right edge excluded, gap before the box
    EXPECT_EQ(hit(6 + 24, 6 + 12).code, kHitCheckBox);
    EXPECT_EQ(hit(6 + 45, 6 + 12).code, kHitIcon);
    EXPECT_EQ(hit(6 + 60, 6 + 12).code, kHitLabel);
    EXPECT_EQ(hit(6 + 300, 6 + 12).code, kHitHeader);
    EXPECT_EQ(hit(6 + 300, 6 + 12).floor, floor);

    const BuildingHit room = hit(6 + 4, 6 + 28);  // first pixel of the first room
    EXPECT_EQ(room.code, kHitRoom);
    EXPECT_EQ(room.room, &test.Room(0, 0));
    EXPECT_EQ(hit(6 + 51, 6 + 49).room, &test.Room(0, 0));  // last pixel
    EXPECT_EQ(hit(6 + 52, 6 + 40).code, kHitNothing);      // gap between rooms
    EXPECT_EQ(hit(6 + 4, 6 + 50).code, kHitNothing);       // gap between rows
    EXPECT_EQ(hit(6 + 4 + 52, 6 + 28 + 26).room, &test.Room(0, 11));
    EXPECT_EQ(hit(6 + 4 + 104, 6 + 28 + 26).code, kHitNothing);  // past the last room
    EXPECT_EQ(hit(6 + 522, 6 + 30).code, kHitNothing);           // right of the last column
    EXPECT_EQ(hit(6 + 524, 6 + 12).code, kHitNothing);           // outside the floor
    EXPECT_EQ(hit(6 + 10, 6 + 80).code, kHitNothing);            // below it
    EXPECT_EQ(hit(3, 3).floor, nullptr);
}

TEST(MultiSelectHitTest, ClientPointsLoseTheBorderAndGainTheScroll) {
    TestBuilding test;
    test.building.m_scrollX = 5;
    test.building.m_scrollY = 40;
    ContentPoint point = ContentPointFromClient(test.building, 1, 1);
    EXPECT_EQ(point.x, 5);
    EXPECT_EQ(point.y, 40);
    ElementRect window = WindowRectFromContent(test.building, {5, 40, 15, 50});
    EXPECT_EQ(window.left, 1);
    EXPECT_EQ(window.bottom, 11);
    EXPECT_EQ(InnerClientRect(test.building, {0, 0, 100, 50}).right, 99);
    test.building.ModifyStyle(TSS_BORDER, 0, 0);
    point = ContentPointFromClient(test.building, 1, 1);
    EXPECT_EQ(point.x, 6);
    EXPECT_EQ(InnerClientRect(test.building, {0, 0, 100, 50}).right, 100);
}

TEST(MultiSelectScroll, CodesStayWithinTheRange) {
    // Range 0..300, page 100: the last position is 201.
    EXPECT_EQ(ScrolledPosition(kScrollLineDown, 0, 300, 100, 0), 16);
    EXPECT_EQ(ScrolledPosition(kScrollLineDown, 0, 300, 100, 195), 201);
    EXPECT_EQ(ScrolledPosition(kScrollLineUp, 0, 300, 100, 10), 0);
    EXPECT_EQ(ScrolledPosition(kScrollPageDown, 0, 300, 100, 0), 76);
    EXPECT_EQ(ScrolledPosition(kScrollPageDown, 0, 300, 20, 0), 4);  // page step at least 4
    EXPECT_EQ(ScrolledPosition(kScrollPageUp, 0, 300, 100, 50), 0);
    EXPECT_EQ(ScrolledPosition(kScrollBottom, 0, 300, 100, 0), 201);
    EXPECT_EQ(ScrolledPosition(kScrollTop, 0, 300, 100, 120), 0);
    EXPECT_EQ(ScrolledPosition(kScrollThumbTrack, 77, 300, 100, 0), 77);
    EXPECT_EQ(ScrolledPosition(kScrollNone, 0, 300, 100, 33), 33);
    EXPECT_EQ(ScrolledPosition(kScrollBottom, 0, 50, 100, 0), 0);  // a negative limit counts as 0
    EXPECT_EQ(ScrolledPosition(kScrollLineDown, 0, 50, 100, 0), 0);

    EXPECT_EQ(FittedScrollPosition(150, 300, 100), 150);
    EXPECT_EQ(FittedScrollPosition(250, 300, 100), 201);
    EXPECT_EQ(FittedScrollPosition(250, 300, 300), 0);
}

TEST(MultiSelectScroll, WheelAndKeys) {
    WheelSteps steps = WheelScroll(360);
    EXPECT_EQ(steps.code, kScrollLineUp);
    EXPECT_EQ(steps.count, 3);  // 48 pixels
    steps = WheelScroll(60);
    EXPECT_EQ(steps.count, 1);
    steps = WheelScroll(-240);
    EXPECT_EQ(steps.code, kScrollLineDown);
    EXPECT_EQ(steps.count, 2);
    EXPECT_EQ(WheelScroll(0).code, kScrollLineDown);
    EXPECT_EQ(ScrollCodeOfKey(0x22), kScrollPageDown);
    EXPECT_EQ(ScrollCodeOfKey(0x24), kScrollTop);
    EXPECT_EQ(ScrollCodeOfKey(0x25), kScrollLineUp);
    EXPECT_EQ(ScrollCodeOfKey(0x28), kScrollLineDown);
    EXPECT_EQ(ScrollCodeOfKey('A'), kScrollNone);
}

TEST(MultiSelectClicks, ActOnlyOnReleaseOverThePressedTarget) {
    TestBuilding test({3});
    const BuildingHit first{kHitRoom, &test.Floor(0), &test.Room(0, 0)};
    const BuildingHit second{kHitRoom, &test.Floor(0), &test.Room(0, 1)};
    EXPECT_TRUE(PressBuilding(test.building, first));
    EXPECT_EQ(ReleaseBuilding(test.building, second), ClickAction::None);
    EXPECT_TRUE(PressBuilding(test.building, first));
    EXPECT_EQ(ReleaseBuilding(test.building, first), ClickAction::ToggleRoom);
    // A release whose press went elsewhere never repeats the last click.
    EXPECT_EQ(test.building.m_pressedHit, kHitNothing);
    EXPECT_EQ(ReleaseBuilding(test.building, first), ClickAction::None);

    const BuildingHit label{kHitLabel, &test.Floor(0), nullptr};
    PressBuilding(test.building, label);
    EXPECT_EQ(ReleaseBuilding(test.building, label), ClickAction::ToggleFloor);
    const BuildingHit glyph{kHitGlyph, &test.Floor(0), nullptr};
    PressBuilding(test.building, glyph);
    EXPECT_EQ(ReleaseBuilding(test.building, glyph), ClickAction::Fold);
    EXPECT_FALSE(PressBuilding(test.building, {kHitNothing, nullptr, nullptr}));

    test.building.ModifyStyle(TSS_READONLY, 1, 0);
    EXPECT_FALSE(PressBuilding(test.building, first));
    EXPECT_EQ(ReleaseBuilding(test.building, first), ClickAction::None);
}

TEST(MultiSelectFold, TwoRowFloorCollapsesInSevenTicks) {
    TestBuilding test({12, 1});
    test.building.m_memHeight = PictureHeight(test.building);
    CFloor& floor = test.Floor(0);
    const int32_t belowTop = test.Floor(1).GetY();
    StartFold(test.building, floor);
    EXPECT_EQ(floor.m_collapsed, 1);
    EXPECT_EQ(test.building.m_animRect.bottom, test.building.m_memHeight);
    EXPECT_EQ(test.building.m_animRect.top, 6);
    // Clicks on other floors are refused while it runs.
    EXPECT_FALSE(PressBuilding(test.building, {kHitRoom, &test.Floor(1), &test.Room(1, 0)}));
    int ticks = 0;
    FoldTick tick{};
    while (!(tick = AdvanceFold(test.building)).ended) {
        ++ticks;
        ASSERT_LT(ticks, 100);
    }
    EXPECT_EQ(ticks, 7);
    EXPECT_TRUE(tick.glyphFinished);
    EXPECT_EQ(floor.GetHeight(), 24);
    EXPECT_EQ(floor.m_glyphFrame, 0);
    EXPECT_EQ(test.Floor(1).GetY(), belowTop - 56);
    EXPECT_EQ(test.building.m_animating, 0);

    StartFold(test.building, floor);  // and open again
    while (!AdvanceFold(test.building).ended) {
    }
    EXPECT_EQ(floor.GetHeight(), 80);
    EXPECT_EQ(floor.m_glyphFrame, 6);
    EXPECT_EQ(test.Floor(1).GetY(), belowTop);
}

TEST(MultiSelectFold, ClearingDuringAFoldEndsIt) {
    TestBuilding test({12});
    StartFold(test.building, test.Floor(0));
    AdvanceFold(test.building);
    PressBuilding(test.building, {kHitRoom, &test.Floor(0), &test.Room(0, 0)});
    ASSERT_TRUE(test.building.Clear());
    EXPECT_EQ(test.building.m_animating, 0);
    EXPECT_EQ(test.building.m_pressedFloor, nullptr);
    EXPECT_EQ(test.building.m_pressedHit, kHitNothing);
    EXPECT_TRUE(AdvanceFold(test.building).ended);  // a late tick touches nothing
}

TEST(MultiSelectFold, FoldingByMessageShowsTheFinalGlyphAndEndsAFold) {
    TestBuilding test({12, 3});
    CFloor& floor = test.Floor(0);
    EXPECT_FALSE(SetFloorFolded(test.building, floor, false));  // already open
    StartFold(test.building, floor);
    AdvanceFold(test.building);
    ASSERT_TRUE(SetFloorFolded(test.building, floor, false));  // opened again mid-fold
    EXPECT_EQ(floor.m_glyphFrame, 6);
    EXPECT_TRUE(AdvanceFold(test.building).ended);
    test.building.RelayoutFrom(&floor);
    EXPECT_EQ(floor.GetHeight(), 80);
    EXPECT_EQ(test.Floor(1).GetY(), 6 + 80 + 6);

    ASSERT_TRUE(SetFloorFolded(test.building, test.Floor(1), true));
    EXPECT_EQ(test.Floor(1).m_glyphFrame, 0);
    test.building.RelayoutFrom(&test.Floor(1));
    EXPECT_EQ(test.Floor(1).GetHeight(), 24);
}

TEST(MultiSelectLayout, ARoomPaintedAloneStaysInItsFloorsBody) {
    TestBuilding test({12, 1});
    ElementRect visible{};
    ASSERT_TRUE(RoomVisibleRect(test.Room(0, 11), visible));
    EXPECT_EQ(visible.left, 6 + 56);
    EXPECT_EQ(visible.top, 6 + 54);
    EXPECT_EQ(visible.bottom, 6 + 54 + 22);

    // Half folded: the second row is partly under the header line.
    test.building.m_memHeight = PictureHeight(test.building);
    StartFold(test.building, test.Floor(0));
    for (int tick = 0; tick < 4; ++tick) AdvanceFold(test.building);  // 32 pixels up
    ASSERT_TRUE(RoomVisibleRect(test.Room(0, 11), visible));
    EXPECT_EQ(visible.top, 6 + 24 + 1);
    EXPECT_EQ(visible.bottom, 6 + 54 + 22 - 32);
    EXPECT_FALSE(RoomVisibleRect(test.Room(0, 0), visible)) << "the first row is above the fold";

    while (!AdvanceFold(test.building).ended) {
    }
    test.building.Layout();
    for (int room = 0; room < 12; ++room) EXPECT_FALSE(RoomVisibleRect(test.Room(0, room), visible)) << room;
    EXPECT_TRUE(RoomVisibleRect(test.Room(1, 0), visible));
}

TEST(MultiSelectLayout, SizesAtTheMessageLimitLayOutWithoutOverflow) {
    EXPECT_EQ(ClampedMessageSize(INT32_MAX), 0xFFFF);
    EXPECT_EQ(ClampedMessageSize(INT32_MIN), 0);
    EXPECT_EQ(ClampedMessageSize(-1), 0);
    EXPECT_EQ(ClampedMessageSize(300), 300);

    TestBuilding test({0, 1});
    CFloor& floor = test.Floor(0);
    floor.m_headerHeight = ClampedMessageSize(INT32_MAX);
    floor.SetCellSize(ClampedMessageSize(INT32_MAX), ClampedMessageSize(INT32_MAX));
    for (int i = 0; i < 1000; ++i) floor.AddChildByName("r", 0, 0);
    test.building.Layout();
    EXPECT_EQ(floor.GetColumns(), 1);
    EXPECT_EQ(floor.GetHeight(), 0xFFFF + 4 + 1000 * (4 + 0xFFFF));
    EXPECT_EQ(test.Room(0, 999).GetY(), 0xFFFF + 4 + 999 * (4 + 0xFFFF));
    EXPECT_EQ(test.Floor(1).GetY(), 6 + floor.GetHeight() + 6);
    EXPECT_GT(ContentHeight(test.building), test.Floor(1).GetBottom());
    const BuildingHit hit = HitTestBuilding(test.building, 6 + 10, test.Floor(0).GetY() + test.Room(0, 999).GetY() + 5,
                                            nullptr);
    EXPECT_EQ(hit.room, &test.Room(0, 999));
}

TEST(MultiSelectLayout, ManyRoomsOfTheLargestSizeStopAtTheContentLimit) {
    TestBuilding test({0, 1});
    CFloor& floor = test.Floor(0);
    floor.SetCellSize(kMaxMessageSize, kMaxMessageSize);
    for (int i = 0; i < 100000; ++i) ASSERT_NE(floor.AddChildByName("r", 0, 0), nullptr);
    EXPECT_EQ(floor.GetHeight(), kMaxContentExtent) << "as placed one by one";
    test.building.Layout();
    EXPECT_EQ(floor.GetHeight(), kMaxContentExtent);
    int32_t previous = 0;
    for (const auto& room : floor.m_rooms) {
        ASSERT_GE(room->GetY(), previous);
        previous = room->GetY();
    }
    EXPECT_EQ(previous, kMaxContentExtent);
    EXPECT_EQ(test.Floor(1).GetY(), kMaxContentExtent) << "floors below stop there too";
    EXPECT_EQ(ContentHeight(test.building), test.Floor(1).GetBottom() + 6);
    EXPECT_EQ(PictureHeight(test.building), kMaxContentExtent);
    EXPECT_GT(ExpandedFloorHeight(floor), 0);
}
