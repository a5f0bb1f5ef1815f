#pragma once
// What the command line reads from "Lumatype.ini": the settings, the enabled
// languages (parsed at once, no loader thread) and the colour themes. Files
// named in it are found beside it.
#include <memory>
#include <optional>
#include <vector>
#include "config/settings.h"
#include "engine/language.h"

struct CliLanguage {
    LanguageInfo* info;  // definition parsed by CliConfig::Parse
    WString extensions;  // [LanguageInfo] Extensions=, such as ".c;.h;.cpp"
};

class CliConfig {
public:
    CliConfig() = default;
    ~CliConfig();
    CliConfig(const CliConfig&) = delete;
    CliConfig& operator=(const CliConfig&) = delete;

    // False when the file cannot be read.
    bool Load(const WString& iniPath);

    const AppSettings& Settings() const { return settings_; }
    const std::vector<CliLanguage>& Languages() const { return languages_; }  // enabled ones, in order

    // By Item name without regard to case.
    const CliLanguage* FindByName(WStringView name) const;
    // By the file name's extension, else the [Languages] Default, else the first.
    const CliLanguage* Choose(WStringView fileName) const;
    // Reads the language's definition file; only the language used needs it.
    static void Parse(const CliLanguage& language);

    int32_t ThemeCount() const;
    int32_t DefaultTheme() const;
    WString ThemeName(int32_t number) const;
    // The theme numbered `number` (1-based) with its colours loaded.
    ColorTheme LoadTheme(int32_t number) const;

private:
    WString PathBeside(const WString& fileName) const;
    WString ReadString(const char16_t* section, const WString& key, uint32_t size) const;

    AppSettings settings_{};
    WString directory_;
    LanguageTable* table_ = nullptr;
    std::vector<CliLanguage> languages_;
    WString defaultName_;
};
