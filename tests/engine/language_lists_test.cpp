#include "engine/language_lists.h"

#include <gtest/gtest.h>

#include "engine/language.h"
#include "tests/support/temp_file.h"

namespace {

TEST(LanguageLists, ListHasAnItemWithOrWithoutItsDotInAnyCase) {
    EXPECT_TRUE(ListHas(u".c;.h;.CPP", u"cpp"));
    EXPECT_TRUE(ListHas(u"node;js", u"JS"));
    EXPECT_FALSE(ListHas(u".c;.h", u"cc"));
    EXPECT_FALSE(ListHas(u";;.", u""));
}

TEST(LanguageLists, FileExtensionIsWhatFollowsTheLastDotOfTheName) {
    EXPECT_EQ(FileExtension(u"C:\\src\\main.cpp"), u"cpp");
    EXPECT_EQ(FileExtension(u"/a.b/c.tar.gz"), u"gz");
    EXPECT_EQ(FileExtension(u"C:\\a.dir\\Makefile"), u"");
    EXPECT_EQ(FileExtension(u"name."), u"");
}

TEST(LanguageLists, TheFirstEnabledLanguageListingTheExtensionClaimsTheFile) {
    const TempFile c("c", ".lang", "[LanguageInfo]\nExtensions=.c;.h\n");
    const TempFile headers("headers", ".lang", "[LanguageInfo]\nExtensions=.h;.hpp\n");
    const TempFile none("none", ".lang", "[LanguageInfo]\nEscapeChar=\\\n");
    LanguageTable* table = CreateLanguageTable(4);
    ASSERT_NE(table, nullptr);
    const TempFile* files[] = {&none, &c, &headers, &c};
    for (int i = 0; i < 4; ++i) {
        table->records[i].enabled = 1;
        CopyToField(table->records[i].filePath, files[i]->Path());
    }
    table->records[1].enabled = 0;

    EXPECT_EQ(LanguageClaimingFile(table, u"dir/x.H"), 2);
    EXPECT_EQ(LanguageClaimingFile(table, u"x.c"), 3);
    EXPECT_EQ(LanguageClaimingFile(table, u"x.py"), -1);
    EXPECT_EQ(LanguageClaimingFile(table, u"Makefile"), -1);
    EXPECT_EQ(LanguageClaimingFile(nullptr, u"x.c"), -1);
    FreeLanguageTable(table);
}

}  // namespace
