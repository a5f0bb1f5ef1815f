// lumatype-corpus [--lang NAME] [FILE...]   the round trip over the files
// given (in the language NAME, else each in the language of its name), or over
// every file of the corpus this host has: the headers under /usr/include, the
// Python library, the CMake modules and the shell scripts under /usr/bin and
// /etc, read in place. Prints the counts and the first failing files; exit 1
// when any fails, 2 when the settings cannot be read.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include "tests/corpus/round_trip.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t kFailuresShown = 20;

// Regular files under root (symbolic links left out, so each file counts
// once) that `wanted` accepts. Unreadable folders are passed over.
void Collect(const fs::path& root, bool recursive, const std::function<bool(const fs::path&)>& wanted,
             std::vector<std::string>& files) {
    std::error_code error;
    const auto add = [&](const fs::directory_entry& entry) {
        std::error_code statusError;
        if (entry.symlink_status(statusError).type() == fs::file_type::regular && wanted(entry.path()))
            files.push_back(entry.path().string());
    };
    if (recursive) {
        for (fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error), end;
             !error && it != end; it.increment(error))
            add(*it);
    } else {
        for (fs::directory_iterator it(root, error), end; !error && it != end; it.increment(error)) add(*it);
    }
}

// Folders of `parent` whose names start with `prefix`, such as python3.11.
std::vector<fs::path> Versioned(const fs::path& parent, const std::string& prefix) {
    std::vector<fs::path> folders;
    std::error_code error;
    for (fs::directory_iterator it(parent, error), end; !error && it != end; it.increment(error)) {
        std::error_code kindError;
        if (it->is_directory(kindError) && it->path().filename().string().rfind(prefix, 0) == 0)
            folders.push_back(it->path());
    }
    return folders;
}

// A file ending in .sh or starting with #! and a shell, directly or through env.
bool IsShellScript(const fs::path& path) {
    if (path.extension() == ".sh") return true;
    std::ifstream file(path, std::ios::binary);
    char start[128] = {};
    file.read(start, sizeof start - 1);
    const std::string line(start, std::min<size_t>(std::string_view(start).find('\n'), std::string_view(start).size()));
    if (line.rfind("#!", 0) != 0) return false;
    std::vector<std::string> words;
    for (size_t at = 2; (at = line.find_first_not_of(" \t\r", at)) != std::string::npos;) {
        const size_t end = std::min(line.find_first_of(" \t\r", at), line.size());
        words.push_back(line.substr(at, end - at));
        at = end;
    }
    if (!words.empty() && fs::path(words[0]).filename() == "env") words.erase(words.begin());
    if (words.empty()) return false;
    const std::string shell = fs::path(words[0]).filename().string();
    return shell == "sh" || shell == "bash" || shell == "dash" || shell == "ksh" || shell == "zsh";
}

std::vector<std::string> CorpusFiles() {
    std::vector<std::string> files;
    Collect("/usr/include", true, [](const fs::path&) { return true; }, files);
    for (const fs::path& python : Versioned("/usr/lib", "python3."))
        Collect(python, true, [](const fs::path& path) {
            const std::string text = path.string();
            return path.extension() == ".py" && text.find("/site-packages/") == std::string::npos &&
                   text.find("/dist-packages/") == std::string::npos;
        }, files);
    for (const fs::path& cmake : Versioned("/usr/share", "cmake-"))
        Collect(cmake / "Modules", true, [](const fs::path& path) { return path.extension() == ".cmake"; }, files);
    Collect("/usr/bin", false, IsShellScript, files);
    Collect("/etc", true, IsShellScript, files);
    std::sort(files.begin(), files.end());
    return files;
}

void PrintFirst(const char* heading, const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    std::printf("%s (first %zu of %zu):\n", heading, std::min(kFailuresShown, lines.size()), lines.size());
    for (size_t i = 0; i < lines.size() && i < kFailuresShown; ++i) std::printf("  %s\n", lines[i].c_str());
}

}  // namespace

int main(int argc, char** argv) {
    RoundTripChecker checker;
    if (!checker.Load()) {
        std::fprintf(stderr, "lumatype-corpus: cannot read Lumatype.ini beside the program\n");
        return 2;
    }
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const CliLanguage* language = nullptr;
    if (arguments.size() >= 2 && arguments[0] == "--lang") {
        language = checker.FindLanguage(Utf8ToWide(arguments[1]));
        if (!language) {
            std::fprintf(stderr, "lumatype-corpus: no language %s\n", arguments[1].c_str());
            return 2;
        }
        arguments.erase(arguments.begin(), arguments.begin() + 2);
    }
    const std::vector<std::string> files = arguments.empty() ? CorpusFiles() : arguments;
    CorpusTally tally;
    for (const std::string& file : files) tally.Add(file, checker.Check(file, language));
    PrintFirst("failing", tally.failing);
    PrintFirst("refused by the decoder", tally.refusedPaths);
    std::printf("corpus: %zu files: %s\n", files.size(), tally.Summary().c_str());
    return tally.failing.empty() ? 0 : 1;
}
