#include "engine/language_lists.h"

#include <gtest/gtest.h>
#include <initializer_list>

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

// A table of enabled languages, one a definition file.
LanguageTable* TableOf(std::initializer_list<const TempFile*> files) {
    LanguageTable* table = CreateLanguageTable(static_cast<int32_t>(files.size()));
    if (!table) return nullptr;
    int i = 0;
    for (const TempFile* file : files) {
        table->records[i].enabled = 1;
        CopyToField(table->records[i++].filePath, file->Path());
    }
    return table;
}

TEST(LanguageLists, TheFirstEnabledLanguageListingTheExtensionClaimsTheFile) {
    const TempFile c("c", ".lang", "[LanguageInfo]\nExtensions=.c;.h\n");
    const TempFile headers("headers", ".lang", "[LanguageInfo]\nExtensions=.h;.hpp\n");
    const TempFile none("none", ".lang", "[LanguageInfo]\nEscapeChar=\\\n");
    LanguageTable* table = TableOf({&none, &c, &headers, &c});
    ASSERT_NE(table, nullptr);
    table->records[1].enabled = 0;

    EXPECT_EQ(LanguageClaimingFile(table, u"dir/x.H"), 2);
    EXPECT_EQ(LanguageClaimingFile(table, u"x.c"), 3);
    EXPECT_EQ(LanguageClaimingFile(table, u"x.py"), -1);
    EXPECT_EQ(LanguageClaimingFile(table, u"Makefile"), -1);
    EXPECT_EQ(LanguageClaimingFile(nullptr, u"x.c"), -1);
    FreeLanguageTable(table);
}

TEST(LanguageLists, AFilesNameOrFirstLineClaimsItWhenItsExtensionDoesNot) {
    const TempFile make("make", ".lang", "[LanguageInfo]\nFileNames=Makefile;GNUmakefile\n");
    const TempFile shell("shell", ".lang", "[LanguageInfo]\nExtensions=.sh\nAliases=bash;zsh\n");
    const TempFile python("python", ".lang", "[LanguageInfo]\nExtensions=.py;.txt\n");
    const TempFile html("html", ".lang", "[LanguageInfo]\nExtensions=.htm\n");
    LanguageTable* table = TableOf({&make, &shell, &python, &html});
    ASSERT_NE(table, nullptr);
    CopyToField(table->records[2].name, u"Python");
    CopyToField(table->records[3].name, u"HTML");

    EXPECT_EQ(LanguageClaimingFile(table, u"C:\\src\\GNUmakefile", u"#!/bin/zsh"), 0) << "the name before the line";
    EXPECT_EQ(LanguageClaimingFile(table, u"/src/run", u"#!/usr/bin/env -S zsh -e\r\nls"), 1);
    EXPECT_EQ(LanguageClaimingFile(table, u"/src/run", u"#!/usr/bin/python3.11"), 2) << "without its version";
    EXPECT_EQ(LanguageClaimingFile(table, u"page", u"<!DOCTYPE html>\n<p>"), 3) << "by the language's name";
    EXPECT_EQ(LanguageClaimingFile(table, u"notes.txt", u"#!/bin/zsh"), 2) << "an extension before the line";
    EXPECT_EQ(LanguageClaimingFile(table, u"run", u"echo\n#!/bin/zsh"), -1) << "only the first line counts";
    FreeLanguageTable(table);
}

}  // namespace
