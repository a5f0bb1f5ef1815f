#pragma once
// The configured languages: the table built from [Languages] of the INI file,
// the language combo it fills, and the loader thread that parses the enabled
// definition files in the background.
#include <atomic>
#include <cstdint>
#include "engine/language.h"

struct LoaderThreadParam {
    int32_t result;      // 0 = the table was walked, 1 = there was no table
    void* mainWindow;    // receives the message when the loader has finished
    uint32_t message;    // the number the window answers the loader's end by
};

// Built once at start-up; null when no language is configured.
extern LanguageTable* languageTable;
// 0 while the loader runs, 1 once it has finished. The loader publishes it
// with release order after writing the records, so a UI thread that reads 1
// with acquire order sees complete records.
extern std::atomic<int32_t> languagesLoaded;
// Handle of the loader thread; null when there is none or it has been closed.
extern void* loaderThread;

// The few combo box operations the registry needs, so that it runs without a
// window system in tests.
class LanguageCombo {
public:
    virtual ~LanguageCombo() = default;
    virtual void ResetContent() = 0;
    virtual int AddString(const char16_t* text) = 0;  // position, negative on failure
    virtual void SetItemData(int position, intptr_t data) = 0;
    virtual void SetCurSel(int position) = 0;
    virtual int GetCount() const = 0;
};

// Fills record n - 1's enabled flag and name from Enabled<n> and Item<n> of
// [Languages]; returns File<n> of an enabled record, "" for a disabled one.
WString ReadLanguageRecord(LanguageInfo& record, int32_t number, const char16_t* iniPath);

// Builds languageTable from [Languages] of iniPath, adds the enabled
// languages to the combo (item data = record index) and starts the loader.
// Returns the combo position of the default language (0 when none matches);
// the caller selects it with SelectDefaultLanguage once the theme is loaded.
int RegisterLanguages(const char16_t* iniPath, LanguageCombo& combo, LoaderThreadParam* param);
void SelectDefaultLanguage(LanguageCombo& combo, int position);

// The loader's body: parses every enabled record, sets languagesLoaded and
// posts the param's message. Returns the result stored in the param.
int32_t LanguageLoaderThread(LoaderThreadParam* param);

// Waits for the loader, closes its handle and frees the table (the main
// window calls it when it is destroyed); safe while the loader still runs.
void ReleaseLanguages();

// For the Convert command: when the loader has not finished and its handle is
// held, waits for it and closes the handle. False only when the wait failed
// (the handle is then kept).
bool WaitForLanguageLoader();

// Platform backends (language_loader_win.cpp / language_loader_native.cpp).
// Starts LanguageLoaderThread on a new thread and keeps its handle in
// loaderThread; false (and no handle) when the thread cannot be created.
bool StartLanguageLoader(LoaderThreadParam* param);
// Delivers the param's message to its window.
void PostLanguagesLoaded(const LoaderThreadParam& param);
// Blocks until the thread of the held handle has ended; false when the wait fails.
bool AwaitLanguageLoaderExit();
// For the handler of the loader's message: closes the handle if it is still held.
void CloseLanguageLoader();
