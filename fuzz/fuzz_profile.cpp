// The INI reader on arbitrary content, parsed in memory: every lookup stays
// inside its buffer and terminates it, a field read keeps to its field, and
// a UTF-16 file (any bytes after its mark) comes back byte for byte.
#include <cstring>
#include <string>
#include "config/profile.h"
#include "config/profile_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const ProfileDocument profile(bytes);
    static const char16_t* const sections[] = {u"Common", u"Languages", u"SpecialChars", u"Text", u""};
    static const char16_t* const keys[] = {u"Count", u"Item1", u"font_family", u"Html", u""};
    for (const char16_t* section : sections) {
        for (const char16_t* key : keys) {
            char16_t buffer[48];
            std::memset(buffer, 0xAB, sizeof buffer);
            const uint32_t copied = ProfileDocumentGetString(profile, section, key, u"default", buffer, 16);
            if (copied > 15 || buffer[copied] != 0 || buffer[16] != 0xABAB) __builtin_trap();
            std::memset(buffer, 0xAB, sizeof buffer);
            const uint32_t kept = ProfileDocumentGetField(profile, section, key, u"\"2px\" ", buffer, 16);
            if (kept > 15 || buffer[kept] != 0 || buffer[16] != 0xABAB) __builtin_trap();
            ProfileDocumentGetInt(profile, section, key, 7);
        }
    }
    const bool utf16 = bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0;
    if (utf16 && profile.Bytes() != bytes) __builtin_trap();
    return 0;
}
