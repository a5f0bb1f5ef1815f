#include "cli/cli_config.h"

#include <algorithm>
#include "base/file_io.h"
#include "base/module_path.h"
#include "cli/path_text.h"
#include "config/profile.h"
#include "engine/language_lists.h"
#include "engine/language_registry.h"
#include "engine/special_chars.h"

CliConfig::~CliConfig() {
    FreeLanguageTable(table_);
    FreeSpecialChars(settings_.specialChars);
}

WString CliConfig::ReadString(const char16_t* section, const WString& key, uint32_t size) const {
    std::vector<char16_t> buffer(size);
    ProfileGetString(section, key.c_str(), u"", buffer.data(), size, settings_.iniPath);
    return WString(buffer.data());
}

static WString DirectoryOf(const WString& path) {
    const size_t separator = path.find_last_of(u"\\/");
    if (separator == WString::npos) return u".";
    return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

bool CliConfig::Load(const WString& iniPath) {
    if (!ReadFileBytes(iniPath)) return false;
    CopyToField(settings_.iniPath, iniPath);
    directory_ = DirectoryOf(iniPath);
    ReadTabToSpaces(settings_);
    ReadTabStops(settings_);
    LoadSpecialChars(settings_);
    ReadFontSettings(settings_);

    const char16_t* section = u"Languages";
    const int32_t count = ProfileGetInt(section, u"Count", 0, settings_.iniPath);
    defaultName_ = ReadString(section, u"Default", 32);
    table_ = CreateLanguageTable(count);
    for (int32_t i = 0; table_ && i < count; ++i) {
        LanguageInfo& record = table_->records[i];
        const WString file = ReadLanguageRecord(record, i + 1, settings_.iniPath);
        if (!record.enabled) continue;
        // A path that does not fit is no file, as for the program.
        JoinModulePath(record.filePath, kMaxPath, directory_, file.c_str());
        languages_.push_back({&record, ReadLanguageList(u"Extensions", record.filePath),
                              ReadLanguageList(u"Aliases", record.filePath),
                              ReadLanguageList(u"FileNames", record.filePath), std::nullopt});
    }
    return true;
}

const CliLanguage* CliConfig::Find(WStringView key) const {
    if (!key.empty() && key[0] == u'.') key.remove_prefix(1);
    if (key.empty()) return nullptr;
    for (const CliLanguage& language : languages_)
        if (EqualsIgnoreAsciiCase(language.info->name, key)) return &language;
    for (const CliLanguage& language : languages_)
        if (ListHas(language.aliases, key) || ListHas(language.extensions, key)) return &language;
    return nullptr;
}

const CliLanguage* CliConfig::ForFileName(WStringView fileName) const {
    const WStringView name = BaseName(fileName);
    for (const CliLanguage& language : languages_)
        if (ListHas(language.fileNames, name)) return &language;
    const WStringView extension = FileExtension(fileName);
    if (extension.empty()) return nullptr;
    for (const CliLanguage& language : languages_)
        if (ListHas(language.extensions, extension)) return &language;
    return nullptr;
}

const CliLanguage* CliConfig::ForFirstLine(WStringView code) const {
    for (const WString& key : FirstLineLanguageKeys(code))
        if (const CliLanguage* language = Find(key)) return language;
    return nullptr;
}

const CliLanguage* CliConfig::ForInput(const std::filesystem::path* file, WStringView code) const {
    if (file)
        if (const CliLanguage* language = ForFileName(PathText(file->filename()))) return language;
    return ForFirstLine(code);
}

const CliLanguage* CliConfig::Default() const {
    const CliLanguage* chosen = nullptr;
    for (const CliLanguage& language : languages_)
        if (EqualsIgnoreAsciiCase(language.info->name, defaultName_)) chosen = &language;
    if (chosen) return chosen;
    return languages_.empty() ? nullptr : &languages_.front();
}

bool CliConfig::Parse(const CliLanguage& language) {
    if (!language.parsed) language.parsed = ParseLanguageFile(language.info) != 0;
    return *language.parsed;
}

int32_t CliConfig::ThemeCount() const { return ProfileGetInt(u"ColorThemes", u"Count", 1, settings_.iniPath); }

int32_t CliConfig::DefaultTheme() const { return ProfileGetInt(u"Common", u"ColorTheme", 1, settings_.iniPath); }

WString CliConfig::ThemeName(int32_t number) const {
    return ReadString(u"ColorThemes", u"Name" + FormatInt(number), 128);
}

// "Default (light)" without " (light)".
static WStringView WithoutKind(WStringView name) {
    if (name.empty() || name.back() != u')') return name;
    const size_t open = name.rfind(u" (");
    return open == WStringView::npos || open == 0 ? name : name.substr(0, open);
}

std::optional<int32_t> CliConfig::FindTheme(WStringView numberOrName) const {
    const int32_t count = ThemeCount();
    const int32_t number = ParseLeadingLong(numberOrName);
    if (FormatInt(number) == numberOrName) {
        if (number >= 1 && number <= count) return number;
        return std::nullopt;
    }
    for (int32_t n = 1; n <= count; ++n)
        if (EqualsIgnoreAsciiCase(ThemeName(n), numberOrName)) return n;
    // "Ember" names "Ember (dark)": the kind in brackets only sorts the list.
    for (int32_t n = 1; n <= count; ++n)
        if (EqualsIgnoreAsciiCase(WithoutKind(ThemeName(n)), numberOrName)) return n;
    return std::nullopt;
}

ColorTheme CliConfig::LoadTheme(int32_t number) const {
    ColorTheme theme{};
    LoadNumberedTheme(settings_.iniPath, directory_, number, theme);
    return theme;
}
