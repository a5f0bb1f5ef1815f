#include "engine/special_chars.h"

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include "base/memory.h"
#include "config/profile.h"
#include "engine/char_class.h"
#include "engine/emitter.h"

static constexpr WStringView kNbsp = u"&nbsp;";
static constexpr WStringView kTwoNbsp = u"&nbsp;&nbsp;";
static constexpr WStringView kFourNbsp = u"&nbsp;&nbsp;&nbsp;&nbsp;";

WStringView TabMarkup(int32_t tabToSpaces) { return tabToSpaces == 2 ? kTwoNbsp : kFourNbsp; }

TabStops::TabStops(const char16_t* text, int32_t tabToSpaces)
    : walked_(text), width_(static_cast<uint32_t>(TabMarkup(tabToSpaces).size() / kNbsp.size())) {}

WStringView TabStops::Markup(const char16_t* tab) {
    for (; walked_ < tab; ++walked_) {
        const char16_t c = *walked_;
        if (c == u'\r' || c == u'\n')
            column_ = 0;
        else if (c == u'\t')
            column_ += width_ - column_ % width_;
        else if (!IsLowSurrogate(c) || !IsHighSurrogate(walked_[-1]))
            ++column_;
    }
    const uint32_t spaces = width_ - column_ % width_;
    column_ += spaces;
    walked_ = tab + 1;
    return kFourNbsp.substr(kFourNbsp.size() - spaces * kNbsp.size());
}

static void SetRow(SpecialCharEntry& row, char16_t character, WStringView text) {
    row.character = character;
    CopyToField(row.text, text);
    row.length = static_cast<int32_t>(WideLength(row.text));
}

SpecialChars* CreateSpecialChars(int32_t itemCount, int32_t tabToSpaces) {
    if (itemCount < 0) return nullptr;
    const uint64_t rows = static_cast<uint64_t>(itemCount) + 2;
    const uint64_t bytes = sizeof(SpecialChars) + rows * sizeof(SpecialCharEntry);
    if (bytes > UINT32_MAX) return nullptr;
    void* block = MEM_Alloc(static_cast<uint32_t>(bytes));
    if (!block) return nullptr;
    std::memset(block, 0, static_cast<size_t>(bytes));
    auto* table = static_cast<SpecialChars*>(block);
    table->count = static_cast<int32_t>(rows);
    table->rows = reinterpret_cast<SpecialCharEntry*>(table + 1);
    SetRow(table->rows[rows - 2], u' ', kNbsp);
    SetRow(table->rows[rows - 1], u'\t', TabMarkup(tabToSpaces));
    return table;
}

void SetSpecialCharItem(SpecialCharEntry& row, WStringView value) {
    value = value.substr(0, kSpecialCharItemSize - 1);
    if (value.empty()) {
        SetRow(row, 0, u"");
    } else if (value.size() < 3) {
        SetRow(row, value[0], value.substr(0, 1));
    } else {
        SetRow(row, value[0], value.substr(2));
    }
}

void FreeSpecialChars(SpecialChars* table) { MEM_Free(table); }

bool LoadSpecialChars(AppSettings& settings) {
    const char16_t* section = u"SpecialChars";
    const int32_t items = ProfileGetInt(section, u"Count", 0, settings.iniPath);
    if (items < 1) return false;
    FreeSpecialChars(settings.specialChars);
    settings.specialChars = CreateSpecialChars(items, settings.tabToSpaces);
    if (!settings.specialChars) return false;
    for (int32_t i = 0; i < items; ++i) {
        const WString key = u"Item" + FormatInt(i + 1);
        char16_t value[kSpecialCharItemSize];
        ProfileGetString(section, key.c_str(), u"", value, kSpecialCharItemSize, settings.iniPath);
        SetSpecialCharItem(settings.specialChars->rows[i], value);
    }
    return true;
}

EscapeTable::EscapeTable(const SpecialChars* table, int32_t tabToSpaces, bool tabStops)
    : table_(table), tab_(TabMarkup(tabToSpaces)), tabStops_(tabStops) {
    // The widest tab stop is a whole tab width.
    if (tabStops_) ascii_[u'\t'] = {tab_.data(), static_cast<int32_t>(tab_.size())};
    for (int32_t i = 0; table_ && i < table_->count; ++i) {
        const char16_t c = table_->rows[i].character;
        const Replacement row = ReplacementOf(i);
        longest_ = std::max(longest_, static_cast<size_t>(std::max(row.length, 0)));
        if (c >= 128)
            hasWideRows_ = true;
        else if (!ascii_[c].text)
            ascii_[c] = row;
    }
    longest_ = std::max(longest_, static_cast<size_t>(ascii_[u'\t'].length));
    CollectFewReplaced();
}

void EscapeTable::CollectFewReplaced() {
    constexpr size_t kFew = sizeof replacedAscii_ / sizeof replacedAscii_[0];
    char16_t replaced[kFew] = {};
    size_t count = 0;
    for (char16_t c = 1; c < 128 && fewReplaced_; ++c) {
        if (c == u' ' || !ascii_[c].text) continue;
        if (count == kFew)
            fewReplaced_ = false;
        else
            replaced[count++] = c;
    }
    std::fill(replaced + count, replaced + kFew, replaced[0]);
    for (size_t i = 0; i < kFew; ++i) std::fill(std::begin(replacedAscii_[i]), std::end(replacedAscii_[i]), replaced[i]);
}

EscapeTable::Replacement EscapeTable::ReplacementOf(int32_t row) const {
    if (row == table_->count - 1) return {tab_.data(), static_cast<int32_t>(tab_.size())};
    const SpecialCharEntry& entry = table_->rows[row];
    return {entry.text, entry.length};
}

EscapeTable::Replacement EscapeTable::FindWide(char16_t c) const {
    for (int32_t i = 0; i < table_->count; ++i)
        if (table_->rows[i].character == c) return ReplacementOf(i);
    return {nullptr, 0};
}

uint64_t EscapedSize(const EscapeTable& table, WStringView s) {
    uint64_t units = 1;
    for (char16_t c : s) {
        const EscapeTable::Replacement r = table.Find(c);
        units += r.text ? static_cast<uint64_t>(r.length) : 1;
    }
    return 2 * units;
}

// The replacement of the unit at p, a tab running to its stop.
static char16_t* WriteReplacement(EscapeTable::Replacement r, const char16_t* p, char16_t* out, TabStops* stops) {
    if (*p == u'\t' && stops) {
        const WStringView stop = stops->Markup(p);
        r = {stop.data(), static_cast<int32_t>(stop.size())};
    }
    // Replacements are a few units long: copies of fixed size beat a call.
    const size_t length = static_cast<size_t>(std::max(r.length, 0));
    if (length <= Emitter::kInlineLength)
        CopyUnits(out, r.text, length);
    else
        std::copy(r.text, r.text + length, out);
    return out + length;
}

// Writes the escaped form of the unit at p, `previous` standing before it.
// Most units stay as they are, which is decided here, inline.
static inline char16_t* EscapeUnit(const EscapeTable& table, const char16_t* p, char16_t previous, char16_t* out,
                                   TabStops* stops) {
    const char16_t c = *p;
    const EscapeTable::Replacement r = table.Find(c);
    // Computed rather than branched on: blanks are frequent in comments, and
    // most of them follow a word and stay blanks.
    const bool blankStays = (c == u' ') & !IsWideSpace(previous);
    if (!r.text | blankStays) {
        *out = c;
        return out + 1;
    }
    return WriteReplacement(r, p, out, stops);
}

#if defined(__SSE2__)
namespace {
// Finds, eight units at a time, the units EscapeHtml must look at one by one:
// replaced ASCII characters, blanks after white space (or after a character
// beyond ASCII, which may be white space), and, when rows replace some, any
// character beyond ASCII.
class EightUnitScan {
public:
    explicit EightUnitScan(const EscapeTable& table)
        : blankRow_(table.ReplacesBlank()), wideRows_(table.HasWideRows()) {
        // Held as values, which stay in registers: loads through the table
        // would be repeated after every store of the output.
        for (int i = 0; i < 8; ++i)
            replaced_[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(table.FewReplaced()[i]));
    }
    // Two mask bits per unit of at[0, 8) that needs a look; at[-1] is read.
    int NeedsLook(const char16_t* at) const {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i zero = _mm_setzero_si128(), highBits = _mm_set1_epi16(static_cast<short>(0xFF80));
        // Written out: the compiler keeps a loop here, with a branch per row.
        const auto is = [units](__m128i replaced) { return _mm_cmpeq_epi16(units, replaced); };
        __m128i look = _mm_or_si128(_mm_or_si128(_mm_or_si128(is(replaced_[0]), is(replaced_[1])),
                                                 _mm_or_si128(is(replaced_[2]), is(replaced_[3]))),
                                    _mm_or_si128(_mm_or_si128(is(replaced_[4]), is(replaced_[5])),
                                                 _mm_or_si128(is(replaced_[6]), is(replaced_[7]))));
        if (wideRows_)
            look = _mm_or_si128(look, _mm_andnot_si128(_mm_cmpeq_epi16(_mm_and_si128(units, highBits), zero),
                                                       _mm_set1_epi16(-1)));
        if (blankRow_) {
            const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at - 1));
            const __m128i blank = _mm_set1_epi16(u' ');
            // Blank, tab to CR (9 to 13: at most 4 above 9), or beyond ASCII.
            const __m128i controlSpace =
                _mm_cmpeq_epi16(_mm_subs_epu16(_mm_sub_epi16(before, _mm_set1_epi16(9)), _mm_set1_epi16(4)), zero);
            const __m128i wide = _mm_andnot_si128(_mm_cmpeq_epi16(_mm_and_si128(before, highBits), zero),
                                                  _mm_set1_epi16(-1));
            const __m128i mayFollowSpace = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(before, blank), controlSpace), wide);
            look = _mm_or_si128(look, _mm_and_si128(_mm_cmpeq_epi16(units, blank), mayFollowSpace));
        }
        return _mm_movemask_epi8(look);
    }

private:
    __m128i replaced_[8];
    bool blankRow_;
    bool wideRows_;
};
}  // namespace
#endif

size_t EscapeHtml(const EscapeTable& table, WStringView s, char16_t previous, char16_t* destination,
                  TabStops* stops) {
    char16_t* out = destination;
    const char16_t* p = s.data();
    const char16_t* const end = p + s.size();
    if (p < end) out = EscapeUnit(table, p++, previous, out, stops);
#if defined(__SSE2__)
    // From the second unit on, the unit before each is s's own. A unit
    // becomes at least one, so the destination has room for eight more.
    if (table.FewReplaced()) {
        const EightUnitScan scan(table);
        while (end - p >= 8) {
            const int look = scan.NeedsLook(p);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
            if (!look) {
                p += 8, out += 8;
                continue;
            }
            int plain = 0;
            while (!(look >> (2 * plain) & 1)) ++plain;
            p += plain, out += plain;
            out = EscapeUnit(table, p, p[-1], out, stops);
            ++p;
        }
    }
#endif
    for (; p < end; ++p) out = EscapeUnit(table, p, p[-1], out, stops);
    *out = 0;
    return static_cast<size_t>(out - destination);
}
