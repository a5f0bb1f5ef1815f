// The command line's arguments, languages and themes, and what it writes.
#include "cli/cli.h"

#include <gtest/gtest.h>
#include <filesystem>
#include "cli/conversion.h"
#include "cli/utf8_sink.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/temp_file.h"

namespace {

TEST(Utf8Output, SurrogatePairsMayBeSplitAcrossChunks) {
    Utf8Sink sink;
    const char16_t pair[] = u"\U0001F600";
    sink.Append(pair, 1, 0, false);
    sink.Append(pair + 1, 1, 0, false);
    sink.Append(u"a\xD800", 2, 0, false);
    sink.Append(u"b\xDC00", 2, 0, false);
    EXPECT_EQ(sink.Finish(), "\xF0\x9F\x98\x80" "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

// ASCII is narrowed many units at a time: a character beyond it is encoded
// wherever it stands in a long run.
TEST(Utf8Output, CharactersBeyondAsciiAnywhereInLongRuns) {
    for (const char16_t* wide : {u"\u00E9", u"\u4E2D", u"\U0001F600"}) {
        for (size_t at = 0; at <= 70; ++at) {
            WString text(70, u'a');
            for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char16_t>(u'a' + i % 26);
            text.insert(at, wide);
            Utf8Sink sink;
            sink.Append(text.data(), text.size(), 0, false);
            EXPECT_EQ(sink.Finish(), WideToUtf8(text)) << at;
        }
    }
}

class Cli : public CliRunner {};

TEST_F(Cli, ConvertsStandardInputWithTheDefaultLanguageAndSaysSo) {
    ASSERT_EQ(Run({u"--no-line-numbers"}, "int x;\n"), 0) << errors;
    EXPECT_EQ(output.rfind("<div style=\"font-family:", 0), 0u);
    EXPECT_NE(output.find("<span style=\"color:#0000FF\">int </span>x"), std::string::npos) << output;
    EXPECT_EQ(output.substr(output.size() - 8), "</div>\r\n");
    ExpectOneErrorLine("converted as C/C++, the default");
}

TEST_F(Cli, TellsTheLanguageByExtensionNameAliasOrFirstLine) {
    const TempDir dir("lumatype_cli_languages");
    const WString sql = dir.Write("query.SQL", "select 1\n");
    ASSERT_EQ(Run({sql}), 0) << errors;
    EXPECT_NE(output.find(">select </span>"), std::string::npos) << "the extension, in any case";
    EXPECT_EQ(errors, "");
    const std::string asSql = output;
    for (const char16_t* name : {u"sql", u"SQL", u".sql"}) {
        ASSERT_EQ(Run({u"-l", name, sql}), 0) << errors;
        EXPECT_EQ(output, asSql) << WideToUtf8(name);
    }
    ASSERT_EQ(Run({u"--lang", u"c/C++", sql}), 0) << errors;
    EXPECT_EQ(output.find(">select </span>"), std::string::npos);
    const std::string asC = output;
    for (const char16_t* alias : {u"c", u"cpp", u"C++", u".h", u"hpp"}) {
        ASSERT_EQ(Run({u"-l", alias, sql}), 0) << WideToUtf8(alias) << errors;
        EXPECT_EQ(output, asC) << WideToUtf8(alias);
    }
    ASSERT_EQ(Run({u"-l", u"python", dir.Write("f.txt", "def f(): pass\n")}), 0) << errors;
    const std::string python = output;
    ASSERT_EQ(Run({u"-l", u"PY", dir.Path("f.txt")}), 0) << errors;
    EXPECT_EQ(output, python);
    ASSERT_EQ(Run({u"-l", u"c", dir.Path("f.txt")}), 0) << errors;
    EXPECT_NE(output, python);

    const std::string script = "#!/usr/bin/env python3\nimport os\n";
    ASSERT_EQ(Run({u"-l", u"python", dir.Write("python_explicit", script)}), 0);
    const std::string asPython = output;
    ASSERT_EQ(Run({dir.Write("tool", script)}), 0) << errors;
    EXPECT_EQ(output, asPython) << "the interpreter of the first line";
    EXPECT_EQ(errors, "");
    ASSERT_EQ(Run({dir.Write("run", "#!/usr/local/bin/node --harmony\nlet x = 1;\n")}), 0);
    EXPECT_EQ(errors, "") << "node is an alias of JavaScript";
    ASSERT_EQ(Run({dir.Write("page.xyz", "<?php echo 1; ?>\n")}), 0);
    EXPECT_EQ(errors, "") << "<?php opens PHP";
    ASSERT_EQ(Run({dir.Write("deck.cob", "       IDENTIFICATION DIVISION.\n")}), 0);
    ExpectOneErrorLine("deck.cob: language not told by its extension or its first line; converted as C/C++");
}

TEST_F(Cli, ThemesByNumberOrName) {
    ASSERT_EQ(Run({u"--theme", u"2"}, "x\n"), 0);
    const std::string dark = output;
    ASSERT_EQ(Run({u"-t", u"dark"}, "x\n"), 0);
    EXPECT_EQ(output, dark);
    ASSERT_EQ(Run({u"-t", u"1"}, "x\n"), 0);
    EXPECT_NE(output, dark);
    ASSERT_EQ(Run({u"-t", u"12"}, "x\n"), 0);
    const std::string ember = output;
    for (const char16_t* name : {u"Ember (dark)", u"ember", u"-tEMBER"}) {
        ASSERT_EQ(Run(name[0] == u'-' ? std::vector<std::filesystem::path>{name} : std::vector<std::filesystem::path>{u"-t", name},
                      "x\n"),
                  0)
            << errors;
        EXPECT_EQ(output, ember) << WideToUtf8(name) << ": the kind in brackets may be left out";
    }
}

TEST_F(Cli, ShortOptionsTakeAnAttachedValue) {
    const TempDir dir("lumatype_cli_attached");
    const WString source = dir.Write("f.txt", "def f(): pass\n");
    ASSERT_EQ(Run({u"-l", u"py", u"-t", u"2", source}), 0) << errors;
    const std::string expected = output;
    ASSERT_EQ(Run({u"-lpy", u"-t2", source}), 0) << errors;
    EXPECT_EQ(output, expected);
    ASSERT_EQ(Run({u"-lpy", u"-t2", u"-o" + dir.Path("f.html"), source}), 0) << errors;
    EXPECT_EQ(ReadWholeFile(dir.Path("f.html")), expected);
    EXPECT_EQ(Run({u"-nx", source}), kCliExitError) << "a flag takes no value";
    ExpectOneErrorLine("unknown option '-nx'");
}

// A listing that does not reach its destination is no success: here a
// stream that refuses writes stands for a full disk.
TEST_F(Cli, AFailedWriteOfAnyOutputIsAFailure) {
    const TempFile readOnly("lumatype_cli_refusing", ".txt", "");
    for (const char16_t* action : {u"--help", u"--version", u"--list-languages", u"--list-themes"}) {
        FILE* out = std::fopen(readOnly.FilesystemPath().string().c_str(), "rb");
        FILE* err = std::tmpfile();
        ASSERT_TRUE(out && err);
        EXPECT_EQ(RunCli({action}, stdin, out, err), kCliExitError) << WideToUtf8(action);
        std::rewind(err);
        char line[200] = "";
        EXPECT_TRUE(std::fgets(line, sizeof line, err));
        EXPECT_EQ(std::string(line).rfind("lumatype-cli: standard output: cannot write", 0), 0u) << line;
        std::fclose(out);
        std::fclose(err);
    }
}

// Every refusal: exit 2, one line naming the option or file and the reason,
// nothing written.
TEST_F(Cli, RefusesWhatItCannotUseInOneLine) {
    const TempDir dir("lumatype_cli_refusals");
    const WString source = dir.Write("a.c", "int a;\n");
    const WString target = dir.Path("out.html");
    const std::vector<std::pair<std::vector<std::filesystem::path>, std::string>> refusals = {
        {{u"--start", u"abc", source}, "--start"},
        {{u"--start", u"0", source}, "--start"},
        {{u"--start", u"-5", source}, "--start"},
        {{u"--start", u"7x", source}, "--start"},
        {{u"--start", u"2147483648", source}, "--start"},
        {{u"--start", u"99999999999", source}, "--start"},
        {{u"--start=", source}, "--start"},
        {{u"-l", u"c", u"--lang", u"cpp", source}, "--lang is given twice"},
        {{u"-n", u"--no-line-numbers", source}, "--no-line-numbers is given twice"},
        {{u"--list-languages", source}, "--list-languages takes no file"},
        {{u"--list-themes", u"--list-languages"}, "exclude each other"},
        {{u"--bogus", source}, "unknown option '--bogus'"},
        {{u"--markup", u"css", source}, "--markup takes style or font, not 'css'"},
        {{u"--wrap", u"--no-wrap", source}, "exclude each other"},
        {{u"-x", source}, "unknown option '-x'"},
        {{u"--no-line-numbers=1", source}, "takes no value"},
        {{source, u"--start"}, "--start needs a value"},
        {{u"-o", target, source, source}, "--output names one file"},
        {{source, dir.Write("b.c", "int b;\n")}, "2 files given: name the folder for their NAME.html files with --out-dir"},
        {{u"-o", target, u"--out-dir", dir.Path("o"), source}, "exclude each other"},
        {{u"--out-dir", dir.Path("o"), u"-"}, "standard input"},
        {{u"-r"}, "--recursive needs the files or directories"},
        {{u""}, "an empty argument names no file"},
        {{u"--lang", u"Cobol", source}, "unknown language 'Cobol'"},
        {{u"--theme", u"999", source}, "no colour theme '999'"},
        {{u"--theme", u"1x", source}, "no colour theme '1x'"},
        {{u"--encoding", u"no-such", source}, "unknown encoding 'no-such'"},
        {{u"--config", dir.Path("none.ini"), source}, "cannot read the settings file"},
        {{dir.Path("")}, "is a directory (give -r"},
        {{dir.Path("missing.c")}, "missing.c: cannot read"},
        {{u"--encoding", u"utf-8", dir.Write("latin1.c", "int caf\xE9;\n")}, "latin1.c: not valid UTF-8 at byte 7"},
    };
    for (const auto& [args, reason] : refusals) {
        EXPECT_EQ(Run(args), kCliExitError) << reason;
        ExpectOneErrorLine(reason);
        EXPECT_EQ(errors.find("basic_string"), std::string::npos);
        EXPECT_EQ(output, "");
    }
    EXPECT_FALSE(std::filesystem::exists(target)) << "no output for a refused command";
    EXPECT_FALSE(std::filesystem::exists(dir.Path("a.c.html"))) << "several files write nothing beside them";
}

TEST_F(Cli, StartLineTakesTheWholeRange) {
    ASSERT_EQ(Run({u"--start", u"2147483647"}, "a\n"), 0) << errors;
    EXPECT_NE(output.find(">\r\n2147483647\r\n</td>"), std::string::npos) << output;
    ASSERT_EQ(Run({u"--start=5"}, "a\n"), 0) << errors;
    EXPECT_NE(output.find(">\r\n5\r\n</td>"), std::string::npos);
}

TEST_F(Cli, DoubleDashEndsTheOptions) {
    const TempDir dir("lumatype_cli_dashes");
    dir.Write("-n.c", "int x;\n");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path(""));
    const int status = Run({u"--", u"-n.c"});
    std::filesystem::current_path(previous);
    ASSERT_EQ(status, 0) << errors;
    EXPECT_NE(output.find("<td bgcolor=\"#F0F0F0\""), std::string::npos) << "line numbers: -n.c was a file";
}

TEST_F(Cli, EmptyInputConvertsNothing) {
    EXPECT_EQ(Run({}, ""), 1);
    ExpectOneErrorLine("nothing to convert");
    EXPECT_EQ(output, "");
    EXPECT_EQ(Run({}, "\xEF\xBB\xBF"), 1) << "a byte-order mark alone";
}

TEST_F(Cli, ReportsEncodingsAndNulCharacters) {
    ASSERT_EQ(Run({u"-l", u"c"}, "int caf\xE9;\n"), 0);
    ExpectOneErrorLine("standard input: read as Windows-1252, as it is neither UTF-8 nor Chinese GBK");
    ASSERT_EQ(Run({u"-l", u"c", u"--encoding", u"latin1"}, "int caf\xE9;\n"), 0);
    EXPECT_EQ(errors, "") << "an encoding the user named needs no note";
    ASSERT_EQ(Run({u"-l", u"c"}, std::string("a\nb\0c\n", 6)), 0);
    ExpectOneErrorLine("1 control character (NUL, ESC and the like) kept as U+FFFD, the first on line 2");
    EXPECT_NE(output.find("b\xEF\xBF\xBD" "c"), std::string::npos) << "the rest of the text is kept";
}

TEST_F(Cli, FullPageWrapsTheSameFragment) {
    const TempDir dir("lumatype_cli_page");
    const WString source = dir.Write("R&D.c", "int a;\n");
    ASSERT_EQ(Run({source}), 0) << errors;
    const std::string fragment = output;
    ASSERT_EQ(Run({u"--full-page", source}), 0) << errors;
    EXPECT_EQ(output, "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
                      "<title>R&amp;D.c</title>\r\n</head>\r\n<body>\r\n" +
                          fragment + "</body>\r\n</html>\r\n");
    EXPECT_NE(PageHead(u"<a href=\"x\">").find(u"<title>&lt;a href=&quot;x&quot;&gt;</title>"), WString::npos);
}

TEST_F(Cli, ListsLanguagesAndThemes) {
    ASSERT_EQ(Run({u"--list-languages"}), 0);
    EXPECT_EQ(output.rfind("C/C++\t.c;.h;", 0), 0u) << output;
    EXPECT_NE(output.find("\nJavaScript\t.js;"), std::string::npos) << output;
    ASSERT_EQ(Run({u"--list-themes"}), 0);
    EXPECT_EQ(output.rfind("1\t", 0), 0u) << output;
    for (const char16_t* version : {u"--version", u"-V"}) {
        EXPECT_EQ(Run({version}), 0);
        EXPECT_EQ(output.rfind("lumatype-cli ", 0), 0u);
    }
    for (const char16_t* help : {u"--help", u"-h"}) {
        EXPECT_EQ(Run({help}), 0);
        EXPECT_NE(output.find("usage: lumatype-cli"), std::string::npos);
    }
}

}  // namespace
