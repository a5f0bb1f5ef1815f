// The INI reader: every lookup on arbitrary file content stays inside its
// buffer and terminates it.
#include <cstring>
#include "config/profile.h"
#include "fuzz_temp_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const WString& path = WriteFuzzFile(data, size);
    static const char16_t* const sections[] = {u"Common", u"Languages", u"SpecialChars", u"Text", u""};
    static const char16_t* const keys[] = {u"Count", u"Item1", u"font_family", u"Html", u""};
    for (const char16_t* section : sections) {
        for (const char16_t* key : keys) {
            char16_t buffer[48];
            std::memset(buffer, 0xAB, sizeof buffer);
            const uint32_t copied = PortableProfileGetString(section, key, u"default", buffer, 16, path.c_str());
            if (copied > 15 || buffer[copied] != 0 || buffer[16] != 0xABAB) __builtin_trap();
            PortableProfileGetInt(section, key, 7, path.c_str());
        }
    }
    return 0;
}
