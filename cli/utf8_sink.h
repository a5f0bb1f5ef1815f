#pragma once
// The HTML as UTF-8, the command line's output encoding: collected in memory,
// or streamed to a file in blocks.
#include <cstdio>
#include <string_view>
#include "engine/output_sink.h"

class Utf8Sink final : public OutputSink {
public:
    explicit Utf8Sink(size_t reserveBytes = 0);
    // Streams to destination; Finish() then writes the rest and returns "".
    explicit Utf8Sink(FILE* destination);
    ~Utf8Sink() override;
    Utf8Sink(const Utf8Sink&) = delete;
    Utf8Sink& operator=(const Utf8Sink&) = delete;
    void Append(const char16_t* text, size_t length, ColorRef color, bool bold) override;
    bool KeepsTextOnly() const override { return true; }
    // The whole output; a surrogate left without its partner becomes U+FFFD.
    std::string_view Finish();
    // Memory or a write to the destination failed.
    bool Failed() const { return failed_; }

private:
    bool Reserve(size_t needed);
    void PutCodePoint(uint32_t code);
    void Flush();

    FILE* destination_ = nullptr;
    char* bytes_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
    char16_t pendingHigh_ = 0;  // a high surrogate whose partner may start the next chunk
    bool failed_ = false;
};
