#pragma once
// Files to decode, read in chunks: a file is never held whole
// beside its decoded text, and the decoder may read it again from its start
// when it tries another encoding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class InputSource {
public:
    virtual ~InputSource() = default;
    // Up to `size` bytes into buffer: how many, 0 at the end, negative on a
    // read error (errno tells which).
    virtual long long Read(char* buffer, size_t size) = 0;
    // Back to the first byte; false, errno telling why, when that fails.
    virtual bool Rewind() = 0;
    // The most bytes Read ever yields: the text is sized for it.
    virtual uint64_t Size() const = 0;
    // All of it, when it is in memory already.
    virtual std::optional<std::string_view> Whole() const { return std::nullopt; }
};

// A file of known size, read from its start. One that grows while it is
// read is taken as it was when opened.
class SizedInput : public InputSource {
public:
    explicit SizedInput(uint64_t size) : size_(size) {}
    long long Read(char* buffer, size_t size) final;
    bool Rewind() final;
    uint64_t Size() const final { return size_; }

protected:
    // ReadSome reads as InputSource::Read does; SeekToStart goes back to the first byte.
    virtual long long ReadSome(char* buffer, size_t size) = 0;
    virtual bool SeekToStart() = 0;

private:
    uint64_t size_, position_ = 0;
};

// Bytes in memory: borrowed, or a malloc'd block it owns.
class MemoryInput final : public InputSource {
public:
    explicit MemoryInput(std::string_view bytes) : bytes_(bytes) {}
    MemoryInput(char* ownedBlock, size_t size) : bytes_(ownedBlock, size), owned_(ownedBlock) {}
    ~MemoryInput() override;
    MemoryInput(const MemoryInput&) = delete;
    MemoryInput& operator=(const MemoryInput&) = delete;

    long long Read(char* buffer, size_t size) override;
    bool Rewind() override;
    uint64_t Size() const override { return bytes_.size(); }
    std::optional<std::string_view> Whole() const override { return bytes_; }

private:
    std::string_view bytes_;
    char* owned_ = nullptr;
    size_t position_ = 0;
};

// All of a stream that cannot go back, such as standard input or a pipe;
// null, errno telling why, on a read error or when memory runs out.
std::unique_ptr<InputSource> ReadWholeStream(FILE* stream);

// A file; null with the reason in `error` when it cannot be read ("is a
// directory", the system's words). A regular file is read in chunks, and no
// further than the size it had when opened; anything else whole at once.
std::unique_ptr<InputSource> OpenInputFile(const std::filesystem::path& path, std::string& error);

// Reads with `readSome` (as InputSource::Read) into one malloc'd block until
// the end; null, errno telling why, on a read error or when memory runs out.
template <typename ReadSome>
std::unique_ptr<InputSource> ReadWhole(ReadSome readSome) {
    size_t capacity = 65536, size = 0;
    char* data = static_cast<char*>(std::malloc(capacity));
    while (data) {
        if (size == capacity) {
            char* grown = capacity > SIZE_MAX / 2 ? nullptr : static_cast<char*>(std::realloc(data, 2 * capacity));
            if (!grown) break;
            data = grown;
            capacity *= 2;
        }
        const long long count = readSome(data + size, capacity - size);
        if (count < 0) break;
        if (count == 0) return std::make_unique<MemoryInput>(data, size);
        size += static_cast<size_t>(count);
    }
    std::free(data);
    return nullptr;
}
