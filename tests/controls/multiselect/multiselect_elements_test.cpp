#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "controls/multiselect/multiselect_elements.h"
#include "tests/controls/multiselect/multiselect_test_support.h"

namespace {

using Code = BuildingNoticeCode;

std::string NameOf(const CBaseEle& element) { return element.Name(); }

}  // namespace

TEST(MultiSelectNames, CutAt47BytesWithoutSplittingAPair) {
    CBuilding building(GbkLeadBytes());
    auto* floor = static_cast<CFloor*>(building.AddChildByName(std::string(47, 'a').c_str(), 0, 0));
    EXPECT_EQ(NameOf(*floor), std::string(47, 'a'));
    floor->SetName(std::string(60, 'b').c_str());
    EXPECT_EQ(NameOf(*floor), std::string(47, 'b'));

    // "中" in GBK is D6 D0: at bytes 46 and 47 it would straddle the cut.
    const std::string straddling = std::string(46, 'c') + "\xD6\xD0" + "d";
    floor->SetName(straddling.c_str());
    EXPECT_EQ(NameOf(*floor), std::string(46, 'c'));
    std::string pairs;
    for (int i = 0; i < 24; ++i) {
        pairs += "\xD6\xD0";
    }
    auto* room = static_cast<CRoom*>(floor->AddChildByName(pairs.c_str(), 0, 0));
    EXPECT_EQ(NameOf(*room), pairs.substr(0, 46));

    // Without the code page's rule the same bytes are cut at 47.
    CBuilding singleByte;
    auto* plain = static_cast<CFloor*>(singleByte.AddChildByName(straddling.c_str(), 0, 0));
    EXPECT_EQ(NameOf(*plain), straddling.substr(0, 47));

    floor->SetName(nullptr);
    EXPECT_EQ(floor->GetNameLength(), 0u);
}

TEST(MultiSelectNames, GetNameStaysInsideTheBuffer) {
    CBuilding building(GbkLeadBytes());
    auto* floor = static_cast<CFloor*>(building.AddChildByName("ab\xD6\xD0", 0, 0));
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(floor->GetName(buffer, 4), 2u);  // the pair does not fit with the terminator
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(buffer[3], '#');
    EXPECT_EQ(floor->GetName(buffer, 5), 4u);
    EXPECT_STREQ(buffer, "ab\xD6\xD0");
    EXPECT_EQ(floor->GetName(buffer, 0), 0u);
    EXPECT_EQ(floor->GetName(nullptr, 8), 0u);
    EXPECT_LT(floor->CompareName("ac"), 0);
    EXPECT_EQ(floor->CompareName("ab\xD6\xD0"), 0);
    EXPECT_NE(floor->CompareName(nullptr), 0);
}

TEST(MultiSelectModel, DefaultsAndColumns) {
    TestBuilding test({0});
    CBuilding fresh;
    EXPECT_EQ(fresh.GetCheck(), kChecked);
    EXPECT_EQ(fresh.GetStyle(), 0x09u);
    CFloor& floor = test.Floor(0);
    EXPECT_EQ(floor.GetWidth(), 524);
    EXPECT_EQ(floor.GetColumns(), 10);
    EXPECT_EQ(floor.GetStyle(), 0x09u);  // inherited
    floor.SetStyle(0x10, 0);
    EXPECT_EQ(floor.GetStyle(), 0x10u);
    floor.SetWidth(40);
    EXPECT_EQ(floor.GetColumns(), 1);
    floor.SetCellSize(-4, 22);  // a pitch of 0 must not divide
    EXPECT_EQ(floor.GetColumns(), 1);

    CRoom room;
    EXPECT_EQ(floor.AddChild(&fresh, 0, 0), nullptr);  // a building is no room
    EXPECT_EQ(test.building.AddChild(&room, 0, 0), nullptr);
    EXPECT_EQ(floor.m_childCount, 0);
}

TEST(MultiSelectModel, RoomsFillTheGridRowByRow) {
    TestBuilding test({12});
    CFloor& floor = test.Floor(0);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(test.Room(0, i).GetX(), 4 + 52 * i);
        EXPECT_EQ(test.Room(0, i).GetY(), 28);
    }
    EXPECT_EQ(test.Room(0, 10).GetX(), 4);
    EXPECT_EQ(test.Room(0, 10).GetY(), 28 + 26);
    EXPECT_EQ(floor.GetHeight(), 80);
    EXPECT_EQ(test.Room(0, 0).m_checkedFill, floor.m_roomColor);
    ElementRect rect;
    test.Room(0, 1).GetRect(&rect);  // building coordinates
    EXPECT_EQ(rect.left, 6 + 56);
    EXPECT_EQ(rect.top, 6 + 28);
    EXPECT_EQ(rect.right - rect.left, 48);
}

TEST(MultiSelectAggregation, StatesFlowFromRoomsToTheBuilding) {
    TestBuilding test;
    EXPECT_EQ(test.building.GetCheck(), kChecked);  // fresh
    auto* floor = static_cast<CFloor*>(test.building.AddChildByName("only", 0, 1));
    EXPECT_EQ(floor->GetCheck(), kChecked);  // an empty floor weighs 2
    EXPECT_EQ(test.building.m_checkSum, 2);
    CRoom* first = new CRoom("a", {});
    first->SetCheck(kUnchecked, 0, 0);
    floor->AddChild(first, 0, 1);
    EXPECT_EQ(floor->GetCheck(), kUnchecked);
    EXPECT_EQ(test.building.GetCheck(), kUnchecked);
    EXPECT_EQ(test.building.m_checkSum, 0);

    floor->AddChildByName("b", 0, 1);
    floor->AddChildByName("c", 0, 1);
    floor->SetAllRooms(kChecked, 1);
    EXPECT_EQ(test.building.m_checkSum, 2);
    const int32_t expected[] = {kMixed, kMixed, kUnchecked};
    const int32_t sums[] = {1, 1, 0};
    for (int i = 0; i < 3; ++i) {
        floor->m_rooms[i]->SetCheck(kUnchecked, 1, 0);
        EXPECT_EQ(floor->GetCheck(), expected[i]);
        EXPECT_EQ(test.building.m_checkSum, sums[i]);
    }
    floor->m_rooms[0]->SetCheck(kChecked, 1, 0);
    floor->ToggleCheck(1, 0);  // a mixed floor checks all
    EXPECT_EQ(floor->m_checkedCount, 3);
    EXPECT_EQ(floor->m_rooms[2]->GetCheck(), kChecked);

    EXPECT_TRUE(test.building.Clear());
    EXPECT_EQ(test.building.GetCheck(), kUnchecked);
    EXPECT_EQ(test.host.clears, 1);
}

TEST(MultiSelectAggregation, RoomStatesAreOnlyZeroOrOne) {
    TestBuilding test({2});
    CRoom& room = test.Room(0, 0);
    room.SetCheck(kUnchecked, 1, 0);
    room.SetCheck(5, 1, 0);  // a state from a message's high word
    EXPECT_EQ(room.GetCheck(), kChecked);
    EXPECT_EQ(test.Floor(0).m_checkedCount, 2);
    EXPECT_EQ(test.Floor(0).GetCheck(), kChecked);
    room.SetCheckChar('U', 1, 0);
    EXPECT_EQ(room.GetCheckChar(), 'U');
    room.SetCheckChar('x', 1, 0);
    EXPECT_EQ(room.GetCheck(), kUnchecked);
    EXPECT_EQ(test.Floor(0).GetCheckChar(), 'M');
}

TEST(MultiSelectNotices, RoomClickThatChangesItsFloorAndTheBuilding) {
    TestBuilding test({2, 1});
    CFloor* floor = &test.Floor(0);
    test.Room(0, 0).ToggleCheck(1, 1);
    const std::vector<RecordedNotice> expected = {
        {Code::CheckChanged, floor, kChecked, kMixed},
        {Code::SelectionChanged, floor, kChecked, kMixed},
        {Code::SelectionChanged, nullptr, kMixed, kMixed},
    };
    EXPECT_EQ(test.host.notices, expected);
    ASSERT_EQ(test.host.repaintedCheckBoxes.size(), 1u);
    EXPECT_EQ(test.host.repaintedCheckBoxes[0], floor);

    test.host.notices.clear();
    test.Room(0, 0).ToggleCheck(1, 0);  // without notify: silent
    EXPECT_TRUE(test.host.notices.empty());
    EXPECT_EQ(test.host.repaintedCheckBoxes.size(), 1u);
}

TEST(MultiSelectNotices, FloorToggleAndWholeBuilding) {
    TestBuilding test({2, 2});
    CFloor* floor = &test.Floor(1);
    floor->ToggleCheck(1, 0);
    std::vector<RecordedNotice> expected = {
        {Code::CheckChanged, floor, kChecked, kMixed},
        {Code::SelectionChanged, floor, kChecked, kMixed},
        {Code::SelectionChanged, nullptr, kMixed, kMixed},
    };
    EXPECT_EQ(test.host.notices, expected);

    test.host.notices.clear();
    test.building.InvertAllFloors();  // mixed stays mixed
    expected = {{Code::SelectionChanged, nullptr, kMixed, kMixed}};
    EXPECT_EQ(test.host.notices, expected);
    EXPECT_EQ(test.Floor(0).GetCheck(), kUnchecked);
    EXPECT_EQ(test.Floor(1).GetCheck(), kChecked);

    test.host.notices.clear();
    test.building.CheckAllFloors(7);
    expected = {{Code::CheckChanged, nullptr, kMixed, kChecked}, {Code::SelectionChanged, nullptr, kMixed, kChecked}};
    EXPECT_EQ(test.host.notices, expected);
    EXPECT_EQ(test.building.m_checkSum, 4);

    test.host.notices.clear();
    test.building.InvertAllFloors();
    expected = {{Code::CheckChanged, nullptr, kChecked, kUnchecked},
                {Code::SelectionChanged, nullptr, kChecked, kUnchecked}};
    EXPECT_EQ(test.host.notices, expected);
    EXPECT_EQ(test.building.m_checkSum, 0);
    EXPECT_EQ(test.Floor(0).m_checkedCount, 0);
}

TEST(MultiSelectNotices, ClearIsRefusedWhileANoticeIsSent) {
    TestBuilding test({3});
    bool cleared = true;
    test.host.onNotice = [&] { cleared = test.building.Clear(); };
    test.Room(0, 1).ToggleCheck(0, 1);
    EXPECT_FALSE(cleared);
    ASSERT_EQ(test.building.m_floors.size(), 1u);
    EXPECT_EQ(test.Floor(0).m_childCount, 3);
    EXPECT_FALSE(test.building.IsNotifying());
    test.host.onNotice = nullptr;
    EXPECT_TRUE(test.building.Clear());
}

TEST(MultiSelectNotices, SuppressedWhileNoticesAreOff) {
    TestBuilding test({1});
    test.building.m_notify = 0;
    test.Room(0, 0).ToggleCheck(1, 1);
    EXPECT_TRUE(test.host.notices.empty());
    EXPECT_EQ(test.building.GetCheck(), kUnchecked);
}

TEST(MultiSelectHandles, ReplacingTheSameHandleDestroysNothing) {
    TestBuilding test;
    CBuilding& building = test.building;
    int first = 0;
    int second = 0;
    EXPECT_EQ(building.SetImageList(&first), nullptr);
    EXPECT_EQ(building.SetImageList(&first), &first);
    EXPECT_TRUE(test.host.released.empty());
    EXPECT_EQ(building.SetImageList(&second), nullptr);
    ASSERT_EQ(test.host.released.size(), 1u);
    EXPECT_EQ(test.host.released[0], &first);

    building.ModifyStyle(TSS_SHAREDIMAGELIST | TSS_SHAREDFONT, 1, 0);
    EXPECT_EQ(building.SetImageList(&first), &second);
    EXPECT_EQ(building.SetFont(&first), nullptr);
    EXPECT_EQ(building.SetFont(&first), &first);
    EXPECT_EQ(building.SetFont(&second), &first);
    EXPECT_EQ(test.host.released.size(), 1u);
    EXPECT_FALSE(building.OwnsFont());
}

TEST(MultiSelectModel, ForeignFloorHandlesAreRecognised) {
    TestBuilding test({1});
    TestBuilding other({1});
    EXPECT_TRUE(test.building.HoldsFloor(&test.Floor(0)));
    EXPECT_FALSE(test.building.HoldsFloor(&other.Floor(0)));
    EXPECT_FALSE(test.building.HoldsFloor(nullptr));
}

TEST(MultiSelectNames, LineBreaksInTheKeptBytesAreFound) {
    EXPECT_TRUE(BreaksTextLine("a\nR:Cx", 47));
    EXPECT_TRUE(BreaksTextLine("a\rb", 47));
    EXPECT_FALSE(BreaksTextLine("plain, with separators|;", 47));
    EXPECT_FALSE(BreaksTextLine("", 47));
    // Past the kept bytes a line break is cut away with the rest.
    const std::string cut = std::string(47, 'x') + "\n";
    EXPECT_FALSE(BreaksTextLine(cut.c_str(), 47));
    EXPECT_TRUE(BreaksTextLine(cut.c_str(), 48));
    const char unterminated[3] = {'a', 'b', 'c'};  // a record's field need not end in a NUL
    EXPECT_FALSE(BreaksTextLine(unterminated, sizeof unterminated));
}

// Under ASan a handle that is read after its element was freed fails here.
TEST(MultiSelectModel, StaleHandlesAreRefusedWithoutBeingRead) {
    TestBuilding test({3, 2});
    CBaseEle* floor = &test.Floor(1);
    CBaseEle* room = &test.Room(0, 2);
    EXPECT_TRUE(test.building.HoldsFloor(floor));
    EXPECT_TRUE(test.building.HoldsRoom(room));
    EXPECT_FALSE(test.building.HoldsRoom(floor));
    EXPECT_FALSE(test.building.HoldsFloor(room));
    EXPECT_FALSE(test.building.HoldsRoom(nullptr));
    ASSERT_TRUE(test.building.Clear());
    EXPECT_FALSE(test.building.HoldsFloor(floor));
    EXPECT_FALSE(test.building.HoldsRoom(room));

    // A floor that got its rooms before it joined brings them along.
    auto* loose = new CFloor();
    CBaseEle* early = loose->AddChildByName("early", 0, 0);
    ASSERT_NE(test.building.AddChild(loose, 0, 1), nullptr);
    CBaseEle* late = loose->AddChildByName("late", 0, 1);
    EXPECT_TRUE(test.building.HoldsRoom(early));
    EXPECT_TRUE(test.building.HoldsRoom(late));
    TestBuilding other({1});
    EXPECT_FALSE(test.building.HoldsRoom(&other.Room(0, 0)));
}

// Appending one by one must not reallocate on every append.
TEST(MultiSelectModel, ContainersGrowByHalfTheirCapacity) {
    TestBuilding test({0});
    CFloor& floor = test.Floor(0);
    size_t growths = 0;
    size_t capacity = floor.m_rooms.capacity();
    for (int i = 0; i < 10000; ++i) {
        ASSERT_NE(floor.AddChildByName("r", 0, 0), nullptr);
        if (floor.m_rooms.capacity() != capacity) {
            EXPECT_GE(floor.m_rooms.capacity(), capacity + capacity / 2);
            capacity = floor.m_rooms.capacity();
            ++growths;
        }
    }
    EXPECT_LE(growths, 25u);  // 1.5^22 > 10,000
}

TEST(MultiSelectNotices, LayoutReportsARecountedState) {
    TestBuilding test({2, 2});
    test.Floor(0).SetAllRooms(kUnchecked, 0);  // silently: the building still says all
    EXPECT_TRUE(test.host.notices.empty());
    EXPECT_EQ(test.building.GetCheck(), kChecked);
    test.building.Layout();
    const std::vector<RecordedNotice> expected = {{Code::CheckChanged, nullptr, kChecked, kMixed}};
    EXPECT_EQ(test.host.notices, expected);
    EXPECT_EQ(test.building.m_checkSum, 2);
    EXPECT_EQ(test.building.m_checkMax, 4);
}
