// Portable private-profile functions. They follow what the Windows functions
// do on awkward files (as observed on Wine): keys before any section belong to
// a nameless section, only the first of duplicate sections and keys counts,
// ';' lines are ordinary keys, a line without '=' is a key without a value.
// Unlike Wine, a write edits the file in place instead of rewriting it.
#include "config/profile.h"

#include <optional>
#include <vector>

#include "config/file_io.h"
#include "config/profile_ansi.h"

namespace {

enum class Encoding { Ansi, Utf8, Utf16Le, Utf16Be };

bool IsProfileSpace(char16_t c) { return c == u' ' || (c >= 9 && c <= 13) || c == 0x1A; }

WStringView Trim(WStringView s) {
    while (!s.empty() && IsProfileSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsProfileSpace(s.back())) s.remove_suffix(1);
    return s;
}

// Names and values end at an embedded NUL, as C strings would.
WString UpToNul(WStringView s) { return WString(s.substr(0, s.find(u'\0'))); }

bool HasLineBreak(WStringView s) { return s.find_first_of(u"\r\n") != WStringView::npos; }

// UTF-8 as the platform's MultiByteToWideChar decodes it: a malformed
// sequence becomes one U+FFFD and ends at the first byte that cannot continue
// it; a sequence cut off by the end of the text takes the rest with it.
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
        if (!valid) {
            out.push_back(0xFFFD);
        } else if (cp >= 0x10000) {
            out.push_back(char16_t(0xD800 + ((cp - 0x10000) >> 10)));
            out.push_back(char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            out.push_back(char16_t(cp));
        }
    }
    return out;
}

// Where the line after a given line starts, and whether that given line
// ended with a line break (the last line of a file may not).
struct LinePlace {
    size_t end = 0;
    bool terminated = true;
};

struct ProfileKey {
    WString name;
    std::optional<WString> value;  // absent on a line without '='
    // The value's units in the file: after '=' and its blanks, up to the
    // line's trimmed end. Empty at the line's end when there is no '='.
    size_t valueBegin = 0, valueEnd = 0;
    LinePlace line;
};

struct ProfileSection {
    WString name;  // "" for the keys before the first section header
    std::vector<ProfileKey> keys;
    LinePlace header;
    LinePlace LastLine() const { return keys.empty() ? header : keys.back().line; }
};

// A profile file decoded as a whole, as the platform does: in a double-byte
// code page a lead byte may swallow the line break after it. A write edits
// the text and encodes it back; for a file that is valid in its encoding
// every byte outside the edit comes back as it was.
class ProfileDocument {
public:
    explicit ProfileDocument(std::string bytes);

    const ProfileSection* FindSection(WStringView name) const;
    static const ProfileKey* FindKey(const ProfileSection& section, WStringView name);

    // Both take text already free of line breaks.
    void Replace(size_t begin, size_t end, WStringView text) { text_.replace(begin, end - begin, text); }
    void InsertLine(LinePlace after, WStringView text);
    void AppendSection(WStringView name, WStringView keyLine);
    bool Save(WStringView path) const;

private:
    bool IsUtf16() const { return encoding_ == Encoding::Utf16Le || encoding_ == Encoding::Utf16Be; }
    WString LineBreak() const;
    void ParseLine(size_t begin, size_t end, LinePlace place);

    std::string original_;
    Encoding encoding_ = Encoding::Ansi;
    size_t bomLength_ = 0;
    WString text_;
    std::vector<ProfileSection> sections_;
};

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

    sections_.push_back(ProfileSection{});
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
        sections_.push_back(ProfileSection{UpToNul(Trim(line.substr(1, close - 1))), {}, place});
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
        key.name = UpToNul(Trim(line.substr(0, equals)));
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
}

void ProfileDocument::AppendSection(WStringView name, WStringView keyLine) {
    bool terminated = text_.empty() || text_.back() == u'\r' || text_.back() == u'\n';
    WString header = u"[";
    header += name;
    header += u"]";
    InsertLine(LinePlace{text_.size(), terminated}, header);
    InsertLine(LinePlace{text_.size(), true}, keyLine);
}

bool ProfileDocument::Save(WStringView path) const {
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
    return WriteFileBytes(path, bytes);
}

ProfileDocument LoadProfile(const char16_t* file) {
    std::optional<std::string> bytes = ReadFileBytes(WStringView(file ? file : u""));
    return ProfileDocument(bytes ? std::move(*bytes) : std::string());
}

// Copies a value the way the platform does: one pair of enclosing quotes
// (double or single) is dropped. When the value had to be cut, the platform
// leaves the opening-quote-less text cut, and when it exactly fills the buffer
// it drops its last character as if that were the closing quote.
uint32_t CopyValue(char16_t* buffer, uint32_t size, WStringView value) {
    bool quoted = value.size() >= 2 && (value[0] == u'"' || value[0] == u'\'') && value.back() == value[0];
    if (quoted) value.remove_prefix(1);
    CopyToField(buffer, size, value);
    size_t length = WideLength(buffer);
    if (quoted && size >= value.size() && length > 0) buffer[--length] = 0;
    return static_cast<uint32_t>(length);
}

// The default loses its trailing blanks, all but the first character.
WStringView TrimDefault(const char16_t* defaultValue) {
    WStringView d(defaultValue ? defaultValue : u"");
    while (d.size() > 1 && d.back() == u' ') d.remove_suffix(1);
    return d;
}

// RtlUnicodeStringToInteger with base 0: blanks, a sign, an optional 0x / 0o /
// 0b prefix, digits; wraps around at 32 bits.
int32_t ParseProfileInteger(WStringView s) {
    size_t i = 0;
    while (i < s.size() && s[i] <= u' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
    uint32_t base = 10;
    if (i + 1 < s.size() && s[i] == u'0') {
        if (s[i + 1] == u'x') base = 16;
        else if (s[i + 1] == u'o') base = 8;
        else if (s[i + 1] == u'b') base = 2;
        if (base != 10) i += 2;
    }
    uint32_t value = 0;
    for (; i < s.size(); ++i) {
        char16_t c = s[i];
        uint32_t digit = (c >= u'0' && c <= u'9') ? c - u'0'
                       : (c >= u'a' && c <= u'z') ? c - u'a' + 10
                       : (c >= u'A' && c <= u'Z') ? c - u'A' + 10
                       : 99;
        if (digit >= base) break;
        value = value * base + digit;
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}

}  // namespace

uint32_t PortableProfileGetString(const char16_t* section, const char16_t* key,
                                  const char16_t* defaultValue, char16_t* buffer, uint32_t size,
                                  const char16_t* file) {
    if (!buffer || size == 0) return 0;
    WStringView fallback = TrimDefault(defaultValue);
    // Listing sections or keys (null section or key) is not supported.
    if (!section || !key) return CopyValue(buffer, size, fallback);
    ProfileDocument profile = LoadProfile(file);
    const ProfileSection* s = profile.FindSection(Trim(section));
    const ProfileKey* k = s ? ProfileDocument::FindKey(*s, Trim(key)) : nullptr;
    return CopyValue(buffer, size, k && k->value ? WStringView(*k->value) : fallback);
}

int32_t PortableProfileGetInt(const char16_t* section, const char16_t* key, int32_t defaultValue,
                              const char16_t* file) {
    char16_t text[30];
    if (PortableProfileGetString(section, key, u"", text, 30, file) == 0) return defaultValue;
    return ParseProfileInteger(text);
}

bool PortableProfileWriteString(const char16_t* section, const char16_t* key, const char16_t* value,
                                const char16_t* file) {
    if (!section || !key || !value) return false;  // deleting keys or sections is not supported
    WStringView sectionName = Trim(section), keyName = Trim(key), text = value;
    while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
    // Text that would read back as other lines, another key or a section
    // header is refused rather than written.
    if (HasLineBreak(sectionName) || HasLineBreak(keyName) || HasLineBreak(text) ||
        keyName.find(u'=') != WStringView::npos || (!keyName.empty() && keyName[0] == u'['))
        return false;

    ProfileDocument profile = LoadProfile(file);
    WString keyLine(keyName);
    keyLine += u'=';
    keyLine += text;
    const ProfileSection* s = profile.FindSection(sectionName);
    const ProfileKey* k = s ? ProfileDocument::FindKey(*s, keyName) : nullptr;
    if (k && k->value && *k->value == text) return true;
    if (k) {
        WString replacement(k->value ? u"" : u"=");  // a line without '=' gets one
        replacement += text;
        profile.Replace(k->valueBegin, k->valueEnd, replacement);
    } else if (s)
        profile.InsertLine(s->LastLine(), keyLine);
    else
        profile.AppendSection(sectionName, keyLine);
    return profile.Save(WStringView(file ? file : u""));
}
