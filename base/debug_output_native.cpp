#include <cstdio>

#include "base/debug_output.h"
#include "base/wide.h"

void PlatformDebugOutput(const char16_t* text) {
    fprintf(stderr, "%s\n", WideToUtf8(WString(text ? text : u"")).c_str());
}
