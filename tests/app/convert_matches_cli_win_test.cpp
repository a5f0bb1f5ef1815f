#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "main_window_test_support_win.h"
#include "resources/resource.h"

namespace {

std::wstring ProgramDirectory() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path, length);
    return directory.substr(0, directory.find_last_of(L'\\'));
}

// Runs the Windows command line on the file; its HTML, or "" on failure.
std::wstring CliHtml(const std::wstring& file, const wchar_t* language) {
    const std::wstring directory = ProgramDirectory();
    const std::wstring output = directory + L"\\convert_matches_cli.html";
    std::wstring command = L"\"" + directory + L"\\lumatype-cli.exe\" -l \"" + language + L"\" -o \"" + output +
                           L"\" \"" + file + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process))
        return L"";
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    std::wstring html = status == 0 ? ReadUtf8File(output) : L"";
    DeleteFileW(output.c_str());
    return html;
}

struct CorpusFile {
    const char* path;  // under the source tree when relative
    const wchar_t* language;
};

// Real code in every shipped language, read in place.
constexpr CorpusFile kCorpus[] = {
    {"tests/cli/corpus/ring_buffer.c", L"C/C++"},
    {"tests/cli/corpus/tabs.c", L"C/C++"},
    {"tests/cli/corpus/chinese.cpp", L"C/C++"},
    {"tests/cli/corpus/cr_only.c", L"C/C++"},
    {"/usr/include/errno.h", L"C/C++"},
    {"/usr/include/stdlib.h", L"C/C++"},
    {"tests/cli/corpus/Inventory.cs", L"C#"},
    {"tests/cli/corpus/WordCount.java", L"Java"},
    {"tests/cli/corpus/debounce.js", L"JavaScript"},
    {"tests/cli/corpus/utf16le_utf8.js", L"JavaScript"},
    {"tests/cli/corpus/inventory.py", L"Python"},
    {"/usr/lib/python3.11/bisect.py", L"Python"},
    {"tests/cli/corpus/report.sql", L"SQL"},
    {"tests/cli/corpus/crlf.sql", L"SQL"},
};

std::wstring WinePath(const char* path) {
    std::string full = path[0] == '/' ? std::string(path) : std::string(LUMATYPE_SOURCE_DIR) + "/" + path;
    return L"Z:" + std::wstring(full.begin(), full.end());
}

TEST(ConvertMatchesCli, ThePanesTextIsTheCommandLinesHtmlForEveryShippedLanguage) {
    MainWindowUnderTest window(800, 600);
    ASSERT_NE(window.handle(), nullptr);
    int compared = 0;
    for (const CorpusFile& entry : kCorpus) {
        const std::wstring path = WinePath(entry.path);
        const std::wstring code = ReadUtf8File(path);
        if (code.empty()) continue;  // not on this machine
        ASSERT_TRUE(window.SelectLanguage(entry.language)) << entry.path;
        window.SetCode(WithCrLf(code));
        window.Convert();
        const std::wstring expected = CliHtml(path, entry.language);
        ASSERT_FALSE(expected.empty()) << entry.path;
        EXPECT_TRUE(window.Text(IDC_HTML_PANE) == expected) << entry.path;
        ++compared;
    }
    EXPECT_GE(compared, 12);
}

}  // namespace
