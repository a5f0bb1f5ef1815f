#include "base/wide.h"

#include <climits>
#include <cstdio>
#include <type_traits>
#include "base/plain_run.h"

size_t WideLength(const char16_t* s) {
    if (!s) return 0;
    size_t n = 0;
    while (s[n]) ++n;
    return n;
}

void CopyToField(char16_t* dst, size_t size, WStringView src) {
    if (size == 0) return;
    size_t n = src.size() < size - 1 ? src.size() : size - 1;
    // A field holds text up to its first NUL; stop there like wcsncpy would.
    size_t i = 0;
    for (; i < n && src[i] != 0; ++i) dst[i] = src[i];
    dst[i] = 0;
}

template <typename Char>
static bool EqualsFolded(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
    using Unit = std::make_unsigned_t<Char>;
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(static_cast<Unit>(a[i])) != AsciiLower(static_cast<Unit>(b[i]))) return false;
    return true;
}

bool EqualsIgnoreAsciiCase(WStringView a, WStringView b) { return EqualsFolded(a, b); }
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) { return EqualsFolded(a, b); }

bool StartsWithIgnoreAsciiCase(WStringView text, WStringView prefix) {
    return text.size() >= prefix.size() && EqualsIgnoreAsciiCase(text.substr(0, prefix.size()), prefix);
}

static bool IsCrtSpace(char16_t c) { return c == u' ' || (c >= 9 && c <= 13); }

int32_t ParseLeadingLong(WStringView s) {
    size_t i = 0;
    while (i < s.size() && IsCrtSpace(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
    const long long limit = negative ? -static_cast<long long>(INT32_MIN) : INT32_MAX;
    long long value = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
        value = value * 10 + (s[i] - u'0');
        if (value >= limit) { value = limit; break; }
    }
    return static_cast<int32_t>(negative ? -value : value);
}

WString FormatInt(long long value) {
    char buf[24];
    int n = snprintf(buf, sizeof buf, "%lld", value);
    return WString(buf, buf + n);
}

long DecodeUtf8Sequence(std::string_view s, size_t& i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) { ++i; return c; }
    int extra;
    long cp;
    if (c >= 0xC2 && c <= 0xDF) { extra = 1; cp = c & 0x1F; }
    else if (c >= 0xE0 && c <= 0xEF) { extra = 2; cp = c & 0x0F; }
    else if (c >= 0xF0 && c <= 0xF4) { extra = 3; cp = c & 0x07; }
    else { ++i; return -1; }
    if (s.size() - i <= static_cast<size_t>(extra)) { ++i; return -1; }
    for (int k = 1; k <= extra; ++k) {
        unsigned char t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80) { ++i; return -1; }
        cp = (cp << 6) | (t & 0x3F);
    }
    static const long kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) { ++i; return -1; }
    i += extra + 1;
    return cp;
}

bool IsValidUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();)
        if (DecodeUtf8Sequence(bytes, i) < 0) return false;
    return true;
}

WString Utf8ToWide(std::string_view utf8) {
    // No byte yields more than one unit (a 4-byte sequence yields two); the
    // plain run may store kPlainRunOverhang units beyond what it keeps.
    WString out(utf8.size() + kPlainRunOverhang, u'\0');
    const auto* const begin = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* const end = begin + utf8.size();
    const unsigned char* p = begin;
    char16_t* const first = out.data();
    char16_t* o = first;
    while (p < end) {
        p = WidenPlainRun(p, end, o);
        if (p == end) break;
        if (*p < 0x80) {  // a line end or another control character, kept as it stands
            *o++ = *p++;
            continue;
        }
        size_t i = static_cast<size_t>(p - begin);
        const long cp = DecodeUtf8Sequence(utf8, i);
        o += EncodeUtf16(cp < 0 ? 0xFFFD : static_cast<uint32_t>(cp), o);
        p = begin + i;
    }
    out.resize(static_cast<size_t>(o - first));
    return out;
}

std::string WideToUtf8(WStringView wide) {
    std::string out;
    out.reserve(wide.size() + wide.size() / 2);
    for (size_t i = 0; i < wide.size(); ++i) {
        unsigned long cp = wide[i];
        if (cp < 0x80) { out.push_back(char(cp)); continue; }
        if (IsHighSurrogate(wide[i]) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1])) {
            cp = CombineSurrogates(wide[i], wide[i + 1]);
            ++i;
        } else if (IsHighSurrogate(wide[i]) || IsLowSurrogate(wide[i])) {
            cp = 0xFFFD;
        }
        char bytes[4];
        out.append(bytes, EncodeUtf8(static_cast<uint32_t>(cp), bytes));
    }
    return out;
}
