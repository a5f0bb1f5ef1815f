#include "engine/language_loader_native.h"

#include <new>
#include <system_error>
#include <thread>

void* loaderThread = nullptr;  // a std::thread*

static std::atomic<LanguagesLoadedPoster> poster{nullptr};

void SetLanguagesLoadedPoster(LanguagesLoadedPoster newPoster) { poster.store(newPoster); }

bool StartLanguageLoader(LoaderThreadParam* param) {
    try {
        loaderThread = new std::thread(LanguageLoaderThread, param);
        return true;
    } catch (const std::system_error&) {
    } catch (const std::bad_alloc&) {
    }
    loaderThread = nullptr;
    return false;
}

void PostLanguagesLoaded(const LoaderThreadParam& param) {
    if (LanguagesLoadedPoster post = poster.load()) post(param);
}

bool AwaitLanguageLoaderExit() {
    static_cast<std::thread*>(loaderThread)->join();
    return true;
}

void CloseLanguageLoader() {
    auto* thread = static_cast<std::thread*>(loaderThread);
    if (!thread) return;
    loaderThread = nullptr;
    // The loader's last act is posting; joining only waits for its return.
    if (thread->joinable()) thread->join();
    delete thread;
}
