#include <windows.h>

#include <gtest/gtest.h>

#include "app/language_combo_win.h"
#include "app/main_window_messages.h"
#include "engine/language_registry.h"
#include "tests/support/temp_file.h"

namespace {

TEST(WindowLanguageCombo, FillsARealComboBox) {
    HWND combo = CreateWindowExW(0, L"ComboBox", L"", CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0, 0, 100, 100,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(combo, nullptr);
    const TempFile ini("lumatype_combo_win", ".ini",
                       "[Languages]\r\nCount=3\r\nDefault=go\r\nItem1=C\r\nEnabled2=0\r\n"
                       "Item2=Java\r\nItem3=Go\r\n");
    // No window answers the message: the thread's queue takes it.
    LoaderThreadParam param{-1, nullptr, WM_LANGUAGES_LOADED};
    WindowLanguageCombo languages(combo);
    int position = RegisterLanguages(ini.Path().c_str(), languages, &param);
    SelectDefaultLanguage(languages, position);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 1, 0), 2);
    wchar_t text[32] = {};
    SendMessageW(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Go");
    ReleaseLanguages();
    EXPECT_EQ(loaderThread, nullptr);
    EXPECT_EQ(languagesLoaded.load(), 1);
    DestroyWindow(combo);
}

}  // namespace
