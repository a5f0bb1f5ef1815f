#pragma once
// The optional keys of [LanguageInfo] that describe constructs running across
// lines or depending on their context (long and raw strings, heredocs,
// nested and line-anchored comments, regular-expression literals, directive
// lines, keys, markup). Files without them are read exactly as before.
#include "base/wide.h"
#include "engine/language.h"

// Applies one settings line when it is one of these keys; false otherwise.
// A malformed value leaves the record as it was.
bool ApplyLanguageRule(LanguageInfo* record, WStringView line);
