#include <windows.h>

#include "engine/language_registry.h"

void* loaderThread = nullptr;

static DWORD WINAPI LoaderThreadProc(LPVOID param) {
    return static_cast<DWORD>(LanguageLoaderThread(static_cast<LoaderThreadParam*>(param)));
}

bool StartLanguageLoader(LoaderThreadParam* param) {
    loaderThread = CreateThread(nullptr, 0, LoaderThreadProc, param, 0, nullptr);
    return loaderThread != nullptr;
}

void PostLanguagesLoaded(const LoaderThreadParam& param) {
    PostMessageW(static_cast<HWND>(param.mainWindow), param.message, 0, 0);
}

bool AwaitLanguageLoaderExit() { return WaitForSingleObject(loaderThread, INFINITE) == WAIT_OBJECT_0; }

void CloseLanguageLoader() {
    if (!loaderThread) return;
    CloseHandle(loaderThread);
    loaderThread = nullptr;
}
