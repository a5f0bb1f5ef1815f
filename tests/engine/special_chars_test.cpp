#include "engine/special_chars.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/char_class.h"
#include "tests/support/temp_file.h"

namespace {

struct Table {
    Table(std::initializer_list<const char16_t*> items, int32_t tabToSpaces = 2)
        : table(CreateSpecialChars(static_cast<int32_t>(items.size()), tabToSpaces)) {
        int32_t i = 0;
        for (const char16_t* item : items) SetSpecialCharItem(table->rows[i++], item);
    }
    ~Table() { FreeSpecialChars(table); }
    SpecialChars* table;
};

WString Escape(const EscapeTable& escapes, WStringView s, char16_t previous = 0) {
    std::vector<char16_t> out(EscapedSize(escapes, s) / 2);
    const size_t length = EscapeHtml(escapes, s, previous, out.data());
    EXPECT_LT(length, out.size()) << "EscapedSize never counts less than written";
    return WString(out.data(), length);
}

TEST(SpecialChars, RowsHoldItemsThenBlankAndTab) {
    Table t({u"<,&lt;", u"&,&amp;"}, 4);
    ASSERT_EQ(t.table->count, 4);
    EXPECT_EQ(t.table->rows[0].character, u'<');
    EXPECT_EQ(WString(t.table->rows[0].text), u"&lt;");
    EXPECT_EQ(t.table->rows[0].length, 4);
    EXPECT_EQ(t.table->rows[2].character, u' ');
    EXPECT_EQ(WString(t.table->rows[2].text), u"&nbsp;");
    EXPECT_EQ(t.table->rows[3].character, u'\t');
    EXPECT_EQ(WString(t.table->rows[3].text), u"&nbsp;&nbsp;&nbsp;&nbsp;");
}

TEST(SpecialChars, EscapingReplacesTheFirstMatchingRow) {
    Table t({u"<,&lt;", u"<,second", u"\u4E2D,&#20013;"});
    const EscapeTable escapes(t.table, 2);
    EXPECT_EQ(Escape(escapes, u"a<b\u4E2D"), u"a&lt;b&#20013;");
    EXPECT_EQ(EscapedSize(escapes, u"a<"), 2u * (1 + 1 + 4));
}

TEST(SpecialChars, ABlankAfterCodeStaysABlank) {
    Table t({});
    const EscapeTable escapes(t.table, 2);
    EXPECT_EQ(Escape(escapes, u"a  b"), u"a &nbsp;b");
    EXPECT_EQ(Escape(escapes, u" x", u'y'), u" x");
    EXPECT_EQ(Escape(escapes, u" x", u'\t'), u"&nbsp;x");
    EXPECT_EQ(Escape(escapes, u" x", 0), u" x") << "the NUL before the text is no white space";
    EXPECT_EQ(Escape(escapes, u"\u3000 x"), u"\u3000&nbsp;x") << "ideographic space counts as white space";
    EXPECT_EQ(EscapedSize(escapes, u"a b"), 2u * (1 + 1 + 6 + 1)) << "blanks are counted at full length";
}

// Long texts are escaped eight units at a time where nothing needs a look:
// the result must be the character-by-character one for every table shape.
TEST(SpecialChars, LongTextsEscapeAsCharacterByCharacter) {
    Table usual({u"<,&lt;", u">,&gt;", u"&,&amp;", u"\",&quot;"});
    Table wide({u"<,&lt;", u"\u4E2D,[zh]"});
    Table many({u"a,[a]", u"b,[b]", u"c,[c]", u"d,[d]", u"e,[e]", u"f,[f]", u"g,[g]", u"h,[h]", u"i,[i]"});
    const char16_t alphabet[] = {u'x', u'a', u'i', u' ', u' ', u'\t', u'\r', u'\n', u'<', u'&', u'"',
                                 u'\u4E2D', u'\u3000', u'\u00A0', 0x85, 0x1F, 0x7F};
    std::mt19937 random(3);
    for (const SpecialChars* table : {usual.table, wide.table, many.table, static_cast<SpecialChars*>(nullptr)}) {
        const EscapeTable escapes(table, 4);
        for (int round = 0; round < 500; ++round) {
            WString text(random() % 40, u'x');
            for (char16_t& c : text) c = alphabet[random() % std::size(alphabet)];
            WString expected;
            char16_t previous = u'y';
            for (char16_t c : text) {
                const EscapeTable::Replacement r = escapes.Find(c);
                if (r.text && (c != u' ' || IsWideSpace(previous)))
                    expected.append(r.text, static_cast<size_t>(r.length));
                else
                    expected += c;
                previous = c;
            }
            ASSERT_EQ(Escape(escapes, text, u'y'), expected) << ::testing::PrintToString(text);
        }
    }
}

TEST(SpecialChars, ConfiguredBlankAndTabRowsWin) {
    Table t({u" ,&#32;", u"\t,[tab]"});
    const EscapeTable escapes(t.table, 4);
    EXPECT_EQ(Escape(escapes, u"  \t", u'\n'), u"&#32;&#32;[tab]");
}

TEST(SpecialChars, TabsFollowTheCurrentTabWidth) {
    Table loadedWithTwo({}, 2);
    EXPECT_EQ(Escape(EscapeTable(loadedWithTwo.table, 4), u"\t"), u"&nbsp;&nbsp;&nbsp;&nbsp;");
    EXPECT_EQ(Escape(EscapeTable(loadedWithTwo.table, 2), u"\t"), u"&nbsp;&nbsp;");
    EXPECT_EQ(EscapedSize(EscapeTable(loadedWithTwo.table, 4), u"\t"), 2u * (1 + 24));
}

TEST(SpecialChars, ItemsWithoutReplacementKeepTheirCharacter) {
    Table t({u"<", u">,", u"", u"&,&amp;"});
    const EscapeTable escapes(t.table, 2);
    EXPECT_EQ(Escape(escapes, u"<a>&"), u"<a>&amp;");
    EXPECT_EQ(t.table->rows[0].length, 1);
}

// Replacements are copied in pieces of fixed size: each is written whole at
// every length a row can hold.
TEST(SpecialChars, ReplacementsOfEveryLengthAreWrittenWhole) {
    for (size_t length = 1; length <= 45; ++length) {
        WString replacement;
        for (size_t i = 0; i < length; ++i) replacement += static_cast<char16_t>(u'A' + i % 26);
        const WString item = u"x," + replacement;
        Table t({item.c_str()});
        EXPECT_EQ(Escape(EscapeTable(t.table, 2), u"axbx"), u"a" + replacement + u"b" + replacement) << length;
    }
}

TEST(SpecialChars, LongReplacementsAreCut) {
    const WString value = u"x," + WString(60, u'r');
    Table t({value.c_str()});
    EXPECT_EQ(t.table->rows[0].length, 45);
}

TEST(SpecialChars, WithoutTableNothingIsReplaced) {
    const EscapeTable escapes(nullptr, 2);
    EXPECT_EQ(Escape(escapes, u"<  \t>"), u"<  \t>");
    EXPECT_EQ(EscapedSize(escapes, u"<  \t>"), 12u);
}

class SpecialCharsFile : public ::testing::Test {
protected:
    void Load(const std::string& ini) {
        const TempFile file("lumatype_special_chars", ".ini", ini);
        CopyToField(settings.iniPath, WStringView(file.Path()));
        loaded = LoadSpecialChars(settings);
    }
    void TearDown() override { FreeSpecialChars(settings.specialChars); }
    AppSettings settings{};
    bool loaded = false;
};

TEST_F(SpecialCharsFile, ReadsItemsInOrder) {
    settings.tabToSpaces = 2;
    Load("[SpecialChars]\r\nCount=2\r\nItem1=<,&lt;\r\nItem2=>,&gt;\r\n");
    ASSERT_TRUE(loaded);
    ASSERT_EQ(settings.specialChars->count, 4);
    EXPECT_EQ(WString(settings.specialChars->rows[1].text), u"&gt;");
    EXPECT_EQ(WString(settings.specialChars->rows[3].text), u"&nbsp;&nbsp;");
}

TEST_F(SpecialCharsFile, CountBelowOneKeepsTheOldTable) {
    Load("[SpecialChars]\r\nCount=1\r\nItem1=<,&lt;\r\n");
    SpecialChars* old = settings.specialChars;
    Load("[SpecialChars]\r\nCount=0\r\n");
    EXPECT_FALSE(loaded);
    EXPECT_EQ(settings.specialChars, old);
}

}  // namespace
