#include "engine/highlight.h"

#include <gtest/gtest.h>
#include "engine_test_support.h"

namespace {

// Scans code with the given language and returns the cell content's chunks.
class Highlight {
public:
    explicit Highlight(const LanguageInfo& language, const SpecialChars* specials = nullptr, int32_t tab = 2,
                       bool tabStops = false)
        : language_(language),
          theme_(DistinctTheme()),
          escapes_(specials, tab, tabStops),
          emitter_(sink_, theme_, tab, escapes_) {}

    std::vector<WString> Run(const std::u16string& code, int32_t lineCount) {
        const std::u16string text = u'\0' + code;
        ScanBuffers buffers{static_cast<char16_t*>(MEM_Alloc(kInitialEscapeBytes)), kInitialEscapeBytes};
        EXPECT_TRUE(HighlightCode(emitter_, language_, text.c_str() + 1, lineCount, buffers));
        MEM_Free(buffers.escape);
        return sink_.Texts();
    }
    std::string Html() const { return sink_.Html(); }
    const std::vector<RecordedChunk>& Chunks() const { return sink_.chunks; }
    const ColorTheme& Theme() const { return theme_; }

private:
    const LanguageInfo& language_;
    ColorTheme theme_;
    RecordingSink sink_;
    EscapeTable escapes_;
    Emitter emitter_;
};

const WString kKeywordSpan = u"<span style=\"color:#0000FF\">";
const WString kNumberSpan = u"<span style=\"color:#800080\">";
const WString kSeperatorSpan = u"<span style=\"color:#FF0000\">";
const WString kCommentSpan = u"<span style=\"color:#008000\">";
const WString kStringSpan = u"<span style=\"color:#A31515\">";

TEST(Highlight, BlanksAfterAKeywordStayInItsSpan) {
    TestLanguage c(kCLikeDefinition);
    Highlight run(c.Info());
    EXPECT_EQ(run.Run(u"int  x\r\n", 1),
              (std::vector<WString>{kKeywordSpan, u"int", u" ", u"&nbsp;", u"</span>", u"x", u"\r\n"}));
    EXPECT_EQ(run.Chunks()[2].color, run.Theme()[ColorRole::Keyword0].color);
    EXPECT_FALSE(run.Chunks()[2].bold);
    EXPECT_TRUE(run.Chunks()[1].bold);
}

TEST(Highlight, IndentationAndTabsBecomeNonBreakingSpaces) {
    TestLanguage c(kCLikeDefinition);
    Highlight two(c.Info());
    EXPECT_EQ(two.Run(u"    a\tb\r\n", 1),
              (std::vector<WString>{u"&nbsp;", u"&nbsp;", u"&nbsp;", u"&nbsp;", u"a", u"&nbsp;&nbsp;", u"b", u"\r\n"}));
    Highlight four(c.Info(), nullptr, 4);
    EXPECT_EQ(four.Run(u"\t", 1), (std::vector<WString>{u"&nbsp;&nbsp;&nbsp;&nbsp;"}));
}

const WString kNbsp[] = {u"", u"&nbsp;", u"&nbsp;&nbsp;", u"&nbsp;&nbsp;&nbsp;", u"&nbsp;&nbsp;&nbsp;&nbsp;"};

TEST(Highlight, TabStopsCountColumnsFromTheLineStart) {
    TestLanguage c(kCLikeDefinition);
    Highlight four(c.Info(), nullptr, 4, true);
    EXPECT_EQ(four.Run(u"a\tbc\td\t\tx\r\n\ty", 2),
              (std::vector<WString>{u"a", kNbsp[3], u"bc", kNbsp[2], u"d", kNbsp[3], kNbsp[4], u"x", u"<br/>", u"\r\n",
                                    kNbsp[4], u"y"}));
    Highlight two(c.Info(), nullptr, 2, true);
    EXPECT_EQ(two.Run(u"abc\td", 1), (std::vector<WString>{u"abc", kNbsp[1], u"d"}));
    Highlight other(c.Info(), nullptr, 3, true);
    EXPECT_EQ(other.Run(u"ab\t", 1), (std::vector<WString>{u"ab", kNbsp[2]})) << "widths other than 2 count as 4";
}

TEST(Highlight, TabStopsHoldInsideLiteralsAndComments) {
    SpecialChars* table = CreateSpecialChars(1, 2);
    SetSpecialCharItem(table->rows[0], u"\t,[tab]");  // tab stops win over a configured tab row
    TestLanguage c(kCLikeDefinition);
    Highlight run(c.Info(), table, 4, true);
    EXPECT_EQ(run.Run(u"\"a\tb\"\t/*\tc\t*/ x //\td\r\n", 1),
              (std::vector<WString>{kStringSpan, u"\"a" + kNbsp[2] + u"b\"", kNbsp[2], u"</span>", kCommentSpan, u"/*",
                                    kNbsp[2], u"c", kNbsp[3], u"*/", u" ", u"</span>", u"x", u" ", kCommentSpan,
                                    u"//" + kNbsp[1] + u"d", u"\r\n"}));
    FreeSpecialChars(table);

    TestLanguage noDelimiters("[LanguageInfo]\nEscapeChar=\\\n");
    Highlight word(noDelimiters.Info(), nullptr, 4, true);
    EXPECT_EQ(word.Run(u"ab\tc", 1), (std::vector<WString>{u"ab" + kNbsp[2] + u"c"})) << "without a table too";
}

TEST(Highlight, ASurrogatePairTakesOneColumnBeforeATabStop) {
    TestLanguage c(kCLikeDefinition);
    Highlight run(c.Info(), nullptr, 4, true);
    EXPECT_EQ(run.Run(u"\U0001F600\tx \u4E2D\ty", 1),
              (std::vector<WString>{u"\U0001F600", kNbsp[3], u"x", u" ", u"\u4E2D", kNbsp[1], u"y"}));
}

TEST(Highlight, NumbersContinueThroughDigitsAndDots) {
    TestLanguage c(kCLikeDefinition);
    Highlight run(c.Info());
    EXPECT_EQ(run.Run(u"3.14;\r\n", 1),
              (std::vector<WString>{kNumberSpan, u"3", u".", u"14", u"</span>", kSeperatorSpan, u";", u"\r\n"}));
    EXPECT_EQ(run.Chunks()[2].color, run.Theme()[ColorRole::Number].color);

    Highlight member(c.Info());
    EXPECT_EQ(member.Run(u"x.y", 1), (std::vector<WString>{u"x", kSeperatorSpan, u".", u"</span>", u"y"}));
}

TEST(Highlight, DotAfterNumberAndCommentKeepsTheCommentSpanButNumberColour) {
    TestLanguage c(kCLikeDefinition);
    Highlight run(c.Info());
    EXPECT_EQ(run.Run(u"1 /*c*/.", 1),
              (std::vector<WString>{kNumberSpan, u"1", u" ", u"</span>", kCommentSpan, u"/*c*/", u"."}));
    EXPECT_EQ(run.Chunks().back().color, run.Theme()[ColorRole::Number].color);
}

TEST(Highlight, LineCommentsEndTheirLine) {
    TestLanguage c(kCLikeDefinition);
    Highlight run(c.Info());
    EXPECT_EQ(run.Run(u"a // x<y\r\nb // end", 2),
              (std::vector<WString>{u"a", u" ", kCommentSpan, u"// x<y", u"<br/>\r\n", u"</span>", u"b", u" ",
                                    kCommentSpan, u"// end", u"\r\n"}));
    EXPECT_FALSE(run.Chunks()[3].bold) << "line comments are not bold";
}

TEST(Highlight, UnterminatedBlockCommentRunsPastTheCountedLines) {
    TestLanguage c(kCLikeDefinition);
    Highlight run(c.Info());
    EXPECT_EQ(run.Run(u"/* a\tb\r\nc\r\n\r\n", 1),
              (std::vector<WString>{kCommentSpan, u"/* a", u"&nbsp;&nbsp;", u"b", u"\r\n", u"c", u"\r\n", u"\r\n"}));
    EXPECT_TRUE(run.Chunks()[1].bold) << "block comment segments are bold";
}

TEST(Highlight, EmptyOpenersAndClosers) {
    TestLanguage noCloser("[LanguageInfo]\nBlockCommentOn=(*\nBlockCommentOff=\nDelimiters=\n");
    Highlight block(noCloser.Info());
    EXPECT_EQ(block.Run(u"(*x*)", 1), (std::vector<WString>{kCommentSpan, u"(*", u"</span>", u"x*)"}));

    TestLanguage everyLine("[LanguageInfo]\nLineComment=\nDelimiters=\n");
    Highlight line(everyLine.Info());
    EXPECT_EQ(line.Run(u"a b\r\n\r\nc", 3),
              (std::vector<WString>{kCommentSpan, u"a b", u"<br/>\r\n", u"<br/>\r\n", u"c", u"\r\n"}));
}

TEST(Highlight, StringsEndAtTheirCloserOrLineEnd) {
    TestLanguage c(kCLikeDefinition);
    Highlight run(c.Info());
    EXPECT_EQ(run.Run(u"\"a  b\\\"\" 'c\r\nd", 2),
              (std::vector<WString>{kStringSpan, u"\"a  b\\\"\"", u" ", u"</span>", u"<span style=\"color:#A31516\">",
                                    u"'c", u"<br/>", u"\r\n", u"</span>", u"d"}));
    EXPECT_TRUE(run.Chunks()[1].bold);
}

TEST(Highlight, AnEscapeBeforeALineEndLeavesTheLineBreakOutsideTheString) {
    TestLanguage c(kCLikeDefinition);
    Highlight beforeCrLf(c.Info());
    EXPECT_EQ(beforeCrLf.Run(u"\"a\\\r\nb\r\n", 2),
              (std::vector<WString>{kStringSpan, u"\"a\\", u"<br/>", u"\r\n", u"</span>", u"b", u"\r\n"}));
    Highlight beforeLoneCr(c.Info());
    EXPECT_EQ(beforeLoneCr.Run(u"'\\\rb", 2),
              (std::vector<WString>{u"<span style=\"color:#A31516\">", u"'\\", u"<br/>", u"\r\n", u"</span>", u"b"}));
    Highlight beforeLoneLf(c.Info());
    EXPECT_EQ(beforeLoneLf.Run(u"'\\\nb", 2),
              (std::vector<WString>{u"<span style=\"color:#A31516\">", u"'\\", u"<br/>", u"\r\n", u"</span>", u"b"}));
    Highlight pairBeforeCr(c.Info());
    EXPECT_EQ(pairBeforeCr.Run(u"'\\n\r\n'", 2),
              (std::vector<WString>{u"<span style=\"color:#A31516\">", u"'\\n", u"<br/>", u"\r\n", u"'"}));
    Highlight atEnd(c.Info());
    EXPECT_EQ(atEnd.Run(u"\"\\", 1), (std::vector<WString>{kStringSpan, u"\"\\"}));
}

TEST(Highlight, AfterAnEscapePairTheNextCharacterIsExaminedAfresh) {
    TestLanguage c(kCLikeDefinition);
    // Two escaped backslashes, then the closer: the literal ends there.
    Highlight backslashes(c.Info());
    EXPECT_EQ(backslashes.Run(u"p = \"\\\\\\\\\"\r\nq", 2),
              (std::vector<WString>{u"p", u" ", kSeperatorSpan, u"=", u" ", u"</span>", kStringSpan, u"\"\\\\\\\\\"",
                                    u"<br/>", u"\r\n", u"</span>", u"q"}));
    Highlight quote(c.Info());
    EXPECT_EQ(quote.Run(u"'\\\\' x '\\''", 1),
              (std::vector<WString>{u"<span style=\"color:#A31516\">", u"'\\\\'", u" ", u"</span>", u"x", u" ",
                                    u"<span style=\"color:#A31516\">", u"'\\''"}));
    // An escape pair right after another: the second escape still escapes.
    Highlight pairs(c.Info());
    EXPECT_EQ(pairs.Run(u"\"\\n\\\"x\" y", 1),
              (std::vector<WString>{kStringSpan, u"\"\\n\\\"x\"", u" ", u"</span>", u"y"}));
}

TEST(Highlight, LongWordsAreCutAt4095Characters) {
    TestLanguage c(kCLikeDefinition);
    Highlight run(c.Info());
    const std::vector<WString> chunks = run.Run(std::u16string(5000, u'w') + u"\r\n", 1);
    ASSERT_EQ(chunks.size(), 4u);
    EXPECT_EQ(chunks[0], WString(4095, u'w'));
    EXPECT_EQ(chunks[1], u"w");
    EXPECT_EQ(chunks[2], WString(904, u'w'));
}

TEST(Highlight, WithoutDelimitersLineBreaksStillEndWords) {
    TestLanguage plain("[LanguageInfo]\nEscapeChar=\\\n");
    Highlight run(plain.Info());
    EXPECT_EQ(run.Run(u"a b\r\nc\nd\re\r\n", 4),
              (std::vector<WString>{u"a b", u"<br/>", u"\r\n", u"c", u"<br/>", u"\r\n", u"d", u"<br/>", u"\r\n", u"e",
                                    u"\r\n"}));
}

TEST(Highlight, KeywordClassesFourToNineBorrowOtherRoles) {
    TestLanguage c("[LanguageInfo]\nDelimiters=\n[a]\n4a4 5a5 6a6 7a7 8a8 9a9 3a3\n");
    Highlight run(c.Info());
    run.Run(u"a4 a5 a6 a7 a8 a9 a3", 1);
    std::vector<ColorRef> colours;
    for (const RecordedChunk& chunk : run.Chunks())
        if (chunk.text.size() == 2 && chunk.text[0] == u'a') colours.push_back(chunk.color);
    const ColorTheme& theme = run.Theme();
    EXPECT_EQ(colours, (std::vector<ColorRef>{theme[ColorRole::String0].color, theme[ColorRole::String1].color,
                                              theme[ColorRole::String2].color, theme[ColorRole::String3].color,
                                              theme[ColorRole::Seperator].color, theme[ColorRole::Border].color,
                                              theme[ColorRole::Keyword3].color}));
}

TEST(Highlight, StopsAtTheLastCountedLine) {
    TestLanguage c(kCLikeDefinition);
    Highlight run(c.Info());
    EXPECT_EQ(run.Run(u"a\r\nb\r\n\r\n\r\n", 2), (std::vector<WString>{u"a", u"<br/>", u"\r\n", u"b", u"\r\n"}));
    Highlight none(c.Info());
    EXPECT_TRUE(none.Run(u"a\r\n", 0).empty());
    EXPECT_TRUE(none.Run(u"", 3).empty());
}

TEST(Highlight, LoneCarriageReturnsNeverSkipTheEnd) {
    TestLanguage c(kCLikeDefinition);
    Highlight main(c.Info());
    EXPECT_EQ(main.Run(u"a\r", 5), (std::vector<WString>{u"a", u"<br/>", u"\r\n"}));
    Highlight comment(c.Info());
    EXPECT_EQ(comment.Run(u"//a\r", 5), (std::vector<WString>{kCommentSpan, u"//a", u"<br/>\r\n"}));
    Highlight block(c.Info());
    EXPECT_EQ(block.Run(u"/*a\r", 5), (std::vector<WString>{kCommentSpan, u"/*a", u"<br/>\r\n"}));
}

TEST(Highlight, SpecialCharactersAreReplacedEverywhere) {
    SpecialChars* table = CreateSpecialChars(1, 2);
    SetSpecialCharItem(table->rows[0], u"<,&lt;");
    TestLanguage c(kCLikeDefinition);
    Highlight run(c.Info(), table, 4);
    EXPECT_EQ(run.Run(u"a<b \"<  \t\" // <\r\n", 1),
              (std::vector<WString>{u"a", kSeperatorSpan, u"&lt;", u"</span>", u"b", u" ", kStringSpan,
                                    u"\"&lt; &nbsp;&nbsp;&nbsp;&nbsp;&nbsp;\"", u" ", u"</span>", kCommentSpan, u"// &lt;",
                                    u"\r\n"}));
    TestLanguage noDelimiters("[LanguageInfo]\nDelimiters= \n");
    Highlight word(noDelimiters.Info(), table, 2);
    EXPECT_EQ(word.Run(u"x<y", 1), (std::vector<WString>{u"x&lt;y"}));
    FreeSpecialChars(table);
}

TEST(Highlight, SplitWordStopsAtDelimitersAndNul) {
    TestLanguage c(kCLikeDefinition);
    const EscapeTable escapes(nullptr, 2);
    const CharClasses classes(c.Info(), escapes);
    bool mayEscape = true;
    EXPECT_EQ(SplitWord(u"abc(d", classes, mayEscape), 3u);
    EXPECT_FALSE(mayEscape);
    EXPECT_EQ(SplitWord(u"\u4E2D\u6587", classes, mayEscape), 2u);
    EXPECT_EQ(SplitWord(u" x", classes, mayEscape), 0u);

    TestLanguage wide("[LanguageInfo]\nDelimiters=\xA3\xAC\nSeperators=\xA3\xAC\n");
    const CharClasses wideClasses(wide.Info(), escapes);
    EXPECT_EQ(SplitWord(u"\u4E2D\uFF0C\u6587", wideClasses, mayEscape), 1u);
    EXPECT_TRUE(wideClasses.IsSeperator(u'\uFF0C'));
}

}  // namespace
