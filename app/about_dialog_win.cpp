#include "app/about_dialog_win.h"

#include <windowsx.h>

#include "app/about_text.h"
#include "app/center_dialog_win.h"
#include "app/dialog_icons_win.h"
#include "resources/resource.h"

namespace {

const wchar_t* Wide(WStringView text) { return reinterpret_cast<const wchar_t*>(text.data()); }

BOOL OnInitDialog(HWND dialog, HWND, LPARAM) {
    SetDlgItemTextW(dialog, IDC_ABOUT_VERSION, Wide(AboutVersionLine()));
    HWND text = GetDlgItem(dialog, IDC_ABOUT_TEXT);
    for (int i = 0; i < kAboutPieceCount; ++i)
        SendMessageW(text, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Wide(AboutPiece(i))));
    // The text is the first tab stop: given the focus, the dialog manager
    // would show it all selected and scrolled to its end. The button takes
    // the focus, and the text shows from its beginning.
    SendMessageW(text, EM_SETSEL, 0, 0);
    SendMessageW(text, EM_SCROLLCARET, 0, 0);
    SetFocus(GetDlgItem(dialog, IDOK));
    SetDialogIcons(dialog);
    CenterDialog(dialog);
    return FALSE;
}

// The button, Enter, Esc and the close box all end the dialog with their id.
void OnCommand(HWND dialog, int id, HWND, UINT) {
    if (id == IDOK || id == IDCANCEL) EndDialog(dialog, id);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(dialog, WM_INITDIALOG, OnInitDialog);
        HANDLE_MSG(dialog, WM_COMMAND, OnCommand);
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR ShowAboutDialog(HWND owner) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutProc, 0);
}
