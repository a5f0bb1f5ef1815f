#include "app/main_window_win.h"

#include <richedit.h>

#include <iterator>
#include <new>

#include "app/about_dialog_win.h"
#include "app/options_dialog_win.h"
#include "app/convert_command_win.h"
#include "app/file_drop_win.h"
#include "app/indentation_win.h"
#include "app/language_combo_win.h"
#include "app/main_window_messages.h"
#include "app/main_window_state_win.h"
#include "app/pane_commands_win.h"
#include "app/startup.h"
#include "app/table_command_win.h"
#include "app/theme_viewer_win.h"
#include "base/memory.h"
#include "base/module_path.h"
#include "controls/tessella.h"
#include "resources/resource.h"

namespace {

constexpr COLORREF kFrameColor = RGB(127, 157, 185);
constexpr DWORD kPaneStyle = WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                             ES_WANTRETURN;
// The rich-edit pane's own limit is 32,767 characters of typing; large HTML
// must fit.
constexpr LPARAM kHtmlPaneTextLimit = 0x7FFFFFFE;
// The HTML pane keeps its scroll bars (greyed while the text fits): under
// Wine each bar that comes or goes lays the whole text out again, which for
// large HTML costs twice the stream-in that made it appear. The code pane
// cannot take the flag: for an edit control the same bit is ES_NUMBER.
constexpr DWORD kHtmlPaneStyle = kPaneStyle | ES_DISABLENOSCROLL;
constexpr wchar_t kReadyStatus[] = L"就绪";

struct ChildDefinition {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;  // besides WS_CHILD | WS_TABSTOP
    DWORD exStyle;
};

// In creation order: index i gets control id IDC_TOOLBAR + i.
constexpr ChildDefinition kChildren[kMainChildCount] = {
    {TOOLBARCLASSNAMEW, L"ToolBar", WS_BORDER | CCS_ADJUSTABLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT | TBSTYLE_LIST,
     WS_EX_TOOLWINDOW},
    {STATUSCLASSNAMEW, kReadyStatus, WS_VISIBLE | SBARS_SIZEGRIP, 0},
    {L"Static", L"编程语言：", WS_VISIBLE | SS_CENTERIMAGE, 0},
    {L"ComboBox", L"", WS_VISIBLE | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0},
    {L"Button", L"显示行号", WS_VISIBLE | BS_AUTOCHECKBOX, 0},
    {L"Static", L"起始行号：", WS_VISIBLE | SS_CENTERIMAGE, 0},
    {L"Edit", L"1", WS_VISIBLE | ES_NUMBER, WS_EX_CLIENTEDGE},
    {L"Edit", L"", kPaneStyle, WS_EX_CLIENTEDGE},
    {L"RichEdit20W", L"", kHtmlPaneStyle, 0},
    {L"" VBSLIDER_CLASS_A, L"VBSlider1", WS_VISIBLE, 0},
};

struct ToolbarEntry {
    int command;  // 0 for a separator
    int image;
    const wchar_t* label;
    bool showsText;
};

constexpr ToolbarEntry kToolbarEntries[] = {
    {IDM_CLEAR_CODE, 5, L"清空", true},
    {IDM_PASTE_CODE, 6, L"粘贴", true},
    {IDM_DECREASE_INDENT, 3, L"减少缩进", false},
    {IDM_INCREASE_INDENT, 4, L"增加缩进", false},
    {0, 0, nullptr, false},
    {IDM_GENERATE_TABLE, 8, L"生成表格", false},
    {IDM_CONVERT, 7, L"转换", true},
    {IDM_COPY_HTML, 1, L"复制", true},
    {0, 0, nullptr, false},
    {IDM_ABOUT, 2, L"关于", false},
};

struct Tooltip {
    int command;
    const wchar_t* text;
};

constexpr Tooltip kTooltips[] = {
    {IDM_ABOUT, L"关于 Lumatype 工具。"},
    {IDM_CONVERT, L"把代码转换成 HTML。"},
    {IDM_COPY_HTML, L"把转换后的 HTML 文本拷贝到剪贴板（纯文本）。"},
    {IDM_CLEAR_CODE, L"清空上方文本框中的所有代码内容。"},
    {IDM_PASTE_CODE, L"粘贴代码到上方文本框。"},
    {IDM_GENERATE_TABLE, L"插入表格。"},
};

HWND Child(const MainWindowState& state, MainChild child) { return state.children[child]; }

void CreateUiObjects(MainWindowState& state) {
    LOGFONTW font = {};
    font.lfHeight = -12;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynW(font.lfFaceName, L"宋体", LF_FACESIZE);
    state.uiFont = CreateFontIndirectW(&font);
    state.frameBrush = CreateSolidBrush(kFrameColor);
    state.splitterCursor =
        static_cast<HCURSOR>(LoadImageW(state.instance, MAKEINTRESOURCEW(IDCUR_SPLITTER), IMAGE_CURSOR, 0, 0, 0));
}

// Child i at its place in the layout, in the program's font.
HWND CreateChild(HWND window, const MainWindowState& state, int i, DWORD style) {
    const ChildDefinition& definition = kChildren[i];
    const LayoutRect& r = state.layout.rects[i];
    HWND child = CreateWindowExW(definition.exStyle, definition.className, definition.text,
                                 WS_CHILD | WS_TABSTOP | style, r.left, r.top, r.Width(), r.Height(), window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLBAR + i)), state.instance, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(state.uiFont), FALSE);
    return child;
}

HWND CreateHtmlPane(HWND window, const MainWindowState& state, DWORD style) {
    HWND pane = CreateChild(window, state, kHtmlPane, style);
    SendMessageW(pane, EM_EXLIMITTEXT, 0, kHtmlPaneTextLimit);
    return pane;
}

void CreateChildren(HWND window, MainWindowState& state) {
    for (int i = 0; i < kMainChildCount; ++i)
        state.children[i] = i == kHtmlPane ? CreateHtmlPane(window, state, kChildren[i].style)
                                           : CreateChild(window, state, i, kChildren[i].style);
    // Without a limit an edit control takes about 30,000 characters and
    // silently drops the rest of a larger paste.
    SendMessageW(Child(state, kCodePane), EM_SETLIMITTEXT, 0, 0);
}

void BuildToolbar(MainWindowState& state) {
    HWND toolbar = Child(state, kToolbar);
    state.toolbarImages = ImageList_LoadImageW(state.instance, MAKEINTRESOURCEW(IDB_TOOLBAR), 32, 8, RGB(255, 0, 255),
                                               IMAGE_BITMAP, LR_CREATEDIBSECTION);
    SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS | TBSTYLE_EX_DOUBLEBUFFER);
    SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(state.toolbarImages));
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON buttons[std::size(kToolbarEntries)] = {};
    for (size_t i = 0; i < std::size(kToolbarEntries); ++i) {
        const ToolbarEntry& entry = kToolbarEntries[i];
        TBBUTTON& button = buttons[i];
        button.fsState = TBSTATE_ENABLED;
        if (!entry.command) {
            button.fsStyle = BTNS_SEP;
            continue;
        }
        button.iBitmap = entry.image;
        button.idCommand = entry.command;
        button.fsStyle = BTNS_BUTTON | (entry.showsText ? BTNS_SHOWTEXT : 0);
        button.iString = reinterpret_cast<INT_PTR>(entry.label);
    }
    SendMessageW(toolbar, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    ShowWindow(toolbar, SW_SHOW);
}

// Moves the children to the layout of the current client area. A resize
// keeps the percentage; the end of a drag keeps the position.
void Relayout(HWND window, MainWindowState& state, LayoutMode mode) {
    RECT client;
    GetClientRect(window, &client);
    const bool placed = ComputeMainLayout(client.right, client.bottom, mode, state.split, state.layout);
    const bool resizing = mode == LayoutMode::Percent;
    if (placed) {
        const UINT flags = SWP_NOZORDER | SWP_NOOWNERZORDER | (resizing ? SWP_NOREDRAW : 0);
        for (int i = kLanguageLabel; i < kMainChildCount; ++i) {
            const LayoutRect& r = state.layout.rects[i];
            SetWindowPos(state.children[i], nullptr, r.left, r.top, r.Width(), r.Height(), flags);
        }
    }
    if (resizing) {
        SendMessageW(Child(state, kToolbar), WM_SIZE, 0, 0);
        SendMessageW(Child(state, kStatusBar), WM_SIZE, 0, 0);
    } else if (placed) {
        // The frame around the HTML pane moved with it.
        InvalidateRect(window, nullptr, TRUE);
    }
    if (placed) SendMessageW(Child(state, kSplitter), VBSM_SETLIMITS, 3, PackSplitterLimits(state.layout));
}

BOOL OnCreate(HWND window, const CREATESTRUCTW& create) {
    auto* state = static_cast<MainWindowState*>(MEM_Alloc(sizeof(MainWindowState)));
    if (!state) return FALSE;
    new (state) MainWindowState{};
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    state->instance = create.hInstance;

    CreateUiObjects(*state);
    RegisterSliders();
    RECT client;
    GetClientRect(window, &client);
    ComputeMainLayout(client.right, client.bottom, LayoutMode::Percent, state->split, state->layout);
    CreateChildren(window, *state);
    SendMessageW(Child(*state, kSplitter), VBSM_SETORIENTATION, 1, 0);
    BuildToolbar(*state);
    SendMessageW(Child(*state, kLineNumbersBox), BM_SETCHECK, BST_CHECKED, 0);

    state->loaderParam = LoaderThreadParam{0, window, WM_LANGUAGES_LOADED};
    SetInitialTableOptions(tableOptions);
    ModulePath(state->settings.iniPath, u"Lumatype.ini");
    WindowLanguageCombo combo(Child(*state, kLanguageCombo));
    LoadConfiguration(state->settings, state->activeTheme, combo, &state->loaderParam);
    DragAcceptFiles(window, TRUE);
    return TRUE;
}

void OnPaint(HWND window, const MainWindowState& state) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const LayoutRect& pane = state.layout.rects[kHtmlPane];
    RECT frame = {pane.left - 1, pane.top - 1, pane.right + 1, pane.bottom + 1};
    FrameRect(dc, &frame, state.frameBrush);
    EndPaint(window, &paint);
}

bool OnSetCursor(const MainWindowState& state, HWND underCursor) {
    if (!underCursor || GetDlgCtrlID(underCursor) != IDC_SPLITTER || !state.splitterCursor) return false;
    SetCursor(state.splitterCursor);
    return true;
}

LRESULT OnNotify(HWND window, MainWindowState& state, WPARAM senderId, const NMHDR& header) {
    if (header.code == TTN_GETDISPINFOW) {
        // The request's record is larger than NMHDR: the tooltip sent one.
        auto& request = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
        request.hinst = nullptr;
        request.lpszText = state.tooltip;
        state.tooltip[0] = 0;
        for (const Tooltip& tip : kTooltips)
            if (static_cast<UINT_PTR>(tip.command) == header.idFrom)
                lstrcpynW(state.tooltip, tip.text, static_cast<int>(std::size(state.tooltip)));
        return 0;
    }
    if (senderId == IDC_SPLITTER) {
        state.split.position += reinterpret_cast<const NMVBSLIDER&>(header).delta;
        Relayout(window, state, LayoutMode::Position);
    }
    return 0;
}

bool OnCommand(HWND window, const MainWindowState& state, int command) {
    switch (command) {
    case IDM_ABOUT:
        ShowAboutDialog(window);
        return true;
    case IDM_EXIT:
        DestroyWindow(window);
        return true;
    case IDM_CONVERT:
        ConvertCommand(window);
        return true;
    case IDM_COPY_HTML:
        CopyHtml(window, Child(state, kHtmlPane));
        return true;
    case IDM_DECREASE_INDENT:
    case IDM_INCREASE_INDENT:
        ShiftLines(Child(state, kCodePane), command == IDM_DECREASE_INDENT);
        return true;
    case IDM_CLEAR_CODE:
        ClearCode(Child(state, kCodePane));
        return true;
    case IDM_PASTE_CODE:
        PasteCode(window, Child(state, kCodePane));
        return true;
    case IDM_VIEW_THEME:
        ShowThemeViewer(window, state.activeTheme);
        return true;
    case IDM_GENERATE_TABLE:
        GenerateTableCommand(window);
        return true;
    case IDM_OPTIONS:
        ShowOptionsDialog(window, MainStateOf(window)->settings);
        return true;
    }
    return false;
}

// The labels and the checkbox would paint the dialog colour, which is not
// the window's (the class brush is the menu bar's): give them the window's.
LRESULT OnColorStatic(HDC dc) {
    SetBkColor(dc, GetSysColor(COLOR_MENUBAR));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_MENUBAR));
}

void OnLanguagesLoaded(const MainWindowState& state) {
    // A Convert that had to wait for the loader has closed the handle and
    // reported its own result, which "就绪" must not overwrite.
    if (!loaderThread) return;
    CloseLanguageLoader();
    SetWindowTextW(Child(state, kStatusBar), kReadyStatus);
}

void OnDestroy(HWND window, MainWindowState* state) {
    if (state) {
        DeleteObject(state->uiFont);
        DeleteObject(state->frameBrush);
        if (state->toolbarImages) ImageList_Destroy(state->toolbarImages);
        if (state->splitterCursor) DestroyCursor(state->splitterCursor);
        const bool released = ReleaseConfiguration(state->settings);
        for (HWND child : state->children) DestroyWindow(child);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        // A loader that could not be waited for may still read its param:
        // the state is then left to the end of the process.
        if (released) {
            state->~MainWindowState();
            MEM_Free(state);
        }
    }
    PostQuitMessage(0);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) return OnCreate(window, *reinterpret_cast<const CREATESTRUCTW*>(lParam)) ? 0 : -1;
    MainWindowState* state = MainStateOf(window);
    if (message == WM_DESTROY) {
        OnDestroy(window, state);
        return 0;
    }
    if (!state) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
        Relayout(window, *state, LayoutMode::Percent);
        return 0;
    case WM_PAINT:
        OnPaint(window, *state);
        return 0;
    case WM_SETCURSOR:
        if (OnSetCursor(*state, reinterpret_cast<HWND>(wParam))) return 1;
        break;
    case WM_NOTIFY:
        return OnNotify(window, *state, wParam, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        if (OnCommand(window, *state, LOWORD(wParam))) return 0;
        break;
    case WM_CTLCOLORSTATIC:
        return OnColorStatic(reinterpret_cast<HDC>(wParam));
    case WM_DROPFILES:
        LoadDroppedFile(window, reinterpret_cast<HDROP>(wParam), Child(*state, kCodePane),
                        Child(*state, kLanguageCombo), languageTable);
        return 0;
    case WM_LANGUAGES_LOADED:
        OnLanguagesLoaded(*state);
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

MainWindowState* MainStateOf(HWND mainWindow) {
    return reinterpret_cast<MainWindowState*>(GetWindowLongPtrW(mainWindow, GWLP_USERDATA));
}

ATOM RegisterMainWindowClass(HINSTANCE instance, const wchar_t* className) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_LUMATYPE));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENUBAR + 1);
    wc.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
    wc.lpszClassName = className;
    return RegisterClassExW(&wc);
}

HWND CreateSpareHtmlPane(HWND mainWindow) {
    const MainWindowState* state = MainStateOf(mainWindow);
    return state ? CreateHtmlPane(mainWindow, *state, kChildren[kHtmlPane].style & ~WS_VISIBLE) : nullptr;
}

void SwapInHtmlPane(HWND mainWindow, HWND spare) {
    MainWindowState* state = MainStateOf(mainWindow);
    if (!state) return;
    HWND old = state->children[kHtmlPane];
    const bool focused = GetFocus() == old;
    // Right behind the old pane in the z-order, so the tab order stays.
    SetWindowPos(spare, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    state->children[kHtmlPane] = spare;
    if (focused) SetFocus(spare);
    DestroyWindow(old);
}

HWND CreateMainWindow(HINSTANCE instance, const wchar_t* className, const wchar_t* title) {
    return CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr,
                           nullptr, instance, nullptr);
}
