#include "cli/batch.h"

#include <algorithm>
#include <set>
#include <system_error>
#include "cli/file_identity.h"
#include "cli/path_text.h"

namespace fs = std::filesystem;

namespace {

struct BatchFile {
    fs::path path;
    fs::path output;
    bool named = false;                     // given on the command line, not found under a directory
    const CliLanguage* language = nullptr;  // of a file found under a directory: none skips it
    std::string failure;                    // set when the file cannot even be listed
};

fs::path OutputBeside(const fs::path& path) {
    fs::path output = path;
    output += ".html";
    return output;
}

class Planner {
public:
    Planner(const BatchRequest& request, const CliConfig& config) : request_(request), config_(config) {
        if (request.outDir) outDir_ = IdentifyFile(*request.outDir);
    }

    std::vector<BatchFile> Plan() {
        for (const fs::path& input : request_.inputs) AddInput(input);
        DropOwnOutputs();
        return std::move(files_);
    }

private:
    fs::path OutputFor(const fs::path& path, const fs::path& relative) const {
        return request_.outDir ? OutputBeside(*request_.outDir / relative) : OutputBeside(path);
    }

    void AddInput(const fs::path& path) {
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (error) return Fail(path, "cannot read: " + error.message());
        if (!fs::is_directory(status)) {
            files_.push_back({path, OutputFor(path, path.filename()), true, request_.language, {}});
            return;
        }
        if (!request_.recursive) return Fail(path, "is a directory (give -r to convert the files under it)");
        AddTree(path, path);
    }

    // Regular files only: a FIFO or device inside a tree would block or
    // never end. Links to directories are not followed, so no tree loops,
    // and the output directory is not entered, so no run converts the
    // outputs of the one before.
    void AddTree(const fs::path& root, const fs::path& directory) {
        std::error_code error;
        std::vector<fs::directory_entry> entries;
        for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error))
            entries.push_back(*it);
        if (error) return Fail(directory, "cannot read the directory: " + error.message());
        std::sort(entries.begin(), entries.end());
        for (const fs::directory_entry& entry : entries) {
            if (entry.is_directory(error) && !entry.is_symlink(error)) {
                if (!outDir_ || !(IdentifyFile(entry.path()) == outDir_)) AddTree(root, entry.path());
            } else if (entry.is_regular_file(error)) {
                const CliLanguage* language =
                    request_.language ? request_.language : config_.ForFileName(PathText(entry.path().filename()));
                files_.push_back(
                    {entry.path(), OutputFor(entry.path(), entry.path().lexically_relative(root)), false, language, {}});
            }
        }
    }

    // NAME.html beside a NAME this run converts is that file's output, left
    // by an earlier run: not a file of the tree, under whatever spelling of
    // the path.
    void DropOwnOutputs() {
        std::set<FileIdentity> outputs;
        for (const BatchFile& file : files_)
            if (file.failure.empty() && (file.named || file.language))
                if (const std::optional<FileIdentity> output = IdentifyFile(file.output)) outputs.insert(*output);
        files_.erase(std::remove_if(files_.begin(), files_.end(),
                                    [&outputs](const BatchFile& file) {
                                        if (file.named) return false;
                                        const std::optional<FileIdentity> identity = IdentifyFile(file.path);
                                        return identity && outputs.count(*identity) > 0;
                                    }),
                     files_.end());
    }

    void Fail(const fs::path& path, const std::string& why) { files_.push_back({path, {}, true, nullptr, why}); }

    const BatchRequest& request_;
    const CliConfig& config_;
    std::optional<FileIdentity> outDir_;
    std::vector<BatchFile> files_;
};

// What keeps a file from being converted: its output would replace an
// input (through any name or link) or another file's output. Empty when
// nothing does.
class OutputGuard {
public:
    explicit OutputGuard(const std::vector<BatchFile>& files) {
        for (const BatchFile& file : files)
            if (const std::optional<FileIdentity> identity = IdentifyFile(file.path)) inputs_.insert(*identity);
    }

    std::string Refusal(const BatchFile& file) {
        const std::string output = ShownPath(file.output);
        const std::optional<FileIdentity> existing = IdentifyFile(file.output);
        if (existing && inputs_.count(*existing)) return "not converted: its output " + output + " is one of the inputs";
        if (!outputs_.insert(file.output.lexically_normal()).second)
            return "not converted: its output " + output + " is another input's";
        return {};
    }

private:
    std::set<FileIdentity> inputs_;
    std::set<fs::path> outputs_;
};

}  // namespace

int RunBatch(const BatchRequest& request, const CliConfig& config, Converter& converter, Reporter& reporter) {
    const std::vector<BatchFile> files = Planner(request, config).Plan();
    OutputGuard guard(files);
    size_t converted = 0, skipped = 0, failed = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        reporter.Progress(i, files.size());
        const BatchFile& file = files[i];
        const std::string name = ShownPath(file.path);
        if (!file.failure.empty()) {
            reporter.Line(name, file.failure);
            ++failed;
            continue;
        }
        if (!file.named && !file.language) {
            ++skipped;
            continue;
        }
        if (const std::string refusal = guard.Refusal(file); !refusal.empty()) {
            reporter.Line(name, refusal);
            ++failed;
            continue;
        }
        std::error_code error;
        if (file.output.has_parent_path() && (fs::create_directories(file.output.parent_path(), error), error)) {
            reporter.Line(ShownPath(file.output.parent_path()), "cannot create the directory: " + error.message());
            ++failed;
            continue;
        }
        switch (converter.Convert({file.path, name, false}, file.language, {file.output})) {
            case Outcome::Converted: ++converted; break;
            case Outcome::NothingToConvert: ++skipped; break;
            case Outcome::Failed: ++failed; break;
        }
    }
    reporter.EndProgress();
    reporter.Line(std::to_string(converted) + " converted, " + std::to_string(skipped) + " skipped, " +
                  std::to_string(failed) + " failed");
    return failed ? 1 : 0;
}
