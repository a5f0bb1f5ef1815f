#include "config/code_pages.h"

#include <vector>
#include "config/gbk_table.h"

char16_t Windows1252Unit(unsigned char byte) {
    static constexpr char16_t kHighControls[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

namespace {

constexpr unsigned kLeadFirst = 0x81, kLeadLast = 0xFE;
constexpr size_t kTrailSlots = 190;                // 40-7E and 80-FE
constexpr size_t kRowStartSlot = kGbkLowTrailCount;  // the slot of trail byte A1
constexpr char16_t kHanziFirst = 0x4E00, kHanziLast = 0x9FA5;

// Index of a trail byte among those GBK allows; -1 for the others.
int TrailSlot(unsigned char trail) {
    if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return -1;
    return trail - 0x40 - (trail > 0x7F ? 1 : 0);
}

// Every two-byte code of the code page; all 23940 of them are defined.
class GbkTable {
public:
    GbkTable() {
        FillGb2312Rows();
        FillLowTrailSymbols();
        FillGbkHanzi();
    }
    char16_t At(unsigned lead, size_t slot) const { return units_[lead - kLeadFirst][slot]; }

private:
    char16_t& Unit(unsigned lead, size_t slot) { return units_[lead - kLeadFirst][slot]; }

    // Rows A1-FE, trail bytes A1-FE: GB 2312 and two user-defined areas.
    void FillGb2312Rows() {
        for (unsigned lead = 0xA1; lead <= kLeadLast; ++lead)
            for (size_t k = 0; k < kGbkRowLength; ++k) {
                char16_t unit;
                if (lead <= 0xA9) unit = kGbkSymbolRows[(lead - 0xA1) * kGbkRowLength + k];
                else if (lead <= 0xAF) unit = static_cast<char16_t>(0xE000 + (lead - 0xAA) * kGbkRowLength + k);
                else if (lead <= 0xF7) unit = kGbkHanziRows[(lead - 0xB0) * kGbkRowLength + k];
                else unit = static_cast<char16_t>(0xE234 + (lead - 0xF8) * kGbkRowLength + k);
                Unit(lead, kRowStartSlot + k) = unit;
            }
    }

    // Rows A1-A9, trail bytes 40-A0: a third user-defined area, then GBK/5.
    void FillLowTrailSymbols() {
        for (unsigned lead = 0xA1; lead <= 0xA9; ++lead)
            for (size_t k = 0; k < kGbkLowTrailCount; ++k)
                Unit(lead, k) = lead <= 0xA7 ? static_cast<char16_t>(0xE4C6 + (lead - 0xA1) * kGbkLowTrailCount + k)
                                             : kGbkSymbolExtension[(lead - 0xA8) * kGbkLowTrailCount + k];
    }

    // GBK/3 (rows 81-A0) and GBK/4 (rows AA-FE, trail bytes 40-A0) hold the
    // unified hanzi GB 2312 lacks, in code point order, then the final codes.
    void FillGbkHanzi() {
        std::vector<bool> inGb2312(kHanziLast - kHanziFirst + 1);
        for (char16_t c : kGbkHanziRows)
            if (c >= kHanziFirst && c <= kHanziLast) inGb2312[c - kHanziFirst] = true;
        unsigned next = kHanziFirst;
        size_t finalCode = 0;
        auto fill = [&](char16_t& unit) {
            while (next <= kHanziLast && inGb2312[next - kHanziFirst]) ++next;
            if (next <= kHanziLast) unit = static_cast<char16_t>(next++);
            else unit = finalCode < kGbkFinalCodeCount ? kGbkFinalCodes[finalCode++] : 0xFFFD;
        };
        for (unsigned lead = kLeadFirst; lead <= 0xA0; ++lead)
            for (size_t slot = 0; slot < kTrailSlots; ++slot) fill(Unit(lead, slot));
        for (unsigned lead = 0xAA; lead <= kLeadLast; ++lead)
            for (size_t slot = 0; slot < kGbkLowTrailCount; ++slot) fill(Unit(lead, slot));
    }

    char16_t units_[kLeadLast - kLeadFirst + 1][kTrailSlots];
};

const GbkTable& Gbk() {
    static const GbkTable table;
    return table;
}

}  // namespace

long DecodeGbkCharacter(std::string_view bytes, size_t& i) {
    const unsigned char lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) return ++i, lead;
    if (lead == 0x80) return ++i, 0x20AC;
    const int slot = i + 1 < bytes.size() ? TrailSlot(static_cast<unsigned char>(bytes[i + 1])) : -1;
    if (lead > kLeadLast || slot < 0) return ++i, -1;
    i += 2;
    return Gbk().At(lead, static_cast<size_t>(slot));
}

bool InGb2312Rows(unsigned char lead, unsigned char trail) {
    const bool row = (lead >= 0xA1 && lead <= 0xA9) || (lead >= 0xB0 && lead <= 0xF7);
    return row && trail >= 0xA1 && trail <= 0xFE;
}
