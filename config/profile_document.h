#pragma once
// A profile (INI) file parsed as the platform's profile functions parse it
// (as observed on Wine): keys before any section belong to a nameless
// section, ';' lines are ordinary keys, a line without '=' is a key without a
// value, names and values end at an embedded NUL.
#include <optional>
#include <string>
#include <vector>

#include "base/wide.h"

// Blanks as the profile functions trim them: ASCII white space and ^Z.
bool IsProfileSpace(char16_t c);
WStringView TrimProfileSpace(WStringView s);

// Where the line after a given line starts, and whether that given line
// ended with a line break (the last line of a file may not).
struct LinePlace {
    size_t end = 0;
    bool terminated = true;
};

struct ProfileKey {
    WString name;
    std::optional<WString> value;  // absent on a line without '='
    // The value's place in the decoded text: after '=' and its blanks, up to
    // the line's trimmed end. Empty at the line's end when there is no '='.
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
    // A missing or unreadable file reads as an empty profile.
    static ProfileDocument Load(const char16_t* file);

    const ProfileSection* FindSection(WStringView name) const;
    static const ProfileKey* FindKey(const ProfileSection& section, WStringView name);

    // Each takes text already free of line breaks; the sections and keys
    // found afterwards are those of the edited text.
    void Replace(size_t begin, size_t end, WStringView text);
    void InsertLine(LinePlace after, WStringView text);
    void AppendSection(WStringView name, WStringView keyLine);
    // The text encoded back as the file held it.
    std::string Bytes() const;
    bool Save(WStringView path) const;

private:
    enum class Encoding { Ansi, Utf8, Utf16Le, Utf16Be };

    bool IsUtf16() const { return encoding_ == Encoding::Utf16Le || encoding_ == Encoding::Utf16Be; }
    WString LineBreak() const;
    void Parse();
    void ParseLine(size_t begin, size_t end, LinePlace place);

    std::string original_;
    Encoding encoding_ = Encoding::Ansi;
    size_t bomLength_ = 0;
    WString text_;
    std::vector<ProfileSection> sections_;
};
