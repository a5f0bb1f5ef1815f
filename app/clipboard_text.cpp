#include "app/clipboard_text.h"

WStringView TextOfBlock(const void* block, size_t bytes) {
    const WStringView units(static_cast<const char16_t*>(block), bytes / sizeof(char16_t));
    return units.substr(0, units.find(u'\0'));
}
