#include "app/file_drop_win.h"

#include <new>
#include <string>
#include "app/pane_calls_win.h"
#include "config/code_text.h"
#include "base/input_file.h"
#include "engine/language_lists.h"

namespace {

constexpr wchar_t kUnreadable[] = L"无法读取文件“%s”，代码窗口保持不变。";
constexpr wchar_t kUndecodable[] = L"文件“%s”的文字编码无法识别，代码窗口保持不变。";
constexpr wchar_t kTooLarge[] = L"文件“%s”太大，内存不足，代码窗口保持不变。";

void ReportFailure(HWND owner, const wchar_t* format, const wchar_t* path) {
    std::wstring text = format;
    text.replace(text.find(L"%s"), 2, path);
    ShowProgramMessage(owner, text.c_str(), MB_ICONERROR);
}

void SelectLanguageOf(HWND combo, const LanguageTable* table, const wchar_t* path, WStringView firstLine) {
    const int32_t record = LanguageClaimingFile(table, reinterpret_cast<const char16_t*>(path), firstLine);
    if (record < 0) return;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (SendMessageW(combo, CB_GETITEMDATA, i, 0) == record) {
            SendMessageW(combo, CB_SETCURSEL, i, 0);
            return;
        }
    }
}

// The format of the message that says why the file was not loaded; null
// once it is in the pane, its first line (which may tell the language) in
// firstLine.
const wchar_t* LoadInto(HWND codePane, const wchar_t* path, WString& firstLine) {
    std::string error;
    const std::unique_ptr<InputSource> input = OpenInputFile(std::filesystem::path(path), error);
    if (!input) return kUnreadable;
    const DecodedText decoded = DecodeCodeText(*input);
    if (!decoded.text) return decoded.readError ? kUnreadable : kUndecodable;
    const WStringView text = decoded.text->View();
    firstLine.assign(text.substr(0, text.find_first_of(u"\r\n")));
    // NULs are U+FFFD by now, so the pane takes the whole text.
    SendMessageW(codePane, EM_SETSEL, 0, -1);
    SendMessageW(codePane, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(decoded.text->View().data()));
    return nullptr;
}

}  // namespace

bool LoadCodeFile(HWND owner, const wchar_t* path, HWND codePane, HWND languageCombo, const LanguageTable* table) {
    const wchar_t* failure = nullptr;
    WString firstLine;
    try {
        failure = LoadInto(codePane, path, firstLine);
    } catch (const std::bad_alloc&) {
        failure = kTooLarge;
    }
    if (failure) {
        ReportFailure(owner, failure, path);
        return false;
    }
    SelectLanguageOf(languageCombo, table, path, firstLine);
    return true;
}

bool LoadDroppedFile(HWND owner, HDROP drop, HWND codePane, HWND languageCombo, const LanguageTable* table) {
    bool loaded = false;
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    if (length > 0) {
        std::wstring path(length + 1, L'\0');
        if (DragQueryFileW(drop, 0, path.data(), length + 1) == length)
            loaded = LoadCodeFile(owner, path.c_str(), codePane, languageCombo, table);
    }
    DragFinish(drop);
    return loaded;
}
