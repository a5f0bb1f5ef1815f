#include "engine/language_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/module_path.h"
#include "tests/engine/engine_test_support.h"
#include "tests/support/temp_file.h"
#ifndef _WIN32
#include "engine/language_loader_native.h"
#endif

namespace {

class FakeCombo : public LanguageCombo {
public:
    void ResetContent() override {
        ++resets;
        items.clear();
        data.clear();
    }
    int AddString(const char16_t* text) override {
        items.push_back(text);
        data.push_back(-1);
        return static_cast<int>(items.size()) - 1;
    }
    void SetItemData(int position, intptr_t value) override { data.at(position) = value; }
    void SetCurSel(int position) override { selected = position; }
    int GetCount() const override { return static_cast<int>(items.size()); }

    int resets = 0;
    std::vector<WString> items;
    std::vector<intptr_t> data;
    int selected = -1;
};

class LanguageRegistryTest : public testing::Test {
protected:
    void TearDown() override {
        ReleaseLanguages();
        EXPECT_EQ(languageTable, nullptr);
        EXPECT_EQ(loaderThread, nullptr);
    }
    // Registers the languages of an INI file with the given content.
    int Register(const std::string& ini) {
        return RegisterLanguages(files_.Write("test.ini", ini).c_str(), combo, &param);
    }
    WString AddLanguageFile(const std::string& name, const std::string& bytes) { return files_.Write(name, bytes); }

    FakeCombo combo;
    LoaderThreadParam param{-1, nullptr, kLoadedMessage};

private:
    TempDir files_{"lumatype_registry"};
};

TEST_F(LanguageRegistryTest, NoCountMeansNoTableAndNoThread) {
    for (const char* ini : {"[Common]\nTabToSpaces=4\n", "[Languages]\nCount=0\nItem1=C\n",
                            "[Languages]\nCount=-2\n"}) {
        combo.items.push_back(u"stale");
        EXPECT_EQ(Register(ini), 0);
        EXPECT_EQ(languageTable, nullptr);
        EXPECT_EQ(loaderThread, nullptr);
        EXPECT_EQ(combo.GetCount(), 0);
        SelectDefaultLanguage(combo, 0);
        EXPECT_EQ(combo.selected, -1);
    }
    EXPECT_EQ(combo.resets, 3);
}

TEST_F(LanguageRegistryTest, OffersEnabledLanguagesWithTheirRecordIndex) {
    int position = Register(
        "[Languages]\nCount=5\nDefault=python\n"
        "Enabled1=1\nItem1=C/C++\nFile1=languages\\cpp.lang\n"
        "Enabled2=0abc\nItem2=Java\nFile2=languages\\java.lang\n"
        "Item3=Python\nFile3=languages\\python.lang\n"
        "Enabled4=0\nItem4=SQL\n"
        "Enabled5=\nItem5=A name that is much longer than thirty-one characters\n");
    ASSERT_NE(languageTable, nullptr);
    ASSERT_EQ(languageTable->count, 5);
    EXPECT_EQ(combo.items, (std::vector<WString>{u"C/C++", u"Python", u"A name that is much longer than"}));
    EXPECT_EQ(combo.data, (std::vector<intptr_t>{0, 2, 4}));
    EXPECT_EQ(position, 1);

    const LanguageInfo* records = languageTable->records;
    EXPECT_EQ(records[1].enabled, 0);
    EXPECT_EQ(WString(records[1].name), u"Java");  // disabled records keep their name
    EXPECT_EQ(records[1].filePath[0], 0);          // but get no path
    EXPECT_EQ(records[2].enabled, 1);
    char16_t expected[kMaxPath];
    ASSERT_TRUE(ModulePath(expected, u"languages\\python.lang"));
    EXPECT_EQ(WString(records[2].filePath), WString(expected));

    SelectDefaultLanguage(combo, position);
    EXPECT_EQ(combo.selected, 1);
}

TEST_F(LanguageRegistryTest, DefaultIsTheLastEnabledMatch) {
    EXPECT_EQ(Register("[Languages]\nCount=4\nDefault=SQL\nItem1=sql\nItem2=C\nItem3=Sql\nItem4=SQL\n"
                       "Enabled4=0\n"),
              2);
    ReleaseLanguages();
    EXPECT_EQ(Register("[Languages]\nCount=2\nDefault=Ruby\nItem1=C\nItem2=Go\n"), 0);
    ReleaseLanguages();
    EXPECT_EQ(Register("[Languages]\nCount=2\nItem1=C\nItem2=\n"), 1);  // empty Default matches an empty name
}

#ifndef _WIN32
std::atomic<int> postCount{0};
void CountPost(const LoaderThreadParam& param) {
    EXPECT_EQ(param.message, kLoadedMessage);
    ++postCount;
}
#endif

TEST_F(LanguageRegistryTest, LoaderParsesOnlyEnabledRecordsAndPostsOnce) {
    WString path = AddLanguageFile("loader.lang", "[LanguageInfo]\nEscapeChar=\\\n[i]\nint\n");
    languageTable = CreateLanguageTable(3);
    ASSERT_NE(languageTable, nullptr);
    LanguageInfo* records = languageTable->records;
    for (int i = 0; i < 3; ++i) CopyToField(records[i].filePath, path);
    records[0].enabled = 1;
    records[2].enabled = 1;
#ifndef _WIN32
    postCount = 0;
    SetLanguagesLoadedPoster(CountPost);
#endif
    languagesLoaded = 0;
    ASSERT_TRUE(StartLanguageLoader(&param));
    ASSERT_TRUE(WaitForLanguageLoader());  // returns at once if the loader was done
    CloseLanguageLoader();                 // as the message handler does
    EXPECT_EQ(loaderThread, nullptr);
    EXPECT_EQ(languagesLoaded.load(), 1);
    EXPECT_EQ(param.result, 0);
    EXPECT_TRUE(FindKeyword(&records[0], u"int").found);
    EXPECT_EQ(records[1].keywords, nullptr);
    EXPECT_EQ(records[1].escapeChar, 0);
    EXPECT_TRUE(FindKeyword(&records[2], u"int").found);
#ifndef _WIN32
    EXPECT_EQ(postCount.load(), 1);
    SetLanguagesLoadedPoster(nullptr);
#endif
    EXPECT_TRUE(WaitForLanguageLoader());  // nothing left to wait for
}

TEST_F(LanguageRegistryTest, LoaderWithoutTableReportsIt) {
    languagesLoaded = 0;
    EXPECT_EQ(LanguageLoaderThread(&param), 1);
    EXPECT_EQ(param.result, 1);
    EXPECT_EQ(languagesLoaded.load(), 1);
}

}  // namespace
