// The command line's text edges: any input bytes either decode or are refused,
// decoded text has only CR LF line ends, and UTF-8 output split at any point
// is valid UTF-8.
#include "cli/code_text.h"
#include "cli/utf8_sink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<CodeText> code = DecodeCodeText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!code) return 0;
    const WStringView text = code->View();
    for (size_t i = 0; i < text.size(); ++i) {
        const bool lineEndOk = text[i] == u'\r' ? i + 1 < text.size() && text[i + 1] == u'\n'
                                                : text[i] != u'\n' || (i > 0 && text[i - 1] == u'\r');
        if (!lineEndOk) __builtin_trap();
    }
    Utf8Sink sink;
    const size_t step = size ? data[0] % 7 + 1 : 1;
    for (size_t i = 0; i < text.size(); i += step) sink.Append(text.data() + i, std::min(step, text.size() - i), 0, false);
    if (!IsValidUtf8(sink.Finish())) __builtin_trap();
    return 0;
}
