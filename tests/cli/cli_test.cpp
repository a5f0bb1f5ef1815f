#include "cli/cli.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include "cli/code_text.h"
#include "cli/utf8_sink.h"
#include "tests/support/temp_file.h"

namespace {

WString Decoded(std::string_view bytes) {
    const std::optional<CodeText> text = DecodeCodeText(bytes);
    return text ? WString(text->View()) : u"<not text>";
}

TEST(CodeText, LineEndsBecomeCrLf) {
    EXPECT_EQ(Decoded("a\nb\r\nc\rd\r\r\n"), WString(u"a\r\nb\r\nc\r\nd\r\n\r\n"));
    EXPECT_EQ(Decoded("\xEF\xBB\xBFx\n"), WString(u"x\r\n")) << "the byte-order mark is dropped";
    EXPECT_EQ(Decoded(""), WString());
}

TEST(CodeText, Utf16NeedsItsByteOrderMark) {
    EXPECT_EQ(Decoded(std::string("\xFF\xFE" "a\0\n\0\x2D\x4E", 8)), WString(u"a\r\n\u4E2D"));
    EXPECT_EQ(Decoded(std::string("\xFE\xFF\0a\0\r", 6)), WString(u"a\r\n"));
    EXPECT_FALSE(DecodeCodeText(std::string("\xFF\xFE" "a", 3))) << "odd byte count";
}

TEST(CodeText, RejectsBytesThatAreNoUtf8) {
    EXPECT_FALSE(DecodeCodeText("\xD6\xD0\xCE\xC4"));  // GBK
    EXPECT_FALSE(DecodeCodeText("\xC0\xAF"));          // overlong
    EXPECT_FALSE(DecodeCodeText("\xED\xA0\x80"));      // surrogate
    EXPECT_EQ(Decoded("\xF0\x9F\x98\x80"), WString(u"\U0001F600"));
}

TEST(Utf8Output, SurrogatePairsMayBeSplitAcrossChunks) {
    Utf8Sink sink;
    const char16_t pair[] = u"\U0001F600";
    sink.Append(pair, 1, 0, false);
    sink.Append(pair + 1, 1, 0, false);
    sink.Append(u"a\xD800", 2, 0, false);
    sink.Append(u"b\xDC00", 2, 0, false);
    EXPECT_EQ(sink.Finish(), "\xF0\x9F\x98\x80" "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

// Runs the command line in-process with the shipped settings beside the test.
class Cli : public ::testing::Test {
protected:
    int Run(std::vector<WString> args, const std::string& input = "") {
        FILE* in = std::tmpfile();
        FILE* out = std::tmpfile();
        FILE* err = std::tmpfile();
        std::fwrite(input.data(), 1, input.size(), in);
        std::rewind(in);
        const int status = RunCli(args, in, out, err);
        output = ReadBack(out);
        errors = ReadBack(err);
        std::fclose(in);
        return status;
    }
    static std::string ReadBack(FILE* file) {
        std::rewind(file);
        std::string text;
        char chunk[4096];
        for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) text.append(chunk, n);
        std::fclose(file);
        return text;
    }
    std::string output, errors;
};

TEST_F(Cli, ConvertsStandardInputWithTheDefaultLanguage) {
    ASSERT_EQ(Run({u"--no-line-numbers"}, "int x;\n"), 0) << errors;
    EXPECT_EQ(output.rfind("<div style=\"font-family:", 0), 0u);
    EXPECT_NE(output.find("<span style=\"color:#0000FF\">int </span>x"), std::string::npos) << output;
    EXPECT_EQ(output.substr(output.size() - 8), "</div>\r\n");
}

TEST_F(Cli, ChoosesTheLanguageByExtensionOrName) {
    const TempFile source("lumatype_cli_test", ".sql", "select 1\n");
    const WString& path = source.Path();
    ASSERT_EQ(Run({path}), 0) << errors;
    EXPECT_NE(output.find(">select </span>"), std::string::npos) << "case-insensitive SQL keywords";
    ASSERT_EQ(Run({u"--lang", u"c/C++", path}), 0) << errors;
    EXPECT_EQ(output.find(">select </span>"), std::string::npos);
}

TEST_F(Cli, ErrorsExitWithStatusTwoAndOneLine) {
    const TempFile outputFile("lumatype_cli_test_out", ".html");
    const WString& target = outputFile.Path();
    const std::vector<std::vector<WString>> failures = {
        {u"--lang", u"Cobol", u"-o", target, u"-"},
        {u"--theme", u"9", u"-o", target},
        {u"--theme", u"1x", u"-o", target},
        {u"--bogus"},
        {u"--start"},
        {u"-o", target, u"no-such-file.c"},
        {u"--config", u"no-such.ini", u"-o", target},
    };
    for (const auto& args : failures) {
        EXPECT_EQ(Run(args, "x\n"), kCliExitError);
        EXPECT_EQ(errors.find("lumatype-cli: "), 0u);
        EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
        EXPECT_TRUE(output.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(outputFile.FilesystemPath())) << "no partial output";
    EXPECT_EQ(Run({u"-o", target}, "\xD6\xD0\n"), kCliExitError);
    EXPECT_NE(errors.find("UTF-8"), std::string::npos);
}

TEST_F(Cli, WritesTheOutputFileWhole) {
    const TempFile target("lumatype_cli_test_whole", ".html", "an older, longer output that is replaced");
    ASSERT_EQ(Run({u"-o", target.Path(), u"--start", u"5"}, "a\n"), 0) << errors;
    std::ifstream file(target.FilesystemPath(), std::ios::binary);
    const std::string html((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(html.rfind("<div", 0), 0u);
    EXPECT_NE(html.find(">\r\n5\r\n</td>"), std::string::npos);
    EXPECT_TRUE(output.empty());
}

TEST_F(Cli, ListsLanguagesAndThemes) {
    ASSERT_EQ(Run({u"--list-languages"}), 0);
    EXPECT_EQ(output.rfind("C/C++\t.c;.h;", 0), 0u) << output;
    ASSERT_EQ(Run({u"--list-themes"}), 0);
    EXPECT_EQ(output.rfind("1\t", 0), 0u) << output;
    EXPECT_EQ(Run({u"--version"}), 0);
    EXPECT_EQ(Run({u"--help"}), 0);
    EXPECT_NE(output.find("usage: lumatype-cli"), std::string::npos);
}

}  // namespace
