#include "app/main_window_win.h"

#include <commctrl.h>

#include <new>

#include "app/language_combo_win.h"
#include "app/main_window_messages.h"
#include "app/startup.h"
#include "base/memory.h"
#include "base/module_path.h"
#include "controls/tessella.h"
#include "resources/resource.h"

namespace {

// Everything the main window owns for the whole run.
struct MainWindowState {
    AppSettings settings;
    ColorTheme activeTheme;
    LoaderThreadParam loaderParam;
    HWND statusBar;
    HWND languageLabel;
    HWND languageCombo;
};

MainWindowState* StateOf(HWND window) {
    return reinterpret_cast<MainWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND CreateChild(HWND parent, int id, const wchar_t* className, const wchar_t* text, DWORD style) {
    HWND child = CreateWindowExW(0, className, text, WS_CHILD | WS_TABSTOP | style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                                 nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

bool OnCreate(HWND window) {
    auto* state = static_cast<MainWindowState*>(MEM_Alloc(sizeof(MainWindowState)));
    if (!state) return false;
    new (state) MainWindowState{};
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));

    RegisterSliders();
    state->statusBar = CreateChild(window, IDC_STATUSBAR, STATUSCLASSNAMEW, L"就绪", WS_VISIBLE | SBARS_SIZEGRIP);
    state->languageLabel = CreateChild(window, IDC_LANGUAGE_LABEL, L"Static", L"编程语言：", WS_VISIBLE | SS_CENTERIMAGE);
    state->languageCombo = CreateChild(window, IDC_LANGUAGE_COMBO, L"ComboBox", L"",
                                       WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS);

    state->loaderParam = LoaderThreadParam{0, window, WM_LANGUAGES_LOADED};
    ModulePath(state->settings.iniPath, u"Lumatype.ini");
    WindowLanguageCombo combo(state->languageCombo);
    LoadConfiguration(state->settings, state->activeTheme, combo, &state->loaderParam);
    return true;
}

void OnSize(MainWindowState* state) {
    SendMessageW(state->statusBar, WM_SIZE, 0, 0);
    MoveWindow(state->languageLabel, 8, 8, 80, 24, TRUE);
    MoveWindow(state->languageCombo, 92, 8, 160, 300, TRUE);
}

void OnDestroy(HWND window, MainWindowState* state) {
    if (state) {
        ReleaseConfiguration(state->settings);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        MEM_Free(state);
    }
    PostQuitMessage(0);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindowState* state = StateOf(window);
    switch (message) {
    case WM_CREATE:
        return OnCreate(window) ? 0 : -1;
    case WM_SIZE:
        if (state) OnSize(state);
        return 0;
    case WM_LANGUAGES_LOADED:
        CloseLanguageLoader();
        if (state) SetWindowTextW(state->statusBar, L"就绪");
        return 0;
    case WM_DESTROY:
        OnDestroy(window, state);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

ATOM RegisterMainWindowClass(HINSTANCE instance, const wchar_t* className) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    return RegisterClassExW(&wc);
}

HWND CreateMainWindow(HINSTANCE instance, const wchar_t* className, const wchar_t* title) {
    return CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, 800, 600,
                           nullptr, nullptr, instance, nullptr);
}
