#pragma once
// The command line's input as the code pane would hold it.
#include <memory>
#include <optional>
#include <string_view>
#include "config/wide.h"

// Decoded code in a plain buffer, filled without first being cleared, with a
// NUL before and after it as the scanner reads code.
class CodeText {
public:
    CodeText(std::unique_ptr<char16_t[]> padded, size_t size) : padded_(std::move(padded)), size_(size) {}
    WStringView View() const { return WStringView(padded_.get() + 1, size_); }

private:
    std::unique_ptr<char16_t[]> padded_;
    size_t size_;
};

// UTF-8 (with or without a byte-order mark) or UTF-16 with a byte-order
// mark, to UTF-16 with every line end (LF, CR LF or CR) made CR LF. Empty
// when the bytes are no valid text in these encodings.
std::optional<CodeText> DecodeCodeText(std::string_view bytes);
