#pragma once
// The scanner: one pass over the code text that writes each comment, string
// literal, word and single character at once through the emitter.
#include <cstddef>
#include <cstdint>
#include "config/color.h"
#include "engine/emitter.h"
#include "engine/language.h"

enum class TokenKind { Plain, Comment, Number, Keyword, String, Seperator };

constexpr size_t kMaxWordLength = 4095;  // longer runs of non-delimiters are cut into words
constexpr uint32_t kInitialEscapeBytes = 2048;
constexpr int kLineCommentSlots = 4;

// The escape buffer of one conversion, obtained by WriteCodeTable, for sinks
// that keep each chunk's colour. It only grows; its capacity is in bytes.
struct ScanBuffers {
    char16_t* escape;
    uint32_t escapeCapacity;
};

// Per-conversion character classes of a language: which characters end
// words, get the separator colour, may open a comment or string literal, or
// may be replaced by escaping. NUL, CR and LF end every word, so a line break
// is never part of one. One byte for each UTF-16 unit: a class is a single
// load, for Chinese text as for ASCII.
class CharClasses {
public:
    CharClasses(const LanguageInfo& language, const EscapeTable& escapes);
    bool IsDelimiter(char16_t c) const { return flags_[c] & kDelimiter; }
    bool MayEscape(char16_t c) const { return flags_[c] & kEscaped; }
    bool IsSeperator(char16_t c) const { return flags_[c] & kSeperator; }
    bool MayOpen(char16_t c) const { return flags_[c] & kOpener; }
    // Length of the run of non-delimiters at text, at most `limit`; sets
    // mayEscape when escaping may change some character of it. While
    // `readable` units from text on may be read, eight units are classed at
    // a time without a branch on each: most words end inside the first eight,
    // so the loop's exit is predicted, not the word's end.
    size_t WordLength(const char16_t* text, size_t limit, size_t readable, bool& mayEscape) const {
        size_t length = 0;
        uint64_t escaped = 0;
        for (; length + 8 <= readable && length + 8 <= limit; length += 8) {
            // The flags of eight units, one byte each in text order.
            const auto byte = [this, at = text + length](unsigned i) { return uint64_t{flags_[at[i]]} << (8 * i); };
            const uint64_t eight = byte(0) | byte(1) | byte(2) | byte(3) | byte(4) | byte(5) | byte(6) | byte(7);
            const uint64_t delimiters = eight & kEachByte * kDelimiter;
            if (delimiters) {
                const unsigned count = static_cast<unsigned>(__builtin_ctzll(delimiters)) / 8;
                const uint64_t before = (uint64_t{1} << (8 * count)) - 1;
                mayEscape = (escaped | (eight & before & kEachByte * kEscaped)) != 0;
                return length + count;
            }
            escaped |= eight & kEachByte * kEscaped;
        }
        uint8_t seen = 0;
        for (uint8_t flags; length < limit && !((flags = flags_[text[length]]) & kDelimiter); ++length) seen |= flags;
        mayEscape = escaped || (seen & kEscaped);
        return length;
    }

private:
    enum : uint8_t { kDelimiter = 1, kSeperator = 2, kOpener = 4, kEscaped = 8 };
    static constexpr uint64_t kEachByte = 0x0101010101010101ULL;
    uint8_t flags_[65536];
};

// The comment and string markers of a language, read once per conversion. A
// comment marker that holds a line break never matches, so no comment takes
// one in with its markers.
struct Markers {
    explicit Markers(const LanguageInfo& language);
    WStringView stringTriples;  // class digit, opener, closer
    WStringView lineOpeners[kLineCommentSlots];
    int lineOpenerCount = 0;
    WStringView blockOpener;  // empty: no block comments
    WStringView blockCloser;  // empty: a block comment ends right after its opener
    bool blockCloses = true;  // false: the closer never matches
};

// Scanner state of one conversion.
struct Scanner {
    Emitter& emitter;
    const LanguageInfo& language;
    const CharClasses& classes;
    const Markers& markers;
    const KeywordIndex& keywords;
    ScanBuffers& buffers;
    TabStops* tabStops;  // null when tabs have a fixed width
    const char16_t* position;
    const char16_t* end;  // the NUL after the text
    int32_t lineIndex;
    int32_t lineCount;
    bool atLineStart;
    TokenKind lastKind;
    ColorRef lastColour;
};

// Writes the code cell's content for the first lineCount lines of text.
// text[-1] and text[length] must be readable NULs; the scan stops at the
// first NUL.
// A line break is CR LF, a lone CR or a lone LF; each one within the counted
// lines but the last is written as "<br/>", wherever it stands.
// False only when the escape buffer cannot grow; the output then stops.
bool HighlightCode(Emitter& emitter, const LanguageInfo& language, const char16_t* text, size_t length,
                   int32_t lineCount, ScanBuffers& buffers);

// Tries a line comment, a block comment and a string literal at the scan
// position; writes the one that matches and moves past it. Only where
// CharClasses::MayOpen holds can one match.
bool ScanCommentOrString(Scanner& scanner);
const char16_t* EmitLineComment(Scanner& scanner, const char16_t* position);
const char16_t* EmitBlockComment(Scanner& scanner, const char16_t* position);
const char16_t* EmitString(Scanner& scanner, const char16_t* position, int stringClass, char16_t closer);

// Length of the run of non-delimiters at position, at most kMaxWordLength;
// position[length] is the stop character. mayEscape tells whether escaping
// may change the word. Units up to end (a NUL) may be read.
inline size_t SplitWord(const char16_t* position, const char16_t* end, const CharClasses& classes, bool& mayEscape) {
    return classes.WordLength(position, kMaxWordLength, static_cast<size_t>(end - position) + 1, mayEscape);
}
