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
// words, get the separator colour, may open a comment or string literal, may
// be replaced by escaping, or stop the scan of a block comment. NUL, CR and
// LF end every word, so a line break is never part of one. One byte for each
// UTF-16 unit: a class is a single load, for Chinese text as for ASCII.
class CharClasses {
public:
    CharClasses(const LanguageInfo& language, const EscapeTable& escapes);
    bool IsDelimiter(char16_t c) const { return flags_[c] & kDelimiter; }
    bool MayEscape(char16_t c) const { return flags_[c] & kEscaped; }
    bool IsSeperator(char16_t c) const { return flags_[c] & kSeperator; }
    bool MayOpen(char16_t c) const { return flags_[c] & kOpener; }
    // NUL, a tab, a line break or the first character of the block-comment closer.
    bool StopsBlockComment(char16_t c) const { return flags_[c] & kBlockStop; }
    // NUL, a tab, a line break, or what may end or nest something inside one
    // of the optional constructs' regions (a closer's or opener's first
    // character, the escape character, an embedded code's brackets).
    bool StopsRegion(char16_t c) const { return flags_[c] & kRegionStop; }
    // Length of the run of non-delimiters at text, at most `limit`; sets
    // mayEscape when escaping may change some character of it.
    size_t WordLength(const char16_t* text, size_t limit, bool& mayEscape) const {
        size_t length = 0;
        uint8_t seen = 0;
        for (uint8_t flags; length < limit && !((flags = flags_[text[length]]) & kDelimiter); ++length) seen |= flags;
        mayEscape = seen & kEscaped;
        return length;
    }

private:
    enum : uint8_t { kDelimiter = 1, kSeperator = 2, kOpener = 4, kEscaped = 8, kBlockStop = 16, kRegionStop = 32 };
    void MarkRuleCharacters(const LanguageInfo& language);
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
    const LanguageRules& rules;
    bool hasRules;          // any of the optional keys is set
    bool contextualWords;   // a word's context may decide its colour (markup, plain keys)
};

// The one record of what crosses a line besides the main loop's own state:
// the comment or literal being written (its colour, closer with any tag,
// nesting depth), a heredoc whose body opens at the next line break, whether
// the scan is inside a markup tag, and up to where no regular-expression
// literal can open (a '/' that found no closer on its line).
enum class MarkupPlace : uint8_t { Text, TagName, Attributes };
struct OpenRegion {
    ColorRole role = ColorRole::Comment;
    bool escapes = false;
    bool anchored = false;         // the closer counts only at a line's start
    bool indented = false;         // ... after blanks
    bool takesRestOfLine = false;  // the closer's line belongs to the region
    bool endsTag = false;          // the closer must not run on into a word
    bool directive = false;  // the line is a directive: one colour to its end
    bool heredocPending = false;
    bool heredocIndented = false;
    ColorRole heredocRole = ColorRole::String0;
    uint8_t heredocTagLength = 0;
    char16_t heredocTag[kMaxRegionTag];
    MarkupPlace markup = MarkupPlace::Text;
    int32_t depth = 0;  // of nesting; capped, so a deeper run closes early
    WStringView nestOpener;
    // Code inside a string ("${...}" of a template literal): from the opener
    // to its bracket's partner, brackets counted, the closer does not count.
    WStringView codeOpener;
    char16_t codeOpen = 0, codeClose = 0;
    int32_t codeDepth = 0;
    uint8_t closerLength = 0;
    char16_t closer[kMaxRegionTag + kRegionMarkerUnits];
    const char16_t* noRegexBefore = nullptr;
    WStringView Closer() const { return WStringView(closer, closerLength); }
};
constexpr int32_t kMaxNesting = 255;

inline bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

// Where every comment, string literal and word ends at the latest.
inline bool EndsLine(char16_t c) { return c <= u'\r' && (c == 0 || IsLineBreak(c)); }

// Like wcsncmp(text, prefix, prefix length) == 0; stops at the text's NUL.
inline bool StartsWith(const char16_t* text, WStringView prefix) {
    for (size_t i = 0; i < prefix.size(); ++i)
        if (text[i] != prefix[i]) return false;
    return true;
}

// Past a line break: CR LF, or a lone CR or LF, so the scan never skips the NUL.
inline const char16_t* AfterLineBreak(const char16_t* lineBreak) {
    return lineBreak[0] == u'\r' && lineBreak[1] == u'\n' ? lineBreak + 2 : lineBreak + 1;
}

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
    int32_t lineIndex;
    int32_t lineCount;
    bool atLineStart;
    TokenKind lastKind;
    ColorRef lastColour;
    OpenRegion region;
};

// Writes the code cell's content for the first lineCount lines of text.
// text must be NUL-terminated with a readable NUL before its first character.
// A line break is CR LF, a lone CR or a lone LF; each one within the counted
// lines but the last is written as "<br/>", wherever it stands.
// False only when the escape buffer cannot grow; the output then stops.
bool HighlightCode(Emitter& emitter, const LanguageInfo& language, const char16_t* text, int32_t lineCount,
                   ScanBuffers& buffers);

// Tries a line comment, a block comment and a string literal at the scan
// position; writes the one that matches and moves past it. Only where
// CharClasses::MayOpen holds can one match.
bool ScanCommentOrString(Scanner& scanner);
const char16_t* EmitLineComment(Scanner& scanner, const char16_t* position);
const char16_t* EmitBlockComment(Scanner& scanner, const char16_t* position);
const char16_t* EmitString(Scanner& scanner, const char16_t* position, int stringClass, char16_t closer);

// The optional constructs (engine/regions.cpp). Each writes what it matches
// and moves the scan position past it; false when nothing matches.
enum class RegionGroup { Comments, Strings };
bool ScanLineStartRegion(Scanner& scanner);
bool ScanRegionOpener(Scanner& scanner, RegionGroup group);
bool ScanRegexLiteral(Scanner& scanner);
// A heredoc's body after the line break that ends its opener's line.
void EmitPendingHeredoc(Scanner& scanner);
const char16_t* EmitRegion(Scanner& scanner, const char16_t* begin, const char16_t* bodyStart);
// The role a word takes from its context (a key, a tag or attribute name,
// plain text between tags), or false when the keyword lookup decides.
bool ContextualWordRole(Scanner& scanner, WStringView word, ColorRole& role, bool& plain);
// A markup tag's bracket or an attribute's '=': notes whether a tag opens
// or closes and, where brackets take the tag's colour, writes it.
bool ScanMarkupCharacter(Scanner& scanner);
// Whether blanks and then a ':' follow `end` on its line.
bool KeyFollows(const char16_t* end, bool needsBlankAfter);
ColorRole KeywordRole(int keywordClass);
void WritePiece(Scanner& scanner, const char16_t* begin, const char16_t* end, ColorRef color, bool bold);
WStringView LineBreakMarkup(const Scanner& scanner);
WStringView TabMarkupAt(Scanner& scanner, const char16_t* tab);

// Length of the run of non-delimiters at position, at most kMaxWordLength;
// position[length] is the stop character. mayEscape tells whether escaping
// may change the word.
size_t SplitWord(const char16_t* position, const CharClasses& classes, bool& mayEscape);
