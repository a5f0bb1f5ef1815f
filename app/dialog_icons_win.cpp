#include "app/dialog_icons_win.h"

#include "resources/resource.h"

namespace {

constexpr int kBigIconSize = 32, kSmallIconSize = 16;

HICON ProgramIcon(HWND window, int size) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    // Shared: the system keeps one copy per size, so opening a dialog again
    // and again costs no further icons.
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_LUMATYPE), IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace

void SetDialogIcons(HWND window) {
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ProgramIcon(window, kBigIconSize)));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ProgramIcon(window, kSmallIconSize)));
}
