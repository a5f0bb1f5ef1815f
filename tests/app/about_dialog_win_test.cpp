#include "app/about_dialog_win.h"

#include <gtest/gtest.h>

#include <string>

#include "app/about_text.h"
#include "resources/resource.h"
#include "tests/app/dialog_test_support_win.h"
#include "tests/app/pane_test_support_win.h"

namespace {

// What the dialog showed, gathered while it is open.
struct Shown {
    bool found = false;
    std::wstring caption, version, text;
    LRESULT paragraphLines = 0, blogLine = 0;
    bool bigIcon = false, smallIcon = false;
    LRESULT firstVisibleLine = -1;
    DWORD selectionStart = 1, selectionEnd = 1;
    int focusId = 0;
};
Shown shown;

// Reads the open dialog, then presses Esc in it.
void CALLBACK InspectAndEscape(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = FindThreadDialog();
    if (!dialog) return;
    shown.found = true;
    shown.caption = TextOf(dialog);
    shown.version = TextOf(GetDlgItem(dialog, IDC_ABOUT_VERSION));
    HWND text = GetDlgItem(dialog, IDC_ABOUT_TEXT);
    shown.text = TextOf(text);
    const size_t blog = shown.text.find(L"    我的技术博客");
    shown.paragraphLines = SendMessageW(text, EM_LINEFROMCHAR, shown.text.find(L"\r\n\r\n"), 0) + 1;
    shown.blogLine = SendMessageW(text, EM_LINEFROMCHAR, blog, 0);
    shown.bigIcon = SendMessageW(dialog, WM_GETICON, ICON_BIG, 0) != 0;
    shown.smallIcon = SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0) != 0;
    shown.firstVisibleLine = SendMessageW(text, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageW(text, EM_GETSEL, reinterpret_cast<WPARAM>(&shown.selectionStart),
                 reinterpret_cast<LPARAM>(&shown.selectionEnd));
    HWND focus = GetFocus();
    shown.focusId = GetDlgCtrlID(focus);
    PostMessageW(focus ? focus : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST(AboutDialog, ShowsVersionAndTextAndClosesWithEsc) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 50, 50, 800, 600, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    SetTimer(nullptr, 0, 200, InspectAndEscape);
    EXPECT_EQ(ShowAboutDialog(owner), IDCANCEL);
    DestroyWindow(owner);

    ASSERT_TRUE(shown.found);
    EXPECT_EQ(shown.caption, L"关于 Lumatype");
    EXPECT_EQ(shown.version, reinterpret_cast<const wchar_t*>(WString(AboutVersionLine()).c_str()));
    WString expected;
    for (int i = 0; i < kAboutPieceCount; ++i) expected += AboutPiece(i);
    EXPECT_EQ(shown.text, reinterpret_cast<const wchar_t*>(expected.c_str()));
    // The first three pieces wrap as one paragraph; an empty line follows.
    EXPECT_GT(shown.paragraphLines, 1);
    EXPECT_EQ(shown.blogLine, shown.paragraphLines + 1);
    EXPECT_TRUE(shown.bigIcon);
    EXPECT_TRUE(shown.smallIcon);
    // Readable from its first line, nothing selected; Enter would press "确定".
    EXPECT_EQ(shown.firstVisibleLine, 0);
    EXPECT_EQ(shown.selectionStart, 0u);
    EXPECT_EQ(shown.selectionEnd, 0u);
    EXPECT_EQ(shown.focusId, IDOK);
}

}  // namespace
