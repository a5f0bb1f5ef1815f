// Portable private-profile functions with the results the Windows functions
// give, quirks included. Unlike Wine, a write edits the file in place instead
// of rewriting all of it.
#include "config/profile.h"

#include "config/profile_document.h"

namespace {

bool HasLineBreak(WStringView s) { return s.find_first_of(u"\r\n") != WStringView::npos; }

// A written value loses its leading blanks, line breaks among them.
WStringView TrimLeadingSpace(WStringView s) {
    while (!s.empty() && IsProfileSpace(s.front())) s.remove_prefix(1);
    return s;
}

bool IsQuoted(WStringView value) {
    return value.size() >= 2 && (value[0] == u'"' || value[0] == u'\'') && value.back() == value[0];
}

// Copies a value the way the platform does: one pair of enclosing quotes
// (double or single) is dropped. When the value had to be cut, the platform
// leaves the opening-quote-less text cut, and when it exactly fills the buffer
// it drops its last character as if that were the closing quote.
uint32_t CopyValue(char16_t* buffer, uint32_t size, WStringView value) {
    bool quoted = IsQuoted(value);
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

bool ProfileEntryIsWritable(const char16_t* section, const char16_t* key, const char16_t* value) {
    if (!section || !key || !value) return false;
    WStringView keyName = TrimProfileSpace(key);
    return !HasLineBreak(TrimProfileSpace(section)) && !HasLineBreak(keyName) &&
           !HasLineBreak(TrimLeadingSpace(value)) && keyName.find(u'=') == WStringView::npos &&
           (keyName.empty() || keyName[0] != u'[');
}

uint32_t ProfileDocumentGetString(const ProfileDocument& profile, const char16_t* section, const char16_t* key,
                                  const char16_t* defaultValue, char16_t* buffer, uint32_t size) {
    if (!buffer || size == 0) return 0;
    WStringView fallback = TrimDefault(defaultValue);
    // Listing sections or keys (null section or key) is not supported.
    if (!section || !key) return CopyValue(buffer, size, fallback);
    const ProfileSection* s = profile.FindSection(TrimProfileSpace(section));
    const ProfileKey* k = s ? ProfileDocument::FindKey(*s, TrimProfileSpace(key)) : nullptr;
    return CopyValue(buffer, size, k && k->value ? WStringView(*k->value) : fallback);
}

int32_t ProfileDocumentGetInt(const ProfileDocument& profile, const char16_t* section, const char16_t* key,
                              int32_t defaultValue) {
    char16_t text[30];
    if (ProfileDocumentGetString(profile, section, key, u"", text, 30) == 0) return defaultValue;
    return ParseProfileInteger(text);
}

ProfileEdit ProfileDocumentWriteString(ProfileDocument& profile, const char16_t* section, const char16_t* key,
                                       const char16_t* value) {
    // Deleting keys or sections (a null key or value) is not supported.
    if (!ProfileEntryIsWritable(section, key, value)) return ProfileEdit::Refused;
    WStringView sectionName = TrimProfileSpace(section), keyName = TrimProfileSpace(key);
    WStringView text = TrimLeadingSpace(value);

    WString keyLine(keyName);
    keyLine += u'=';
    keyLine += text;
    const ProfileSection* s = profile.FindSection(sectionName);
    const ProfileKey* k = s ? ProfileDocument::FindKey(*s, keyName) : nullptr;
    if (k && k->value && *k->value == text) return ProfileEdit::Unchanged;
    if (k) {
        WString replacement(k->value ? u"" : u"=");  // a line without '=' gets one
        replacement += text;
        profile.Replace(k->valueBegin, k->valueEnd, replacement);
    } else if (s) {
        profile.InsertLine(s->LastLine(), keyLine);
    } else {
        profile.AppendSection(sectionName, keyLine);
    }
    return ProfileEdit::Edited;
}

uint32_t PortableProfileGetString(const char16_t* section, const char16_t* key,
                                  const char16_t* defaultValue, char16_t* buffer, uint32_t size,
                                  const char16_t* file) {
    // Only a lookup needs the file.
    const bool lookup = buffer && size > 0 && section && key;
    const ProfileDocument profile = lookup ? ProfileDocument::Load(file) : ProfileDocument(std::string());
    return ProfileDocumentGetString(profile, section, key, defaultValue, buffer, size);
}

int32_t PortableProfileGetInt(const char16_t* section, const char16_t* key, int32_t defaultValue,
                              const char16_t* file) {
    return ProfileDocumentGetInt(ProfileDocument::Load(file), section, key, defaultValue);
}

bool PortableProfileWriteString(const char16_t* section, const char16_t* key, const char16_t* value,
                                const char16_t* file) {
    ProfileDocument profile = ProfileDocument::Load(file);
    switch (ProfileDocumentWriteString(profile, section, key, value)) {
    case ProfileEdit::Refused:
        return false;
    case ProfileEdit::Unchanged:
        return true;
    case ProfileEdit::Edited:
        break;
    }
    return profile.Save(WStringView(file ? file : u""));
}

namespace {

// Reads with one unit more than the field and cuts to the field.
template <typename Read>
uint32_t ReadIntoField(char16_t* field, uint32_t size, Read read) {
    if (!field || size == 0) return 0;
    WString wider(size + 1, u'\0');
    const uint32_t length = read(wider.data(), size + 1);
    CopyToField(field, size, WStringView(wider.data(), length));
    return static_cast<uint32_t>(WideLength(field));
}

}  // namespace

uint32_t ProfileGetField(const char16_t* section, const char16_t* key, const char16_t* defaultValue,
                         char16_t* field, uint32_t size, const char16_t* file) {
    return ReadIntoField(field, size, [&](char16_t* buffer, uint32_t wider) {
        return ProfileGetString(section, key, defaultValue, buffer, wider, file);
    });
}

uint32_t ProfileDocumentGetField(const ProfileDocument& profile, const char16_t* section, const char16_t* key,
                                 const char16_t* defaultValue, char16_t* field, uint32_t size) {
    return ReadIntoField(field, size, [&](char16_t* buffer, uint32_t wider) {
        return ProfileDocumentGetString(profile, section, key, defaultValue, buffer, wider);
    });
}

WString ProfileValueFor(WStringView value) {
    const bool trimmed = !value.empty() && (IsProfileSpace(value.front()) || IsProfileSpace(value.back()));
    if (!IsQuoted(value) && !trimmed) return WString(value);
    return u"\"" + WString(value) + u"\"";
}
