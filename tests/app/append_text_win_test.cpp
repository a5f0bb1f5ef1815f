#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>

#include "app/append_text_win.h"
#include "app/center_dialog.h"
#include "app/center_dialog_win.h"

namespace {

class RichEditPane : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(LoadLibraryW(L"Riched20.dll"), nullptr);
        pane_ = CreateWindowExW(0, L"RichEdit20W", L"", WS_POPUP | ES_MULTILINE, 0, 0, 300, 200, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(pane_, nullptr);
    }
    void TearDown() override { DestroyWindow(pane_); }

    CHARFORMATW FormatAt(LONG position) {
        CHARRANGE one = {position, position + 1};
        SendMessageW(pane_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
        CHARFORMATW format = {};
        format.cbSize = sizeof format;
        SendMessageW(pane_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        return format;
    }

    HWND pane_ = nullptr;
};

TEST_F(RichEditPane, EachAppendIsARunInItsOwnColourAndWeight) {
    const COLORREF grey = RGB(128, 128, 128), blue = RGB(0, 0, 255), red = RGB(255, 0, 0);
    AppendColoredText(L"<b>", pane_, grey, false);
    AppendColoredText(L"kw", pane_, blue, true);
    AppendColoredText(L"代码", pane_, red, false);

    wchar_t text[32];
    GetWindowTextW(pane_, text, 32);
    EXPECT_STREQ(text, L"<b>kw代码");
    CHARRANGE caret = {};
    SendMessageW(pane_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    EXPECT_EQ(caret.cpMin, 7);
    EXPECT_EQ(caret.cpMax, 7);

    struct Expected { LONG position; COLORREF color; bool bold; };
    for (Expected e : {Expected{0, grey, false}, Expected{2, grey, false}, Expected{3, blue, true},
                       Expected{4, blue, true}, Expected{5, red, false}, Expected{6, red, false}}) {
        CHARFORMATW format = FormatAt(e.position);
        EXPECT_EQ(format.crTextColor, e.color) << e.position;
        EXPECT_EQ((format.dwEffects & CFE_BOLD) != 0, e.bold) << e.position;
        EXPECT_EQ(format.dwEffects & CFE_AUTOCOLOR, 0u) << e.position;
    }
}

TEST(CenterDialogWindow, MovesTheDialogToTheComputedPlace) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 80, 600, 500, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    HWND dialog = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 200, 150, owner,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(owner && dialog);
    CenterDialog(dialog);

    RECT client, placed;
    GetClientRect(owner, &client);
    MapWindowPoints(owner, nullptr, reinterpret_cast<POINT*>(&client), 2);
    GetWindowRect(dialog, &placed);
    CenterDialogInput in = {client.left, client.top, client.right, client.bottom, 200, 150,
                            GetSystemMetrics(SM_CXSIZE), true, GetSystemMetrics(SM_CXSCREEN),
                            GetSystemMetrics(SM_CYSCREEN)};
    DialogPosition expected = CenterDialogPosition(in);
    EXPECT_EQ(placed.left, expected.x);
    EXPECT_EQ(placed.top, expected.y);
    EXPECT_EQ(placed.right - placed.left, 200);
    DestroyWindow(dialog);
    DestroyWindow(owner);
}

}  // namespace
