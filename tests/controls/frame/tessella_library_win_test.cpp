#include <gtest/gtest.h>

#include <cstring>

#include "controls/tessella.h"

namespace {

template <typename Proc>
Proc Export(HMODULE library, int ordinal) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(ordinal))));
}

class TessellaLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = LoadLibraryA("Tessella.dll");
        ASSERT_NE(library_, nullptr);
    }
    void TearDown() override {
        if (library_) FreeLibrary(library_);
    }
    HMODULE library_ = nullptr;
};

void ExpectClass(HMODULE library, const char* name, UINT style, INT_PTR background) {
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetClassInfoExA(library, name, &info)) << name;
    EXPECT_EQ(info.style, style) << name;
    EXPECT_EQ(info.cbClsExtra, 0) << name;
    EXPECT_EQ(info.cbWndExtra, 4) << name;
    EXPECT_EQ(reinterpret_cast<INT_PTR>(info.hbrBackground), background) << name;
    EXPECT_EQ(info.hCursor, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW))) << name;
    EXPECT_EQ(info.hIcon, nullptr) << name;
    EXPECT_EQ(info.lpszMenuName, nullptr) << name;
}

bool ClassExists(const char* name) {
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    return GetClassInfoExA(GetModuleHandleA(nullptr), name, &info) != 0;
}

}  // namespace

TEST_F(TessellaLibrary, ExportsByOrdinalAndName) {
    const char* names[] = {"RegisterTessella", "RegisterSliders", "UnicodeToAnsi", "AnsiToUnicode"};
    for (int ordinal = 1; ordinal <= 4; ++ordinal) {
        FARPROC byName = GetProcAddress(library_, names[ordinal - 1]);
        ASSERT_NE(byName, nullptr) << names[ordinal - 1];
        EXPECT_EQ(GetProcAddress(library_, MAKEINTRESOURCEA(ordinal)), byName) << ordinal;
    }
}

TEST_F(TessellaLibrary, StringExportsReportSizesLikeThePlatform) {
    auto toAnsi = Export<UnicodeToAnsiProc>(library_, 3);
    auto toWide = Export<AnsiToUnicodeProc>(library_, 4);
    char bytes[8];
    std::memset(bytes, 'x', sizeof bytes);
    EXPECT_EQ(toAnsi(L"", bytes, 0), 1);
    EXPECT_EQ(bytes[0], 'x');
    EXPECT_EQ(toAnsi(L"", bytes, 1), 1);
    EXPECT_EQ(bytes[0], '\0');
    EXPECT_EQ(toAnsi(L"\u4EE3\u7801", bytes, sizeof bytes), 5);  // two characters of code page 936
    EXPECT_EQ(toAnsi(L"\u4EE3\u7801", bytes, 4), 0);
    EXPECT_EQ(toAnsi(nullptr, bytes, 8), 0);
    EXPECT_EQ(toAnsi(L"abc", nullptr, 8), 0);
    EXPECT_EQ(toAnsi(L"abc", bytes, -1), 0);

    wchar_t wide[8];
    EXPECT_EQ(toWide("abc", wide, 3), 0);
    EXPECT_EQ(toWide("abc", wide, 4), 4);
    EXPECT_STREQ(wide, L"abc");
    EXPECT_EQ(toWide("abc", nullptr, 0), 4);
    EXPECT_EQ(toWide("\xB4\xFA\xC2\xEB", wide, 8), 3);
    EXPECT_STREQ(wide, L"\u4EE3\u7801");
    EXPECT_EQ(toWide(nullptr, wide, 8), 0);
}

TEST_F(TessellaLibrary, RegistersOnceAndDropsTheMultiSelectClassAtUnload) {
    auto registerTessella = Export<RegisterTessellaProc>(library_, 1);
    auto registerSliders = Export<RegisterSlidersProc>(library_, 2);
    EXPECT_NE(registerSliders(), 0);
    EXPECT_EQ(registerSliders(), 0);
    EXPECT_NE(registerTessella(), 0);
    EXPECT_EQ(registerTessella(), 0);
    ExpectClass(library_, VBSLIDER_CLASS_A, CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS, COLOR_MENUBAR + 1);
    ExpectClass(library_, CLOCK_CLASS_A, CS_GLOBALCLASS, COLOR_WINDOW + 1);
    ExpectClass(library_, TESSELLA_CLASS_A, CS_GLOBALCLASS, COLOR_WINDOW + 1);

    // The multi-select class still exists: the clock registration decides.
    ASSERT_TRUE(UnregisterClassA(CLOCK_CLASS_A, library_));
    EXPECT_NE(registerTessella(), 0);

    // Global classes serve windows of any module.
    HWND slider = CreateWindowExA(0, VBSLIDER_CLASS_A, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(slider, nullptr);
    DestroyWindow(slider);

    ASSERT_TRUE(FreeLibrary(library_));
    library_ = nullptr;
    EXPECT_FALSE(ClassExists(TESSELLA_CLASS_A));
}
