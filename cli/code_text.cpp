#include "cli/code_text.h"

#include <cstdint>
#include <cstring>

namespace {

// Writes code units into a text sized for the worst case, turning LF, CR LF
// and a lone CR into CR LF.
class LineEndWriter {
public:
    explicit LineEndWriter(size_t maxUnits) : units_(new char16_t[maxUnits + 2]), out_(units_.get() + 1) {
        units_[0] = 0;
    }
    void Put(char16_t c) {
        if (c == u'\n') {
            if (!afterCr_) *out_++ = u'\r', *out_++ = u'\n';
            afterCr_ = false;
        } else if (c == u'\r') {
            *out_++ = u'\r', *out_++ = u'\n';
            afterCr_ = true;
        } else {
            *out_++ = c;
            afterCr_ = false;
        }
    }
    // Units that are neither CR nor LF, copied as they are.
    void PutPlain(const unsigned char* bytes, size_t count) {
        if (count == 0) return;
        for (size_t i = 0; i < count; ++i) out_[i] = bytes[i];
        out_ += count;
        afterCr_ = false;
    }
    CodeText Finish() {
        *out_ = 0;
        const size_t size = static_cast<size_t>(out_ - units_.get() - 1);
        return CodeText(std::move(units_), size);
    }

private:
    std::unique_ptr<char16_t[]> units_;
    char16_t* out_;
    bool afterCr_ = false;
};

bool DecodeUtf16(std::string_view bytes, bool bigEndian, LineEndWriter& writer) {
    if (bytes.size() % 2) return false;
    for (size_t i = 0; i < bytes.size(); i += 2) {
        const unsigned char a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        writer.Put(static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
    }
    return true;
}

bool DecodeUtf8(std::string_view bytes, LineEndWriter& writer) {
    const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = begin + bytes.size();
    const auto* p = begin;
    while (p < end) {
        // A run of ASCII without line ends: eight bytes at a time, then byte by byte.
        const unsigned char* run = p;
        for (uint64_t eight; end - p >= 8; p += 8) {
            std::memcpy(&eight, p, sizeof eight);
            const uint64_t cr = eight ^ 0x0D0D0D0D0D0D0D0DULL, lf = eight ^ 0x0A0A0A0A0A0A0A0AULL;
            const uint64_t zeroByte = ((cr - 0x0101010101010101ULL) & ~cr) | ((lf - 0x0101010101010101ULL) & ~lf);
            if ((eight | zeroByte) & 0x8080808080808080ULL) break;
        }
        while (p < end && *p < 0x80 && *p != '\r' && *p != '\n') ++p;
        writer.PutPlain(run, static_cast<size_t>(p - run));
        if (p == end) break;
        const unsigned char c = *p;
        if (c < 0x80) {  // CR or LF
            writer.Put(c);
            ++p;
            continue;
        }
        size_t at = static_cast<size_t>(p - begin);
        const long decoded = DecodeUtf8Sequence(bytes, at);
        if (decoded < 0) return false;
        p = begin + at;
        uint32_t code = static_cast<uint32_t>(decoded);
        if (code >= 0x10000) {
            code -= 0x10000;
            writer.Put(static_cast<char16_t>(0xD800 + (code >> 10)));
            writer.Put(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            writer.Put(static_cast<char16_t>(code));
        }
    }
    return true;
}

}  // namespace

std::optional<CodeText> DecodeCodeText(std::string_view bytes) {
    // At most two units per byte: a LF becomes CR LF, four bytes a surrogate pair.
    LineEndWriter writer(2 * bytes.size());
    bool ok;
    if (bytes.substr(0, 2) == "\xFF\xFE")
        ok = DecodeUtf16(bytes.substr(2), false, writer);
    else if (bytes.substr(0, 2) == "\xFE\xFF")
        ok = DecodeUtf16(bytes.substr(2), true, writer);
    else
        ok = DecodeUtf8(bytes.substr(bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0), writer);
    if (!ok) return std::nullopt;
    return writer.Finish();
}
