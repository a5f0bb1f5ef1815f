#include "app/message_loop_win.h"

#include "resources/resource.h"

static bool KeyIsDown(int key) { return GetKeyState(key) < 0; }

bool SelectAllInPane(const MSG& message, HWND mainWindow) {
    if (message.message != WM_KEYDOWN || message.wParam != 'A') return false;
    if (!KeyIsDown(VK_CONTROL) || KeyIsDown(VK_SHIFT) || KeyIsDown(VK_MENU)) return false;
    HWND focus = GetFocus();
    if (!focus || (focus != GetDlgItem(mainWindow, IDC_CODE_PANE) && focus != GetDlgItem(mainWindow, IDC_HTML_PANE)))
        return false;
    SendMessageW(focus, EM_SETSEL, 0, -1);
    return true;
}

int RunMessageLoop(HWND mainWindow, HACCEL accelerators) {
    MSG message = {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (SelectAllInPane(message, mainWindow)) continue;
        if (accelerators && TranslateAcceleratorW(message.hwnd, accelerators, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
