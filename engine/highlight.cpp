#include "engine/highlight.h"

#include <algorithm>
#include "engine/char_class.h"

using namespace std::string_view_literals;



static bool HoldsLineBreak(WStringView marker) { return std::any_of(marker.begin(), marker.end(), IsLineBreak); }

static int LineCommentCount(const LanguageInfo& language) {
    return std::clamp(language.lineCommentCount, 0, kLineCommentSlots);
}

static bool HasRules(const LanguageRules& rules) {
    return rules.ruleCount > 0 || rules.nestedComments || rules.directiveChar || rules.regexLiterals ||
           rules.keys != KeyKind::None || rules.markup;
}

// What may open the optional constructs: an opener's first character (any
// tag character where the tag comes first), a long string's prefix letters;
// and where the scan of a region must look closer.
void CharClasses::MarkRuleCharacters(const LanguageInfo& language) {
    const LanguageRules& rules = language.rules;
    for (char16_t c : {u'\0', u'\r', u'\n', u'\t', language.escapeChar}) flags_[c] |= kRegionStop;
    bool everyCharacterStops = false;
    for (int i = 0; i < std::clamp(rules.ruleCount, 0, kMaxRegionRules); ++i) {
        const RegionRule& rule = rules.rules[i];
        const WStringView first = FieldView(rule.opener);
        if (!first.empty() && first[0] != u'~') flags_[first[0]] |= kOpener | kRegionStop;
        if (first.empty() || first[0] == u'~' || rule.kind == RegionKind::LongString ||
            rule.kind == RegionKind::LongComment)
            for (char16_t c : FieldView(rule.letters)) flags_[c] |= kOpener;
        const WStringView closer = FieldView(rule.closer);
        if (closer.empty() || closer[0] == u'~') everyCharacterStops = true;  // a tag's characters may be any
        else flags_[closer[0]] |= kRegionStop;
        const WStringView embedded = FieldView(rule.embedded);
        for (char16_t c : embedded) flags_[c] |= kRegionStop;
        if (!embedded.empty())
            for (char16_t c : WStringView(u"})]")) flags_[c] |= kRegionStop;
    }
    for (char16_t c : FieldView(language.blockCommentOn).substr(0, 1)) flags_[c] |= kRegionStop;
    for (char16_t c : FieldView(language.blockCommentOff).substr(0, 1)) flags_[c] |= kRegionStop;
    if (rules.directiveChar) flags_[rules.directiveChar] |= kOpener;
    if (rules.regexLiterals) flags_[u'/'] |= kOpener;
    if (rules.markup)
        for (char16_t c : WStringView(u"<>/?=")) flags_[c] |= kOpener;
    if (everyCharacterStops)
        for (uint8_t& flags : flags_) flags |= kRegionStop;
}

CharClasses::CharClasses(const LanguageInfo& language, const EscapeTable& escapes) {
    std::fill(std::begin(flags_), std::end(flags_), uint8_t{0});
    for (char16_t c : {u'\0', u'\r', u'\n'}) flags_[c] = kDelimiter | kBlockStop;
    flags_[u'\t'] |= kBlockStop;
    escapes.ForEachReplaced([this](char16_t c) { flags_[c] |= kEscaped; });
    for (char16_t c : FieldView(language.delimiters)) flags_[c] |= kDelimiter;
    for (char16_t c : FieldView(language.seperators)) flags_[c] |= kSeperator;
    bool everyCharacterOpens = false;
    for (int i = 0; i < LineCommentCount(language); ++i) {
        const WStringView opener = FieldView(language.lineComments[i]);
        if (opener.empty())
            everyCharacterOpens = true;
        else
            flags_[opener[0]] |= kOpener;
    }
    const WStringView blockOpener = FieldView(language.blockCommentOn);
    if (!blockOpener.empty()) flags_[blockOpener[0]] |= kOpener;
    const WStringView blockCloser = FieldView(language.blockCommentOff);
    if (!blockCloser.empty()) flags_[blockCloser[0]] |= kBlockStop;
    const WStringView strings = FieldView(language.stringChars);
    for (size_t i = 0; i + 3 <= strings.size(); i += 3) flags_[strings[i + 1]] |= kOpener;
    MarkRuleCharacters(language);
    if (everyCharacterOpens)
        for (uint8_t& flags : flags_) flags |= kOpener;
}

Markers::Markers(const LanguageInfo& language)
    : rules(language.rules),
      hasRules(HasRules(language.rules)),
      contextualWords(language.rules.markup || language.rules.keys == KeyKind::StringsAndWords) {
    for (int i = 0; i < LineCommentCount(language); ++i) {
        const WStringView opener = FieldView(language.lineComments[i]);
        if (!HoldsLineBreak(opener)) lineOpeners[lineOpenerCount++] = opener;
    }
    blockOpener = FieldView(language.blockCommentOn);
    if (HoldsLineBreak(blockOpener)) blockOpener = WStringView();
    blockCloser = FieldView(language.blockCommentOff);
    blockCloses = !HoldsLineBreak(blockCloser);
    stringTriples = FieldView(language.stringChars);
}

WStringView LineBreakMarkup(const Scanner& scanner) {
    return scanner.lineIndex < scanner.lineCount ? u"<br/>\r\n"sv : u"\r\n"sv;
}

WStringView TabMarkupAt(Scanner& scanner, const char16_t* tab) {
    return scanner.tabStops ? scanner.tabStops->Markup(tab) : TabMarkup(scanner.emitter.tabToSpaces);
}

// Makes a buffer hold at least `bytes`, replacing it by one of exactly that
// size (its contents are not kept); false, the buffer unchanged, when it
// cannot grow.
static bool GrowToFit(const EngineAllocator& allocator, char16_t*& buffer, uint32_t& capacity, uint64_t bytes) {
    if (bytes <= capacity) return true;
    void* grown = bytes > UINT32_MAX ? nullptr : allocator.allocate(static_cast<uint32_t>(bytes));
    if (!grown) return false;
    allocator.release(buffer);
    buffer = static_cast<char16_t*>(grown);
    capacity = static_cast<uint32_t>(bytes);
    return true;
}

// Escapes a slice of the code text and writes it as one chunk. A sink that
// keeps only the text gets it straight into the batch; for the others it goes
// through the escape buffer, and false, nothing written, when that cannot grow.
static bool WriteEscaped(Scanner& scanner, const char16_t* begin, const char16_t* end, ColorRef color, bool bold) {
    Emitter& emitter = scanner.emitter;
    const WStringView text(begin, static_cast<size_t>(end - begin));
    if (emitter.batching) {
        WriteEscapedToBatch(emitter, text, scanner.tabStops);
        return true;
    }
    ScanBuffers& buffers = scanner.buffers;
    if (!GrowToFit(emitter.allocator, buffers.escape, buffers.escapeCapacity, EscapedSize(*emitter.escapes, text)))
        return false;
    const size_t length = EscapeHtml(*emitter.escapes, text, begin[-1], buffers.escape, scanner.tabStops);
    WriteContent(emitter, WStringView(buffers.escape, length), color, bold);
    return true;
}

// A comment or string literal whose escaped text cannot be had is left out.
void WritePiece(Scanner& scanner, const char16_t* begin, const char16_t* end, ColorRef color, bool bold) {
    if (begin != end) WriteEscaped(scanner, begin, end, color, bold);
}

const char16_t* EmitLineComment(Scanner& scanner, const char16_t* position) {
    Emitter& emitter = scanner.emitter;
    SwitchSpan(emitter, ColorRole::Comment);
    const char16_t* end = position;
    while (!EndsLine(*end)) ++end;
    WritePiece(scanner, position, end, emitter.Color(ColorRole::Comment).color, false);
    if (!*end) {
        WriteMarkup(emitter, u"\r\n"sv);
        return end;
    }
    WriteMarkup(emitter, LineBreakMarkup(scanner));
    ++scanner.lineIndex;
    return AfterLineBreak(end);
}

const char16_t* EmitBlockComment(Scanner& scanner, const char16_t* position) {
    Emitter& emitter = scanner.emitter;
    const Markers& markers = scanner.markers;
    const ColorRef colour = emitter.Color(ColorRole::Comment).color;
    const char16_t* segment = position;
    const char16_t* scan = position + markers.blockOpener.size();
    SwitchSpan(emitter, ColorRole::Comment);
    if (markers.blockCloser.empty()) {  // the closer matches at once
        WritePiece(scanner, segment, scan, colour, true);
        return scan;
    }
    for (;;) {
        while (!scanner.classes.StopsBlockComment(*scan)) ++scan;
        if (!*scan) break;
        if (markers.blockCloses && StartsWith(scan, markers.blockCloser)) {
            scan += markers.blockCloser.size();
            break;
        }
        if (*scan == u'\t') {
            WritePiece(scanner, segment, scan, colour, true);
            WriteMarkup(emitter, TabMarkupAt(scanner, scan));
            segment = ++scan;
        } else if (IsLineBreak(*scan)) {
            WritePiece(scanner, segment, scan, colour, true);
            WriteMarkup(emitter, LineBreakMarkup(scanner));
            ++scanner.lineIndex;
            segment = scan = AfterLineBreak(scan);
        } else {
            ++scan;
        }
    }
    WritePiece(scanner, segment, scan, colour, true);
    return scan;
}

// Where a string literal that starts at `open` ends (exclusive). After an
// escape pair the next character is examined like any other, and an escape
// character before a line break or the end leaves that outside the literal:
// a line break is never part of a string.
static const char16_t* StringEnd(const char16_t* open, char16_t escape, char16_t closer) {
    for (const char16_t* p = open + 1;; ++p) {
        const char16_t c = *p;
        if (EndsLine(c)) return p;
        if (c == escape) {
            if (EndsLine(p[1])) return p + 1;
            ++p;
        } else if (c == closer) {
            return p + 1;
        }
    }
}

const char16_t* EmitString(Scanner& scanner, const char16_t* position, int stringClass, char16_t closer) {
    Emitter& emitter = scanner.emitter;
    if (stringClass < 0 || stringClass > 3) stringClass = 0;
    ColorRole role = static_cast<ColorRole>(static_cast<int>(ColorRole::String0) + stringClass);
    const char16_t* end = StringEnd(position, scanner.language.escapeChar, closer);
    const LanguageRules& rules = scanner.markers.rules;
    if (rules.keys != KeyKind::None && KeyFollows(end, rules.keys == KeyKind::StringsAndWords))
        role = KeywordRole(rules.keyClass);
    SwitchSpan(emitter, role);
    WritePiece(scanner, position, end, emitter.Color(role).color, true);
    return end;
}

// A block comment that nests goes through the region writer, which counts.
static const char16_t* EmitNestedBlockComment(Scanner& scanner, const char16_t* position) {
    const Markers& markers = scanner.markers;
    OpenRegion& region = scanner.region;
    region.role = ColorRole::Comment;
    region.escapes = region.anchored = region.indented = region.takesRestOfLine = region.endsTag = false;
    region.depth = 1;
    region.codeOpener = WStringView();
    region.nestOpener = markers.blockOpener;
    region.closerLength = static_cast<uint8_t>(markers.blockCloser.size());
    std::copy(markers.blockCloser.begin(), markers.blockCloser.end(), region.closer);
    return EmitRegion(scanner, position, position + markers.blockOpener.size());
}

bool ScanCommentOrString(Scanner& scanner) {
    const char16_t* position = scanner.position;
    const Markers& markers = scanner.markers;
    const bool hasRules = markers.hasRules;
    if (hasRules && ((scanner.atLineStart && ScanLineStartRegion(scanner)) ||
                     ScanRegionOpener(scanner, RegionGroup::Comments)))
        return true;
    for (int i = 0; i < markers.lineOpenerCount; ++i) {
        if (StartsWith(position, markers.lineOpeners[i])) {
            scanner.position = EmitLineComment(scanner, position);
            scanner.atLineStart = true;
            scanner.region.directive = false;
            if (scanner.region.heredocPending && *scanner.position) EmitPendingHeredoc(scanner);
            return true;
        }
    }
    if (!markers.blockOpener.empty() && StartsWith(position, markers.blockOpener)) {
        const bool nests = markers.rules.nestedComments && markers.blockCloses && !markers.blockCloser.empty();
        scanner.position = nests ? EmitNestedBlockComment(scanner, position) : EmitBlockComment(scanner, position);
        scanner.atLineStart = false;
        return true;
    }
    if (IsLineBreak(*position)) return false;  // a literal opened by a line break would hold it
    // In a directive, quotes and brackets are the directive's own ("file.h", <file.h>).
    if (scanner.region.directive) return false;
    if (hasRules) {
        const LanguageRules& rules = markers.rules;
        if (rules.markup) {
            if (ScanMarkupCharacter(scanner)) return true;
            if (scanner.region.markup == MarkupPlace::Text) return false;  // text between tags holds no strings
        }
        if (ScanRegionOpener(scanner, RegionGroup::Strings)) return true;
        if (rules.regexLiterals && *position == u'/' && ScanRegexLiteral(scanner)) return true;
    }
    const WStringView strings = markers.stringTriples;
    for (size_t i = 0; i + 3 <= strings.size(); i += 3) {
        if (strings[i + 1] == *position) {
            scanner.position = EmitString(scanner, position, strings[i] - u'0', strings[i + 2]);
            scanner.atLineStart = false;
            return true;
        }
    }
    return false;
}

size_t SplitWord(const char16_t* position, const CharClasses& classes, bool& mayEscape) {
    return classes.WordLength(position, kMaxWordLength, mayEscape);
}

// Classes 0-9 take the roles from Keyword0 on: Keyword0-3, String0-3, Seperator, Border.
ColorRole KeywordRole(int keywordClass) {
    if (keywordClass < 0 || keywordClass > 9) keywordClass = 0;
    return static_cast<ColorRole>(static_cast<int>(ColorRole::Keyword0) + keywordClass);
}

// kRules: the language sets some of the optional keys. The scan of one
// that sets none is compiled without their tests.
template <bool kRules>
static bool WriteWord(Scanner& scanner, size_t length, bool mayEscape) {
    Emitter& emitter = scanner.emitter;
    const WStringView word(scanner.position, length);
    ColorRole role = ColorRole::Keyword0;
    bool plain = false;
    bool keyword = false;
    if constexpr (kRules) {
        // A directive line takes one colour, numbers and keywords alike.
        keyword = scanner.region.directive;
        if (keyword)
            role = ColorRole::Keyword3;
        else if (scanner.markers.contextualWords)
            keyword = ContextualWordRole(scanner, word, role, plain);
    }
    if (!keyword) {
        const KeywordMatch match = scanner.keywords.Find(word);
        keyword = match.found;
        if (keyword) role = KeywordRole(match.keywordClass);
    }
    if (keyword && !plain) {
        SwitchSpan(emitter, role);
        scanner.lastColour = emitter.Color(role).color;
        scanner.lastKind = TokenKind::Keyword;
    } else if (!plain && IsDecimalDigit(word[0])) {
        SwitchSpan(emitter, ColorRole::Number);
        scanner.lastColour = emitter.Color(ColorRole::Number).color;
        scanner.lastKind = TokenKind::Number;
    } else {
        CloseSpan(emitter);
        scanner.lastColour = kPlainColor;
        scanner.lastKind = TokenKind::Plain;
    }
    // A word that escaping leaves alone is written as it stands. Through the
    // escape buffer, only one longer than that buffer's first size still
    // makes it grow, which may fail.
    if (!mayEscape && (emitter.batching || 2 * (length + 1) <= kInitialEscapeBytes))
        WriteContent(emitter, word, scanner.lastColour, true);
    else if (!WriteEscaped(scanner, word.data(), word.data() + length, scanner.lastColour, true))
        return false;
    scanner.atLineStart = false;
    scanner.position += length;
    return true;
}

static inline void WriteBlanks(Scanner& scanner, bool blanksRun) {
    if (scanner.atLineStart || IsWideSpace(scanner.position[-1]))
        WriteMarkup(scanner.emitter, u"&nbsp;"sv);
    else
        WriteContent(scanner.emitter, u" "sv, scanner.lastColour, false);
    ++scanner.position;
    // The rest of a run of blanks, each after a blank, as the main loop
    // would write them one by one.
    if (blanksRun)
        for (; *scanner.position == u' '; ++scanner.position) WriteMarkup(scanner.emitter, u"&nbsp;"sv);
}

static inline void WriteLineBreak(Scanner& scanner) {
    if (scanner.lineIndex < scanner.lineCount) WriteMarkup(scanner.emitter, u"<br/>"sv);
    WriteMarkup(scanner.emitter, u"\r\n"sv);
    ++scanner.lineIndex;
    scanner.position = AfterLineBreak(scanner.position);
    scanner.atLineStart = true;
}

// A delimiter, or the character after a cut word, written on its own.
template <bool kRules>
static void WriteSingleCharacter(Scanner& scanner) {
    Emitter& emitter = scanner.emitter;
    const char16_t c = *scanner.position;
    const bool continuesNumber = scanner.lastKind == TokenKind::Number && (IsDecimalDigit(c) || c == u'.');
    if (!continuesNumber) {
        if (kRules && scanner.region.directive) {
            SwitchSpan(emitter, ColorRole::Keyword3);
            scanner.lastKind = TokenKind::Keyword;
            scanner.lastColour = emitter.Color(ColorRole::Keyword3).color;
        } else if (scanner.classes.IsSeperator(c)) {
            SwitchSpan(emitter, ColorRole::Seperator);
            scanner.lastKind = TokenKind::Seperator;
            scanner.lastColour = emitter.Color(ColorRole::Seperator).color;
        } else {
            CloseSpan(emitter);
            scanner.lastKind = TokenKind::Plain;
            scanner.lastColour = kPlainColor;
        }
    }
    if (!scanner.classes.MayEscape(c))
        WriteContent(emitter, WStringView(scanner.position, 1), scanner.lastColour, true);
    else  // one character fits the escape buffer's first size: this cannot fail
        WriteEscaped(scanner, scanner.position, scanner.position + 1, scanner.lastColour, true);
    scanner.atLineStart = false;
    ++scanner.position;
}

template <bool kRules>
static bool ScanText(Scanner& scanner) {
    Emitter& emitter = scanner.emitter;
    const CharClasses& classes = scanner.classes;
    // A blank after a blank is a word of its own, unless blanks continue words
    // or may open a comment or literal.
    const bool blanksRun = classes.IsDelimiter(u' ') && !classes.MayOpen(u' ');
    while (scanner.lineIndex <= scanner.lineCount) {
        if (!(classes.MayOpen(*scanner.position) && ScanCommentOrString(scanner))) {
            bool mayEscape;
            const size_t length = SplitWord(scanner.position, classes, mayEscape);
            if (length && !WriteWord<kRules>(scanner, length, mayEscape)) return false;
            // Tests in the order of how often they hold in code: a chain of
            // branches, each predicted on its own, beats a jump table here.
            const char16_t stop = *scanner.position;
            if (stop == u' ') {
                WriteBlanks(scanner, blanksRun);
            } else if (EndsLine(stop)) {
                if (!stop) return true;
                if constexpr (kRules) {
                    // A directive runs on over a line break after a backslash.
                    OpenRegion& region = scanner.region;
                    if (region.directive) region.directive = scanner.position[-1] == u'\\';
                    WriteLineBreak(scanner);
                    if (region.heredocPending) EmitPendingHeredoc(scanner);
                } else {
                    WriteLineBreak(scanner);
                }
            } else if (stop == u'\t') {
                WriteMarkup(emitter, TabMarkupAt(scanner, scanner.position));
                ++scanner.position;
            } else if (!(classes.MayOpen(stop) && ScanCommentOrString(scanner))) {
                WriteSingleCharacter<kRules>(scanner);
            }
        }
        if (!*scanner.position) break;
    }
    return true;
}

bool HighlightCode(Emitter& emitter, const LanguageInfo& language, const char16_t* text, int32_t lineCount,
                   ScanBuffers& buffers) {
    if (!*text) return true;
    const CharClasses classes(language, *emitter.escapes);
    const Markers markers(language);
    const KeywordIndex keywords(language);
    TabStops tabStops(text, emitter.tabToSpaces);
    Scanner scanner{emitter,  language, classes, markers, keywords,        buffers,    nullptr,
                    text,     1,        lineCount, true,  TokenKind::Plain, kPlainColor, OpenRegion()};
    if (emitter.escapes->TabsStopAtColumns()) scanner.tabStops = &tabStops;
    return markers.hasRules ? ScanText<true>(scanner) : ScanText<false>(scanner);
}
