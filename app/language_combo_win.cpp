#include "app/language_combo_win.h"

void WindowLanguageCombo::ResetContent() { SendMessageW(combo_, CB_RESETCONTENT, 0, 0); }

int WindowLanguageCombo::AddString(const char16_t* text) {
    return static_cast<int>(SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

void WindowLanguageCombo::SetItemData(int position, intptr_t data) {
    SendMessageW(combo_, CB_SETITEMDATA, static_cast<WPARAM>(position), static_cast<LPARAM>(data));
}

void WindowLanguageCombo::SetCurSel(int position) {
    SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

int WindowLanguageCombo::GetCount() const { return static_cast<int>(SendMessageW(combo_, CB_GETCOUNT, 0, 0)); }
