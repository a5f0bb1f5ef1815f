#pragma once
// The output primitives of the HTML writer: markup in grey, code text in its
// display colour, and the one coloured span that may be open in the code cell.
#include <algorithm>
#include <cstdint>
#include "config/color.h"
#include "config/wide.h"
#include "engine/output_sink.h"
#include "engine/special_chars.h"

constexpr ColorRef kMarkupColor = MakeRgb(128, 128, 128);
constexpr ColorRef kPlainColor = 0;

// Allocation used by one conversion; tests substitute failing ones.
struct EngineAllocator {
    void* (*allocate)(uint32_t size);
    void (*release)(void* block);
};
EngineAllocator DefaultEngineAllocator();

// Everything one conversion writes with. Lives for one conversion.
struct Emitter {
    OutputSink* sink;
    const ColorTheme* theme;
    int32_t tabToSpaces;
    const EscapeTable* escapes;
    EngineAllocator allocator;
    char16_t openSpanColour[32];  // html text of the open span, empty when none
    size_t openSpanLength;
    char16_t lastCharacter;  // last character written, 0 before any

    Emitter(OutputSink& sink, const ColorTheme& theme, int32_t tabToSpaces, const EscapeTable& escapes,
            EngineAllocator allocator = DefaultEngineAllocator());
    const ThemeColor& Color(ColorRole role) const { return (*theme)[role]; }
};

// Bounded view of a fixed character field that may lack its terminator.
template <size_t N>
WStringView FieldView(const char16_t (&field)[N]) {
    size_t length = 0;
    while (length < N && field[length]) ++length;
    return WStringView(field, length);
}

// One chunk of markup assembled from bounded pieces (theme colour texts,
// settings fields, numbers) without touching the heap.
class Chunk {
public:
    Chunk& operator<<(WStringView piece) {
        const size_t count = std::min(kCapacity - length_, piece.size());
        std::copy(piece.begin(), piece.begin() + count, text_ + length_);
        length_ += count;
        return *this;
    }
    Chunk& operator<<(long long value);
    WStringView View() const { return WStringView(text_, length_); }

private:
    static constexpr size_t kCapacity = 512;
    char16_t text_[kCapacity];
    size_t length_ = 0;
};

void WriteMarkup(Emitter& emitter, WStringView text);
void WriteContent(Emitter& emitter, WStringView text, ColorRef color, bool bold);
// Opens a span in the entry's HTML colour unless that very colour is open.
void SwitchSpan(Emitter& emitter, const ThemeColor& entry);
void CloseSpan(Emitter& emitter);
