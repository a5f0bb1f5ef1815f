#include "app/theme_viewer_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main_window_state_win.h"
#include "app/theme_viewer.h"
#include "base/module_path.h"
#include "main_window_test_support_win.h"
#include "resources/resource.h"
#include "tests/app/dialog_test_support_win.h"
#include "tests/app/pane_test_support_win.h"
#include "tests/support/temp_file.h"

namespace {

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
std::wstring Wide(const WString& text) { return Wide(text.c_str()); }

// What the fields say while one role is shown.
struct RoleShown {
    int selected = -1;
    std::wstring html, components;
};

struct Shown {
    bool found = false;
    std::wstring caption, themeName;
    std::vector<std::wstring> labels;
    RoleShown first;
    bool bigIcon = false, smallIcon = false;
};

RoleShown ReadRole(HWND dialog) {
    RoleShown role;
    role.selected = static_cast<int>(SendDlgItemMessageW(dialog, IDC_THEME_VIEWER_ROLES, LB_GETCURSEL, 0, 0));
    role.html = TextOf(GetDlgItem(dialog, IDC_THEME_VIEWER_HTML));
    role.components = TextOf(GetDlgItem(dialog, IDC_THEME_VIEWER_RGB));
    return role;
}

// Selects a role as a click in the list does.
RoleShown SelectRole(HWND dialog, ColorRole role) {
    HWND list = GetDlgItem(dialog, IDC_THEME_VIEWER_ROLES);
    SendMessageW(list, LB_SETCURSEL, static_cast<int>(role), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_THEME_VIEWER_ROLES, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return ReadRole(dialog);
}

// The swatch as the dialog paints it into a white bitmap with the
// swatch's own font: its pixels, row by row.
class SwatchPicture {
public:
    static constexpr int kWidth = 160, kHeight = 24, kLabelLeft = 27;

    explicit SwatchPicture(HWND dialog) {
        HWND swatch = GetDlgItem(dialog, IDC_THEME_VIEWER_SWATCH);
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
        ReleaseDC(nullptr, screen);
        HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
        HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(swatch, WM_GETFONT, 0, 0)));
        const RECT all = {0, 0, kWidth, kHeight};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_STATIC;
        item.CtlID = IDC_THEME_VIEWER_SWATCH;
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = swatch;
        item.hDC = dc;
        item.rcItem = all;
        SendMessageW(dialog, WM_DRAWITEM, IDC_THEME_VIEWER_SWATCH, reinterpret_cast<LPARAM>(&item));
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) pixels_.push_back(GetPixel(dc, x, y));
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }

    COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y * kWidth + x)]; }
    // Pixels of `color` inside the box's outline, right of the swatch block,
    // where the label is written.
    int LabelPixels(COLORREF color) const {
        int count = 0;
        for (int y = 1; y < kHeight - 1; ++y)
            for (int x = kLabelLeft; x < kWidth - 1; ++x) count += At(x, y) == color;
        return count;
    }
    static constexpr int LabelAreaSize() { return (kHeight - 2) * (kWidth - 1 - kLabelLeft); }

private:
    std::vector<COLORREF> pixels_;
};

std::function<void(HWND dialog)> inspect;
Shown shown;

// Reads the open viewer, runs the test's own checks, then presses "关闭".
void CALLBACK InspectAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = FindThreadDialog();
    if (!dialog) return;
    shown.found = true;
    shown.caption = TextOf(dialog);
    shown.themeName = TextOf(GetDlgItem(dialog, IDC_THEME_VIEWER_NAME));
    HWND list = GetDlgItem(dialog, IDC_THEME_VIEWER_ROLES);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t label[64] = L"";
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < 64) SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(label));
        shown.labels.push_back(label);
    }
    shown.first = ReadRole(dialog);
    shown.bigIcon = SendMessageW(dialog, WM_GETICON, ICON_BIG, 0) != 0;
    shown.smallIcon = SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0) != 0;
    if (inspect) inspect(dialog);
    SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
}

// Opens the viewer by `open` and returns how it ended.
INT_PTR View(const std::function<INT_PTR()>& open, std::function<void(HWND)> checks = nullptr) {
    shown = Shown();
    inspect = std::move(checks);
    SetTimer(nullptr, 0, 200, InspectAndClose);
    const INT_PTR result = open();
    inspect = nullptr;
    return result;
}

class ThemeViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 50, 50, 800, 600, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }

    INT_PTR ViewTheme(const ColorTheme& theme, std::function<void(HWND)> checks = nullptr) {
        return View([&] { return ShowThemeViewer(owner_, theme); }, std::move(checks));
    }

    HWND owner_ = nullptr;
};

TEST_F(ThemeViewerTest, OpensOnTheFirstRoleWithItsHtmlAndComponents) {
    ColorTheme theme = {};
    CopyToField(theme.name, u"我的方案");
    theme[ColorRole::Text] = {u"#0102FF", MakeRgb(1, 2, 255)};
    theme[ColorRole::Bkgnd] = {u"white", MakeRgb(255, 255, 255)};
    RoleShown background;
    int textPixels = 0, whiteLabelPixels = -1;
    COLORREF blockPixel = 0, backgroundBlockPixel = 0;
    EXPECT_EQ(ViewTheme(theme,
                        [&](HWND dialog) {
                            const SwatchPicture text(dialog);
                            blockPixel = text.At(8, SwatchPicture::kHeight / 2);
                            textPixels = text.LabelPixels(MakeRgb(1, 2, 255));
                            background = SelectRole(dialog, ColorRole::Bkgnd);
                            const SwatchPicture white(dialog);
                            backgroundBlockPixel = white.At(8, SwatchPicture::kHeight / 2);
                            whiteLabelPixels = white.LabelPixels(MakeRgb(255, 255, 255));
                        }),
              IDOK);

    ASSERT_TRUE(shown.found);
    EXPECT_EQ(shown.caption, L"查看当前配色方案");
    EXPECT_EQ(shown.themeName, L"我的方案");
    ASSERT_EQ(shown.labels.size(), size_t(kColorRoleCount));
    for (int role = 0; role < kColorRoleCount; ++role)
        EXPECT_EQ(shown.labels[size_t(role)], Wide(WString(ColorRoleLabel(static_cast<ColorRole>(role)))));
    EXPECT_EQ(shown.first.selected, 0);
    EXPECT_EQ(shown.first.html, L"#0102FF");
    EXPECT_EQ(shown.first.components, L"( 0x01, 0x02, 0xFF )");
    EXPECT_TRUE(shown.bigIcon);
    EXPECT_TRUE(shown.smallIcon);

    EXPECT_EQ(blockPixel, MakeRgb(1, 2, 255));
    EXPECT_GT(textPixels, 10) << "the label is written in the role's colour";
    EXPECT_EQ(background.html, L"white");
    EXPECT_EQ(background.components, L"( 0xFF, 0xFF, 0xFF )");
    EXPECT_EQ(backgroundBlockPixel, MakeRgb(255, 255, 255));
    EXPECT_EQ(whiteLabelPixels, SwatchPicture::LabelAreaSize()) << "white written on the white box";
}

TEST_F(ThemeViewerTest, ShowsKeyword1InheritedFromKeyword0) {
    const TempFile file("lumatype_viewer_theme", ".ini",
                        "[Keyword0]\r\nHtml=#00007F\r\nReal=RGB(0, 0, 127)\r\n"
                        "[Keyword1]\r\nHtml=\r\nReal=#FF0000\r\n"
                        "[Keyword2]\r\nHtml=#008000\r\nReal=0x008000\r\n");
    ColorTheme theme = {};
    CopyToField(theme.name, u"继承");
    CopyToField(theme.file, file.Path());
    LoadColorTheme(&theme);
    RoleShown keyword1, keyword2;
    int keyword1Pixels = 0;
    const INT_PTR result = View(
        [&] { return ShowThemeViewer(owner_, theme); },
        [&](HWND dialog) {
            keyword1 = SelectRole(dialog, ColorRole::Keyword1);
            keyword1Pixels = SwatchPicture(dialog).LabelPixels(MakeRgb(0, 0, 127));
            keyword2 = SelectRole(dialog, ColorRole::Keyword2);
        });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(keyword1.selected, 7);
    EXPECT_EQ(keyword1.html, L"#00007F");
    EXPECT_EQ(keyword1.components, L"( 0x00, 0x00, 0x7F )");
    EXPECT_GT(keyword1Pixels, 10);
    EXPECT_EQ(keyword2.html, L"#008000");
    EXPECT_EQ(keyword2.components, L"( 0x00, 0x80, 0x00 )");
}

TEST(ThemeViewerOfMainWindow, ShowsTheActiveThemeAfterItChanged) {
    MainWindowUnderTest window(800, 600);
    ASSERT_NE(window.handle(), nullptr);
    MainWindowState& state = *MainStateOf(window.handle());
    const auto openFromMenu = [&] { return SendMessageW(window.handle(), WM_COMMAND, IDM_VIEW_THEME, 0); };

    View(openFromMenu);
    ASSERT_TRUE(shown.found);
    EXPECT_EQ(shown.themeName, Wide(state.activeTheme.name));
    const std::wstring firstName = shown.themeName, firstHtml = shown.first.html;

    // As the options dialog does: another listed theme copied over the active one.
    ColorTheme chosen = {};
    LoadNumberedTheme(state.settings.iniPath, ProgramDirectory(), 2, chosen);
    state.activeTheme = chosen;
    View(openFromMenu);
    ASSERT_TRUE(shown.found);
    EXPECT_EQ(shown.themeName, Wide(chosen.name));
    EXPECT_NE(shown.themeName, firstName);
    EXPECT_EQ(shown.first.html, Wide(chosen[ColorRole::Text].html));
    EXPECT_NE(shown.first.html, firstHtml);
    EXPECT_EQ(shown.first.components, Wide(ColorComponentsText(chosen[ColorRole::Text].color)));
}

}  // namespace
