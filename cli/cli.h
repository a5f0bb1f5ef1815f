#pragma once
// lumatype-cli: converts a code file to the HTML the program's Convert
// command writes, byte for byte.
#include <cstdio>
#include <vector>
#include "config/wide.h"

constexpr int kCliExitError = 2;

// args excludes the program name. Reads code from `in` for "-" or no file.
int RunCli(const std::vector<WString>& args, FILE* in, FILE* out, FILE* err);
