#include "cli/cli.h"

#include <cerrno>
#include <cstring>
#include <new>
#include "base/module_path.h"
#include "cli/batch.h"
#include "cli/cli_config.h"
#include "cli/cli_options.h"
#include "cli/conversion.h"
#include "cli/file_identity.h"
#include "cli/path_text.h"
#include "lumatype_version.h"

namespace {

constexpr char kVersion[] = "lumatype-cli " LUMATYPE_VERSION "\n";
constexpr int kCliExitNothingToConvert = 1;

std::string Quoted(WStringView text) { return "'" + WideToUtf8(text) + "'"; }

WString DefaultConfigPath() {
    char16_t path[kMaxPath];
    if (!ModulePath(path, u"Lumatype.ini")) throw UsageError{"cannot find the program's directory for Lumatype.ini"};
    return path;
}

void PrintLine(FILE* out, const WString& line) { fprintf(out, "%s\n", WideToUtf8(line).c_str()); }

void ListLanguages(const CliConfig& config, FILE* out) {
    for (const CliLanguage& language : config.Languages()) {
        WString line = language.info->name;
        if (!language.extensions.empty() || !language.aliases.empty()) line += u"\t" + language.extensions;
        if (!language.aliases.empty()) line += u"\t" + language.aliases;
        PrintLine(out, line);
    }
}

void ListThemes(const CliConfig& config, FILE* out) {
    for (int32_t n = 1; n <= config.ThemeCount(); ++n) PrintLine(out, FormatInt(n) + u"\t" + config.ThemeName(n));
}

// The HTML would replace the code it was made from, through whatever name
// or link the output takes.
void CheckNotTheInput(const Source& source, const Destination& destination) {
    if (!source.path || !destination.file) return;
    const std::optional<FileIdentity> input = IdentifyFile(*source.path);
    if (input && input == IdentifyFile(*destination.file))
        throw UsageError{ShownPath(*destination.file) + ": is the input file; the output may not replace it"};
}

// A listing or help text that did not reach its destination, such as a
// full disk, is a failure like any other write.
int Finished(FILE* out, Reporter& reporter) {
    if (std::fflush(out) == 0 && !std::ferror(out)) return 0;
    reporter.Line("standard output", std::string("cannot write: ") + std::strerror(errno ? errno : EIO));
    return kCliExitError;
}

ConversionSetup Setup(const CliOptions& options, CliConfig& config) {
    ConversionSetup setup;
    setup.config = &config;
    int32_t theme = config.DefaultTheme();
    if (options.theme) {
        const std::optional<int32_t> found = config.FindTheme(*options.theme);
        if (!found) throw UsageError{"no colour theme " + Quoted(*options.theme) + " (see --list-themes)"};
        theme = *found;
    }
    setup.theme = config.LoadTheme(theme);
    if (options.encoding) {
        setup.encoding = FindEncoding(*options.encoding);
        if (!setup.encoding) throw UsageError{"unknown encoding " + Quoted(*options.encoding)};
    }
    setup.lineNumbers = !options.noLineNumbers;
    if (options.startLine) setup.startLine = *options.startLine;
    setup.fullPage = options.fullPage;
    AppSettings& settings = config.Settings();
    if (options.tabStops) settings.tabStops = true;
    if (options.noWrap || options.wrap) settings.noWrap = options.noWrap;
    if (options.markup) settings.markup = *ParseHtmlMarkup(*options.markup);
    return setup;
}

int Convert(const CliOptions& options, CliConfig& config, FILE* in, FILE* out, Reporter& reporter) {
    const CliLanguage* language = nullptr;
    if (options.language) {
        language = config.Find(*options.language);
        if (!language) throw UsageError{"unknown language " + Quoted(*options.language) + " (see --list-languages)"};
    }
    if (!config.Default()) throw UsageError{"the settings name no enabled language"};
    const ConversionSetup setup = Setup(options, config);
    Converter converter(setup, reporter, in, out);
    if (options.inputs.size() > 1 || options.recursive || options.outDir)
        return RunBatch({options.inputs, options.recursive, options.outDir, language}, config, converter, reporter);

    Source source{std::nullopt, "standard input"};
    if (!options.inputs.empty() && !IsStandardStream(options.inputs.front())) {
        source.path = options.inputs.front();
        source.name = ShownPath(*source.path);
        std::error_code error;
        if (std::filesystem::is_directory(*source.path, error))
            throw UsageError{source.name + ": is a directory (give -r to convert the files under it)"};
    }
    Destination destination;
    if (options.output && !IsStandardStream(*options.output)) destination.file = *options.output;
    CheckNotTheInput(source, destination);
    switch (converter.Convert(source, language, destination)) {
        case Outcome::Converted: return 0;
        case Outcome::NothingToConvert: return kCliExitNothingToConvert;
        case Outcome::Failed: break;
    }
    return kCliExitError;
}

int Run(const std::vector<std::filesystem::path>& args, FILE* in, FILE* out, Reporter& reporter) {
    const CliOptions options = ParseCliArguments(args);
    errno = 0;
    if (options.action == CliAction::Help) return fputs(kCliUsage, out), Finished(out, reporter);
    if (options.action == CliAction::Version) return fputs(kVersion, out), Finished(out, reporter);

    const WString configPath = options.config ? *options.config : DefaultConfigPath();
    CliConfig config;
    if (!config.Load(configPath)) throw UsageError{WideToUtf8(configPath) + ": cannot read the settings file"};
    switch (options.action) {
        case CliAction::ListLanguages: ListLanguages(config, out); return Finished(out, reporter);
        case CliAction::ListThemes: ListThemes(config, out); return Finished(out, reporter);
        default: return Convert(options, config, in, out, reporter);
    }
}

}  // namespace

int RunCli(const std::vector<std::filesystem::path>& args, FILE* in, FILE* out, FILE* err) {
    Reporter reporter(err);
    // Every failure is one line in plain words; no exception's own text
    // reaches the user.
    try {
        return Run(args, in, out, reporter);
    } catch (const UsageError& failure) {
        reporter.Line(failure.message);
    } catch (const std::bad_alloc&) {
        reporter.Line("out of memory");
    } catch (...) {
        reporter.Line("stopped by an unexpected failure");
    }
    return kCliExitError;
}
