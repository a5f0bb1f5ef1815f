#include "engine/code_table.h"

#include <gtest/gtest.h>
#include "engine_test_support.h"

namespace {

// Runs WriteCodeTable over text the way the Convert command lays it out:
// a NUL in front of the code.
struct TableRun {
    explicit TableRun(const ColorTheme& colours, const SpecialChars* specials = nullptr, int32_t tab = 2,
                      HtmlMarkup markup = HtmlMarkup::InlineStyles)
        : theme(colours),
          escapes(specials, tab),
          emitter(sink, theme, tab, escapes, DefaultEngineAllocator(), markup) {}

    bool Write(const LanguageInfo& language, const std::u16string& code, bool lineNumbers, int32_t lineCount,
               int32_t startLine = 1) {
        text = u'\0' + code;
        return WriteCodeTable(emitter, look, lineNumbers, language, text.c_str() + 1, startLine, lineCount);
    }

    ColorTheme theme;
    RecordingSink sink;
    EscapeTable escapes;
    Emitter emitter;
    std::u16string text;
    TableLook look{u"2px"};
};

const char* kWorkedExampleLanguage =
    "[LanguageInfo]\nDelimiters=;\nSeperators=;\n[i]\nint\n";

const std::vector<WString> kTableOpening = {
    u"<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" border-collapse=\"collapse\">\r\n",
    u"<tbody>\r\n",
};

std::vector<WString> Join(std::initializer_list<std::vector<WString>> parts) {
    std::vector<WString> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

const std::vector<WString> kWorkedExampleCode = {
    u"<td bgcolor=\"#FFFFFF\" width=\"4px\"></td>\r\n",
    u"<td bgcolor=\"#FFFFFF\" style=\"color:#000001\">\r\n",
    u"<span style=\"color:#0000FF\">", u"int", u" ", u"</span>", u"a", u"<span style=\"color:#FF0000\">", u";",
    u"\r\n",
    u"</span>\r\n",
    u"</td>\r\n",
    u"<td bgcolor=\"#FFFFFF\" width=\"8px\"></td>\r\n",
    u"<td bgcolor=\"#A0A0A0\" width=\"2px\"></td>\r\n",
};

std::vector<WString> Closing(const char16_t* columns) {
    return {u"</tr>\r\n",
            WString(u"<tr><td colspan=\"") + columns + u"\" bgcolor=\"#A0A0A0\" height=\"2px\"></td></tr>\r\n",
            u"</tbody>\r\n</table>\r\n"};
}

std::vector<WString> BorderStart(const char16_t* columns) {
    return {WString(u"<tr><td colspan=\"") + columns + u"\" bgcolor=\"#A0A0A0\" height=\"2px\"></td></tr>",
            u"<tr>\r\n", u"<td bgcolor=\"#A0A0A0\" width=\"2px\"></td>\r\n"};
}

TEST(CodeTable, WorkedExampleWithoutLineNumbersChunkByChunk) {
    TestLanguage language(kWorkedExampleLanguage);
    TableRun run(DistinctTheme());
    ASSERT_TRUE(run.Write(language.Info(), u"int a;\r\n", false, 1));
    EXPECT_EQ(run.sink.Texts(), Join({kTableOpening, BorderStart(u"5"), kWorkedExampleCode, Closing(u"5")}));
}

TEST(CodeTable, WorkedExampleDisplayColoursAndWeights) {
    TestLanguage language(kWorkedExampleLanguage);
    TableRun run(DistinctTheme());
    ASSERT_TRUE(run.Write(language.Info(), u"int a;\r\n", false, 1));
    const ColorTheme& theme = run.theme;
    const std::vector<RecordedChunk> content(run.sink.chunks.begin() + 7, run.sink.chunks.begin() + 15);
    const std::vector<RecordedChunk> expected = {
        {u"<span style=\"color:#0000FF\">", kMarkupColor, false},
        {u"int", theme[ColorRole::Keyword0].color, true},
        {u" ", theme[ColorRole::Keyword0].color, false},
        {u"</span>", kMarkupColor, false},
        {u"a", 0, true},
        {u"<span style=\"color:#FF0000\">", kMarkupColor, false},
        {u";", theme[ColorRole::Seperator].color, true},
        {u"\r\n", kMarkupColor, false},
    };
    EXPECT_EQ(content, expected);
    EXPECT_EQ(kMarkupColor, MakeRgb(128, 128, 128));
    for (size_t i : {0, 1, 2, 3, 4, 5, 6, 15, 16, 20})
        EXPECT_EQ(run.sink.chunks[i].color, kMarkupColor) << i;
}

TEST(CodeTable, WorkedExampleWithLineNumbers) {
    TestLanguage language(kWorkedExampleLanguage);
    TableRun run(DistinctTheme());
    ASSERT_TRUE(run.Write(language.Info(), u"int a;\r\n", true, 1));
    const std::vector<WString> numbers = {
        u"<td bgcolor=\"#EEEEEE\" width=\"4px\"></td>\r\n",
        u"<td bgcolor=\"#EEEEEE\" style=\"color:#808080; text-align:right\">\r\n",
        u"1",
        u"\r\n</td>\r\n",
        u"<td bgcolor=\"#EEEEEE\" width=\"4px\"></td>\r\n",
        u"<td bgcolor=\"#A0A0A0\" width=\"2px\"></td>\r\n",
    };
    EXPECT_EQ(run.sink.Texts(), Join({kTableOpening, BorderStart(u"9"), numbers, kWorkedExampleCode, Closing(u"9")}));
    EXPECT_EQ(run.sink.chunks[7].color, run.theme[ColorRole::LineNo].color);
    EXPECT_FALSE(run.sink.chunks[7].bold);
}

// The number cell's text for lineCount lines starting at `first`.
std::string NumberCell(const RecordingSink& sink) {
    const std::string html = sink.Html();
    const std::string open = "text-align:right\">\r\n";
    const size_t begin = html.find(open) + open.size();
    return html.substr(begin, html.find("</td>", begin) + 7 - begin);
}

TEST(CodeTable, LineNumberColumnBreaksEverySixteenLines) {
    TestLanguage language(kWorkedExampleLanguage);
    std::u16string code;
    for (int i = 0; i < 20; ++i) code += u"a\r\n";

    TableRun twenty(DistinctTheme());
    ASSERT_TRUE(twenty.Write(language.Info(), code, true, 20));
    EXPECT_EQ(NumberCell(twenty.sink),
              "1<br/>2<br/>3<br/>4<br/>5<br/>6<br/>7<br/>8<br/>9<br/>10<br/>11<br/>12<br/>13<br/>14<br/>15<br/>16<br/>"
              "\r\n17<br/>18<br/>19<br/>20\r\n</td>\r\n");

    TableRun sixteen(DistinctTheme());
    ASSERT_TRUE(sixteen.Write(language.Info(), code, true, 16, 98));
    const std::string cell = NumberCell(sixteen.sink);
    EXPECT_EQ(cell.substr(0, 9), "98<br/>99");
    EXPECT_EQ(cell.substr(cell.size() - 20), "112<br/>113\r\n</td>\r\n");

    TableRun none(DistinctTheme());
    ASSERT_TRUE(none.Write(language.Info(), code, true, 0));
    EXPECT_EQ(NumberCell(none.sink), "</td>\r\n");
    EXPECT_NE(none.sink.Html().find("style=\"color:#000001\">\r\n</td>\r\n"), std::string::npos)
        << "lineCount 0 leaves the code cell empty";
}

TEST(CodeTable, EmptyColourTextsDropTheirAttributes) {
    ColorTheme theme = DistinctTheme();
    for (ColorRole role : {ColorRole::LineNoBkgnd, ColorRole::LineNo, ColorRole::Bkgnd, ColorRole::Text})
        theme[role].html[0] = 0;
    theme[ColorRole::Border].html[0] = 0;
    TestLanguage language(kWorkedExampleLanguage);
    TableRun run(theme);
    ASSERT_TRUE(run.Write(language.Info(), u"a\r\n", true, 1));
    const std::string html = run.sink.Html();
    EXPECT_NE(html.find("<td width=\"4px\"></td>\r\n<td style=\"text-align:right\">\r\n1\r\n</td>\r\n"
                        "<td width=\"4px\"></td>\r\n<td bgcolor=\"\" width=\"2px\"></td>\r\n"
                        "<td width=\"4px\"></td>\r\n<td>\r\na\r\n</td>\r\n<td width=\"8px\"></td>\r\n"),
              std::string::npos)
        << html;
    EXPECT_NE(html.find("<tr><td colspan=\"9\" bgcolor=\"\" height=\"2px\"></td></tr>"), std::string::npos);
}

TEST(CodeTable, LineHeightEndsTheStyleOfBothCells) {
    TestLanguage language(kWorkedExampleLanguage);
    ColorTheme theme = DistinctTheme();
    TableRun coloured(theme);
    coloured.look.lineHeight = u"1.4";
    ASSERT_TRUE(coloured.Write(language.Info(), u"a\r\n", true, 1));
    std::string html = coloured.sink.Html();
    EXPECT_NE(html.find("<td bgcolor=\"#EEEEEE\" style=\"color:#808080; text-align:right; line-height:1.4\">\r\n1"),
              std::string::npos)
        << html;
    EXPECT_NE(html.find("<td bgcolor=\"#FFFFFF\" style=\"color:#000001; line-height:1.4\">\r\na"), std::string::npos)
        << html;

    // Without a text colour the code cell's style holds the line-height alone.
    theme[ColorRole::LineNo].html[0] = 0;
    theme[ColorRole::Text].html[0] = 0;
    TableRun plain(theme);
    plain.look.lineHeight = u"20px";
    ASSERT_TRUE(plain.Write(language.Info(), u"a\r\n", true, 1));
    html = plain.sink.Html();
    EXPECT_NE(html.find("style=\"text-align:right; line-height:20px\">\r\n1"), std::string::npos) << html;
    EXPECT_NE(html.find("<td bgcolor=\"#FFFFFF\" style=\"line-height:20px\">\r\na"), std::string::npos) << html;
}

TEST(CodeTable, NoWrapKeepsBothCellsOnOneLineInEitherMarkup) {
    TestLanguage language(kWorkedExampleLanguage);
    TableRun styled(DistinctTheme());
    styled.look.lineHeight = u"1.4";
    styled.look.noWrap = true;
    ASSERT_TRUE(styled.Write(language.Info(), u"a\r\n", true, 1));
    std::string html = styled.sink.Html();
    EXPECT_NE(html.find("style=\"color:#808080; text-align:right; white-space:nowrap; line-height:1.4\">\r\n1"),
              std::string::npos)
        << html;
    EXPECT_NE(html.find("style=\"color:#000001; white-space:nowrap; line-height:1.4\">\r\na"), std::string::npos)
        << html;

    ColorTheme plain = DistinctTheme();
    plain[ColorRole::Text].html[0] = 0;
    TableRun bare(plain);
    bare.look.noWrap = true;
    ASSERT_TRUE(bare.Write(language.Info(), u"a\r\n", false, 1));
    EXPECT_NE(bare.sink.Html().find("<td bgcolor=\"#FFFFFF\" style=\"white-space:nowrap\">\r\na"),
              std::string::npos)
        << bare.sink.Html();

    TableRun tagged(DistinctTheme(), nullptr, 2, HtmlMarkup::FontTags);
    tagged.look.noWrap = true;
    ASSERT_TRUE(tagged.Write(language.Info(), u"a\r\n", true, 1));
    html = tagged.sink.Html();
    EXPECT_NE(html.find("<td bgcolor=\"#EEEEEE\" align=\"right\" valign=\"top\" nowrap=\"nowrap\">"), std::string::npos)
        << html;
    EXPECT_NE(html.find("<td bgcolor=\"#FFFFFF\" valign=\"top\" nowrap=\"nowrap\">"), std::string::npos) << html;
}

// The worked example with font tags: the same chunks and line breaks, each
// style carried by a tag or an attribute, and the line height, which has no
// attribute form, left out.
TEST(CodeTable, FontTagsCarryWhatStylesCarry) {
    TestLanguage language(kWorkedExampleLanguage);
    TableRun run(DistinctTheme(), nullptr, 2, HtmlMarkup::FontTags);
    run.look.lineHeight = u"1.4";
    run.look.fontFace = u"Consolas, 'Courier New'";
    ASSERT_TRUE(run.Write(language.Info(), u"int a;\r\n", true, 1));
    const std::vector<WString> numbers = {
        u"<td bgcolor=\"#EEEEEE\" width=\"4px\"></td>\r\n",
        u"<td bgcolor=\"#EEEEEE\" align=\"right\" valign=\"top\"><font face=\"Consolas, 'Courier New'\" "
        u"color=\"#808080\">\r\n",
        u"1",
        u"\r\n</font></td>\r\n",
        u"<td bgcolor=\"#EEEEEE\" width=\"4px\"></td>\r\n",
        u"<td bgcolor=\"#A0A0A0\" width=\"2px\"></td>\r\n",
    };
    const std::vector<WString> code = {
        u"<td bgcolor=\"#FFFFFF\" width=\"4px\"></td>\r\n",
        u"<td bgcolor=\"#FFFFFF\" valign=\"top\"><font face=\"Consolas, 'Courier New'\" color=\"#000001\">\r\n",
        u"<font color=\"#0000FF\">", u"int", u" ", u"</font>", u"a", u"<font color=\"#FF0000\">", u";",
        u"\r\n",
        u"</font>\r\n",
        u"</font></td>\r\n",
        u"<td bgcolor=\"#FFFFFF\" width=\"8px\"></td>\r\n",
        u"<td bgcolor=\"#A0A0A0\" width=\"2px\"></td>\r\n",
    };
    EXPECT_EQ(run.sink.Texts(), Join({kTableOpening, BorderStart(u"9"), numbers, code, Closing(u"9")}));
    EXPECT_EQ(run.sink.Html().find("style"), std::string::npos);
}

// Without a face and a colour there is no font tag to close; sixteen lines
// end the number cell without a second line break.
TEST(CodeTable, FontTagsOnlyWhereTheyCarrySomething) {
    ColorTheme theme = DistinctTheme();
    for (ColorRole role : {ColorRole::LineNo, ColorRole::Text}) theme[role].html[0] = 0;
    TestLanguage language(kWorkedExampleLanguage);
    std::u16string code;
    for (int i = 0; i < 16; ++i) code += u"a\r\n";
    TableRun run(theme, nullptr, 2, HtmlMarkup::FontTags);
    ASSERT_TRUE(run.Write(language.Info(), code, true, 16));
    const std::string html = run.sink.Html();
    EXPECT_NE(html.find("<td bgcolor=\"#EEEEEE\" align=\"right\" valign=\"top\">\r\n1<br/>"), std::string::npos)
        << html;
    EXPECT_NE(html.find("15<br/>16\r\n</td>\r\n"), std::string::npos) << html;
    EXPECT_NE(html.find("<td bgcolor=\"#FFFFFF\" valign=\"top\">\r\na<br/>"), std::string::npos) << html;
    EXPECT_NE(html.find("a\r\n</td>\r\n"), std::string::npos) << html;
    EXPECT_EQ(html.find("font"), std::string::npos) << html;
}

// Allocation that fails from the n-th call on.
int allocationsLeft = 0;
void* CountedAllocate(uint32_t size) { return allocationsLeft-- > 0 ? ::operator new(size) : nullptr; }
void CountedRelease(void* block) { ::operator delete(block); }

TEST(CodeTable, ScanBufferFailureWritesNothing) {
    TestLanguage language(kWorkedExampleLanguage);
    allocationsLeft = 0;
    ColorTheme theme = DistinctTheme();
    RecordingSink sink;
    EscapeTable escapes(nullptr, 2);
    Emitter emitter(sink, theme, 2, escapes, {CountedAllocate, CountedRelease});
    const std::u16string text = u'\0' + std::u16string(u"int a;\r\n");
    EXPECT_FALSE(WriteCodeTable(emitter, TableLook{u"2px"}, true, language.Info(), text.c_str() + 1, 1, 1));
    EXPECT_TRUE(sink.chunks.empty());
}

TEST(CodeTable, EscapeGrowthFailureStopsAfterTheCodeWritten) {
    TestLanguage language(kWorkedExampleLanguage);
    allocationsLeft = 1;  // the escape buffer, then nothing
    ColorTheme theme = DistinctTheme();
    RecordingSink sink;
    EscapeTable escapes(nullptr, 2);
    Emitter emitter(sink, theme, 2, escapes, {CountedAllocate, CountedRelease});
    const std::u16string text = u'\0' + std::u16string(u"int ") + std::u16string(1500, u'x') + u"\r\n";
    EXPECT_FALSE(WriteCodeTable(emitter, TableLook{u"2px"}, false, language.Info(), text.c_str() + 1, 1, 1));
    const std::string html = sink.Html();
    const std::string tail = "<span style=\"color:#0000FF\">int </span>";
    EXPECT_EQ(html.rfind(tail), html.size() - tail.size()) << "nothing follows the last code written";
}

}  // namespace
