#pragma once
// The round trip over real files: a file converted as lumatype-cli converts
// it, with the tags stripped and the entities read back as a browser shows
// them, must give back its text line for line (tabs expanded, line ends
// normalised), and the code cell must hold one line break fewer than the
// number column holds numbers.
#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include "base/wide.h"
#include "cli/cli_config.h"

// How the configured tab width lays out a tab.
struct TabRule {
    int width;
    bool stops;  // to the next multiple of width, counted in characters from the line start
};
TabRule TabRuleOf(const AppSettings& settings);

// The first way `html`, the command line's output with line numbers from 1,
// fails to give back `code`; nothing when it gives it back.
std::optional<std::string> FindRoundTripFault(WStringView code, std::string_view html, TabRule tabs);

enum class RoundTripOutcome {
    Passed,
    Failing,
    Refused,  // the command line does not take the bytes as text
    Skipped,  // not on this host, or unreadable
};
struct RoundTripResult {
    RoundTripOutcome outcome;
    std::string detail;  // the fault of a failing file
};

// Converts files in-process with the settings lumatype-cli reads by default
// (Lumatype.ini beside the program), each in the language of its extension.
class RoundTripChecker {
public:
    // False when the settings cannot be read.
    bool Load();
    // By name, extension or alias, as --lang finds it; null when none.
    const CliLanguage* FindLanguage(WStringView key) const { return config_.Find(key); }
    // In `language`, or when it is null in the language of the file's name.
    RoundTripResult Check(const std::string& path, const CliLanguage* language = nullptr) const;

private:
    CliConfig config_;
    ColorTheme theme_{};
    TabRule tabs_{};
};

// Counts of one run and the failing files in the order they were met.
struct CorpusTally {
    size_t checked = 0;
    size_t refused = 0;
    size_t skipped = 0;
    std::vector<std::string> failing;  // "path: fault"
    std::vector<std::string> refusedPaths;

    void Add(const std::string& path, const RoundTripResult& result);
    std::string Summary() const;
};
