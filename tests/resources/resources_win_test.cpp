// The program's resources as Windows loads them: menu, accelerators, strings,
// About dialog, icon, cursor and bitmaps.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

HINSTANCE Module() { return GetModuleHandleW(nullptr); }

struct MenuEntry {
    std::wstring text;  // empty for a separator
    UINT id;            // 0 for a separator
};

struct PopupEntry {
    std::wstring text;
    std::vector<MenuEntry> items;
};

std::wstring ItemText(HMENU menu, UINT position) {
    wchar_t text[64] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text;
    info.cch = ARRAYSIZE(text);
    GetMenuItemInfoW(menu, position, TRUE, &info);
    return text;
}

std::vector<MenuEntry> Items(HMENU menu) {
    std::vector<MenuEntry> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        if (info.fType & MFT_SEPARATOR)
            items.push_back({L"", 0});
        else
            items.push_back({ItemText(menu, i), info.wID});
    }
    return items;
}

bool operator==(const MenuEntry& a, const MenuEntry& b) { return a.text == b.text && a.id == b.id; }

TEST(ProgramResources, MainMenuHasTheFourPopupsWithTheirCommands) {
    const std::vector<PopupEntry> expected = {
        {L"文件(&F)",
         {{L"清空代码", IDM_CLEAR_CODE}, {L"粘贴代码", IDM_PASTE_CODE}, {L"减少缩进", IDM_DECREASE_INDENT},
          {L"增加缩进", IDM_INCREASE_INDENT}, {L"", 0}, {L"转换成 HTML", IDM_CONVERT},
          {L"复制 HTML", IDM_COPY_HTML}, {L"", 0}, {L"查看配色", IDM_VIEW_THEME}, {L"", 0},
          {L"退出(&X)", IDM_EXIT}}},
        {L"表格", {{L"生成表格", IDM_GENERATE_TABLE}}},
        {L"工具", {{L"选项", IDM_OPTIONS}}},
        {L"帮助(&H)", {{L"关于(&A) ...", IDM_ABOUT}}},
    };
    HMENU menu = LoadMenuW(Module(), MAKEINTRESOURCEW(IDR_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ItemText(menu, static_cast<UINT>(i)), expected[i].text);
        HMENU popup = GetSubMenu(menu, static_cast<int>(i));
        ASSERT_NE(popup, nullptr);
        EXPECT_TRUE(Items(popup) == expected[i].items);
    }
    DestroyMenu(menu);
}

TEST(ProgramResources, StringsNameTheWindowAndItsClass) {
    wchar_t text[100];
    ASSERT_GT(LoadStringW(Module(), IDS_APP_TITLE, text, ARRAYSIZE(text)), 0);
    EXPECT_STREQ(text, L"Lumatype");
    ASSERT_GT(LoadStringW(Module(), IDS_WINDOW_CLASS, text, ARRAYSIZE(text)), 0);
    EXPECT_STREQ(text, L"LUMATYPE");
}

// Records the commands an accelerator sends to the window.
std::vector<WORD> g_commands;

LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) g_commands.push_back(LOWORD(wParam));
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ProgramResources, AltSlashAndAltQuestionMarkOpenAbout) {
    HACCEL table = LoadAcceleratorsW(Module(), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    ACCEL entries[4] = {};
    ASSERT_EQ(CopyAcceleratorTableW(table, entries, ARRAYSIZE(entries)), 2);
    for (const ACCEL& entry : entries) {
        if (!entry.cmd) continue;
        EXPECT_EQ(entry.fVirt & (FALT | FVIRTKEY | FCONTROL | FSHIFT), FALT);
        EXPECT_EQ(entry.cmd, IDM_ABOUT);
    }
    EXPECT_EQ(entries[0].key, L'/');
    EXPECT_EQ(entries[1].key, L'?');

    // What the keyboard produces for Alt and a character key: WM_SYSCHAR
    // with the context bit (29) set while VK_MENU is down, which is what
    // Wine's TranslateAcceleratorW looks at. Without Alt the character is
    // plain typing and must reach the focused control.
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = RecordCommands;
    windowClass.hInstance = Module();
    windowClass.lpszClassName = L"AcceleratorTarget";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"AcceleratorTarget", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, Module(), nullptr);
    ASSERT_NE(window, nullptr);
    BYTE keys[256] = {};
    for (wchar_t key : {L'/', L'?'}) {
        g_commands.clear();
        keys[VK_MENU] = 0x80;
        SetKeyboardState(keys);
        MSG sysChar = {window, WM_SYSCHAR, key, 1 | (1 << 29), 0, {}};
        EXPECT_TRUE(TranslateAcceleratorW(window, table, &sysChar)) << static_cast<char>(key);
        EXPECT_EQ(g_commands, std::vector<WORD>{IDM_ABOUT});
        keys[VK_MENU] = 0;
        SetKeyboardState(keys);
        MSG plainChar = {window, WM_CHAR, key, 1, 0, {}};
        EXPECT_FALSE(TranslateAcceleratorW(window, table, &plainChar));
    }
    DestroyWindow(window);
    DestroyAcceleratorTable(table);
}

INT_PTR CALLBACK IgnoreEverything(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

RECT RectIn(HWND dialog, int id) {
    RECT rect = {};
    HWND control = GetDlgItem(dialog, id);
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST(ProgramResources, AboutDialogShowsTheWholeBannerAboveItsTexts) {
    HWND dialog = CreateDialogParamW(Module(), MAKEINTRESOURCEW(IDD_ABOUT), nullptr, IgnoreEverything, 0);
    ASSERT_NE(dialog, nullptr);
    wchar_t text[64];
    GetWindowTextW(dialog, text, ARRAYSIZE(text));
    EXPECT_STREQ(text, L"关于 Lumatype");
    for (int id : {IDC_ABOUT_BANNER, IDC_ABOUT_TEXT, IDC_ABOUT_VERSION, IDOK})
        EXPECT_NE(GetDlgItem(dialog, id), nullptr) << id;
    GetDlgItemTextW(dialog, IDC_ABOUT_VERSION, text, ARRAYSIZE(text));
    EXPECT_STREQ(text, L"Lumatype 代码转换 1.0 版");
    GetDlgItemTextW(dialog, IDOK, text, ARRAYSIZE(text));
    EXPECT_STREQ(text, L"确定");
    EXPECT_EQ(GetWindowLongW(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    HWND edit = GetDlgItem(dialog, IDC_ABOUT_TEXT);
    const LONG wanted = ES_MULTILINE | ES_READONLY | WS_VSCROLL;
    EXPECT_EQ(GetWindowLongW(edit, GWL_STYLE) & wanted, wanted);
    // The dialog manager turns an edit's WS_BORDER into a sunken client edge.
    EXPECT_TRUE((GetWindowLongW(edit, GWL_STYLE) & WS_BORDER) ||
                (GetWindowLongW(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));

    // A bitmap static takes the bitmap's size; the dialog must be wide
    // enough for it at the dialog font's scaling, and nothing may cover it.
    RECT client;
    GetClientRect(dialog, &client);
    const RECT banner = RectIn(dialog, IDC_ABOUT_BANNER);
    EXPECT_EQ(banner.right - banner.left, 512);
    EXPECT_EQ(banner.bottom - banner.top, 128);
    EXPECT_LE(banner.right, client.right);
    for (int id : {IDC_ABOUT_VERSION, IDC_ABOUT_TEXT, IDOK}) {
        const RECT below = RectIn(dialog, id);
        EXPECT_GE(below.top, banner.bottom) << id;
        EXPECT_LE(below.right, client.right) << id;
        EXPECT_LE(below.bottom, client.bottom) << id;
    }
    DestroyWindow(dialog);
}

TEST(ProgramResources, IconHoldsSixteenThirtyTwoAndFortyEightPixelImages) {
    HRSRC found = FindResourceW(Module(), MAKEINTRESOURCEW(IDI_LUMATYPE), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    // The group directory: three WORDs, then 14-byte entries starting with width and height.
    const BYTE* group = static_cast<const BYTE*>(LockResource(LoadResource(Module(), found)));
    const WORD count = *reinterpret_cast<const WORD*>(group + 4);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) sizes.push_back(group[6 + 14 * i]);
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

TEST(ProgramResources, SplitterCursorIsMonochromeWithItsHotSpotBetweenTheBars) {
    HCURSOR cursor = static_cast<HCURSOR>(
        LoadImageW(Module(), MAKEINTRESOURCEW(IDCUR_SPLITTER), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 9u);
    EXPECT_EQ(info.yHotspot, 9u);
    // A monochrome cursor has no colour bitmap; its mask holds AND over XOR.
    EXPECT_EQ(info.hbmColor, nullptr);
    const SIZE mask = BitmapSize(info.hbmMask);
    EXPECT_EQ(mask.cx, 32);
    EXPECT_EQ(mask.cy, 64);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DestroyCursor(cursor);
}

DIBSECTION LoadDib(int id) {
    DIBSECTION dib = {};
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap) GetObjectW(bitmap, sizeof dib, &dib);
    return dib;
}

TEST(ProgramResources, BitmapsHaveTheirSizesAndTheToolbarItsTransparentColour) {
    const DIBSECTION banner = LoadDib(IDB_ABOUT_BANNER);
    EXPECT_EQ(banner.dsBm.bmWidth, 512);
    EXPECT_EQ(banner.dsBm.bmHeight, 128);
    EXPECT_EQ(banner.dsBm.bmBitsPixel, 24);

    const DIBSECTION strip = LoadDib(IDB_TOOLBAR);
    ASSERT_EQ(strip.dsBm.bmWidth, 288);
    ASSERT_EQ(strip.dsBm.bmHeight, 32);
    ASSERT_EQ(strip.dsBm.bmBitsPixel, 24);
    // Each used image: magenta in its corners (the image list masks it out)
    // and a drawing in its middle.
    const BYTE* bits = static_cast<const BYTE*>(strip.dsBm.bmBits);
    auto isMagenta = [&](int x, int y) {  // bottom-up rows of blue, green, red
        const BYTE* pixel = bits + (31 - y) * strip.dsBm.bmWidthBytes + 3 * x;
        return pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 255;
    };
    for (int image = 1; image < 9; ++image) {
        SCOPED_TRACE(image);
        const int left = 32 * image;
        EXPECT_TRUE(isMagenta(left, 0) && isMagenta(left + 31, 0) && isMagenta(left, 31) &&
                    isMagenta(left + 31, 31));
        int drawn = 0;
        for (int y = 8; y < 24; ++y)
            for (int x = left + 8; x < left + 24; ++x) drawn += !isMagenta(x, y);
        EXPECT_GT(drawn, 64);
    }
}

}  // namespace
