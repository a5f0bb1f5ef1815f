#include "engine/special_chars.h"

#include <algorithm>
#include <cstring>
#include "app/helpers.h"
#include "config/profile.h"
#include "engine/char_class.h"

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

uint64_t EscapedSize(const EscapeTable& table, WStringView s, bool* anyRow) {
    uint64_t units = 1;
    bool found = false;
    for (char16_t c : s) {
        const EscapeTable::Replacement r = table.Find(c);
        found |= r.text != nullptr;
        units += r.text ? static_cast<uint64_t>(r.length) : 1;
    }
    if (anyRow) *anyRow = found;
    return 2 * units;
}

size_t EscapeHtml(const EscapeTable& table, WStringView s, char16_t previous, char16_t* destination,
                  TabStops* stops) {
    char16_t* out = destination;
    for (const char16_t* p = s.data(); p < s.data() + s.size(); ++p) {
        const char16_t c = *p;
        EscapeTable::Replacement r = table.Find(c);
        // Computed rather than branched on: blanks are frequent in comments,
        // and most of them follow a word and stay blanks.
        const bool blankStays = (c == u' ') & !IsWideSpace(previous);
        if (!r.text | blankStays) {
            *out++ = c;
        } else {
            if (c == u'\t' && stops) {
                const WStringView stop = stops->Markup(p);
                r = {stop.data(), static_cast<int32_t>(stop.size())};
            }
            // Replacements are a few units long: a loop beats a call.
            for (int32_t i = 0; i < r.length; ++i) out[i] = r.text[i];
            out += r.length;
        }
        previous = c;
    }
    *out = 0;
    return static_cast<size_t>(out - destination);
}
