#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "engine/language_registry.h"
#include "tests/engine/engine_test_support.h"
#include "tests/support/temp_file.h"

namespace {

int loadedMessages = 0;

// Answers the loader's message as the main window does.
LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kLoadedMessage) {
        ++loadedMessages;
        CloseLanguageLoader();
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A language large enough that loading it takes a while.
std::string ManyWords() {
    std::string bytes = "[LanguageInfo]\r\nEscapeChar=\\\r\n[w]\r\n";
    for (int i = 0; i < 20000; ++i) bytes += "word" + std::to_string(i) + (i % 16 == 15 ? "\r\n" : " ");
    return bytes;
}

class LanguageLoaderWinTest : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = TestWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"LanguageLoaderTestWindow";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
        ASSERT_NE(window_, nullptr);
        param = {-1, window_, kLoadedMessage};
        loadedMessages = 0;

        languageTable = CreateLanguageTable(1);
        ASSERT_NE(languageTable, nullptr);
        languageTable->records[0].enabled = 1;
        CopyToField(languageTable->records[0].filePath, language_.Path());
        languagesLoaded = 0;
    }
    void TearDown() override {
        ReleaseLanguages();
        DestroyWindow(window_);
    }
    // Pumps messages until the loader's message arrived or five seconds passed.
    void PumpUntilLoaded() {
        DWORD deadline = GetTickCount() + 5000;
        MSG msg;
        while (loadedMessages == 0 && GetTickCount() < deadline) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(5);
        }
    }

    LoaderThreadParam param;

private:
    HWND window_ = nullptr;
    TempFile language_{"lumatype_loader_win", ".lang", ManyWords()};
};

TEST_F(LanguageLoaderWinTest, MessageHandlerClosesTheHandle) {
    ASSERT_TRUE(StartLanguageLoader(&param));
    EXPECT_NE(loaderThread, nullptr);
    PumpUntilLoaded();
    EXPECT_EQ(loadedMessages, 1);
    EXPECT_EQ(loaderThread, nullptr);
    EXPECT_EQ(languagesLoaded.load(), 1);
    EXPECT_EQ(param.result, 0);
    EXPECT_EQ(FindKeyword(&languageTable->records[0], u"word19999").keywordClass, 0);
    EXPECT_TRUE(WaitForLanguageLoader());  // finds nothing to wait for
}

TEST_F(LanguageLoaderWinTest, ConvertWaitsAndTheLaterMessageFindsNoHandle) {
    ASSERT_TRUE(StartLanguageLoader(&param));
    ASSERT_TRUE(WaitForLanguageLoader());
    EXPECT_EQ(languagesLoaded.load(), 1);
    EXPECT_TRUE(FindKeyword(&languageTable->records[0], u"word0").found);
    PumpUntilLoaded();
    EXPECT_EQ(loadedMessages, 1);
    EXPECT_EQ(loaderThread, nullptr);
}

DWORD WINAPI SlowThread(LPVOID) {
    Sleep(200);
    return 0;
}

TEST_F(LanguageLoaderWinTest, WaitBlocksUntilTheThreadEndsThenCloses) {
    loaderThread = CreateThread(nullptr, 0, SlowThread, nullptr, 0, nullptr);
    ASSERT_NE(loaderThread, nullptr);
    HANDLE observer;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), loaderThread, GetCurrentProcess(), &observer, 0, FALSE,
                                DUPLICATE_SAME_ACCESS));
    EXPECT_TRUE(WaitForLanguageLoader());
    EXPECT_EQ(loaderThread, nullptr);
    EXPECT_EQ(WaitForSingleObject(observer, 0), WAIT_OBJECT_0);
    CloseHandle(observer);
}

TEST_F(LanguageLoaderWinTest, FailedWaitKeepsTheHandle) {
    void* bogus = reinterpret_cast<void*>(static_cast<uintptr_t>(0x7FFF0000));
    loaderThread = bogus;
    EXPECT_FALSE(WaitForLanguageLoader());
    EXPECT_EQ(loaderThread, bogus);
    loaderThread = nullptr;
}

}  // namespace
