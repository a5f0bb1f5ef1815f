#pragma once
// Private messages of the main window.
#include <cstdint>

// Posted by the language loader when every definition file is parsed.
constexpr uint32_t WM_LANGUAGES_LOADED = 1124;  // WM_USER + 100
