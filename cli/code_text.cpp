#include "cli/code_text.h"

#include <cstdint>

namespace {

// Appends code units, turning LF, CR LF and a lone CR into CR LF.
class LineEndWriter {
public:
    explicit LineEndWriter(WString& out) : out_(out) {}
    void Put(char16_t c) {
        if (c == u'\n') {
            if (!afterCr_) out_ += u"\r\n";
            afterCr_ = false;
        } else if (c == u'\r') {
            out_ += u"\r\n";
            afterCr_ = true;
        } else {
            out_ += c;
            afterCr_ = false;
        }
    }

private:
    WString& out_;
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

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

bool DecodeUtf8(std::string_view bytes, LineEndWriter& writer) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            writer.Put(c);
            ++p;
            continue;
        }
        int extra;
        uint32_t code, minimum;
        if (c >= 0xC2 && c <= 0xDF) extra = 1, code = c & 0x1F, minimum = 0x80;
        else if (c >= 0xE0 && c <= 0xEF) extra = 2, code = c & 0x0F, minimum = 0x800;
        else if (c >= 0xF0 && c <= 0xF4) extra = 3, code = c & 0x07, minimum = 0x10000;
        else return false;
        if (end - p <= extra) return false;
        for (int k = 1; k <= extra; ++k) {
            if (!IsContinuation(p[k])) return false;
            code = (code << 6) | (p[k] & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        if (code >= 0x10000) {
            code -= 0x10000;
            writer.Put(static_cast<char16_t>(0xD800 + (code >> 10)));
            writer.Put(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            writer.Put(static_cast<char16_t>(code));
        }
        p += extra + 1;
    }
    return true;
}

}  // namespace

std::optional<WString> DecodeCodeText(std::string_view bytes) {
    WString text;
    text.reserve(bytes.size() + bytes.size() / 16);
    LineEndWriter writer(text);
    bool ok;
    if (bytes.substr(0, 2) == "\xFF\xFE")
        ok = DecodeUtf16(bytes.substr(2), false, writer);
    else if (bytes.substr(0, 2) == "\xFE\xFF")
        ok = DecodeUtf16(bytes.substr(2), true, writer);
    else
        ok = DecodeUtf8(bytes.substr(bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0), writer);
    if (!ok) return std::nullopt;
    return text;
}
