#pragma once
// One input converted to one destination; every note and failure is one
// line on the error stream, naming the file.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include "cli/cli_config.h"
#include "config/code_text.h"

// Lines for the user: "lumatype-cli: SUBJECT: MESSAGE", and a progress line
// that rewrites itself while a long run goes on at a terminal.
class Reporter {
public:
    explicit Reporter(FILE* stream);
    void Line(const std::string& subject, const std::string& message);
    void Line(const std::string& message);
    // Shown once the run has taken a second, and only at a terminal.
    void Progress(size_t done, size_t total);
    void EndProgress();

private:
    FILE* stream_;
    bool terminal_;
    std::chrono::steady_clock::time_point start_, lastProgress_;
    bool progressShown_ = false;
};

// What every conversion of one run shares.
struct ConversionSetup {
    const CliConfig* config;
    ColorTheme theme;
    bool lineNumbers = true;
    WString startLine = u"1";
    std::optional<NamedEncoding> encoding;
    bool fullPage = false;
};

struct Source {
    std::optional<std::filesystem::path> path;  // none: the input stream
    std::string name;                           // as messages show it
    // When neither the extension nor the first line tells the language: the
    // configured default, with a note; else the source fails, so that no
    // file of several is converted as a language no one chose.
    bool takesDefaultLanguage = true;
};

struct Destination {
    std::optional<std::filesystem::path> file;  // none: the output stream
};

enum class Outcome { Converted, NothingToConvert, Failed };

class Converter {
public:
    Converter(const ConversionSetup& setup, Reporter& reporter, FILE* input, FILE* output)
        : setup_(setup), reporter_(reporter), input_(input), output_(output) {}

    // Without a language: by the file's extension, else its first line, else
    // the configured default, which a line on the error stream then names
    // (or a failure, as the source asks).
    Outcome Convert(const Source& source, const CliLanguage* language, const Destination& destination);

private:
    const CliLanguage* ChooseLanguage(const Source& source, WStringView code);
    void ReportDecoding(const Source& source, const DecodedText& decoded);
    bool Write(const Source& source, const CliLanguage& language, const CodeText& code, const Destination& destination);

    const ConversionSetup& setup_;
    Reporter& reporter_;
    FILE* input_;
    FILE* output_;
};

// The escaped title and the page around a fragment for --full-page.
WString PageHead(WStringView title);
extern const char16_t kPageTail[];
