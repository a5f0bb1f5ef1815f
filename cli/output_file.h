#pragma once
// A file the HTML is written to, safely: the target is touched only once the
// conversion is complete. A regular file (or a new one) is streamed into a
// uniquely named temporary file beside the file the path resolves to through
// symbolic links, which then takes its place atomically and keeps its mode;
// a temporary file never outlives a failure, not even a killed process where
// the platform allows (an unnamed file natively, delete-on-close on Windows).
// Anything else, such as a device or a FIFO, is written directly.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

class OutputFile {
public:
    // Empty with the reason in `error` when the target cannot be written.
    static std::unique_ptr<OutputFile> Open(const std::filesystem::path& target, std::string& error);
    // Without Commit: the temporary file is removed, the target left as it was.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    FILE* Stream() const { return stream_; }
    // Completes the target; false with the reason in `error`.
    bool Commit(std::string& error);

    struct Platform;  // what each platform's backend keeps

private:
    OutputFile(std::unique_ptr<Platform> platform, FILE* stream);

    std::unique_ptr<Platform> platform_;
    FILE* stream_;
};

// The name of the temporary file beside `resolvedTarget` for one attempt;
// later attempts take the next number when a file of that name exists, which
// is never touched.
std::filesystem::path TemporaryPath(const std::filesystem::path& resolvedTarget, long processId, unsigned attempt);

// Whether a stream is an interactive terminal, for progress lines.
bool IsTerminal(FILE* stream);
