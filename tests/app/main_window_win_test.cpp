#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/append_text_win.h"
#include "app/main_window_state_win.h"
#include "app/message_loop_win.h"
#include "app/pane_calls_win.h"
#include "app/rtf_stream_win.h"
#include "app/status_texts.h"
#include "engine/convert.h"
#include "main_window_test_support_win.h"
#include "resources/resource.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

RECT ClientRectOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}
int HeightOf(HWND child) {
    const RECT r = ClientRectOf(child);
    return r.bottom - r.top;
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(window_.handle(), nullptr); }
    HWND Child(int id) { return window_.Child(id); }
    int CodeHeight() { return HeightOf(Child(IDC_CODE_PANE)); }
    int HtmlHeight() { return HeightOf(Child(IDC_HTML_PANE)); }

    void Drag(int delta) {
        HWND bar = Child(IDC_SPLITTER);
        // Pixel by pixel, as a mouse moves: the bar stops at its limit and
        // ignores the moves beyond it.
        SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 3));
        const int step = delta < 0 ? -1 : 1;
        for (int moved = step; moved != delta + step; moved += step)
            SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 3 + moved));
        SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(20, 3 + delta));
        MainWindowUnderTest::Pump();
    }

    // The HTML the engine writes for the window's settings.
    std::wstring ExpectedHtml(const std::wstring& code, bool lineNumbers, const std::wstring& startLine) {
        const MainWindowState& state = *MainStateOf(window_.handle());
        const LRESULT selection = SendMessageW(Child(IDC_LANGUAGE_COMBO), CB_GETCURSEL, 0, 0);
        const LRESULT index = SendMessageW(Child(IDC_LANGUAGE_COMBO), CB_GETITEMDATA, selection, 0);
        StringSink sink;
        ConvertCode(state.settings, state.activeTheme, &languageTable->records[index],
                    WStringView(reinterpret_cast<const char16_t*>(code.data()), code.size()), lineNumbers,
                    WStringView(reinterpret_cast<const char16_t*>(startLine.data()), startLine.size()), sink);
        const WStringView html = sink.View();
        return std::wstring(reinterpret_cast<const wchar_t*>(html.data()), html.size());
    }

    MainWindowUnderTest window_{kWidth, kHeight};
};

TEST_F(MainWindow, ChildrenHaveTheirIdsClassesAndTheHalfSplit) {
    const wchar_t* classes[] = {L"ToolbarWindow32", L"msctls_statusbar32", L"Static", L"ComboBox", L"Button",
                                L"Static", L"Edit", L"Edit", L"RichEdit20W", L"VBSliderByKestrune"};
    for (int i = 0; i < 10; ++i) {
        HWND child = Child(IDC_TOOLBAR + i);
        ASSERT_NE(child, nullptr) << i;
        wchar_t name[64];
        GetClassNameW(child, name, 64);
        EXPECT_STREQ(name, classes[i]) << i;
        EXPECT_TRUE(GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) << i;
    }
    EXPECT_EQ(window_.Text(IDC_STATUSBAR), L"就绪");
    EXPECT_EQ(window_.Text(IDC_START_LINE), L"1");
    EXPECT_EQ(SendMessageW(Child(IDC_LINE_NUMBERS), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_GT(SendMessageW(Child(IDC_LANGUAGE_COMBO), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageW(Child(IDC_TOOLBAR), TB_BUTTONCOUNT, 0, 0), 10);

    // S = (H - 118) x 50 / 100 and the HTML pane H - 120 - S.
    EXPECT_EQ(CodeHeight(), (kHeight - 118) * 50 / 100);
    EXPECT_EQ(HtmlHeight(), kHeight - 120 - CodeHeight());
    const RECT html = ClientRectOf(Child(IDC_HTML_PANE));
    EXPECT_EQ(html.left, 7);
    EXPECT_EQ(html.bottom, kHeight - 31);
}

TEST_F(MainWindow, TheTextLimitsAreLiftedForLargeCode) {
    // Past the 30,000 characters an edit control takes by default, and the
    // 32,767 of a rich-edit pane.
    const std::wstring code(70000, L'x');
    window_.SetCode(code);
    EXPECT_EQ(GetWindowTextLengthW(Child(IDC_CODE_PANE)), 70000);
    SendMessageW(Child(IDC_HTML_PANE), EM_SETSEL, 0, -1);
    SendMessageW(Child(IDC_HTML_PANE), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(code.c_str()));
    EXPECT_EQ(GetWindowTextLengthW(Child(IDC_HTML_PANE)), 70000);
}

TEST_F(MainWindow, ADragMovesTheSplitByItsDeltaAndLeavesEachPane24Pixels) {
    const int code = CodeHeight();
    Drag(30);
    EXPECT_EQ(CodeHeight(), code + 30);
    EXPECT_EQ(HtmlHeight(), kHeight - 120 - (code + 30));
    Drag(-50);
    EXPECT_EQ(CodeHeight(), code - 20);

    Drag(2000);
    EXPECT_EQ(HtmlHeight(), 24);
    Drag(-2000);
    EXPECT_EQ(CodeHeight(), 24);

    // A resize keeps the percentage the drag left, rounded down.
    Drag(100);
    const int percent = CodeHeight() * 100 / (kHeight - 118);
    window_.SetClientSize(kWidth, 900);
    EXPECT_EQ(CodeHeight(), (900 - 118) * percent / 100);
    EXPECT_EQ(HtmlHeight(), 900 - 120 - CodeHeight());
}

TEST_F(MainWindow, ADragInAWindowWithoutRoomForThePanesKeepsThePercentage) {
    window_.SetClientSize(kWidth, 100);
    Drag(10);
    window_.SetClientSize(kWidth, kHeight);
    EXPECT_EQ(CodeHeight(), (kHeight - 118) * 50 / 100);
}

MSG KeyDown(HWND target, WPARAM key) { return MSG{target, WM_KEYDOWN, key, 1, 0, {}}; }

void SetModifiers(bool ctrl, bool shift, bool alt) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_MENU] = alt ? 0x80 : 0;
    SetKeyboardState(keys);
}

TEST_F(MainWindow, CtrlASelectsAllInEitherPaneButNotInTheStartLineEdit) {
    SetForegroundWindow(window_.handle());
    window_.SetCode(L"first\r\nsecond");
    SetWindowTextW(Child(IDC_HTML_PANE), L"<div>");
    for (int id : {IDC_CODE_PANE, IDC_HTML_PANE}) {
        HWND pane = Child(id);
        SetFocus(pane);
        ASSERT_EQ(GetFocus(), pane);
        SendMessageW(pane, EM_SETSEL, 1, 1);
        SetModifiers(true, false, false);
        EXPECT_TRUE(SelectAllInPane(KeyDown(pane, 'A'), window_.handle())) << id;
        DWORD start = 0, end = 0;
        SendMessageW(pane, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u) << id;
        // The rich-edit pane's selection takes in its final paragraph mark.
        EXPECT_GE(end, static_cast<DWORD>(GetWindowTextLengthW(pane))) << id;

        SetModifiers(true, true, false);
        EXPECT_FALSE(SelectAllInPane(KeyDown(pane, 'A'), window_.handle())) << id;
        SetModifiers(true, false, true);
        EXPECT_FALSE(SelectAllInPane(KeyDown(pane, 'A'), window_.handle())) << id;
        SetModifiers(false, false, false);
        EXPECT_FALSE(SelectAllInPane(KeyDown(pane, 'A'), window_.handle())) << id;
    }
    SetFocus(Child(IDC_START_LINE));
    SetModifiers(true, false, false);
    EXPECT_FALSE(SelectAllInPane(KeyDown(Child(IDC_START_LINE), 'A'), window_.handle()));
    SetModifiers(false, false, false);
}

TEST_F(MainWindow, ToolbarTooltipsCarryTheirTexts) {
    struct Case { int command; const wchar_t* text; };
    for (Case c : {Case{104, L"关于 Lumatype 工具。"}, Case{32773, L"把代码转换成 HTML。"},
                   Case{32774, L"把转换后的 HTML 文本拷贝到剪贴板（纯文本）。"},
                   Case{32783, L"清空上方文本框中的所有代码内容。"}, Case{32784, L"粘贴代码到上方文本框。"},
                   Case{32790, L"插入表格。"}, Case{32778, L""}, Case{32779, L""}}) {
        NMTTDISPINFOW request = {};
        request.hdr.code = TTN_GETDISPINFOW;
        request.hdr.idFrom = c.command;
        request.hinst = GetModuleHandleW(nullptr);
        EXPECT_EQ(SendMessageW(window_.handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request)), 0);
        EXPECT_EQ(request.hinst, nullptr);
        ASSERT_NE(request.lpszText, nullptr);
        EXPECT_STREQ(request.lpszText, c.text) << c.command;
    }
}

TEST_F(MainWindow, ConvertWritesTheEnginesHtmlWithAndWithoutLineNumbersAndAnyStartLine) {
    ASSERT_TRUE(window_.SelectLanguage(L"C/C++"));
    const std::wstring code = L"// count\r\nint main() {\r\n\treturn \"a<b\" == 0;\r\n}\r\n\r\n";
    window_.SetCode(code);
    struct Case { bool lineNumbers; const wchar_t* startLine; const wchar_t* firstNumber; };
    for (Case c : {Case{true, L"", L"\n1<br/>2<br/>"}, Case{true, L"0", L"\n1<br/>2<br/>"},
                   Case{true, L"-5", L"\n1<br/>2<br/>"}, Case{true, L"abc", L"\n1<br/>2<br/>"},
                   Case{true, L"12abc", L"\n12<br/>13<br/>"},
                   Case{true, L"99999999999", L"\n2147483647<br/>2147483648<br/>2147483649<br/>2147483650\r\n"},
                   Case{false, L"7", nullptr}}) {
        SendMessageW(Child(IDC_LINE_NUMBERS), BM_SETCHECK, c.lineNumbers ? BST_CHECKED : BST_UNCHECKED, 0);
        // The edit takes digits only from the keyboard; WM_SETTEXT sets anything.
        SetWindowTextW(Child(IDC_START_LINE), c.startLine);
        window_.Convert();
        const std::wstring html = window_.Text(IDC_HTML_PANE);
        EXPECT_EQ(html, ExpectedHtml(code, c.lineNumbers, c.startLine)) << c.startLine;
        if (c.firstNumber) {
            EXPECT_NE(html.find(c.firstNumber), std::wstring::npos) << c.startLine;
        }
        EXPECT_EQ(window_.Text(IDC_STATUSBAR), L"代码转换已完成。");
    }
}

TEST_F(MainWindow, ConvertOfEmptyCodeLeavesEverythingAsItWas) {
    SetWindowTextW(Child(IDC_HTML_PANE), L"kept");
    window_.SetCode(L"");
    window_.Convert();
    EXPECT_EQ(window_.Text(IDC_HTML_PANE), L"kept");
    EXPECT_EQ(window_.Text(IDC_STATUSBAR), L"就绪");

    // Only empty lines: a table with an empty code cell.
    window_.SetCode(L"\r\n\r\n");
    window_.Convert();
    EXPECT_EQ(window_.Text(IDC_HTML_PANE), ExpectedHtml(L"\r\n\r\n", true, L"1"));
}

// Convert fills a new pane and swaps it in: to the user and to the other
// commands it must be the same pane in the same place.
TEST_F(MainWindow, ConvertLeavesTheHtmlPaneInItsPlaceOrderAndFocus) {
    ASSERT_TRUE(window_.SelectLanguage(L"C/C++"));
    HWND old = Child(IDC_HTML_PANE);
    SetWindowTextW(old, L"previous");
    SetFocus(old);
    const HWND before = GetWindow(old, GW_HWNDPREV), after = GetWindow(old, GW_HWNDNEXT);
    const RECT place = ClientRectOf(old);
    // The scroll bars come and go with the text.
    constexpr LONG kScrollBars = WS_HSCROLL | WS_VSCROLL;
    const LONG style = GetWindowLongW(old, GWL_STYLE) & ~kScrollBars, exStyle = GetWindowLongW(old, GWL_EXSTYLE);
    const LRESULT limit = SendMessageW(old, EM_GETLIMITTEXT, 0, 0);

    window_.SetCode(L"int x;\r\n");
    window_.Convert();
    HWND pane = Child(IDC_HTML_PANE);
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(MainStateOf(window_.handle())->children[kHtmlPane], pane);
    EXPECT_EQ(window_.Text(IDC_HTML_PANE), ExpectedHtml(L"int x;\r\n", true, L"1"));
    EXPECT_EQ(GetWindow(pane, GW_HWNDPREV), before);
    EXPECT_EQ(GetWindow(pane, GW_HWNDNEXT), after);
    const RECT now = ClientRectOf(pane);
    EXPECT_TRUE(EqualRect(&now, &place));
    EXPECT_EQ(GetWindowLongW(pane, GWL_STYLE) & ~kScrollBars, style);
    EXPECT_EQ(GetWindowLongW(pane, GWL_EXSTYLE), exStyle);
    EXPECT_EQ(SendMessageW(pane, EM_GETLIMITTEXT, 0, 0), limit);
    EXPECT_EQ(GetFocus(), pane);
}

// A scroll bar that appears or goes makes the rich-edit pane lay out all its
// text again; kept, the pane's client area never changes with the text.
TEST_F(MainWindow, HtmlPaneScrollBarsStayWhateverItHoldsWhileTheCodePaneTakesLetters) {
    ASSERT_TRUE(window_.SelectLanguage(L"C/C++"));
    auto clientOf = [&] {
        RECT r;
        GetClientRect(Child(IDC_HTML_PANE), &r);
        return r;
    };
    SetWindowTextW(Child(IDC_HTML_PANE), L"");
    const RECT empty = clientOf();
    std::wstring code;
    for (int i = 0; i < 200; ++i) code += L"int a_fairly_long_name_for_a_variable_to_make_the_line_wide = 1;\r\n";
    window_.SetCode(code);
    window_.Convert();
    const RECT full = clientOf();
    EXPECT_TRUE(EqualRect(&empty, &full));

    // For an edit control the same style bit means digits only.
    window_.SetCode(L"");
    SendMessageW(Child(IDC_CODE_PANE), WM_CHAR, L'a', 0);
    EXPECT_EQ(window_.Text(IDC_CODE_PANE), L"a");
}

// The pane's text, colour and weight unit by unit.
struct PaneRun {
    std::wstring text;
    std::vector<COLORREF> colors;
    std::vector<bool> bold;
    std::vector<std::wstring> faces;
};

PaneRun ReadPane(HWND pane) {
    PaneRun run;
    GETTEXTLENGTHEX lengthOf = {GTL_NUMCHARS | GTL_PRECISE, 1200};
    const LRESULT length = SendMessageW(pane, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthOf), 0);
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
    TEXTRANGEW range = {{0, static_cast<LONG>(length)}, text.data()};
    SendMessageW(pane, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    run.text.assign(text.data());
    for (LONG i = 0; i < length; ++i) {
        CHARRANGE one = {i, i + 1};
        SendMessageW(pane, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
        CHARFORMATW format = {};
        format.cbSize = sizeof format;
        SendMessageW(pane, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        run.colors.push_back((format.dwEffects & CFE_AUTOCOLOR) ? 0xFFFFFFFF : format.crTextColor);
        run.bold.push_back((format.dwEffects & CFE_BOLD) != 0);
        run.faces.push_back(std::wstring(format.szFaceName) + L"/" + std::to_wstring(format.yHeight));
    }
    return run;
}

void ExpectSamePanes(HWND streamed, HWND appended) {
    EXPECT_EQ(GetWindowTextLengthW(streamed), GetWindowTextLengthW(appended));
    std::vector<wchar_t> a(GetWindowTextLengthW(streamed) + 1), b(GetWindowTextLengthW(appended) + 1);
    GetWindowTextW(streamed, a.data(), static_cast<int>(a.size()));
    GetWindowTextW(appended, b.data(), static_cast<int>(b.size()));
    EXPECT_EQ(std::wstring(a.data()), std::wstring(b.data()));
    const PaneRun one = ReadPane(streamed), other = ReadPane(appended);
    ASSERT_EQ(one.text, other.text);
    for (size_t i = 0; i < one.colors.size(); ++i) {
        ASSERT_EQ(one.colors[i], other.colors[i]) << i;
        ASSERT_EQ(one.bold[i], other.bold[i]) << i;
        ASSERT_EQ(one.faces[i], other.faces[i]) << i;
    }
}

class PanePair : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        const RECT r = ClientRectOf(Child(IDC_HTML_PANE));
        reference_ = CreateWindowExW(0, L"RichEdit20W", L"", GetWindowLongW(Child(IDC_HTML_PANE), GWL_STYLE),
                                     r.left, r.top, r.right - r.left, r.bottom - r.top, window_.handle(), nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(reference_, nullptr);
        // A rich-edit pane answers WM_GETFONT with nothing: the font from the state.
        SendMessageW(reference_, WM_SETFONT, reinterpret_cast<WPARAM>(MainStateOf(window_.handle())->uiFont), FALSE);
        SendMessageW(reference_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    }
    void TearDown() override { DestroyWindow(reference_); }
    HWND reference_ = nullptr;
};

TEST_F(PanePair, ConvertShowsTheSameTextColoursWeightAndFontAsChunkByChunkAppends) {
    ASSERT_TRUE(window_.SelectLanguage(L"C/C++"));
    const std::wstring code =
        L"#include <stdio.h>\r\n/* 注释 \\ { } */\r\nint main(void) {\r\n\tprintf(\"%d\\n\", 'x');\r\n"
        L"    return 0; // done\r\n}\r\n";
    window_.SetCode(code);
    window_.Convert();

    const MainWindowState& state = *MainStateOf(window_.handle());
    AppendingSink appending(reference_);
    const LRESULT index = SendMessageW(Child(IDC_LANGUAGE_COMBO), CB_GETITEMDATA,
                                       SendMessageW(Child(IDC_LANGUAGE_COMBO), CB_GETCURSEL, 0, 0), 0);
    ConvertCode(state.settings, state.activeTheme, &languageTable->records[index],
                WStringView(reinterpret_cast<const char16_t*>(code.data()), code.size()), true, u"1", appending);
    ExpectSamePanes(Child(IDC_HTML_PANE), reference_);
}

TEST_F(PanePair, AwkwardCharactersComeOutAsTheirOwnInsertionsGiveThem) {
    // Every control character, the RTF specials, non-ASCII and a surrogate
    // pair, and line ends split across chunks.
    std::vector<std::pair<std::wstring, bool>> chunks = {
        {L"a\\b{c}d\t", false}, {L"1\r\n2\r3\n4\r\r\n5", true}, {L"x\r", false}, {L"\ny", false},
        {L"中é\uffff\U0001F600 \u00a0\u2028", true}, {L"\r", false}, {L"\r\n", false}, {L"end", true}};
    std::wstring controls;
    for (wchar_t c = 1; c < 0x20; ++c)
        if (c != L'\r' && c != L'\n') controls += c;
    controls += L'\x7f';
    chunks.push_back({controls, false});
    chunks.push_back({L"tail\r\n", false});

    const COLORREF palette[] = {RGB(128, 128, 128), RGB(0, 0, 255), 0};
    for (size_t i = 0; i < chunks.size(); ++i)
        AppendColoredText(chunks[i].first.c_str(), reference_, palette[i % 3], chunks[i].second);
    // One stream, and pieces that end at every break or every third: a piece
    // must begin in the colour and weight the one before it ended with.
    for (size_t paragraphsPerPiece : {size_t{1000}, size_t{1}, size_t{3}}) {
        RtfSink rtf(0, paragraphsPerPiece);
        for (size_t i = 0; i < chunks.size(); ++i) {
            const std::wstring& text = chunks[i].first;
            rtf.Append(reinterpret_cast<const char16_t*>(text.data()), text.size(), palette[i % 3], chunks[i].second);
        }
        ASSERT_EQ(StreamRtfIntoPane(Child(IDC_HTML_PANE), rtf.Finish(), RoomForAnotherPiece), PaneFill::Complete);
        SCOPED_TRACE(paragraphsPerPiece);
        ExpectSamePanes(Child(IDC_HTML_PANE), reference_);
    }
}

bool NoRoom() { return false; }

std::wstring shownMessage;
int WINAPI RecordMessage(HWND, LPCWSTR text, LPCWSTR, UINT) {
    shownMessage = text;
    return IDOK;
}

// Under Wine the pane needs about 250 bytes per character: a conversion that
// would exhaust the address space is refused before the pane takes it all,
// instead of ending the program with the user's code.
TEST_F(MainWindow, ConvertTooLargeForMemoryKeepsBothPanesAndSaysSo) {
    ASSERT_TRUE(window_.SelectLanguage(L"C/C++"));
    SetWindowTextW(Child(IDC_HTML_PANE), L"previous");
    HWND pane = Child(IDC_HTML_PANE);
    window_.SetCode(L"int x;\r\n");
    const PaneCalls saved = paneCalls;
    paneCalls.messageBox = RecordMessage;
    paneCalls.roomForAnotherPiece = NoRoom;
    window_.Convert();
    paneCalls = saved;
    EXPECT_EQ(Child(IDC_HTML_PANE), pane);
    EXPECT_EQ(window_.Text(IDC_HTML_PANE), L"previous");
    EXPECT_EQ(window_.Text(IDC_CODE_PANE), L"int x;\r\n");
    EXPECT_EQ(shownMessage, reinterpret_cast<const wchar_t*>(kHtmlTooLargeMessage));
    EXPECT_EQ(window_.Text(IDC_STATUSBAR), shownMessage);
}

int grantedSinkBlocks = 0;  // how many of the RTF sink's requests are met
void* ScarceSinkMemory(void* block, size_t bytes) {
    if (grantedSinkBlocks == 0) return nullptr;
    --grantedSinkBlocks;
    return std::realloc(block, bytes);
}

// Memory that runs out at once, or once the document has its first block,
// while the HTML is written: the previous HTML stays and the user is told.
TEST_F(MainWindow, ConvertWhoseDocumentRunsOutOfMemoryKeepsThePreviousHtmlAndSaysSo) {
    ASSERT_TRUE(window_.SelectLanguage(L"C/C++"));
    std::wstring code;
    for (int i = 0; i < 200; ++i) code += L"int x = \"字符串\"; // 注释\r\n";
    window_.SetCode(code);
    for (int granted : {0, 1}) {
        SetWindowTextW(Child(IDC_HTML_PANE), L"previous");
        SetWindowTextW(Child(IDC_STATUSBAR), L"就绪");
        shownMessage.clear();
        const PaneCalls saved = paneCalls;
        paneCalls.messageBox = RecordMessage;
        paneCalls.rtfSinkMemory = ScarceSinkMemory;
        grantedSinkBlocks = granted;
        window_.Convert();
        paneCalls = saved;
        EXPECT_EQ(window_.Text(IDC_HTML_PANE), L"previous") << granted;
        EXPECT_EQ(shownMessage, L"转换无法完成，大概是因为内存严重不足！") << granted;
        EXPECT_EQ(window_.Text(IDC_STATUSBAR), shownMessage) << granted;
    }
}

LRESULT CALLBACK GiveNoText(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message != WM_GETTEXT) return DefSubclassProc(window, message, wParam, lParam);
    if (wParam > 0) *reinterpret_cast<wchar_t*>(lParam) = 0;
    return 0;
}

// The engine finds nothing to convert when the pane's text is gone by the
// time it is read: the status bar must not stay on "converting".
TEST_F(MainWindow, ConvertThatEndsBeforeConvertingLeavesTheStatusAsItWas) {
    ASSERT_TRUE(window_.SelectLanguage(L"C/C++"));
    window_.SetCode(L"int x;\r\n");
    SetWindowTextW(Child(IDC_HTML_PANE), L"previous");
    SetWindowTextW(Child(IDC_STATUSBAR), L"就绪");
    HWND code = Child(IDC_CODE_PANE);
    ASSERT_TRUE(SetWindowSubclass(code, GiveNoText, 1, 0));
    window_.Convert();
    RemoveWindowSubclass(code, GiveNoText, 1);
    EXPECT_EQ(window_.Text(IDC_STATUSBAR), L"就绪");
    EXPECT_EQ(window_.Text(IDC_HTML_PANE), L"previous");
}

// A loader that takes its time, as one reading slow definition files would,
// and then does what the real one does at its end: it sets the finished flag,
// then posts its message through the param the window owns.
struct SlowLoader {
    DWORD delay;
    DWORD delayAfterFlag;
    LoaderThreadParam* param;
    std::atomic<bool> finished{false};
};

DWORD WINAPI SlowLoaderThread(LPVOID argument) {
    auto& loader = *static_cast<SlowLoader*>(argument);
    Sleep(loader.delay);
    languagesLoaded.store(1, std::memory_order_release);
    Sleep(loader.delayAfterFlag);
    PostMessageW(static_cast<HWND>(loader.param->mainWindow), loader.param->message, 0, 0);
    loader.finished = true;
    return 0;
}

HANDLE StartSlowLoader(HWND window, SlowLoader& loader) {
    loader.param = &MainStateOf(window)->loaderParam;
    languagesLoaded.store(0);
    loaderThread = CreateThread(nullptr, 0, SlowLoaderThread, &loader, 0, nullptr);
    HANDLE watched = nullptr;
    DuplicateHandle(GetCurrentProcess(), loaderThread, GetCurrentProcess(), &watched, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    return watched;
}

TEST_F(MainWindow, ConvertWaitsForASlowLoaderAndItsLateMessageKeepsTheResult) {
    ASSERT_TRUE(window_.SelectLanguage(L"Python"));
    window_.SetCode(L"print('x')\r\n");
    SlowLoader loader{300, 0, nullptr};
    HANDLE watched = StartSlowLoader(window_.handle(), loader);
    window_.Convert();
    EXPECT_TRUE(loader.finished);
    EXPECT_EQ(loaderThread, nullptr);
    EXPECT_EQ(window_.Text(IDC_STATUSBAR), L"代码转换已完成。");
    MainWindowUnderTest::Pump(50);  // the loader's message arrives now
    EXPECT_EQ(window_.Text(IDC_STATUSBAR), L"代码转换已完成。");
    CloseHandle(watched);

    // Without a Convert in between, the message closes the handle and says "就绪".
    SetWindowTextW(Child(IDC_STATUSBAR), L"");
    SlowLoader quick{10, 0, nullptr};
    watched = StartSlowLoader(window_.handle(), quick);
    WaitForSingleObject(watched, INFINITE);
    MainWindowUnderTest::Pump(50);
    EXPECT_EQ(loaderThread, nullptr);
    EXPECT_EQ(window_.Text(IDC_STATUSBAR), L"就绪");
    CloseHandle(watched);
}

TEST(MainWindowTearDown, QuittingDuringASlowLoadWaitsForTheLoader) {
    // Quitting while the loader reads files, and while it is between setting
    // its flag and posting.
    struct Delays { DWORD beforeFlag, afterFlag; };
    for (Delays delays : {Delays{400, 0}, Delays{0, 400}}) {
        SlowLoader loader{delays.beforeFlag, delays.afterFlag, nullptr};
        MainWindowUnderTest window(kWidth, kHeight);
        ASSERT_NE(window.handle(), nullptr);
        HANDLE watched = StartSlowLoader(window.handle(), loader);
        SendMessageW(window.handle(), WM_COMMAND, IDM_EXIT, 0);
        // The loader reads its param, which the window owns, until its end.
        EXPECT_EQ(WaitForSingleObject(watched, 0), WAIT_OBJECT_0) << delays.afterFlag;
        EXPECT_TRUE(loader.finished) << delays.afterFlag;
        EXPECT_FALSE(IsWindow(window.handle()));
        CloseHandle(watched);
    }
}

}  // namespace
