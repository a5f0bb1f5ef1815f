// Colour texts: any text gives a value, without reading past its end.
#include <vector>
#include "config/color.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<char16_t> text(size / 2 + 1, 0);
    for (size_t i = 0; i + 1 < size; i += 2) text[i / 2] = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    ParseColorValue(text.data());
    return 0;
}
