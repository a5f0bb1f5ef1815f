#include "engine/language.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "base/memory.h"
#include "engine_test_support.h"

namespace {

TEST(ParseLanguageFileTest, ReadsSettingsAndKeywordClasses) {
    TestLanguage lang(
        "EscapeChar=?\r\n"  // before any header: ignored
        "; a comment line\r\n"
        "[LanguageInfo]\r\n"
        "EscapeChar=\\\r\n"
        "LineComment=//\r\n"
        "BlockCommentOn=/*\r\n"
        "BlockCommentOff=*/\r\n"
        "StringChars=0\"\"1''\r\n"
        "Delimiters=;,.()\r\n"
        "Seperators=;,\r\n"
        "Unknown=whatever\r\n"
        "\r\n"
        "[I]\r\n"
        "int 1inline\tchar\r\n"
        "[#]\r\n"
        "3#define\r\n"
        "[_]\r\n"
        "2_Bool 5__x\r\n"
        "[9]\r\n"
        "@interface\r\n");
    ASSERT_EQ(lang.Result(), 1);
    const LanguageInfo& info = lang.Info();
    EXPECT_EQ(info.escapeChar, u'\\');
    EXPECT_EQ(info.lineCommentCount, 1);
    EXPECT_EQ(WString(info.lineComments[0]), u"//");
    EXPECT_EQ(WString(info.blockCommentOn), u"/*");
    EXPECT_EQ(WString(info.blockCommentOff), u"*/");
    EXPECT_EQ(WString(info.stringChars), u"0\"\"1''");
    EXPECT_EQ(WString(info.delimiters), u";,.() \t\r\n");
    EXPECT_EQ(WString(info.seperators), u";,");
    EXPECT_EQ(info.caseSensitive, 0);

    EXPECT_EQ(lang.ClassOf(u"int"), 0);
    EXPECT_EQ(lang.ClassOf(u"INT"), 0);
    EXPECT_EQ(lang.ClassOf(u"inline"), 1);
    EXPECT_EQ(lang.ClassOf(u"char"), -1);  // stored under [I], looked up under 'c'
    EXPECT_EQ(lang.ClassOf(u"#define"), 3);
    EXPECT_EQ(lang.ClassOf(u"_Bool"), 2);
    EXPECT_EQ(lang.ClassOf(u"__x"), 5);
    EXPECT_EQ(lang.ClassOf(u"@interface"), 0);
    EXPECT_EQ(lang.ClassOf(u"in"), -1);
    EXPECT_EQ(lang.ClassOf(u""), -1);
}

TEST(ParseLanguageFileTest, LaysOutSlotsInFileOrder) {
    TestLanguage lang("[i]\nint 1inline char\n[B]\nbool\n[empty]\n");
    ASSERT_EQ(lang.Result(), 1);
    const LanguageInfo& info = lang.Info();
    EXPECT_EQ(info.keywordCount, 4);
    EXPECT_EQ(info.keywordStride, 8);  // "1inline" needs 8 units, "inline" behind '0' would too
    EXPECT_EQ(info.bucketFirst[KeywordBucket(u'i')], 0);
    EXPECT_EQ(info.bucketCount[KeywordBucket(u'i')], 3);
    EXPECT_EQ(info.bucketFirst[KeywordBucket(u'b')], 3);
    EXPECT_EQ(info.bucketCount[KeywordBucket(u'b')], 1);
    EXPECT_EQ(info.bucketFirst[KeywordBucket(u'e')], 4);  // a header without words
    EXPECT_EQ(info.bucketCount[KeywordBucket(u'e')], 0);
    EXPECT_EQ(info.bucketFirst[KeywordBucket(u'c')], -1);
    EXPECT_EQ(lang.Slot(0), u"0int");
    EXPECT_EQ(lang.Slot(1), u"1inline");
    EXPECT_EQ(lang.Slot(3), u"0bool");
}

TEST(ParseLanguageFileTest, StrideIsTheLargestNeedRoundedToFour) {
    EXPECT_EQ(TestLanguage("[a]\nab\n").Info().keywordStride, 4);     // '0' + 2 + NUL
    EXPECT_EQ(TestLanguage("[a]\nabc\n").Info().keywordStride, 8);    // 5 units
    EXPECT_EQ(TestLanguage("[a]\n1abcdef\n").Info().keywordStride, 8);  // 7 + NUL
    TestLanguage none("[LanguageInfo]\nEscapeChar=\\\n[a]\n");
    EXPECT_EQ(none.Result(), 1);
    EXPECT_EQ(none.Info().keywordCount, 0);
    EXPECT_EQ(none.Info().keywordStride, 0);
    EXPECT_EQ(none.Info().keywords, nullptr);
    EXPECT_EQ(none.Info().escapeChar, u'\\');
    EXPECT_EQ(none.ClassOf(u"a"), -1);
}

TEST(ParseLanguageFileTest, RepeatedSectionKeepsEveryWordFindable) {
    TestLanguage lang("[A]\nauto and\n[B]\nbreak\n[a]\n1asm alignas\n[b]\nbool\n");
    ASSERT_EQ(lang.Result(), 1);
    const LanguageInfo& info = lang.Info();
    EXPECT_EQ(info.keywordCount, 6);
    EXPECT_EQ(info.bucketFirst[0], 0);
    EXPECT_EQ(info.bucketCount[0], 4);
    EXPECT_EQ(info.bucketFirst[1], 4);
    EXPECT_EQ(info.bucketCount[1], 2);
    for (const char16_t* word : {u"auto", u"and", u"alignas", u"break", u"bool"})
        EXPECT_EQ(lang.ClassOf(word), 0) << WideToUtf8(word);
    EXPECT_EQ(lang.ClassOf(u"asm"), 1);
}

TEST(ParseLanguageFileTest, SettingsEdgeCases) {
    TestLanguage lang(
        "[languageinfo]\n"
        "LineComment=//\n"
        "linecomment= //\n"
        "LineComment=#\n"
        "LineComment=--\n"
        "LineComment=REM\n"
        "EscapeChar=\n"
        "Seperators=;\n"
        "Seperators=, \n"
        "CaseSensitive=\n");
    ASSERT_EQ(lang.Result(), 1);
    const LanguageInfo& info = lang.Info();
    EXPECT_EQ(info.lineCommentCount, 4);
    EXPECT_EQ(WString(info.lineComments[1]), u" //");
    EXPECT_EQ(WString(info.lineComments[3]), u"--");
    EXPECT_EQ(info.escapeChar, 0);
    EXPECT_EQ(WString(info.seperators), u", ");  // later line wins, blanks kept
    EXPECT_EQ(info.caseSensitive, 1);
    EXPECT_EQ(info.delimiters[0], 0);  // no Delimiters line: not even blanks end words

    EXPECT_EQ(TestLanguage("[LanguageInfo]\nCaseSensitive=0abc\n").Info().caseSensitive, 0);
    EXPECT_EQ(TestLanguage("[LanguageInfo]\nCaseSensitive=yes\n").Info().caseSensitive, 1);

    TestLanguage sensitive("[LanguageInfo]\nCaseSensitive=1\n[i]\nint\n");
    EXPECT_EQ(sensitive.ClassOf(u"int"), 0);
    EXPECT_EQ(sensitive.ClassOf(u"INT"), -1);
}

TEST(ParseLanguageFileTest, HeaderWithTrailingBlankIsAKeywordSection) {
    TestLanguage lang("[LanguageInfo] \nLineComment=//\nlet\n");
    ASSERT_EQ(lang.Result(), 1);
    EXPECT_EQ(lang.Info().lineCommentCount, 0);
    EXPECT_EQ(lang.ClassOf(u"LineComment=//"), 0);
    EXPECT_EQ(lang.ClassOf(u"let"), 0);
}

TEST(ParseLanguageFileTest, CutsOverlongValuesToTheirFields) {
    const std::string longValue(300, 'x');
    TestLanguage lang("[LanguageInfo]\nLineComment=" + longValue + "\nBlockCommentOn=" + longValue +
                        "\nBlockCommentOff=" + longValue + "\nStringChars=" + longValue +
                        "\nDelimiters=" + longValue + "\nSeperators=" + longValue + "\n");
    ASSERT_EQ(lang.Result(), 1);
    const LanguageInfo& info = lang.Info();
    EXPECT_EQ(WString(info.lineComments[0]), WString(7, u'x'));
    EXPECT_EQ(WString(info.blockCommentOn), WString(7, u'x'));
    EXPECT_EQ(WString(info.blockCommentOff), WString(7, u'x'));
    EXPECT_EQ(WString(info.stringChars), WString(31, u'x'));
    EXPECT_EQ(WString(info.delimiters), WString(91, u'x') + u" \t\r\n");
    EXPECT_EQ(WString(info.seperators), WString(95, u'x'));
}

TEST(ParseLanguageFileTest, ReadsLinesAsTextModeFgetsDelivers) {
    // A long line arrives in 511-byte chunks: a word may be cut in two, and a
    // chunk that begins with '[' is a header.
    TestLanguage chunks("[k]\n" + std::string(509, 'k') + " kiwi\n" + std::string(510, 'k') +
                          " [z] zeta\nzulu\n");
    ASSERT_EQ(chunks.Result(), 1);
    EXPECT_EQ(chunks.Info().keywordStride, 512);
    EXPECT_EQ(chunks.ClassOf(WString(509, u'k')), 0);
    EXPECT_EQ(chunks.ClassOf(WString(510, u'k')), 0);
    EXPECT_EQ(chunks.ClassOf(u"kiwi"), -1);
    EXPECT_EQ(chunks.ClassOf(u"k"), 0);
    EXPECT_EQ(chunks.ClassOf(u"zeta"), -1);
    EXPECT_EQ(chunks.ClassOf(u"zulu"), 0);

    const char controlBytes[] = "[a]\r\nalpha\rbeta\r\nand\0amber\nat\x1A\nafter\n";
    TestLanguage controls(std::string(controlBytes, sizeof controlBytes - 1));
    ASSERT_EQ(controls.Result(), 1);
    EXPECT_EQ(controls.ClassOf(u"alpha\rbeta"), 0);  // a lone CR stays in the line
    EXPECT_EQ(controls.ClassOf(u"and"), 0);
    EXPECT_EQ(controls.ClassOf(u"amber"), -1);  // the line ends at its NUL byte
    EXPECT_EQ(controls.ClassOf(u"at"), 0);
    EXPECT_EQ(controls.ClassOf(u"after"), -1);  // Ctrl-Z ends the file
}

TEST(ParseLanguageFileTest, DecodesTheWholeFileInOneEncoding) {
    // GBK bytes for two Chinese characters, in a file that is not UTF-8.
    TestLanguage gbk("[\xD6\xD0]\n\xD6\xD0\xCE\xC4 1\xD6\xD0\n");
    ASSERT_EQ(gbk.Result(), 1);
    EXPECT_EQ(gbk.ClassOf(u"\u4e2d\u6587"), 0);
    EXPECT_EQ(gbk.ClassOf(u"\u4e2d"), 1);
#ifndef _WIN32
    TestLanguage utf8("[x]\n\xC3\xA9t\xC3\xA9 \xE4\xB8\xAD\n[\xE4\xB8\xAD]\n\xE4\xB8\xAD\xE6\x96\x87\n");
    EXPECT_EQ(utf8.ClassOf(u"\u4e2d\u6587"), 0);
    // Once one line is not UTF-8, a line that would be valid UTF-8 is GBK too.
    TestLanguage mixed("[\xC3]\n\xC3\xA9\n[_]\n_\xD6\xD0\n");
    EXPECT_EQ(mixed.ClassOf(u"_\u4e2d"), 0);
    EXPECT_EQ(mixed.ClassOf(u"\u00e9"), -1);
#endif
}

TEST(ParseLanguageFileTest, MissingFileLeavesTheRecordUnchanged) {
    LanguageInfo info;
    std::memset(&info, 0, sizeof info);
    CopyToField(info.filePath, u"/nonexistent/lumatype/none.lang");
    info.escapeChar = u'!';
    EXPECT_EQ(ParseLanguageFile(&info), 0);
    EXPECT_EQ(info.escapeChar, u'!');
    EXPECT_EQ(info.keywords, nullptr);
    EXPECT_EQ(ParseLanguageFile(nullptr), 0);
}

TEST(ParseLanguageFileTest, ReparseReplacesTheStore) {
    TestLanguage lang("[a]\nalpha\n");
    ASSERT_EQ(ParseLanguageFile(&lang.Info()), 1);  // the old store is freed (ASan checks)
    EXPECT_EQ(lang.Info().keywordCount, 1);
    EXPECT_EQ(lang.ClassOf(u"alpha"), 0);
}

TEST(FindKeywordTest, NeverReadsPastTheStore) {
    TestLanguage lang("[a]\nalpha\n");
    EXPECT_EQ(FindKeyword(nullptr, u"alpha").found, false);
    LanguageInfo broken = lang.Info();
    broken.bucketCount[0] = 1000;
    EXPECT_TRUE(FindKeyword(&broken, u"alpha").found);
    EXPECT_FALSE(FindKeyword(&broken, u"beta").found);
    broken.bucketFirst[0] = 5;
    EXPECT_FALSE(FindKeyword(&broken, u"alpha").found);
}

// The index must answer every word as FindKeyword does.
void ExpectIndexAgrees(const LanguageInfo& record, std::initializer_list<const char16_t*> words) {
    const KeywordIndex index(record);
    for (const char16_t* word : words) {
        const KeywordMatch expected = FindKeyword(&record, word), found = index.Find(word);
        EXPECT_EQ(found.found, expected.found) << WideToUtf8(word);
        EXPECT_EQ(found.keywordClass, expected.keywordClass) << WideToUtf8(word);
    }
}

TEST(KeywordIndexTest, FindsWhatFindKeywordFinds) {
    // A word twice in its bucket (the first class wins), a keyword filed under
    // another letter (never found), case folding, keywords that share their
    // ends and length.
    const char* definition = "[LanguageInfo]\nCaseSensitive=%d\n[a]\nalpha 2alpha ALPHA abc acc abbc 3a_z along_keyword\n"
                             "[b]\nbeta 1zeta _b\n[_]\n__x__ __y__ _\n[#]\n#if\n";
    const std::initializer_list<const char16_t*> words = {
        u"alpha", u"Alpha", u"ALPHA", u"abc", u"ABC", u"acc", u"abbc", u"a_z", u"beta", u"zeta", u"_b", u"__x__",
        u"__y__", u"__z__", u"_", u"#if", u"#IF", u"if", u"a", u"alphabet", u"\u4E2D", u"b", u"along_keyword",
        u"along_keywore", u"blong_keyword", u"Along_Keyword"};
    for (int caseSensitive : {0, 1}) {
        char text[256];
        std::snprintf(text, sizeof text, definition, caseSensitive);
        TestLanguage lang(text);
        SCOPED_TRACE(caseSensitive);
        ExpectIndexAgrees(lang.Info(), words);
    }
}

TEST(KeywordIndexTest, AgreesOnBrokenBucketsAndNoStore) {
    TestLanguage lang("[a]\nalpha\n[b]\nbeta\n");
    LanguageInfo broken = lang.Info();
    broken.bucketCount[0] = 1000;
    ExpectIndexAgrees(broken, {u"alpha", u"beta"});
    broken.bucketFirst[0] = 5;
    ExpectIndexAgrees(broken, {u"alpha", u"beta"});
    broken.bucketFirst[1] = 0;  // the a bucket's slots seen from b's
    ExpectIndexAgrees(broken, {u"alpha", u"beta"});
    LanguageInfo empty{};
    ExpectIndexAgrees(empty, {u"alpha"});
}

TEST(LanguageTableTest, CreatesZeroFilledRecords) {
    EXPECT_EQ(CreateLanguageTable(0), nullptr);
    EXPECT_EQ(CreateLanguageTable(-3), nullptr);
    EXPECT_EQ(CreateLanguageTable(INT32_MAX), nullptr);
    LanguageTable* table = CreateLanguageTable(3);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->count, 3);
    EXPECT_EQ(table->records[2].enabled, 0);
    EXPECT_EQ(table->records[2].keywords, nullptr);
    table->records[1].keywords = static_cast<char16_t*>(MEM_Alloc(16));
    FreeLanguageTable(table);  // frees the store too (ASan checks)
    FreeLanguageTable(nullptr);
}

}  // namespace
