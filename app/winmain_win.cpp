#include <windows.h>
#include <commctrl.h>

#include "app/main_window_win.h"
#include "resources/resource.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
    wchar_t title[100];
    wchar_t className[100];
    LoadStringW(instance, IDS_APP_TITLE, title, 100);
    LoadStringW(instance, IDS_WINDOW_CLASS, className, 100);

    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    HMODULE richEdit = LoadLibraryW(L"Riched20.dll");

    if (!RegisterMainWindowClass(instance, className)) return 0;
    HWND window = CreateMainWindow(instance, className, title);
    if (!window) return 0;
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (richEdit) FreeLibrary(richEdit);
    return static_cast<int>(msg.wParam);
}
