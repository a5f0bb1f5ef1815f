#pragma once
// Whole-file access by UTF-16 path. Paths use the program's Windows form
// (directory "\" name); the native build maps backslashes to slashes.
#include <cstdio>
#include <optional>
#include <string>
#include "base/wide.h"

std::optional<std::string> ReadFileBytes(WStringView path);
// Writes atomically enough for settings: whole content or failure.
bool WriteFileBytes(WStringView path, const std::string& bytes);
// fopen with a UTF-16 path; mode as for fopen ("rb", "wb").
FILE* OpenFile(WStringView path, const char* mode);
