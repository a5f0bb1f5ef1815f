#include "app/indentation.h"

#include <algorithm>

namespace {

constexpr int kIndentColumns = 4;
constexpr int kTabColumns = 4;

}  // namespace

int RemoveIndent(WString& line) {
    size_t count = 0;
    int columns = 0;
    while (count < line.size() && columns < kIndentColumns && (line[count] == u' ' || line[count] == u'\t'))
        columns += line[count++] == u'\t' ? kTabColumns : 1;
    line.erase(0, count);
    return static_cast<int>(count);
}

int AddIndent(WString& line) {
    if (line.empty()) return 0;
    line.insert(line.begin(), u'\t');
    return -1;
}

size_t ShiftedPosition(size_t position, size_t lineStart, int delta, ptrdiff_t earlierDelta) {
    ptrdiff_t own = delta;
    if (delta > 0) own = std::min<ptrdiff_t>(delta, static_cast<ptrdiff_t>(position - lineStart));
    return static_cast<size_t>(static_cast<ptrdiff_t>(position) - earlierDelta - own);
}

std::optional<ShiftedBlock> ShiftBlock(WStringView block, const std::vector<PaneLine>& lines, size_t selectionStart,
                                       size_t selectionEnd, bool decrease) {
    if (lines.empty() || lines.front().start != 0 || selectionStart < lines.front().start ||
        selectionStart > lines.front().start + lines.front().length || selectionEnd < lines.back().start ||
        selectionEnd > lines.back().start + lines.back().length)
        return std::nullopt;
    ShiftedBlock shifted{WString(), 0, 0, false};
    shifted.text.reserve(block.size() + lines.size());
    WString line;
    size_t copiedTo = 0;
    ptrdiff_t earlierDelta = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const PaneLine& pane = lines[i];
        if (pane.start < copiedTo || pane.length > block.size() || pane.start > block.size() - pane.length)
            return std::nullopt;
        shifted.text.append(block.substr(copiedTo, pane.start - copiedTo));
        line.assign(block.substr(pane.start, pane.length));
        const int delta = decrease ? RemoveIndent(line) : AddIndent(line);
        shifted.text += line;
        if (i == 0) shifted.selectionStart = ShiftedPosition(selectionStart, pane.start, delta, 0);
        if (i + 1 == lines.size()) shifted.selectionEnd = ShiftedPosition(selectionEnd, pane.start, delta, earlierDelta);
        earlierDelta += delta;
        shifted.changed |= delta != 0;
        copiedTo = pane.start + pane.length;
    }
    shifted.text.append(block.substr(copiedTo));
    return shifted;
}
