#include "cli/utf8_sink.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

static constexpr uint32_t kReplacement = 0xFFFD;

static bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
static bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

Utf8Sink::Utf8Sink(size_t reserveBytes) {
    if (reserveBytes && !Reserve(reserveBytes)) failed_ = true;
}

// Streaming writes blocks of about this size, so the buffer stays in cache.
static constexpr size_t kFlushBytes = 1 << 20;

Utf8Sink::Utf8Sink(FILE* destination) : destination_(destination) {
    if (!Reserve(kFlushBytes + 65536)) failed_ = true;
}

void Utf8Sink::Flush() {
    if (size_ && std::fwrite(bytes_, 1, size_, destination_) != size_) failed_ = true;
    size_ = 0;
}

Utf8Sink::~Utf8Sink() { std::free(bytes_); }

bool Utf8Sink::Reserve(size_t needed) {
    if (needed <= capacity_) return true;
    size_t capacity = capacity_ ? capacity_ : 4096;
    while (capacity < needed) {
        if (capacity > SIZE_MAX / 4) return false;
        capacity *= 2;
    }
    auto* grown = static_cast<char*>(std::realloc(bytes_, capacity));
    if (!grown) return false;
    bytes_ = grown;
    capacity_ = capacity;
    return true;
}

void Utf8Sink::PutCodePoint(uint32_t code) { size_ += EncodeUtf8(code, bytes_ + size_); }

void Utf8Sink::Append(const char16_t* text, size_t length, ColorRef, bool) {
    if (failed_ || length == 0) return;
    // At most three bytes per unit, plus a pending surrogate's replacement.
    if (length > SIZE_MAX / 4 || (size_ + 3 * length + 3 > capacity_ && !Reserve(size_ + 3 * length + 3))) {
        failed_ = true;
        return;
    }
    size_t i = 0;
    while (i < length) {
        if (!pendingHigh_) {
            // A run of ASCII, many units at a time while none has bits above 0x7F.
            char* out = bytes_ + size_;
            const size_t runStart = i;
#if defined(__SSE2__)
            const __m128i aboveAscii = _mm_set1_epi16(-128), zero = _mm_setzero_si128();
            const auto load = [text](size_t at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at)); };
            // Most output is markup and code in ASCII: 32 units a step while it lasts.
            for (; i + 32 <= length; i += 32, out += 32) {
                const __m128i first = load(i), second = load(i + 8), third = load(i + 16), fourth = load(i + 24);
                const __m128i any = _mm_or_si128(_mm_or_si128(first, second), _mm_or_si128(third, fourth));
                if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(any, aboveAscii), zero)) != 0xFFFF) break;
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(first, second));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), _mm_packus_epi16(third, fourth));
            }
            for (; i + 16 <= length; i += 16, out += 16) {
                const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
                const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + 8));
                const __m128i high = _mm_and_si128(_mm_or_si128(first, second), aboveAscii);
                if (_mm_movemask_epi8(_mm_cmpeq_epi16(high, zero)) != 0xFFFF) break;
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(first, second));
            }
            for (; i + 8 <= length; i += 8, out += 8) {
                const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
                if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(eight, aboveAscii), zero)) != 0xFFFF) break;
                _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(eight, eight));
            }
#endif
            for (uint64_t four; i + 4 <= length; i += 4, out += 4) {
                std::memcpy(&four, text + i, sizeof four);
                if (four & 0xFF80FF80FF80FF80ULL) break;
                // The low byte of each unit, in memory order on either endianness.
                const char bytes[4] = {static_cast<char>(text[i]), static_cast<char>(text[i + 1]),
                                       static_cast<char>(text[i + 2]), static_cast<char>(text[i + 3])};
                std::memcpy(out, bytes, 4);
            }
            for (; i < length && text[i] < 0x80; ++i) *out++ = static_cast<char>(text[i]);
            size_ += i - runStart;
            if (i == length) break;
        }
        const char16_t c = text[i++];
        if (pendingHigh_) {
            const char16_t high = pendingHigh_;
            pendingHigh_ = 0;
            if (IsLow(c)) {
                PutCodePoint(0x10000 + ((high - 0xD800u) << 10) + (c - 0xDC00u));
                continue;
            }
            PutCodePoint(kReplacement);
        }
        if (IsHigh(c))
            pendingHigh_ = c;
        else
            PutCodePoint(IsLow(c) ? kReplacement : c);
    }
    if (destination_ && size_ >= kFlushBytes) Flush();
}

std::string_view Utf8Sink::Finish() {
    if (pendingHigh_ && !failed_) {
        pendingHigh_ = 0;
        PutCodePoint(kReplacement);  // room was reserved with the surrogate's chunk
    }
    if (destination_) {
        Flush();
        return {};
    }
    return std::string_view(bytes_ ? bytes_ : "", size_);
}
