#pragma once
// Whole-file access by UTF-16 path. Paths use the program's Windows form
// (directory "\" name); the native build maps backslashes to slashes.
#include <cstdio>
#include <optional>
#include <string>
#include "config/wide.h"

std::optional<std::string> ReadFileBytes(WStringView path);
// Writes atomically enough for settings: whole content or failure.
bool WriteFileBytes(WStringView path, const std::string& bytes);
// fopen with a UTF-16 path; mode as for fopen ("rb", "wb").
FILE* OpenFile(WStringView path, const char* mode);

// 8-bit text in the system ANSI code page to UTF-16. Windows uses CP_ACP; the
// native build reads valid UTF-8 as UTF-8 and anything else as GBK (code page
// 936, what the program's users write their files in).
WString AnsiToWide(std::string_view bytes);

// How every line of one 8-bit text file is decoded. The choice is made once
// per file so that a line whose bytes happen to form valid UTF-8 is not read
// differently from its neighbours. Windows always uses the system ANSI code
// page; the native build uses UTF-8 when the whole file is valid UTF-8, else
// GBK.
enum class AnsiFileEncoding { SystemCodePage, Utf8, Gbk };
AnsiFileEncoding DetectAnsiFileEncoding(std::string_view wholeFile);
WString AnsiFileLineToWide(std::string_view line, AnsiFileEncoding encoding);
