#include "tests/corpus/round_trip.h"

#include <algorithm>
#include <filesystem>
#include "base/file_io.h"
#include "base/module_path.h"
#include "cli/utf8_sink.h"
#include "config/code_text.h"
#include "engine/convert.h"

namespace {

// The one place this code depends on how the command line decodes its input:
// the text it would convert, or nothing when it refuses the bytes.
std::optional<WString> DecodeAsCommandLine(std::string_view bytes) {
    const DecodedText decoded = DecodeCodeText(bytes);
    if (!decoded.text) return std::nullopt;
    return WString(decoded.text->View());
}

// The lines the code cell must show: CR LF, CR and LF all end a line, tabs
// become blanks, and the empty lines at the end are not converted.
std::vector<std::string> ExpectedLines(WStringView code, TabRule tabs) {
    const std::string text = WideToUtf8(code);
    std::vector<std::string> lines(1);
    int column = 0;  // characters, not bytes
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.emplace_back();
            column = 0;
        } else if (c == '\t') {
            const int blanks = tabs.stops ? tabs.width - column % tabs.width : tabs.width;
            lines.back().append(static_cast<size_t>(blanks), ' ');
            column += blanks;
        } else {
            lines.back() += c;
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++column;
        }
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

constexpr std::string_view kLineBreak = "<br/>";

// What a browser shows of the cell's HTML, a line break for each <br/>.
// Line ends in the HTML source are no line breaks to a browser: they are
// dropped, so a line end that slipped into the code text shows as two lines
// glued together.
std::string RenderCell(std::string_view cell, size_t& breaks) {
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"&nbsp;", ' '}, {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}};
    std::string shown;
    breaks = 0;
    for (size_t i = 0; i < cell.size(); ++i) {
        const std::string_view rest = cell.substr(i);
        if (rest[0] == '<') {
            const size_t end = rest.find('>');
            if (end == std::string_view::npos) {  // no tag: shown as it stands
                shown += rest;
                break;
            }
            if (rest.substr(0, end + 1) == kLineBreak) shown += '\n', ++breaks;
            i += end;
            continue;
        }
        if (rest[0] == '\r' || rest[0] == '\n') continue;
        const auto* entity = std::end(kEntities);
        if (rest[0] == '&')
            entity = std::find_if(std::begin(kEntities), std::end(kEntities),
                                  [&](const auto& e) { return rest.substr(0, e.first.size()) == e.first; });
        if (entity == std::end(kEntities)) {
            shown += rest[0];
        } else {
            shown += entity->second;
            i += entity->first.size() - 1;
        }
    }
    return shown;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

// The contents of every td element, in order.
std::vector<std::string_view> TableCells(std::string_view html) {
    std::vector<std::string_view> cells;
    for (size_t at = html.find("<td"); at != std::string_view::npos; at = html.find("<td", at)) {
        const size_t open = html.find('>', at);
        const size_t close = open == std::string_view::npos ? open : html.find("</td>", open);
        if (close == std::string_view::npos) break;
        cells.push_back(html.substr(open + 1, close - open - 1));
        at = close;
    }
    return cells;
}

// With line numbers the table has one cell in each border row and nine in
// the row between them: border, spacer, numbers, spacer, border, spacer,
// code, spacer, border.
constexpr size_t kTableCells = 11;
constexpr size_t kNumberCell = 3;
constexpr size_t kCodeCell = 7;

// How many numbers the column counts from 1, or a fault.
std::optional<std::string> CountNumbers(std::string_view cell, size_t& count) {
    std::string numbers;
    std::copy_if(cell.begin(), cell.end(), std::back_inserter(numbers), [](char c) { return c != '\r' && c != '\n'; });
    count = 0;
    if (numbers.empty()) return std::nullopt;
    for (size_t start = 0;; start += kLineBreak.size()) {
        const size_t end = std::min(numbers.find(kLineBreak, start), numbers.size());
        const std::string number = numbers.substr(start, end - start);
        if (number != std::to_string(++count))
            return "the number column reads \"" + number + "\" where " + std::to_string(count) + " belongs";
        if (end == numbers.size()) return std::nullopt;
        start = end;
    }
}

// A piece of a long line around byte `at`, cut at character boundaries.
std::string Excerpt(const std::string& line, size_t at) {
    constexpr size_t kBefore = 30, kLength = 90;
    auto isContinuation = [&](size_t i) {
        return i < line.size() && (static_cast<unsigned char>(line[i]) & 0xC0) == 0x80;
    };
    size_t start = at > kBefore ? at - kBefore : 0;
    while (isContinuation(start)) --start;
    size_t end = std::min(line.size(), start + kLength);
    while (isContinuation(end)) --end;
    return (start > 0 ? "..." : "") + line.substr(start, end - start) + (end < line.size() ? "..." : "");
}

std::string LineDifference(const std::vector<std::string>& expected, const std::vector<std::string>& shown) {
    const size_t common = std::min(expected.size(), shown.size());
    size_t line = 0;
    while (line < common && expected[line] == shown[line]) ++line;
    if (line == common) {
        if (expected.size() == shown.size()) return {};
        return "the code cell shows " + std::to_string(shown.size()) + " lines for the file's " +
               std::to_string(expected.size());
    }
    const std::string& want = expected[line];
    const std::string& got = shown[line];
    const size_t column = static_cast<size_t>(std::mismatch(want.begin(), want.end(), got.begin(), got.end()).first -
                                              want.begin());
    return "line " + std::to_string(line + 1) + " shows \"" + Excerpt(got, column) + "\" where the file has \"" +
           Excerpt(want, column) + "\"";
}

}  // namespace

TabRule TabRuleOf(const AppSettings& settings) {
    // The settings know two widths; any other value reads as four.
    return {settings.tabToSpaces == 2 ? 2 : 4, settings.tabStops};
}

std::optional<std::string> FindRoundTripFault(WStringView code, std::string_view html, TabRule tabs) {
    const std::vector<std::string> expected = ExpectedLines(code, tabs);
    if (html.empty()) {
        if (expected.empty()) return std::nullopt;
        return "no HTML for " + std::to_string(expected.size()) + " lines";
    }
    const std::vector<std::string_view> cells = TableCells(html);
    if (cells.size() != kTableCells)
        return "the table has " + std::to_string(cells.size()) + " cells, not " + std::to_string(kTableCells);

    std::vector<std::string> faults;
    size_t numbers = 0;
    if (std::optional<std::string> fault = CountNumbers(cells[kNumberCell], numbers)) faults.push_back(*fault);
    if (numbers != expected.size())
        faults.push_back(std::to_string(numbers) + " line numbers for " + std::to_string(expected.size()) + " lines");
    size_t breaks = 0;
    const std::vector<std::string> shown = SplitLines(RenderCell(cells[kCodeCell], breaks));
    if (breaks + 1 != std::max<size_t>(numbers, 1))
        faults.push_back(std::to_string(breaks) + " <br/> in the code cell for " + std::to_string(numbers) +
                         " line numbers");
    if (std::string difference = LineDifference(expected, shown); !difference.empty()) faults.push_back(difference);
    if (faults.empty()) return std::nullopt;
    std::string joined = faults.front();
    for (size_t i = 1; i < faults.size(); ++i) joined += "; " + faults[i];
    return joined;
}

bool RoundTripChecker::Load() {
    char16_t path[kMaxPath];
    if (!ModulePath(path, u"Lumatype.ini") || !config_.Load(path)) return false;
    for (const CliLanguage& language : config_.Languages()) CliConfig::Parse(language);
    theme_ = config_.LoadTheme(config_.DefaultTheme());
    tabs_ = TabRuleOf(config_.Settings());
    return true;
}

RoundTripResult RoundTripChecker::Check(const std::string& path, const CliLanguage* language) const {
    const WString widePath = Utf8ToWide(path);
    const std::optional<std::string> bytes = ReadFileBytes(widePath);
    if (!bytes) return {RoundTripOutcome::Skipped, {}};
    const std::optional<WString> code = DecodeAsCommandLine(*bytes);
    if (!code) return {RoundTripOutcome::Refused, {}};
    const std::filesystem::path file(path);
    if (!language) language = config_.ForInput(&file, *code);
    if (!language) language = config_.Default();
    if (!language) return {RoundTripOutcome::Failing, "the settings name no enabled language"};

    // Laid out as the command line hands code to the scanner: a NUL before and after it.
    WString padded(code->size() + 2, u'\0');
    std::copy(code->begin(), code->end(), padded.begin() + 1);
    Utf8Sink sink;
    const ConvertResult result = ConvertPaddedCode(config_.Settings(), theme_, language->info,
                                                   {padded.data() + 1, code->size()}, true, u"1", sink);
    const std::string_view html = sink.Finish();
    if (result == ConvertResult::TextBufferFailed || result == ConvertResult::TableFailed || sink.Failed())
        return {RoundTripOutcome::Failing, "the conversion failed"};
    if (std::optional<std::string> fault = FindRoundTripFault(*code, html, tabs_))
        return {RoundTripOutcome::Failing, *fault};
    return {RoundTripOutcome::Passed, {}};
}

void CorpusTally::Add(const std::string& path, const RoundTripResult& result) {
    switch (result.outcome) {
        case RoundTripOutcome::Passed: ++checked; break;
        case RoundTripOutcome::Failing:
            ++checked;
            failing.push_back(path + ": " + result.detail);
            break;
        case RoundTripOutcome::Refused:
            ++refused;
            refusedPaths.push_back(path);
            break;
        case RoundTripOutcome::Skipped: ++skipped; break;
    }
}

std::string CorpusTally::Summary() const {
    return std::to_string(checked) + " checked, " + std::to_string(failing.size()) + " failing, " +
           std::to_string(refused) + " refused by the decoder (counted, not failed), " + std::to_string(skipped) +
           " skipped (missing or unreadable on this host)";
}
