#include "engine/language.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "app/helpers.h"
#include "config/file_io.h"

namespace {

// A record parsed from the given file bytes; the store is released at the end.
class ParsedLanguage {
public:
    explicit ParsedLanguage(const std::string& bytes) {
        static int serial = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("lumatype_language_test_" + std::to_string(++serial) + ".lang");
        WString widePath = path_.u16string();
        EXPECT_TRUE(WriteFileBytes(widePath, bytes));
        std::memset(&info, 0, sizeof info);
        CopyToField(info.filePath, widePath);
        result = ParseLanguageFile(&info);
    }
    ~ParsedLanguage() {
        MEM_Free(info.keywords);
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    int ClassOf(WStringView word) const {
        KeywordMatch match = FindKeyword(&info, word);
        return match.found ? match.keywordClass : -1;
    }
    WString Slot(int index) const { return WString(info.keywords + index * info.keywordStride); }

    LanguageInfo info;
    int result = 0;

private:
    std::filesystem::path path_;
};

TEST(ParseLanguageFileTest, ReadsSettingsAndKeywordClasses) {
    ParsedLanguage lang(
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
    ASSERT_EQ(lang.result, 1);
    const LanguageInfo& info = lang.info;
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
    ParsedLanguage lang("[i]\nint 1inline char\n[B]\nbool\n[empty]\n");
    ASSERT_EQ(lang.result, 1);
    const LanguageInfo& info = lang.info;
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
    EXPECT_EQ(ParsedLanguage("[a]\nab\n").info.keywordStride, 4);     // '0' + 2 + NUL
    EXPECT_EQ(ParsedLanguage("[a]\nabc\n").info.keywordStride, 8);    // 5 units
    EXPECT_EQ(ParsedLanguage("[a]\n1abcdef\n").info.keywordStride, 8);  // 7 + NUL
    ParsedLanguage none("[LanguageInfo]\nEscapeChar=\\\n[a]\n");
    EXPECT_EQ(none.result, 1);
    EXPECT_EQ(none.info.keywordCount, 0);
    EXPECT_EQ(none.info.keywordStride, 0);
    EXPECT_EQ(none.info.keywords, nullptr);
    EXPECT_EQ(none.info.escapeChar, u'\\');
    EXPECT_EQ(none.ClassOf(u"a"), -1);
}

TEST(ParseLanguageFileTest, RepeatedSectionKeepsEveryWordFindable) {
    ParsedLanguage lang("[A]\nauto and\n[B]\nbreak\n[a]\n1asm alignas\n[b]\nbool\n");
    ASSERT_EQ(lang.result, 1);
    const LanguageInfo& info = lang.info;
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
    ParsedLanguage lang(
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
    ASSERT_EQ(lang.result, 1);
    const LanguageInfo& info = lang.info;
    EXPECT_EQ(info.lineCommentCount, 4);
    EXPECT_EQ(WString(info.lineComments[1]), u" //");
    EXPECT_EQ(WString(info.lineComments[3]), u"--");
    EXPECT_EQ(info.escapeChar, 0);
    EXPECT_EQ(WString(info.seperators), u", ");  // later line wins, blanks kept
    EXPECT_EQ(info.caseSensitive, 1);
    EXPECT_EQ(info.delimiters[0], 0);  // no Delimiters line: not even blanks end words

    EXPECT_EQ(ParsedLanguage("[LanguageInfo]\nCaseSensitive=0abc\n").info.caseSensitive, 0);
    EXPECT_EQ(ParsedLanguage("[LanguageInfo]\nCaseSensitive=yes\n").info.caseSensitive, 1);

    ParsedLanguage sensitive("[LanguageInfo]\nCaseSensitive=1\n[i]\nint\n");
    EXPECT_EQ(sensitive.ClassOf(u"int"), 0);
    EXPECT_EQ(sensitive.ClassOf(u"INT"), -1);
}

TEST(ParseLanguageFileTest, HeaderWithTrailingBlankIsAKeywordSection) {
    ParsedLanguage lang("[LanguageInfo] \nLineComment=//\nlet\n");
    ASSERT_EQ(lang.result, 1);
    EXPECT_EQ(lang.info.lineCommentCount, 0);
    EXPECT_EQ(lang.ClassOf(u"LineComment=//"), 0);
    EXPECT_EQ(lang.ClassOf(u"let"), 0);
}

TEST(ParseLanguageFileTest, CutsOverlongValuesToTheirFields) {
    const std::string longValue(300, 'x');
    ParsedLanguage lang("[LanguageInfo]\nLineComment=" + longValue + "\nBlockCommentOn=" + longValue +
                        "\nBlockCommentOff=" + longValue + "\nStringChars=" + longValue +
                        "\nDelimiters=" + longValue + "\nSeperators=" + longValue + "\n");
    ASSERT_EQ(lang.result, 1);
    const LanguageInfo& info = lang.info;
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
    ParsedLanguage chunks("[k]\n" + std::string(509, 'k') + " kiwi\n" + std::string(510, 'k') +
                          " [z] zeta\nzulu\n");
    ASSERT_EQ(chunks.result, 1);
    EXPECT_EQ(chunks.info.keywordStride, 512);
    EXPECT_EQ(chunks.ClassOf(WString(509, u'k')), 0);
    EXPECT_EQ(chunks.ClassOf(WString(510, u'k')), 0);
    EXPECT_EQ(chunks.ClassOf(u"kiwi"), -1);
    EXPECT_EQ(chunks.ClassOf(u"k"), 0);
    EXPECT_EQ(chunks.ClassOf(u"zeta"), -1);
    EXPECT_EQ(chunks.ClassOf(u"zulu"), 0);

    const char controlBytes[] = "[a]\r\nalpha\rbeta\r\nand\0amber\nat\x1A\nafter\n";
    ParsedLanguage controls(std::string(controlBytes, sizeof controlBytes - 1));
    ASSERT_EQ(controls.result, 1);
    EXPECT_EQ(controls.ClassOf(u"alpha\rbeta"), 0);  // a lone CR stays in the line
    EXPECT_EQ(controls.ClassOf(u"and"), 0);
    EXPECT_EQ(controls.ClassOf(u"amber"), -1);  // the line ends at its NUL byte
    EXPECT_EQ(controls.ClassOf(u"at"), 0);
    EXPECT_EQ(controls.ClassOf(u"after"), -1);  // Ctrl-Z ends the file
}

TEST(ParseLanguageFileTest, DecodesTheWholeFileInOneEncoding) {
    // GBK bytes for two Chinese characters, in a file that is not UTF-8.
    ParsedLanguage gbk("[\xD6\xD0]\n\xD6\xD0\xCE\xC4 1\xD6\xD0\n");
    ASSERT_EQ(gbk.result, 1);
    EXPECT_EQ(gbk.ClassOf(u"\u4e2d\u6587"), 0);
    EXPECT_EQ(gbk.ClassOf(u"\u4e2d"), 1);
#ifndef _WIN32
    ParsedLanguage utf8("[x]\n\xC3\xA9t\xC3\xA9 \xE4\xB8\xAD\n[\xE4\xB8\xAD]\n\xE4\xB8\xAD\xE6\x96\x87\n");
    EXPECT_EQ(utf8.ClassOf(u"\u4e2d\u6587"), 0);
    // Once one line is not UTF-8, a line that would be valid UTF-8 is GBK too.
    ParsedLanguage mixed("[\xC3]\n\xC3\xA9\n[_]\n_\xD6\xD0\n");
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
    ParsedLanguage lang("[a]\nalpha\n");
    ASSERT_EQ(ParseLanguageFile(&lang.info), 1);  // the old store is freed (ASan checks)
    EXPECT_EQ(lang.info.keywordCount, 1);
    EXPECT_EQ(lang.ClassOf(u"alpha"), 0);
}

TEST(FindKeywordTest, NeverReadsPastTheStore) {
    ParsedLanguage lang("[a]\nalpha\n");
    EXPECT_EQ(FindKeyword(nullptr, u"alpha").found, false);
    LanguageInfo broken = lang.info;
    broken.bucketCount[0] = 1000;
    EXPECT_TRUE(FindKeyword(&broken, u"alpha").found);
    EXPECT_FALSE(FindKeyword(&broken, u"beta").found);
    broken.bucketFirst[0] = 5;
    EXPECT_FALSE(FindKeyword(&broken, u"alpha").found);
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
