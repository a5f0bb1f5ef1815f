// Runs with Wine's ANSI code page 936 (LANG=zh_CN.UTF-8): names are GBK bytes,
// and a trail byte may be any of the ASCII separators a caller picks.
#include <gtest/gtest.h>

#include <string>

#include "tests/controls/multiselect/multiselect_test_support_win.h"

using namespace multiselect_test;

namespace {

// "一楼", "客厅", and "亅" whose second byte is '|'.
const char kFirstFloor[] = "\xD2\xBB\xC2\xA5";
const char kLivingRoom[] = "\xBF\xCD\xCC\xFC";
const char kBarTrail[] = "\x81\x7C";

std::string Repeat(const char* text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

class MultiSelectGbk : public MultiSelectTest {
protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 936u) << "run with LANG=zh_CN.UTF-8";
        control_ = Create(713, 560, 280);
    }

    HWND control_ = nullptr;
};

}  // namespace

TEST_F(MultiSelectGbk, NamesSurviveASaveAndLoadWithABarSeparator) {
    CFloor* floor = AddFloor(control_, kFirstFloor);
    AddRoom(control_, floor, kLivingRoom);
    AddRoom(control_, floor, kBarTrail, 0);
    AddRoom(control_, floor, (std::string(kBarTrail) + kLivingRoom).c_str());

    std::string text(1024, '\0');
    TextRequest request = {text.data(), static_cast<INT>(text.size()), 0, 0, '|'};
    ASSERT_EQ(SendMessageA(control_, TSM_SAVETEXT, 0, reinterpret_cast<LPARAM>(&request)), 1);
    SendMessageA(control_, TSM_CLEAR, 0, 0);
    ASSERT_EQ(SendMessageA(control_, TSM_LOADTEXT, 1, reinterpret_cast<LPARAM>(&request)), 1);

    EXPECT_EQ(SendMessageA(control_, TSM_GETTOTALROOMS, 0, 0), 3) << "'|' inside a character cuts nothing";
    EXPECT_EQ(Names(control_, 0, ','), kBarTrail);
    EXPECT_EQ(Names(control_, 1, ','), std::string(kLivingRoom) + "," + kBarTrail + kLivingRoom);
    FloorInfo info = {};
    info.mask = TSF_NAME;
    info.floor = FloorAt(control_, 0);
    SendMessageA(control_, TSM_GETFLOORINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(info.name, kFirstFloor);
    ShowNow(host_->handle());
}

TEST_F(MultiSelectGbk, LongNamesAreCutBeforeACharacterThatWouldStraddleTheEnd) {
    // 24 characters are 48 bytes; the 24th would straddle byte 47.
    std::string text = "F:" + Repeat(kFirstFloor, 12) + "\nR:C" + Repeat(kLivingRoom, 12) + "|U" +
                       "a" + Repeat(kLivingRoom, 12) + "\n";
    TextRequest request = {text.data(), 0, 0, 0, '|'};
    ASSERT_EQ(SendMessageA(control_, TSM_LOADTEXT, 1, reinterpret_cast<LPARAM>(&request)), 1);
    EXPECT_EQ(Names(control_, 1, ','), Repeat(kLivingRoom, 11) + kLivingRoom[0] + kLivingRoom[1]);
    EXPECT_EQ(Names(control_, 0, ','), "a" + Repeat(kLivingRoom, 11) + kLivingRoom[0] + kLivingRoom[1]);
}
