#include "cli/conversion.h"

#include <cerrno>
#include <cstring>
#include "base/input_file.h"
#include "cli/output_file.h"
#include "cli/path_text.h"
#include "cli/utf8_sink.h"
#include "engine/convert.h"

namespace {

constexpr auto kProgressDelay = std::chrono::seconds(1);
constexpr auto kProgressInterval = std::chrono::milliseconds(100);
constexpr int kProgressWidth = 60;

std::string Plural(size_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace

Reporter::Reporter(FILE* stream)
    : stream_(stream), terminal_(IsTerminal(stream)), start_(std::chrono::steady_clock::now()) {}

void Reporter::Line(const std::string& subject, const std::string& message) { Line(subject + ": " + message); }

void Reporter::Line(const std::string& message) {
    EndProgress();
    std::fprintf(stream_, "lumatype-cli: %s\n", message.c_str());
}

void Reporter::Progress(size_t done, size_t total) {
    const auto now = std::chrono::steady_clock::now();
    if (!terminal_ || now - start_ < kProgressDelay || (progressShown_ && now - lastProgress_ < kProgressInterval))
        return;
    lastProgress_ = now;
    progressShown_ = true;
    std::fprintf(stream_, "\rlumatype-cli: %zu of %zu files", done, total);
    std::fflush(stream_);
}

void Reporter::EndProgress() {
    if (!progressShown_) return;
    progressShown_ = false;
    std::fprintf(stream_, "\r%*s\r", kProgressWidth, "");
}

WString PageHead(WStringView title) {
    WString escaped;
    for (char16_t c : title) {
        switch (c) {
            case u'&': escaped += u"&amp;"; break;
            case u'<': escaped += u"&lt;"; break;
            case u'>': escaped += u"&gt;"; break;
            case u'"': escaped += u"&quot;"; break;
            default: escaped += c;
        }
    }
    return u"<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title>" + escaped +
           u"</title>\r\n</head>\r\n<body>\r\n";
}

const char16_t kPageTail[] = u"</body>\r\n</html>\r\n";

Outcome Converter::Convert(const Source& source, const CliLanguage* language, const Destination& destination) {
    std::string error;
    std::unique_ptr<InputSource> input = source.path ? OpenInputFile(*source.path, error) : ReadWholeStream(input_);
    if (!input) {
        reporter_.Line(source.name, "cannot read: " + (error.empty() ? std::string(std::strerror(errno)) : error));
        return Outcome::Failed;
    }
    const DecodedText decoded = DecodeCodeText(*input, setup_.encoding ? &*setup_.encoding : nullptr);
    input.reset();  // the input is not needed beside its text
    ReportDecoding(source, decoded);
    if (!decoded.text) return Outcome::Failed;
    const WStringView code = decoded.text->View();
    if (code.empty()) {
        reporter_.Line(source.name, "nothing to convert");
        return Outcome::NothingToConvert;
    }
    if (!language) language = ChooseLanguage(source, code);
    if (!language) return Outcome::Failed;
    if (!CliConfig::Parse(*language))
        reporter_.Line(source.name, "cannot read the definition of " + WideToUtf8(language->info->name) +
                                        "; converted without its rules");
    return Write(source, *language, *decoded.text, destination) ? Outcome::Converted : Outcome::Failed;
}

void Converter::ReportDecoding(const Source& source, const DecodedText& decoded) {
    const std::string encoding =
        decoded.encoding == TextEncoding::Platform ? setup_.encoding->givenName : EncodingName(decoded.encoding);
    if (decoded.readError) {
        reporter_.Line(source.name, std::string("cannot read: ") + std::strerror(decoded.readError));
        return;
    }
    if (!decoded.text) {
        reporter_.Line(source.name, "not valid " + encoding + " at byte " + std::to_string(decoded.failedAt));
        return;
    }
    if (decoded.chosenByRule && decoded.encoding != TextEncoding::Utf8) {
        const char* why = decoded.byteOrderMark                          ? "by its byte-order mark"
                          : decoded.encoding == TextEncoding::Gbk         ? "as it is not UTF-8 and reads as Chinese"
                          : decoded.encoding == TextEncoding::Windows1252 ? "as it is neither UTF-8 nor Chinese GBK"
                                                                          : "by its zero bytes";
        reporter_.Line(source.name, "read as " + encoding + ", " + why);
    }
    if (decoded.controlCount)
        reporter_.Line(source.name, Plural(decoded.controlCount, "control character") +
                                        " (NUL, ESC and the like) kept as U+FFFD, the first on line " +
                                        std::to_string(decoded.firstControlLine));
}

const CliLanguage* Converter::ChooseLanguage(const Source& source, WStringView code) {
    const CliConfig& config = *setup_.config;
    if (const CliLanguage* language = config.ForInput(source.path ? &*source.path : nullptr, code)) return language;
    const std::string notTold = "language not told by " + std::string(source.path ? "its extension or " : "") +
                                "its first line";
    if (!source.takesDefaultLanguage) {
        reporter_.Line(source.name, "not converted: " + notTold + " (give --lang)");
        return nullptr;
    }
    const CliLanguage* fallback = config.Default();
    reporter_.Line(source.name, notTold + "; converted as " + WideToUtf8(fallback->info->name) + ", the default");
    return fallback;
}

bool Converter::Write(const Source& source, const CliLanguage& language, const CodeText& code,
                      const Destination& destination) {
    std::string error;
    std::unique_ptr<OutputFile> file;
    if (destination.file) {
        file = OutputFile::Open(*destination.file, error);
        if (!file) {
            reporter_.Line(ShownPath(*destination.file), "cannot write: " + error);
            return false;
        }
    }
    const std::string outputName = destination.file ? ShownPath(*destination.file) : "standard output";
    Utf8Sink sink(file ? file->Stream() : output_);
    if (setup_.fullPage) {
        const WString head = PageHead(source.path ? PathText(source.path->filename()) : u"standard input");
        sink.Append(head.data(), head.size(), 0, false);
    }
    errno = 0;
    const ConvertResult result = ConvertPaddedCode(setup_.config->Settings(), setup_.theme, language.info,
                                                   {code.View().data(), code.View().size(), code.Lines()},
                                                   setup_.lineNumbers, setup_.startLine,
                                                   sink);
    if (setup_.fullPage) sink.Append(kPageTail, WideLength(kPageTail), 0, false);
    sink.Finish();
    if (result == ConvertResult::TextBufferFailed || result == ConvertResult::TableFailed) {
        reporter_.Line(source.name, "out of memory");
        return false;
    }
    if (sink.Failed()) {
        reporter_.Line(outputName, std::string("cannot write") + (errno ? std::string(": ") + std::strerror(errno) : ""));
        return false;
    }
    const bool done = file ? file->Commit(error) : std::fflush(output_) == 0;
    if (!done) reporter_.Line(outputName, "cannot write: " + (error.empty() ? std::string(std::strerror(errno)) : error));
    return done;
}
