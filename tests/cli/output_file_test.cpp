// -o: the target is touched only once the output is complete, keeps what it
// is (a link, its mode, its other names), and no temporary file survives.
#include "cli/output_file.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <set>
#include <thread>
#include "tests/cli/cli_runner.h"
#include "tests/support/temp_file.h"
#ifdef _WIN32
#include <process.h>
#else
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

long ProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return getpid();
#endif
}

std::set<std::string> Names(const fs::path& directory) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory))
        names.insert(entry.path().filename().u8string());
    return names;
}

class OutputFileTest : public CliRunner {
protected:
    fs::path Dir() const { return fs::path(dir_.Path("")); }
    WString Source(const std::string& code = "int a;\n") { return dir_.Write("source.c", code); }
    // The HTML the command line writes to standard output for the source.
    std::string Expected() {
        EXPECT_EQ(Run({Source()}), 0) << errors;
        return output;
    }

    TempDir dir_{"lumatype_output_file"};
};

TEST_F(OutputFileTest, WritesANewFileWithNothingBesideIt) {
    const std::string expected = Expected();
    ASSERT_EQ(Run({u"-o", dir_.Path("out.html"), Source()}), 0) << errors;
    EXPECT_EQ(ReadWholeFile(Dir() / "out.html"), expected);
    EXPECT_EQ(output, "");
    EXPECT_EQ(Names(Dir()), (std::set<std::string>{"out.html", "source.c"}));
}

TEST_F(OutputFileTest, DashIsStandardOutput) {
    const std::string expected = Expected();
    const fs::path previous = fs::current_path();
    fs::current_path(Dir());
    const int status = Run({u"-o", u"-", Source()});
    fs::current_path(previous);
    ASSERT_EQ(status, 0) << errors;
    EXPECT_EQ(output, expected);
    EXPECT_FALSE(fs::exists(Dir() / "-"));
}

TEST_F(OutputFileTest, ANameOfTheTemporaryFileIsNeverTouched) {
    const std::string expected = Expected();
    const fs::path target = Dir() / "out.html";
    // The first name this process would take, and the name older versions used.
    const fs::path first = TemporaryPath(target, ProcessId(), 0);
    WriteWholeFile(first, "someone else's");
    WriteWholeFile(Dir() / "out.html.lumatype-tmp", "someone else's too");
    ASSERT_EQ(Run({u"-o", target.u16string(), Source()}), 0) << errors;
    EXPECT_EQ(ReadWholeFile(target), expected);
    EXPECT_EQ(ReadWholeFile(first), "someone else's");
    EXPECT_EQ(ReadWholeFile(Dir() / "out.html.lumatype-tmp"), "someone else's too");
    EXPECT_EQ(Names(Dir()).size(), 4u);
}

TEST_F(OutputFileTest, EmptyInputLeavesTheTargetAlone) {
    WriteWholeFile(Dir() / "out.html", "old");
    EXPECT_EQ(Run({u"-o", dir_.Path("out.html"), Source("")}), 1);
    ExpectOneErrorLine("nothing to convert");
    EXPECT_EQ(ReadWholeFile(Dir() / "out.html"), "old");
}

TEST_F(OutputFileTest, AFailedConversionLeavesTheTargetAndNoTemporaryFile) {
    WriteWholeFile(Dir() / "out.html", "old");
    EXPECT_EQ(Run({u"--encoding", u"utf-8", u"-o", dir_.Path("out.html"), Source("int caf\xE9;\n")}), kCliExitError);
    ExpectOneErrorLine("not valid UTF-8 at byte 7");
    EXPECT_EQ(ReadWholeFile(Dir() / "out.html"), "old");
    EXPECT_EQ(Names(Dir()), (std::set<std::string>{"out.html", "source.c"}));
}

TEST_F(OutputFileTest, AnAbandonedOutputLeavesNoTrace) {
    WriteWholeFile(Dir() / "out.html", "old");
    std::string error;
    {
        const std::unique_ptr<OutputFile> file = OutputFile::Open(Dir() / "out.html", error);
        ASSERT_TRUE(file) << error;
        std::fputs("partial", file->Stream());
    }
    EXPECT_EQ(ReadWholeFile(Dir() / "out.html"), "old");
    EXPECT_EQ(Names(Dir()), (std::set<std::string>{"out.html"}));
    EXPECT_FALSE(OutputFile::Open(Dir(), error));
    EXPECT_EQ(error, "is a directory");
}

// The folder allows the file to be replaced, but the file is not the user's
// to change: refused as the shell's ">" refuses it. Natively root may write
// any file, so there the case cannot be made.
TEST_F(OutputFileTest, AFileTheUserMayNotWriteIsNotReplaced) {
#ifndef _WIN32
    if (geteuid() == 0) GTEST_SKIP() << "running as root, who may write any file";
#endif
    const fs::path target = Dir() / "kept.html";
    WriteWholeFile(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(Run({u"-o", target, Source()}), kCliExitError);
    ExpectOneErrorLine("kept.html: cannot write: Permission denied");
    fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(ReadWholeFile(target), "old");
    EXPECT_EQ(Names(Dir()), (std::set<std::string>{"kept.html", "source.c"}));
}

#ifdef _WIN32

TEST_F(OutputFileTest, ADeviceIsWrittenDirectly) {
    ASSERT_EQ(Run({u"-o", u"NUL", Source()}), 0) << errors;
    EXPECT_EQ(Names(Dir()), (std::set<std::string>{"source.c"}));
}

#else

TEST_F(OutputFileTest, ASymbolicLinkKeepsPointingAtTheReplacedFile) {
    const std::string expected = Expected();
    fs::create_directory(Dir() / "real");
    WriteWholeFile(Dir() / "real" / "page.html", "old");
    fs::create_symlink("real/page.html", Dir() / "link.html");
    ASSERT_EQ(Run({u"-o", dir_.Path("link.html"), Source()}), 0) << errors;
    EXPECT_TRUE(fs::is_symlink(Dir() / "link.html"));
    EXPECT_EQ(ReadWholeFile(Dir() / "real" / "page.html"), expected);
    EXPECT_EQ(Names(Dir() / "real"), (std::set<std::string>{"page.html"}));
}

TEST_F(OutputFileTest, AReplacedFileKeepsItsModeAndItsOtherNames) {
    const std::string expected = Expected();
    WriteWholeFile(Dir() / "private.html", "old");
    ASSERT_EQ(chmod((Dir() / "private.html").c_str(), 0600), 0);
    fs::create_hard_link(Dir() / "private.html", Dir() / "other-name.html");
    ASSERT_EQ(Run({u"-o", dir_.Path("private.html"), Source()}), 0) << errors;
    struct stat status;
    ASSERT_EQ(stat((Dir() / "private.html").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    EXPECT_EQ(status.st_nlink, 2u);
    EXPECT_EQ(ReadWholeFile(Dir() / "other-name.html"), expected);
    EXPECT_EQ(Names(Dir()).size(), 3u);

    WriteWholeFile(Dir() / "shared.html", "old");
    ASSERT_EQ(chmod((Dir() / "shared.html").c_str(), 0640), 0);
    ASSERT_EQ(Run({u"-o", dir_.Path("shared.html"), Source()}), 0) << errors;
    ASSERT_EQ(stat((Dir() / "shared.html").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadWholeFile(Dir() / "shared.html"), expected);
}

TEST_F(OutputFileTest, AFifoIsWrittenDirectly) {
    const std::string expected = Expected();
    const fs::path fifo = Dir() / "pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = ReadWholeFile(fifo); });
    const int status = Run({u"-o", fifo.u16string(), Source()});
    reader.join();
    ASSERT_EQ(status, 0) << errors;
    EXPECT_EQ(received, expected);
    EXPECT_EQ(Names(Dir()), (std::set<std::string>{"pipe", "source.c"}));
}

TEST_F(OutputFileTest, AWriteThatFailsMidwayLeavesTheTargetAndNoTemporaryFile) {
    std::string big;
    while (big.size() < (1 << 20)) big += "int value = 42; /* a comment */\n";
    WriteWholeFile(Dir() / "out.html", "old");
    // The file size limit makes the write fail once the output is larger.
    struct rlimit previous;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = previous;
    limited.rlim_cur = 1 << 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const int status = Run({u"-o", dir_.Path("out.html"), Source(big)});
    setrlimit(RLIMIT_FSIZE, &previous);
    signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(status, kCliExitError);
    ExpectOneErrorLine("out.html: cannot write");
    EXPECT_EQ(ReadWholeFile(Dir() / "out.html"), "old");
    EXPECT_EQ(Names(Dir()), (std::set<std::string>{"out.html", "source.c"}));
}

TEST_F(OutputFileTest, AKilledProcessLeavesNoTemporaryFile) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::string error;
        const std::unique_ptr<OutputFile> file = OutputFile::Open(Dir() / "out.html", error);
        if (file) std::fputs("partial", file->Stream()), std::fflush(file->Stream());
        raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(Names(Dir()), std::set<std::string>{});
}

#endif

}  // namespace
