#pragma once
// Several inputs, or every file under directories (-r): each converted to
// NAME.html beside it, or under an output directory that mirrors the tree.
#include <optional>
#include <vector>
#include "cli/conversion.h"

struct BatchRequest {
    std::vector<WString> inputs;
    bool recursive = false;
    std::optional<WString> outDir;
    const CliLanguage* language = nullptr;  // --lang; else by extension, and files without one are skipped
};

// Ends with a summary line; 1 when any file failed, else 0.
int RunBatch(const BatchRequest& request, const CliConfig& config, Converter& converter, Reporter& reporter);
