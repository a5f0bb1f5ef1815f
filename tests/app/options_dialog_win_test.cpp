#include "app/options_dialog_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main_window_state_win.h"
#include "app/options_preview_win.h"
#include "base/file_io.h"
#include "base/module_path.h"
#include "resources/resource.h"
#include "tests/app/main_window_test_support_win.h"
#include "tests/app/dialog_test_support_win.h"
#include "tests/app/pane_test_support_win.h"
#include "tests/support/temp_file.h"

namespace {

const char kIni[] =
    "[Common]\r\nTabToSpaces=4\r\nTabStops=1\r\nfont_family=Consolas, monospace\r\nfont_size=13px\r\n"
    "border_size=2px\r\nColorTheme=1\r\nline_height=1.4\r\n"
    "[ColorThemes]\r\nCount=2\r\nName1=Default\r\nFile1=themes\\default.ini\r\nName2=Dark\r\n"
    "File2=themes\\dark.ini\r\n";

// What the dialog is made to do once it is open; it must end the dialog.
std::function<void(HWND)> action;
bool dialogFound;

void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = FindThreadDialog();
    if (!dialog) return;
    dialogFound = true;
    action(dialog);
}

// Opens the dialog as the program does and acts on it from inside its loop.
INT_PTR RunDialog(const std::function<void(HWND)>& act, const std::function<INT_PTR()>& open) {
    action = act;
    dialogFound = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, ActOnDialog);
    const INT_PTR result = open();
    KillTimer(nullptr, timer);
    return result;
}

void Press(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Choose(HWND dialog, int id, int item) {
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, item, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool UpdateEnabled(HWND dialog) { return IsWindowEnabled(GetDlgItem(dialog, IDC_OPTIONS_UPDATE_PREVIEW)) != FALSE; }

// A pixel of the preview as the dialog shows it, (x, y) from its corner.
COLORREF PreviewPixel(HWND dialog, int x, int y) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, IDC_OPTIONS_PREVIEW), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    // The dialog manager shows the dialog once its queue is first empty,
    // which the timer may come before.
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
    HDC dc = GetDC(dialog);
    const COLORREF pixel = GetPixel(dc, r.left + x, r.top + y);
    ReleaseDC(dialog, dc);
    return pixel;
}

class OptionsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 40, 30, 900, 700, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
        ReadSettings();
    }
    void TearDown() override { DestroyWindow(owner_); }

    void ReadSettings() {
        settings_ = AppSettings{};
        CopyToField(settings_.iniPath, ini_.Path());
        ReadTabToSpaces(settings_);
        ReadFontSettings(settings_);
        ReadActiveTheme(settings_, theme_);
        settings_.loadTheme = LoadColorTheme;
        settings_.activeTheme = &theme_;
    }
    INT_PTR Run(const std::function<void(HWND)>& act) {
        return RunDialog(act, [&] { return ShowOptionsDialog(owner_, settings_); });
    }
    std::string FileBytes() const { return ReadFileBytes(ini_.Path()).value_or("<missing>"); }
    std::string Replaced(const std::string& from, const std::string& to) const {
        std::string text = kIni;
        return text.replace(text.find(from), from.size(), to);
    }

    HWND owner_ = nullptr;
    TempFile ini_{"lumatype_options_dialog", ".ini", kIni};
    AppSettings settings_{};
    ColorTheme theme_{};
};

// The template's position places the dialog's client area, not its frame.
TEST_F(OptionsDialogTest, OpensWithTheSettingsAtTheOwnersCorner) {
    std::wstring caption, family, size, border;
    LRESULT tabItem = -1, themeCount = 0, themeItem = -1;
    std::wstring secondTheme;
    bool updateEnabled = true;
    POINT corner = {}, origin = {};
    LRESULT limits[3] = {};
    EXPECT_EQ(Run([&](HWND dialog) {
                  caption = TextOf(dialog);
                  family = TextOf(GetDlgItem(dialog, IDC_OPTIONS_FONT_FAMILY));
                  size = TextOf(GetDlgItem(dialog, IDC_OPTIONS_FONT_SIZE));
                  border = TextOf(GetDlgItem(dialog, IDC_OPTIONS_BORDER));
                  tabItem = SendDlgItemMessageW(dialog, IDC_OPTIONS_TAB, CB_GETCURSEL, 0, 0);
                  themeCount = SendDlgItemMessageW(dialog, IDC_OPTIONS_THEME, CB_GETCOUNT, 0, 0);
                  themeItem = SendDlgItemMessageW(dialog, IDC_OPTIONS_THEME, CB_GETCURSEL, 0, 0);
                  wchar_t name[128] = {};
                  SendDlgItemMessageW(dialog, IDC_OPTIONS_THEME, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(name));
                  secondTheme = name;
                  updateEnabled = UpdateEnabled(dialog);
                  int i = 0;
                  for (int id : {IDC_OPTIONS_FONT_FAMILY, IDC_OPTIONS_FONT_SIZE, IDC_OPTIONS_BORDER})
                      limits[i++] = SendDlgItemMessageW(dialog, id, EM_GETLIMITTEXT, 0, 0);
                  ClientToScreen(dialog, &corner);
                  ClientToScreen(owner_, &origin);
                  Press(dialog, IDCANCEL);
              }),
              IDCANCEL);
    ASSERT_TRUE(dialogFound);
    EXPECT_EQ(caption, L"选项");
    EXPECT_EQ(family, L"Consolas, monospace");
    EXPECT_EQ(size, L"13px");
    EXPECT_EQ(border, L"2px");
    EXPECT_EQ(tabItem, 1);
    EXPECT_EQ(themeCount, 2);
    EXPECT_EQ(themeItem, 0);
    EXPECT_EQ(secondTheme, L"Dark");
    EXPECT_FALSE(updateEnabled);
    // Longer texts are cut where the settings fields would cut them.
    EXPECT_EQ(limits[0], 255);
    EXPECT_EQ(limits[1], 15);
    EXPECT_EQ(limits[2], 15);
    EXPECT_EQ(corner.x, origin.x);
    EXPECT_EQ(corner.y, origin.y);
    EXPECT_EQ(FileBytes(), kIni);
}

TEST_F(OptionsDialogTest, OkWithoutChangesWritesNothing) {
    EXPECT_EQ(Run([](HWND dialog) { Press(dialog, IDOK); }), IDOK);
    ASSERT_TRUE(dialogFound);
    EXPECT_EQ(FileBytes(), kIni);
}

TEST_F(OptionsDialogTest, EachChangedFieldWritesExactlyItsKey) {
    struct Change {
        std::function<void(HWND)> make;
        const char* from;
        const char* to;
    } changes[] = {
        {[](HWND d) { SetDlgItemTextW(d, IDC_OPTIONS_FONT_FAMILY, L"Courier New"); },
         "font_family=Consolas, monospace", "font_family=Courier New"},
        {[](HWND d) { SetDlgItemTextW(d, IDC_OPTIONS_FONT_SIZE, L"16px"); }, "font_size=13px", "font_size=16px"},
        {[](HWND d) { SetDlgItemTextW(d, IDC_OPTIONS_BORDER, L"1px"); }, "border_size=2px", "border_size=1px"},
        {[](HWND d) { Choose(d, IDC_OPTIONS_TAB, 0); }, "TabToSpaces=4", "TabToSpaces=2"},
        {[](HWND d) { Choose(d, IDC_OPTIONS_THEME, 1); }, "ColorTheme=1", "ColorTheme=2"},
    };
    for (const Change& change : changes) {
        WriteWholeFile(ini_.FilesystemPath(), kIni);
        ReadSettings();
        EXPECT_EQ(Run([&](HWND dialog) {
                      change.make(dialog);
                      Press(dialog, IDOK);
                  }),
                  IDOK);
        EXPECT_EQ(FileBytes(), Replaced(change.from, change.to)) << change.to;
    }
    // The last change reached the settings as a whole theme.
    EXPECT_EQ(settings_.colorThemeIndex, 2);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(theme_.name)), L"Dark");
    EXPECT_EQ(std::u16string(theme_[ColorRole::Bkgnd].html), u"#1E1E1E");
}

TEST_F(OptionsDialogTest, CancelAfterChangesChangesNothing) {
    const AppSettings before = settings_;
    EXPECT_EQ(Run([](HWND dialog) {
                  SetDlgItemTextW(dialog, IDC_OPTIONS_FONT_FAMILY, L"Courier New");
                  SetDlgItemTextW(dialog, IDC_OPTIONS_FONT_SIZE, L"20px");
                  SetDlgItemTextW(dialog, IDC_OPTIONS_BORDER, L"5px");
                  Choose(dialog, IDC_OPTIONS_TAB, 0);
                  Choose(dialog, IDC_OPTIONS_THEME, 1);
                  Press(dialog, IDCANCEL);
              }),
              IDCANCEL);
    EXPECT_EQ(FileBytes(), kIni);
    EXPECT_EQ(std::u16string(settings_.fontFamily), before.fontFamily);
    EXPECT_EQ(settings_.tabToSpaces, 4);
    EXPECT_EQ(settings_.colorThemeIndex, 1);
    EXPECT_EQ(std::u16string(theme_[ColorRole::Bkgnd].html), u"#FFFFFF");
}

TEST_F(OptionsDialogTest, AQuotedFamilyReadsBackAsTypedAfterARestart) {
    EXPECT_EQ(Run([](HWND dialog) {
                  SetDlgItemTextW(dialog, IDC_OPTIONS_FONT_FAMILY, L"\"Code A\", \"Code B\"");
                  Press(dialog, IDOK);
              }),
              IDOK);
    ReadSettings();
    EXPECT_EQ(std::u16string(settings_.fontFamily), u"\"Code A\", \"Code B\"");
}

std::vector<RecordedMessage> shownMessages;
int WINAPI RecordMessage(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
    shownMessages.push_back({text, caption, type});
    return IDOK;
}

// A Lumatype.ini that cannot be written (here in a folder that is not
// there; Wine run as root writes read-only files): OK warns that the
// settings hold for this run only, and they do.
TEST_F(OptionsDialogTest, ASettingsFileThatCannotBeWrittenIsToldAndTheValuesStillApply) {
    const WString unwritable = ini_.Path() + u".missing\\Lumatype.ini";
    CopyToField(settings_.iniPath, unwritable);
    const PaneCalls saved = paneCalls;
    paneCalls.messageBox = RecordMessage;
    shownMessages.clear();
    const INT_PTR result = Run([](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_OPTIONS_FONT_SIZE, L"16px");
        Choose(dialog, IDC_OPTIONS_TAB, 0);
        Press(dialog, IDOK);
    });
    paneCalls = saved;
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].text, L"无法保存设置到 Lumatype.ini，新的设置只在本次运行中有效。");
    EXPECT_EQ(shownMessages[0].caption, L"Lumatype");
    EXPECT_EQ(shownMessages[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(std::u16string(settings_.fontSize), u"16px");
    EXPECT_EQ(settings_.tabToSpaces, 2);
    EXPECT_EQ(GetFileAttributesW(reinterpret_cast<const wchar_t*>(unwritable.c_str())), INVALID_FILE_ATTRIBUTES);

    // A file that takes the values says nothing.
    CopyToField(settings_.iniPath, ini_.Path());
    shownMessages.clear();
    paneCalls.messageBox = RecordMessage;
    EXPECT_EQ(Run([](HWND dialog) {
                  SetDlgItemTextW(dialog, IDC_OPTIONS_FONT_SIZE, L"18px");
                  Press(dialog, IDOK);
              }),
              IDOK);
    paneCalls = saved;
    EXPECT_TRUE(shownMessages.empty());
    EXPECT_EQ(FileBytes(), Replaced("font_size=13px", "font_size=18px"));
}

TEST_F(OptionsDialogTest, TypingEnablesUpdateAndOnlyItOrAListRedrawsThePreview) {
    // The dark theme's code column against the default's white.
    const COLORREF white = RGB(255, 255, 255), dark = RGB(30, 30, 30);
    COLORREF atOpen = 0, afterTyping = 0, afterUpdate = 0, afterTheme = 0;
    bool enabledByTyping = false, disabledByUpdate = true, disabledByList = true;
    Run([&](HWND dialog) {
        // A thick border, then a point inside the code column: right of the
        // number column, above the first line's text.
        SetDlgItemTextW(dialog, IDC_OPTIONS_BORDER, L"0px");
        Press(dialog, IDC_OPTIONS_UPDATE_PREVIEW);
        const int x = 60, y = 1;
        atOpen = PreviewPixel(dialog, x, y);
        SetDlgItemTextW(dialog, IDC_OPTIONS_BORDER, L"12px");
        enabledByTyping = UpdateEnabled(dialog);
        afterTyping = PreviewPixel(dialog, x, y);
        Press(dialog, IDC_OPTIONS_UPDATE_PREVIEW);
        disabledByUpdate = !UpdateEnabled(dialog);
        afterUpdate = PreviewPixel(dialog, x, y);
        SetDlgItemTextW(dialog, IDC_OPTIONS_BORDER, L"0px");
        Choose(dialog, IDC_OPTIONS_THEME, 1);
        disabledByList = !UpdateEnabled(dialog);
        afterTheme = PreviewPixel(dialog, x, y);
        Press(dialog, IDCANCEL);
    });
    ASSERT_TRUE(dialogFound);
    EXPECT_EQ(atOpen, white);
    EXPECT_TRUE(enabledByTyping);
    EXPECT_EQ(afterTyping, white);
    EXPECT_TRUE(disabledByUpdate);
    EXPECT_EQ(afterUpdate, RGB(0xA0, 0xA0, 0xA0));  // the default theme's border
    EXPECT_TRUE(disabledByList);
    EXPECT_EQ(afterTheme, dark);  // in colour: the bitmap is the screen's kind
}

TEST_F(OptionsDialogTest, AnActiveThemeOutsideTheListIsKeptAndPreviewed) {
    WriteWholeFile(ini_.FilesystemPath(), Replaced("ColorTheme=1", "ColorTheme=5"));
    ReadSettings();
    const std::string bytes = FileBytes();
    LRESULT selection = 0;
    EXPECT_EQ(Run([&](HWND dialog) {
                  selection = SendDlgItemMessageW(dialog, IDC_OPTIONS_THEME, CB_GETCURSEL, 0, 0);
                  Press(dialog, IDOK);
              }),
              IDOK);
    EXPECT_EQ(selection, CB_ERR);
    EXPECT_EQ(FileBytes(), bytes);
    EXPECT_EQ(settings_.colorThemeIndex, 5);
}

TEST_F(OptionsDialogTest, AThemeListThatCannotBeHadEndsTheDialogAsCancel) {
    WriteWholeFile(ini_.FilesystemPath(), Replaced("Count=2", "Count=2147483647"));
    ReadSettings();
    const std::string bytes = FileBytes();
    EXPECT_EQ(Run([](HWND dialog) { Press(dialog, IDOK); }), IDCANCEL);
    EXPECT_FALSE(dialogFound);
    EXPECT_EQ(FileBytes(), bytes);
}

// The renderer on a bitmap of the screen's kind, with a theme of distinct colours.
class PreviewPixels : public ::testing::Test {
protected:
    void SetUp() override {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, kWidth + 1, kHeight + 1);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        SetBkMode(dc_, TRANSPARENT);
        const struct {
            ColorRole role;
            COLORREF color;
        } colors[] = {{ColorRole::Text, RGB(0, 0, 200)},   {ColorRole::Bkgnd, RGB(250, 250, 200)},
                      {ColorRole::Comment, RGB(0, 128, 0)}, {ColorRole::LineNo, RGB(200, 0, 0)},
                      {ColorRole::LineNoBkgnd, RGB(200, 250, 250)}, {ColorRole::Border, RGB(10, 20, 30)}};
        for (const auto& c : colors) theme_[c.role] = {u"x", c.color};
    }
    void TearDown() override {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    PreviewGeometry Render(int border, int tabWidth) {
        return RenderOptionsPreview(dc_, kWidth, kHeight, {L"Courier New", 16, border, tabWidth, &theme_});
    }
    // The leftmost column in [left, right) of rows [top, bottom) holding
    // a pixel other than `background`; -1 when none does.
    int LeftmostInk(int left, int right, int top, int bottom, COLORREF background) const {
        for (int x = left; x < right; ++x)
            for (int y = top; y < bottom; ++y)
                if (GetPixel(dc_, x, y) != background) return x;
        return -1;
    }

    static constexpr int kWidth = 560, kHeight = 240;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    ColorTheme theme_{};
};

TEST_F(PreviewPixels, ColumnsAndBorderLieWhereTheGeometrySays) {
    const int b = 5;
    const PreviewGeometry g = Render(b, 4);
    EXPECT_GT(GetDeviceCaps(dc_, BITSPIXEL), 1);
    const COLORREF border = RGB(10, 20, 30);
    EXPECT_EQ(GetPixel(dc_, 0, 0), border);
    EXPECT_EQ(GetPixel(dc_, g.border.right - 1, g.border.bottom - 1), border);
    EXPECT_EQ(GetPixel(dc_, g.numberColumn.right, 40), border);  // between the columns
    EXPECT_EQ(GetPixel(dc_, g.border.right, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetPixel(dc_, 0, g.border.bottom), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetPixel(dc_, b, b), RGB(200, 250, 250));
    EXPECT_EQ(GetPixel(dc_, g.numberColumn.right - 1, g.numberColumn.bottom - 1), RGB(200, 250, 250));
    EXPECT_EQ(GetPixel(dc_, g.codeColumn.left, g.codeColumn.top), RGB(250, 250, 200));
    EXPECT_EQ(GetPixel(dc_, g.codeColumn.right - 1, g.codeColumn.bottom - 1), RGB(250, 250, 200));
    EXPECT_EQ(g.codeColumn.left, g.numberColumn.right + b);
    // The numbers are drawn in the number column, starting at its text inset.
    const int ink = LeftmostInk(g.numberColumn.left, g.numberColumn.right, g.numbers[0].y,
                                g.numbers[0].y + g.lineHeight, RGB(200, 250, 250));
    EXPECT_GE(ink, g.numbers[0].x);
}

TEST_F(PreviewPixels, TabIndentedLinesMoveByTheTabWidthInBlanks) {
    SIZE blank = {};
    int shift[2] = {};
    int i = 0;
    for (int tabWidth : {2, 4}) {
        const PreviewGeometry g = Render(2, tabWidth);
        HGDIOBJ font = SelectObject(dc_, CreateFontW(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                                                     FF_MODERN, L"Courier New"));
        GetTextExtentPoint32W(dc_, L" ", 1, &blank);
        DeleteObject(SelectObject(dc_, font));
        const int x0 = g.tokens[1].x;
        for (int token : {11, 15}) {
            const int top = g.tokens[token].y;
            const int ink = LeftmostInk(x0, g.codeColumn.right, top, top + g.lineHeight, RGB(250, 250, 200));
            ASSERT_GE(ink, 0);
            EXPECT_GE(ink, x0 + tabWidth * blank.cx) << tabWidth;
            EXPECT_LT(ink, x0 + (tabWidth + 1) * blank.cx) << tabWidth;
            if (token == 11) shift[i] = ink;
        }
        ++i;
    }
    EXPECT_EQ(shift[1] - shift[0], 2 * blank.cx);
}

TEST_F(PreviewPixels, HugeSizesAreClampedBeforeDrawing) {
    const PreviewGeometry g = RenderOptionsPreview(
        dc_, kWidth, kHeight,
        {L"", PreviewLength(u"9999999999px"), PreviewLength(u"9999999999px"), 4, &theme_});
    EXPECT_GT(g.border.right, 0);
    EXPECT_GT(g.border.bottom, 0);
    EXPECT_EQ(GetPixel(dc_, kWidth - 1, kHeight - 1), RGB(10, 20, 30));
}

// The main window's Convert after the dialog: new theme, new tab width.
TEST(OptionsInTheMainWindow, OkChangesTheNextConversion) {
    MainWindowUnderTest window(900, 700);
    ASSERT_NE(window.handle(), nullptr);
    MainWindowState* state = MainStateOf(window.handle());
    // The window's own settings file stays as shipped: the dialog writes a copy.
    TempFile ini("lumatype_options_main", ".ini", ReadFileBytes(state->settings.iniPath).value_or(""));
    CopyToField(state->settings.iniPath, ini.Path());
    ASSERT_EQ(state->settings.tabToSpaces, 4);
    ASSERT_EQ(state->settings.colorThemeIndex, 1);

    window.SetCode(L"\tint x; // note\r\n");
    window.Convert();
    const std::wstring before = window.Text(IDC_HTML_PANE);
    EXPECT_NE(before.find(L"#008000"), std::wstring::npos);  // the default theme's comment
    EXPECT_NE(before.find(L"&nbsp;&nbsp;&nbsp;&nbsp;"), std::wstring::npos);

    RunDialog(
        [](HWND dialog) {
            Choose(dialog, IDC_OPTIONS_THEME, 1);
            Choose(dialog, IDC_OPTIONS_TAB, 0);
            Press(dialog, IDOK);
        },
        [&] { return static_cast<INT_PTR>(SendMessageW(window.handle(), WM_COMMAND, IDM_OPTIONS, 0)); });
    ASSERT_TRUE(dialogFound);
    window.Convert();
    const std::wstring after = window.Text(IDC_HTML_PANE);
    EXPECT_EQ(after.find(L"#008000"), std::wstring::npos);
    EXPECT_NE(after.find(L"#6A9955"), std::wstring::npos);  // the dark theme's comment
    EXPECT_EQ(after.find(L"&nbsp;&nbsp;&nbsp;&nbsp;"), std::wstring::npos);
    EXPECT_NE(after.find(L"&nbsp;&nbsp;"), std::wstring::npos);
    EXPECT_EQ(after.find(L"&nbsp;&nbsp;&nbsp;"), std::wstring::npos);
    // The dialog wrote the copy; the shipped file is as it was.
    const std::string written = ReadFileBytes(ini.Path()).value_or("");
    EXPECT_NE(written.find("ColorTheme=2"), std::string::npos);
    EXPECT_NE(written.find("TabToSpaces=2"), std::string::npos);
}

}  // namespace
