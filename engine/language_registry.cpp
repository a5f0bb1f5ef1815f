#include "engine/language_registry.h"

#include "base/module_path.h"
#include "config/profile.h"

LanguageTable* languageTable = nullptr;
std::atomic<int32_t> languagesLoaded{0};

namespace {

constexpr const char16_t* kSection = u"Languages";
// Sized for the longest value read here, File<n>, a path.
constexpr uint32_t kValueBuffer = kMaxPath;
constexpr uint32_t kDefaultNameBuffer = 32;

WString ReadLanguageValue(const char16_t* keyStem, int32_t number, const char16_t* iniPath) {
    WString key = WString(keyStem) + FormatInt(number);
    char16_t value[kValueBuffer];
    ProfileGetString(kSection, key.c_str(), u"", value, kValueBuffer, iniPath);
    return value;
}

// Returns the combo position the record took, or -1 when it is disabled or
// the combo refused it.
int RegisterRecord(LanguageInfo& record, int32_t number, const char16_t* iniPath, LanguageCombo& combo) {
    const WString file = ReadLanguageRecord(record, number, iniPath);
    if (!record.enabled) return -1;
    int position = combo.AddString(record.name);
    if (position >= 0) combo.SetItemData(position, number - 1);
    ModulePath(record.filePath, file.c_str());
    return position;
}

}  // namespace

WString ReadLanguageRecord(LanguageInfo& record, int32_t number, const char16_t* iniPath) {
    record.enabled = ReadLanguageValue(u"Enabled", number, iniPath)[0] == u'0' ? 0 : 1;
    CopyToField(record.name, ReadLanguageValue(u"Item", number, iniPath));
    return record.enabled ? ReadLanguageValue(u"File", number, iniPath) : WString();
}

int RegisterLanguages(const char16_t* iniPath, LanguageCombo& combo, LoaderThreadParam* param) {
    ReleaseLanguages();
    combo.ResetContent();
    int32_t count = ProfileGetInt(kSection, u"Count", 0, iniPath);
    char16_t defaultName[kDefaultNameBuffer];
    ProfileGetString(kSection, u"Default", u"", defaultName, kDefaultNameBuffer, iniPath);

    languageTable = CreateLanguageTable(count);
    if (!languageTable) return 0;
    int defaultPosition = 0;
    for (int32_t number = 1; number <= count; ++number) {
        LanguageInfo& record = languageTable->records[number - 1];
        int position = RegisterRecord(record, number, iniPath, combo);
        if (position >= 0 && EqualsIgnoreAsciiCase(record.name, defaultName)) defaultPosition = position;
    }
    languagesLoaded.store(0, std::memory_order_release);
    if (param) StartLanguageLoader(param);
    return defaultPosition;
}

void SelectDefaultLanguage(LanguageCombo& combo, int position) {
    if (combo.GetCount() > 0) combo.SetCurSel(position);
}

int32_t LanguageLoaderThread(LoaderThreadParam* param) {
    int32_t result = 1;
    if (languageTable) {
        for (int32_t i = 0; i < languageTable->count; ++i)
            if (languageTable->records[i].enabled) ParseLanguageFile(&languageTable->records[i]);
        result = 0;
    }
    param->result = result;
    // Once the flag is set the UI thread may free the table or reuse the
    // param, so the message is posted from a copy.
    const LoaderThreadParam finished = *param;
    languagesLoaded.store(1, std::memory_order_release);
    PostLanguagesLoaded(finished);
    return result;
}

bool WaitForLanguageLoader() {
    if (languagesLoaded.load(std::memory_order_acquire) != 0 || !loaderThread) return true;
    if (!AwaitLanguageLoaderExit()) return false;
    CloseLanguageLoader();
    return true;
}

void ReleaseLanguages() {
    // Waiting first keeps the loader from parsing into a freed table; when the
    // wait fails the table is left allocated rather than freed under it.
    if (!WaitForLanguageLoader()) return;
    CloseLanguageLoader();
    FreeLanguageTable(languageTable);
    languageTable = nullptr;
}
