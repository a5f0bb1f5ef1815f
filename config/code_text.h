#pragma once
// Code read from a file as the code pane would hold it, for lumatype-cli and
// the program alike: decoded to UTF-16 with CR LF line ends, in the encoding
// the user names or, without one, by a rule that gives the same text in both
// builds.
#include <optional>
#include <string>
#include <string_view>
#include "base/input_file.h"
#include "base/text_memory.h"
#include "base/wide.h"

enum class TextEncoding { Utf8, Utf16Le, Utf16Be, Latin1, Windows1252, Gbk, Platform };

// What --encoding named. Names of the encodings decoded here are the same in
// both builds; any other goes to the platform's converter as it stands.
struct NamedEncoding {
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMarkDecides = false;  // "utf-16": its mark, else little-endian
    std::string platformName;           // for TextEncoding::Platform
    std::string givenName;              // as the user wrote it
};
// Empty when neither this code nor the platform knows the name.
std::optional<NamedEncoding> FindEncoding(WStringView name);
// "UTF-8", "GBK", ... as messages name them.
const char* EncodingName(TextEncoding encoding);

// Decoded code in one buffer, filled without first being cleared, with a NUL
// before and after it as the scanner reads code.
class CodeText {
public:
    CodeText(TextMemory padded, size_t size, int32_t lines) : padded_(std::move(padded)), size_(size), lines_(lines) {}
    WStringView View() const { return WStringView(padded_.get() + 1, size_); }
    // Lines up to the last non-empty one, counted while decoding so that the
    // conversion need not read the whole text once more to count them.
    int32_t Lines() const { return lines_; }

private:
    TextMemory padded_;
    size_t size_;
    int32_t lines_;
};

struct DecodedText {
    std::optional<CodeText> text;  // empty when the bytes do not fit the encoding
    TextEncoding encoding = TextEncoding::Utf8;
    bool chosenByRule = false;       // no encoding was named
    bool byteOrderMark = false;      // the rule followed a byte-order mark
    size_t failedAt = 0;             // without text: offset of the first byte that does not fit
    int readError = 0;               // without text: errno of a failed read, else 0
    size_t controlCount = 0;         // control characters, each kept as U+FFFD
    size_t firstControlLine = 0;     // the line of the first, counted from 1
};

// Without `named`: a byte-order mark decides; else UTF-16 without one is
// recognised by its zero bytes; else valid UTF-8; else GBK when all of it
// decodes as GBK and at least three in five of its two-byte characters lie
// in GB 2312's symbol and hanzi rows, as Chinese text does; else
// Windows-1252, which never fails. A leading byte-order mark is dropped; LF,
// CR LF and a lone CR become CR LF; a control character other than tab, LF,
// FF and CR (NUL among them), and DEL, becomes U+FFFD, so that the rest of
// the text is kept and nothing raw reaches the HTML.
DecodedText DecodeCodeText(InputSource& input, const NamedEncoding* named = nullptr);
DecodedText DecodeCodeText(std::string_view bytes, const NamedEncoding* named = nullptr);
