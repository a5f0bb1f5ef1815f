#pragma once
// Language definitions: the table of configured languages, the definition
// file parser and the keyword lookup.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string_view>
#include "base/limits.h"
#include "base/wide.h"

constexpr int kKeywordBuckets = 29;

// Constructs that run across lines or depend on their context, from the
// optional keys of [LanguageInfo] (engine/language_rules.cpp). A file without
// those keys leaves all of it zero, and zero means "none of them".
constexpr int kMaxRegionRules = 8;
constexpr int kRegionMarkerUnits = 16;  // an opener, a closer or a letter set: at most 15 units
constexpr int kMaxRegionTag = 32;       // a heredoc's or a raw string's tag
constexpr int kRegexKeywordUnits = 128;

enum class RegionKind : uint8_t {
    None, LongString, LongComment, TaggedString, TaggedComment, Heredoc, AnchoredComment
};

// Options of a region rule, as bits.
enum : uint8_t {
    kRegionEscapes = 1,         // the escape character escapes inside
    kRegionAtLineStart = 2,     // opens only where a line's first non-blank stands; closes likewise
    kRegionNested = 4,          // the opener nests
    kRegionBlankBeforeTag = 8,  // a heredoc's tag may follow blanks
    kRegionIndentedCloser = 16  // a heredoc's closing tag may always be indented
};

struct RegionRule {
    RegionKind kind;
    uint8_t stringClass;
    uint8_t options;
    char16_t opener[kRegionMarkerUnits];  // tagged: '~' stands for the tag
    char16_t closer[kRegionMarkerUnits];
    char16_t letters[kRegionMarkerUnits];  // prefix letters of a long string; a tagged rule's tag characters
    // Opens code inside a long string ("${"), up to the partner of its last bracket.
    char16_t embedded[kRegionMarkerUnits];
};

enum class KeyKind : uint8_t { None, Strings, StringsAndWords };

struct LanguageRules {
    int32_t ruleCount;
    RegionRule rules[kMaxRegionRules];
    bool nestedComments;              // the block comment nests
    char16_t directiveChar;           // 0: no directive lines
    bool regexLiterals;               // '/' where an operand is expected opens a literal
    int32_t regexClass;
    char16_t regexKeywords[kRegexKeywordUnits];  // blank-separated words after which an operand is expected
    KeyKind keys;                     // what may be a key when ':' follows
    int32_t keyClass;
    bool markup;                      // strings only inside tags, words between tags plain
    bool tagBrackets;                 // a tag's brackets and an attribute's '=' take their classes
    int32_t tagClass;
    int32_t attributeClass;
};

struct LanguageInfo {
    int32_t enabled;
    char16_t filePath[kMaxPath];
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
    LanguageRules rules;
};

struct LanguageTable {
    int32_t count;
    LanguageInfo* records;  // count records, zero-filled at creation
};

// Bucket of a keyword's first character: letters 0-25 (folded), '#' 26, '_' 27, else 28.
int KeywordBucket(char16_t c);

// 1 on success, 0 when the file cannot be opened or the store not allocated.
int ParseLanguageFile(LanguageInfo* record);
// The same over a definition file's bytes held in memory.
int ParseLanguageText(LanguageInfo* record, std::string_view bytes);

struct KeywordMatch {
    bool found;
    int keywordClass;  // 0..9 when found
};
KeywordMatch FindKeyword(const LanguageInfo* record, WStringView word);

// What FindKeyword finds (the first slot of the word's bucket that equals
// it), by a hash of the case-folded length and first, second and last
// characters: built once per conversion, it answers most words in one probe.
// Without memory for the index, FindKeyword itself answers.
class KeywordIndex {
public:
    explicit KeywordIndex(const LanguageInfo& record);
    KeywordMatch Find(WStringView word) const {
        if (word.empty() || word.size() > longest_) return {false, 0};
        return entries_ ? Probe(word) : FindKeyword(&record_, word);
    }

private:
    struct Entry {
        uint32_t key;
        int32_t slot;  // -1: empty
    };
    // Words equal but for ASCII case have the same key: setting bit 5 folds
    // every ASCII letter (and some other characters with it, which costs a
    // comparison at most).
    static uint32_t Key(WStringView word) {
        return (uint32_t{word[0] | 0x20u} << 16) ^ (uint32_t{word[word.size() > 1] | 0x20u} << 8) ^
               (uint32_t{word.back() | 0x20u} << 4) ^ static_cast<uint32_t>(word.size());
    }
    WStringView SlotText(int64_t slot) const;
    bool SlotHolds(int32_t slot, WStringView word) const;
    KeywordMatch Probe(WStringView word) const;
    void Insert(WStringView keyword, int32_t slot);

    const LanguageInfo& record_;
    std::unique_ptr<Entry[]> entries_;
    uint32_t mask_ = 0;
    size_t longest_ = 0;
};

// Table lifetime. CreateLanguageTable returns null for count <= 0 or when the
// allocation fails.
LanguageTable* CreateLanguageTable(int32_t count);
void FreeLanguageTable(LanguageTable* table);  // frees every keyword store too
