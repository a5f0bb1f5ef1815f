#pragma once
// The language combo of the main window behind the registry's interface.
#include <windows.h>

#include "engine/language_registry.h"

class WindowLanguageCombo : public LanguageCombo {
public:
    explicit WindowLanguageCombo(HWND combo) : combo_(combo) {}
    void ResetContent() override;
    int AddString(const char16_t* text) override;
    void SetItemData(int position, intptr_t data) override;
    void SetCurSel(int position) override;
    int GetCount() const override;

private:
    HWND combo_;
};
