#include "cli/batch.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace {

struct BatchFile {
    fs::path path;
    fs::path output;
    std::string failure;  // set when the file cannot even be listed
};

std::string Shown(const fs::path& path) { return path.u8string(); }

fs::path OutputBeside(const fs::path& path) {
    fs::path output = path;
    output += ".html";
    return output;
}

class Planner {
public:
    Planner(const BatchRequest& request) : request_(request) {}

    std::vector<BatchFile> Plan() {
        for (const WString& input : request_.inputs) AddInput(fs::path(input));
        return std::move(files_);
    }

private:
    fs::path OutputFor(const fs::path& path, const fs::path& relative) const {
        return request_.outDir ? OutputBeside(fs::path(*request_.outDir) / relative) : OutputBeside(path);
    }

    void AddInput(const fs::path& path) {
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (error) return Fail(path, "cannot read: " + error.message());
        if (!fs::is_directory(status)) return files_.push_back({path, OutputFor(path, path.filename()), {}});
        if (!request_.recursive) return Fail(path, "is a directory (give -r to convert the files under it)");
        AddTree(path, path);
    }

    // Regular files only: a FIFO or device inside a tree would block or
    // never end. Links to directories are not followed, so no tree loops.
    void AddTree(const fs::path& root, const fs::path& directory) {
        std::error_code error;
        std::vector<fs::directory_entry> entries;
        for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error))
            entries.push_back(*it);
        if (error) return Fail(directory, "cannot read the directory: " + error.message());
        std::sort(entries.begin(), entries.end());
        for (const fs::directory_entry& entry : entries) {
            if (entry.is_directory(error) && !entry.is_symlink(error))
                AddTree(root, entry.path());
            else if (entry.is_regular_file(error))
                files_.push_back({entry.path(), OutputFor(entry.path(), entry.path().lexically_relative(root)), {}});
        }
    }

    void Fail(const fs::path& path, const std::string& why) { files_.push_back({path, {}, why}); }

    const BatchRequest& request_;
    std::vector<BatchFile> files_;
};

}  // namespace

int RunBatch(const BatchRequest& request, const CliConfig& config, Converter& converter, Reporter& reporter) {
    const std::vector<BatchFile> files = Planner(request).Plan();
    size_t converted = 0, skipped = 0, failed = 0;
    std::set<fs::path> outputs;
    for (size_t i = 0; i < files.size(); ++i) {
        reporter.Progress(i, files.size());
        const BatchFile& file = files[i];
        const std::string name = Shown(file.path);
        if (!file.failure.empty()) {
            reporter.Line(name, file.failure);
            ++failed;
            continue;
        }
        const CliLanguage* language = request.language ? request.language : config.ForFileName(file.path.u16string());
        if (!language) {
            ++skipped;
            continue;
        }
        std::error_code error;
        if (!outputs.insert(file.output.lexically_normal()).second) {
            reporter.Line(name, "not converted: its output " + Shown(file.output) + " is another input's");
            ++failed;
            continue;
        }
        if (file.output.has_parent_path() && (fs::create_directories(file.output.parent_path(), error), error)) {
            reporter.Line(Shown(file.output.parent_path()), "cannot create the directory: " + error.message());
            ++failed;
            continue;
        }
        switch (converter.Convert({file.path, name}, language, {file.output})) {
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
