#pragma once
// What the options dialog's preview shows and where, apart from the drawing:
// the sample program, the face and sizes read from the dialog's fields, and
// every rectangle and text position for the measured font.
#include <cstdint>

#include "base/wide.h"
#include "config/color.h"

// One piece of the sample program. A tab piece has no text and draws nothing.
struct PreviewToken {
    const char16_t* text;
    ColorRole role;
    bool isTab;
    bool endsLine;
};
constexpr int kPreviewTokenCount = 19;
constexpr int kPreviewLineCount = 7;
extern const PreviewToken kPreviewTokens[kPreviewTokenCount];
// The widest sample line; it sets the code column's width.
extern const char16_t kPreviewWidestLine[];

// The platform's face names hold 31 characters: a longer first family is
// refused (the preview falls back to the default face) rather than cut into
// the name of some other font.
constexpr size_t kFaceNameMax = 31;
// The first family of a CSS font-family list, unquoted; "" when the list
// starts with a comma or its first name is too long for a face name.
WString FirstFontFamily(WStringView families);

// The largest font height and border the preview draws with, in pixels:
// far beyond the preview area, and small enough that seven lines and two
// borders stay within int arithmetic.
constexpr int32_t kPreviewMaxLength = 1000;
// The leading decimal integer of a CSS length as the program reads numbers
// (blanks, a sign, digits), kept to 0 .. kPreviewMaxLength: a negative
// length is no valid CSS and draws as none.
int32_t PreviewLength(WStringView cssLength);

// Sizes measured with the preview font.
struct PreviewMetrics {
    int digitWidth;        // width of "8"
    int widestLineWidth;   // width of kPreviewWidestLine
    int textHeight;        // height of kPreviewWidestLine
    int blankWidth;        // width of " "
    int tokenWidths[kPreviewTokenCount];  // 0 for tab pieces
};

struct PreviewRect {
    int left, top, right, bottom;
};
struct PreviewPoint {
    int x, y;
};

struct PreviewGeometry {
    int lineHeight;
    PreviewRect border;        // the whole table, filled with the border colour
    PreviewRect numberColumn;
    PreviewRect codeColumn;
    PreviewPoint numbers[kPreviewLineCount];   // top-left of "1" .. "7"
    PreviewPoint tokens[kPreviewTokenCount];   // top-left of each piece
};

PreviewGeometry ComputePreviewGeometry(const PreviewMetrics& metrics, int border, int tabWidth);

// The colours of the preview for a theme; columns without an HTML colour
// show the dialog's own face colour.
struct PreviewColors {
    ColorRef border, numberColumn, codeColumn, lineNumbers;
    ColorRef tokens[kPreviewTokenCount];
};
PreviewColors ChoosePreviewColors(const ColorTheme& theme, ColorRef buttonFace);
