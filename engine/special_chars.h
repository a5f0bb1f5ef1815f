#pragma once
// The table of characters replaced by HTML entities, and HTML escaping.
#include <cstdint>
#include "base/wide.h"
#include "config/settings.h"

struct SpecialCharEntry {
    char16_t character;
    int32_t length;     // of text
    char16_t text[64];  // the replacement, NUL-terminated
};

// One MEM_Alloc block: this header followed by `count` rows. The configured
// items come first, then the built-in rows for the blank and the tab.
struct SpecialChars {
    int32_t count;
    SpecialCharEntry* rows;
};

constexpr uint32_t kSpecialCharItemSize = 48;  // profile buffer of one Item<n>

// A table of itemCount empty item rows plus the two built-in rows; null when
// itemCount < 0 or the block cannot be allocated.
SpecialChars* CreateSpecialChars(int32_t itemCount, int32_t tabToSpaces);
// Fills an item row from its configured value: first character, one ignored
// separator, then the replacement (cut to 45 characters). A value too short to
// carry a replacement maps its character to itself, so it stays unchanged.
void SetSpecialCharItem(SpecialCharEntry& row, WStringView value);
void FreeSpecialChars(SpecialChars* table);

// Reads [SpecialChars] of settings.iniPath into settings.specialChars.
// Count below 1: false, the old table stays. Allocation failure: false and no
// table.
bool LoadSpecialChars(AppSettings& settings);

// "&nbsp;&nbsp;" for a tab width of 2, else four of them.
WStringView TabMarkup(int32_t tabToSpaces);

// Where tabs stop when each runs to the next multiple of the tab width (2 for
// a tab width of 2, else 4, as TabMarkup counts). Columns are counted from
// the line start: every code unit counts one, a surrogate pair one for both,
// a tab up to its stop; CR and LF start a line. Tabs must be asked for in
// text order, so the text is walked once however many tabs it holds.
class TabStops {
public:
    TabStops(const char16_t* text, int32_t tabToSpaces);
    // The markup of the tab at `tab`, a position in the text at or after
    // every tab asked for before.
    WStringView Markup(const char16_t* tab);

private:
    const char16_t* walked_;  // column_ is the column at walked_
    uint32_t column_ = 0;     // modulo 2^32, which keeps it right modulo the width
    uint32_t width_;
};

// Lookup of the first row for each character, built once per conversion. The
// built-in tab row follows the tab width given here, so every tab of one
// output has the same width whenever the table was loaded. With tab stops,
// every tab is replaced (table or none, configured tab row or not): by the
// markup up to its stop, which EscapeHtml gets from TabStops.
class EscapeTable {
public:
    EscapeTable(const SpecialChars* table, int32_t tabToSpaces, bool tabStops = false);

    struct Replacement {
        const char16_t* text;
        int32_t length;
    };
    bool HasWideRows() const { return hasWideRows_; }
    // Calls f(c) for every character that some row replaces.
    template <typename F>
    void ForEachReplaced(F&& f) const {
        for (char16_t c = 1; c < 128; ++c)
            if (ascii_[c].text) f(c);
        for (int32_t i = 0; hasWideRows_ && i < table_->count; ++i)
            if (table_->rows[i].character >= 128) f(table_->rows[i].character);
    }
    bool TabsStopAtColumns() const { return tabStops_; }
    // The most units one character can become (at least 1).
    size_t LongestReplacement() const { return longest_; }
    // The first row's replacement for c; text is null when no row has c.
    Replacement Find(char16_t c) const {
        if (c < 128) return ascii_[c];
        return hasWideRows_ ? FindWide(c) : Replacement{nullptr, 0};
    }

    // The ASCII characters other than the blank that some row replaces,
    // when there are at most eight, each eight times over (unused places
    // repeat the first): EscapeHtml then skips eight units at a time past
    // the others.
    using EightUnits = char16_t[8];
    const EightUnits* FewReplaced() const { return fewReplaced_ ? replacedAscii_ : nullptr; }
    bool ReplacesBlank() const { return ascii_[u' '].text; }

private:
    Replacement FindWide(char16_t c) const;
    Replacement ReplacementOf(int32_t row) const;
    void CollectFewReplaced();

    const SpecialChars* table_;
    WStringView tab_;
    bool tabStops_;
    bool hasWideRows_ = false;
    size_t longest_ = 1;
    EightUnits replacedAscii_[8] = {};
    bool fewReplaced_ = true;
    Replacement ascii_[128] = {};
};

// Bytes a buffer needs for EscapeHtml(s): 2 x (1 + the replacement lengths,
// 1 for characters without a row). Wide enough never to overflow.
uint64_t EscapedSize(const EscapeTable& table, WStringView s);
// Escapes s into destination (NUL-terminated) and returns the length written.
// `previous` is the character before s in the code text: a blank stays a
// blank after anything that is not white space. With tab stops, s must be a
// slice of the code text that `stops` walks, and tabs run to their stops.
size_t EscapeHtml(const EscapeTable& table, WStringView s, char16_t previous, char16_t* destination,
                  TabStops* stops = nullptr);
