#include <windows.h>

#include "config/profile.h"

static const wchar_t* W(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }

uint32_t ProfileGetString(const char16_t* section, const char16_t* key, const char16_t* defaultValue,
                          char16_t* buffer, uint32_t size, const char16_t* file) {
    return GetPrivateProfileStringW(W(section), W(key), W(defaultValue), reinterpret_cast<wchar_t*>(buffer),
                                    size, W(file));
}

int32_t ProfileGetInt(const char16_t* section, const char16_t* key, int32_t defaultValue,
                      const char16_t* file) {
    return static_cast<int32_t>(GetPrivateProfileIntW(W(section), W(key), defaultValue, W(file)));
}

bool ProfileWriteString(const char16_t* section, const char16_t* key, const char16_t* value,
                        const char16_t* file) {
    // The platform would write such text as it stands and read back other lines.
    if (!ProfileEntryIsWritable(section, key, value)) return false;
    return WritePrivateProfileStringW(W(section), W(key), W(value), W(file)) != FALSE;
}
