#pragma once
// 8-bit encoding of text written into an ANSI profile file.
#include <string>
#include <string_view>
#include "base/wide.h"

// Encodes text in the 8-bit form of the ANSI profile file whose current
// content is fileBytes, so an edit keeps the file in one encoding. Windows
// uses CP_ACP; the native build writes UTF-8 unless the file is already in
// GBK (not valid UTF-8). Characters the encoding lacks become '?'.
std::string WideToProfileAnsi(WStringView text, std::string_view fileBytes);
