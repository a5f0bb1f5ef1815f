#pragma once
// The output primitives of the HTML writer: markup in grey, code text in its
// display colour, and the one coloured span that may be open in the code cell
// (a <span> with a style, or with font tags a <font color>).
#include <algorithm>
#include <cstdint>
#include <cstring>
#include "base/wide.h"
#include "config/color.h"
#include "config/settings.h"
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

// Everything one conversion writes with. Lives for one conversion.
struct Emitter {
    OutputSink* sink;
    const ColorTheme* theme;
    int32_t tabToSpaces;
    const EscapeTable* escapes;
    EngineAllocator allocator;
    HtmlMarkup markup;
    // The open span colour, as the first role with the same html text; -1
    // when it is empty. Spans only ever open in a role's colour.
    int openSpan;

    // For a sink that keeps only the text, chunks are joined here first:
    // one call per batch instead of one per chunk.
    static constexpr size_t kBatchLength = 8192;
    // Chunks up to this long are joined inline, without a call: short words
    // and markup (a span tag has about 28 units).
    static constexpr size_t kInlineLength = 32;  // what CopyUnits copies
    bool batching;
    size_t batchLength;
    // A chunk is joined inline while batchLength is below this: room for
    // kInlineLength units when batching, never otherwise.
    size_t inlineLimit;
    char16_t batch[kBatchLength];
    char16_t lastFlushed;  // the last character handed to the sink, 0 before any

    // The opening tag of each role's span, made once per conversion.
    struct SpanTag {
        int colour;  // the first role with this html text, -1 for an empty one
        Chunk tag;
    };
    SpanTag spanTags[kColorRoleCount];
    WStringView closeSpanTag;

    Emitter(OutputSink& sink, const ColorTheme& theme, int32_t tabToSpaces, const EscapeTable& escapes,
            EngineAllocator allocator = DefaultEngineAllocator(), HtmlMarkup markup = HtmlMarkup::InlineStyles);
    ~Emitter() { FlushBatch(); }
    Emitter(const Emitter&) = delete;
    Emitter& operator=(const Emitter&) = delete;
    // Hands the joined chunks to the sink; the destructor does it too.
    void FlushBatch();
    const ThemeColor& Color(ColorRole role) const { return (*theme)[role]; }
    // The last character written, 0 before any.
    char16_t LastCharacter() const { return batchLength ? batch[batchLength - 1] : lastFlushed; }
};

// Chunks that do not fit the batch, or go to a sink that keeps attributes.
void WriteChunk(Emitter& emitter, WStringView text, ColorRef color, bool bold);

// Copies `count` units, between `Units` and 2 x `Units` of them, as two
// fixed-size copies that overlap in the middle.
template <size_t Units>
inline void CopyBothEnds(char16_t* out, const char16_t* in, size_t count) {
    char16_t block[Units];
    std::memcpy(block, in, sizeof block);
    std::memcpy(out, block, sizeof block);
    std::memcpy(block, in + count - Units, sizeof block);
    std::memcpy(out + count - Units, block, sizeof block);
}

// Copies up to 32 units inline without a loop, so the branches follow the
// size class of the text (most words have 2 to 8 units), not every unit.
inline void CopyUnits(char16_t* out, const char16_t* in, size_t count) {
    if (count < 4) {
        if (count >= 2)
            CopyBothEnds<2>(out, in, count);
        else if (count)
            out[0] = in[0];
    } else if (count <= 8) {
        CopyBothEnds<4>(out, in, count);
    } else if (count <= 16) {
        CopyBothEnds<8>(out, in, count);
    } else {
        CopyBothEnds<16>(out, in, count);
    }
}

inline void WriteContent(Emitter& emitter, WStringView text, ColorRef color, bool bold) {
    if (text.size() <= Emitter::kInlineLength && emitter.batchLength < emitter.inlineLimit) {
        CopyUnits(emitter.batch + emitter.batchLength, text.data(), text.size());
        emitter.batchLength += text.size();
        return;
    }
    WriteChunk(emitter, text, color, bold);
}
// Text and one unit after it, as one chunk. Inline, the unit is stored on
// its own: a unit just changed (the last digit of a line number counting up)
// is never read back by a wider load, which would wait for the narrow write.
inline void WriteContentAndUnit(Emitter& emitter, WStringView text, char16_t unit, ColorRef color, bool bold) {
    if (text.size() < Emitter::kInlineLength && emitter.batchLength < emitter.inlineLimit) {
        CopyUnits(emitter.batch + emitter.batchLength, text.data(), text.size());
        emitter.batch[emitter.batchLength + text.size()] = unit;
        emitter.batchLength += text.size() + 1;
        return;
    }
    Chunk chunk;
    chunk << text << WStringView(&unit, 1);
    WriteChunk(emitter, chunk.View(), color, bold);
}
inline void WriteMarkup(Emitter& emitter, WStringView text) { WriteContent(emitter, text, kMarkupColor, false); }
// WriteEscapedToBatch for text too long for the batch's room.
void WriteEscapedInSlices(Emitter& emitter, WStringView text, TabStops* stops);
// For a sink that keeps only the text: escapes a slice of the code text
// straight into the batch, with no buffer of its own and no sizing pass.
// Mostly it fits the room left as it is (even were every character
// replaced): one call, no slicing.
inline void WriteEscapedToBatch(Emitter& emitter, WStringView text, TabStops* stops) {
    if (uint64_t{text.size()} * emitter.escapes->LongestReplacement() >= Emitter::kBatchLength - emitter.batchLength)
        return WriteEscapedInSlices(emitter, text, stops);
    // EscapeHtml ends the text with a NUL, which the room holds.
    emitter.batchLength +=
        EscapeHtml(*emitter.escapes, text, text.data()[-1], emitter.batch + emitter.batchLength, stops);
}
// The open span colour becomes empty without writing anything.
inline void ForgetOpenSpan(Emitter& emitter) { emitter.openSpan = -1; }
inline bool SpanIsOpen(const Emitter& emitter) { return emitter.openSpan >= 0; }
// Opens a span in the role's HTML colour unless that very colour is open.
void OpenSpan(Emitter& emitter, ColorRole role);
inline void SwitchSpan(Emitter& emitter, ColorRole role) {
    if (emitter.spanTags[static_cast<int>(role)].colour != emitter.openSpan) OpenSpan(emitter, role);
}
inline void CloseSpan(Emitter& emitter) {
    if (SpanIsOpen(emitter)) WriteMarkup(emitter, emitter.closeSpanTag);
    emitter.openSpan = -1;
}
