#include "app/line_ends.h"

WString WithCrLfLineEnds(WStringView text) {
    size_t loneEnds = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        else if (text[i] == u'\r' || text[i] == u'\n')
            ++loneEnds;
    }
    WString result;
    result.reserve(text.size() + loneEnds);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c != u'\r' && c != u'\n') {
            result += c;
            continue;
        }
        result += u"\r\n";
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    }
    return result;
}
