#pragma once
// Where converted HTML goes. Every chunk carries the colour and weight in
// which the HTML pane shows it; the text of the HTML is the plain
// concatenation of all chunks, so a sink that ignores colour and weight still
// holds the exact HTML.
#include <cstddef>
#include "config/color.h"

class OutputSink {
public:
    virtual ~OutputSink() = default;
    virtual void Append(const char16_t* text, size_t length, ColorRef color, bool bold) = 0;
    // A sink that keeps only the text may be handed many chunks joined as one.
    virtual bool KeepsTextOnly() const { return false; }
};

// Collects the HTML text in memory. Growth failure never throws: the sink
// stops collecting and reports it through Failed().
class StringSink final : public OutputSink {
public:
    explicit StringSink(size_t reserve = 0);
    ~StringSink() override;
    StringSink(const StringSink&) = delete;
    StringSink& operator=(const StringSink&) = delete;

    void Append(const char16_t* text, size_t length, ColorRef color, bool bold) override;
    bool KeepsTextOnly() const override { return true; }

    WStringView View() const { return WStringView(data_ ? data_ : u"", size_); }
    bool Failed() const { return failed_; }

private:
    bool Grow(size_t needed);

    char16_t* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
    bool failed_ = false;
};
