#include "config/profile.h"

uint32_t ProfileGetString(const char16_t* section, const char16_t* key, const char16_t* defaultValue,
                          char16_t* buffer, uint32_t size, const char16_t* file) {
    return PortableProfileGetString(section, key, defaultValue, buffer, size, file);
}

int32_t ProfileGetInt(const char16_t* section, const char16_t* key, int32_t defaultValue,
                      const char16_t* file) {
    return PortableProfileGetInt(section, key, defaultValue, file);
}

bool ProfileWriteString(const char16_t* section, const char16_t* key, const char16_t* value,
                        const char16_t* file) {
    return PortableProfileWriteString(section, key, value, file);
}
