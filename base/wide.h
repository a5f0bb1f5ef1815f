#pragma once
// UTF-16 text helpers shared by the whole core. The core keeps every text as
// UTF-16 code units on every platform so that both builds produce the same
// bytes; conversion to the platform's encodings happens only at the edges.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using WString = std::u16string;
using WStringView = std::u16string_view;

// Length of a NUL-terminated UTF-16 string; null counts as empty.
size_t WideLength(const char16_t* s);

// Copies src into a fixed field of `size` units (NUL included), cutting what
// does not fit. Never writes past dst[size - 1]. size 0 writes nothing.
void CopyToField(char16_t* dst, size_t size, WStringView src);
inline void CopyToField(char16_t* dst, size_t size, const char16_t* src) {
    CopyToField(dst, size, WStringView(src ? src : u""));
}
template <size_t N>
void CopyToField(char16_t (&dst)[N], WStringView src) { CopyToField(dst, N, src); }

// ASCII-only case folding, as wcsicmp does in the "C" locale.
inline char16_t AsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; }
bool EqualsIgnoreAsciiCase(WStringView a, WStringView b);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);  // 8-bit text
bool StartsWithIgnoreAsciiCase(WStringView text, WStringView prefix);

// Leading decimal integer as the 32-bit Windows wcstol(s, nullptr, 10) reads
// it: optional blanks, optional sign, digits; 0 when there are none; saturates
// at the 32-bit limits, so both builds agree.
int32_t ParseLeadingLong(WStringView s);

// Formats a signed integer in decimal ("%d").
WString FormatInt(long long value);

// Encoding edges.
// The two halves of a surrogate pair, which together stand for one character.
inline bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
inline uint32_t CombineSurrogates(char16_t high, char16_t low) {
    return 0x10000 + ((static_cast<uint32_t>(high) - 0xD800) << 10) + (static_cast<uint32_t>(low) - 0xDC00);
}
// Writes a code point (at most U+10FFFF) as one UTF-16 unit or a surrogate
// pair at out and returns how many.
inline size_t EncodeUtf16(uint32_t cp, char16_t* out) {
    if (cp < 0x10000) {
        out[0] = static_cast<char16_t>(cp);
        return 1;
    }
    cp -= 0x10000;
    out[0] = static_cast<char16_t>(0xD800 + (cp >> 10));
    out[1] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    return 2;
}
// One UTF-8 sequence at bytes[i]: its code point, with i moved past it; -1,
// with i moved one byte on, when the sequence is malformed (overlong,
// surrogate, beyond U+10FFFF, cut off).
long DecodeUtf8Sequence(std::string_view bytes, size_t& i);
// Writes a code point (at most U+10FFFF) as 1 to 4 bytes of UTF-8 at out and
// returns how many.
inline size_t EncodeUtf8(uint32_t cp, char* out) {
    if (cp < 0x80) {
        out[0] = static_cast<char>(cp);
        return 1;
    }
    if (cp < 0x800) {
        out[0] = static_cast<char>(0xC0 | (cp >> 6));
        out[1] = static_cast<char>(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (cp >> 12));
        out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (cp & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (cp >> 18));
    out[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (cp & 0x3F));
    return 4;
}
// Each malformed sequence at the byte DecodeUtf8Sequence refuses becomes one
// U+FFFD and decoding resumes at the next byte.
WString Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(WStringView wide);           // lone surrogates become U+FFFD
bool IsValidUtf8(std::string_view bytes);
