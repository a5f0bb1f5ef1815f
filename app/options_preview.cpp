#include "app/options_preview.h"

#include <algorithm>

const PreviewToken kPreviewTokens[kPreviewTokenCount] = {
    {u"// 配色方案预览。", ColorRole::Comment, false, true},
    {u"#include ", ColorRole::Keyword0, false, false},
    {u"<stdio.h>", ColorRole::Text, false, true},
    {u"int ", ColorRole::Keyword0, false, false},
    {u"main(", ColorRole::Text, false, false},
    {u"int ", ColorRole::Keyword0, false, false},
    {u"argc, ", ColorRole::Text, false, false},
    {u"char", ColorRole::Keyword0, false, false},
    {u"* argv[])", ColorRole::Text, false, true},
    {u"{", ColorRole::Text, false, true},
    {u"", ColorRole::Text, true, false},
    {u"printf(", ColorRole::Text, false, false},
    {u"\"Hello World!\\n\"", ColorRole::String0, false, false},
    {u");", ColorRole::Text, false, true},
    {u"", ColorRole::Text, true, false},
    {u"return ", ColorRole::Keyword0, false, false},
    {u"0", ColorRole::Number, false, false},
    {u";", ColorRole::Text, false, true},
    {u"}", ColorRole::Text, false, true},
};
const char16_t kPreviewWidestLine[] = u"int main(int argc, char* argv[])";

WString FirstFontFamily(WStringView families) {
    size_t i = 0;
    while (i < families.size() && families[i] == u' ') ++i;
    char16_t quote = 0;
    if (i < families.size() && (families[i] == u'"' || families[i] == u'\'')) quote = families[i++];
    const size_t start = i;
    while (i < families.size() && families[i] != quote && families[i] != u',' && families[i] != u';') ++i;
    WStringView name = families.substr(start, i - start);
    while (!name.empty() && name.back() == u' ') name.remove_suffix(1);
    if (name.size() > kFaceNameMax) return WString();
    return WString(name);
}

int32_t PreviewLength(WStringView cssLength) {
    return std::clamp(ParseLeadingLong(cssLength), int32_t{0}, kPreviewMaxLength);
}

PreviewGeometry ComputePreviewGeometry(const PreviewMetrics& metrics, int border, int tabWidth) {
    const int b = border;
    const int d = metrics.digitWidth + 8;
    const int c = metrics.widestLineWidth + 36;
    const int h = metrics.textHeight + 2;
    PreviewGeometry g{};
    g.lineHeight = h;
    g.border = {0, 0, d + c + 3 * b, kPreviewLineCount * h + 2 * b + 2};
    g.numberColumn = {b, b, d + b, kPreviewLineCount * h + b + 2};
    g.codeColumn = {d + 2 * b, b, d + 2 * b + c, kPreviewLineCount * h + b + 2};
    for (int k = 0; k < kPreviewLineCount; ++k) g.numbers[k] = {b + 4, b + 2 + k * h};
    const int x0 = d + 2 * b + 4;
    int x = x0, y = b + 2;
    for (int i = 0; i < kPreviewTokenCount; ++i) {
        const PreviewToken& token = kPreviewTokens[i];
        g.tokens[i] = {x, y};
        if (token.isTab) {
            x += tabWidth * metrics.blankWidth;
        } else if (token.endsLine) {
            y += h;
            x = x0;
        } else {
            x += metrics.tokenWidths[i];
        }
    }
    return g;
}

PreviewColors ChoosePreviewColors(const ColorTheme& theme, ColorRef buttonFace) {
    auto filled = [&](ColorRole role) { return theme[role].html[0] ? theme[role].color : buttonFace; };
    PreviewColors colors{};
    colors.border = theme[ColorRole::Border].color;
    colors.numberColumn = filled(ColorRole::LineNoBkgnd);
    colors.codeColumn = filled(ColorRole::Bkgnd);
    colors.lineNumbers = theme[ColorRole::LineNo].color;
    for (int i = 0; i < kPreviewTokenCount; ++i) {
        const ColorRole role = kPreviewTokens[i].role;
        // Text without an HTML colour is the page's default: black.
        colors.tokens[i] = role == ColorRole::Text && !theme[role].html[0] ? MakeRgb(0, 0, 0) : theme[role].color;
    }
    return colors;
}
