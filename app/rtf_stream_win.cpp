#include "app/rtf_stream_win.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

namespace {

// The document's parts handed out in the pieces the pane asks for.
struct DocumentReader {
    std::string_view parts[4];
    int part;
    size_t offset;
    size_t delivered;
    size_t total;
};

DWORD CALLBACK ReadDocument(DWORD_PTR cookie, LPBYTE buffer, LONG room, LONG* written) {
    auto& reader = *reinterpret_cast<DocumentReader*>(cookie);
    LONG count = 0;
    while (count < room && reader.part < 4) {
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

bool StreamRtfIntoPane(HWND pane, const RtfSink::Document& document) {
    // A stream that replaces the whole content drops its last paragraph
    // break, which the pane's own final mark stands for; a text that ends in
    // a break (as the HTML does) needs one more to keep it.
    const std::string_view keepBreak = document.endsWithBreak ? "\\par " : "";
    DocumentReader reader = {{document.header, document.body, keepBreak, document.closing}, 0, 0, 0, 0};
    for (std::string_view part : reader.parts) reader.total += part.size();
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&reader), 0, ReadDocument};
    // A shown pane lays out and paints as the runs arrive, which under Wine
    // costs three times the reading; hidden, it lays out once when shown.
    const bool shown = IsWindowVisible(pane);
    const bool focused = GetFocus() == pane;
    if (shown) ShowWindow(pane, SW_HIDE);
    SendMessageW(pane, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    if (shown) ShowWindow(pane, SW_SHOW);
    if (focused) SetFocus(pane);
    return stream.dwError == 0 && reader.delivered == reader.total;
}
