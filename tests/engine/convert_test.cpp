#include "engine/convert.h"

#include <gtest/gtest.h>

#include <random>
#include "engine_test_support.h"

namespace {

class Convert : public ::testing::Test {
protected:
    Convert() : language_(kCLikeDefinition), theme_(DistinctTheme()) {
        CopyToField(settings_.borderSize, u"2px");
        settings_.tabToSpaces = 2;
    }
    ConvertResult Run(const std::u16string& code, bool lineNumbers = false, const char16_t* start = u"1",
                      EngineAllocator allocator = DefaultEngineAllocator()) {
        sink_ = RecordingSink();
        return ConvertCode(settings_, theme_, &language_.Info(), code, lineNumbers, start, sink_, allocator);
    }
    std::string Html() const { return sink_.Html(); }

    TestLanguage language_;
    ColorTheme theme_;
    AppSettings settings_{};
    RecordingSink sink_;
};

TEST_F(Convert, WrapsTheTableInADivWithTheFontSettings) {
    ASSERT_EQ(Run(u"int a;\r\n"), ConvertResult::Converted);
    const std::string html = Html();
    EXPECT_EQ(html.substr(0, 11), "<div><table");
    EXPECT_EQ(html.substr(html.size() - 28), "</tbody>\r\n</table>\r\n</div>\r\n");
    EXPECT_EQ(sink_.chunks.front().text, u"<div>");
    EXPECT_EQ(sink_.chunks.back().color, kMarkupColor);

    CopyToField(settings_.fontSize, u"14px");
    Run(u"a");
    EXPECT_EQ(sink_.chunks.front().text, u"<div style=\"font-size:14px;\">");
    CopyToField(settings_.fontFamily, u"Consolas, 'Courier New'");
    Run(u"a");
    EXPECT_EQ(sink_.chunks.front().text, u"<div style=\"font-family:Consolas, 'Courier New';font-size:14px;\">");
}

TEST_F(Convert, LineHeightSettingReachesBothCells) {
    CopyToField(settings_.lineHeight, u"1.4");
    ASSERT_EQ(Run(u"a\r\n", true), ConvertResult::Converted);
    const std::string html = Html();
    EXPECT_NE(html.find("text-align:right; line-height:1.4\">"), std::string::npos) << html;
    EXPECT_NE(html.find("color:#000001; line-height:1.4\">"), std::string::npos) << html;
    EXPECT_EQ(html.find("<div style"), std::string::npos) << "the div keeps its font settings only";
}

TEST_F(Convert, NoWrapLetsTheDivScrollSideways) {
    settings_.noWrap = true;
    Run(u"a");
    EXPECT_EQ(sink_.chunks.front().text, u"<div style=\"overflow-x:auto;\">");
    CopyToField(settings_.fontFamily, u"mono");
    CopyToField(settings_.fontSize, u"14px");
    Run(u"a");
    EXPECT_EQ(sink_.chunks.front().text, u"<div style=\"font-family:mono;font-size:14px;overflow-x:auto;\">");
    EXPECT_NE(Html().find("white-space:nowrap"), std::string::npos);
}

// Font tags leave the div bare: the family becomes the cells' face, a
// pixel size, the line height and the sideways scroll have no attribute form.
TEST_F(Convert, FontTagsLeaveTheDivBareAndNoStyleAnywhere) {
    settings_.markup = HtmlMarkup::FontTags;
    settings_.noWrap = true;
    CopyToField(settings_.fontFamily, u"\"Code Font\", monospace");
    CopyToField(settings_.fontSize, u"14px");
    CopyToField(settings_.lineHeight, u"1.4");
    ASSERT_EQ(Run(u"int a; // x\r\n", true), ConvertResult::Converted);
    const std::string html = Html();
    EXPECT_EQ(sink_.chunks.front().text, u"<div>");
    EXPECT_EQ(html.find("style"), std::string::npos) << html;
    EXPECT_NE(html.find("valign=\"top\" nowrap=\"nowrap\"><font face=\"'Code Font', monospace\" color=\"#808080\">"),
              std::string::npos)
        << html;
    EXPECT_NE(html.find("<font color=\"#008000\">// x\r\n</font>\r\n</font></td>"), std::string::npos) << html;
}

// A font size takes no quote at all: one in quotes counts as absent.
TEST_F(Convert, DoubleQuotesInTheFontSettingsBecomeSingleOnes) {
    CopyToField(settings_.fontFamily, u"\"Code Font\", monospace");
    CopyToField(settings_.fontSize, u"\"13px\"");
    Run(u"a");
    EXPECT_EQ(sink_.chunks.front().text, u"<div style=\"font-family:'Code Font', monospace;\">");
}

// A setting that could end its attribute or add to it counts as absent:
// the HTML gets its default, as though the file had no such key.
TEST_F(Convert, SettingsThatCouldBreakTheirAttributeCountAsAbsent) {
    const WString family = u"宋体, 'Code_Font', monospace";
    CopyToField(settings_.fontFamily, family);
    CopyToField(settings_.fontSize, u"calc(1em + 2px)");
    CopyToField(settings_.borderSize, u"2\"x");
    Run(u"a");
    EXPECT_EQ(sink_.chunks.front().text,
              u"<div style=\"font-family:" + family + u";font-size:calc(1em + 2px);\">");
    std::string html = Html();
    EXPECT_NE(html.find("height=\"2px\"></td></tr>"), std::string::npos) << html;
    EXPECT_EQ(html.find("2\"x"), std::string::npos) << html;

    for (const char16_t* family : {u"Consolas;color:red", u"a<b", u"a>b", u"a&amp", u"a\\22", u"a\tb"}) {
        CopyToField(settings_.fontFamily, family);
        CopyToField(settings_.fontSize, family);
        CopyToField(settings_.borderSize, family);
        Run(u"a");
        EXPECT_EQ(sink_.chunks.front().text, u"<div>") << WideToUtf8(family);
        html = Html();
        EXPECT_NE(html.find("bgcolor=\"#A0A0A0\" width=\"2px\""), std::string::npos) << html;
    }
}

TEST_F(Convert, TrailingEmptyLinesAreNotConverted) {
    EXPECT_EQ(CodeLineCount(u"a\r\nb\r\n\r\n\r\n"), 2);
    EXPECT_EQ(CodeLineCount(u"a\r\n  \r\n"), 2) << "blanks make a line non-empty";
    EXPECT_EQ(CodeLineCount(u"\r\n\r\n"), 0);
    EXPECT_EQ(CodeLineCount(u"\r\n\r\nx"), 3);
    EXPECT_EQ(CodeLineCount(u""), 0);
    EXPECT_EQ(CodeLineCount(u"a\rb\nc\n\rd\r\n\n\r"), 5) << "lone CR and LF end lines as CR LF does";

    ASSERT_EQ(Run(u"a\r\nb\r\n\r\n\r\n", true), ConvertResult::Converted);
    const std::string html = Html();
    EXPECT_NE(html.find(">\r\n1<br/>2\r\n</td>"), std::string::npos);
    EXPECT_NE(html.find(">\r\na<br/>\r\nb\r\n</td>"), std::string::npos);
}

TEST_F(Convert, LineCountsAgreeWithALineByLineCount) {
    std::mt19937 random(7);
    const char16_t units[] = {u'\r', u'\n', u'x', u' ', u'\r', u'\n', u'x', u' ', u'\0'};
    for (int round = 0; round < 3000; ++round) {
        std::u16string code(random() % 300, u'x');
        for (char16_t& c : code) c = units[random() % (round % 2 ? 8 : 9)];
        int lines = 0, line = 1;
        for (size_t i = 0; i < code.size() && code[i]; ++i) {
            if (code[i] != u'\r' && code[i] != u'\n') {
                lines = line;
            } else {
                if (code[i] == u'\r' && i + 1 < code.size() && code[i + 1] == u'\n') ++i;
                ++line;
            }
        }
        ASSERT_EQ(CodeLineCount(code), lines) << ::testing::PrintToString(code);
    }
}

// Breaks are counted in 16-bit lanes: a text of nothing but breaks, long
// enough to fill every lane many times over, is counted in full.
TEST_F(Convert, LineCountsOfLongTextsOfBreaksAreWhole) {
    for (const char16_t* lineEnd : {u"\n", u"\r", u"\r\n"}) {
        std::u16string code;
        for (int i = 0; i < 1500000; ++i) code += lineEnd;
        code += u'x';
        EXPECT_EQ(CodeLineCount(code), 1500001) << ::testing::PrintToString(lineEnd);
    }
}

TEST_F(Convert, ALoneCarriageReturnLosesNoText) {
    ASSERT_EQ(Run(u"a\rb", true), ConvertResult::Converted);
    EXPECT_NE(Html().find(">\r\n1<br/>2\r\n</td>"), std::string::npos);
    EXPECT_NE(Html().find(">\r\na<br/>\r\nb</td>"), std::string::npos);
}

TEST_F(Convert, OnlyEmptyLinesGiveEmptyCells) {
    ASSERT_EQ(Run(u"\r\n\r\n", true), ConvertResult::Converted);
    const std::string html = Html();
    EXPECT_NE(html.find("text-align:right\">\r\n</td>\r\n"), std::string::npos);
    EXPECT_NE(html.find("style=\"color:#000001\">\r\n</td>\r\n"), std::string::npos);
}

TEST_F(Convert, StartLineReadsLikeWcstol) {
    EXPECT_EQ(ParseStartLine(u"12abc"), 12);
    EXPECT_EQ(ParseStartLine(u"  7"), 7);
    EXPECT_EQ(ParseStartLine(u"0"), 1);
    EXPECT_EQ(ParseStartLine(u"-5"), 1);
    EXPECT_EQ(ParseStartLine(u"abc"), 1);
    EXPECT_EQ(ParseStartLine(u""), 1);
    EXPECT_EQ(ParseStartLine(u"99999999999"), 2147483647);

    Run(u"a\r\nb", true, u"2147483647");
    EXPECT_NE(Html().find(">\r\n2147483647<br/>2147483648\r\n</td>"), std::string::npos)
        << "numbers past the 32-bit range keep counting";
}

TEST_F(Convert, PaddedCodeConvertsLikeAPaneText) {
    const std::u16string code = u"int a; // x\r\n\r\n";
    Run(code, true, u"9");
    const std::string copied = Html();
    const std::u16string padded = u'\0' + code + u'\0';
    RecordingSink sink;
    EXPECT_EQ(ConvertPaddedCode(settings_, theme_, &language_.Info(), {padded.data() + 1, code.size()}, true, u"9",
                                sink),
              ConvertResult::Converted);
    EXPECT_EQ(sink.Html(), copied);
    EXPECT_EQ(ConvertPaddedCode(settings_, theme_, &language_.Info(), {padded.data() + 1, 0}, true, u"9", sink),
              ConvertResult::NothingToDo);
}

TEST_F(Convert, TabStopsFollowTheSettingOnBothPaths) {
    const std::u16string code = u"a\tb";
    const std::u16string padded = u'\0' + code + u'\0';
    for (bool tabStops : {false, true}) {
        settings_.tabStops = tabStops;
        const std::string cell = tabStops ? ">\r\na&nbsp;b</td>" : ">\r\na&nbsp;&nbsp;b</td>";
        Run(code);
        EXPECT_NE(Html().find(cell), std::string::npos) << Html();
        RecordingSink sink;
        ConvertPaddedCode(settings_, theme_, &language_.Info(), {padded.data() + 1, code.size()}, false, u"1", sink);
        EXPECT_NE(sink.Html().find(cell), std::string::npos) << sink.Html();
    }
}

TEST_F(Convert, NothingToDoWithoutLanguageOrCode) {
    RecordingSink sink;
    EXPECT_EQ(ConvertCode(settings_, theme_, nullptr, u"a", true, u"1", sink), ConvertResult::NothingToDo);
    EXPECT_EQ(Run(u""), ConvertResult::NothingToDo);
    EXPECT_EQ(Run(std::u16string(u"\0abc", 4)), ConvertResult::NothingToDo) << "the pane ends at a NUL";
    EXPECT_TRUE(sink.chunks.empty());
    EXPECT_TRUE(sink_.chunks.empty());
}

int grants = 0;
void* Grant(uint32_t size) { return grants-- > 0 ? ::operator new(size) : nullptr; }
void Release(void* block) { ::operator delete(block); }

TEST_F(Convert, FailuresLeaveWhatTheyLeave) {
    grants = 0;
    EXPECT_EQ(Run(u"a", false, u"1", {Grant, Release}), ConvertResult::TextBufferFailed);
    EXPECT_TRUE(sink_.chunks.empty());

    grants = 1;
    EXPECT_EQ(Run(u"a", false, u"1", {Grant, Release}), ConvertResult::TableFailed);
    EXPECT_EQ(Html(), "<div>") << "the opening tag stays, the table never started";

    grants = 2;
    EXPECT_EQ(Run(u"x " + std::u16string(2000, u'y'), false, u"1", {Grant, Release}), ConvertResult::TableFailed);
    EXPECT_EQ(Html().find("</div>"), std::string::npos);
}

TEST_F(Convert, TextOnlySinksGetTheSameHtmlInBatches) {
    std::u16string code;
    for (int i = 0; i < 300; ++i) code += u"int x = 1; /* \t<&> */ \"s\\\"\" // c\r\n";
    code += u"/* " + std::u16string(20000, u'z') + u" */";
    Run(code, true, u"3");
    StringSink joined;
    ASSERT_EQ(ConvertCode(settings_, theme_, &language_.Info(), code, true, u"3", joined), ConvertResult::Converted);
    EXPECT_FALSE(joined.Failed());
    EXPECT_EQ(WideToUtf8(joined.View()), Html());
}

}  // namespace
