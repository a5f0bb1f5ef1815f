#include "app/convert_command_win.h"

#include "app/main_window_state_win.h"
#include "app/main_window_win.h"
#include "app/pane_calls_win.h"
#include "app/rtf_stream_win.h"
#include "app/status_texts.h"
#include "base/memory.h"
#include "engine/convert.h"

namespace {

constexpr int kStartLineTextBuffer = 512;

void ShowError(HWND mainWindow, const char16_t* text) {
    ShowProgramMessage(mainWindow, reinterpret_cast<const wchar_t*>(text), MB_ICONERROR);
}

void SetStatus(const MainWindowState& state, const char16_t* text) {
    SetWindowTextW(state.children[kStatusBar], reinterpret_cast<const wchar_t*>(text));
}

// In the status bar and in a message box.
void ShowFailure(HWND mainWindow, const MainWindowState& state, const char16_t* text) {
    SetStatus(state, text);
    ShowError(mainWindow, text);
}

// The status bar's text, to put back when the engine ends before converting.
WString StatusText(const MainWindowState& state) {
    HWND bar = state.children[kStatusBar];
    WString text(static_cast<size_t>(GetWindowTextLengthW(bar)) + 1, u'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(bar, reinterpret_cast<wchar_t*>(text.data()),
                                                   static_cast<int>(text.size()))));
    return text;
}

const LanguageInfo* SelectedLanguage(const MainWindowState& state) {
    HWND combo = state.children[kLanguageCombo];
    const LRESULT selection = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (selection < 0 || !languageTable) return nullptr;
    const LRESULT index = SendMessageW(combo, CB_GETITEMDATA, selection, 0);
    if (index < 0 || index >= languageTable->count) return nullptr;
    return &languageTable->records[index];
}

// The language records are complete once the loader thread has ended. The
// handle is closed here even when the loader has already finished, so its
// message, arriving later, leaves this conversion's status alone.
bool LoaderDone() {
    if (!loaderThread) return true;
    if (!AwaitLanguageLoaderExit()) return false;
    CloseLanguageLoader();
    return true;
}

// The pane's text between two NULs, as the scanner reads it; the caller
// frees the block with MEM_Free.
char16_t* ReadCodePane(HWND pane, LRESULT length, size_t& read) {
    const uint64_t bytes = 2 * static_cast<uint64_t>(length) + 4;
    auto* buffer = bytes > UINT32_MAX ? nullptr : static_cast<char16_t*>(MEM_Alloc(static_cast<uint32_t>(bytes)));
    if (!buffer) return nullptr;
    buffer[0] = 0;
    read = static_cast<size_t>(
        SendMessageW(pane, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(buffer + 1)));
    buffer[1 + read] = 0;
    return buffer;
}

}  // namespace

int ConvertCommand(HWND mainWindow) {
    const MainWindowState* state = MainStateOf(mainWindow);
    if (!state) return 0;
    const LanguageInfo* language = SelectedLanguage(*state);
    HWND codePane = state->children[kCodePane];
    const LRESULT length = SendMessageW(codePane, WM_GETTEXTLENGTH, 0, 0);
    if (!language || length <= 0) return 0;
    if (!LoaderDone()) {
        ShowError(mainWindow, kLoaderFailedMessage);
        return 0;
    }
    size_t read = 0;
    char16_t* code = ReadCodePane(codePane, length, read);
    if (!code) {
        ShowError(mainWindow, kTextBufferFailedMessage);
        return 0;
    }
    const WString previousStatus = StatusText(*state);
    SetStatus(*state, kConvertingStatus);
    const bool showLineNumbers = SendMessageW(state->children[kLineNumbersBox], BM_GETCHECK, 0, 0) == BST_CHECKED;
    char16_t startLine[kStartLineTextBuffer];
    const int startLineLength = GetWindowTextW(state->children[kStartLineEdit], reinterpret_cast<wchar_t*>(startLine),
                                               kStartLineTextBuffer);

    // The HTML is about three times the code; reserving for it saves regrowth.
    RtfSink sink(3 * read, RtfSink::kParagraphsPerPiece, paneCalls.rtfSinkMemory);
    const ConvertResult result = ConvertPaddedCode(state->settings, state->activeTheme, language, {code + 1, read},
                                                   showLineNumbers, WStringView(startLine, startLineLength), sink);
    MEM_Free(code);
    if (result == ConvertResult::NothingToDo || result == ConvertResult::TextBufferFailed) {
        SetStatus(*state, previousStatus.c_str());
        if (result == ConvertResult::TextBufferFailed) ShowError(mainWindow, kTextBufferFailedMessage);
        return 0;
    }
    // A sink that ran out of memory holds part of the HTML at best. The pane
    // takes the document in one operation, so there is no partial HTML to
    // show: the previous HTML stays, and the failure is told as any other
    // while the HTML is written.
    const RtfSink::Document document = sink.Finish();
    if (sink.Failed()) {
        ShowFailure(mainWindow, *state, kTableFailedMessage);
        return 0;
    }
    // What was produced goes into a new pane, also the part of a failed
    // table; a pane too large to finish gives way to the previous one.
    HWND spare = CreateSpareHtmlPane(mainWindow);
    const PaneFill fill = StreamRtfIntoPane(spare ? spare : state->children[kHtmlPane], document,
                                             paneCalls.roomForAnotherPiece);
    if (fill == PaneFill::TooLarge && spare) {
        DestroyWindow(spare);
        ShowFailure(mainWindow, *state, kHtmlTooLargeMessage);
        return 0;
    }
    if (spare) SwapInHtmlPane(mainWindow, spare);
    if (result == ConvertResult::TableFailed || fill != PaneFill::Complete) {
        ShowFailure(mainWindow, *state, kTableFailedMessage);
        return 0;
    }
    SetStatus(*state, kConvertedStatus);
    return 1;
}
