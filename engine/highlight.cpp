#include "engine/highlight.h"

#include <algorithm>
#include <cstring>
#include "engine/char_class.h"

static constexpr size_t kMaxWordLength = kWordBufferLength - 1;
static constexpr int kLineCommentSlots = 4;

bool CharClasses::WideSet::Contains(char16_t c) const {
    return std::find(items, items + size, c) != items + size;
}

void CharClasses::WideSet::Add(char16_t c) {
    if (size < sizeof items / sizeof items[0] && !Contains(c)) items[size++] = c;
}

void CharClasses::Mark(char16_t c, uint8_t flag, WideSet& wide) {
    if (c < 128)
        ascii_[c] |= flag;
    else
        wide.Add(c);
}

static int LineCommentCount(const LanguageInfo& language) {
    return std::clamp(language.lineCommentCount, 0, kLineCommentSlots);
}

CharClasses::CharClasses(const LanguageInfo& language, const EscapeTable& escapes) {
    ascii_[0] = kDelimiter;  // the end of the text ends every word
    for (char16_t c = 1; c < 128; ++c)
        if (escapes.Find(c).text) ascii_[c] |= kEscaped;
    wideEscapes_ = escapes.HasWideRows();
    for (char16_t c : FieldView(language.delimiters)) Mark(c, kDelimiter, wideDelimiters_);
    for (char16_t c : FieldView(language.seperators)) Mark(c, kSeperator, wideSeperators_);
    for (int i = 0; i < LineCommentCount(language); ++i) {
        const WStringView opener = FieldView(language.lineComments[i]);
        if (opener.empty())
            everyCharacterOpens_ = true;
        else
            Mark(opener[0], kOpener, wideOpeners_);
    }
    const WStringView blockOpener = FieldView(language.blockCommentOn);
    if (!blockOpener.empty()) Mark(blockOpener[0], kOpener, wideOpeners_);
    const WStringView strings = FieldView(language.stringChars);
    for (size_t i = 0; i + 3 <= strings.size(); i += 3) Mark(strings[i + 1], kOpener, wideOpeners_);
    if (everyCharacterOpens_)
        for (uint8_t& flags : ascii_) flags |= kOpener;
}

uint32_t KeywordFilter::Hash(WStringView word) {
    uint32_t hash = 2166136261u;
    for (char16_t c : word) hash = (hash ^ AsciiLower(c)) * 16777619u;
    return hash ^ (hash >> 15);
}

KeywordFilter::KeywordFilter(const LanguageInfo& language) {
    if (!language.keywords || language.keywordStride <= 0) return;
    // Every slot of the store: a keyword equal to a word lies in one of them,
    // whatever the buckets say.
    const size_t stride = static_cast<size_t>(language.keywordStride);
    for (int32_t i = 0; i < language.keywordCount; ++i) {
        const char16_t* keyword = language.keywords + static_cast<size_t>(i) * stride + 1;
        const char16_t* end = std::find(keyword, keyword + stride - 1, u'\0');
        const uint32_t hash = Hash(WStringView(keyword, static_cast<size_t>(end - keyword)));
        bits_[(hash >> 6) % kWords] |= uint64_t{1} << (hash & 63);
    }
}

// Like wcsncmp(text, prefix, prefix length) == 0; stops at the text's NUL.
static bool StartsWith(const char16_t* text, WStringView prefix) {
    for (size_t i = 0; i < prefix.size(); ++i)
        if (text[i] != prefix[i]) return false;
    return true;
}

// Past a line break: the CR and the LF that normally follows it. A CR without
// LF (or at the very end) is passed alone, so the scan never skips the NUL.
static const char16_t* AfterLineBreak(const char16_t* cr) { return cr[1] == u'\n' ? cr + 2 : cr + 1; }

static WStringView LineBreakMarkup(const Scanner& scanner) {
    return scanner.lineIndex < scanner.lineCount ? u"<br/>\r\n" : u"\r\n";
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

// Escapes a piece of code text into a buffer of its own and writes it; when
// the buffer cannot be had, the piece is left out.
static void WriteEscapedPiece(Scanner& scanner, const char16_t* begin, const char16_t* end, ColorRef color,
                              bool bold) {
    Emitter& emitter = scanner.emitter;
    const WStringView text(begin, static_cast<size_t>(end - begin));
    const uint64_t bytes = EscapedSize(*emitter.escapes, text);
    if (bytes > UINT32_MAX) return;
    auto* buffer = static_cast<char16_t*>(emitter.allocator.allocate(static_cast<uint32_t>(bytes)));
    if (!buffer) return;
    const size_t length = EscapeHtml(*emitter.escapes, text, begin[-1], buffer);
    WriteContent(emitter, WStringView(buffer, length), color, bold);
    emitter.allocator.release(buffer);
}

const char16_t* EmitLineComment(Scanner& scanner, const char16_t* position) {
    Emitter& emitter = scanner.emitter;
    const ThemeColor& comment = emitter.Color(ColorRole::Comment);
    SwitchSpan(emitter, ColorRole::Comment);
    const char16_t* end = position;
    while (*end && *end != u'\r') ++end;
    WriteEscapedPiece(scanner, position, end, comment.color, false);
    if (!*end) {
        WriteMarkup(emitter, u"\r\n");
        return end;
    }
    WriteMarkup(emitter, LineBreakMarkup(scanner));
    ++scanner.lineIndex;
    return AfterLineBreak(end);
}

namespace {
// The segments of one block comment share a buffer that only grows.
class BlockSegmentWriter {
public:
    explicit BlockSegmentWriter(Scanner& scanner) : scanner_(scanner) {}
    ~BlockSegmentWriter() { scanner_.emitter.allocator.release(buffer_); }
    BlockSegmentWriter(const BlockSegmentWriter&) = delete;
    BlockSegmentWriter& operator=(const BlockSegmentWriter&) = delete;

    void Write(const char16_t* begin, const char16_t* end) {
        if (begin == end) return;
        Emitter& emitter = scanner_.emitter;
        const WStringView text(begin, static_cast<size_t>(end - begin));
        if (!GrowToFit(emitter.allocator, buffer_, capacity_, EscapedSize(*emitter.escapes, text))) return;
        const size_t length = EscapeHtml(*emitter.escapes, text, begin[-1], buffer_);
        WriteContent(emitter, WStringView(buffer_, length), emitter.Color(ColorRole::Comment).color, true);
    }

private:
    Scanner& scanner_;
    char16_t* buffer_ = nullptr;
    uint32_t capacity_ = 0;
};
}  // namespace

const char16_t* EmitBlockComment(Scanner& scanner, const char16_t* position) {
    Emitter& emitter = scanner.emitter;
    const WStringView closer = FieldView(scanner.language.blockCommentOff);
    const char16_t* segment = position;
    const char16_t* scan = position + FieldView(scanner.language.blockCommentOn).size();
    SwitchSpan(emitter, ColorRole::Comment);
    BlockSegmentWriter writer(scanner);
    while (*scan) {
        if (StartsWith(scan, closer)) {
            scan += closer.size();
            break;
        }
        if (*scan == u'\t') {
            writer.Write(segment, scan);
            WriteMarkup(emitter, TabMarkup(emitter.tabToSpaces));
            segment = ++scan;
        } else if (*scan == u'\r') {
            writer.Write(segment, scan);
            WriteMarkup(emitter, LineBreakMarkup(scanner));
            ++scanner.lineIndex;
            segment = scan = AfterLineBreak(scan);
        } else {
            ++scan;
        }
    }
    writer.Write(segment, scan);
    return scan;
}

// Where a string literal that starts at `open` ends (exclusive).
static const char16_t* StringEnd(const char16_t* open, char16_t escape, char16_t closer) {
    const char16_t* p = open + 1;
    for (;;) {
        const char16_t c = *p;
        if (c == 0 || c == u'\r') return p;
        if (c == escape) {
            if (p[1] == 0) return p + 1;
            p += 2;
            if (*p == 0) return p;
            // The character after an escape pair is only compared with the closer.
            if (*p == closer) return p + 1;
            ++p;
            if (*p == 0) return p;
            continue;
        }
        if (c == closer) return p + 1;
        ++p;
    }
}

const char16_t* EmitString(Scanner& scanner, const char16_t* position, int stringClass, char16_t closer) {
    Emitter& emitter = scanner.emitter;
    if (stringClass < 0 || stringClass > 3) stringClass = 0;
    const ColorRole role = static_cast<ColorRole>(static_cast<int>(ColorRole::String0) + stringClass);
    SwitchSpan(emitter, role);
    const ThemeColor& colour = emitter.Color(role);
    const char16_t* end = StringEnd(position, scanner.language.escapeChar, closer);
    WriteEscapedPiece(scanner, position, end, colour.color, true);
    return end;
}

bool ScanCommentOrString(Scanner& scanner) {
    const char16_t* position = scanner.position;
    if (!scanner.classes.MayOpen(*position)) return false;
    const LanguageInfo& language = scanner.language;
    for (int i = 0; i < LineCommentCount(language); ++i) {
        if (StartsWith(position, FieldView(language.lineComments[i]))) {
            scanner.position = EmitLineComment(scanner, position);
            scanner.atLineStart = true;
            return true;
        }
    }
    const WStringView blockOpener = FieldView(language.blockCommentOn);
    if (!blockOpener.empty() && StartsWith(position, blockOpener)) {
        scanner.position = EmitBlockComment(scanner, position);
        scanner.atLineStart = false;
        return true;
    }
    const WStringView strings = FieldView(language.stringChars);
    for (size_t i = 0; i + 3 <= strings.size(); i += 3) {
        if (strings[i + 1] == *position) {
            scanner.position = EmitString(scanner, position, strings[i] - u'0', strings[i + 2]);
            scanner.atLineStart = false;
            return true;
        }
    }
    return false;
}

size_t SplitWord(const char16_t* position, const CharClasses& classes, char16_t* wordBuffer, bool& mayEscape) {
    size_t length = 0;
    bool escapes = false;
    for (char16_t c; length < kMaxWordLength && !classes.IsDelimiter(c = position[length]); ++length) {
        wordBuffer[length] = c;
        escapes |= classes.MayEscape(c);
    }
    wordBuffer[length] = 0;
    mayEscape = escapes;
    return length;
}

// Escapes into the shared escape buffer, growing it to exactly the size
// needed; false when it cannot grow.
static bool WriteEscaped(Scanner& scanner, WStringView text, char16_t previous, ColorRef color) {
    Emitter& emitter = scanner.emitter;
    ScanBuffers& buffers = scanner.buffers;
    bool anyRow = false;
    const uint64_t bytes = EscapedSize(*emitter.escapes, text, &anyRow);
    if (!GrowToFit(emitter.allocator, buffers.escape, buffers.escapeCapacity, bytes)) return false;
    if (!anyRow) {  // escaping would copy the text unchanged
        WriteContent(emitter, text, color, true);
        return true;
    }
    const size_t length = EscapeHtml(*emitter.escapes, text, previous, buffers.escape);
    WriteContent(emitter, WStringView(buffers.escape, length), color, true);
    return true;
}

// Classes 0-9 take the roles from Keyword0 on: Keyword0-3, String0-3, Seperator, Border.
static ColorRole KeywordRole(int keywordClass) {
    if (keywordClass < 0 || keywordClass > 9) keywordClass = 0;
    return static_cast<ColorRole>(static_cast<int>(ColorRole::Keyword0) + keywordClass);
}

static bool WriteWord(Scanner& scanner, WStringView word, bool mayEscape) {
    Emitter& emitter = scanner.emitter;
    const KeywordMatch match =
        scanner.keywords.MayMatch(word) ? FindKeyword(&scanner.language, word) : KeywordMatch{false, 0};
    if (match.found) {
        const ColorRole role = KeywordRole(match.keywordClass);
        SwitchSpan(emitter, role);
        scanner.lastColour = emitter.Color(role).color;
        scanner.lastKind = TokenKind::Keyword;
    } else if (IsDecimalDigit(word[0])) {
        SwitchSpan(emitter, ColorRole::Number);
        scanner.lastColour = emitter.Color(ColorRole::Number).color;
        scanner.lastKind = TokenKind::Number;
    } else {
        CloseSpan(emitter);
        scanner.lastColour = kPlainColor;
        scanner.lastKind = TokenKind::Plain;
    }
    // A word that escaping leaves alone needs 2 x (length + 1) bytes: within
    // the escape buffer's first size, so no growth can fail and it is written as is.
    if (!mayEscape && 2 * (word.size() + 1) <= kInitialEscapeBytes)
        WriteContent(emitter, word, scanner.lastColour, true);
    else if (!WriteEscaped(scanner, word, scanner.position[-1], scanner.lastColour))
        return false;
    scanner.atLineStart = false;
    scanner.position += word.size();
    return true;
}

static void WriteBlank(Scanner& scanner) {
    if (scanner.atLineStart || IsWideSpace(scanner.position[-1]))
        WriteMarkup(scanner.emitter, u"&nbsp;");
    else
        WriteContent(scanner.emitter, u" ", scanner.lastColour, false);
    ++scanner.position;
}

static void WriteLineBreak(Scanner& scanner) {
    if (scanner.lineIndex < scanner.lineCount) WriteMarkup(scanner.emitter, u"<br/>");
    WriteMarkup(scanner.emitter, u"\r\n");
    ++scanner.lineIndex;
    scanner.position = AfterLineBreak(scanner.position);
    scanner.atLineStart = true;
}

// A delimiter, or the character after a cut word, written on its own.
static void WriteSingleCharacter(Scanner& scanner) {
    Emitter& emitter = scanner.emitter;
    const char16_t c = *scanner.position;
    const bool continuesNumber = scanner.lastKind == TokenKind::Number && (IsDecimalDigit(c) || c == u'.');
    if (!continuesNumber) {
        if (scanner.classes.IsSeperator(c)) {
            SwitchSpan(emitter, ColorRole::Seperator);
            scanner.lastKind = TokenKind::Seperator;
            scanner.lastColour = emitter.Color(ColorRole::Seperator).color;
        } else {
            CloseSpan(emitter);
            scanner.lastKind = TokenKind::Plain;
            scanner.lastColour = kPlainColor;
        }
    }
    if (!emitter.escapes->Find(c).text) {  // escaping would copy it unchanged
        WriteContent(emitter, WStringView(scanner.position, 1), scanner.lastColour, true);
    } else {
        // One character needs at most one row's replacement: the escape
        // buffer never has to grow for it.
        const size_t length = EscapeHtml(*emitter.escapes, WStringView(&c, 1), scanner.position[-1],
                                         scanner.buffers.escape);
        WriteContent(emitter, WStringView(scanner.buffers.escape, length), scanner.lastColour, true);
    }
    scanner.atLineStart = false;
    ++scanner.position;
}

bool HighlightCode(Emitter& emitter, const LanguageInfo& language, const char16_t* text, int32_t lineCount,
                   ScanBuffers& buffers) {
    if (!*text) return true;
    const CharClasses classes(language, *emitter.escapes);
    const KeywordFilter keywords(language);
    Scanner scanner{emitter,     language, classes, keywords, buffers, text, 1, lineCount, true, TokenKind::Plain,
                    kPlainColor};
    while (scanner.lineIndex <= scanner.lineCount) {
        if (!ScanCommentOrString(scanner)) {
            bool mayEscape;
            const size_t length = SplitWord(scanner.position, classes, buffers.word, mayEscape);
            if (length && !WriteWord(scanner, WStringView(buffers.word, length), mayEscape)) return false;
            switch (*scanner.position) {
                case 0: return true;
                case u' ': WriteBlank(scanner); break;
                case u'\t':
                    WriteMarkup(emitter, TabMarkup(emitter.tabToSpaces));
                    ++scanner.position;
                    break;
                case u'\r': WriteLineBreak(scanner); break;
                default:
                    if (!ScanCommentOrString(scanner)) WriteSingleCharacter(scanner);
            }
        }
        if (!*scanner.position) break;
    }
    return true;
}
