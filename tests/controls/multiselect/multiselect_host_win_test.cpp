// What a demanding host meets at the window level: the scroll messages'
// result, suspended updates, single rooms of folded floors, and the control
// inside a dialog.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/controls/multiselect/multiselect_test_support_win.h"

using namespace multiselect_test;

namespace {

constexpr int kControlId = 713;
constexpr COLORREF kHeaderFill = RGB(0, 64, 128);

class MultiSelectHost : public MultiSelectTest {
protected:
    static HWND Create(int width, int height) { return MultiSelectTest::Create(kControlId, width, height); }
};

bool HasUpdate(HWND window) { return GetUpdateRect(window, nullptr, FALSE) != FALSE; }

// A dialog template in memory: one multi-select control and one button.
std::vector<WORD> DialogWithControl() {
    std::vector<WORD> words;
    auto add = [&](std::initializer_list<WORD> items) { words.insert(words.end(), items); };
    auto addDword = [&](DWORD value) { add({LOWORD(value), HIWORD(value)}); };
    auto addText = [&](const wchar_t* text) {
        do words.push_back(static_cast<WORD>(*text)); while (*text++);
    };
    auto align = [&] {
        if (words.size() % 2) words.push_back(0);
    };
    addDword(WS_POPUP | WS_VISIBLE | DS_MODALFRAME);
    addDword(0);
    add({2, 0, 0, 200, 120, 0, 0, 0});  // items, x, y, cx, cy, no menu, default class, no title
    align();
    addDword(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    addDword(0);
    add({4, 4, 150, 50, kControlId});
    addText(L"TessellaByKestrune");
    add({0, 0});  // no title, no creation data
    align();
    addDword(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON);
    addDword(0);
    add({4, 70, 50, 14, IDOK, 0xFFFF, 0x0080});
    addText(L"OK");
    add({0});
    return words;
}

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

TEST_F(MultiSelectHost, ScrollMessagesAnswerOne) {
    HWND control = Create(300, 100);
    for (const char* name : {"A", "B", "C"}) AddFloorWithRooms(control, name, 30);
    EXPECT_EQ(SendMessageA(control, WM_VSCROLL, SB_LINEDOWN, 0), 1);
    EXPECT_EQ(GetScrollPos(control, SB_VERT), kLine);
    EXPECT_EQ(SendMessageA(control, WM_HSCROLL, SB_LINEDOWN, 0), 1);
    EXPECT_EQ(SendMessageA(control, WM_VSCROLL, 99, 0), 1) << "an unknown code too";
}

TEST_F(MultiSelectHost, SuspendedUpdatesRepaintNothingUntilTheEnd) {
    HWND control = Create(560, 200);
    AddFloorWithRooms(control, "A", 3);
    ShowNow(host_->handle());
    ASSERT_FALSE(HasUpdate(control));
    SendMessageA(control, TSM_BEGINUPDATE, 0, 0);
    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } changes[] = {
        {TSM_SETSTYLE, 1, TSS_FLATCHECKS},
        {TSM_MODIFYSTYLE, MAKEWPARAM(1, 1), TSS_BORDER},
        {TSM_SETIMAGELIST, 1, 0},
        {TSM_SETFONT, 0, 1},
        {TSM_SETFLOORIMAGES, 1, MAKELPARAM(0, 1)},
        {TSM_SETFLOORWIDTH, 1, 400},
        {TSM_SETROOMSIZE, 1, MAKELPARAM(60, 30)},
    };
    for (const auto& change : changes) {
        SendMessageA(control, change.message, change.wParam, change.lParam);
        EXPECT_FALSE(HasUpdate(control)) << "message " << change.message - TSM_CLEAR << " above WM_USER+100";
    }
    SendMessageA(control, TSM_ENDUPDATE, 0, 0);
    EXPECT_TRUE(HasUpdate(control));
    ShowNow(host_->handle());
    // The larger rooms show: 60 wide from x = 6 + 4 (plus the border).
    const COLORREF checked = RGB(255, 200, 128);
    EXPECT_EQ(ReadPixel(control, 10 + 56 + kBorder, kBuildingSpacing + kHeader + 4 + 15 + kBorder), checked);
}

TEST_F(MultiSelectHost, ARoomOfAFoldedFloorLeavesTheHeaderAlone) {
    HWND control = Create(560, 200);
    CFloor* floor = AddFloorWithRooms(control, "A", 12);
    SendMessageA(control, TSM_EXPANDFLOOR, MAKEWPARAM(1, 0), reinterpret_cast<LPARAM>(floor));
    ShowNow(host_->handle());
    // Folded, the second row (rooms 10 and 11) lies over the header.
    const POINT header = {kBuildingSpacing + kFloorSpacing + 52 + 20 + kBorder, kBuildingSpacing + 12 + kBorder};
    ASSERT_EQ(ReadPixel(control, header.x, header.y), kHeaderFill);
    CRoom* room = RoomNamed(control, "r11");
    SendMessageA(control, TSM_TOGGLEROOM, 1, reinterpret_cast<LPARAM>(room));
    SendMessageA(control, TSM_CHECKROOM, MAKEWPARAM(1, 1), reinterpret_cast<LPARAM>(room));
    RoomInfo info = {};
    info.mask = TSF_COLORS;
    info.room = room;
    info.checkedFill = info.normalFill = RGB(255, 0, 0);
    SendMessageA(control, TSM_SETROOMINFO, 0, reinterpret_cast<LPARAM>(&info));
    ShowNow(host_->handle());
    EXPECT_EQ(ReadPixel(control, header.x, header.y), kHeaderFill);
    EXPECT_EQ(RoomCheck(control, room), 1);
}

TEST_F(MultiSelectHost, InADialogTheArrowKeysScrollTheControl) {
    const std::vector<WORD> layout = DialogWithControl();
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(layout.data()),
                                             host_->handle(), QuietDialog, 0);
    ASSERT_NE(dialog, nullptr);
    HWND control = GetDlgItem(dialog, kControlId);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
    for (const char* name : {"A", "B", "C"}) AddFloorWithRooms(control, name, 30);
    SetFocus(control);
    ASSERT_EQ(GetFocus(), control);

    MSG key = {control, WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
    EXPECT_TRUE(IsDialogMessageA(dialog, &key));
    EXPECT_EQ(GetScrollPos(control, SB_VERT), kLine);
    EXPECT_EQ(GetFocus(), control) << "the dialog did not take the key for moving the focus";
    DestroyWindow(dialog);
}
