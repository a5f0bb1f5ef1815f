// Tessella.dll: the library entry and its four exports.
#include <windows.h>

#include "controls/frame/class_registration_win.h"
#include "controls/tessella.h"

namespace {
HINSTANCE g_module = nullptr;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        g_module = instance;
        break;
    case DLL_PROCESS_DETACH:
        // The clock and slider classes stay registered until the process ends.
        UnregisterMultiSelectClass(g_module);
        g_module = nullptr;
        break;
    }
    return TRUE;
}

ATOM WINAPI RegisterTessella(void) {
    RegisterMultiSelectClass(g_module);
    return RegisterClockClass(g_module);
}

ATOM WINAPI RegisterSliders(void) { return RegisterSliderClass(g_module); }

int WINAPI UnicodeToAnsi(const wchar_t* text, char* buffer, int bufferBytes) {
    if (!text || bufferBytes < 0 || (bufferBytes > 0 && !buffer)) return 0;
    return WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, bufferBytes, nullptr, nullptr);
}

int WINAPI AnsiToUnicode(const char* text, wchar_t* buffer, int bufferChars) {
    if (!text || bufferChars < 0 || (bufferChars > 0 && !buffer)) return 0;
    return MultiByteToWideChar(CP_ACP, 0, text, -1, buffer, bufferChars);
}
