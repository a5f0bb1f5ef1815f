#pragma once
// lumatype-cli: converts code files to the HTML the program's Convert
// command writes, byte for byte.
#include <cstdio>
#include <filesystem>
#include <vector>

// 0: converted. 1: nothing to convert, or some files of a batch failed.
// 2: the command line, the settings or the one input could not be used.
constexpr int kCliExitError = 2;

// args excludes the program name; each is as the system gave it (bytes
// natively, UTF-16 on Windows), so any file name is opened as it stands.
// Reads code from `in` for "-" or no file; every failure is one line on `err`.
int RunCli(const std::vector<std::filesystem::path>& args, FILE* in, FILE* out, FILE* err);
