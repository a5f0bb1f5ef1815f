#include "engine/output_sink.h"

#include <cstdlib>
#include <cstring>

StringSink::StringSink(size_t reserve) {
    if (reserve) Grow(reserve);
}

StringSink::~StringSink() { std::free(data_); }

bool StringSink::Grow(size_t needed) {
    size_t capacity = capacity_ ? capacity_ : 256;
    while (capacity < needed) {
        if (capacity > SIZE_MAX / 4) return false;
        capacity *= 2;
    }
    auto* grown = static_cast<char16_t*>(std::realloc(data_, capacity * sizeof(char16_t)));
    if (!grown) return false;
    data_ = grown;
    capacity_ = capacity;
    return true;
}

void StringSink::Append(const char16_t* text, size_t length, ColorRef, bool) {
    if (failed_ || length == 0) return;
    if (length > capacity_ - size_ && !Grow(size_ + length)) {
        failed_ = true;
        return;
    }
    std::memcpy(data_ + size_, text, length * sizeof(char16_t));
    size_ += length;
}
