#pragma once
// The ";"-separated lists a language definition file may carry in
// [LanguageInfo] (Extensions=, Aliases=, FileNames=), and how they and a
// file's first line pick a language, the same way in the program and the
// command line.
#include <cstdint>
#include <vector>
#include "base/wide.h"

// The list `key` names in a definition file ("" when there is none).
WString ReadLanguageList(const char16_t* key, const char16_t* definitionFile);
// Whether the list holds `key`, without regard to case; a leading dot of an
// item is no part of it.
bool ListHas(WStringView list, WStringView key);
// What follows the last dot of a file name's last part; empty when nothing does.
WStringView FileExtension(WStringView fileName);

// What follows the last '/' or '\\' of a path.
WStringView BaseName(WStringView path);

// The names the code's first line suggests, most telling first: "xml" for
// "<?xml", "php" for "<?php", "html" for "<!DOCTYPE html", else the
// interpreter of "#!" and that name without its version ("python3.11",
// "python"). Empty when the line tells nothing.
std::vector<WString> FirstLineLanguageKeys(WStringView code);

struct LanguageTable;
// The first enabled language of the table whose FileNames= list holds the
// file's name, else whose Extensions= list holds its extension, else that a
// name from its first line names (by the language's name, an alias or an
// extension): its record index, or -1 when none does.
int32_t LanguageClaimingFile(const LanguageTable* table, WStringView fileName, WStringView code = {});
