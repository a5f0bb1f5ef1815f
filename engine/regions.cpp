#include <algorithm>
#include "engine/char_class.h"
#include "engine/highlight.h"

namespace {

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsTagUnit(char16_t c) { return IsAsciiLetter(c) || IsDecimalDigit(c) || c == u'_'; }

ColorRole StringRole(int stringClass) {
    return static_cast<ColorRole>(static_cast<int>(ColorRole::String0) + std::clamp(stringClass, 0, 3));
}

ColorRole RuleRole(const RegionRule& rule) {
    const bool comment = rule.kind == RegionKind::LongComment || rule.kind == RegionKind::TaggedComment ||
                         rule.kind == RegionKind::AnchoredComment;
    return comment ? ColorRole::Comment : StringRole(rule.stringClass);
}

// The region every rule opens starts like this; the caller sets what differs.
void OpenPlainRegion(OpenRegion& region, const RegionRule& rule, WStringView closer) {
    region.role = RuleRole(rule);
    region.escapes = rule.options & kRegionEscapes;
    region.anchored = region.indented = region.takesRestOfLine = region.endsTag = false;
    region.depth = 1;
    region.nestOpener = WStringView();
    region.codeOpener = FieldView(rule.embedded);
    region.codeOpen = region.codeOpener.empty() ? 0 : region.codeOpener.back();
    region.codeClose = region.codeOpen == u'{' ? u'}' : region.codeOpen == u'(' ? u')' : u']';
    region.closerLength = static_cast<uint8_t>(std::min<size_t>(closer.size(), std::size(region.closer)));
    std::copy(closer.begin(), closer.begin() + region.closerLength, region.closer);
}

// Where the region's closer ends when the line at lineStart holds it, else null.
const char16_t* AnchoredCloserEnd(const OpenRegion& region, const char16_t* lineStart) {
    const char16_t* p = lineStart;
    if (region.indented)
        while (IsBlank(*p)) ++p;
    const WStringView closer = region.Closer();
    if (closer.empty() || !StartsWith(p, closer)) return nullptr;
    p += closer.size();
    if (region.endsTag && IsTagUnit(*p)) return nullptr;
    if (region.takesRestOfLine)
        while (!EndsLine(*p)) ++p;
    return p;
}

// Up to this many prefix letters may stand before a long string's opener.
constexpr int kMostPrefixLetters = 3;

// The end of a long string's or comment's opener at position, else null.
const char16_t* MatchLongOpener(const RegionRule& rule, const char16_t* position) {
    const WStringView letters = FieldView(rule.letters);
    const char16_t* p = position;
    for (int i = 0; i < kMostPrefixLetters && !letters.empty() && letters.find(*p) != WStringView::npos; ++i) ++p;
    const WStringView opener = FieldView(rule.opener);
    return StartsWith(p, opener) ? p + opener.size() : nullptr;
}

// The characters a "*" tag set allows: what C++ allows in a raw string's
// delimiter, which no other language's tags go beyond.
bool InTagSet(WStringView set, char16_t c) {
    if (set == u"*") return !EndsLine(c) && !IsBlank(c) && c != u'(' && c != u')' && c != u'\\' && c != u'"';
    return set.find(c) != WStringView::npos;
}

// A tagged opener ("R\"~(", "[~[") at position: opens the region with the
// closer made from the tag; the end of the opener, else null.
const char16_t* MatchTaggedOpener(const RegionRule& rule, const char16_t* position, OpenRegion& region) {
    const WStringView opener = FieldView(rule.opener);
    const WStringView closer = FieldView(rule.closer);
    const WStringView set = FieldView(rule.letters);
    const size_t place = opener.find(u'~');
    const size_t closerPlace = closer.find(u'~');
    // Files always hold the tag's place; a record filled otherwise may not.
    if (place == WStringView::npos || closerPlace == WStringView::npos) return nullptr;
    const char16_t* p = position;
    if (!StartsWith(p, opener.substr(0, place))) return nullptr;
    p += place;
    const char16_t* tag = p;
    while (p - tag <= kMaxRegionTag && InTagSet(set, *p)) ++p;
    const size_t tagLength = static_cast<size_t>(p - tag);
    const WStringView after = opener.substr(place + 1);
    if (tagLength > kMaxRegionTag || !StartsWith(p, after)) return nullptr;
    WString made(closer.substr(0, closerPlace));
    made.append(tag, tagLength);
    made += closer.substr(closerPlace + 1);
    OpenPlainRegion(region, rule, made);
    return p + after.size();
}

// A heredoc's opener: "<<" (the rule's), then '-' or '~' (which let the
// closing tag be indented), blanks where the rule allows them, and the tag,
// bare or quoted. Notes the pending body; the end of the opener, else null.
const char16_t* MatchHeredocOpener(const RegionRule& rule, const char16_t* position, OpenRegion& region) {
    const WStringView opener = FieldView(rule.opener);
    if (!StartsWith(position, opener)) return nullptr;
    const char16_t* p = position + opener.size();
    bool indented = rule.options & kRegionIndentedCloser;
    if (*p == u'-' || *p == u'~') {
        indented = true;
        ++p;
    }
    if (rule.options & kRegionBlankBeforeTag)
        while (IsBlank(*p)) ++p;
    const char16_t quote = (*p == u'\'' || *p == u'"' || *p == u'\\') ? *p : 0;
    if (quote) ++p;
    const char16_t* tag = p;
    if (!IsAsciiLetter(*p) && *p != u'_') return nullptr;
    while (p - tag <= kMaxRegionTag && IsTagUnit(*p)) ++p;
    const size_t tagLength = static_cast<size_t>(p - tag);
    if (tagLength > kMaxRegionTag) return nullptr;
    if (quote && quote != u'\\') {
        if (*p != quote) return nullptr;
        ++p;
    }
    region.heredocPending = true;
    region.heredocRole = RuleRole(rule);
    region.heredocIndented = indented;
    region.heredocTagLength = static_cast<uint8_t>(tagLength);
    std::copy(tag, tag + tagLength, region.heredocTag);
    return p;
}

// A quick look at what the rule's opener starts with, before the full
// match: most words that begin with a prefix letter are no prefix.
bool MayOpenAt(const RegionRule& rule, const char16_t* position) {
    const char16_t first = rule.opener[0];
    if (first == *position || first == u'~') return true;
    if (!rule.letters[0]) return false;
    for (int i = 0; i <= kMostPrefixLetters && IsAsciiLetter(position[i]); ++i)
        if (position[i + 1] == first) return true;
    return false;
}

bool InGroup(RegionKind kind, RegionGroup group) {
    if (group == RegionGroup::Comments) return kind == RegionKind::LongComment || kind == RegionKind::TaggedComment;
    return kind == RegionKind::LongString || kind == RegionKind::TaggedString || kind == RegionKind::Heredoc;
}

// Whether the word before the '/' at position (blanks between) leaves an
// operand expected: nothing before it on its line, an operator or opening
// bracket, or one of the language's words such as "return".
bool OperandExpected(const Scanner& scanner, const char16_t* position) {
    const char16_t* p = position - 1;
    while (IsBlank(*p)) --p;
    if (EndsLine(*p)) return true;
    if (WStringView(u"(,;:!&|?{}[=+-*%<>~^").find(*p) != WStringView::npos) return true;
    if (scanner.classes.IsDelimiter(*p)) return false;
    const char16_t* end = p + 1;
    while (!scanner.classes.IsDelimiter(p[-1])) --p;
    const WStringView word(p, static_cast<size_t>(end - p));
    const WStringView words = FieldView(scanner.markers.rules.regexKeywords);
    for (size_t at = words.find(word); at != WStringView::npos; at = words.find(word, at + 1)) {
        const size_t after = at + word.size();
        if ((at == 0 || IsBlank(words[at - 1])) && (after == words.size() || IsBlank(words[after]))) return true;
    }
    return false;
}

// A literal's end after its last flag letter, or null with lineEnd set when
// its line holds no closing '/' outside a character class.
const char16_t* RegexEnd(const char16_t* open, const char16_t*& lineEnd) {
    bool inClass = false;
    for (const char16_t* p = open + 1;; ++p) {
        const char16_t c = *p;
        if (EndsLine(c)) {
            lineEnd = p;
            return nullptr;
        }
        if (c == u'\\') {
            if (!EndsLine(p[1])) ++p;
        } else if (c == u'[') {
            inClass = true;
        } else if (c == u']') {
            inClass = false;
        } else if (c == u'/' && !inClass) {
            for (++p; IsAsciiLetter(*p);) ++p;
            return p;
        }
    }
}

}  // namespace

const char16_t* EmitRegion(Scanner& scanner, const char16_t* begin, const char16_t* bodyStart) {
    OpenRegion& region = scanner.region;
    Emitter& emitter = scanner.emitter;
    const ColorRef colour = emitter.Color(region.role).color;
    const WStringView closer = region.Closer();
    const char16_t closerFirst = closer.empty() ? 0 : closer[0];
    const char16_t nestFirst = region.nestOpener.empty() ? 0 : region.nestOpener[0];
    const char16_t escape = region.escapes ? scanner.language.escapeChar : 0;
    const char16_t codeFirst = region.codeOpener.empty() ? 0 : region.codeOpener[0];
    region.codeDepth = 0;
    SwitchSpan(emitter, region.role);
    const char16_t* segment = begin;
    const char16_t* scan = bodyStart;
    bool atLine = scan == begin;
    for (;;) {
        if (atLine && region.anchored) {
            if (const char16_t* end = AnchoredCloserEnd(region, scan)) {
                scan = end;
                break;
            }
        }
        atLine = false;
        while (!scanner.classes.StopsRegion(*scan)) ++scan;
        const char16_t c = *scan;
        if (!c) break;
        if (c == u'\t') {
            WritePiece(scanner, segment, scan, colour, true);
            WriteMarkup(emitter, TabMarkupAt(scanner, scan));
            segment = ++scan;
        } else if (IsLineBreak(c)) {
            WritePiece(scanner, segment, scan, colour, true);
            WriteMarkup(emitter, LineBreakMarkup(scanner));
            ++scanner.lineIndex;
            segment = scan = AfterLineBreak(scan);
            atLine = true;
        } else if (c == escape) {
            scan += EndsLine(scan[1]) || scan[1] == u'\t' ? 1 : 2;
        } else if (region.anchored) {
            ++scan;
        } else if (region.codeDepth > 0) {
            region.codeDepth += (c == region.codeOpen) - (c == region.codeClose);
            ++scan;
        } else if (c == codeFirst && StartsWith(scan, region.codeOpener)) {
            region.codeDepth = 1;
            scan += region.codeOpener.size();
        } else if (c == nestFirst && StartsWith(scan, region.nestOpener)) {
            region.depth = std::min(region.depth + 1, kMaxNesting);
            scan += region.nestOpener.size();
        } else if (c == closerFirst && StartsWith(scan, closer)) {
            scan += closer.size();
            if (--region.depth <= 0) break;
        } else {
            ++scan;
        }
    }
    WritePiece(scanner, segment, scan, colour, true);
    return scan;
}

bool ScanLineStartRegion(Scanner& scanner) {
    const char16_t* position = scanner.position;
    const LanguageRules& rules = scanner.markers.rules;
    // A record whose directive character ends lines (one not read from a
    // file) must not swallow a line break: the numbers would drift.
    if (rules.directiveChar && *position == rules.directiveChar && !EndsLine(*position)) {
        // The rest of the line goes through the main loop, which gives its
        // words and characters the directive's colour until the line ends.
        scanner.region.directive = true;
        Emitter& emitter = scanner.emitter;
        SwitchSpan(emitter, ColorRole::Keyword3);
        scanner.lastKind = TokenKind::Keyword;
        scanner.lastColour = emitter.Color(ColorRole::Keyword3).color;
        WritePiece(scanner, position, position + 1, scanner.lastColour, true);
        scanner.position = position + 1;
        scanner.atLineStart = false;
        return true;
    }
    for (int i = 0; i < std::clamp(rules.ruleCount, 0, kMaxRegionRules); ++i) {
        const RegionRule& rule = rules.rules[i];
        const bool anchored = rule.kind == RegionKind::AnchoredComment;
        if (!anchored && !(rule.kind == RegionKind::LongString && (rule.options & kRegionAtLineStart))) continue;
        const WStringView opener = FieldView(rule.opener);
        if (!StartsWith(position, opener)) continue;
        // POD and =begin stand at the very start of a line, and "=" of Perl's
        // "=head1" opens only before a letter: "= 1" is code.
        if (anchored && !(EndsLine(position[-1]) && (IsAsciiLetter(opener.back()) ||
                                                     IsAsciiLetter(position[opener.size()]))))
            continue;
        OpenRegion& region = scanner.region;
        OpenPlainRegion(region, rule, FieldView(rule.closer));
        region.anchored = region.takesRestOfLine = true;
        region.indented = !anchored;
        scanner.position = EmitRegion(scanner, position, position + opener.size());
        scanner.atLineStart = false;
        return true;
    }
    return false;
}

bool ScanRegionOpener(Scanner& scanner, RegionGroup group) {
    const char16_t* position = scanner.position;
    const LanguageRules& rules = scanner.markers.rules;
    OpenRegion& region = scanner.region;
    for (int i = 0; i < std::clamp(rules.ruleCount, 0, kMaxRegionRules); ++i) {
        const RegionRule& rule = rules.rules[i];
        if (!InGroup(rule.kind, group) || (rule.options & kRegionAtLineStart) || !MayOpenAt(rule, position))
            continue;
        const char16_t* bodyStart = nullptr;
        if (rule.kind == RegionKind::Heredoc) {
            if (const char16_t* end = MatchHeredocOpener(rule, position, region)) {
                SwitchSpan(scanner.emitter, region.heredocRole);
                WritePiece(scanner, position, end, scanner.emitter.Color(region.heredocRole).color, true);
                scanner.position = end;
                scanner.atLineStart = false;
                return true;
            }
            continue;
        }
        if (rule.kind == RegionKind::TaggedString || rule.kind == RegionKind::TaggedComment) {
            bodyStart = MatchTaggedOpener(rule, position, region);
        } else if ((bodyStart = MatchLongOpener(rule, position))) {
            OpenPlainRegion(region, rule, FieldView(rule.closer));
            if (rule.options & kRegionNested) region.nestOpener = WStringView(rule.opener, WideLength(rule.opener));
        }
        if (!bodyStart) continue;
        scanner.position = EmitRegion(scanner, position, bodyStart);
        scanner.atLineStart = false;
        return true;
    }
    return false;
}

void EmitPendingHeredoc(Scanner& scanner) {
    OpenRegion& region = scanner.region;
    region.heredocPending = false;
    region.role = region.heredocRole;
    region.escapes = region.takesRestOfLine = false;
    region.anchored = region.endsTag = true;
    region.indented = region.heredocIndented;
    region.depth = 1;
    region.nestOpener = region.codeOpener = WStringView();
    region.closerLength = region.heredocTagLength;
    std::copy(region.heredocTag, region.heredocTag + region.heredocTagLength, region.closer);
    scanner.position = EmitRegion(scanner, scanner.position, scanner.position);
    scanner.atLineStart = false;
}

bool ScanRegexLiteral(Scanner& scanner) {
    const char16_t* position = scanner.position;
    OpenRegion& region = scanner.region;
    if (position < region.noRegexBefore || !OperandExpected(scanner, position)) return false;
    const char16_t* lineEnd = nullptr;
    const char16_t* end = RegexEnd(position, lineEnd);
    if (!end) {
        // No later '/' of this line can close one either: none is tried again,
        // which keeps a line full of '/' linear.
        region.noRegexBefore = lineEnd;
        return false;
    }
    const ColorRole role = StringRole(scanner.markers.rules.regexClass);
    SwitchSpan(scanner.emitter, role);
    WritePiece(scanner, position, end, scanner.emitter.Color(role).color, true);
    scanner.position = end;
    scanner.atLineStart = false;
    return true;
}

bool KeyFollows(const char16_t* end, bool needsBlankAfter) {
    while (IsBlank(*end)) ++end;
    if (*end != u':') return false;
    return !needsBlankAfter || IsBlank(end[1]) || EndsLine(end[1]);
}

bool ScanMarkupCharacter(Scanner& scanner) {
    const char16_t* p = scanner.position;
    const LanguageRules& rules = scanner.markers.rules;
    MarkupPlace& place = scanner.region.markup;
    ColorRole role = KeywordRole(rules.tagClass);
    size_t length = 1;
    // A tag's brackets: "<", "</", "<!", "<?" before a name, and ">", "/>"
    // after it; with tagBrackets they take the tag's colour, and the '=' of
    // an attribute the attribute's.
    if (p[0] == u'<' && (IsAsciiLetter(p[1]) || p[1] == u'/' || p[1] == u'!' || p[1] == u'?')) {
        place = MarkupPlace::TagName;
        length = IsAsciiLetter(p[1]) ? 1 : 2;
    } else if (place == MarkupPlace::Text) {
        return false;
    } else if (p[0] == u'>') {
        place = MarkupPlace::Text;
    } else if ((p[0] == u'/' || p[0] == u'?') && p[1] == u'>') {
        place = MarkupPlace::Text;
        length = 2;
    } else if (p[0] == u'=' && place == MarkupPlace::Attributes) {
        role = KeywordRole(rules.attributeClass);
    } else {
        return false;
    }
    if (!rules.tagBrackets) return false;  // written as any other character
    Emitter& emitter = scanner.emitter;
    SwitchSpan(emitter, role);
    scanner.lastKind = TokenKind::Keyword;
    scanner.lastColour = emitter.Color(role).color;
    WritePiece(scanner, p, p + length, scanner.lastColour, true);
    scanner.position = p + length;
    scanner.atLineStart = false;
    return true;
}

bool ContextualWordRole(Scanner& scanner, WStringView word, ColorRole& role, bool& plain) {
    const LanguageRules& rules = scanner.markers.rules;
    if (rules.markup) {
        MarkupPlace& place = scanner.region.markup;
        if (place == MarkupPlace::Text) {
            plain = true;
        } else if (place == MarkupPlace::TagName) {
            role = KeywordRole(rules.tagClass);
            place = MarkupPlace::Attributes;
        } else {
            const char16_t* before = word.data() - 1;
            while (IsBlank(*before)) --before;
            plain = *before == u'=';  // an unquoted value
            role = KeywordRole(rules.attributeClass);
        }
        return true;
    }
    if (rules.keys == KeyKind::StringsAndWords && KeyFollows(word.data() + word.size(), true)) {
        role = KeywordRole(rules.keyClass);
        return true;
    }
    return false;
}
