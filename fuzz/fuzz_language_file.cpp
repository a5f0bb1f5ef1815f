// Language definition files: parsing any bytes must stay inside the record's
// fields and keyword store, and lookups must stay inside the store. Half the
// inputs start with one of the optional keys, so their values get fuzzed too;
// whatever they hold, the rules read stay within their limits.
#include <algorithm>
#include <string>
#include "base/memory.h"
#include "engine/emitter.h"
#include "engine/language.h"

namespace {

const char* const kConstructKeys[] = {"LongString=", "LongComment=", "TaggedString=", "TaggedComment=",
                                      "Heredoc=", "AnchoredComment=", "NestedComments=", "DirectiveChar=",
                                      "RegexLiterals=", "Keys=", "Markup="};
constexpr size_t kKeyCount = sizeof kConstructKeys / sizeof kConstructKeys[0];

bool HoldsOneTagPlace(WStringView marker) { return std::count(marker.begin(), marker.end(), u'~') == 1; }

// A marker is matched within a line; one holding a line break would swallow it.
bool HoldsLineBreak(WStringView marker) { return marker.find_first_of(u"\r\n") != WStringView::npos; }

void CheckRules(const LanguageRules& rules) {
    if (rules.directiveChar == u'\r' || rules.directiveChar == u'\n') __builtin_trap();
    if (rules.ruleCount < 0 || rules.ruleCount > kMaxRegionRules) __builtin_trap();
    for (int i = 0; i < rules.ruleCount; ++i) {
        const RegionRule& rule = rules.rules[i];
        const WStringView opener = FieldView(rule.opener);
        if (opener.empty() || opener.size() >= kRegionMarkerUnits || rule.stringClass > 3) __builtin_trap();
        for (WStringView marker : {opener, FieldView(rule.closer), FieldView(rule.letters), FieldView(rule.embedded)})
            if (HoldsLineBreak(marker)) __builtin_trap();
        const bool tagged = rule.kind == RegionKind::TaggedString || rule.kind == RegionKind::TaggedComment;
        if (tagged && !(HoldsOneTagPlace(opener) && HoldsOneTagPlace(FieldView(rule.closer)))) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string definition(reinterpret_cast<const char*>(data), size);
    if (size > 0 && data[0] % 2) {
        definition = std::string("[LanguageInfo]\n") + kConstructKeys[data[0] / 2 % kKeyCount] + definition.substr(1);
    }
    LanguageInfo record{};
    ParseLanguageText(&record, definition);
    CheckRules(record.rules);
    static const char16_t* const words[] = {u"int", u"INT", u"#include", u"_x", u"9", u"", u"\u4E2D"};
    for (const char16_t* word : words) FindKeyword(&record, word);
    MEM_Free(record.keywords);
    return 0;
}
