#pragma once
// Collects the coloured chunks of a conversion as one RTF document, so the
// HTML pane receives all of them in a single stream-in: one insertion per
// chunk costs more the fuller the pane gets. Adjacent chunks of the same
// colour and weight become one run.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include "config/color.h"
#include "engine/output_sink.h"

class RtfSink final : public OutputSink {
public:
    // Wine's rich edit needs about 250 bytes per character of HTML: a piece
    // of 2,048 lines is about 100 MB, small enough to stop before the
    // address space runs out.
    static constexpr size_t kParagraphsPerPiece = 2048;
    // std::realloc unless a test makes memory run out.
    using Reallocate = void* (*)(void* block, size_t bytes);

    // reserveUnits: the expected text length, to grow the body less often.
    // paragraphsPerPiece: how many paragraph breaks a piece of the document
    // holds (see Document::Piece).
    explicit RtfSink(size_t reserveUnits = 0, size_t paragraphsPerPiece = kParagraphsPerPiece,
                     Reallocate reallocate = std::realloc);
    ~RtfSink() override;
    RtfSink(const RtfSink&) = delete;
    RtfSink& operator=(const RtfSink&) = delete;

    void Append(const char16_t* text, size_t length, ColorRef color, bool bold) override;

    // Where a piece of the body starts, and the format in effect there.
    struct PieceStart {
        size_t offset;
        int colorIndex;
        bool bold;
    };

    // A piece of the body that is a document of its own once the header, the
    // format and the closing brace surround it.
    struct Piece {
        char formatBuffer[24];
        std::string_view format;  // in formatBuffer; empty for the first piece
        std::string_view body;
        bool last;
    };

    // The document in its parts: the header with the colour table, the runs,
    // the closing brace. Empty when growth failed (Failed()).
    struct Document {
        std::string_view header, body, closing;
        bool endsWithBreak;  // the text's last unit is a paragraph break
        const PieceStart* pieceStarts;  // after the first piece, in order
        size_t pieceStartCount;

        size_t PieceCount() const { return pieceStartCount + 1; }
        // Piece i of PieceCount(); each ends after a paragraph break but the
        // last, so the pane can take them one by one.
        Piece PieceAt(size_t i) const;
    };
    Document Finish();
    bool Failed() const { return failed_; }

private:
    // Index of the colour in the colour table (1-based: entry 0 is "auto").
    int ColorIndex(ColorRef color);
    bool Reserve(size_t bytes);
    void Put(std::string_view text);
    void PutNumber(long value);
    void PutFormat(int colorIndex, bool bold);

    bool MarkPieceStart();

    static constexpr int kMaxColors = 256;
    ColorRef colors_[kMaxColors];
    int colorCount_ = 0;

    Reallocate reallocate_;
    char* body_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
    char* header_ = nullptr;
    size_t headerSize_ = 0;
    bool failed_ = false;

    size_t paragraphsPerPiece_;
    size_t paragraphsInPiece_ = 0;
    PieceStart* pieceStarts_ = nullptr;
    size_t pieceStartCount_ = 0;
    size_t pieceStartCapacity_ = 0;

    int runColor_ = 0;  // the table index of the open run, 0 before any
    bool runBold_ = false;
    bool endsWithBreak_ = false;
};
