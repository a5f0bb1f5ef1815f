#pragma once
// Shared fixtures of the engine tests: a sink that records every chunk, a
// theme with distinct colours and languages parsed from definition text.
#include <cstdint>
#include <string>
#include <vector>
#include "base/memory.h"
#include "base/wide.h"
#include "config/color.h"
#include "engine/language.h"
#include "engine/output_sink.h"
#include "tests/support/temp_file.h"

// The loader posts whichever message number its window answers; the tests
// pass one of the private range.
constexpr uint32_t kLoadedMessage = 0x0400 + 100;

struct RecordedChunk {
    WString text;
    ColorRef color;
    bool bold;
    bool operator==(const RecordedChunk& other) const {
        return text == other.text && color == other.color && bold == other.bold;
    }
};

class RecordingSink final : public OutputSink {
public:
    void Append(const char16_t* text, size_t length, ColorRef color, bool bold) override {
        chunks.push_back({WString(text, length), color, bold});
    }
    std::string Html() const {
        WString all;
        for (const RecordedChunk& chunk : chunks) all += chunk.text;
        return WideToUtf8(all);
    }
    std::vector<WString> Texts() const {
        std::vector<WString> texts;
        for (const RecordedChunk& chunk : chunks) texts.push_back(chunk.text);
        return texts;
    }
    std::vector<RecordedChunk> chunks;
};

inline void SetColour(ColorTheme& theme, ColorRole role, const char16_t* html, ColorRef color) {
    CopyToField(theme[role].html, html);
    theme[role].color = color;
}

// Every role has its own HTML text and display colour.
inline ColorTheme DistinctTheme() {
    ColorTheme theme{};
    static const char16_t* const html[kColorRoleCount] = {
        u"#000001", u"#FFFFFF", u"#008000", u"#800080", u"#808080", u"#EEEEEE", u"#0000FF", u"#0000F1",
        u"#0000F2", u"#0000F3", u"#A31515", u"#A31516", u"#A31517", u"#A31518", u"#FF0000", u"#A0A0A0"};
    for (int i = 0; i < kColorRoleCount; ++i)
        SetColour(theme, static_cast<ColorRole>(i), html[i], MakeRgb(i + 1, 2 * i + 1, 3 * i + 1));
    return theme;
}

// A language parsed from definition text; the file and the keyword store go
// with the object.
class TestLanguage {
public:
    explicit TestLanguage(const std::string& definition) : file_("lumatype_language", ".lang", definition), info_{} {
        CopyToField(info_.filePath, WStringView(file_.Path()));
        info_.enabled = 1;
        result_ = ParseLanguageFile(&info_);
    }
    ~TestLanguage() { MEM_Free(info_.keywords); }

    int Result() const { return result_; }
    const LanguageInfo& Info() const { return info_; }
    LanguageInfo& Info() { return info_; }
    // The class the word is found in, or -1.
    int ClassOf(WStringView word) const {
        KeywordMatch match = FindKeyword(&info_, word);
        return match.found ? match.keywordClass : -1;
    }
    WString Slot(int index) const { return WString(info_.keywords + index * info_.keywordStride); }

private:
    TempFile file_;
    LanguageInfo info_;
    int result_ = 0;
};

// A C-like language: line and block comments, two string classes with a
// backslash escape, the usual delimiters and separators, a few keywords.
inline const char* kCLikeDefinition =
    "[LanguageInfo]\n"
    "EscapeChar=\\\n"
    "LineComment=//\n"
    "BlockCommentOn=/*\n"
    "BlockCommentOff=*/\n"
    "StringChars=0\"\"1''\n"
    "Delimiters=~!%^&*()-+=|\\/{}[]:;\"'<>,.?\n"
    "Seperators=~!%^&*()-+=|/{}[]:;<>,.?\n"
    "CaseSensitive=1\n"
    "[i]\nint if\n"
    "[r]\n1return\n"
    "[#]\n2#include\n"
    "[w]\n5while\n";
