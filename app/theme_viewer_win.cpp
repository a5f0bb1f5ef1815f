#include "app/theme_viewer_win.h"

#include <windowsx.h>

#include "app/center_dialog_win.h"
#include "app/dialog_icons_win.h"
#include "app/theme_viewer.h"
#include "resources/resource.h"

namespace {

// Lives on ShowThemeViewer's stack for the whole modal loop.
struct ThemeViewer {
    const ColorTheme* theme;
    int shownRole;  // -1 until the first role is shown
};

// The swatch draws its label this far right of its left edge: past the
// 16-pixel colour block and a little air.
constexpr int kSwatchWidth = 16;
constexpr int kLabelIndent = 27;

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

ThemeViewer* ViewerOf(HWND dialog) { return reinterpret_cast<ThemeViewer*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

const ThemeColor& ShownColor(const ThemeViewer& viewer) { return viewer.theme->colors[viewer.shownRole]; }

void ShowRole(HWND dialog, ThemeViewer& viewer, int role) {
    if (role < 0 || role >= kColorRoleCount || role == viewer.shownRole) return;
    viewer.shownRole = role;
    const ThemeColor& shown = ShownColor(viewer);
    SetDlgItemTextW(dialog, IDC_THEME_VIEWER_HTML, Wide(shown.html));
    SetDlgItemTextW(dialog, IDC_THEME_VIEWER_RGB, Wide(ColorComponentsText(shown.color).c_str()));
    // The swatch covers its whole rectangle, so there is nothing to erase.
    InvalidateRect(GetDlgItem(dialog, IDC_THEME_VIEWER_SWATCH), nullptr, FALSE);
}

BOOL OnInitDialog(HWND dialog, HWND, LPARAM param) {
    ThemeViewer* viewer = reinterpret_cast<ThemeViewer*>(param);
    SetWindowLongPtrW(dialog, DWLP_USER, param);
    SetDlgItemTextW(dialog, IDC_THEME_VIEWER_NAME, Wide(viewer->theme->name));
    HWND roles = GetDlgItem(dialog, IDC_THEME_VIEWER_ROLES);
    for (int role = 0; role < kColorRoleCount; ++role)
        SendMessageW(roles, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(ColorRoleLabel(static_cast<ColorRole>(role)).data()));
    // LB_SETCURSEL sends no LBN_SELCHANGE: the first role is shown by hand.
    SendMessageW(roles, LB_SETCURSEL, 0, 0);
    ShowRole(dialog, *viewer, 0);
    SetDialogIcons(dialog);
    CenterDialog(dialog);
    return TRUE;
}

void OnCommand(HWND dialog, int id, HWND control, UINT code) {
    if (id == IDOK || id == IDCANCEL) {
        EndDialog(dialog, id);
    } else if (id == IDC_THEME_VIEWER_ROLES && code == LBN_SELCHANGE && ViewerOf(dialog)) {
        ShowRole(dialog, *ViewerOf(dialog), static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0)));
    }
}

// A 16-pixel block filled with the colour, an outlined box beside it that
// shares its right edge, and the role's label written in the colour itself,
// so a colour meant for backgrounds shows how text on it would vanish.
void OnDrawItem(HWND dialog, const DRAWITEMSTRUCT* item) {
    const ThemeViewer* viewer = ViewerOf(dialog);
    if (item->CtlID != IDC_THEME_VIEWER_SWATCH || !viewer || viewer->shownRole < 0) return;
    const ColorRef color = ShownColor(*viewer).color;
    const HDC dc = item->hDC;
    RECT area = item->rcItem;

    HBRUSH fill = CreateSolidBrush(color);
    HGDIOBJ previous = SelectObject(dc, fill);
    Rectangle(dc, area.left, area.top, area.left + kSwatchWidth, area.bottom);
    SelectObject(dc, previous);
    DeleteObject(fill);
    Rectangle(dc, area.left + kSwatchWidth - 1, area.top, area.right, area.bottom);

    SetTextColor(dc, color);
    SetBkMode(dc, TRANSPARENT);
    area.left += kLabelIndent;
    const WStringView label = ColorRoleLabel(static_cast<ColorRole>(viewer->shownRole));
    DrawTextW(dc, Wide(label.data()), static_cast<int>(label.size()), &area, DT_SINGLELINE | DT_VCENTER);
}

INT_PTR CALLBACK ThemeViewerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(dialog, WM_INITDIALOG, OnInitDialog);
        HANDLE_MSG(dialog, WM_COMMAND, OnCommand);
        HANDLE_MSG(dialog, WM_DRAWITEM, OnDrawItem);
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR ShowThemeViewer(HWND owner, const ColorTheme& theme) {
    ThemeViewer viewer = {&theme, -1};
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_THEME_VIEWER), owner, ThemeViewerProc,
                           reinterpret_cast<LPARAM>(&viewer));
}
