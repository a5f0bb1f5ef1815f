// The optional constructs of language files: what each colours, where it
// ends, and that every line inside one still gets its line break.
#include <gtest/gtest.h>
#include "engine/highlight.h"
#include "engine_test_support.h"

namespace {

// The code as runs of one colour class: "|S:" starts a run of String0, and so
// on; markup is left out but for line breaks, written as "\n".
std::string ClassRuns(const std::string& definition, const std::u16string& code, int32_t lineCount = 1000) {
    TestLanguage language(definition);
    const ColorTheme theme = DistinctTheme();
    RecordingSink sink;
    const EscapeTable escapes(nullptr, 2, false);
    {
        Emitter emitter(sink, theme, 2, escapes);
        const std::u16string text = u'\0' + code;
        ScanBuffers buffers{static_cast<char16_t*>(MEM_Alloc(kInitialEscapeBytes)), kInitialEscapeBytes};
        EXPECT_TRUE(HighlightCode(emitter, language.Info(), text.c_str() + 1, lineCount, buffers));
        MEM_Free(buffers.escape);
    }
    const std::pair<ColorRole, char> letters[] = {
        {ColorRole::Comment, 'C'},  {ColorRole::Number, 'N'},  {ColorRole::Keyword0, 'K'}, {ColorRole::Keyword1, 'L'},
        {ColorRole::Keyword2, 'M'}, {ColorRole::Keyword3, 'D'}, {ColorRole::String0, 'S'},  {ColorRole::String1, 'T'},
        {ColorRole::String2, 'U'},  {ColorRole::String3, 'V'},  {ColorRole::Seperator, 'P'}};
    std::string runs;
    char current = 0;
    for (const RecordedChunk& chunk : sink.chunks) {
        if (chunk.color == kMarkupColor) {
            if (chunk.text.find(u"<br/>") != WString::npos) runs += "\n";
            continue;
        }
        char letter = '.';
        for (const auto& [role, mark] : letters)
            if (theme[role].color == chunk.color) letter = mark;
        if (letter != current) runs += std::string("|") + letter + ":";
        current = letter;
        runs += WideToUtf8(chunk.text);
    }
    return runs;
}

const std::string kBase =
    "[LanguageInfo]\nEscapeChar=\\\nLineComment=#\nStringChars=0\"\"1''\nDelimiters=,;:()[]{}<>=+-*/\"'\\`\n";

TEST(Regions, LongStringsRunAcrossLinesWithPrefixesAndEscapes) {
    const std::string python = kBase + "LongString=0 ''' ''' escapes prefix=rRbB\n[d]\ndef\n";
    EXPECT_EQ(ClassRuns(python, u"x = rb'''you'll\n\\''' def\n''' def"),
              "|.:x = |S:rb'''you'll\n\\''' def\n'''|.: |K:def");
    EXPECT_EQ(ClassRuns(python, u"xr'''a'''"), "|.:xr|S:'''a'''") << "a prefix inside a word is no prefix";
    const std::string js = kBase + "LongString=2 ` ` escapes code=${\n";
    EXPECT_EQ(ClassRuns(js, u"`a ${f(`b${c}\n`)} d` e"), "|U:`a ${f(`b${c}\n`)} d`|.: e")
        << "a closer inside embedded code does not end the string";
    EXPECT_EQ(ClassRuns(python, u"'''open\ndef\n", 1), "|S:'''opendef")
        << "unclosed: to the end, past lineCount, without line breaks there";
}

TEST(Regions, TaggedStringsCloseOnlyOnTheirOwnTag) {
    const std::string cpp = kBase + "TaggedString=1 R\"~( )~\" *\nTaggedComment=--[~[ ]~] =\n";
    EXPECT_EQ(ClassRuns(cpp, u"R\"xy(a)\"\n)x\")xy\";"), "|T:R\"xy(a)\"\n)x\")xy\"|.:;");
    const std::u16string tag32(32, u'='), tag33(33, u'=');
    EXPECT_EQ(ClassRuns(cpp, u"--[" + tag32 + u"[ a ]] ]" + tag32 + u"] b"),
              "|C:--[" + std::string(32, '=') + "[ a ]] ]" + std::string(32, '=') + "]|.: b");
    EXPECT_EQ(ClassRuns(cpp, u"--[" + tag33 + u"[ a"), "|.:--[" + std::string(33, '=') + "[ a")
        << "a tag past the longest is no opener";
}

TEST(Regions, HeredocBodiesStartAfterTheOpenersLine) {
    const std::string shell = kBase + "Heredoc=0 << blank\n[e]\necho\n";
    EXPECT_EQ(ClassRuns(shell, u"cat <<-'EOF' | x # c\nit's \"q\nEOFX\n\tEOF\necho"),
              "|.:cat |S:<<-'EOF'|.: | x |C:# c\n|S:it's \"q\nEOFX\n\tEOF\n|K:echo");
    EXPECT_EQ(ClassRuns(shell, u"cat << EOF\n  EOF\nEOF\necho"), "|.:cat |S:<< EOF\n  EOF\nEOF\n|K:echo")
        << "without '-' the closing tag stands alone at the line's start";
    EXPECT_EQ(ClassRuns(shell, u"x << 2\necho"), "|.:x << |N:2\n|K:echo") << "no tag, no heredoc";
}

TEST(Regions, NestedCommentsCountTheirDepthUpToACap) {
    const std::string haskell = kBase + "BlockCommentOn={-\nBlockCommentOff=-}\nNestedComments=1\n";
    EXPECT_EQ(ClassRuns(haskell, u"{- a {- b -}\nc -} d"), "|C:{- a {- b -}\nc -}|.: d");
    std::u16string deep;
    for (int i = 0; i < kMaxNesting + 5; ++i) deep += u"{-";
    for (int i = 0; i < kMaxNesting; ++i) deep += u"-}";
    EXPECT_EQ(ClassRuns(haskell, deep + u" d").back(), 'd');
    EXPECT_NE(ClassRuns(haskell, deep + u" d").find("|.: d"), std::string::npos) << "the capped depth closes early";
}

TEST(Regions, AnchoredCommentsOpenAndCloseAtALinesStart) {
    const std::string perl = kBase + "AnchoredComment== =cut\n[m]\nmy\n";
    EXPECT_EQ(ClassRuns(perl, u"=head1 it's\nmy\n=cut here\nmy = 1"), "|C:=head1 it's\nmy\n=cut here\n|K:my |.:= |N:1");
    EXPECT_EQ(ClassRuns(perl, u"= 1"), "|.:= |N:1") << "'=' opens only before a letter";
    EXPECT_EQ(ClassRuns(perl, u"x =head1"), "|.:x =head1");
    EXPECT_EQ(ClassRuns(perl, u" =head1\nmy"), "|.:=head1\n|K:my") << "only at the line's very start";
}

TEST(Regions, RegexLiteralsStandWhereAnOperandIsExpected) {
    const std::string js = kBase + "RegexLiterals=2 return typeof\n[r]\nreturn\n";
    EXPECT_EQ(ClassRuns(js, u"x = /['\"/]/g; y"), "|.:x = |U:/['\"/]/g|.:; y");
    EXPECT_EQ(ClassRuns(js, u"return /a\\//.x"), "|K:return |U:/a\\//|.:.x");
    EXPECT_EQ(ClassRuns(js, u"a / b / c"), "|.:a / b / c") << "after an operand: division";
    EXPECT_EQ(ClassRuns(js, u"(a / 'b"), "|.:(a / |T:'b");
    EXPECT_EQ(ClassRuns(js, u"= / x\ny / z /"), "|.:= / x\ny / z /")
        << "no closer on its line: no literal";
}

// Blanks after the first are markup ("&nbsp;"), which the runs leave out.
TEST(Regions, DirectiveLinesRunToTheirEndThroughContinuations) {
    const std::string c = "[LanguageInfo]\nEscapeChar=\\\nLineComment=//\nBlockCommentOn=/*\nBlockCommentOff=*/\n"
                          "StringChars=0\"\"\nDelimiters=,;()<>/*\"#\nDirectiveChar=#\n";
    EXPECT_EQ(ClassRuns(c, u"  #  include <FILE.h> // c\nx"), "|D:# include <FILE.h> |C:// c\n|.:x");
    EXPECT_EQ(ClassRuns(c, u"#define A \\\n  \"b\" /* c */ x"), "|D:#define A \\\n\"b\" |C:/* c */|D: x");
    EXPECT_EQ(ClassRuns(c, u"x # y"), "|.:x # y") << "only a line's first non-blank";
}

TEST(Regions, KeysAndMarkupColourByContext) {
    const std::string json = kBase + "Keys=1\n";
    EXPECT_EQ(ClassRuns(json, u"{\"a\" : \"b\"}"), "|.:{|L:\"a\"|.: : |S:\"b\"|.:}");
    const std::string yaml = kBase + "Keys=3 words\n";
    EXPECT_EQ(ClassRuns(yaml, u"key: a:b\nc:"), "|D:key|.:: a:b\n|D:c|.::");
    const std::string xml = "[LanguageInfo]\nStringChars=0\"\"1''\nDelimiters=<>/=\"'\nMarkup=0 1 brackets\n[a]\na\n";
    EXPECT_EQ(ClassRuns(xml, u"<a href='x' v=1>it's a</a>"), "|K:<a |L:href=|T:'x'|L: v=|.:1|K:>|.:it's a|K:</a>");
    const std::string html = "[LanguageInfo]\nStringChars=0\"\"1''\nDelimiters=<>/=\"'\nMarkup=0 1\n[a]\na\n";
    EXPECT_EQ(ClassRuns(html, u"<a v='>'>it's</a>"), "|.:<|K:a |L:v|.:=|T:'>'|.:>it's</|K:a|.:>");
}

TEST(Regions, MalformedKeysAreIgnored) {
    TestLanguage bad(kBase +
                     "LongString=7 ''' '''\nLongString=0 '''\nTaggedString=0 R\"( )\" *\nHeredoc=x <<\nMarkup=0\n"
                     "RegexLiterals=\nKeys=x\nLongComment=0123456789abcdef x\n");
    EXPECT_EQ(bad.Info().rules.ruleCount, 0);
    EXPECT_FALSE(bad.Info().rules.markup);
    EXPECT_FALSE(bad.Info().rules.regexLiterals);
    EXPECT_EQ(bad.Info().rules.keys, KeyKind::None);
    std::string many = kBase;
    for (int i = 0; i < kMaxRegionRules + 3; ++i) many += "LongComment=(* *)\n";
    EXPECT_EQ(TestLanguage(many).Info().rules.ruleCount, kMaxRegionRules);
}

}  // namespace
