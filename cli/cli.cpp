#include "cli/cli.h"

#include <new>
#include "base/module_path.h"
#include "cli/batch.h"
#include "cli/cli_config.h"
#include "cli/cli_options.h"
#include "cli/conversion.h"
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
    if (!options.inputs.empty() && options.inputs.front() != u"-") {
        source.path = std::filesystem::path(options.inputs.front());
        source.name = source.path->u8string();
        std::error_code error;
        if (std::filesystem::is_directory(*source.path, error))
            throw UsageError{source.name + ": is a directory (give -r to convert the files under it)"};
    }
    Destination destination;
    if (options.output && *options.output != u"-") destination.file = std::filesystem::path(*options.output);
    switch (converter.Convert(source, language, destination)) {
        case Outcome::Converted: return 0;
        case Outcome::NothingToConvert: return kCliExitNothingToConvert;
        case Outcome::Failed: break;
    }
    return kCliExitError;
}

int Run(const std::vector<WString>& args, FILE* in, FILE* out, Reporter& reporter) {
    const CliOptions options = ParseCliArguments(args);
    if (options.action == CliAction::Help) return fputs(kCliUsage, out), 0;
    if (options.action == CliAction::Version) return fputs(kVersion, out), 0;

    const WString configPath = options.config ? *options.config : DefaultConfigPath();
    CliConfig config;
    if (!config.Load(configPath)) throw UsageError{WideToUtf8(configPath) + ": cannot read the settings file"};
    switch (options.action) {
        case CliAction::ListLanguages: ListLanguages(config, out); return 0;
        case CliAction::ListThemes: ListThemes(config, out); return 0;
        default: return Convert(options, config, in, out, reporter);
    }
}

}  // namespace

int RunCli(const std::vector<WString>& args, FILE* in, FILE* out, FILE* err) {
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
