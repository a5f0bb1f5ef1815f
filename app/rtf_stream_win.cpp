#include "app/rtf_stream_win.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

// The parts of one piece, handed out in the blocks the pane asks for.
struct DocumentReader {
    std::string_view parts[5];  // header, format, body, extra break, closing
    int part;
    size_t offset;
    size_t delivered;
    size_t total;
};

DWORD CALLBACK ReadDocument(DWORD_PTR cookie, LPBYTE buffer, LONG room, LONG* written) {
    auto& reader = *reinterpret_cast<DocumentReader*>(cookie);
    LONG count = 0;
    while (count < room && reader.part < static_cast<int>(std::size(reader.parts))) {
        const std::string_view part = reader.parts[reader.part];
        const size_t take = std::min(part.size() - reader.offset, static_cast<size_t>(room - count));
        std::memcpy(buffer + count, part.data() + reader.offset, take);
        count += static_cast<LONG>(take);
        reader.offset += take;
        if (reader.offset == part.size()) {
            ++reader.part;
            reader.offset = 0;
        }
    }
    reader.delivered += count;
    *written = count;
    return 0;
}

}  // namespace

// Under Wine a piece takes about 100 MB; the reserve leaves room for that
// and for what Copy needs afterwards. A refused conversion only costs the
// user a message, a failed allocation inside the pane ends the program.
bool RoomForAnotherPiece() {
    constexpr DWORDLONG kReserve = 512ull << 20;
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return true;
    return status.ullAvailVirtual >= kReserve && status.ullAvailPageFile >= kReserve;
}

namespace {

bool StreamPiece(HWND pane, const RtfSink::Document& document, size_t index) {
    const RtfSink::Piece piece = document.PieceAt(index);
    // The first piece replaces the content: such a stream drops its last
    // paragraph break, which the pane's own final mark stands for, so a
    // piece that ends in a break needs one more to keep it. The others are
    // inserted at the end, where every break is kept.
    const bool endsWithBreak = piece.last ? document.endsWithBreak : true;
    const std::string_view keepBreak = index == 0 && endsWithBreak ? "\\par " : "";
    DocumentReader reader = {{document.header, piece.format, piece.body, keepBreak, document.closing}, 0, 0, 0, 0};
    for (std::string_view part : reader.parts) reader.total += part.size();
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&reader), 0, ReadDocument};
    WPARAM format = SF_RTF;
    if (index > 0) {
        SendMessageW(pane, EM_SETSEL, -1, -1);
        format |= SFF_SELECTION;
    }
    SendMessageW(pane, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0 && reader.delivered == reader.total;
}

}  // namespace

PaneFill StreamRtfIntoPane(HWND pane, const RtfSink::Document& document, bool (*roomForMore)()) {
    // A shown pane lays out and paints as the runs arrive, which under Wine
    // costs three times the reading; hidden, it lays out once when shown.
    const bool shown = IsWindowVisible(pane);
    const bool focused = GetFocus() == pane;
    if (shown) ShowWindow(pane, SW_HIDE);
    PaneFill fill = PaneFill::Complete;
    for (size_t i = 0; i < document.PieceCount() && fill == PaneFill::Complete; ++i) {
        if (!roomForMore())
            fill = PaneFill::TooLarge;
        else if (!StreamPiece(pane, document, i))
            fill = PaneFill::Failed;
    }
    if (shown) ShowWindow(pane, SW_SHOW);
    if (focused) SetFocus(pane);
    return fill;
}
