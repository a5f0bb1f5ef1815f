#include "config/html_setting.h"

#include <algorithm>

namespace {

bool IsAsciiLetterOrDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool Takes(HtmlSetting kind, char16_t c) {
    if (IsAsciiLetterOrDigit(c) || c == u' ') return true;
    switch (kind) {
    case HtmlSetting::Length:
        return WStringView(u"#%.,()+-").find(c) != WStringView::npos;
    case HtmlSetting::FontFamily:
        // Font names of the program's users are often Chinese (宋体); no
        // character from U+00A0 on means anything to HTML or CSS syntax.
        return c >= 0xA0 || WStringView(u"#%.,()+-'_").find(c) != WStringView::npos;
    case HtmlSetting::LineHeight:
        return WStringView(u".%+-*/()").find(c) != WStringView::npos;
    }
    return false;
}

}  // namespace

bool IsUsableHtmlSetting(WStringView text, HtmlSetting kind) {
    return std::all_of(text.begin(), text.end(), [kind](char16_t c) { return Takes(kind, c); });
}

WStringView UsableHtmlSetting(WStringView text, HtmlSetting kind, WStringView fallback) {
    return IsUsableHtmlSetting(text, kind) ? text : fallback;
}
