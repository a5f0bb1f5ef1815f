#pragma once
// An input that yields at most `step` bytes a read, as a file read in pieces
// whose chunk ends fall anywhere; for the tests and the fuzz target.
#include <algorithm>
#include <cstring>
#include "base/input_file.h"

class PieceInput final : public InputSource {
public:
    PieceInput(std::string_view bytes, size_t step) : bytes_(bytes), step_(step) {}
    long long Read(char* buffer, size_t size) override {
        const size_t count = std::min({size, step_, bytes_.size() - position_});
        std::memcpy(buffer, bytes_.data() + position_, count);
        position_ += count;
        return static_cast<long long>(count);
    }
    bool Rewind() override {
        position_ = 0;
        return true;
    }
    uint64_t Size() const override { return bytes_.size(); }

private:
    std::string_view bytes_;
    size_t step_, position_ = 0;
};
