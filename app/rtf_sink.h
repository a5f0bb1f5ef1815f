#pragma once
// Collects the coloured chunks of a conversion as one RTF document, so the
// HTML pane receives all of them in a single stream-in: one insertion per
// chunk costs more the fuller the pane gets. Adjacent chunks of the same
// colour and weight become one run.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include "config/color.h"
#include "engine/output_sink.h"

class RtfSink final : public OutputSink {
public:
    // reserveUnits: the expected text length, to grow the body less often.
    explicit RtfSink(size_t reserveUnits = 0);
    ~RtfSink() override;
    RtfSink(const RtfSink&) = delete;
    RtfSink& operator=(const RtfSink&) = delete;

    void Append(const char16_t* text, size_t length, ColorRef color, bool bold) override;

    // The document in its parts: the header with the colour table, the runs,
    // the closing brace. Empty when growth failed (Failed()).
    struct Document {
        std::string_view header, body, closing;
        bool endsWithBreak;  // the text's last unit is a paragraph break
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

    static constexpr int kMaxColors = 256;
    ColorRef colors_[kMaxColors];
    int colorCount_ = 0;

    char* body_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
    char* header_ = nullptr;
    size_t headerSize_ = 0;
    bool failed_ = false;

    int runColor_ = 0;  // the table index of the open run, 0 before any
    bool runBold_ = false;
    bool endsWithBreak_ = false;
};
