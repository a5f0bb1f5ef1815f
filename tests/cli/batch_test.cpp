// Batch conversion over a small tree: three languages, an extension no
// language claims and a file that cannot be read.
#include <gtest/gtest.h>
#include <filesystem>
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
        EXPECT_EQ(Run({path.u16string()}), 0) << errors;
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
    EXPECT_EQ(Run({u"--lang", u"c", dir_.Path("src/notes.xyz"), dir_.Path("src/main.c")}), 0) << errors;
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

}  // namespace
