#include "cli/cli_config.h"

#include <algorithm>
#include "config/file_io.h"
#include "config/profile.h"
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

WString CliConfig::PathBeside(const WString& fileName) const { return directory_ + u'\\' + fileName; }

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
        CopyToField(record.filePath, PathBeside(file));
        char16_t extensions[260];
        ProfileGetString(u"LanguageInfo", u"Extensions", u"", extensions, 260, record.filePath);
        languages_.push_back({&record, extensions});
    }
    return true;
}

const CliLanguage* CliConfig::FindByName(WStringView name) const {
    for (const CliLanguage& language : languages_)
        if (EqualsIgnoreAsciiCase(language.info->name, name)) return &language;
    return nullptr;
}

static bool HasExtension(WStringView list, WStringView extension) {
    while (!list.empty()) {
        const size_t end = std::min(list.find(u';'), list.size());
        WStringView item = list.substr(0, end);
        if (!item.empty() && item[0] == u'.') item.remove_prefix(1);
        if (!item.empty() && EqualsIgnoreAsciiCase(item, extension)) return true;
        list.remove_prefix(std::min(end + 1, list.size()));
    }
    return false;
}

const CliLanguage* CliConfig::Choose(WStringView fileName) const {
    const size_t dot = fileName.find_last_of(u'.');
    const size_t separator = fileName.find_last_of(u"\\/");
    if (dot != WStringView::npos && (separator == WStringView::npos || dot > separator)) {
        const WStringView extension = fileName.substr(dot + 1);
        for (const CliLanguage& language : languages_)
            if (HasExtension(language.extensions, extension)) return &language;
    }
    // Like the language combo at start-up: the last enabled name that
    // matches Default, else the first.
    const CliLanguage* chosen = nullptr;
    for (const CliLanguage& language : languages_)
        if (EqualsIgnoreAsciiCase(language.info->name, defaultName_)) chosen = &language;
    if (chosen) return chosen;
    return languages_.empty() ? nullptr : &languages_.front();
}

void CliConfig::Parse(const CliLanguage& language) { ParseLanguageFile(language.info); }

int32_t CliConfig::ThemeCount() const { return ProfileGetInt(u"ColorThemes", u"Count", 1, settings_.iniPath); }

int32_t CliConfig::DefaultTheme() const { return ProfileGetInt(u"Common", u"ColorTheme", 1, settings_.iniPath); }

WString CliConfig::ThemeName(int32_t number) const {
    return ReadString(u"ColorThemes", u"Name" + FormatInt(number), 128);
}

ColorTheme CliConfig::LoadTheme(int32_t number) const {
    ColorTheme theme{};
    CopyToField(theme.name, ThemeName(number));
    CopyToField(theme.file, PathBeside(ReadString(u"ColorThemes", u"File" + FormatInt(number), 260)));
    LoadColorTheme(&theme);
    return theme;
}
