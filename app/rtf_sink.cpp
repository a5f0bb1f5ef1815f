#include "app/rtf_sink.h"

#include <cstdlib>
#include <cstring>

using namespace std::string_view_literals;

// The most bytes one UTF-16 unit becomes: "\u-32768?", 9 bytes, as every unit
// from U+8000 to U+D8EF is written (CJK ideographs, Hangul, the first high
// surrogates). Every other unit takes at most 8 ("\u32767?", "\u-9999?"); a
// line end "\par " and a tab "\tab " take 5, an escaped "\\" 2.
static constexpr size_t kMaxBytesPerUnit = 9;
// The most bytes a change of colour and weight takes: "\cf256\b0 ".
static constexpr size_t kMaxFormatBytes = 16;

RtfSink::RtfSink(size_t reserveUnits, size_t paragraphsPerPiece, Reallocate reallocate)
    : reallocate_(reallocate), paragraphsPerPiece_(paragraphsPerPiece ? paragraphsPerPiece : 1) {
    if (reserveUnits) Reserve(reserveUnits + reserveUnits / 2);
}

RtfSink::~RtfSink() {
    std::free(body_);
    std::free(header_);
    std::free(pieceStarts_);
}

bool RtfSink::Reserve(size_t bytes) {
    if (failed_) return false;
    if (bytes <= capacity_ - size_) return true;
    size_t capacity = capacity_ ? capacity_ : 4096;
    while (capacity - size_ < bytes) {
        if (capacity > SIZE_MAX / 4) return failed_ = true, false;
        capacity *= 2;
    }
    auto* grown = static_cast<char*>(reallocate_(body_, capacity));
    if (!grown) return failed_ = true, false;
    body_ = grown;
    capacity_ = capacity;
    return true;
}

static char* WriteText(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

static char* WriteNumber(char* out, long value) {
    char digits[12];
    int count = 0;
    const bool negative = value < 0;
    unsigned long magnitude = negative ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (negative) *out++ = '-';
    while (count) *out++ = digits[--count];
    return out;
}

void RtfSink::Put(std::string_view text) { size_ = WriteText(body_ + size_, text) - body_; }

void RtfSink::PutNumber(long value) { size_ = WriteNumber(body_ + size_, value) - body_; }

int RtfSink::ColorIndex(ColorRef color) {
    if (runColor_ && colors_[runColor_ - 1] == color) return runColor_;
    for (int i = 0; i < colorCount_; ++i)
        if (colors_[i] == color) return i + 1;
    // A theme has a handful of colours; past the table's room the last entry
    // is reused rather than the text lost.
    if (colorCount_ == kMaxColors) return kMaxColors;
    colors_[colorCount_++] = color;
    return colorCount_;
}

void RtfSink::PutFormat(int colorIndex, bool bold) {
    if (colorIndex != runColor_) {
        Put("\\cf"sv);
        PutNumber(colorIndex);
    }
    if (bold != runBold_ || !runColor_) Put(bold ? "\\b"sv : "\\b0"sv);
    body_[size_++] = ' ';
    runColor_ = colorIndex;
    runBold_ = bold;
}

void RtfSink::Append(const char16_t* text, size_t length, ColorRef color, bool bold) {
    if (length == 0 || failed_) return;
    if (length > (SIZE_MAX - kMaxFormatBytes) / kMaxBytesPerUnit ||
        !Reserve(kMaxFormatBytes + length * kMaxBytesPerUnit))
        return;
    const int colorIndex = ColorIndex(color);
    if (colorIndex != runColor_ || bold != runBold_) PutFormat(colorIndex, bold);

    const char16_t* const end = text + length;
    for (const char16_t* p = text; p < end; ++p) {
        const char16_t c = *p;
        endsWithBreak_ = false;
        if (c >= 0x20 && c < 0x7F) {
            if (c == u'\\' || c == u'{' || c == u'}') body_[size_++] = '\\';
            body_[size_++] = static_cast<char>(c);
        } else if (c == u'\r' && p + 2 < end && p[1] == u'\r' && p[2] == u'\n') {
            // The soft line break of EM_FMTLINES: an inserted CR CR LF
            // becomes a blank in the pane, not a paragraph.
            body_[size_++] = ' ';
            p += 2;
        } else if (c == u'\r' || c == u'\n') {
            // One paragraph for CR LF, a lone CR or a lone LF, as an insertion
            // of the chunk on its own would make.
            if (c == u'\r' && p + 1 < end && p[1] == u'\n') ++p;
            Put("\\par "sv);
            endsWithBreak_ = true;
            if (++paragraphsInPiece_ == paragraphsPerPiece_ && !MarkPieceStart()) return;
        } else if (c == u'\t') {
            Put("\\tab "sv);
        } else {
            // \uN takes a signed 16-bit number; the '?' is what a reader
            // without Unicode shows and \uc1 skips.
            Put("\\u"sv);
            PutNumber(static_cast<int16_t>(c));
            body_[size_++] = '?';
        }
    }
}

bool RtfSink::MarkPieceStart() {
    paragraphsInPiece_ = 0;
    if (pieceStartCount_ == pieceStartCapacity_) {
        const size_t capacity = pieceStartCapacity_ ? 2 * pieceStartCapacity_ : 16;
        auto* grown = static_cast<PieceStart*>(reallocate_(pieceStarts_, capacity * sizeof(PieceStart)));
        if (!grown) return failed_ = true, false;
        pieceStarts_ = grown;
        pieceStartCapacity_ = capacity;
    }
    pieceStarts_[pieceStartCount_++] = {size_, runColor_, runBold_};
    return true;
}

RtfSink::Piece RtfSink::Document::PieceAt(size_t i) const {
    Piece piece = {};
    const size_t begin = i ? pieceStarts[i - 1].offset : 0;
    piece.last = i >= pieceStartCount;
    const size_t end = piece.last ? body.size() : pieceStarts[i].offset;
    piece.body = body.substr(begin, end - begin);
    if (i) {
        char* out = WriteNumber(WriteText(piece.formatBuffer, "\\cf"sv), pieceStarts[i - 1].colorIndex);
        out = WriteText(out, pieceStarts[i - 1].bold ? "\\b "sv : "\\b0 "sv);
        piece.format = std::string_view(piece.formatBuffer, out - piece.formatBuffer);
    }
    return piece;
}

RtfSink::Document RtfSink::Finish() {
    if (failed_) return {};
    std::free(header_);
    // "{\rtf1\ansi\uc1{\colortbl ;" and "}" take 27 bytes, "\redR\greenG\blueB;" at most 25.
    header_ = static_cast<char*>(reallocate_(nullptr, 32 + static_cast<size_t>(colorCount_) * 32));
    if (!header_) {
        failed_ = true;
        return {};
    }
    char* out = WriteText(header_, "{\\rtf1\\ansi\\uc1{\\colortbl ;"sv);
    for (int i = 0; i < colorCount_; ++i) {
        out = WriteNumber(WriteText(out, "\\red"sv), colors_[i] & 0xFF);
        out = WriteNumber(WriteText(out, "\\green"sv), colors_[i] >> 8 & 0xFF);
        out = WriteNumber(WriteText(out, "\\blue"sv), colors_[i] >> 16 & 0xFF);
        *out++ = ';';
    }
    *out++ = '}';
    headerSize_ = out - header_;
    // A break at the very end starts no piece: the last one would be empty.
    size_t pieceStarts = pieceStartCount_;
    if (pieceStarts && pieceStarts_[pieceStarts - 1].offset == size_) --pieceStarts;
    return {std::string_view(header_, headerSize_), std::string_view(body_ ? body_ : "", size_), "}"sv,
            endsWithBreak_, pieceStarts_, pieceStarts};
}
