// The RTF sink against a reader of what it writes: random chunks in random
// colours and weights, the document read back piece by piece as the pane
// takes it, must give the chunks' text (a line end as a paragraph, the soft
// break CR CR LF as a blank, each within its chunk) with every character in
// its chunk's colour and weight. A sink whose memory runs out at any request
// gives an empty document. Long runs of one unit test the reservation.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/rtf_sink.h"

namespace {

constexpr int32_t kParagraph = -1;  // a paragraph mark, in place of a unit

struct Character {
    int32_t unit;  // a UTF-16 unit or kParagraph
    uint32_t rgb;  // 0xBBGGRR
    bool bold;
    bool operator==(const Character& other) const {
        return unit == other.unit && rgb == other.rgb && bold == other.bold;
    }
};

// Reads the RTF the sink writes as a rich edit control reads it: groups keep
// the format, \cf picks from the colour table, \uN is a unit followed by one
// fallback character (\uc1), \'hh a byte, \par a paragraph, \tab a tab; line
// ends in the RTF itself mean nothing. Anything else is a fault of the sink.
class RtfReader {
public:
    // Reads one more stretch of the document (the state carries over, so a
    // reader that has read the header can be copied for every piece);
    // false when it is not well-formed.
    bool Feed(std::string_view rtf, std::vector<Character>& out) {
        rtf_ = rtf;
        i_ = 0;
        while (i_ < rtf_.size()) {
            if (closed_) return false;  // nothing after the document
            const char c = rtf_[i_++];
            if (c == '{') {
                groups_.push_back(format_);
            } else if (c == '}') {
                if (groups_.empty()) return false;
                format_ = groups_.back();
                groups_.pop_back();
                if (groups_.size() < colorTableDepth_) colorTableDepth_ = 0;
                closed_ = groups_.empty();
            } else if (c == '\r' || c == '\n') {
            } else if (colorTableDepth_) {
                if (c == ';') {
                    colors_.push_back(pendingColor_);
                    pendingColor_ = 0;
                } else if (c != '\\' || !ReadColorComponent(pendingColor_)) {
                    return false;
                }
            } else if (groups_.empty()) {
                return false;  // text outside the document
            } else if (c == '\\') {
                if (!ReadControl(format_, groups_.size(), colorTableDepth_, out)) return false;
            } else if (static_cast<unsigned char>(c) >= 0x80) {
                return false;  // the sink writes 7-bit RTF only
            } else if (!Emit(c, format_, out)) {
                return false;
            }
        }
        return true;
    }

    // Whether the document's outermost group has been closed.
    bool Closed() const { return closed_; }

private:
    struct Format {
        int color = 0;  // 0: auto, which no text of the sink is in
        bool bold = false;
    };

    bool IsLetter(char c) const { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    // A control word after its backslash: its letters, its number, and the
    // blank that may end it.
    bool ReadWord(std::string_view& word, long& number, bool& hasNumber) {
        const size_t start = i_;
        while (i_ < rtf_.size() && IsLetter(rtf_[i_])) ++i_;
        word = rtf_.substr(start, i_ - start);
        const bool negative = i_ < rtf_.size() && rtf_[i_] == '-';
        if (negative) ++i_;
        hasNumber = false;
        number = 0;
        while (i_ < rtf_.size() && rtf_[i_] >= '0' && rtf_[i_] <= '9') {
            number = number * 10 + (rtf_[i_++] - '0');
            if (number > 1000000) return false;
            hasNumber = true;
        }
        if (negative && !hasNumber) return false;
        if (negative) number = -number;
        if (i_ < rtf_.size() && rtf_[i_] == ' ') ++i_;
        return !word.empty();
    }

    bool ReadColorComponent(uint32_t& color) {
        std::string_view word;
        long number;
        bool hasNumber;
        if (!ReadWord(word, number, hasNumber) || !hasNumber || number < 0 || number > 255) return false;
        const int shift = word == "red" ? 0 : word == "green" ? 8 : word == "blue" ? 16 : -1;
        if (shift < 0) return false;
        color |= static_cast<uint32_t>(number) << shift;
        return true;
    }

    bool ReadControl(Format& format, size_t depth, size_t& colorTableDepth, std::vector<Character>& out) {
        if (i_ >= rtf_.size()) return false;
        const char symbol = rtf_[i_];
        if (symbol == '\\' || symbol == '{' || symbol == '}') {
            ++i_;
            return Emit(symbol, format, out);
        }
        if (symbol == '\'') {
            int byte;
            return ReadHexByte(byte) && Emit(byte, format, out);
        }
        std::string_view word;
        long number;
        bool hasNumber;
        if (!ReadWord(word, number, hasNumber)) return false;
        if (word == "rtf" || word == "ansi") return true;
        if (word == "uc") return hasNumber && number == 1;
        if (word == "colortbl") {
            colorTableDepth = depth;
            return true;
        }
        if (word == "par") return Emit(kParagraph, format, out);
        if (word == "tab") return Emit(u'\t', format, out);
        if (word == "cf") {
            format.color = static_cast<int>(number);
            return hasNumber && number >= 0 && static_cast<size_t>(number) < colors_.size();
        }
        if (word == "b") {
            format.bold = !hasNumber || number != 0;
            return true;
        }
        if (word == "u") {
            if (!hasNumber || number < -32768 || number > 32767 || !Emit(number & 0xFFFF, format, out)) return false;
            return SkipFallback();
        }
        return false;
    }

    // The two hex digits after \' (the quote not yet read).
    bool ReadHexByte(int& byte) {
        if (i_ + 3 > rtf_.size()) return false;
        byte = 0;
        for (size_t k = i_ + 1; k < i_ + 3; ++k) {
            const char h = rtf_[k];
            const int digit = h >= '0' && h <= '9' ? h - '0' : h >= 'a' && h <= 'f' ? h - 'a' + 10 : -1;
            if (digit < 0) return false;
            byte = byte * 16 + digit;
        }
        i_ += 3;
        return true;
    }

    // \uc1: the one character after \uN is for readers without Unicode.
    bool SkipFallback() {
        if (i_ >= rtf_.size()) return false;
        if (rtf_[i_] == '\\') {
            int byte;
            ++i_;
            return i_ < rtf_.size() && rtf_[i_] == '\'' && ReadHexByte(byte);
        }
        if (rtf_[i_] == '{' || rtf_[i_] == '}') return false;
        ++i_;
        return true;
    }

    bool Emit(int32_t unit, const Format& format, std::vector<Character>& out) {
        if (format.color <= 0 || static_cast<size_t>(format.color) >= colors_.size()) return false;
        out.push_back({unit, colors_[format.color], format.bold});
        return true;
    }

    std::string_view rtf_;  // the stretch being read
    size_t i_ = 0;
    std::vector<Format> groups_;
    Format format_;
    size_t colorTableDepth_ = 0;  // the group depth of \colortbl, 0 outside it
    uint32_t pendingColor_ = 0;
    bool closed_ = false;
    std::vector<uint32_t> colors_;  // entry 0 is "auto", the empty one before the first ';'
};

// What the pane shows for a chunk: a CR CR LF (EM_FMTLINES' soft break) is a
// blank, CR LF, a lone CR and a lone LF are paragraphs; the chunk's edges
// break the patterns, as inserting it on its own would.
void AppendExpected(const std::u16string& text, uint32_t rgb, bool bold, std::vector<Character>& out) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' && i + 2 < text.size() && text[i + 1] == u'\r' && text[i + 2] == u'\n') {
            out.push_back({u' ', rgb, bold});
            i += 2;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            out.push_back({kParagraph, rgb, bold});
        } else {
            out.push_back({c, rgb, bold});
        }
    }
}

char16_t ConsumeUnit(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 7)) {
    case 0: return u"\\{}\r\n\t?"[input.ConsumeIntegralInRange(0, 6)];
    case 1: return input.ConsumeIntegralInRange<char16_t>(0x20, 0x7E);
    case 2: return input.ConsumeIntegralInRange<char16_t>(0x7F, 0xFF);
    case 3: return input.ConsumeIntegralInRange<char16_t>(0x8000, 0xD8EF);  // the longest form
    case 4: return input.ConsumeIntegralInRange<char16_t>(0xD800, 0xDFFF);
    case 5: return input.ConsumeIntegralInRange<char16_t>(0, 0x1F);
    default: return input.ConsumeIntegral<char16_t>();
    }
}

std::u16string ConsumeChunkText(FuzzedDataProvider& input) {
    std::u16string text;
    const int runs = input.ConsumeIntegralInRange(0, 8);
    for (int r = 0; r < runs; ++r) {
        const char16_t unit = ConsumeUnit(input);
        // Mostly a few units; now and then a run long enough to fill blocks.
        const size_t length = input.ConsumeIntegralInRange(0, 7) ? input.ConsumeIntegralInRange<size_t>(1, 4)
                                                                 : input.ConsumeIntegralInRange<size_t>(1, 1200);
        text.append(length, unit);
    }
    return text;
}

ColorRef ConsumeColor(FuzzedDataProvider& input) {
    // A few colours most of the time, so runs join; any colour now and then,
    // past the table's 256 entries.
    const uint32_t raw = input.ConsumeIntegral<uint32_t>();
    return raw & 1 ? (raw >> 1) % 5 * 0x334455 : (raw >> 1) & 0xFFFFFF;
}

// Memory that runs out after a number of requests; negative: never.
int requestsLeft = -1;
void* ScarceMemory(void* block, size_t bytes) {
    if (requestsLeft == 0) return nullptr;
    if (requestsLeft > 0) --requestsLeft;
    return std::realloc(block, bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const size_t reserveUnits = input.ConsumeIntegralInRange<size_t>(0, 3000);
    const size_t paragraphsPerPiece = input.ConsumeIntegralInRange<size_t>(0, 4);
    requestsLeft = input.ConsumeIntegralInRange(0, 7) == 0 ? input.ConsumeIntegralInRange(0, 6) : -1;
    RtfSink sink(reserveUnits, paragraphsPerPiece ? paragraphsPerPiece : RtfSink::kParagraphsPerPiece, ScarceMemory);

    std::vector<Character> expected;
    std::vector<ColorRef> table;  // the sink's colour table: 256 entries, the last reused past them
    bool endsWithBreak = false;
    // Enough units to grow the body several times, few enough for speed.
    size_t units = 0;
    while (input.remaining_bytes() > 0 && units < 4096) {
        const ColorRef color = ConsumeColor(input);
        const bool bold = input.ConsumeBool();
        const std::u16string text = ConsumeChunkText(input);
        sink.Append(text.data(), text.size(), color, bold);
        units += text.size();
        size_t entry = 0;
        while (entry < table.size() && table[entry] != color) ++entry;
        if (entry == table.size() && table.size() < 256) table.push_back(color);
        const uint32_t rgb = table[entry < table.size() ? entry : 255] & 0xFFFFFF;
        const size_t before = expected.size();
        AppendExpected(text, rgb, bold, expected);
        if (expected.size() != before) endsWithBreak = expected.back().unit == kParagraph;
    }

    const RtfSink::Document document = sink.Finish();
    if (sink.Failed()) {
        if (!document.header.empty() || !document.body.empty() || document.PieceCount() != 1) __builtin_trap();
        return 0;
    }
    if (document.endsWithBreak != endsWithBreak) __builtin_trap();
    const size_t perPiece = paragraphsPerPiece ? paragraphsPerPiece : RtfSink::kParagraphsPerPiece;
    std::vector<Character> read;
    // The header (the colour table) is read once; each piece goes on from it.
    RtfReader header;
    if (!header.Feed(document.header, read) || !read.empty() || header.Closed()) __builtin_trap();
    std::string bodies;
    for (size_t i = 0; i < document.PieceCount(); ++i) {
        const RtfSink::Piece piece = document.PieceAt(i);
        if (piece.last != (i + 1 == document.PieceCount()) || piece.format.empty() != (i == 0)) __builtin_trap();
        bodies += piece.body;
        const size_t before = read.size();
        RtfReader reader = header;
        if (!reader.Feed(piece.format, read) || !reader.Feed(piece.body, read) ||
            !reader.Feed(document.closing, read) || !reader.Closed())
            __builtin_trap();
        // Each piece but the last ends after its share of paragraphs.
        size_t paragraphs = 0;
        for (size_t k = before; k < read.size(); ++k) paragraphs += read[k].unit == kParagraph;
        const bool full = paragraphs == perPiece && read.size() > before && read.back().unit == kParagraph;
        if (piece.last ? paragraphs > perPiece : !full) __builtin_trap();
    }
    if (bodies != document.body || read != expected) __builtin_trap();
    return 0;
}
