// Whatever the code, its lines stay lines: the code cell, stripped of its
// tags and unescaped, gives back the code with tabs expanded and line ends
// normalised, and it has one "<br/>" fewer than the number column has numbers.
#include <gtest/gtest.h>

#include <random>
#include "base/module_path.h"
#include "engine/convert.h"
#include "engine/special_chars.h"
#include "engine_test_support.h"

namespace {

// The code cell and the number column of one converted fragment (from the
// distinct theme: Bkgnd "#FFFFFF", Text "#000001").
struct Cells {
    WString code;     // tags stripped, entities decoded, "<br/>" as '\n'
    int codeBreaks;   // "<br/>" in the code cell
    int numbers = 0;  // numbers in the number column
};

WString Decode(WStringView html, int& breaks) {
    static const std::pair<WStringView, char16_t> kEntities[] = {
        {u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&amp;", u'&'}, {u"&quot;", u'"'}, {u"&nbsp;", u' '}};
    WString text;
    breaks = 0;
    for (size_t i = 0; i < html.size();) {
        if (html[i] == u'<') {
            const size_t close = html.find(u'>', i);
            if (html.substr(i, close + 1 - i) == u"<br/>") text += u'\n', ++breaks;
            i = close + 1;
        } else if (html[i] == u'&') {
            const size_t semicolon = html.find(u';', i);
            const WStringView entity = html.substr(i, semicolon + 1 - i);
            for (const auto& known : kEntities)
                if (entity == known.first) text += known.second;
            i = semicolon + 1;
        } else {
            // Line breaks of the HTML are markup: the code's own are "<br/>".
            if (html[i] != u'\r' && html[i] != u'\n') text += html[i];
            ++i;
        }
    }
    return text;
}

Cells ReadCells(WStringView html) {
    Cells cells;
    const WStringView codeOpen = u"<td bgcolor=\"#FFFFFF\" style=\"color:#000001\">\r\n";
    const size_t begin = html.find(codeOpen) + codeOpen.size();
    const size_t end = html.find(u"</td>\r\n<td bgcolor=\"#FFFFFF\" width=\"8px\">", begin);
    cells.code = Decode(html.substr(begin, end - begin), cells.codeBreaks);
    const WStringView numbersOpen = u"text-align:right\">\r\n";
    const size_t numbers = html.find(numbersOpen);
    if (numbers != WStringView::npos) {
        const size_t from = numbers + numbersOpen.size();
        const WStringView column = html.substr(from, html.find(u"</td>", from) - from);
        int breaks = 0;
        if (!Decode(column, breaks).empty()) cells.numbers = breaks + 1;
    }
    return cells;
}

// The code as the cell should show it: line ends as '\n', lines after the
// last non-empty one left out, tabs expanded to a fixed width or to stops.
struct Expected {
    WString text;
    int lines = 0;
};

Expected Expect(const std::u16string& code, int tabWidth, bool tabStops) {
    std::vector<WString> lines(1);
    for (size_t i = 0; i < code.size(); ++i) {
        if (code[i] == u'\r' || code[i] == u'\n') {
            if (code[i] == u'\r' && i + 1 < code.size() && code[i + 1] == u'\n') ++i;
            lines.emplace_back();
            continue;
        }
        WString& line = lines.back();
        if (code[i] != u'\t') {
            line += code[i];
            continue;
        }
        size_t column = 0;
        for (size_t j = 0; j < line.size(); ++j)
            column += !(line[j] >= 0xDC00 && line[j] <= 0xDFFF && j > 0 && line[j - 1] >= 0xD800 && line[j - 1] <= 0xDBFF);
        line += WString(tabStops ? tabWidth - column % tabWidth : tabWidth, u' ');
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    Expected expected;
    expected.lines = static_cast<int>(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) expected.text += (i ? u"\n" : u"") + lines[i];
    return expected;
}

// Pieces that make strings, comments and escapes meet line ends of every kind.
const char16_t* const kPieces[] = {
    u"\"", u"'", u"\\", u"\\\\", u"\\\"", u"\\'", u"//", u"/*", u"*/", u"#", u"--", u" ", u"  ", u"\t",
    u"a", u"bc", u"int", u"12", u"3.5", u"x.y", u"<", u"&", u";", u"(", u"\r\n", u"\r", u"\n", u"\\\r\n",
    u"\\\r", u"\\\n", u"\u4E2D", u"\U0001F600", u"&nbsp;",
};

const char* const kLanguages[] = {
    kCLikeDefinition,
    "[LanguageInfo]\nEscapeChar=\\\nLineComment=#\nStringChars=0\"\"1''\n"
    "Delimiters=,;:(){}[]<>=+-*/%&|^!~.\"'\\#@\nSeperators=:,()[]{}\n[i]\nint\n",
    // The escape character is the closer, as in doubled quotes.
    "[LanguageInfo]\nEscapeChar='\nLineComment=--\nBlockCommentOn=/*\nBlockCommentOff=*/\nStringChars=0''\n"
    "Delimiters=(),;'\n",
    // No Delimiters= line: blanks and tabs continue words.
    "[LanguageInfo]\nEscapeChar=\\\nStringChars=0\"\"\n",
    // Every position opens a line comment.
    "[LanguageInfo]\nLineComment=\nDelimiters=\n",
};

class RoundTrip : public ::testing::Test {
protected:
    RoundTrip() : specials_(CreateSpecialChars(4, 2)) {
        const char16_t* const items[] = {u"<,&lt;", u">,&gt;", u"&,&amp;", u"\",&quot;"};
        for (int i = 0; i < 4; ++i) SetSpecialCharItem(specials_->rows[i], items[i]);
        settings_.specialChars = specials_;
        CopyToField(settings_.borderSize, u"2px");
    }
    ~RoundTrip() override { FreeSpecialChars(specials_); }

    // Converts code into html_ and checks the round trip; false after the
    // first failure.
    bool Check(const LanguageInfo& language, const std::u16string& code, bool lineNumbers) {
        StringSink sink;
        const ConvertResult result = ConvertCode(settings_, theme_, &language, code, lineNumbers, u"1", sink);
        html_ = sink.View();
        const int width = settings_.tabToSpaces == 2 ? 2 : 4;
        const Expected expected = Expect(code, width, settings_.tabStops);
        if (code.empty()) return result == ConvertResult::NothingToDo;
        EXPECT_EQ(result, ConvertResult::Converted);
        const Cells cells = ReadCells(sink.View());
        const std::string trace = "code " + ::testing::PrintToString(code) + ", tab width " + std::to_string(width) +
                                  (settings_.tabStops ? " to stops" : "");
        EXPECT_EQ(cells.code, expected.text) << trace;
        EXPECT_EQ(cells.codeBreaks, std::max(expected.lines - 1, 0)) << trace;
        if (lineNumbers) {
            EXPECT_EQ(cells.numbers, expected.lines) << trace;
        }
        return !::testing::Test::HasFailure();
    }

    SpecialChars* specials_;
    AppSettings settings_{};
    ColorTheme theme_ = DistinctTheme();
    WString html_;
};

TEST_F(RoundTrip, GeneratedCodeKeepsEveryLine) {
    std::mt19937 random(20240611);
    for (const char* definition : kLanguages) {
        TestLanguage language(definition);
        SCOPED_TRACE(definition);
        for (int round = 0; round < 400; ++round) {
            std::u16string code;
            const int pieces = std::uniform_int_distribution<int>(0, 40)(random);
            for (int i = 0; i < pieces; ++i)
                code += kPieces[std::uniform_int_distribution<size_t>(0, std::size(kPieces) - 1)(random)];
            settings_.tabToSpaces = random() % 2 ? 2 : 4;
            settings_.tabStops = random() % 2;
            if (!Check(language.Info(), code, random() % 2)) return;
        }
    }
}

TEST_F(RoundTrip, EscapesBeforeEveryKindOfLineEnd) {
    TestLanguage c(kCLikeDefinition);
    for (const char16_t* code : {u"\"a\\\r\nb\"\r\nc", u"\"a\\\rb\"\rc", u"\"a\\\nb\"\nc", u"\"a\\", u"'\\\\'\r\n'\\''",
                                 u"\"\\\\\\\\\"\r\nq = 1", u"// c\\\r\nd", u"/* \\\r\n*/ e", u"\"\\\r\n\r\n\r\n"}) {
        settings_.tabToSpaces = 4;
        if (!Check(c.Info(), code, true)) return;
    }
}

// A language that ships with the program; the file goes with the object.
class ShippedLanguage {
public:
    explicit ShippedLanguage(const char16_t* file) : info_{} {
        EXPECT_TRUE(ModulePath(info_.filePath, file));
        EXPECT_EQ(ParseLanguageFile(&info_), 1);
    }
    ~ShippedLanguage() { MEM_Free(info_.keywords); }
    const LanguageInfo& Info() const { return info_; }

private:
    LanguageInfo info_;
};

TEST_F(RoundTrip, ABackslashBeforeTheLineEndOfACString) {
    const ShippedLanguage cpp(u"languages\\cpp.lang");
    const std::u16string code = u"char *s = \"ab\\\r\ncd\";\r\nint x;\r\n";
    ASSERT_TRUE(Check(cpp.Info(), code, true));
    EXPECT_NE(html_.find(u"&quot;ab\\<br/>\r\n"), WString::npos) << "the literal ends before the line break";
}

TEST_F(RoundTrip, TwoEscapedBackslashesInAPythonString) {
    const ShippedLanguage python(u"languages\\python.lang");
    const std::u16string code = u"p = \"\\\\\\\\\"\r\nq = 1\r\n";
    ASSERT_TRUE(Check(python.Info(), code, true));
    EXPECT_NE(html_.find(u"&quot;\\\\\\\\&quot;<br/>\r\n</span>q"), WString::npos)
        << "the literal closes at its quote, so q is no longer in its colour";
}

TEST_F(RoundTrip, AnEscapeBeforeANulEndsTheLiteralThere) {
    TestLanguage c(kCLikeDefinition);
    const std::u16string code(u"\"ab\\\0cd\"", 8);
    StringSink sink;
    ASSERT_EQ(ConvertCode(settings_, theme_, &c.Info(), code, false, u"1", sink), ConvertResult::Converted);
    EXPECT_EQ(ReadCells(sink.View()).code, u"\"ab\\") << "the code ends at its NUL, as the pane holds it";
}

}  // namespace
