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

// Printable ASCII, tab and form feed: the rest of ASCII (line ends, NUL and
// the other control characters) needs a decision.
inline bool IsPlainByte(unsigned char c) { return c >= 0x20 ? c < 0x7F : c == '\t' || c == '\f'; }

// Widens the plain bytes from p on and returns where they end. Stores up to
// kPlainRunOverhang units beyond what it keeps.
inline const unsigned char* WidenPlainRun(const unsigned char* p, const unsigned char* end, char16_t*& out) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128(), space = _mm_set1_epi8(' '), del = _mm_set1_epi8(0x7F),
                  tab = _mm_set1_epi8('\t'), formFeed = _mm_set1_epi8('\f');
    while (end - p >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(bytes, zero));
        // Signed, bytes of 0x80 and more are below the space too.
        const __m128i belowSpace = _mm_cmplt_epi8(bytes, space);
        const __m128i allowed = _mm_or_si128(_mm_cmpeq_epi8(bytes, tab), _mm_cmpeq_epi8(bytes, formFeed));
        const __m128i special = _mm_or_si128(_mm_andnot_si128(allowed, belowSpace), _mm_cmpeq_epi8(bytes, del));
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
