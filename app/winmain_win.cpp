#include <windows.h>
#include <commctrl.h>

#include "app/main_window_win.h"
#include "app/message_loop_win.h"
#include "resources/resource.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
    wchar_t title[100];
    wchar_t className[100];
    LoadStringW(instance, IDS_APP_TITLE, title, 100);
    LoadStringW(instance, IDS_WINDOW_CLASS, className, 100);

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // Without it the HTML pane is not created; the program still starts.
    LoadLibraryW(L"Riched20.dll");

    RegisterMainWindowClass(instance, className);
    HWND window = CreateMainWindow(instance, className, title);
    if (!window) return 0;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return RunMessageLoop(window, LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS)));
}
