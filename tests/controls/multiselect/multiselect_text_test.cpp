#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "controls/multiselect/multiselect_text.h"
#include "tests/controls/multiselect/multiselect_test_support.h"

namespace {

const std::string kRule = std::string(61, '-') + "\n";

// Floor "Lobby" with rooms A (checked), B (unchecked), C (checked).
void AddLobby(CBuilding& building) {
    auto* floor = static_cast<CFloor*>(building.AddChildByName("Lobby", 0, 1));
    floor->AddChildByName("A", 0, 1);
    static_cast<CRoom*>(floor->AddChildByName("B", 0, 1))->SetCheck(kUnchecked, 1, 0);
    floor->AddChildByName("C", 0, 1);
}

// Floors, room names and states in one comparable string.
std::string Describe(const CBuilding& building) {
    std::string out;
    for (const auto& floor : building.m_floors) {
        out += "[" + std::string(floor->Name()) + ":" + std::to_string(floor->GetCheck()) + "]";
        for (const auto& room : floor->m_rooms) {
            out += room->GetCheckChar();
            out += room->Name();
            out += ' ';
        }
    }
    return out;
}

// Beside the test, in every build tree (Wine maps no Unix paths).
std::string TempPath(const char* tag) { return std::string("multiselect_text_") + tag + ".txt"; }

}  // namespace

TEST(MultiSelectSave, RowsFollowTheColumnCount) {
    TestBuilding test;
    AddLobby(test.building);
    test.Floor(0).SetColumns(2);
    EXPECT_EQ(BuildingText(test.building, ','), kRule + "F:Lobby\n" + kRule + "R:CA,UB\nR:CC\n");
    test.Floor(0).SetColumns(10);
    EXPECT_EQ(BuildingText(test.building, ','), kRule + "F:Lobby\n" + kRule + "R:CA,UB,CC\n");

    TestBuilding twelve({12, 0});
    const std::string text = BuildingText(twelve.building, ';');
    EXPECT_NE(text.find("R:CR0;CR1;CR2;CR3;CR4;CR5;CR6;CR7;CR8;CR9\nR:CR10;CR11\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 3), "R:\n");  // the empty floor
    // For each floor 127 + name, 2 per row (3 when empty), name + 2 per room.
    const size_t rooms = 10 * 4 + 2 * 5;
    EXPECT_EQ(text.size(), (127 + 2) * 2 + 2 * 2 + 3 + rooms);
}

TEST(MultiSelectSave, BufferSizeIsHonoured) {
    TestBuilding test;
    AddLobby(test.building);
    const std::string text = BuildingText(test.building, ',');
    const int32_t needed = static_cast<int32_t>(text.size()) + 1;
    std::string buffer(200, '#');
    int32_t size = needed - 1;
    EXPECT_EQ(SaveBuildingText(test.building, ',', &buffer[0], &size), 0);
    EXPECT_EQ(size, needed);
    EXPECT_EQ(buffer, std::string(200, '#'));  // nothing written
    size = 0;  // zero asks for the size too, never writes blind
    EXPECT_EQ(SaveBuildingText(test.building, ',', &buffer[0], &size), 0);
    EXPECT_EQ(size, needed);
    size = -5;
    EXPECT_EQ(SaveBuildingText(test.building, ',', &buffer[0], &size), 0);
    EXPECT_EQ(buffer[0], '#');
    size = needed;
    EXPECT_EQ(SaveBuildingText(test.building, ',', &buffer[0], &size), 1);
    EXPECT_EQ(std::string(buffer.c_str()), text);
    EXPECT_EQ(buffer[needed], '#');
    size = 0;
    EXPECT_EQ(SaveBuildingText(test.building, ',', nullptr, &size), 0);
    EXPECT_EQ(size, needed);
    EXPECT_EQ(SaveBuildingText(test.building, ',', &buffer[0], nullptr), 0);
}

TEST(MultiSelectSave, SeparatorsTheFormatUsesAreRefused) {
    TestBuilding test;
    AddLobby(test.building);
    const std::string before = Describe(test.building);
    char buffer[512];
    for (char separator : {'\0', '\r', '\n', 'C', 'U'}) {
        int32_t size = sizeof buffer;
        EXPECT_EQ(SaveBuildingText(test.building, separator, buffer, &size), 0) << int(separator);
        EXPECT_EQ(LoadBuildingText(test.building, "F:x\nR:Ca\n", separator), 0) << int(separator);
        EXPECT_EQ(SaveBuildingFile(test.building, TempPath("sep").c_str(), separator), 0);
    }
    EXPECT_EQ(Describe(test.building), before);
    EXPECT_TRUE(IsUsableSeparator('|'));
    EXPECT_TRUE(IsUsableSeparator('M'));
}

TEST(MultiSelectLoad, RoundTripsThroughMemory) {
    TestBuilding saved({12, 0, 3});
    saved.Room(0, 3).SetCheck(kUnchecked, 1, 0);
    saved.Floor(2).SetAllRooms(kUnchecked, 1);
    std::string text = BuildingText(saved.building, ',');

    TestBuilding loaded;
    ASSERT_EQ(LoadBuildingText(loaded.building, text.c_str(), ','), 1);
    EXPECT_EQ(Describe(loaded.building), Describe(saved.building));
    EXPECT_EQ(loaded.Floor(0).GetCheck(), kMixed);  // recomputed
    EXPECT_EQ(loaded.Floor(1).m_childCount, 0);
    EXPECT_EQ(loaded.Room(0, 11).GetX(), 56);  // placed by the final layout
    EXPECT_EQ(loaded.Room(0, 11).GetY(), 54);
    EXPECT_EQ(loaded.Floor(2).GetY(), 6 + 80 + 6 + 32 + 6);

    std::string crlf;
    for (char c : text) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    TestBuilding fromCrlf;
    ASSERT_EQ(LoadBuildingText(fromCrlf.building, crlf.c_str(), ','), 1);
    EXPECT_EQ(Describe(fromCrlf.building), Describe(saved.building));
}

TEST(MultiSelectLoad, LinesTheWriterNeverWrites) {
    TestBuilding test;
    const std::string longName(60, 'n');
    const std::string text = "R:Corphan\n"  // before any floor
                             "\n"
                             "F:" + longName + "\n"
                             "R:,,Xabc,,U,Cdone,\n"  // runs of separators, an unknown letter, a bare U
                             "something else\n"
                             "F\n"  // no name part
                             "R\n"
                             "F:last";  // no final line end
    ASSERT_EQ(LoadBuildingText(test.building, text.c_str(), ','), 1);
    ASSERT_EQ(test.building.m_floors.size(), 3u);
    EXPECT_EQ(std::string(test.Floor(0).Name()), longName.substr(0, 47));
    EXPECT_EQ(Describe(test.building), "[" + longName.substr(0, 47) + ":2]Cabc U Cdone [:1][last:1]");
    EXPECT_EQ(test.Floor(0).m_checkedCount, 2);

    TestBuilding empty({2});
    ASSERT_EQ(LoadBuildingText(empty.building, "no floors here\n", ','), 1);
    EXPECT_TRUE(empty.building.m_floors.empty());
    EXPECT_EQ(LoadBuildingText(empty.building, nullptr, ','), 0);
}

TEST(MultiSelectLoad, NamesNeverKeepACarriageReturn) {
    // A CR left at a name's end would be taken for a line end after a save.
    TestBuilding test;
    ASSERT_EQ(LoadBuildingText(test.building, "F:a\rb\r\r\nR:Cx\ry,Cz\r\r\nF:end\r", ','), 1);
    EXPECT_EQ(Describe(test.building), "[ab:1]Cxy Cz [end:1]");
    const std::string saved = BuildingText(test.building, ',');
    TestBuilding again;
    ASSERT_EQ(LoadBuildingText(again.building, saved.c_str(), ','), 1);
    EXPECT_EQ(BuildingText(again.building, ','), saved);
}

TEST(MultiSelectLoad, NoticesComparedWithTheStateBeforeTheLoad) {
    TestBuilding test({2});
    ASSERT_EQ(LoadBuildingText(test.building, "F:a\nR:Ux,Uy\n", ','), 1);
    const std::vector<RecordedNotice> expected = {{BuildingNoticeCode::CheckChanged, nullptr, kChecked, kUnchecked}};
    EXPECT_EQ(test.host.notices, expected);  // and no selection notice
    EXPECT_EQ(test.host.clears, 1);

    test.host.notices.clear();
    ASSERT_EQ(LoadBuildingText(test.building, "F:b\nR:Uz\n", ','), 1);
    EXPECT_TRUE(test.host.notices.empty());
    ASSERT_EQ(LoadBuildingText(test.building, "F:b\nR:Cz\n", ','), 1);
    ASSERT_EQ(LoadBuildingText(test.building, "F:c\nR:Cy\n", ','), 1);
    const std::vector<RecordedNotice> once = {{BuildingNoticeCode::CheckChanged, nullptr, kUnchecked, kChecked}};
    EXPECT_EQ(test.host.notices, once) << "a checked building loading a checked one says nothing";
    EXPECT_EQ(test.building.m_notify, 1);
    EXPECT_EQ(test.building.m_suspended, 0);
}

TEST(MultiSelectLoad, RefusedWhileANoticeIsSent) {
    TestBuilding test({2});
    int loaded = -1;
    test.host.onNotice = [&] { loaded = LoadBuildingText(test.building, "F:new\n", ','); };
    test.Room(0, 0).ToggleCheck(0, 1);
    EXPECT_EQ(loaded, 0);
    ASSERT_EQ(test.building.m_floors.size(), 1u);
    EXPECT_EQ(std::string(test.Floor(0).Name()), "F0");
}

TEST(MultiSelectLoad, SeparatorNeverCutsADoubleByteName) {
    // GBK 0x81 0x7C: its second byte is '|'.
    const std::string tricky = "\x81\x7C\xD6\xD0";
    TestBuilding saved({}, GbkLeadBytes());
    auto* floor = static_cast<CFloor*>(saved.building.AddChildByName("\xD6\xD0", 0, 1));
    floor->AddChildByName(tricky.c_str(), 0, 1);
    floor->AddChildByName("b", 0, 1);
    const std::string text = BuildingText(saved.building, '|');
    TestBuilding loaded({}, GbkLeadBytes());
    ASSERT_EQ(LoadBuildingText(loaded.building, text.c_str(), '|'), 1);
    EXPECT_EQ(Describe(loaded.building), Describe(saved.building));
    EXPECT_EQ(loaded.Floor(0).m_childCount, 2);

    // Pairs count from a name's first byte, never from its state letter,
    // and a lone CR (dropped) never pairs: each text is two rooms, found
    // again after a save.
    for (const char* text : {"F:f\nR:\xD7\xD7\xD7|Cb\n", "F:f\nR:Ca\x92\r\xF6|Cb\n"}) {
        TestBuilding first({}, GbkLeadBytes());
        ASSERT_EQ(LoadBuildingText(first.building, text, '|'), 1);
        EXPECT_EQ(first.Floor(0).m_childCount, 2) << text;
        const std::string saved = BuildingText(first.building, '|');
        TestBuilding second({}, GbkLeadBytes());
        ASSERT_EQ(LoadBuildingText(second.building, saved.c_str(), '|'), 1);
        EXPECT_EQ(BuildingText(second.building, '|'), saved);
    }
}

TEST(MultiSelectLoad, RowsLongerThanAReadPieceSurvive) {
    TestBuilding saved({300});
    saved.Floor(0).SetColumns(300);
    const std::string text = BuildingText(saved.building, ',');
    ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), 4);  // one row of about 1500 bytes
    const std::string path = TempPath("long");
    ASSERT_EQ(SaveBuildingFile(saved.building, path.c_str(), ','), 1);
    TestBuilding loaded;
    ASSERT_EQ(LoadBuildingFile(loaded.building, path.c_str(), ','), 1);
    EXPECT_EQ(Describe(loaded.building), Describe(saved.building));
    std::remove(path.c_str());
}

TEST(MultiSelectLoad, MalformedAndHugeTextGivesAClearResult) {
    std::mt19937 random(11);
    std::string noise(1 << 20, '\0');
    for (char& byte : noise) {
        const char alphabet[] = "FRCU:,\r\n\x81\xD6x";
        byte = alphabet[random() % (sizeof alphabet - 1)];
    }
    TestBuilding test({}, GbkLeadBytes());
    EXPECT_EQ(LoadBuildingText(test.building, noise.c_str(), ','), 1);
    for (const auto& floor : test.building.m_floors) {
        EXPECT_LE(floor->GetNameLength(), 47u);
        ASSERT_EQ(floor->m_childCount, static_cast<int32_t>(floor->m_rooms.size()));
    }
    const std::string hugeRow = "F:f\nR:" + std::string(100000, 'C') + ",U" + std::string(100000, '\xD6');
    TestBuilding wide({}, GbkLeadBytes());
    ASSERT_EQ(LoadBuildingText(wide.building, hugeRow.c_str(), ','), 1);
    ASSERT_EQ(wide.Floor(0).m_childCount, 2);
    EXPECT_EQ(wide.Room(0, 0).GetNameLength(), 47u);
    EXPECT_EQ(wide.Room(0, 1).GetNameLength(), 46u);
}

TEST(MultiSelectFile, RoundTripAndFailures) {
    TestBuilding saved;
    AddLobby(saved.building);
    const std::string path = TempPath("file");
    ASSERT_EQ(SaveBuildingFile(saved.building, path.c_str(), ';'), 1);
    TestBuilding loaded({1});
    ASSERT_EQ(LoadBuildingFile(loaded.building, path.c_str(), ';'), 1);
    EXPECT_EQ(Describe(loaded.building), Describe(saved.building));
    std::remove(path.c_str());

    const std::string before = Describe(loaded.building);
    EXPECT_EQ(LoadBuildingFile(loaded.building, path.c_str(), ';'), 0);  // gone
    EXPECT_EQ(LoadBuildingFile(loaded.building, nullptr, ';'), 0);
    EXPECT_EQ(LoadBuildingFile(loaded.building, ".", ';'), 0);  // a folder: natively it opens, but reading fails
    EXPECT_EQ(Describe(loaded.building), before);
    EXPECT_EQ(SaveBuildingFile(saved.building, "/nonexistent-dir/x.txt", ';'), 0);
    EXPECT_EQ(SaveBuildingFile(saved.building, nullptr, ';'), 0);
#ifdef __linux__
    // A full disk: opening succeeds, the writes do not.
    EXPECT_EQ(SaveBuildingFile(saved.building, "/dev/full", ';'), 0);
#endif
}

std::string FileText(const std::string& path) {
    std::string text;
    if (std::FILE* file = std::fopen(path.c_str(), "r")) {
        char piece[256];
        for (size_t got; (got = std::fread(piece, 1, sizeof piece, file)) > 0;) text.append(piece, got);
        std::fclose(file);
    }
    return text;
}

bool FileExists(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (file != nullptr) std::fclose(file);
    return file != nullptr;
}

// Half the text, then a failure: a disk that filled up during the save.
bool WriteHalfThenFail(std::FILE* file, std::string_view text) {
    std::fwrite(text.data(), 1, text.size() / 2, file);
    return false;
}

TEST(MultiSelectFile, AFailedSaveKeepsTheFileThatWasThere) {
    TestBuilding first({2});
    const std::string path = TempPath("keep");
    ASSERT_EQ(SaveBuildingFile(first.building, path.c_str(), ','), 1);
    const std::string kept = FileText(path);
    ASSERT_FALSE(kept.empty());

    TestBuilding second({30, 30});
    EXPECT_EQ(SaveBuildingFile(second.building, path.c_str(), ',', WriteHalfThenFail), 0);
    EXPECT_EQ(FileText(path), kept);
    EXPECT_FALSE(FileExists(path + ".saving")) << "the unfinished file is removed";

    ASSERT_EQ(SaveBuildingFile(second.building, path.c_str(), ','), 1);  // replaces an existing file
    TestBuilding loaded;
    ASSERT_EQ(LoadBuildingFile(loaded.building, path.c_str(), ','), 1);
    EXPECT_EQ(Describe(loaded.building), Describe(second.building));
    EXPECT_FALSE(FileExists(path + ".saving"));
    std::remove(path.c_str());
}

TEST(MultiSelectNames, ListsNamesThatFit) {
    TestBuilding test({2, 3});
    test.Room(0, 1).SetCheck(kUnchecked, 1, 0);
    test.Room(1, 0).SetCheck(kUnchecked, 1, 0);
    test.Room(1, 2).SetName("long-name");

    RoomNameList list = ListRoomNames(test.building, kChecked, ',', nullptr, 0);
    EXPECT_EQ(list.size, 3 + 3 + 10);
    EXPECT_EQ(list.count, 3);
    char buffer[32];
    std::memset(buffer, '#', sizeof buffer);
    list = ListRoomNames(test.building, kChecked, ',', buffer, 16);
    EXPECT_STREQ(buffer, "R0,R1,long-name");
    EXPECT_EQ(list.count, 3);
    EXPECT_EQ(list.size, 16);
    std::memset(buffer, '#', sizeof buffer);
    list = ListRoomNames(test.building, kChecked, ',', buffer, 10);  // the long name is skipped
    EXPECT_STREQ(buffer, "R0,R1");
    EXPECT_EQ(list.count, 2);
    list = ListRoomNames(test.building, 2, '|', buffer, 32);
    EXPECT_STREQ(buffer, "R0|R1|R0|R1|long-name");
    list = ListRoomNames(test.building, kUnchecked, ',', buffer, 32);
    EXPECT_STREQ(buffer, "R1,R0");

    TestBuilding none({2});
    list = ListRoomNames(none.building, kUnchecked, ',', nullptr, 0);
    EXPECT_EQ(list.size, 1);
    EXPECT_EQ(list.count, 0);
    std::memset(buffer, '#', sizeof buffer);
    ListRoomNames(none.building, kUnchecked, ',', buffer, 1);
    EXPECT_EQ(buffer[0], '\0');
    // No room even for the terminator: nothing at all is written.
    std::memset(buffer, '#', sizeof buffer);
    list = ListRoomNames(test.building, 2, ',', buffer + 1, 0);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(std::string(buffer, 3), "###");
    ListRoomNames(test.building, 2, ',', buffer + 1, -1);
    EXPECT_EQ(std::string(buffer, 3), "###");
}

TEST(MultiSelectFind, IndexesAndNamesStayInRange) {
    TestBuilding test({10, 5});
    TestBuilding other({1});
    EXPECT_EQ(FindRoomByIndex(test.building, nullptr, 12), &test.Room(1, 2));
    EXPECT_EQ(FindRoomByIndex(test.building, nullptr, 15), nullptr);
    EXPECT_EQ(FindRoomByIndex(test.building, nullptr, -1), nullptr);
    EXPECT_EQ(FindRoomByIndex(test.building, &test.Floor(1), 4), &test.Room(1, 4));
    EXPECT_EQ(FindRoomByIndex(test.building, &test.Floor(1), 5), nullptr);
    EXPECT_EQ(FindRoomByIndex(test.building, &test.Floor(1), -1), nullptr);
    EXPECT_EQ(FindRoomByIndex(test.building, &other.Floor(0), 0), nullptr);
    EXPECT_EQ(FindRoomByName(test.building, nullptr, "R7"), &test.Room(0, 7));
    EXPECT_EQ(FindRoomByName(test.building, &test.Floor(1), "R3"), &test.Room(1, 3));
    EXPECT_EQ(FindRoomByName(test.building, &test.Floor(1), "R7"), nullptr);
    EXPECT_EQ(FindRoomByName(test.building, nullptr, nullptr), nullptr);
    EXPECT_EQ(FindFloorByIndex(test.building, 1), &test.Floor(1));
    EXPECT_EQ(FindFloorByIndex(test.building, 2), nullptr);
    EXPECT_EQ(FindFloorByIndex(test.building, -1), nullptr);
    EXPECT_EQ(FindFloorByName(test.building, "F1"), &test.Floor(1));
    EXPECT_EQ(FindFloorByName(test.building, nullptr), nullptr);
}
