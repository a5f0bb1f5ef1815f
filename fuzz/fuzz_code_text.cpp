// The command line's text edges: any input bytes either decode or are refused
// at an offset inside them, read whole or in pieces alike; decoded text has
// only CR LF line ends and no control character but tab and form feed, with
// a NUL on either side; UTF-8 output
// split at any point is valid UTF-8.
#include "cli/utf8_sink.h"
#include "config/code_text.h"
#include "tests/support/piece_input.h"

namespace {

const char16_t* const kEncodings[] = {nullptr, u"utf-8", u"utf-16le", u"utf-16be", u"utf-16", u"gbk", u"latin1",
                                      u"windows-1252"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const char16_t* encodingName = kEncodings[data[0] % (sizeof kEncodings / sizeof kEncodings[0])];
    const size_t step = data[1] % 7 + 1;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::optional<NamedEncoding> named = encodingName ? FindEncoding(encodingName) : std::nullopt;
    const DecodedText whole = DecodeCodeText(bytes, named ? &*named : nullptr);
    PieceInput input(bytes, step);
    const DecodedText pieces = DecodeCodeText(input, named ? &*named : nullptr);
    if (whole.text.has_value() != pieces.text.has_value() || whole.encoding != pieces.encoding) __builtin_trap();
    if (!whole.text) {
        if (whole.failedAt >= bytes.size() || pieces.failedAt != whole.failedAt) __builtin_trap();
        return 0;
    }
    const WStringView text = whole.text->View();
    if (text != pieces.text->View() || text.data()[-1] != 0 || text.data()[text.size()] != 0) __builtin_trap();
    for (size_t i = 0; i < text.size(); ++i) {
        const bool lineEndOk = text[i] == u'\r' ? i + 1 < text.size() && text[i + 1] == u'\n'
                                                : text[i] != u'\n' || (i > 0 && text[i - 1] == u'\r');
        const bool control = (text[i] < 0x20 && text[i] != u'\t' && text[i] != u'\f' && text[i] != u'\r' &&
                              text[i] != u'\n') ||
                             text[i] == 0x7F;
        if (!lineEndOk || control) __builtin_trap();
    }
    Utf8Sink sink;
    for (size_t i = 0; i < text.size(); i += step) sink.Append(text.data() + i, std::min(step, text.size() - i), 0, false);
    if (!IsValidUtf8(sink.Finish())) __builtin_trap();
    return 0;
}
