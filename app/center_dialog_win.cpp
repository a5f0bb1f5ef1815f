#include "app/center_dialog_win.h"

#include "app/center_dialog.h"

void CenterDialog(HWND window) {
    HWND parent = GetParent(window);  // a dialog's owner
    if (!parent) parent = GetDesktopWindow();
    RECT client;
    GetClientRect(parent, &client);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
    RECT own;
    GetWindowRect(window, &own);

    CenterDialogInput in;
    in.parentLeft = client.left;
    in.parentTop = client.top;
    in.parentRight = client.right;
    in.parentBottom = client.bottom;
    in.width = own.right - own.left;
    in.height = own.bottom - own.top;
    in.captionButtonWidth = GetSystemMetrics(SM_CXSIZE);
    in.hasSystemMenu = (GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU) != 0;
    in.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    in.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    DialogPosition position = CenterDialogPosition(in);
    SetWindowPos(window, nullptr, position.x, position.y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}
