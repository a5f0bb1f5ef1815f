#pragma once
// The bulk path of every decoder of 8-bit text whose bytes below 0x80 are
// ASCII: most code is ASCII, so it is widened sixteen bytes at a time and
// only the bytes that need a decision leave the fast loop.
#include <cstddef>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Units WidenPlainRun may store beyond those it keeps: the output needs this
// much room past the text's worst case.
constexpr size_t kPlainRunOverhang = 16;

inline bool IsPlainByte(unsigned char c) { return c < 0x80 && c != '\r' && c != '\n' && c != 0; }

// Widens the ASCII from p on that needs no care (all but CR, LF and NUL) and
// returns where it ends. Stores up to kPlainRunOverhang units beyond what it
// keeps.
inline const unsigned char* WidenPlainRun(const unsigned char* p, const unsigned char* end, char16_t*& out) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128(), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(bytes, zero));
        const __m128i special = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)),
                                             _mm_or_si128(_mm_cmpeq_epi8(bytes, zero), bytes));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(special));
        if (mask) {
            const unsigned kept = static_cast<unsigned>(__builtin_ctz(mask));
            out += kept;
            return p + kept;
        }
        p += 16;
        out += 16;
    }
#endif
    while (p < end && IsPlainByte(*p)) *out++ = *p++;
    return p;
}
