#pragma once
// The parts of code page 936 (GBK) that follow no rule, as tables; the
// decoder in code_pages.cpp derives the rest.
#include <cstddef>

constexpr size_t kGbkRowLength = 94;        // trail bytes A1-FE of a GB 2312 row
constexpr size_t kGbkLowTrailCount = 96;    // trail bytes 40-A0 without 7F
constexpr size_t kGbkSymbolRowCount = 9;    // rows A1-A9
constexpr size_t kGbkHanziRowCount = 72;    // rows B0-F7
constexpr size_t kGbkFinalCodeCount = 101;  // FD9C-FDA0 and FE40-FEA0

extern const char16_t kGbkSymbolRows[kGbkSymbolRowCount * kGbkRowLength + 1];
extern const char16_t kGbkHanziRows[kGbkHanziRowCount * kGbkRowLength + 1];
extern const char16_t kGbkSymbolExtension[2 * kGbkLowTrailCount + 1];
extern const char16_t kGbkFinalCodes[kGbkFinalCodeCount + 1];
