#pragma once
// 8-bit text in the system ANSI code page to UTF-16.
#include <string_view>
#include "base/wide.h"

// Windows uses CP_ACP; the native build reads valid UTF-8 as UTF-8 and
// anything else as GBK (code page 936, what the program's users write their
// files in).
WString AnsiToWide(std::string_view bytes);

// How every line of one 8-bit text file is decoded. The choice is made once
// per file so that a line whose bytes happen to form valid UTF-8 is not read
// differently from its neighbours. Windows always uses the system ANSI code
// page; the native build uses UTF-8 when the whole file is valid UTF-8, else
// GBK.
enum class AnsiFileEncoding { SystemCodePage, Utf8, Gbk };
AnsiFileEncoding DetectAnsiFileEncoding(std::string_view wholeFile);
WString AnsiFileLineToWide(std::string_view line, AnsiFileEncoding encoding);
