#include "app/file_drop_win.h"

#include <shlobj.h>

#include <cstring>
#include <string>

#include "engine/language.h"
#include "tests/app/pane_test_support_win.h"
#include "tests/support/temp_file.h"

namespace {

class FileDropTest : public PaneTest {
protected:
    void SetUp() override {
        PaneTest::SetUp();
        combo_ = CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0, 0, 100, 200,
                                 owner_, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(combo_, nullptr);
        // Record 1 is disabled, so the combo holds records 0 and 2.
        table_ = CreateLanguageTable(3);
        ASSERT_NE(table_, nullptr);
        const TempFile* files[] = {&cLanguage_, &cLanguage_, &python_};
        for (int i = 0; i < 3; ++i) {
            table_->records[i].enabled = i != 1;
            CopyToField(table_->records[i].filePath, files[i]->Path());
        }
        AddLanguage(L"C", 0);
        AddLanguage(L"Python", 2);
        SendMessageW(combo_, CB_SETCURSEL, 0, 0);
    }
    void TearDown() override {
        FreeLanguageTable(table_);
        PaneTest::TearDown();
    }

    void AddLanguage(const wchar_t* name, LPARAM record) {
        const LRESULT position = SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        SendMessageW(combo_, CB_SETITEMDATA, position, record);
    }
    LRESULT SelectedRecord() {
        return SendMessageW(combo_, CB_GETITEMDATA, SendMessageW(combo_, CB_GETCURSEL, 0, 0), 0);
    }
    bool Load(const TempFile& file) {
        return LoadCodeFile(owner_, reinterpret_cast<const wchar_t*>(file.Path().c_str()), code_, combo_, table_);
    }

    TempFile cLanguage_{"c", ".lang", "[LanguageInfo]\nExtensions=.c;.h\n"};
    TempFile python_{"python", ".lang", "[LanguageInfo]\nExtensions=.py\n"};
    HWND combo_ = nullptr;
    LanguageTable* table_ = nullptr;
};

TEST_F(FileDropTest, AUtf8FileReplacesThePaneUndoablyAndPicksItsLanguage) {
    const TempFile file("script", ".PY", "\xEF\xBB\xBFprint('代码')\n\nx = 1\n");
    SetWindowTextW(code_, L"old code");
    ASSERT_TRUE(Load(file));
    EXPECT_EQ(TextOf(code_), L"print('代码')\r\n\r\nx = 1\r\n");
    EXPECT_EQ(SelectedRecord(), 2);
    EXPECT_TRUE(messages().empty());
    Undo(code_);
    EXPECT_EQ(TextOf(code_), L"old code");
}

TEST_F(FileDropTest, GbkAndLatin1FilesAreDecodedAsTheCommandLineDecodesThem) {
    const TempFile gbk("gbk", ".c", "// \xB4\xFA\xC2\xEB\nint x;");
    SendMessageW(combo_, CB_SETCURSEL, 1, 0);
    ASSERT_TRUE(Load(gbk));
    EXPECT_EQ(TextOf(code_), L"// 代码\r\nint x;");
    EXPECT_EQ(SelectedRecord(), 0);

    // No language lists ".txt": the combo keeps its choice.
    const TempFile latin1("latin1", ".txt", "caf\xE9\rna\xEFve");
    ASSERT_TRUE(Load(latin1));
    EXPECT_EQ(TextOf(code_), L"café\r\nnaïve");
    EXPECT_EQ(SelectedRecord(), 0);

    // Valid GBK by accident, yet no Chinese; an ESC does not reach the pane.
    const TempFile german("german", ".txt", "M\xE4rz\x1B[0m");
    ASSERT_TRUE(Load(german));
    EXPECT_EQ(TextOf(code_), L"März\xFFFD[0m");
}

TEST_F(FileDropTest, AFileNoExtensionClaimsGoesByItsFirstLine) {
    CopyToField(table_->records[2].name, u"Python");
    const TempFile script("tool", "", "#!/usr/bin/env python3\nprint(1)\n");
    ASSERT_TRUE(Load(script));
    EXPECT_EQ(SelectedRecord(), 2);
}

TEST_F(FileDropTest, AFileThatCannotBeReadLeavesThePaneAndSaysSo) {
    const TempFile missing("missing", ".c");
    const TempDir folder("folder");
    SetWindowTextW(code_, L"kept");
    SendMessageW(combo_, CB_SETCURSEL, 1, 0);
    EXPECT_FALSE(Load(missing));
    EXPECT_FALSE(LoadCodeFile(owner_, reinterpret_cast<const wchar_t*>(folder.Path("").c_str()), code_, combo_, table_));
    EXPECT_EQ(TextOf(code_), L"kept");
    EXPECT_EQ(SelectedRecord(), 2);
    ASSERT_EQ(messages().size(), 2u);
    for (const RecordedMessage& message : messages()) {
        EXPECT_EQ(message.caption, L"Lumatype");
        EXPECT_EQ(message.type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    }
    EXPECT_NE(messages()[0].text.find(reinterpret_cast<const wchar_t*>(missing.Path().c_str())), std::wstring::npos);
}

// A drop as the shell hands it over: a DROPFILES header, then NUL-separated
// wide names ending in an empty one.
HDROP DropOf(const std::wstring& first, const std::wstring& second) {
    const std::wstring names = first + L'\0' + second + L'\0' + L'\0';
    const size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GHND, bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    return static_cast<HDROP>(block);
}

TEST_F(FileDropTest, ADropLoadsItsFirstFile) {
    const TempFile first("first", ".c", "int a;\n");
    const TempFile second("second", ".py", "b = 2\n");
    SendMessageW(combo_, CB_SETCURSEL, 1, 0);
    const HDROP drop = DropOf(reinterpret_cast<const wchar_t*>(first.Path().c_str()),
                              reinterpret_cast<const wchar_t*>(second.Path().c_str()));
    EXPECT_TRUE(LoadDroppedFile(owner_, drop, code_, combo_, table_));
    EXPECT_EQ(TextOf(code_), L"int a;\r\n");
    EXPECT_EQ(SelectedRecord(), 0);
}

}  // namespace
