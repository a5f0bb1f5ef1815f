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
    // The open span colour, as the first role with the same html text; -1
    // when it is empty. Spans only ever open in a role's colour.
    int openSpan;
    char16_t lastCharacter;  // last character written, 0 before any

    // For a sink that keeps only the text, chunks are joined here first:
    // one call per batch instead of one per chunk.
    static constexpr size_t kBatchLength = 8192;
    bool batching;
    size_t batchLength;
    char16_t batch[kBatchLength];

    // The opening tag of each role's span, made once per conversion.
    struct SpanTag {
        int colour;  // the first role with this html text, -1 for an empty one
        Chunk tag;
    };
    SpanTag spanTags[kColorRoleCount];

    Emitter(OutputSink& sink, const ColorTheme& theme, int32_t tabToSpaces, const EscapeTable& escapes,
            EngineAllocator allocator = DefaultEngineAllocator());
    ~Emitter() { FlushBatch(); }
    Emitter(const Emitter&) = delete;
    Emitter& operator=(const Emitter&) = delete;
    // Hands the joined chunks to the sink; the destructor does it too.
    void FlushBatch();
    const ThemeColor& Color(ColorRole role) const { return (*theme)[role]; }
};

// Chunks that do not fit the batch, or go to a sink that keeps attributes.
void WriteChunk(Emitter& emitter, WStringView text, ColorRef color, bool bold);

inline void WriteContent(Emitter& emitter, WStringView text, ColorRef color, bool bold) {
    // Most chunks are short words and markup: joined inline, without a call.
    if (emitter.batching && text.size() <= 16 && text.size() <= Emitter::kBatchLength - emitter.batchLength) {
        if (text.empty()) return;
        char16_t* out = emitter.batch + emitter.batchLength;
        for (size_t i = 0; i < text.size(); ++i) out[i] = text[i];
        emitter.batchLength += text.size();
        emitter.lastCharacter = text.back();
        return;
    }
    WriteChunk(emitter, text, color, bold);
}
inline void WriteMarkup(Emitter& emitter, WStringView text) { WriteContent(emitter, text, kMarkupColor, false); }
// Opens a span in the role's HTML colour unless that very colour is open.
void OpenSpan(Emitter& emitter, ColorRole role);
inline void SwitchSpan(Emitter& emitter, ColorRole role) {
    if (emitter.spanTags[static_cast<int>(role)].colour != emitter.openSpan) OpenSpan(emitter, role);
}
void CloseSpan(Emitter& emitter);
// The open span colour becomes empty without writing anything.
inline void ForgetOpenSpan(Emitter& emitter) { emitter.openSpan = -1; }
inline bool SpanIsOpen(const Emitter& emitter) { return emitter.openSpan >= 0; }
