#pragma once
// Paths of files in the program's directory.
#include <cstddef>
#include "base/limits.h"
#include "base/wide.h"

// The program's directory, cached on first use ("" when it cannot be found).
const WString& ProgramDirectory();

// destination = directory "\" name (or the bare directory when name is null).
// Fails, leaving an empty destination, when the result does not fit in
// destinationSize units; callers then treat the file as missing.
bool JoinModulePath(char16_t* destination, size_t destinationSize, WStringView directory,
                    const char16_t* name);
bool ModulePath(char16_t* destination /* kMaxPath units */, const char16_t* name);
