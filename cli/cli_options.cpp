#include "cli/cli_options.h"

#include <climits>
#include "cli/path_text.h"
#include "config/settings.h"

namespace fs = std::filesystem;

const char kCliUsage[] =
    "usage: lumatype-cli [OPTION]... [FILE|-]\n"
    "       lumatype-cli [OPTION]... FILE... --out-dir DIR\n"
    "       lumatype-cli [OPTION]... -r DIR... [--out-dir DIR]\n"
    "       lumatype-cli --list-languages | --list-themes | --help | --version\n"
    "\n"
    "Converts source code to the HTML fragment Lumatype's Convert command writes.\n"
    "  --config PATH          settings file (default: Lumatype.ini beside this program)\n"
    "  -l, --lang NAME        language by name, extension or alias (default: by the file's\n"
    "                         extension or first line; else one file alone or standard\n"
    "                         input takes the configured default, a file among several fails)\n"
    "  -t, --theme N|NAME     colour theme by number or name (default: the configured one)\n"
    "  -n, --no-line-numbers  leave out the line-number column\n"
    "  --start N              number of the first line, 1 to 2147483647 (default 1)\n"
    "  --tab-stops            a tab runs to the next multiple of the tab width\n"
    "  --no-wrap, --wrap      keep each code line on one line and let the fragment scroll\n"
    "                         sideways, or let long lines wrap (default: [Common] no_wrap)\n"
    "  --markup style|font    inline styles, or font tags and table attributes for sites\n"
    "                         that strip style (default: [Common] markup, else style)\n"
    "  --encoding NAME        the input's encoding (default: a byte-order mark, UTF-16 by\n"
    "                         its zero bytes, UTF-8, GBK when it reads as Chinese, else\n"
    "                         Windows-1252)\n"
    "  --full-page            a whole HTML page around the fragment\n"
    "  -o, --output OUT       write the HTML to OUT (- is standard output, the default);\n"
    "                         never one of the inputs, nor a file you may not write\n"
    "  -r, --recursive        convert the files under each directory given, those whose\n"
    "                         extension names a language, each to NAME.html beside it\n"
    "  --out-dir DIR          write each NAME.html under DIR (needed for several files)\n"
    "  -h, --help             show this help\n"
    "  -V, --version          show the version\n"
    "  --                     the arguments after it are files\n"
    "Exit status: 0 converted; 1 nothing to convert, or some files of several failed;\n"
    "2 a refused command line, unreadable settings, a failed single input or output.\n";

namespace {

enum class OptionKind { Text, Path, Flag, Action };

struct KnownOption {
    const char16_t* longName;
    char16_t shortName;  // 0 when there is none
    OptionKind kind;
    std::optional<WString> CliOptions::*text;
    std::optional<fs::path> CliOptions::*path;
    bool CliOptions::*flag;
    CliAction action;
};

constexpr KnownOption Text(const char16_t* name, char16_t shortName, std::optional<WString> CliOptions::*text) {
    return {name, shortName, OptionKind::Text, text, nullptr, nullptr, CliAction::Convert};
}
constexpr KnownOption Path(const char16_t* name, char16_t shortName, std::optional<fs::path> CliOptions::*path) {
    return {name, shortName, OptionKind::Path, nullptr, path, nullptr, CliAction::Convert};
}
constexpr KnownOption Flag(const char16_t* name, char16_t shortName, bool CliOptions::*flag) {
    return {name, shortName, OptionKind::Flag, nullptr, nullptr, flag, CliAction::Convert};
}
constexpr KnownOption Action(const char16_t* name, char16_t shortName, CliAction action) {
    return {name, shortName, OptionKind::Action, nullptr, nullptr, nullptr, action};
}

const KnownOption kOptions[] = {
    Text(u"config", 0, &CliOptions::config),
    Text(u"lang", u'l', &CliOptions::language),
    Text(u"theme", u't', &CliOptions::theme),
    Text(u"encoding", 0, &CliOptions::encoding),
    Path(u"output", u'o', &CliOptions::output),
    Path(u"out-dir", 0, &CliOptions::outDir),
    Text(u"start", 0, &CliOptions::startLine),
    Text(u"markup", 0, &CliOptions::markup),
    Flag(u"no-line-numbers", u'n', &CliOptions::noLineNumbers),
    Flag(u"tab-stops", 0, &CliOptions::tabStops),
    Flag(u"no-wrap", 0, &CliOptions::noWrap),
    Flag(u"wrap", 0, &CliOptions::wrap),
    Flag(u"full-page", 0, &CliOptions::fullPage),
    Flag(u"recursive", u'r', &CliOptions::recursive),
    Action(u"list-languages", 0, CliAction::ListLanguages),
    Action(u"list-themes", 0, CliAction::ListThemes),
    Action(u"help", u'h', CliAction::Help),
    Action(u"version", u'V', CliAction::Version),
};

[[noreturn]] void Refuse(const std::string& message) { throw UsageError{message}; }

std::string Quoted(WStringView text) { return "'" + WideToUtf8(text) + "'"; }

// "--name" or "-x".
const KnownOption* FindOption(WStringView arg) {
    if (arg.size() < 2 || arg[0] != u'-') return nullptr;
    for (const KnownOption& option : kOptions) {
        if (arg.size() > 2 && arg.substr(0, 2) == u"--" && arg.substr(2) == option.longName) return &option;
        if (option.shortName && arg.size() == 2 && arg[0] == u'-' && arg[1] == option.shortName) return &option;
    }
    return nullptr;
}

std::string Shown(const KnownOption& option) { return "--" + WideToUtf8(option.longName); }

// Only a plain decimal number: "7x", "0", "-5" and numbers past the largest
// line number are refused rather than read as something else.
void CheckStartLine(const WString& text) {
    // Ten digits hold every allowed number; more could only overflow.
    bool digitsOnly = !text.empty() && text.size() <= 10;
    long long value = 0;
    for (char16_t c : text) {
        digitsOnly = digitsOnly && c >= u'0' && c <= u'9';
        if (digitsOnly) value = value * 10 + (c - u'0');
    }
    if (!digitsOnly || value < 1 || value > INT32_MAX)
        Refuse("option --start needs a whole number from 1 to 2147483647, not " + Quoted(text));
}

void CheckCombinations(const CliOptions& options) {
    if (options.action == CliAction::ListLanguages || options.action == CliAction::ListThemes) {
        if (!options.inputs.empty())
            Refuse(std::string(options.action == CliAction::ListLanguages ? "--list-languages" : "--list-themes") +
                   " takes no file, but was given '" + ShownPath(options.inputs.front()) + "'");
        return;
    }
    if (options.output && options.outDir) Refuse("options --output and --out-dir exclude each other");
    if (options.noWrap && options.wrap) Refuse("options --wrap and --no-wrap exclude each other");
    if ((options.recursive || options.outDir) && options.inputs.empty())
        Refuse(std::string(options.recursive ? "--recursive" : "--out-dir") + " needs the files or directories to convert");
    for (const fs::path& input : options.inputs)
        if (input.empty()) Refuse("an empty argument names no file");
    if (options.output && (options.inputs.size() > 1 || options.recursive))
        Refuse("option --output names one file; give --out-dir for several inputs");
    const bool batch = options.inputs.size() > 1 || options.recursive || options.outDir;
    for (const fs::path& input : options.inputs)
        if (IsStandardStream(input) && batch) Refuse("standard input (-) cannot be converted with other files or --out-dir");
    // Writing beside each file would leave standard output empty where a
    // shell glob happened to match more than one file.
    if (options.inputs.size() > 1 && !options.recursive && !options.outDir)
        Refuse(std::to_string(options.inputs.size()) +
               " files given: name the folder for their NAME.html files with --out-dir DIR "
               "(one file goes to standard output or to -o FILE)");
}

// The argument from `offset` on, as the system gave it; the characters
// before it are ASCII, one unit each on every platform.
fs::path Tail(const fs::path& arg, size_t offset) { return fs::path(arg.native().substr(offset)); }

void Store(const KnownOption& option, const fs::path& value, CliOptions& options) {
    if (option.kind == OptionKind::Path) options.*(option.path) = value;
    else options.*(option.text) = PathText(value);
}

}  // namespace

bool IsStandardStream(const fs::path& argument) {
    return argument.native().size() == 1 && argument.native()[0] == '-';
}

CliOptions ParseCliArguments(const std::vector<fs::path>& args) {
    CliOptions options;
    std::vector<const KnownOption*> given;
    bool onlyFiles = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const fs::path& argument = args[i];
        WString arg = PathText(argument);
        if (onlyFiles || IsStandardStream(argument) || arg.empty() || arg[0] != u'-') {
            options.inputs.push_back(argument);
            continue;
        }
        if (arg == u"--") {
            onlyFiles = true;
            continue;
        }
        std::optional<fs::path> attached;
        const size_t equals = arg.find(u'=');
        if (arg.rfind(u"--", 0) == 0 && equals != WString::npos) {
            attached = Tail(argument, argument.native().find('=') + 1);
            arg.resize(equals);
        }
        const KnownOption* option = FindOption(arg);
        // "-lpy", "-t2": a short option's value may follow it at once.
        if (!option && arg[1] != u'-') {
            option = FindOption(arg.substr(0, 2));
            if (option && (option->kind == OptionKind::Text || option->kind == OptionKind::Path))
                attached = Tail(argument, 2);
            else option = nullptr;
        }
        if (!option) Refuse("unknown option " + Quoted(arg) + " (see --help)");
        for (const KnownOption* earlier : given)
            if (earlier == option) Refuse("option " + Shown(*option) + " is given twice");
        given.push_back(option);
        if (option->kind == OptionKind::Flag || option->kind == OptionKind::Action) {
            if (attached) Refuse("option " + Shown(*option) + " takes no value");
            if (option->kind == OptionKind::Flag) options.*(option->flag) = true;
            else if (options.action != CliAction::Convert)
                Refuse("options " + Shown(*option) + " and another action exclude each other");
            else options.action = option->action;
            continue;
        }
        if (!attached && i + 1 >= args.size()) Refuse("option " + Shown(*option) + " needs a value");
        Store(*option, attached ? *attached : args[++i], options);
    }
    if (options.startLine) CheckStartLine(*options.startLine);
    if (options.markup && !ParseHtmlMarkup(*options.markup))
        Refuse("option --markup takes style or font, not " + Quoted(*options.markup));
    CheckCombinations(options);
    return options;
}
