// The indentation commands' arithmetic on any pane text and selection: the
// block ShiftBlock returns has the lines it was given, each shifted by one
// level and no more; the new selection lies inside the text, never between a
// CR and its LF, and covers the same characters as before (a position in
// removed indentation goes to its line's start). The pane's own view of the
// lines is built here as the window asks the edit control for it; lines given
// out of order or outside the block are refused, never read past.
#include <fuzzer/FuzzedDataProvider.h>
#include <algorithm>
#include <vector>
#include "app/indentation.h"

namespace {

// Blanks and tabs often, so that indentation of every shape turns up.
WString ConsumePaneText(FuzzedDataProvider& input) {
    WString text;
    for (uint8_t unit : input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<size_t>(0, 600))) {
        switch (unit % 6) {
        case 0: case 1: text += u' '; break;
        case 2: text += u'\t'; break;
        case 3: text += u'a'; break;
        case 4: text += u'\u4E2D'; break;
        default: text += u"\r\n"; break;
        }
    }
    return text;
}

// A caret never stands between a CR and its LF.
size_t ConsumePosition(FuzzedDataProvider& input, WStringView text) {
    size_t at = input.ConsumeIntegralInRange<size_t>(0, text.size());
    if (at > 0 && at < text.size() && text[at - 1] == u'\r') --at;
    return at;
}

void CheckShift(WStringView text, size_t start, size_t end, bool decrease) {
    std::vector<PaneLine> all;  // every line of the pane, in offsets of the text
    for (size_t at = 0;;) {
        const size_t next = text.find(u"\r\n", at);
        all.push_back({at, (next == WStringView::npos ? text.size() : next) - at});
        if (next == WStringView::npos) break;
        at = next + 2;
    }
    auto lineOf = [&](size_t position) {
        size_t n = 0;
        while (n + 1 < all.size() && all[n + 1].start <= position) ++n;
        return n;
    };
    const size_t first = lineOf(start), last = lineOf(end);
    const size_t offset = all[first].start, blockEnd = all[last].start + all[last].length;
    std::vector<PaneLine> lines;
    for (size_t n = first; n <= last; ++n) lines.push_back({all[n].start - offset, all[n].length});
    const std::optional<ShiftedBlock> shifted =
        ShiftBlock(text.substr(offset, blockEnd - offset), lines, start - offset, end - offset, decrease);
    if (!shifted) __builtin_trap();

    // Line by line: the new text, and where each old column of a line went.
    WString expected;
    std::vector<size_t> newStart, removed, added;
    bool changed = false;
    for (size_t n = first; n <= last; ++n) {
        const WStringView line = text.substr(all[n].start, all[n].length);
        size_t cut = 0;
        for (size_t columns = 0; decrease && cut < line.size() && columns < 4 && (line[cut] == u' ' || line[cut] == u'\t'); ++cut)
            columns += line[cut] == u'\t' ? 4 : 1;
        const size_t tab = !decrease && !line.empty() ? 1 : 0;
        if (n > first) expected += u"\r\n";
        newStart.push_back(expected.size());
        removed.push_back(cut);
        added.push_back(tab);
        expected += WString(tab, u'\t');
        expected += line.substr(cut);
        changed |= cut + tab > 0;
    }
    if (shifted->text != expected || shifted->changed != changed) __builtin_trap();
    auto moved = [&](size_t position, size_t n) {
        const size_t column = position - all[n].start, i = n - first;
        return newStart[i] + added[i] + (column > removed[i] ? column - removed[i] : 0);
    };
    if (shifted->selectionStart != moved(start, first) || shifted->selectionEnd != moved(end, last) ||
        shifted->selectionEnd > shifted->text.size() || shifted->selectionStart > shifted->selectionEnd)
        __builtin_trap();
}

// Lines of any place and length: refused, or a block whose selection lies inside it.
void CheckAnyLines(FuzzedDataProvider& input, WStringView block, bool decrease) {
    std::vector<PaneLine> lines(input.ConsumeIntegralInRange<size_t>(0, 6));
    for (PaneLine& line : lines)
        line = {input.ConsumeIntegralInRange<size_t>(0, block.size() + 2), input.ConsumeIntegralInRange<size_t>(0, block.size() + 2)};
    const size_t start = input.ConsumeIntegralInRange<size_t>(0, block.size() + 2);
    const size_t end = input.ConsumeIntegralInRange<size_t>(0, block.size() + 2);
    const std::optional<ShiftedBlock> shifted = ShiftBlock(block, lines, start, end, decrease);
    if (shifted && (shifted->selectionStart > shifted->text.size() || shifted->selectionEnd > shifted->text.size()))
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const bool decrease = input.ConsumeBool();
    const bool paneLines = input.ConsumeBool();
    const WString text = ConsumePaneText(input);
    if (!paneLines) {
        CheckAnyLines(input, text, decrease);
        return 0;
    }
    size_t start = ConsumePosition(input, text), end = ConsumePosition(input, text);
    if (start > end) std::swap(start, end);
    CheckShift(text, start, end, decrease);
    return 0;
}
