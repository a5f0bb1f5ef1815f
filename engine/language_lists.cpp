#include "engine/language_lists.h"

#include <algorithm>
#include "base/limits.h"
#include "config/profile.h"
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

int32_t LanguageClaimingFile(const LanguageTable* table, WStringView fileName) {
    const WStringView extension = FileExtension(fileName);
    if (!table || extension.empty()) return -1;
    for (int32_t i = 0; i < table->count; ++i) {
        const LanguageInfo& record = table->records[i];
        if (record.enabled && ListHas(ReadLanguageList(u"Extensions", record.filePath), extension)) return i;
    }
    return -1;
}
