#include "app/options_preview_win.h"

namespace {

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

void Fill(HDC dc, const PreviewRect& rect, ColorRef color) {
    const RECT area = {rect.left, rect.top, rect.right, rect.bottom};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

int TextWidth(HDC dc, const char16_t* text) {
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, Wide(text), static_cast<int>(WideLength(text)), &size);
    return size.cx;
}

PreviewMetrics Measure(HDC dc) {
    PreviewMetrics metrics{};
    metrics.digitWidth = TextWidth(dc, u"8");
    SIZE widest = {0, 0};
    GetTextExtentPoint32W(dc, Wide(kPreviewWidestLine), static_cast<int>(WideLength(kPreviewWidestLine)), &widest);
    metrics.widestLineWidth = widest.cx;
    metrics.textHeight = widest.cy;
    metrics.blankWidth = TextWidth(dc, u" ");
    for (int i = 0; i < kPreviewTokenCount; ++i)
        metrics.tokenWidths[i] = kPreviewTokens[i].isTab ? 0 : TextWidth(dc, kPreviewTokens[i].text);
    return metrics;
}

void DrawPiece(HDC dc, PreviewPoint at, const char16_t* text, ColorRef color) {
    SetTextColor(dc, color);
    TextOutW(dc, at.x, at.y, Wide(text), static_cast<int>(WideLength(text)));
}

}  // namespace

PreviewGeometry RenderOptionsPreview(HDC dc, int width, int height, const PreviewRequest& request) {
    HFONT font = CreateFontW(request.fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FF_MODERN,
                             request.faceName);
    HGDIOBJ oldFont = SelectObject(dc, font);
    const COLORREF oldColor = GetTextColor(dc);

    const PreviewGeometry g = ComputePreviewGeometry(Measure(dc), request.border, request.tabWidth);
    const ColorRef face = GetSysColor(COLOR_BTNFACE);
    const PreviewColors colors = ChoosePreviewColors(*request.theme, face);
    Fill(dc, {0, 0, width, height}, face);
    Fill(dc, g.border, colors.border);
    Fill(dc, g.numberColumn, colors.numberColumn);
    Fill(dc, g.codeColumn, colors.codeColumn);
    for (int k = 0; k < kPreviewLineCount; ++k)
        DrawPiece(dc, g.numbers[k], FormatInt(k + 1).c_str(), colors.lineNumbers);
    for (int i = 0; i < kPreviewTokenCount; ++i)
        if (!kPreviewTokens[i].isTab) DrawPiece(dc, g.tokens[i], kPreviewTokens[i].text, colors.tokens[i]);

    SetTextColor(dc, oldColor);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    return g;
}
