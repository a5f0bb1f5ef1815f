#pragma once
// Several inputs, or every file under directories (-r): each converted to
// NAME.html beside it, or under an output directory that mirrors the tree.
// No output ever replaces an input, and a tree's own outputs are no inputs,
// so running the same command again changes nothing but the outputs.
#include <filesystem>
#include <optional>
#include <vector>
#include "cli/conversion.h"

struct BatchRequest {
    std::vector<std::filesystem::path> inputs;
    bool recursive = false;
    std::optional<std::filesystem::path> outDir;
    // --lang. Else a file named on the command line is told by its extension,
    // then its first line, and fails when neither tells; a file found under
    // a directory is told by its extension alone, and skipped without one.
    const CliLanguage* language = nullptr;
};

// Ends with a summary line; 1 when any file failed, else 0.
int RunBatch(const BatchRequest& request, const CliConfig& config, Converter& converter, Reporter& reporter);
