#pragma once
// The real main window created in-process for the Wine tests and benchmark,
// with the program's configuration beside the executable.
#include <windows.h>

#include <string>

#include "engine/output_sink.h"

// Registers the class once, creates the window at a client size, shows it
// and waits until the language loader has finished.
class MainWindowUnderTest {
public:
    MainWindowUnderTest(int clientWidth, int clientHeight);
    ~MainWindowUnderTest();
    MainWindowUnderTest(const MainWindowUnderTest&) = delete;
    MainWindowUnderTest& operator=(const MainWindowUnderTest&) = delete;

    HWND handle() const { return window_; }
    HWND Child(int id) const { return GetDlgItem(window_, id); }
    void SetClientSize(int width, int height);
    // Selects the combo item whose text is name; false when none is.
    bool SelectLanguage(const wchar_t* name);
    void SetCode(const std::wstring& code);
    // Runs Convert as the menu does.
    void Convert();
    std::wstring Text(int id) const;
    // Handles what is queued, for a while or until the queue is empty.
    static void Pump(DWORD milliseconds = 0);

private:
    HWND window_ = nullptr;
};

// Text with every line end (CR LF, CR or LF) made CR LF, as the code pane holds it.
std::wstring WithCrLf(const std::wstring& text);
// A UTF-8 file's text, or "" when it cannot be read.
std::wstring ReadUtf8File(const std::wstring& path);

// Delivers every chunk to a rich-edit pane with AppendColoredText, one
// insertion each: the reference the one-operation sink is measured against.
class AppendingSink final : public OutputSink {
public:
    explicit AppendingSink(HWND pane) : pane_(pane) {}
    void Append(const char16_t* text, size_t length, ColorRef color, bool bold) override;

private:
    HWND pane_;
    std::wstring chunk_;
};
