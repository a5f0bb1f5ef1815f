#pragma once
// The scanner: one pass over the code text that writes each comment, string
// literal, word and single character at once through the emitter.
#include <cstddef>
#include <cstdint>
#include "config/color.h"
#include "engine/emitter.h"
#include "engine/language.h"

enum class TokenKind { Plain, Comment, Number, Keyword, String, Seperator };

constexpr size_t kWordBufferLength = 4096;     // characters, NUL included
constexpr uint32_t kInitialEscapeBytes = 2048;

// Buffers of one conversion, obtained by WriteCodeTable. The escape buffer
// only grows; its capacity is counted in bytes.
struct ScanBuffers {
    char16_t* word;
    char16_t* escape;
    uint32_t escapeCapacity;
};

// Per-conversion character classes of a language: which characters end
// words, get the separator colour, or may open a comment or string literal.
class CharClasses {
public:
    CharClasses(const LanguageInfo& language, const EscapeTable& escapes);
    bool IsDelimiter(char16_t c) const { return c < 128 ? (ascii_[c] & kDelimiter) : wideDelimiters_.Contains(c); }
    // Whether escaping may replace c (a row of the special characters has it).
    bool MayEscape(char16_t c) const { return c < 128 ? (ascii_[c] & kEscaped) : wideEscapes_; }
    bool IsSeperator(char16_t c) const { return c < 128 ? (ascii_[c] & kSeperator) : wideSeperators_.Contains(c); }
    bool MayOpen(char16_t c) const {
        return c < 128 ? (ascii_[c] & kOpener) : (everyCharacterOpens_ || wideOpeners_.Contains(c));
    }

private:
    // Characters beyond ASCII, found by a short linear search.
    struct WideSet {
        char16_t items[96];
        size_t size;
        bool Contains(char16_t c) const;
        void Add(char16_t c);
    };
    enum : uint8_t { kDelimiter = 1, kSeperator = 2, kOpener = 4, kEscaped = 8 };
    void Mark(char16_t c, uint8_t flag, WideSet& wide);

    uint8_t ascii_[128] = {};
    WideSet wideDelimiters_ = {}, wideSeperators_ = {}, wideOpeners_ = {};
    bool everyCharacterOpens_ = false;
    bool wideEscapes_ = false;
};

// A necessary condition for FindKeyword, built once per conversion: the word's
// case-folded text hashes to a bit that some stored keyword set. Most words
// that are no keyword skip the lookup.
class KeywordFilter {
public:
    explicit KeywordFilter(const LanguageInfo& language);
    bool MayMatch(WStringView word) const {
        const uint32_t hash = Hash(word);
        return (bits_[(hash >> 6) % kWords] >> (hash & 63)) & 1;
    }

private:
    static constexpr size_t kWords = 128;
    static uint32_t Hash(WStringView word);
    uint64_t bits_[kWords] = {};
};

// Scanner state of one conversion.
struct Scanner {
    Emitter& emitter;
    const LanguageInfo& language;
    const CharClasses& classes;
    const KeywordFilter& keywords;
    ScanBuffers& buffers;
    const char16_t* position;
    int32_t lineIndex;
    int32_t lineCount;
    bool atLineStart;
    TokenKind lastKind;
    ColorRef lastColour;
};

// Writes the code cell's content for the first lineCount lines of text.
// text must be NUL-terminated with a readable NUL before its first character.
// False only when the escape buffer cannot grow; the output then stops.
bool HighlightCode(Emitter& emitter, const LanguageInfo& language, const char16_t* text, int32_t lineCount,
                   ScanBuffers& buffers);

// Tries a line comment, a block comment and a string literal at the scan
// position; writes the one that matches and moves past it.
bool ScanCommentOrString(Scanner& scanner);
const char16_t* EmitLineComment(Scanner& scanner, const char16_t* position);
const char16_t* EmitBlockComment(Scanner& scanner, const char16_t* position);
const char16_t* EmitString(Scanner& scanner, const char16_t* position, int stringClass, char16_t closer);

// Copies the run of non-delimiters at position, at most 4095 characters, into
// the word buffer and returns its length; position[length] is the stop
// character. mayEscape tells whether escaping may change the word.
size_t SplitWord(const char16_t* position, const CharClasses& classes, char16_t* wordBuffer, bool& mayEscape);
