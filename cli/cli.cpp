#include "cli/cli.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include "app/helpers.h"
#include "cli/cli_config.h"
#include "cli/code_text.h"
#include "cli/utf8_sink.h"
#include "config/file_io.h"
#include "engine/convert.h"

namespace {

constexpr char kUsage[] =
    "usage: lumatype-cli [--config PATH] [--lang NAME] [--theme N] [--no-line-numbers] [--start N] [-o OUT] "
    "[FILE|-]\n"
    "       lumatype-cli --list-languages | --list-themes | --help | --version\n"
    "\n"
    "Converts source code to the HTML fragment Lumatype's Convert command writes.\n"
    "  --config PATH      settings file (default: Lumatype.ini beside this program)\n"
    "  --lang NAME        language by its name; default: by the file's extension, else the configured default\n"
    "  --theme N          colour theme number (default: the configured one)\n"
    "  --no-line-numbers  leave out the line-number column\n"
    "  --start N          number of the first line (default 1)\n"
    "  -o OUT             write the HTML to OUT instead of standard output\n";
constexpr char kVersion[] = "lumatype-cli 1.0\n";

struct Options {
    std::optional<WString> config, language, theme, output, input;
    WString startLine = u"1";
    bool lineNumbers = true;
    enum class Action { Convert, ListLanguages, ListThemes, Help, Version } action = Action::Convert;
};

// A failure the user is told about in one line.
struct Failure {
    std::string message;
};

Options ParseArguments(const std::vector<WString>& args) {
    Options options;
    for (size_t i = 0; i < args.size(); ++i) {
        WString arg = args[i];
        std::optional<WString> attached;
        const size_t equals = arg.find(u'=');
        if (arg.rfind(u"--", 0) == 0 && equals != WString::npos) {
            attached = arg.substr(equals + 1);
            arg.resize(equals);
        }
        auto value = [&]() -> WString {
            if (attached) return *attached;
            if (i + 1 >= args.size()) throw Failure{"option " + WideToUtf8(arg) + " needs a value"};
            return args[++i];
        };
        if (arg == u"--config") options.config = value();
        else if (arg == u"--lang") options.language = value();
        else if (arg == u"--theme") options.theme = value();
        else if (arg == u"--start") options.startLine = value();
        else if (arg == u"-o" || arg == u"--output") options.output = value();
        else if (arg == u"--no-line-numbers" && !attached) options.lineNumbers = false;
        else if (arg == u"--list-languages" && !attached) options.action = Options::Action::ListLanguages;
        else if (arg == u"--list-themes" && !attached) options.action = Options::Action::ListThemes;
        else if (arg == u"--help" && !attached) options.action = Options::Action::Help;
        else if (arg == u"--version" && !attached) options.action = Options::Action::Version;
        else if ((arg == u"-" || arg[0] != u'-') && !options.input) options.input = arg;
        else throw Failure{"unknown or misplaced argument: " + WideToUtf8(args[i])};
    }
    return options;
}

WString DefaultConfigPath() {
    char16_t path[kMaxPath];
    if (!ModulePath(path, u"Lumatype.ini")) throw Failure{"cannot find the program's directory for Lumatype.ini"};
    return path;
}

std::string ReadAll(FILE* in) {
    std::string bytes;
    char chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, in)) > 0) bytes.append(chunk, n);
    if (ferror(in)) throw Failure{"cannot read standard input"};
    return bytes;
}

int32_t ThemeNumber(const Options& options, const CliConfig& config) {
    if (!options.theme) return config.DefaultTheme();
    const WString& text = *options.theme;
    const int32_t number = ParseLeadingLong(text);
    if (text.empty() || FormatInt(number) != text || number < 1 || number > config.ThemeCount())
        throw Failure{"no colour theme numbered " + WideToUtf8(text) + " (see --list-themes)"};
    return number;
}

void WriteOutput(const Options& options, std::string_view html, FILE* out) {
    if (!options.output) {
        if (fwrite(html.data(), 1, html.size(), out) != html.size() || fflush(out) != 0)
            throw Failure{"cannot write standard output"};
        return;
    }
    // Written beside the target and renamed over it, so a failure leaves no partial file.
    const std::filesystem::path target(*options.output);
    std::filesystem::path temporary = target;
    temporary += ".lumatype-tmp";
    std::error_code error;
    {
        std::ofstream file(temporary, std::ios::binary);
        file.write(html.data(), static_cast<std::streamsize>(html.size()));
        file.close();
        if (!file) error = std::make_error_code(std::errc::io_error);
    }
    if (!error) std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        throw Failure{"cannot write " + WideToUtf8(*options.output)};
    }
}

void PrintLine(FILE* out, const WString& line) { fprintf(out, "%s\n", WideToUtf8(line).c_str()); }

int Convert(const Options& options, const CliConfig& config, FILE* in, FILE* out) {
    const bool fromStdin = !options.input || *options.input == u"-";
    const CliLanguage* language = options.language ? config.FindByName(*options.language)
                                                   : config.Choose(fromStdin ? WString() : *options.input);
    if (!language) {
        if (options.language) throw Failure{"unknown language: " + WideToUtf8(*options.language)};
        throw Failure{"the settings name no enabled language"};
    }
    const ColorTheme theme = config.LoadTheme(ThemeNumber(options, config));
    CliConfig::Parse(*language);

    std::optional<std::string> bytes = fromStdin ? ReadAll(in) : ReadFileBytes(*options.input);
    if (!bytes) throw Failure{"cannot read " + WideToUtf8(*options.input)};
    const std::optional<CodeText> code = DecodeCodeText(*bytes);
    if (!code) throw Failure{"input is neither UTF-8 nor UTF-16 with a byte-order mark"};
    bytes.reset();

    // Typical code grows sixfold into HTML; the sink grows further when needed.
    Utf8Sink sink(code->View().size() * 8 + 4096);
    const ConvertResult result = ConvertCode(config.Settings(), theme, language->info, code->View(),
                                             options.lineNumbers, options.startLine, sink);
    if (result == ConvertResult::TextBufferFailed || result == ConvertResult::TableFailed || sink.Failed())
        throw Failure{"out of memory"};
    WriteOutput(options, sink.Finish(), out);
    return 0;
}

int Run(const std::vector<WString>& args, FILE* in, FILE* out) {
    const Options options = ParseArguments(args);
    if (options.action == Options::Action::Help) return fputs(kUsage, out), 0;
    if (options.action == Options::Action::Version) return fputs(kVersion, out), 0;

    const WString configPath = options.config ? *options.config : DefaultConfigPath();
    CliConfig config;
    if (!config.Load(configPath)) throw Failure{"cannot read settings file " + WideToUtf8(configPath)};
    switch (options.action) {
        case Options::Action::ListLanguages:
            for (const CliLanguage& language : config.Languages())
                PrintLine(out, language.extensions.empty() ? WString(language.info->name)
                                                           : language.info->name + (u"\t" + language.extensions));
            return 0;
        case Options::Action::ListThemes:
            for (int32_t n = 1; n <= config.ThemeCount(); ++n) PrintLine(out, FormatInt(n) + u"\t" + config.ThemeName(n));
            return 0;
        default: return Convert(options, config, in, out);
    }
}

}  // namespace

int RunCli(const std::vector<WString>& args, FILE* in, FILE* out, FILE* err) {
    try {
        return Run(args, in, out);
    } catch (const Failure& failure) {
        fprintf(err, "lumatype-cli: %s\n", failure.message.c_str());
    } catch (const std::exception& exception) {
        fprintf(err, "lumatype-cli: %s\n", exception.what());
    }
    return kCliExitError;
}
