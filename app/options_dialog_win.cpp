#include "app/options_dialog_win.h"

#include <windowsx.h>

#include "app/dialog_icons_win.h"
#include "app/options_preview_win.h"
#include "app/options_settings.h"
#include "app/pane_calls_win.h"
#include "base/debug_output.h"
#include "resources/resource.h"

namespace {

struct OptionsDialog {
    AppSettings* settings;
    ThemeList themes;
    RECT preview;
    HDC memory;
    HBITMAP bitmap;
    HGDIOBJ firstBitmap;
};

OptionsDialog* DialogOf(HWND dialog) { return reinterpret_cast<OptionsDialog*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

// A read-only file or a protected folder: without a word the user would
// find the settings gone after a restart.
constexpr wchar_t kSettingsNotSavedMessage[] = L"无法保存设置到 Lumatype.ini，新的设置只在本次运行中有效。";

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

// Room for the longest field (the font family) and one more character, so
// a text longer than its field is seen as such and cut by the write-back.
WString FieldText(HWND dialog, int id) {
    wchar_t text[258];
    const int length = GetDlgItemTextW(dialog, id, text, 258);
    return WString(reinterpret_cast<const char16_t*>(text), static_cast<size_t>(length));
}

int32_t Selection(HWND dialog, int id) {
    return static_cast<int32_t>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

// Without a listed selection (a ColorTheme outside the list) the preview
// shows the active theme, which OK then keeps.
const ColorTheme& PreviewedTheme(HWND dialog, const OptionsDialog& state) {
    const int32_t item = Selection(dialog, IDC_OPTIONS_THEME);
    return item >= 0 && item < state.themes.count() ? state.themes[item] : *state.settings->activeTheme;
}

void RenderPreview(HWND dialog, const OptionsDialog& state) {
    EnableWindow(GetDlgItem(dialog, IDC_OPTIONS_UPDATE_PREVIEW), FALSE);
    if (!state.bitmap) return;
    const WString face = FirstFontFamily(FieldText(dialog, IDC_OPTIONS_FONT_FAMILY));
    const PreviewRequest request = {Wide(face.c_str()), PreviewLength(FieldText(dialog, IDC_OPTIONS_FONT_SIZE)),
                                    PreviewLength(FieldText(dialog, IDC_OPTIONS_BORDER)),
                                    2 * Selection(dialog, IDC_OPTIONS_TAB) + 2, &PreviewedTheme(dialog, state)};
    RenderOptionsPreview(state.memory, state.preview.right - state.preview.left,
                         state.preview.bottom - state.preview.top, request);
    InvalidateRect(dialog, &state.preview, FALSE);
}

void FillFields(HWND dialog, const AppSettings& settings) {
    // The edits take no more than their settings fields keep.
    const struct {
        int id;
        const char16_t* text;
        size_t size;
    } edits[] = {{IDC_OPTIONS_FONT_FAMILY, settings.fontFamily, std::size(settings.fontFamily)},
                 {IDC_OPTIONS_FONT_SIZE, settings.fontSize, std::size(settings.fontSize)},
                 {IDC_OPTIONS_BORDER, settings.borderSize, std::size(settings.borderSize)}};
    for (const auto& edit : edits) {
        SendDlgItemMessageW(dialog, edit.id, EM_LIMITTEXT, edit.size - 1, 0);
        SetDlgItemTextW(dialog, edit.id, Wide(edit.text));
    }
    HWND tabs = GetDlgItem(dialog, IDC_OPTIONS_TAB);
    for (const wchar_t* item : {L"2 个空格", L"4 个空格"})
        SendMessageW(tabs, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(tabs, CB_SETCURSEL, settings.tabToSpaces == 2 ? 0 : 1, 0);
}

void CreatePreviewBitmap(HWND dialog, OptionsDialog& state) {
    RECT& r = state.preview;
    GetWindowRect(GetDlgItem(dialog, IDC_OPTIONS_PREVIEW), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    // Compatible with the screen, not with the memory context's first
    // one-pixel monochrome bitmap: the preview is in colour.
    HDC screen = GetDC(dialog);
    state.memory = CreateCompatibleDC(screen);
    if (state.memory) state.bitmap = CreateCompatibleBitmap(screen, r.right - r.left + 1, r.bottom - r.top + 1);
    ReleaseDC(dialog, screen);
    if (!state.bitmap) return;
    state.firstBitmap = SelectObject(state.memory, state.bitmap);
    SetBkMode(state.memory, TRANSPARENT);
}

BOOL OnInitDialog(HWND dialog, HWND, LPARAM param) {
    auto& state = *reinterpret_cast<OptionsDialog*>(param);
    SetWindowLongPtrW(dialog, DWLP_USER, param);
    SetDialogIcons(dialog);
    if (!state.themes.Load(*state.settings)) {
        DebugOutput(u"Options: the theme list cannot be had");
        EndDialog(dialog, IDCANCEL);
        return FALSE;
    }
    FillFields(dialog, *state.settings);
    HWND list = GetDlgItem(dialog, IDC_OPTIONS_THEME);
    for (int32_t i = 0; i < state.themes.count(); ++i)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(state.themes[i].name)));
    SendMessageW(list, CB_SETCURSEL, state.themes.ActivePosition(*state.settings), 0);
    CreatePreviewBitmap(dialog, state);
    RenderPreview(dialog, state);
    return TRUE;
}

void OnCommand(HWND dialog, int id, HWND, UINT code) {
    OptionsDialog* state = DialogOf(dialog);
    if (!state) return;
    switch (id) {
    case IDOK:
        if (!WriteBackOptions(*state->settings,
                              {FieldText(dialog, IDC_OPTIONS_FONT_FAMILY), FieldText(dialog, IDC_OPTIONS_FONT_SIZE),
                               FieldText(dialog, IDC_OPTIONS_BORDER), Selection(dialog, IDC_OPTIONS_TAB),
                               Selection(dialog, IDC_OPTIONS_THEME)},
                              state->themes))
            ShowProgramMessage(dialog, kSettingsNotSavedMessage, MB_ICONWARNING);
        EndDialog(dialog, IDOK);
        break;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        break;
    case IDC_OPTIONS_FONT_FAMILY:
    case IDC_OPTIONS_FONT_SIZE:
    case IDC_OPTIONS_BORDER:
        if (code == EN_CHANGE) EnableWindow(GetDlgItem(dialog, IDC_OPTIONS_UPDATE_PREVIEW), TRUE);
        break;
    case IDC_OPTIONS_TAB:
    case IDC_OPTIONS_THEME:
        if (code == CBN_SELCHANGE) RenderPreview(dialog, *state);
        break;
    case IDC_OPTIONS_UPDATE_PREVIEW:
        RenderPreview(dialog, *state);
        break;
    }
}

void OnPaint(HWND dialog, const OptionsDialog& state) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    const RECT& r = state.preview;
    if (state.bitmap) BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, state.memory, 0, 0, SRCCOPY);
    EndPaint(dialog, &paint);
}

void OnDestroy(HWND dialog) {
    OptionsDialog* state = DialogOf(dialog);
    if (!state) return;
    if (state->bitmap) SelectObject(state->memory, state->firstBitmap);
    if (state->memory) DeleteDC(state->memory);
    if (state->bitmap) DeleteObject(state->bitmap);
    state->memory = nullptr;
    state->bitmap = nullptr;
}

INT_PTR CALLBACK OptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(dialog, WM_INITDIALOG, OnInitDialog);
        HANDLE_MSG(dialog, WM_COMMAND, OnCommand);
        HANDLE_MSG(dialog, WM_DESTROY, OnDestroy);
    case WM_PAINT: {
        const OptionsDialog* state = DialogOf(dialog);
        if (!state) return FALSE;
        OnPaint(dialog, *state);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR ShowOptionsDialog(HWND owner, AppSettings& settings) {
    // The theme array lives here, freed when the dialog has ended.
    OptionsDialog state{};
    state.settings = &settings;
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_OPTIONS), owner, OptionsProc,
                           reinterpret_cast<LPARAM>(&state));
}
