#include "cli/cli.h"

#include <filesystem>
#include <optional>
#include <string>
#include "app/helpers.h"
#include "lumatype_version.h"
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
constexpr char kVersion[] = "lumatype-cli " LUMATYPE_VERSION "\n";

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

// The whole stream; a file of known size is read in one go.
std::optional<std::string> ReadAll(FILE* in) {
    std::string bytes;
    if (std::fseek(in, 0, SEEK_END) == 0) {
        const long size = std::ftell(in);
        if (size > 0 && std::fseek(in, 0, SEEK_SET) == 0) bytes.resize(static_cast<size_t>(size));
    }
    size_t filled = std::fread(bytes.data(), 1, bytes.size(), in);
    bytes.resize(filled);
    char chunk[65536];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;) bytes.append(chunk, n);
    if (std::ferror(in)) return std::nullopt;
    return bytes;
}

std::optional<std::string> ReadInput(const std::optional<WString>& input, FILE* in) {
    if (!input || *input == u"-") {
        std::optional<std::string> bytes = ReadAll(in);
        if (!bytes) throw Failure{"cannot read standard input"};
        return bytes;
    }
    FILE* file = OpenFile(*input, "rb");
    if (!file) return std::nullopt;
    std::optional<std::string> bytes = ReadAll(file);
    std::fclose(file);
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

// Where the HTML goes: standard output, or a file written beside the target
// and renamed over it only when complete, so a failure leaves no partial file.
class Destination {
public:
    Destination(const std::optional<WString>& output, FILE* out) : file_(out) {
        if (!output) return;
        target_ = std::filesystem::path(*output);
        temporary_ = target_;
        temporary_ += ".lumatype-tmp";
        file_ = OpenFile(temporary_.u16string(), "wb");
        if (!file_) throw Failure{"cannot write " + WideToUtf8(*output)};
    }
    ~Destination() {
        if (temporary_.empty()) return;
        if (file_) std::fclose(file_);
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
    Destination(const Destination&) = delete;
    Destination& operator=(const Destination&) = delete;

    FILE* File() const { return file_; }
    // False when the output could not be completed.
    bool Commit() {
        if (temporary_.empty()) return std::fflush(file_) == 0;
        const bool written = std::fclose(file_) == 0;
        file_ = nullptr;
        std::error_code error;
        if (written) std::filesystem::rename(temporary_, target_, error);
        return written && !error;
    }

private:
    FILE* file_;
    std::filesystem::path target_, temporary_;
};

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

    std::optional<std::string> bytes = ReadInput(options.input, in);
    if (!bytes) throw Failure{"cannot read " + WideToUtf8(*options.input)};
    const std::optional<CodeText> code = DecodeCodeText(*bytes);
    if (!code) throw Failure{"input is neither UTF-8 nor UTF-16 with a byte-order mark"};
    bytes.reset();

    Destination destination(options.output, out);
    Utf8Sink sink(destination.File());
    const WStringView text = code->View();
    const ConvertResult result = ConvertPaddedCode(config.Settings(), theme, language->info, {text.data(), text.size()},
                                                   options.lineNumbers, options.startLine, sink);
    sink.Finish();
    if (result == ConvertResult::TextBufferFailed || result == ConvertResult::TableFailed)
        throw Failure{"out of memory"};
    if (sink.Failed() || !destination.Commit())
        throw Failure{"cannot write " + (options.output ? WideToUtf8(*options.output) : "standard output")};
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
