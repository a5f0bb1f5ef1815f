#pragma once
// The command line's arguments.
#include <optional>
#include <string>
#include <vector>
#include "base/wide.h"

enum class CliAction { Convert, ListLanguages, ListThemes, Help, Version };

struct CliOptions {
    CliAction action = CliAction::Convert;
    std::optional<WString> config, language, theme, encoding, output, outDir, startLine, markup;
    bool noLineNumbers = false, tabStops = false, fullPage = false, recursive = false;
    bool noWrap = false, wrap = false;  // override [Common] no_wrap one way or the other
    std::vector<WString> inputs;  // "-" is standard input; none means standard input
};

// A command line that cannot be run; the message names the option or file
// and the reason.
struct UsageError {
    std::string message;
};

// Throws UsageError.
CliOptions ParseCliArguments(const std::vector<WString>& args);

extern const char kCliUsage[];
