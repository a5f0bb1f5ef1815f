#include "config/code_text.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include "base/plain_run.h"
#include "config/code_pages.h"
#include "config/platform_encoding.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr size_t kChunkBytes = size_t{1} << 18;
// The longest character of the encodings decoded here; fewer bytes at a
// chunk's end wait for the next chunk, which may complete them.
constexpr size_t kMaxCharacterBytes = 4;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF", kUtf16LeMark = "\xFF\xFE", kUtf16BeMark = "\xFE\xFF";

// Writes decoded units into memory sized for the encoding's worst case, so
// no unit is checked for room: every line end as CR LF, every replaced
// control character as U+FFFD.
class TextWriter {
public:
    explicit TextWriter(size_t maxUnits) : memory_(AllocateTextMemory(maxUnits + 2)), out_(memory_.get() + 1) {
        memory_[0] = 0;
    }

    char16_t*& Out() { return out_; }
    void Unit(char16_t c) { *out_++ = c; }
    void CodePoint(uint32_t code) { out_ += EncodeUtf16(code, out_); }
    void LineEnd() {
        out_[0] = u'\r';
        out_[1] = u'\n';
        out_ += 2;
        ++lineEnds_;
    }
    void Control() {
        if (controlCount_++ == 0) firstControlLine_ = lineEnds_ + 1;
        Unit(kReplacement);
    }
    // Forgets what was written, for the next encoding the rule tries.
    void Restart() {
        out_ = memory_.get() + 1;
        lineEnds_ = controlCount_ = 0;
    }
    void Finish(DecodedText& result) {
        *out_ = 0;
        const char16_t* const text = memory_.get() + 1;
        const size_t size = static_cast<size_t>(out_ - text);
        // Every line end was written as CR LF: those that end the text start
        // no line.
        size_t lineEnds = lineEnds_, end = size;
        for (; end >= 2 && text[end - 1] == u'\n' && text[end - 2] == u'\r'; end -= 2) --lineEnds;
        const int32_t lines = end ? static_cast<int32_t>(std::min<size_t>(lineEnds + 1, INT32_MAX)) : 0;
        result.controlCount = controlCount_;
        result.firstControlLine = firstControlLine_;
        result.text.emplace(std::move(memory_), size, lines);
    }

private:
    TextMemory memory_;
    char16_t* out_;
    size_t lineEnds_ = 0, controlCount_ = 0, firstControlLine_ = 0;
};

// Control characters other than tab, line feed, form feed and carriage
// return, and DEL: an ESC of a log file would reach the HTML raw, a NUL
// would end the text early.
bool IsReplacedControl(char16_t c) {
    return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\f' && c != u'\r') || c == 0x7F;
}

// At an ASCII byte that is not plain: a CR LF pair or a lone CR or LF is one
// line end; any other is a replaced control character.
const unsigned char* PutControlByte(const unsigned char* p, const unsigned char* end, TextWriter& writer) {
    if (*p != '\r' && *p != '\n') {
        writer.Control();
        return p + 1;
    }
    writer.LineEnd();
    return *p == '\r' && p + 1 < end && p[1] == '\n' ? p + 2 : p + 1;
}

// One chunk of 8-bit text whose bytes below 0x80 are ASCII: how many bytes it
// used (all when `final`), or nothing when a character does not fit, at
// failedAt. decodeHigh reads the character at a byte of 0x80 or more as
// DecodeUtf8Sequence does: its code point, or -1.
template <typename DecodeHigh>
std::optional<size_t> DecodeBytes(std::string_view bytes, bool final, TextWriter& writer, size_t& failedAt,
                                  DecodeHigh decodeHigh) {
    const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = begin + bytes.size();
    const unsigned char* p = begin;
    while (p < end) {
        p = WidenPlainRun(p, end, writer.Out());
        if (p == end || (!final && static_cast<size_t>(end - p) < kMaxCharacterBytes)) break;
        if (*p < 0x80) {
            p = PutControlByte(p, end, writer);
            continue;
        }
        size_t at = static_cast<size_t>(p - begin);
        const long code = decodeHigh(bytes, at);
        if (code < 0) {
            failedAt = static_cast<size_t>(p - begin);
            return std::nullopt;
        }
        writer.CodePoint(static_cast<uint32_t>(code));
        p = begin + at;
    }
    return static_cast<size_t>(p - begin);
}

template <typename UnitAt>
void WriteUnits(size_t count, UnitAt unitAt, TextWriter& writer) {
    for (size_t k = 0; k < count; ++k) {
        const char16_t c = unitAt(k);
        if (c == u'\r' || c == u'\n') {
            writer.LineEnd();
            if (c == u'\r' && k + 1 < count && unitAt(k + 1) == u'\n') ++k;
        } else if (IsReplacedControl(c)) {
            writer.Control();
        } else {
            writer.Unit(c);
        }
    }
}

std::optional<size_t> DecodeUtf16(std::string_view bytes, bool bigEndian, bool final, TextWriter& writer,
                                  size_t& failedAt) {
    if (final && bytes.size() % 2) {
        failedAt = bytes.size() - 1;  // half a unit at the end
        return std::nullopt;
    }
    const auto* const p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto unitAt = [p, bigEndian](size_t k) {
        const unsigned first = p[2 * k], second = p[2 * k + 1];
        return static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    size_t units = bytes.size() / 2;
    if (!final && units > 0 && unitAt(units - 1) == u'\r') --units;  // a LF may follow in the next chunk
    WriteUnits(units, unitAt, writer);
    return 2 * units;
}

// Units of UTF-16 text where only the first or only the second byte is zero.
struct ZeroBytes {
    size_t units = 0, firstOnly = 0, secondOnly = 0;
    bool halfUnit = false;  // an odd byte count: no UTF-16
};

std::optional<size_t> CountZeroBytes(std::string_view bytes, bool final, ZeroBytes& zeros) {
    const size_t units = bytes.size() / 2;
    zeros.halfUnit = final && bytes.size() % 2;
    for (size_t k = 0; k < units; ++k) {
        const bool first = bytes[2 * k] == 0, second = bytes[2 * k + 1] == 0;
        zeros.firstOnly += first && !second;
        zeros.secondOnly += second && !first;
    }
    zeros.units += units;
    return 2 * units;
}

// UTF-16 code, mostly ASCII, has a zero in one byte of most units, always
// the same one; UTF-8 and 8-bit text have zero bytes only where a NUL stands.
std::optional<TextEncoding> Utf16ByZeroBytes(const ZeroBytes& zeros) {
    if (zeros.halfUnit) return std::nullopt;
    if (2 * zeros.secondOnly >= zeros.units && zeros.secondOnly > 4 * zeros.firstOnly) return TextEncoding::Utf16Le;
    if (2 * zeros.firstOnly >= zeros.units && zeros.firstOnly > 4 * zeros.secondOnly) return TextEncoding::Utf16Be;
    return std::nullopt;
}

// The two-byte characters of a GBK reading. Western 8-bit text is often
// valid GBK by accident, an accented letter and the next byte making a pair,
// but such pairs mostly have an ASCII trail byte or fall in GBK's extension
// rows; Chinese text keeps to GB 2312's rows. Measured over real files:
// Simplified Chinese 80-100% in them, Traditional Chinese in GBK 73%,
// Latin-1 text of Debian packages 0%; three in five leaves room either side.
struct GbkPairs {
    size_t all = 0, inGb2312 = 0;

    void Count(unsigned char lead, unsigned char trail) {
        ++all;
        inGb2312 += InGb2312Rows(lead, trail);
    }
    bool LookChinese() const { return all > 0 && inGb2312 * 5 >= all * 3; }
};

// errno of the read that just failed; a reader that set none failed anyway.
int LastReadError() { return errno ? errno : EIO; }

// Runs the input through one decoding at a time, chunk by chunk, from its
// start (after a mark) again for each.
class Decoder {
public:
    enum class Status { Decoded, DoesNotFit, ReadFailed };

    explicit Decoder(InputSource& input) : input_(input) {}
    uint64_t InputSize() const { return input_.Size(); }
    size_t FailedAt() const { return failedAt_; }
    int ReadError() const { return readError_; }
    bool SawZeroByte() const { return sawZeroByte_; }
    // Of the last GBK pass.
    const GbkPairs& Pairs() const { return gbkPairs_; }

    // The first bytes, for a byte-order mark.
    std::optional<std::string> Peek(size_t count);
    // All of it in memory.
    std::optional<std::string_view> Whole();

    // decodeChunk(bytes, final, failedAt) decodes from the start of bytes:
    // how many it used, the rest waiting for more; nothing when a character
    // does not fit, at failedAt.
    template <typename DecodeChunk>
    Status Pass(size_t skip, DecodeChunk decodeChunk);

    Status DecodeAs(TextEncoding encoding, size_t skip, TextWriter& writer);

private:
    Status ReadFailure() {
        readError_ = LastReadError();
        return Status::ReadFailed;
    }

    InputSource& input_;
    std::unique_ptr<char[]> chunk_;
    std::unique_ptr<InputSource> whole_;  // a chunked input read into memory
    size_t failedAt_ = 0;
    int readError_ = 0;
    bool sawZeroByte_ = false;
    GbkPairs gbkPairs_;
};

std::optional<std::string> Decoder::Peek(size_t count) {
    if (const std::optional<std::string_view> whole = input_.Whole()) return std::string(whole->substr(0, count));
    std::string bytes(count, '\0');
    size_t filled = 0;
    if (!input_.Rewind()) return std::nullopt;
    for (long long n = 1; filled < count && n > 0; filled += static_cast<size_t>(n))
        if ((n = input_.Read(bytes.data() + filled, count - filled)) < 0) return std::nullopt;
    bytes.resize(filled);
    return bytes;
}

std::optional<std::string_view> Decoder::Whole() {
    if (const std::optional<std::string_view> whole = input_.Whole()) return whole;
    if (!input_.Rewind()) return std::nullopt;
    whole_ = ReadWhole([this](char* buffer, size_t size) { return input_.Read(buffer, size); });
    if (!whole_) return std::nullopt;
    return whole_->Whole();
}

template <typename DecodeChunk>
Decoder::Status Decoder::Pass(size_t skip, DecodeChunk decodeChunk) {
    sawZeroByte_ = false;
    size_t at = 0;
    if (const std::optional<std::string_view> whole = input_.Whole()) {
        const std::string_view bytes = whole->substr(std::min(skip, whole->size()));
        sawZeroByte_ = std::memchr(bytes.data(), 0, bytes.size()) != nullptr;
        if (decodeChunk(bytes, true, at)) return Status::Decoded;
        failedAt_ = skip + at;
        return Status::DoesNotFit;
    }
    if (!chunk_) chunk_.reset(new char[kChunkBytes]);
    if (!input_.Rewind()) return ReadFailure();
    size_t kept = 0;      // bytes at the chunk's start that wait for more
    uint64_t offset = 0;  // where the chunk starts in the input
    for (;;) {
        const long long count = input_.Read(chunk_.get() + kept, kChunkBytes - kept);
        if (count < 0) return ReadFailure();
        sawZeroByte_ = sawZeroByte_ || std::memchr(chunk_.get() + kept, 0, static_cast<size_t>(count));
        const size_t length = kept + static_cast<size_t>(count);
        const size_t start = offset < skip ? static_cast<size_t>(std::min<uint64_t>(skip - offset, length)) : 0;
        const std::string_view bytes(chunk_.get() + start, length - start);
        const bool final = count == 0;
        const std::optional<size_t> used = decodeChunk(bytes, final, at);
        if (!used) {
            failedAt_ = static_cast<size_t>(offset + start + at);
            return Status::DoesNotFit;
        }
        if (final) return Status::Decoded;
        kept = bytes.size() - *used;
        std::memmove(chunk_.get(), bytes.data() + *used, kept);
        offset += start + *used;
    }
}

Decoder::Status Decoder::DecodeAs(TextEncoding encoding, size_t skip, TextWriter& writer) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return Pass(skip, [&writer](std::string_view bytes, bool final, size_t& failedAt) {
                return DecodeBytes(bytes, final, writer, failedAt, DecodeUtf8Sequence);
            });
        case TextEncoding::Gbk:
            gbkPairs_ = {};
            return Pass(skip, [this, &writer](std::string_view bytes, bool final, size_t& failedAt) {
                return DecodeBytes(bytes, final, writer, failedAt, [this](std::string_view text, size_t& i) {
                    const size_t at = i;
                    const long code = DecodeGbkCharacter(text, i);
                    if (i - at == 2) gbkPairs_.Count(static_cast<unsigned char>(text[at]), static_cast<unsigned char>(text[at + 1]));
                    return code;
                });
            });
        case TextEncoding::Windows1252:
            return Pass(skip, [&writer](std::string_view bytes, bool final, size_t& failedAt) {
                return DecodeBytes(bytes, final, writer, failedAt, [](std::string_view text, size_t& i) -> long {
                    return Windows1252Unit(static_cast<unsigned char>(text[i++]));
                });
            });
        case TextEncoding::Latin1:
            return Pass(skip, [&writer](std::string_view bytes, bool final, size_t& failedAt) {
                return DecodeBytes(bytes, final, writer, failedAt, [](std::string_view text, size_t& i) -> long {
                    return static_cast<unsigned char>(text[i++]);
                });
            });
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be:
            return Pass(skip, [&writer, encoding](std::string_view bytes, bool final, size_t& failedAt) {
                return DecodeUtf16(bytes, encoding == TextEncoding::Utf16Be, final, writer, failedAt);
            });
        case TextEncoding::Platform: break;  // decoded as a whole by DecodeWithPlatformInto
    }
    return Status::DoesNotFit;
}

// Units the decoded text may need at most: two per unit of input, as a LF
// becomes CR LF. Of 8-bit text, that also leaves the room WidenPlainRun
// writes past a run: a run starts at most sixteen bytes before the end.
size_t WorstCaseUnits(TextEncoding encoding, uint64_t byteCount) {
    const uint64_t units = encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be ? byteCount : 2 * byteCount;
    if (units > SIZE_MAX / sizeof(char16_t) - 4) throw std::bad_alloc();
    return static_cast<size_t>(units);
}

bool StartsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

struct MarkedEncoding {
    TextEncoding encoding;
    size_t markLength;
};
std::optional<MarkedEncoding> ByteOrderMark(std::string_view bytes) {
    if (StartsWith(bytes, kUtf8Mark)) return MarkedEncoding{TextEncoding::Utf8, kUtf8Mark.size()};
    if (StartsWith(bytes, kUtf16LeMark)) return MarkedEncoding{TextEncoding::Utf16Le, kUtf16LeMark.size()};
    if (StartsWith(bytes, kUtf16BeMark)) return MarkedEncoding{TextEncoding::Utf16Be, kUtf16BeMark.size()};
    return std::nullopt;
}

void Finish(const Decoder& decoder, Decoder::Status status, TextWriter& writer, DecodedText& result) {
    switch (status) {
        case Decoder::Status::Decoded: writer.Finish(result); break;
        case Decoder::Status::DoesNotFit: result.failedAt = decoder.FailedAt(); break;
        case Decoder::Status::ReadFailed: result.readError = decoder.ReadError(); break;
    }
}

void DecodeByRule(Decoder& decoder, DecodedText& result) {
    result.chosenByRule = true;
    const std::optional<std::string> start = decoder.Peek(kUtf8Mark.size());
    if (!start) {
        result.readError = LastReadError();
        return;
    }
    const std::optional<MarkedEncoding> mark = ByteOrderMark(*start);
    result.encoding = mark ? mark->encoding : TextEncoding::Utf8;
    result.byteOrderMark = mark.has_value();
    TextWriter writer(WorstCaseUnits(result.encoding, decoder.InputSize()));
    Decoder::Status status = decoder.DecodeAs(result.encoding, mark ? mark->markLength : 0, writer);
    if (!mark) {
        // Text that is no UTF-8 is GBK when it reads as Chinese, else
        // Windows-1252, which every byte fits.
        for (TextEncoding fallback : {TextEncoding::Gbk, TextEncoding::Windows1252}) {
            if (status != Decoder::Status::DoesNotFit) break;
            result.encoding = fallback;
            writer.Restart();
            status = decoder.DecodeAs(fallback, 0, writer);
            if (fallback == TextEncoding::Gbk && status == Decoder::Status::Decoded && !decoder.Pairs().LookChinese())
                status = Decoder::Status::DoesNotFit;
        }
        // Zero bytes are rare in 8-bit text: only then is UTF-16 considered.
        ZeroBytes zeros;
        if (status == Decoder::Status::Decoded && decoder.SawZeroByte())
            status = decoder.Pass(0, [&zeros](std::string_view bytes, bool final, size_t&) {
                return CountZeroBytes(bytes, final, zeros);
            });
        if (const std::optional<TextEncoding> utf16 = Utf16ByZeroBytes(zeros); utf16 && status == Decoder::Status::Decoded) {
            result.encoding = *utf16;
            writer.Restart();
            status = decoder.DecodeAs(*utf16, 0, writer);
        }
    }
    Finish(decoder, status, writer, result);
}

// The platform's converter takes the whole input at once and may yield more
// units than bytes, so the text is sized from its result.
void DecodeWithPlatformInto(Decoder& decoder, const std::string& name, DecodedText& result) {
    const std::optional<std::string_view> bytes = decoder.Whole();
    if (!bytes) {
        result.readError = LastReadError();
        return;
    }
    const PlatformDecoded decoded = DecodeWithPlatform(name, *bytes);
    if (!decoded.text) {
        result.failedAt = decoded.failedAt;
        return;
    }
    WStringView text = *decoded.text;
    if (!text.empty() && text[0] == 0xFEFF) text.remove_prefix(1);
    TextWriter writer(2 * text.size());
    WriteUnits(text.size(), [text](size_t k) { return text[k]; }, writer);
    writer.Finish(result);
}

void DecodeNamed(Decoder& decoder, const NamedEncoding& named, DecodedText& result) {
    result.encoding = named.encoding;
    if (named.encoding == TextEncoding::Platform) return DecodeWithPlatformInto(decoder, named.platformName, result);
    const std::optional<std::string> start = decoder.Peek(kUtf8Mark.size());
    if (!start) {
        result.readError = LastReadError();
        return;
    }
    if (named.byteOrderMarkDecides && StartsWith(*start, kUtf16BeMark)) result.encoding = TextEncoding::Utf16Be;
    // A mark of the named encoding is no text.
    const std::optional<MarkedEncoding> mark = ByteOrderMark(*start);
    const size_t markLength = mark && mark->encoding == result.encoding ? mark->markLength : 0;
    TextWriter writer(WorstCaseUnits(result.encoding, decoder.InputSize()));
    Finish(decoder, decoder.DecodeAs(result.encoding, markLength, writer), writer, result);
}

struct PortableName {
    std::string_view key;  // lower case, without '-', '_' and blanks
    TextEncoding encoding;
    bool byteOrderMarkDecides;
};
constexpr PortableName kPortableNames[] = {
    {"utf8", TextEncoding::Utf8, false},          {"65001", TextEncoding::Utf8, false},
    {"utf16", TextEncoding::Utf16Le, true},       {"utf16le", TextEncoding::Utf16Le, false},
    {"1200", TextEncoding::Utf16Le, false},       {"utf16be", TextEncoding::Utf16Be, false},
    {"1201", TextEncoding::Utf16Be, false},       {"latin1", TextEncoding::Latin1, false},
    {"l1", TextEncoding::Latin1, false},          {"iso88591", TextEncoding::Latin1, false},
    {"28591", TextEncoding::Latin1, false},       {"windows1252", TextEncoding::Windows1252, false},
    {"cp1252", TextEncoding::Windows1252, false}, {"1252", TextEncoding::Windows1252, false},
    {"gbk", TextEncoding::Gbk, false},            {"cp936", TextEncoding::Gbk, false},
    {"ms936", TextEncoding::Gbk, false},          {"windows936", TextEncoding::Gbk, false},
    {"936", TextEncoding::Gbk, false},
};

std::string NameKey(WStringView name) {
    std::string key;
    for (char16_t c : name) {
        if (c == u'-' || c == u'_' || c == u' ') continue;
        if (c >= 0x80) return std::string();  // no encoding name has such a character
        key.push_back(static_cast<char>(AsciiLower(c)));
    }
    return key;
}

}  // namespace

std::optional<NamedEncoding> FindEncoding(WStringView name) {
    const std::string key = NameKey(name);
    for (const PortableName& portable : kPortableNames)
        if (portable.key == key)
            return NamedEncoding{portable.encoding, portable.byteOrderMarkDecides, {}, WideToUtf8(name)};
    std::optional<std::string> platformName = FindPlatformEncoding(name);
    if (!platformName) return std::nullopt;
    // A code page the platform names by number may be one decoded here.
    for (const PortableName& portable : kPortableNames)
        if (portable.key == *platformName)
            return NamedEncoding{portable.encoding, portable.byteOrderMarkDecides, {}, WideToUtf8(name)};
    return NamedEncoding{TextEncoding::Platform, false, std::move(*platformName), WideToUtf8(name)};
}

const char* EncodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8: return "UTF-8";
        case TextEncoding::Utf16Le: return "UTF-16LE";
        case TextEncoding::Utf16Be: return "UTF-16BE";
        case TextEncoding::Latin1: return "Latin-1";
        case TextEncoding::Windows1252: return "Windows-1252";
        case TextEncoding::Gbk: return "GBK";
        case TextEncoding::Platform: break;
    }
    return "the named encoding";
}

DecodedText DecodeCodeText(InputSource& input, const NamedEncoding* named) {
    DecodedText result;
    Decoder decoder(input);
    if (named)
        DecodeNamed(decoder, *named, result);
    else
        DecodeByRule(decoder, result);
    return result;
}

DecodedText DecodeCodeText(std::string_view bytes, const NamedEncoding* named) {
    MemoryInput input(bytes);
    return DecodeCodeText(input, named);
}
