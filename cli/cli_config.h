#pragma once
// What the command line reads from "Lumatype.ini": the settings, the enabled
// languages (parsed when first used, no loader thread) and the colour themes.
// Files named in it are found beside it.
#include <filesystem>
#include <optional>
#include <vector>
#include "config/settings.h"
#include "engine/language.h"

struct CliLanguage {
    LanguageInfo* info;
    WString extensions;  // [LanguageInfo] Extensions=, such as ".c;.h;.cpp"
    WString aliases;     // [LanguageInfo] Aliases=, such as "c++;cplusplus"
    WString fileNames;   // [LanguageInfo] FileNames=, such as "Makefile;GNUmakefile"
    mutable std::optional<bool> parsed;  // whether its definition file could be read, once tried
};

class CliConfig {
public:
    CliConfig() = default;
    ~CliConfig();
    CliConfig(const CliConfig&) = delete;
    CliConfig& operator=(const CliConfig&) = delete;

    // False when the file cannot be read.
    bool Load(const WString& iniPath);

    // The command line's options adjust some settings (tab stops).
    AppSettings& Settings() { return settings_; }
    const AppSettings& Settings() const { return settings_; }
    const std::vector<CliLanguage>& Languages() const { return languages_; }  // enabled ones, in order

    // By name, by one of its extensions (with or without the dot) or by an
    // alias, without regard to case.
    const CliLanguage* Find(WStringView key) const;
    // By a file's whole name, else its extension; null when no language claims it.
    const CliLanguage* ForFileName(WStringView fileName) const;
    // By the code's first line: the interpreter of "#!", or "<?xml", "<?php",
    // "<!DOCTYPE html".
    const CliLanguage* ForFirstLine(WStringView code) const;
    // What a single input is converted as: its file's name or extension (none
    // for standard input), else its first line; null when neither tells.
    const CliLanguage* ForInput(const std::filesystem::path* file, WStringView code) const;
    // The last enabled language named by [Languages] Default, else the first
    // enabled one, as the language combo selects at start-up.
    const CliLanguage* Default() const;
    // Reads the language's definition file once; false when it cannot be read.
    static bool Parse(const CliLanguage& language);

    int32_t ThemeCount() const;
    int32_t DefaultTheme() const;
    WString ThemeName(int32_t number) const;
    // By number (1-based) or name without regard to case; empty when none.
    std::optional<int32_t> FindTheme(WStringView numberOrName) const;
    // The theme numbered `number` with its colours loaded.
    ColorTheme LoadTheme(int32_t number) const;

private:
    WString ReadString(const char16_t* section, const WString& key, uint32_t size) const;

    AppSettings settings_{};
    WString directory_;
    LanguageTable* table_ = nullptr;
    std::vector<CliLanguage> languages_;
    WString defaultName_;
};
