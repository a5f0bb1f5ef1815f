#include "engine/language_lists.h"

#include <algorithm>
#include "base/limits.h"
#include "config/profile.h"
#include "engine/char_class.h"
#include "engine/emitter.h"
#include "engine/language.h"

WString ReadLanguageList(const char16_t* key, const char16_t* definitionFile) {
    char16_t list[kMaxPath];
    ProfileGetString(u"LanguageInfo", key, u"", list, kMaxPath, definitionFile);
    return list;
}

bool ListHas(WStringView list, WStringView key) {
    while (!list.empty()) {
        const size_t end = std::min(list.find(u';'), list.size());
        WStringView item = list.substr(0, end);
        if (!item.empty() && item[0] == u'.') item.remove_prefix(1);
        if (!item.empty() && EqualsIgnoreAsciiCase(item, key)) return true;
        list.remove_prefix(std::min(end + 1, list.size()));
    }
    return false;
}

WStringView FileExtension(WStringView fileName) {
    const size_t dot = fileName.find_last_of(u'.');
    const size_t separator = fileName.find_last_of(u"\\/");
    if (dot == WStringView::npos || (separator != WStringView::npos && dot < separator)) return {};
    return fileName.substr(dot + 1);
}

WStringView BaseName(WStringView path) { return path.substr(std::min(path.find_last_of(u"\\/") + 1, path.size())); }

// "#!/usr/bin/python3", "#!/usr/bin/env -S node --flag": the program's name.
static WStringView Interpreter(WStringView line) {
    line.remove_prefix(2);
    for (bool first = true; !line.empty(); first = false) {
        while (!line.empty() && IsBlank(line[0])) line.remove_prefix(1);
        size_t end = 0;
        while (end < line.size() && !IsBlank(line[end])) ++end;
        const WStringView word = line.substr(0, end);
        line.remove_prefix(end);
        const WStringView name = word.substr(std::min(word.find_last_of(u'/') + 1, word.size()));
        if (name.empty() || (first && name == u"env")) continue;
        // Options and variable settings of env come before the program.
        if (!first && (name[0] == u'-' || name.find(u'=') != WStringView::npos)) continue;
        return name;
    }
    return {};
}

std::vector<WString> FirstLineLanguageKeys(WStringView code) {
    const WStringView line = code.substr(0, code.find_first_of(u"\r\n"));
    if (StartsWithIgnoreAsciiCase(line, u"<?xml")) return {u"xml"};
    if (StartsWithIgnoreAsciiCase(line, u"<?php")) return {u"php"};
    if (StartsWithIgnoreAsciiCase(line, u"<!DOCTYPE html")) return {u"html"};
    if (line.substr(0, 2) != u"#!") return {};
    const WStringView interpreter = Interpreter(line);
    if (interpreter.empty()) return {};
    std::vector<WString> keys{WString(interpreter)};
    const size_t version = interpreter.find_first_of(u"0123456789.");
    if (version != WStringView::npos && version > 0) keys.emplace_back(interpreter.substr(0, version));
    return keys;
}

int32_t LanguageClaimingFile(const LanguageTable* table, WStringView fileName, WStringView code) {
    if (!table) return -1;
    const WStringView extension = FileExtension(fileName);
    const WStringView name = BaseName(fileName);
    auto firstEnabled = [table](auto&& claims) -> int32_t {
        for (int32_t i = 0; i < table->count; ++i)
            if (table->records[i].enabled && claims(table->records[i])) return i;
        return -1;
    };
    int32_t found = name.empty() ? -1 : firstEnabled([&](const LanguageInfo& record) {
        return ListHas(ReadLanguageList(u"FileNames", record.filePath), name);
    });
    if (found < 0 && !extension.empty())
        found = firstEnabled([&](const LanguageInfo& record) {
            return ListHas(ReadLanguageList(u"Extensions", record.filePath), extension);
        });
    // As the command line finds a --lang value: any language's name first.
    for (const WString& key : FirstLineLanguageKeys(code)) {
        if (found < 0)
            found = firstEnabled(
                [&](const LanguageInfo& record) { return EqualsIgnoreAsciiCase(FieldView(record.name), key); });
        if (found < 0)
            found = firstEnabled([&](const LanguageInfo& record) {
                return ListHas(ReadLanguageList(u"Aliases", record.filePath), key) ||
                       ListHas(ReadLanguageList(u"Extensions", record.filePath), key);
            });
    }
    return found;
}
