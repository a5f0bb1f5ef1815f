#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/controls/multiselect/multiselect_test_support_win.h"

using namespace multiselect_test;

namespace {

constexpr int kControlId = 712;

class MultiSelectText : public MultiSelectTest {
protected:
    void SetUp() override { control_ = Create(kControlId, 560, 280); }

    LRESULT Send(UINT message, WPARAM wParam, const void* record) {
        return SendMessageA(control_, message, wParam, reinterpret_cast<LPARAM>(record));
    }

    // Floor "A" with a, bb (unchecked), ccc; floor "B" with d.
    void AddSample() {
        CFloor* a = AddFloor(control_, "A");
        AddRoom(control_, a, "a");
        AddRoom(control_, a, "bb", 0);
        AddRoom(control_, a, "ccc");
        AddRoom(control_, AddFloor(control_, "B"), "d");
    }

    std::string SaveText(char separator) {
        std::string text(4096, '\0');
        TextRequest request = {text.data(), static_cast<INT>(text.size()), 0, 0, separator};
        EXPECT_EQ(Send(TSM_SAVETEXT, 0, &request), 1);
        text.resize(std::strlen(text.c_str()));
        return text;
    }

    LRESULT LoadText(std::string text, char separator) {
        TextRequest request = {text.data(), 0, 0, 0, separator};
        return Send(TSM_LOADTEXT, 1, &request);
    }

    HWND control_ = nullptr;
};

std::string TempPath(const char* name) {
    char directory[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, directory);
    return std::string(directory) + name;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST_F(MultiSelectText, NamesListFitsTheBufferItIsGiven) {
    AddSample();
    TextRequest request = {nullptr, 0, 1, 0, ','};
    EXPECT_EQ(Send(TSM_GETNAMES, 0, &request), 8) << "a, ccc, d, their separators and the NUL";
    EXPECT_EQ(request.count, 3);

    char exact[8];
    request = {exact, sizeof exact, 1, 0, ','};
    EXPECT_EQ(Send(TSM_GETNAMES, 0, &request), 8);
    EXPECT_STREQ(exact, "a,ccc,d");
    EXPECT_EQ(request.count, 3);

    char one[2] = {'x', 'y'};
    request = {one, 1, 1, 0, ','};
    EXPECT_EQ(Send(TSM_GETNAMES, 0, &request), 1);
    EXPECT_EQ(one[0], '\0');
    EXPECT_EQ(one[1], 'y');
    EXPECT_EQ(request.count, 0);

    char untouched = 'z';
    for (INT size : {0, -5}) {
        request = {&untouched, size, 2, 0, ','};
        Send(TSM_GETNAMES, 0, &request);
        EXPECT_EQ(untouched, 'z') << size;
    }
    EXPECT_EQ(Names(control_, 0), "bb");
    EXPECT_EQ(Names(control_, 2, '|'), "a|bb|ccc|d");

    // Any non-zero state checks: a room must never be counted but not listed.
    RoomInfo odd = {};
    odd.mask = TSF_NAME | TSF_CHECK;
    odd.floor = FloorAt(control_, 0);
    odd.check = 7;
    std::strcpy(odd.name, "e");
    odd.room = reinterpret_cast<CRoom*>(Send(TSM_ADDROOM, 0, &odd));
    EXPECT_EQ(RoomCheck(control_, odd.room), 1);
    odd.check = 2;
    odd.mask = TSF_CHECK;
    odd.room = RoomNamed(control_, "bb");
    Send(TSM_SETROOMINFO, 0, &odd);
    EXPECT_EQ(Names(control_, 1), "a,bb,ccc,e,d");
    EXPECT_EQ(SendMessageA(control_, TSM_GETCHECK, 0, 0), 1);
}

TEST_F(MultiSelectText, FindRoomCountsAcrossFloorsAndRefusesOutsideIndexes) {
    CFloor* first = AddFloorWithRooms(control_, "ten", 10);
    CFloor* second = AddFloor(control_, "five");
    CRoom* rooms[5];
    for (int i = 0; i < 5; ++i) rooms[i] = AddRoom(control_, second, ("s" + std::to_string(i)).c_str());

    FindRequest request = {nullptr, 1, 12, nullptr};
    EXPECT_EQ(Send(TSM_FINDROOM, 0, &request), reinterpret_cast<LRESULT>(rooms[2]));
    request = {nullptr, 1, 15, nullptr};
    EXPECT_EQ(Send(TSM_FINDROOM, 0, &request), 0);
    request = {nullptr, 1, -1, nullptr};
    EXPECT_EQ(Send(TSM_FINDROOM, 0, &request), 0);
    request = {reinterpret_cast<CBaseEle*>(first), 1, 10, nullptr};
    EXPECT_EQ(Send(TSM_FINDROOM, 0, &request), 0) << "outside the given floor";
    request = {reinterpret_cast<CBaseEle*>(second), 1, 4, nullptr};
    EXPECT_EQ(Send(TSM_FINDROOM, 0, &request), reinterpret_cast<LRESULT>(rooms[4]));
    request = {nullptr, 0, 0, "s3"};
    EXPECT_EQ(Send(TSM_FINDROOM, 0, &request), reinterpret_cast<LRESULT>(rooms[3]));
    request = {nullptr, 0, 0, nullptr};
    EXPECT_EQ(Send(TSM_FINDROOM, 0, &request), 0);
    request = {nullptr, 0, 0, "five"};
    EXPECT_EQ(Send(TSM_FINDFLOOR, 0, &request), reinterpret_cast<LRESULT>(second));
    EXPECT_EQ(request.element, reinterpret_cast<CBaseEle*>(second));
}

TEST_F(MultiSelectText, NullRecordsAndPointersChangeNothing) {
    AddSample();
    for (UINT message : {TSM_ADDFLOOR, TSM_ADDROOM, TSM_GETNAMES, TSM_SETFLOORINFO, TSM_SETROOMINFO, TSM_SAVEFILE,
                         TSM_LOADFILE, TSM_SAVETEXT, TSM_LOADTEXT, TSM_FINDFLOOR, TSM_FINDROOM, TSM_GETROOMCOUNT,
                         TSM_CHECKFLOOR, TSM_CHECKROOM, TSM_TOGGLEROOM, TSM_EXPANDFLOOR}) {
        EXPECT_EQ(SendMessageA(control_, message, 1, 0), 0) << message;
    }
    RoomInfo room = {};
    room.mask = TSF_NAME;
    EXPECT_EQ(Send(TSM_ADDROOM, 0, &room), 0) << "no floor";
    TextRequest request = {nullptr, 0, 0, 0, ','};
    EXPECT_EQ(Send(TSM_SAVEFILE, 0, &request), 0);
    EXPECT_EQ(Send(TSM_LOADFILE, 1, &request), 0);
    EXPECT_EQ(Names(control_, 2), "a,bb,ccc,d");
    EXPECT_EQ(SendMessageA(control_, TSM_GETTOTALROOMS, 0, 0), 4);
}

TEST_F(MultiSelectText, FileRoundTripWritesCrLfAndRestoresStates) {
    AddSample();
    const std::string path = TempPath("multiselect-round-trip.txt");
    TextRequest request = {const_cast<char*>(path.c_str()), 0, 0, 0, ','};
    ASSERT_EQ(Send(TSM_SAVEFILE, 0, &request), 1);
    const std::string line(61, '-');
    EXPECT_EQ(ReadBytes(path), line + "\r\nF:A\r\n" + line + "\r\nR:Ca,Ubb,Cccc\r\n" + line + "\r\nF:B\r\n" + line +
                                   "\r\nR:Cd\r\n");

    SendMessageA(control_, TSM_CLEAR, 0, 0);
    ASSERT_EQ(Send(TSM_LOADFILE, 1, &request), 1);
    EXPECT_EQ(SendMessageA(control_, TSM_GETFLOORCOUNT, 0, 0), 2);
    EXPECT_EQ(Names(control_, 1), "a,ccc,d");
    EXPECT_EQ(Names(control_, 0), "bb");
    EXPECT_EQ(SendMessageA(control_, TSM_GETCHECK, 0, 0), 2);
    DeleteFileA(path.c_str());

    request.text = const_cast<char*>("Z:\\no\\such\\folder\\x.txt");
    EXPECT_EQ(Send(TSM_LOADFILE, 1, &request), 0);
    EXPECT_EQ(Send(TSM_SAVEFILE, 0, &request), 0);
    EXPECT_EQ(Names(control_, 2), "a,bb,ccc,d") << "a failed load leaves the building";
}

// Wine maps Z: to the root: /dev/full opens, and every write to it fails.
TEST_F(MultiSelectText, SaveReportsAFullDiskAsFailure) {
    const char* full = "Z:\\dev\\full";
    FILE* probe = std::fopen(full, "w");
    ASSERT_NE(probe, nullptr) << "the failure must come from writing, not opening";
    std::fclose(probe);
    AddSample();
    TextRequest request = {const_cast<char*>(full), 0, 0, 0, ','};
    EXPECT_EQ(Send(TSM_SAVEFILE, 0, &request), 0);
}

TEST_F(MultiSelectText, MemoryRoundTripTakesBothLineEnds) {
    AddSample();
    const std::string saved = SaveText(';');
    EXPECT_NE(saved.find("F:A\n" + std::string(61, '-') + "\nR:Ca;Ubb;Cccc\n"), std::string::npos) << saved;
    std::string crlf;
    for (char c : saved) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);

    for (const std::string& text : {saved, crlf}) {
        SendMessageA(control_, TSM_CLEAR, 0, 0);
        ASSERT_EQ(LoadText(text, ';'), 1);
        EXPECT_EQ(Names(control_, 1), "a,ccc,d");
        EXPECT_EQ(Names(control_, 0), "bb");
        EXPECT_EQ(SaveText(';'), saved);
    }
    host_->ClearNotices();
    ASSERT_EQ(LoadText("F:only\nR:Ux\n", ';'), 1);
    for (const ReceivedNotice& notice : host_->notices()) {
        EXPECT_NE(notice.header.code, static_cast<UINT>(TSN_SELCHANGED)) << "a load sends no selection change";
    }
}

TEST_F(MultiSelectText, SaveToMemoryHonoursTheBufferSize) {
    AddSample();
    const std::string whole = SaveText(',');
    char small[16];
    std::memset(small, '#', sizeof small);
    TextRequest request = {small, sizeof small, 0, 0, ','};
    EXPECT_EQ(Send(TSM_SAVETEXT, 0, &request), 0);
    EXPECT_EQ(request.size, static_cast<INT>(whole.size() + 1));
    EXPECT_EQ(small[0], '#') << "nothing written";

    std::string exact(whole.size() + 1, '#');
    request = {exact.data(), static_cast<INT>(exact.size()), 0, 0, ','};
    EXPECT_EQ(Send(TSM_SAVETEXT, 0, &request), 1);
    EXPECT_EQ(exact, whole + '\0');
}

TEST_F(MultiSelectText, SeparatorsThatCannotSeparateAreRefused) {
    AddSample();
    const std::string path = TempPath("multiselect-separator.txt");
    char buffer[512] = {};
    for (char separator : {'\0', '\r', '\n', 'C', 'U'}) {
        TextRequest request = {buffer, sizeof buffer, 0, 0, separator};
        EXPECT_EQ(Send(TSM_SAVETEXT, 0, &request), 0) << int(separator);
        request.text = const_cast<char*>(path.c_str());
        EXPECT_EQ(Send(TSM_SAVEFILE, 0, &request), 0) << int(separator);
        char text[] = "F:x\nR:Cy\n";
        request.text = text;
        EXPECT_EQ(Send(TSM_LOADTEXT, 1, &request), 0) << int(separator);
    }
    EXPECT_EQ(Names(control_, 2), "a,bb,ccc,d");
}

TEST_F(MultiSelectText, FloorHandlesOfOtherBuildingsAreRefused) {
    CFloor* stale = AddFloor(control_, "gone");
    SendMessageA(control_, TSM_CLEAR, 0, 0);
    EXPECT_EQ(AddRoom(control_, stale, "x"), nullptr);

    HWND other = Create(kControlId + 1, 100, 100);
    CFloor* foreign = AddFloorWithRooms(other, "other", 2);
    AddFloor(control_, "mine");
    EXPECT_EQ(AddRoom(control_, foreign, "x"), nullptr);
    EXPECT_EQ(SendMessageA(control_, TSM_GETROOMCOUNT, 0, reinterpret_cast<LPARAM>(foreign)), 0);
    EXPECT_EQ(SendMessageA(control_, TSM_GETTOTALROOMS, 0, 0), 0);
    EXPECT_EQ(SendMessageA(other, TSM_GETTOTALROOMS, 0, 0), 2);
}

TEST_F(MultiSelectText, NamesWithLineBreaksNeverEnter) {
    AddSample();
    EXPECT_EQ(AddFloor(control_, "a\nR:Cx"), nullptr);
    EXPECT_EQ(AddRoom(control_, FloorAt(control_, 0), "a\nb"), nullptr);
    EXPECT_EQ(AddRoom(control_, FloorAt(control_, 0), "a\rb"), nullptr);
    EXPECT_EQ(SendMessageA(control_, TSM_GETFLOORCOUNT, 0, 0), 2);

    // Setting keeps the old name and applies the other fields.
    FloorInfo floor = {};
    floor.mask = TSF_NAME | TSF_USERDATA;
    floor.floor = FloorAt(control_, 1);
    std::strcpy(floor.name, "x\ry");
    floor.userData = 42;
    Send(TSM_SETFLOORINFO, 0, &floor);
    RoomInfo room = {};
    room.mask = TSF_NAME;
    room.room = RoomNamed(control_, "d");
    std::strcpy(room.name, "d\n");
    Send(TSM_SETROOMINFO, 0, &room);
    floor.mask = TSF_NAME | TSF_USERDATA;
    floor.userData = 0;
    Send(TSM_GETFLOORINFO, 0, &floor);
    EXPECT_STREQ(floor.name, "B");
    EXPECT_EQ(floor.userData, 42);
    EXPECT_EQ(Names(control_, 2), "a,bb,ccc,d");

    const std::string saved = SaveText(',');
    ASSERT_EQ(LoadText(saved, ','), 1);
    EXPECT_EQ(SaveText(','), saved) << "the same building comes back";
}

TEST_F(MultiSelectText, StaleRoomHandlesAreRefused) {
    AddSample();
    CRoom* stale = RoomNamed(control_, "bb");
    ASSERT_EQ(LoadText("F:new\nR:Ufresh\n", ','), 1);
    EXPECT_EQ(SendMessageA(control_, TSM_CHECKROOM, MAKEWPARAM(1, 1), reinterpret_cast<LPARAM>(stale)), 0);
    EXPECT_EQ(SendMessageA(control_, TSM_TOGGLEROOM, 1, reinterpret_cast<LPARAM>(stale)), 0);
    RoomInfo info = {};
    info.mask = TSF_NAME | TSF_CHECK;
    info.room = stale;
    info.check = 7;
    Send(TSM_GETROOMINFO, 0, &info);
    EXPECT_EQ(info.check, 7) << "nothing read";
    Send(TSM_SETROOMINFO, 0, &info);
    EXPECT_EQ(Names(control_, 1), "");
    EXPECT_EQ(Names(control_, 0), "fresh");
}
