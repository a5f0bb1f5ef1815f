#include "engine/language.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <string>

#include "base/file_io.h"
#include "base/memory.h"
#include "config/ansi_text.h"
#include "engine/char_class.h"
#include "engine/language_rules.h"

namespace {

// The files are read the way the C runtime reads them with fgets in text
// mode and a 512-byte buffer; emulating that on a binary read gives both
// builds the same lines.
constexpr size_t kLineBufferBytes = 512;
constexpr size_t kMaxWideLine = 512;
constexpr char kSettingsHeader[] = "[LanguageInfo]";
constexpr size_t kDelimiterValueMax = 91;  // the field ends with " \t\r\n"

// Text mode: CR LF arrives as LF, a lone CR stays, Ctrl-Z ends the file.
std::string TextModeBytes(std::string_view raw) {
    std::string text;
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\x1A') break;
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        text.push_back(raw[i]);
    }
    return text;
}

// One fgets read: up to and including a LF, at most 511 bytes.
std::string_view NextChunk(std::string_view text, size_t& position) {
    size_t limit = std::min(text.size() - position, kLineBufferBytes - 1);
    std::string_view window = text.substr(position, limit);
    size_t lf = window.find('\n');
    std::string_view chunk = lf == std::string_view::npos ? window : window.substr(0, lf + 1);
    position += chunk.size();
    return chunk;
}

enum class LineKind { Ignored, SettingsHeader, KeywordHeader, Content };
struct Line {
    LineKind kind;
    std::string_view text;
    int bucket;  // of a keyword header
};

// Classifies a chunk from its bytes in both passes, so that the passes agree
// on every section and every bucket whatever the decoding does.
Line ClassifyChunk(std::string_view chunk) {
    chunk = chunk.substr(0, chunk.find('\0'));  // the parser sees C strings
    if (chunk.empty() || chunk[0] == ';') return {LineKind::Ignored, {}, 0};
    if (chunk.back() == '\n' || chunk.back() == '\r') chunk.remove_suffix(1);
    if (chunk.empty()) return {LineKind::Ignored, {}, 0};
    if (chunk[0] != '[') return {LineKind::Content, chunk, 0};
    if (EqualsIgnoreAsciiCase(chunk, std::string_view(kSettingsHeader))) return {LineKind::SettingsHeader, chunk, 0};
    char16_t second = chunk.size() > 1 ? static_cast<unsigned char>(chunk[1]) : 0;
    return {LineKind::KeywordHeader, chunk, KeywordBucket(second)};
}

enum class Section { None, Settings, Keywords };

// Walks the file's lines and hands every content line to the callback with
// the section it lies in; before the first header nothing is handed on.
template <typename OnHeader, typename OnContent>
void WalkLines(std::string_view text, OnHeader&& onHeader, OnContent&& onContent) {
    Section section = Section::None;
    int bucket = 0;
    for (size_t position = 0; position < text.size();) {
        Line line = ClassifyChunk(NextChunk(text, position));
        switch (line.kind) {
        case LineKind::Ignored: break;
        case LineKind::SettingsHeader: section = Section::Settings; break;
        case LineKind::KeywordHeader:
            section = Section::Keywords;
            bucket = line.bucket;
            onHeader(bucket);
            break;
        case LineKind::Content:
            if (section != Section::None) onContent(section, bucket, line.text);
            break;
        }
    }
}

template <typename Char, typename F>
void ForEachWord(std::basic_string_view<Char> line, F&& f) {
    auto blank = [](Char c) { return c == Char(' ') || c == Char('\t'); };
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && blank(line[i])) ++i;
        size_t start = i;
        while (i < line.size() && !blank(line[i])) ++i;
        if (i > start) f(line.substr(start, i - start));
    }
}

// First pass: how many slots each bucket needs and how wide a slot must be.
// Slots are laid out bucket by bucket in the order the buckets first appear,
// so a bucket whose section occurs twice still gets one contiguous run.
struct KeywordCensus {
    size_t words = 0;
    size_t widestNeed = 0;
    size_t perBucket[kKeywordBuckets] = {};
    int firstSlot[kKeywordBuckets];

    explicit KeywordCensus(std::string_view text) {
        int order[kKeywordBuckets];
        int buckets = 0;
        std::fill(std::begin(firstSlot), std::end(firstSlot), -1);
        WalkLines(
            text,
            [&](int bucket) {
                if (std::find(order, order + buckets, bucket) == order + buckets) order[buckets++] = bucket;
            },
            [&](Section section, int bucket, std::string_view line) {
                if (section != Section::Keywords) return;
                ForEachWord(line, [&](std::string_view word) {
                    size_t need = word.size() + (IsDecimalDigit(static_cast<unsigned char>(word[0])) ? 0 : 1) + 1;
                    widestNeed = std::max(widestNeed, need);
                    ++perBucket[bucket];
                    ++words;
                });
            });
        size_t next = 0;
        for (int i = 0; i < buckets; ++i) {
            firstSlot[order[i]] = static_cast<int>(next);
            next += perBucket[order[i]];
        }
    }
};

struct SettingKey {
    const char16_t* prefix;
    void (*apply)(LanguageInfo* record, WStringView value);
};

const SettingKey kSettingKeys[] = {
    {u"EscapeChar=", [](LanguageInfo* r, WStringView v) { r->escapeChar = v.empty() ? 0 : v[0]; }},
    {u"LineComment=",
     [](LanguageInfo* r, WStringView v) {
         if (r->lineCommentCount < 0 || r->lineCommentCount >= 4) return;
         CopyToField(r->lineComments[r->lineCommentCount++], v);
     }},
    {u"BlockCommentOn=", [](LanguageInfo* r, WStringView v) { CopyToField(r->blockCommentOn, v); }},
    {u"BlockCommentOff=", [](LanguageInfo* r, WStringView v) { CopyToField(r->blockCommentOff, v); }},
    {u"StringChars=", [](LanguageInfo* r, WStringView v) { CopyToField(r->stringChars, v); }},
    {u"Delimiters=",
     [](LanguageInfo* r, WStringView v) {
         WString value(v.substr(0, kDelimiterValueMax));
         value += u" \t\r\n";
         CopyToField(r->delimiters, value);
     }},
    {u"Seperators=", [](LanguageInfo* r, WStringView v) { CopyToField(r->seperators, v); }},
    {u"CaseSensitive=", [](LanguageInfo* r, WStringView v) { r->caseSensitive = (!v.empty() && v[0] == u'0') ? 0 : 1; }},
};

void ApplySetting(LanguageInfo* record, WStringView line) {
    for (const SettingKey& key : kSettingKeys) {
        WStringView prefix(key.prefix);
        if (StartsWithIgnoreAsciiCase(line, prefix)) {
            key.apply(record, line.substr(prefix.size()));
            return;
        }
    }
    ApplyLanguageRule(record, line);
}

// Stores one word in the next slot of its bucket. The bucket's run and the
// slot width were sized by the first pass; both are checked again so that a
// decoding that differs from the byte count can never write past the store.
void StoreKeyword(LanguageInfo* record, int bucket, const size_t* capacity, WStringView word) {
    if (static_cast<size_t>(record->bucketCount[bucket]) >= capacity[bucket]) return;
    size_t slotIndex = static_cast<size_t>(record->bucketFirst[bucket]) + record->bucketCount[bucket];
    size_t stride = static_cast<size_t>(record->keywordStride);
    char16_t* slot = record->keywords + slotIndex * stride;
    size_t used = 0;
    if (!IsDecimalDigit(word[0])) slot[used++] = u'0';
    size_t length = std::min(word.size(), stride - 1 - used);
    std::copy(word.begin(), word.begin() + length, slot + used);
    slot[used + length] = 0;
    ++record->bucketCount[bucket];
}

WString DecodeLine(std::string_view line, AnsiFileEncoding encoding) {
    WString wide = AnsiFileLineToWide(line, encoding);
    if (wide.size() > kMaxWideLine) wide.resize(kMaxWideLine);
    return wide;
}

size_t RoundUpToFour(size_t n) { return (n + 3) / 4 * 4; }

}  // namespace

int KeywordBucket(char16_t c) {
    if (c >= u'a' && c <= u'z') return c - u'a';
    if (c >= u'A' && c <= u'Z') return c - u'A';
    if (c == u'#') return 26;
    if (c == u'_') return 27;
    return 28;
}

int ParseLanguageFile(LanguageInfo* record) {
    if (!record) return 0;
    const std::optional<std::string> raw = ReadFileBytes(record->filePath);
    return raw ? ParseLanguageText(record, *raw) : 0;
}

int ParseLanguageText(LanguageInfo* record, std::string_view bytes) {
    if (!record) return 0;
    const std::string text = TextModeBytes(bytes);
    const AnsiFileEncoding encoding = DetectAnsiFileEncoding(text);

    const KeywordCensus census(text);
    MEM_Free(record->keywords);
    record->keywords = nullptr;
    // Slots are at most 511 bytes wide, so only the word count can be huge.
    record->keywordCount = static_cast<int32_t>(
        std::min<uint64_t>(census.words, std::numeric_limits<int32_t>::max()));
    record->keywordStride = static_cast<int32_t>(RoundUpToFour(census.widestNeed));
    if (census.words > 0) {
        uint64_t bytes = uint64_t{census.words} * record->keywordStride * sizeof(char16_t);
        if (bytes <= std::numeric_limits<uint32_t>::max())
            record->keywords = static_cast<char16_t*>(MEM_Alloc(static_cast<uint32_t>(bytes)));
        if (!record->keywords) return 0;
    }

    std::copy(std::begin(census.firstSlot), std::end(census.firstSlot), record->bucketFirst);
    std::fill(std::begin(record->bucketCount), std::end(record->bucketCount), 0);
    WalkLines(
        text, [](int) {},
        [&](Section section, int bucket, std::string_view line) {
            if (section == Section::Settings) {
                ApplySetting(record, DecodeLine(line, encoding));
            } else if (record->keywords) {
                WString wide = DecodeLine(line, encoding);
                ForEachWord(WStringView(wide), [&](WStringView word) {
                    StoreKeyword(record, bucket, census.perBucket, word);
                });
            }
        });
    return 1;
}

KeywordMatch FindKeyword(const LanguageInfo* record, WStringView word) {
    const KeywordMatch notFound{false, 0};
    if (!record || !record->keywords || record->keywordStride <= 0) return notFound;
    word = word.substr(0, word.find(u'\0'));
    // A slot holds its class digit, then the keyword, NUL-terminated unless it fills the slot.
    const size_t stride = static_cast<size_t>(record->keywordStride);
    if (word.size() > stride - 1) return notFound;
    int bucket = KeywordBucket(word.empty() ? 0 : word[0]);
    const int64_t first = record->bucketFirst[bucket];
    if (first < 0) return notFound;
    const int64_t end = std::min<int64_t>(first + record->bucketCount[bucket], record->keywordCount);
    const bool caseSensitive = record->caseSensitive == 1;
    for (int64_t i = first; i < end; ++i) {
        const char16_t* slot = record->keywords + static_cast<size_t>(i) * stride;
        const char16_t* keyword = slot + 1;
        // Equal when the keyword ends where the word does and agrees before.
        if (word.size() < stride - 1 && keyword[word.size()]) continue;
        const WStringView stored(keyword, word.size());
        if (caseSensitive ? stored == word : EqualsIgnoreAsciiCase(stored, word)) return {true, slot[0] - u'0'};
    }
    return notFound;
}

WStringView KeywordIndex::SlotText(int64_t slot) const {
    const size_t stride = static_cast<size_t>(record_.keywordStride);
    const char16_t* keyword = record_.keywords + static_cast<size_t>(slot) * stride + 1;
    return WStringView(keyword, static_cast<size_t>(std::find(keyword, keyword + stride - 1, u'\0') - keyword));
}

// Whether `count` units at a and b agree, as fixed-size comparisons that
// overlap in the middle rather than a loop that ends at a different place
// for every word.
static bool SameUnits(const char16_t* a, const char16_t* b, size_t count) {
    auto same = [&](auto block, size_t at) {
        decltype(block) other;
        std::memcpy(&block, a + at, sizeof block);
        std::memcpy(&other, b + at, sizeof other);
        return block == other;
    };
    if (count < 2) return count == 0 || a[0] == b[0];
    if (count < 4) return same(uint32_t{}, 0) && same(uint32_t{}, count - 2);
    size_t at = 0;
    for (; at + 4 < count; at += 4)
        if (!same(uint64_t{}, at)) return false;
    return same(uint64_t{}, count - 4);
}

// Whether the slot's keyword equals the word: it ends where the word does
// and agrees before.
bool KeywordIndex::SlotHolds(int32_t slot, WStringView word) const {
    const size_t stride = static_cast<size_t>(record_.keywordStride);
    const char16_t* keyword = record_.keywords + static_cast<size_t>(slot) * stride + 1;
    if (word.size() < stride - 1 && keyword[word.size()]) return false;
    if (record_.caseSensitive == 1) return SameUnits(keyword, word.data(), word.size());
    for (size_t i = 0; i < word.size(); ++i)
        if (AsciiLower(keyword[i]) != AsciiLower(word[i])) return false;
    return true;
}

// Multiplicative hashing: the key's high product bits pick the first probe.
static uint32_t FirstProbe(uint32_t key, uint32_t mask) { return (key * 0x9E3779B1u) >> 7 & mask; }

KeywordMatch KeywordIndex::Probe(WStringView word) const {
    const uint32_t key = Key(word);
    for (uint32_t i = FirstProbe(key, mask_);; i = (i + 1) & mask_) {
        const Entry entry = entries_[i];
        if (entry.key == key && entry.slot >= 0 && SlotHolds(entry.slot, word))
            return {true, record_.keywords[static_cast<size_t>(entry.slot) * record_.keywordStride] - u'0'};
        if (entry.slot < 0) return {false, 0};
    }
}

// Nothing is ever removed, so of two equal keywords the one inserted first
// lies first on the probe sequence: the earlier slot wins, as in FindKeyword.
void KeywordIndex::Insert(WStringView keyword, int32_t slot) {
    const uint32_t key = Key(keyword);
    uint32_t i = FirstProbe(key, mask_);
    while (entries_[i].slot >= 0) i = (i + 1) & mask_;
    entries_[i] = {key, slot};
    longest_ = std::max(longest_, keyword.size());
}

KeywordIndex::KeywordIndex(const LanguageInfo& record) : record_(record) {
    if (!record.keywords || record.keywordStride <= 0 || record.keywordCount <= 0) return;
    // At most an eighth full, so a word that is no keyword mostly meets an
    // empty entry at once. Beyond the usual sizes FindKeyword answers.
    constexpr int32_t kMostIndexed = 1 << 16;
    if (record.keywordCount > kMostIndexed) {
        longest_ = static_cast<size_t>(record.keywordStride);
        return;
    }
    uint32_t capacity = 64;
    while (capacity < 8 * static_cast<uint32_t>(record.keywordCount)) capacity *= 2;
    entries_.reset(new (std::nothrow) Entry[capacity]);
    if (!entries_) {
        longest_ = static_cast<size_t>(record.keywordStride);
        return;
    }
    mask_ = capacity - 1;
    std::fill(entries_.get(), entries_.get() + capacity, Entry{0, -1});
    // The slots FindKeyword walks, in its order. A keyword in another
    // letter's bucket is never found, as FindKeyword never looks there.
    for (int bucket = 0; bucket < kKeywordBuckets; ++bucket) {
        const int64_t first = record.bucketFirst[bucket];
        if (first < 0) continue;
        const int64_t end = std::min<int64_t>(first + record.bucketCount[bucket], record.keywordCount);
        for (int64_t slot = first; slot < end; ++slot) {
            const WStringView keyword = SlotText(slot);
            if (!keyword.empty() && KeywordBucket(keyword[0]) == bucket) Insert(keyword, static_cast<int32_t>(slot));
        }
    }
}

LanguageTable* CreateLanguageTable(int32_t count) {
    if (count <= 0) return nullptr;
    const uint64_t bytes = sizeof(LanguageTable) + static_cast<uint64_t>(count) * sizeof(LanguageInfo);
    if (bytes > std::numeric_limits<uint32_t>::max()) return nullptr;
    void* block = MEM_Alloc(static_cast<uint32_t>(bytes));
    if (!block) return nullptr;
    std::memset(block, 0, static_cast<size_t>(bytes));
    auto* table = static_cast<LanguageTable*>(block);
    table->count = count;
    table->records = reinterpret_cast<LanguageInfo*>(table + 1);
    return table;
}

void FreeLanguageTable(LanguageTable* table) {
    if (!table) return;
    for (int32_t i = 0; i < table->count; ++i) MEM_Free(table->records[i].keywords);
    MEM_Free(table);
}
