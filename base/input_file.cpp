#include "base/input_file.h"

#include <cstring>

long long SizedInput::Read(char* buffer, size_t size) {
    const uint64_t left = size_ - position_;
    const long long count = ReadSome(buffer, left < size ? static_cast<size_t>(left) : size);
    if (count > 0) position_ += static_cast<uint64_t>(count);
    return count;
}

bool SizedInput::Rewind() {
    position_ = 0;
    return SeekToStart();
}

MemoryInput::~MemoryInput() { std::free(owned_); }

long long MemoryInput::Read(char* buffer, size_t size) {
    const size_t count = std::min(size, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return static_cast<long long>(count);
}

bool MemoryInput::Rewind() {
    position_ = 0;
    return true;
}

std::unique_ptr<InputSource> ReadWholeStream(FILE* stream) {
    return ReadWhole([stream](char* buffer, size_t size) -> long long {
        const size_t count = std::fread(buffer, 1, size, stream);
        return count == 0 && std::ferror(stream) ? -1 : static_cast<long long>(count);
    });
}
