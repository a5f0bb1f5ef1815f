#pragma once
// File names as the system gives them: bytes natively, UTF-16 on Windows.
// They are opened as they stand; only messages and language detection read
// them as text.
#include <filesystem>
#include <string>
#include "base/wide.h"

// The name as text; bytes that are no UTF-8 become U+FFFD.
WString PathText(const std::filesystem::path& path);
// The name as a message shows it, in UTF-8: bytes that are no UTF-8 and
// control characters are written as \xHH, so the line stays one line and
// names the very bytes.
std::string ShownPath(const std::filesystem::path& path);
