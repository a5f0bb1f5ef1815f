// Batch conversion over a small tree: three languages, an extension no
// language claims and a file that cannot be read; outputs that would
// replace inputs, files told by their first line, names of any bytes.
#include <gtest/gtest.h>
#include <filesystem>
#include <map>
#include "tests/cli/cli_runner.h"
#include "tests/support/temp_file.h"
#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

// A file the command line finds but cannot read, for as long as it lives.
class UnreadableFile {
public:
#ifdef _WIN32
    // Opened with no sharing: no one else may open it meanwhile.
    explicit UnreadableFile(const fs::path& path) {
        WriteWholeFile(path, "int hidden;\n");
        handle_ = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    }
    ~UnreadableFile() { CloseHandle(handle_); }

private:
    HANDLE handle_;
#else
    // A link to a file that fails every read, whoever runs the test.
    explicit UnreadableFile(const fs::path& path) { fs::create_symlink("/proc/self/mem", path); }
#endif
};

class Batch : public CliRunner {
protected:
    Batch() {
        for (const char* folder : {"src/lib", "src/web", "other"}) fs::create_directories(fs::path(dir_.Path(folder)));
        dir_.Write("src/main.c", "int main(void) { return 0; }\n");
        dir_.Write("src/lib/util.py", "def util():\n    return 1\n");
        dir_.Write("src/web/app.js", "const app = () => 1;\n");
        dir_.Write("src/notes.xyz", "not code\n");
    }
    fs::path Dir() const { return fs::path(dir_.Path("")); }
    // What a single conversion writes for the file.
    std::string Single(const fs::path& path) {
        EXPECT_EQ(Run({path}), 0) << errors;
        return output;
    }

    TempDir dir_{"lumatype_batch"};
};

TEST_F(Batch, ConvertsATreeIntoAMirroredOutputDirectory) {
    const UnreadableFile unreadable(Dir() / "src" / "secret.c");
    EXPECT_EQ(Run({u"-r", dir_.Path("src"), u"--out-dir", dir_.Path("html")}), 1);
    EXPECT_EQ(output, "");
    const std::string batchErrors = errors;
    EXPECT_NE(batchErrors.find("secret.c: cannot read"), std::string::npos) << batchErrors;
    EXPECT_EQ(batchErrors.substr(batchErrors.rfind("lumatype-cli: ")), "lumatype-cli: 3 converted, 1 skipped, 1 failed\n");
    const fs::path html = Dir() / "html";
    EXPECT_EQ(ReadWholeFile(html / "main.c.html"), Single(Dir() / "src" / "main.c"));
    EXPECT_EQ(ReadWholeFile(html / "lib" / "util.py.html"), Single(Dir() / "src" / "lib" / "util.py"));
    EXPECT_EQ(ReadWholeFile(html / "web" / "app.js.html"), Single(Dir() / "src" / "web" / "app.js"));
    EXPECT_FALSE(fs::exists(html / "notes.xyz.html"));
    EXPECT_FALSE(fs::exists(html / "secret.c.html"));
}

TEST_F(Batch, WritesBesideEachFileAndTakesEveryFileWithALanguageGiven) {
    EXPECT_EQ(Run({u"-r", dir_.Path("src")}), 0) << errors;
    EXPECT_TRUE(fs::exists(Dir() / "src" / "lib" / "util.py.html"));
    EXPECT_EQ(errors, "lumatype-cli: 3 converted, 1 skipped, 0 failed\n");
    EXPECT_EQ(Run({u"--lang", u"c", dir_.Path("src/notes.xyz"), dir_.Path("src/main.c"), u"--out-dir", dir_.Path("src")}), 0)
        << errors;
    EXPECT_EQ(errors, "lumatype-cli: 2 converted, 0 skipped, 0 failed\n");
    EXPECT_EQ(ReadWholeFile(Dir() / "src" / "notes.xyz.html"), Single(Dir() / "src" / "notes.xyz"));
}

TEST_F(Batch, CountsInputsItCannotTakeAsFailed) {
    dir_.Write("other/main.c", "int other;\n");
    EXPECT_EQ(Run({dir_.Path("src"), dir_.Path("missing.c"), dir_.Path("src/main.c"), dir_.Path("other/main.c"),
                   u"--out-dir", dir_.Path("html")}),
              1);
    EXPECT_NE(errors.find("is a directory (give -r"), std::string::npos) << errors;
    EXPECT_NE(errors.find("missing.c: cannot read"), std::string::npos) << errors;
    EXPECT_NE(errors.find("its output"), std::string::npos) << "two inputs, one output name";
    EXPECT_EQ(errors.substr(errors.rfind("lumatype-cli: ")), "lumatype-cli: 1 converted, 0 skipped, 3 failed\n");
    EXPECT_EQ(ReadWholeFile(Dir() / "html" / "main.c.html"), Single(Dir() / "src" / "main.c"));
}

// Every file under a folder, with the HTML of each (or "" where there is none).
std::map<fs::path, std::string> Tree(const fs::path& root) {
    std::map<fs::path, std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files[entry.path().lexically_relative(root)] = ReadWholeFile(entry.path());
    return files;
}

TEST_F(Batch, RunningTwiceChangesNothingButTheOutputs) {
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(Run({u"-r", dir_.Path("src")}), 0) << errors;
        EXPECT_EQ(errors, "lumatype-cli: 3 converted, 1 skipped, 0 failed\n") << "run " << run;
    }
    // The tree itself as the output directory, spelled another way.
    EXPECT_EQ(Run({u"-r", dir_.Path("src"), u"--out-dir", dir_.Path("src/lib/..")}), 0) << errors;
    EXPECT_EQ(errors, "lumatype-cli: 3 converted, 1 skipped, 0 failed\n");
    const std::map<fs::path, std::string> beside = Tree(Dir() / "src");
    EXPECT_EQ(beside.size(), 7u) << "four files and three outputs, no NAME.html.html";
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(Run({u"-r", dir_.Path("src"), u"--out-dir", dir_.Path("src/html")}), 0) << errors;
        EXPECT_FALSE(fs::exists(Dir() / "src" / "html" / "html")) << "run " << run;
    }
    // The outputs beside the files are files of the tree for an output
    // directory elsewhere; the output directory itself is not.
    EXPECT_EQ(errors, "lumatype-cli: 6 converted, 1 skipped, 0 failed\n");
}

TEST_F(Batch, NoOutputReplacesAnInputWhateverItsName) {
    const WString hand = dir_.Write("other/hand.c", "int hand;\n");
    const WString page = dir_.Write("other/hand.c.html", "<p>written by hand</p>");
    EXPECT_EQ(Run({hand, page, u"--out-dir", dir_.Path("other")}), 1);
    EXPECT_NE(errors.find("hand.c: not converted: its output"), std::string::npos) << errors;
    EXPECT_NE(errors.find("is one of the inputs"), std::string::npos) << errors;
    EXPECT_EQ(ReadWholeFile(page), "<p>written by hand</p>");
    EXPECT_TRUE(fs::exists(Dir() / "other" / "hand.c.html.html"));

    // Another name of an input, a link the output would write through.
    fs::create_directories(Dir() / "html");
    fs::create_hard_link(Dir() / "src" / "main.c", Dir() / "html" / "app.js.html");
    EXPECT_EQ(Run({dir_.Path("src/main.c"), dir_.Path("src/web/app.js"), u"--out-dir", dir_.Path("html")}), 1);
    EXPECT_EQ(ReadWholeFile(Dir() / "src" / "main.c"), "int main(void) { return 0; }\n");

    const std::string source = ReadWholeFile(Dir() / "src" / "main.c");
    for (const char* output : {"src/main.c", "html/app.js.html"}) {
        EXPECT_EQ(Run({u"-o", dir_.Path(output), dir_.Path("src/main.c")}), kCliExitError) << output;
        ExpectOneErrorLine("is the input file");
        EXPECT_EQ(ReadWholeFile(Dir() / "src" / "main.c"), source);
    }
}

TEST_F(Batch, NamedFilesAreToldByTheirFirstLineAndFailWhenNothingTells) {
    const WString script = dir_.Write("src/tool", "#!/usr/bin/env python3\nimport os\n");
    const WString notes = dir_.Write("src/NOTES", "plain words\n");
    EXPECT_EQ(Run({script, notes, u"--out-dir", dir_.Path("html")}), 1);
    EXPECT_NE(errors.find("NOTES: not converted: language not told by its extension or its first line"),
              std::string::npos)
        << errors;
    EXPECT_EQ(errors.substr(errors.rfind("lumatype-cli: ")), "lumatype-cli: 1 converted, 0 skipped, 1 failed\n");
    EXPECT_EQ(ReadWholeFile(Dir() / "html" / "tool.html"), Single(Dir() / "src" / "tool"));
    EXPECT_FALSE(fs::exists(Dir() / "html" / "NOTES.html"));
    // Found under a folder, the extension alone decides.
    EXPECT_EQ(Run({u"-r", dir_.Path("src"), u"--out-dir", dir_.Path("tree")}), 0) << errors;
    EXPECT_EQ(errors, "lumatype-cli: 3 converted, 3 skipped, 0 failed\n");
}

// Natively a name is bytes, whether or not they are UTF-8; on Windows, UTF-16
// beyond the basic plane.
TEST_F(Batch, TakesAnyFileName) {
#ifdef _WIN32
    const fs::path odd(u"\u00E9t\u00E9\U0001F600");
#else
    const fs::path odd("\xE9t\xFF");
#endif
    const fs::path src = Dir() / "src";
    fs::path oddFile = src / odd;
    oddFile += ".c";
    WriteWholeFile(oddFile, "int odd;\n");
    fs::create_directories(src / odd);
    WriteWholeFile(src / odd / "inner.py", "x = 1\n");
    EXPECT_EQ(Run({u"-r", src}), 0) << errors;
    EXPECT_EQ(errors, "lumatype-cli: 5 converted, 1 skipped, 0 failed\n");
    fs::path oddOutput = oddFile;
    oddOutput += ".html";
    EXPECT_EQ(ReadWholeFile(oddOutput), Single(oddFile));
    EXPECT_EQ(ReadWholeFile(src / odd / "inner.py.html"), Single(src / odd / "inner.py"));

    fs::path page = Dir() / odd;
    page += ".html";
    ASSERT_EQ(Run({u"-o", page, src / odd / "inner.py"}), 0) << errors;
    EXPECT_EQ(ReadWholeFile(page), Single(src / odd / "inner.py"));
    EXPECT_EQ(Run({src / odd / "missing.c"}), kCliExitError);
#ifndef _WIN32
    ExpectOneErrorLine("/\\xE9t\\xFF/missing.c: cannot read");
#endif
}

}  // namespace
