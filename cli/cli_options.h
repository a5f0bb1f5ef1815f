#pragma once
// The command line's arguments.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>
#include "base/wide.h"

enum class CliAction { Convert, ListLanguages, ListThemes, Help, Version };

struct CliOptions {
    CliAction action = CliAction::Convert;
    std::optional<WString> config, language, theme, encoding, startLine, markup;
    // Names of files and folders exactly as the system gave them.
    std::optional<std::filesystem::path> output, outDir;
    bool noLineNumbers = false, tabStops = false, fullPage = false, recursive = false;
    bool noWrap = false, wrap = false;  // override [Common] no_wrap one way or the other
    std::vector<std::filesystem::path> inputs;  // "-" is standard input; none means standard input
};

// Whether an argument is "-", standard input or output.
bool IsStandardStream(const std::filesystem::path& argument);

// A command line that cannot be run; the message names the option or file
// and the reason.
struct UsageError {
    std::string message;
};

// The arguments as the system gave them (bytes natively, UTF-16 on
// Windows). Throws UsageError.
CliOptions ParseCliArguments(const std::vector<std::filesystem::path>& args);

extern const char kCliUsage[];
