#pragma once
// The ";"-separated lists a language definition file may carry in
// [LanguageInfo] (Extensions=, Aliases=), read the same way by the program
// and the command line.
#include <cstdint>
#include "base/wide.h"

// The list `key` names in a definition file ("" when there is none).
WString ReadLanguageList(const char16_t* key, const char16_t* definitionFile);
// Whether the list holds `key`, without regard to case; a leading dot of an
// item is no part of it.
bool ListHas(WStringView list, WStringView key);
// What follows the last dot of a file name's last part; empty when nothing does.
WStringView FileExtension(WStringView fileName);

struct LanguageTable;
// The first enabled language of the table whose Extensions= list holds the
// file name's extension: its record index, or -1 when none does.
int32_t LanguageClaimingFile(const LanguageTable* table, WStringView fileName);
