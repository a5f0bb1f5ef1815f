#pragma once
// Language definitions: the table of configured languages, the definition
// file parser and the keyword lookup.
#include <atomic>
#include <cstdint>
#include "config/wide.h"

constexpr int kKeywordBuckets = 29;

struct LanguageInfo {
    int32_t enabled;
    char16_t filePath[260];
    char16_t name[32];
    char16_t escapeChar;
    char16_t lineComments[4][8];
    char16_t blockCommentOn[8];
    char16_t blockCommentOff[8];
    char16_t stringChars[32];
    char16_t delimiters[96];
    char16_t seperators[96];
    int32_t caseSensitive;
    int32_t lineCommentCount;
    int32_t keywordCount;
    int32_t keywordStride;
    int32_t bucketFirst[kKeywordBuckets];
    int32_t bucketCount[kKeywordBuckets];
    char16_t* keywords;  // keywordCount x keywordStride units, from MEM_Alloc
};

struct LanguageTable {
    int32_t count;
    LanguageInfo* records;  // count records, zero-filled at creation
};

// Bucket of a keyword's first character: letters 0-25 (folded), '#' 26, '_' 27, else 28.
int KeywordBucket(char16_t c);

// 1 on success, 0 when the file cannot be opened or the store not allocated.
int ParseLanguageFile(LanguageInfo* record);

struct KeywordMatch {
    bool found;
    int keywordClass;  // 0..9 when found
};
KeywordMatch FindKeyword(const LanguageInfo* record, WStringView word);

// Table lifetime. CreateLanguageTable returns null for count <= 0 or when the
// allocation fails.
LanguageTable* CreateLanguageTable(int32_t count);
void FreeLanguageTable(LanguageTable* table);  // frees every keyword store too
