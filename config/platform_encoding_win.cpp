#include <windows.h>

#include <climits>
#include <cstdlib>
#include "config/platform_encoding.h"

namespace {

struct UsualName {
    const char* key;  // lower case, without '-', '_' and blanks
    UINT codePage;
};

// The names users give most, as .NET and the web name these code pages.
constexpr UsualName kUsualNames[] = {
    {"shiftjis", 932},  {"sjis", 932},      {"mskanji", 932},   {"windows31j", 932}, {"gb2312", 936},
    {"euccn", 936},     {"gb18030", 54936}, {"big5", 950},      {"euckr", 949},      {"ksc56011987", 949},
    {"eucjp", 20932},   {"iso2022jp", 50220}, {"koi8r", 20866}, {"koi8u", 21866},    {"usascii", 20127},
    {"ascii", 20127},   {"macintosh", 10000}, {"utf7", 65000},  {"iso88592", 28592}, {"iso88595", 28595},
    {"iso88597", 28597}, {"iso88599", 28599}, {"iso885915", 28605}, {"tis620", 874},
};

std::string NameKey(WStringView name) {
    std::string key;
    for (char16_t c : name)
        if (c != u'-' && c != u'_' && c != u' ') key.push_back(c < 0x80 ? static_cast<char>(AsciiLower(c)) : '?');
    return key;
}

// A number with an optional prefix: "932", "cp932", "windows-1251", "ibm437".
UINT CodePageNumber(const std::string& key) {
    for (const char* prefix : {"", "cp", "windows", "ibm"}) {
        const std::string p(prefix);
        if (key.compare(0, p.size(), p) != 0 || key.size() == p.size() || key.size() > p.size() + 5) continue;
        const std::string digits = key.substr(p.size());
        if (digits.find_first_not_of("0123456789") == std::string::npos) return static_cast<UINT>(std::atoi(digits.c_str()));
    }
    return 0;
}

int Decode(UINT codePage, DWORD flags, std::string_view bytes, size_t length, wchar_t* out, int room) {
    return MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(length), out, room);
}

// Where the first character that does not fit begins. The platform only
// says that a text fails; a prefix decodes when it ends at a character
// boundary before that character. Some cut within the longest character's
// length of a place decodes exactly up to it, so that test is monotone and
// is searched: doubling steps, then halving.
size_t FirstUnfitByte(UINT codePage, DWORD flags, std::string_view bytes) {
    CPINFO info{};
    const size_t longest = GetCPInfo(codePage, &info) && info.MaxCharSize > 0 ? info.MaxCharSize : 1;
    auto prefixFits = [&](size_t length) { return length == 0 || Decode(codePage, flags, bytes, length, nullptr, 0) > 0; };
    auto fitsNear = [&](size_t length) {
        for (size_t cut = 0; cut < longest && cut <= length; ++cut)
            if (prefixFits(length - cut)) return true;
        return false;
    };
    size_t good = 0, bad = bytes.size() + 1;  // fitsNear(good); bad: the first place known not to
    for (size_t step = 4096; good < bytes.size(); step *= 2) {
        const size_t probe = std::min(bytes.size(), good + step);
        if (!fitsNear(probe)) {
            bad = probe;
            break;
        }
        good = probe;
    }
    while (bad - good > 1) {
        const size_t middle = good + (bad - good) / 2;
        (fitsNear(middle) ? good : bad) = middle;
    }
    size_t start = good;
    while (start > 0 && !prefixFits(start)) --start;
    return start;
}

}  // namespace

std::optional<std::string> FindPlatformEncoding(WStringView name) {
    const std::string key = NameKey(name);
    UINT codePage = CodePageNumber(key);
    for (const UsualName& usual : kUsualNames)
        if (key == usual.key) codePage = usual.codePage;
    if (codePage == 0 || !IsValidCodePage(codePage)) return std::nullopt;
    return std::to_string(codePage);
}

PlatformDecoded DecodeWithPlatform(const std::string& platformName, std::string_view bytes) {
    PlatformDecoded result;
    const UINT codePage = static_cast<UINT>(std::atoi(platformName.c_str()));
    if (bytes.size() > INT_MAX) {  // the platform counts in int
        result.failedAt = INT_MAX;
        return result;
    }
    if (bytes.empty()) {
        result.text.emplace();
        return result;
    }
    // Some code pages cannot check their input; they decode whatever comes.
    DWORD flags = MB_ERR_INVALID_CHARS;
    int units = Decode(codePage, flags, bytes, bytes.size(), nullptr, 0);
    if (units == 0 && GetLastError() == ERROR_INVALID_FLAGS) {
        flags = 0;
        units = Decode(codePage, flags, bytes, bytes.size(), nullptr, 0);
    }
    if (units <= 0) {
        result.failedAt = FirstUnfitByte(codePage, flags, bytes);
        return result;
    }
    WString text(static_cast<size_t>(units), u'\0');
    Decode(codePage, flags, bytes, bytes.size(), reinterpret_cast<wchar_t*>(text.data()), units);
    result.text = std::move(text);
    return result;
}
