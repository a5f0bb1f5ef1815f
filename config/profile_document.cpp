#include "config/profile_document.h"

#include "base/file_io.h"
#include "config/ansi_text.h"
#include "config/profile_ansi.h"

namespace {

WString UpToNul(WStringView s) { return WString(s.substr(0, s.find(u'\0'))); }

// UTF-8 as the platform's MultiByteToWideChar decodes it: a malformed
// sequence becomes one U+FFFD and ends at the first byte that cannot continue
// it; a sequence cut off by the end of the text takes the rest with it. The
// profile functions must read a file as Windows does, so this decoder stays
// apart from Utf8ToWide, which gives one U+FFFD per refused byte.
WString DecodeUtf8(std::string_view bytes) {
    static const unsigned char kLeadMask[4] = {0x7F, 0x1F, 0x0F, 0x07};
    WString out;
    size_t i = 0;
    while (i < bytes.size()) {
        unsigned char lead = static_cast<unsigned char>(bytes[i++]);
        if (lead < 0x80) {
            out.push_back(lead);
            continue;
        }
        unsigned length = (lead >= 0xC2 && lead <= 0xDF) ? 1 : (lead >= 0xE0 && lead <= 0xEF) ? 2
                        : (lead >= 0xF0 && lead <= 0xF4) ? 3 : 0;
        if (i + length > bytes.size()) {
            out.push_back(0xFFFD);
            break;
        }
        uint32_t cp = lead & kLeadMask[length];
        bool valid = length > 0;
        for (unsigned left = length; valid && left > 0; --left) {
            unsigned bits = static_cast<unsigned char>(bytes[i]) ^ 0x80u;
            if (bits >= 0x40) { valid = false; break; }
            cp = cp << 6 | bits;
            if (left == 2 && cp >= (0x110000 >> 6)) { valid = false; break; }  // beyond U+10FFFF
            ++i;
            if (left == 3 && cp < 0x10) valid = false;  // overlong
            if (left == 2 && (cp < 0x20 || (cp >= (0xD800 >> 6) && cp <= (0xDFFF >> 6)))) valid = false;
        }
        char16_t units[2];
        out.append(units, valid ? EncodeUtf16(cp, units) : EncodeUtf16(0xFFFD, units));
    }
    return out;
}

}  // namespace

bool IsProfileSpace(char16_t c) { return c == u' ' || (c >= 9 && c <= 13) || c == 0x1A; }

WStringView TrimProfileSpace(WStringView s) {
    while (!s.empty() && IsProfileSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsProfileSpace(s.back())) s.remove_suffix(1);
    return s;
}

ProfileDocument::ProfileDocument(std::string bytes) : original_(std::move(bytes)) {
    const std::string& b = original_;
    if (b.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        encoding_ = Encoding::Utf8;
        bomLength_ = 3;
    } else if (b.compare(0, 2, "\xFF\xFE") == 0) {
        encoding_ = Encoding::Utf16Le;
        bomLength_ = 2;
    } else if (b.compare(0, 2, "\xFE\xFF") == 0) {
        encoding_ = Encoding::Utf16Be;
        bomLength_ = 2;
    }
    std::string_view body = std::string_view(b).substr(bomLength_);
    if (IsUtf16()) {
        int high = encoding_ == Encoding::Utf16Le ? 1 : 0;
        for (size_t i = 0; i + 1 < body.size(); i += 2)
            text_.push_back(char16_t(static_cast<unsigned char>(body[i + 1 - high]) |
                                     static_cast<unsigned char>(body[i + high]) << 8));
    } else {
        text_ = encoding_ == Encoding::Utf8 ? DecodeUtf8(body) : AnsiToWide(body);
    }
    Parse();
}

void ProfileDocument::Parse() {
    sections_.assign(1, ProfileSection{});
    size_t pos = 0;
    while (pos < text_.size()) {
        size_t begin = pos;
        while (pos < text_.size() && text_[pos] != u'\r' && text_[pos] != u'\n') ++pos;
        size_t lineEnd = pos;
        if (pos < text_.size()) pos += (text_[pos] == u'\r' && pos + 1 < text_.size() && text_[pos + 1] == u'\n') ? 2 : 1;
        ParseLine(begin, lineEnd, LinePlace{pos, pos != lineEnd});
    }
}

void ProfileDocument::ParseLine(size_t begin, size_t end, LinePlace place) {
    while (begin < end && IsProfileSpace(text_[begin])) ++begin;
    while (end > begin && IsProfileSpace(text_[end - 1])) --end;
    if (begin == end) return;
    WStringView line = WStringView(text_).substr(begin, end - begin);

    size_t close = line.rfind(u']');
    if (line[0] == u'[' && close != WStringView::npos) {
        sections_.push_back(ProfileSection{UpToNul(TrimProfileSpace(line.substr(1, close - 1))), {}, place});
        return;
    }

    ProfileKey key;
    key.line = place;
    size_t equals = line.find(u'=');
    if (equals == WStringView::npos) {
        key.name = UpToNul(line);
        key.valueBegin = key.valueEnd = end;
    } else {
        size_t valueBegin = equals + 1;
        while (valueBegin < line.size() && IsProfileSpace(line[valueBegin])) ++valueBegin;
        key.name = UpToNul(TrimProfileSpace(line.substr(0, equals)));
        key.value = UpToNul(line.substr(valueBegin));
        key.valueBegin = begin + valueBegin;
        key.valueEnd = end;
    }
    sections_.back().keys.push_back(std::move(key));
}

// The file's own line break, taken from its first line.
WString ProfileDocument::LineBreak() const {
    size_t at = text_.find_first_of(u"\r\n");
    if (at == WString::npos) return u"\r\n";
    if (text_[at] == u'\r') return (at + 1 < text_.size() && text_[at + 1] == u'\n') ? u"\r\n" : u"\r";
    return u"\n";
}

const ProfileSection* ProfileDocument::FindSection(WStringView name) const {
    for (const ProfileSection& section : sections_)
        if (EqualsIgnoreAsciiCase(section.name, name)) return &section;
    return nullptr;
}

const ProfileKey* ProfileDocument::FindKey(const ProfileSection& section, WStringView name) {
    for (const ProfileKey& key : section.keys)
        if (EqualsIgnoreAsciiCase(key.name, name)) return &key;
    return nullptr;
}

void ProfileDocument::InsertLine(LinePlace after, WStringView text) {
    WString lineBreak = LineBreak();
    WString line = after.terminated ? WString() : lineBreak;
    line += text;
    line += lineBreak;
    text_.insert(after.end, line);
    Parse();
}

void ProfileDocument::Replace(size_t begin, size_t end, WStringView text) {
    text_.replace(begin, end - begin, text);
    Parse();
}

void ProfileDocument::AppendSection(WStringView name, WStringView keyLine) {
    bool terminated = text_.empty() || text_.back() == u'\r' || text_.back() == u'\n';
    WString header = u"[";
    header += name;
    header += u"]";
    InsertLine(LinePlace{text_.size(), terminated}, header);
    InsertLine(LinePlace{text_.size(), true}, keyLine);
}

std::string ProfileDocument::Bytes() const {
    std::string bytes = original_.substr(0, bomLength_);
    if (IsUtf16()) {
        bool little = encoding_ == Encoding::Utf16Le;
        for (char16_t u : text_) {
            char low = char(u & 0xFF), high = char(u >> 8);
            bytes.push_back(little ? low : high);
            bytes.push_back(little ? high : low);
        }
        if ((original_.size() - bomLength_) % 2) bytes.push_back(original_.back());  // a stray odd byte stays last
    } else {
        bytes += encoding_ == Encoding::Utf8 ? WideToUtf8(text_) : WideToProfileAnsi(text_, original_);
    }
    return bytes;
}

bool ProfileDocument::Save(WStringView path) const { return WriteFileBytes(path, Bytes()); }

ProfileDocument ProfileDocument::Load(const char16_t* file) {
    std::optional<std::string> bytes = ReadFileBytes(WStringView(file ? file : u""));
    return ProfileDocument(bytes ? std::move(*bytes) : std::string());
}
