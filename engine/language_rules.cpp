#include "engine/language_rules.h"

#include <algorithm>
#include <vector>
#include "engine/char_class.h"

namespace {

std::vector<WStringView> BlankSeparatedWords(WStringView value) {
    std::vector<WStringView> words;
    size_t i = 0;
    while (i < value.size()) {
        while (i < value.size() && IsBlank(value[i])) ++i;
        const size_t start = i;
        while (i < value.size() && !IsBlank(value[i])) ++i;
        if (i > start) words.push_back(value.substr(start, i - start));
    }
    return words;
}

// A class digit: '0' to '9' (keyword classes), '0' to '3' for strings.
bool ReadClass(WStringView word, int highest, int32_t& out) {
    if (word.size() != 1 || word[0] < u'0' || word[0] > u'0' + highest) return false;
    out = word[0] - u'0';
    return true;
}

// Markers are matched within a line: one holding a line break (a stray CR in
// the file) would swallow that break, and the numbers would drift from their
// lines.
bool HoldsNoLineBreak(WStringView word) { return word.find_first_of(u"\r\n") == WStringView::npos; }

bool FitsMarker(WStringView word) {
    return !word.empty() && word.size() < kRegionMarkerUnits && HoldsNoLineBreak(word);
}

// A tagged marker holds exactly one '~', the tag's place.
bool HoldsOneTagPlace(WStringView marker) { return std::count(marker.begin(), marker.end(), u'~') == 1; }

bool IsOpeningBracket(char16_t c) { return c == u'{' || c == u'(' || c == u'['; }

uint8_t ReadOptions(const std::vector<WStringView>& words, size_t from, RegionRule& rule) {
    uint8_t options = 0;
    for (size_t i = from; i < words.size(); ++i) {
        const WStringView word = words[i];
        if (word == u"escapes") options |= kRegionEscapes;
        else if (word == u"linestart") options |= kRegionAtLineStart;
        else if (word == u"nested") options |= kRegionNested;
        else if (word == u"blank") options |= kRegionBlankBeforeTag;
        else if (word == u"indented") options |= kRegionIndentedCloser;
        else if (word.substr(0, 7) == u"prefix=" && word.size() - 7 < kRegionMarkerUnits && HoldsNoLineBreak(word))
            CopyToField(rule.letters, word.substr(7));
        else if (word.substr(0, 5) == u"code=" && FitsMarker(word.substr(5)) && IsOpeningBracket(word.back()))
            CopyToField(rule.embedded, word.substr(5));
    }
    return options;
}

// Reads "[class] opener [closer] [tag characters] [options]" into the next
// rule; the fields a kind takes are fixed, so a missing one refuses the line.
bool AddRegionRule(LanguageInfo* record, RegionKind kind, WStringView value) {
    LanguageRules& rules = record->rules;
    if (rules.ruleCount < 0 || rules.ruleCount >= kMaxRegionRules) return true;
    const std::vector<WStringView> words = BlankSeparatedWords(value);
    const bool hasClass =
        kind == RegionKind::LongString || kind == RegionKind::TaggedString || kind == RegionKind::Heredoc;
    const bool hasCloser = kind != RegionKind::Heredoc;
    const bool tagged = kind == RegionKind::TaggedString || kind == RegionKind::TaggedComment;
    const size_t needed = size_t{hasClass} + 1 + size_t{hasCloser} + size_t{tagged};
    if (words.size() < needed) return true;
    RegionRule rule{};
    rule.kind = kind;
    size_t at = 0;
    int32_t stringClass = 0;
    if (hasClass && !ReadClass(words[at++], 3, stringClass)) return true;
    rule.stringClass = static_cast<uint8_t>(stringClass);
    const WStringView opener = words[at++];
    const WStringView closer = hasCloser ? words[at++] : WStringView();
    if (!FitsMarker(opener) || (hasCloser && !FitsMarker(closer))) return true;
    if (tagged) {
        const WStringView tagCharacters = words[at++];
        if (!HoldsOneTagPlace(opener) || !HoldsOneTagPlace(closer) || !FitsMarker(tagCharacters)) return true;
        CopyToField(rule.letters, tagCharacters);
    }
    CopyToField(rule.opener, opener);
    CopyToField(rule.closer, closer);
    rule.options = ReadOptions(words, at, rule);
    rules.rules[rules.ruleCount++] = rule;
    return true;
}

bool SetFlag(bool& flag, WStringView value) {
    flag = !value.empty() && value[0] == u'1';
    return true;
}

// "class [words]": the class of regular-expression literals and the words
// after which one may stand.
bool SetRegexLiterals(LanguageInfo* record, WStringView value) {
    LanguageRules& rules = record->rules;
    const std::vector<WStringView> words = BlankSeparatedWords(value);
    if (words.empty() || !ReadClass(words[0], 3, rules.regexClass)) return true;
    rules.regexLiterals = true;
    const size_t rest = static_cast<size_t>(words[0].data() + 1 - value.data());
    CopyToField(rules.regexKeywords, value.substr(rest));
    return true;
}

// "class [words]": a string (with "words", a plain word too) before ':' is a key.
bool SetKeys(LanguageInfo* record, WStringView value) {
    LanguageRules& rules = record->rules;
    const std::vector<WStringView> words = BlankSeparatedWords(value);
    if (words.empty() || !ReadClass(words[0], 9, rules.keyClass)) return true;
    rules.keys = words.size() > 1 && words[1] == u"words" ? KeyKind::StringsAndWords : KeyKind::Strings;
    return true;
}

// "tag class, attribute class [brackets]".
bool SetMarkup(LanguageInfo* record, WStringView value) {
    LanguageRules& rules = record->rules;
    const std::vector<WStringView> words = BlankSeparatedWords(value);
    if (words.size() < 2 || !ReadClass(words[0], 9, rules.tagClass) || !ReadClass(words[1], 9, rules.attributeClass))
        return true;
    rules.markup = true;
    rules.tagBrackets = words.size() > 2 && words[2] == u"brackets";
    return true;
}

struct RuleKey {
    const char16_t* prefix;
    bool (*apply)(LanguageInfo* record, WStringView value);
};

const RuleKey kRuleKeys[] = {
    {u"LongString=", [](LanguageInfo* r, WStringView v) { return AddRegionRule(r, RegionKind::LongString, v); }},
    {u"LongComment=", [](LanguageInfo* r, WStringView v) { return AddRegionRule(r, RegionKind::LongComment, v); }},
    {u"TaggedString=", [](LanguageInfo* r, WStringView v) { return AddRegionRule(r, RegionKind::TaggedString, v); }},
    {u"TaggedComment=",
     [](LanguageInfo* r, WStringView v) { return AddRegionRule(r, RegionKind::TaggedComment, v); }},
    {u"Heredoc=", [](LanguageInfo* r, WStringView v) { return AddRegionRule(r, RegionKind::Heredoc, v); }},
    {u"AnchoredComment=",
     [](LanguageInfo* r, WStringView v) { return AddRegionRule(r, RegionKind::AnchoredComment, v); }},
    {u"NestedComments=", [](LanguageInfo* r, WStringView v) { return SetFlag(r->rules.nestedComments, v); }},
    {u"DirectiveChar=",
     [](LanguageInfo* r, WStringView v) {
         // A line break would make every empty line a directive running
         // into the next one.
         r->rules.directiveChar = v.empty() || v[0] == u'\r' || v[0] == u'\n' ? 0 : v[0];
         return true;
     }},
    {u"RegexLiterals=", SetRegexLiterals},
    {u"Keys=", SetKeys},
    {u"Markup=", SetMarkup},
};

}  // namespace

bool ApplyLanguageRule(LanguageInfo* record, WStringView line) {
    for (const RuleKey& key : kRuleKeys) {
        const WStringView prefix(key.prefix);
        if (StartsWithIgnoreAsciiCase(line, prefix)) return key.apply(record, line.substr(prefix.size()));
    }
    return false;
}
