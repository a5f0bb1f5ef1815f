// The portable profile functions against the platform's own, file by file,
// over a grid of sections, keys, buffer sizes and defaults.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "config/ansi_text.h"
#include "config/profile.h"

namespace {

const wchar_t* W(const WString& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

std::string Utf16(WStringView text, bool littleEndian = true) {
    std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t c : text) {
        char low = char(c & 0xFF), high = char(c >> 8);
        bytes += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

std::string Ansi(WStringView text) {
    int n = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(text.data()),
                                static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()),
                        bytes.data(), n, nullptr, nullptr);
    return bytes;
}

template <size_t N>
std::string Raw(const char (&text)[N]) { return std::string(text, N - 1); }

// The awkward files that are easier to build than to keep in the tree.
std::map<std::string, std::string> GeneratedCorpus() {
    const WString chinese = u"[设置]\r\n字体=宋体\r\n[S]\r\nk=中文 \r\nK2=\u3000全角\u3000\r\n[Ä]\r\nä=umlaut\r\n";
    return {
        {"lf.ini", "[S]\nk=lf\n\n[T]\nk=t\n"},
        {"cr.ini", "[S]\rk=cr\r\r[T]\rk=t\r"},
        {"mixed_ends.ini", "[S]\r\nk=1\n\r[T]\n\rk=2\r"},
        {"no_newline.ini", "[S]\r\nk=last line"},
        {"empty.ini", ""},
        {"blank_lines.ini", "\r\n\r\n   \r\n"},
        {"utf16le.ini", Utf16(chinese)},
        {"utf16be.ini", Utf16(chinese, false)},
        {"utf16_bom_only.ini", "\xFF\xFE"},
        {"utf16_odd.ini", Utf16(u"[S]\r\nk=odd\r\n") + "A"},
        {"utf8_bom.ini", "\xEF\xBB\xBF" + WideToUtf8(chinese)},
        {"utf8_bom_only.ini", "\xEF\xBB\xBF"},
        {"utf8_bom_malformed.ini", "\xEF\xBB\xBF[S]\r\nk=\xFF\xFEok\r\nt=\xE4\xB8\r\nu=\xE4\xB8x\r\nv=\xC0\x80\r\n"
                                   "w=\xED\xA0\x80\r\nx=\xF4\x90\x80\x80\r\ny=\xF0\x9F\x98\x80\r\nz=\xE0\x80\x80\r\n"
                                   "a=\xF0\x80\x80\x80\r\nb=\x80\x80\r\nc=\xF8\x88\x80\x80\x80\r\nd=\xE0\xA0\r\ne=\xF0\x90"},
        {"ansi.ini", Ansi(chinese)},
        // A lead byte without its second byte takes the line break with it.
        {"ansi_lead_byte.ini", "[S]\r\nk=\xE9\nj=after\r\n[T]\xD6\r\nk=t\r\n[U]\r\nk=\xD6\xD0\xFF\r\n"},
        {"utf8_no_bom.ini", WideToUtf8(chinese)},
        {"controls.ini", Raw("[S]\r\nk=\x1A\x0B\x0C v \x1A\r\n\x1A[T]\x1A\r\nk=\tt\t\r\nnul=a\0b\r\nn\0x=nul key\r\n")},
        {"long.ini", "[S]\r\nk=" + std::string(70000, 'x') + "\r\nafter=yes\r\n[" + std::string(5000, 'L') + "]\r\nk=long\r\n"},
    };
}

std::map<std::string, std::string> Corpus() {
    std::map<std::string, std::string> corpus = GeneratedCorpus();
    std::filesystem::path dir = std::filesystem::path(LUMATYPE_TEST_DATA) / "ini";
    for (const auto& entry : std::filesystem::directory_iterator("Z:" + dir.string())) {
        std::optional<std::string> bytes = ReadFileBytes(entry.path().u16string());
        EXPECT_TRUE(bytes) << entry.path();
        corpus[entry.path().filename().string()] = bytes.value_or("");
    }
    return corpus;
}

WString TrimBlanks(WString s) {
    while (!s.empty() && (s.back() == u' ' || s.back() == u'\t')) s.pop_back();
    while (!s.empty() && (s.front() == u' ' || s.front() == u'\t')) s.erase(0, 1);
    return s;
}

// Section and key names to ask for: every name-like text of the file as the
// platform reads it, in other cases and padded, plus names no file has.
void CollectNames(const WString& path, std::set<WString>& sections, std::set<WString>& keys) {
    std::optional<std::string> bytes = ReadFileBytes(path);
    WString text;
    if (bytes && (bytes->compare(0, 2, "\xFF\xFE") == 0 || bytes->compare(0, 2, "\xFE\xFF") == 0)) {
        int high = (*bytes)[0] == '\xFF' ? 1 : 0;
        for (size_t i = 2; i + 1 < bytes->size(); i += 2)
            text += char16_t(static_cast<unsigned char>((*bytes)[i + 1 - high]) |
                             static_cast<unsigned char>((*bytes)[i + high]) << 8);
    } else if (bytes && bytes->compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text = Utf8ToWide(bytes->substr(3));
    } else if (bytes) {
        text = AnsiToWide(*bytes);
    }
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of(u"\r\n", pos);
        if (end == WString::npos) end = text.size();
        WString line = TrimBlanks(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.size() > 100) continue;
        if (line[0] == u'[') sections.insert(TrimBlanks(line.substr(1, line.rfind(u']') - 1)));
        keys.insert(TrimBlanks(line.substr(0, line.find(u'='))));
    }
    for (std::set<WString>* names : {&sections, &keys}) {
        std::set<WString> variants = {u"", u"missing", u" "};
        for (const WString& name : *names) {
            WString upper = name, lower = name;
            for (char16_t& c : upper) if (c >= u'a' && c <= u'z') c -= 32;
            for (char16_t& c : lower) if (c >= u'A' && c <= u'Z') c += 32;
            variants.insert({upper, lower, u" " + name + u"\t"});
        }
        names->insert(variants.begin(), variants.end());
    }
}

class ProfileConformance : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir_ = std::filesystem::path(temp) / ("lumatype_conformance_" + std::to_string(GetCurrentProcessId()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    WString Place(const std::string& name, const std::string& bytes) {
        WString path = (dir_ / name).u16string();
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }
    std::string Bytes(const WString& path) { return ReadFileBytes(path).value_or("<missing>"); }

    std::filesystem::path dir_;
};

TEST_F(ProfileConformance, ReadsAgreeValueForValue) {
    // Small sizes cut short values and their quotes at every point.
    const uint32_t sizes[] = {1, 2, 3, 5, 6, 7, 11, 12, 71000};
    const WString defaults[] = {u"", u"\"quoted\"  ", u"   "};
    std::vector<char16_t> real(71000), portable(71000);
    std::map<std::string, std::string> corpus = Corpus();
    EXPECT_GE(corpus.size(), GeneratedCorpus().size() + 3);
    for (const auto& [name, bytes] : corpus) {
        WString path = Place(name, bytes);
        std::set<WString> sections, keys;
        CollectNames(path, sections, keys);
        int mismatches = 0;
        // Every file must have names the platform finds, or the grid proves nothing.
        int found = 0;
        for (const WString& section : sections) {
            for (const WString& key : keys) {
                for (const WString& fallback : defaults) {
                    for (uint32_t size : sizes) {
                        std::fill(real.begin(), real.begin() + size, u'#');
                        std::fill(portable.begin(), portable.begin() + size, u'#');
                        uint32_t expected = GetPrivateProfileStringW(
                            W(section), W(key), W(fallback), reinterpret_cast<wchar_t*>(real.data()), size, W(path));
                        uint32_t actual = PortableProfileGetString(section.c_str(), key.c_str(), fallback.c_str(),
                                                                   portable.data(), size, path.c_str());
                        bool same = expected == actual && std::equal(real.begin(), real.begin() + size, portable.begin());
                        if (!same && ++mismatches <= 5)
                            ADD_FAILURE() << name << " [" << WideToUtf8(section) << "] " << WideToUtf8(key)
                                          << " default '" << WideToUtf8(fallback) << "' size " << size << ": real "
                                          << expected << " '" << WideToUtf8(real.data()) << "', portable " << actual
                                          << " '" << WideToUtf8(portable.data()) << "'";
                    }
                }
                found += GetPrivateProfileStringW(W(section), W(key), L"\x1", reinterpret_cast<wchar_t*>(real.data()),
                                                  2, W(path)) != 1 || real[0] != 1;
                int32_t expected = static_cast<int32_t>(GetPrivateProfileIntW(W(section), W(key), 77, W(path)));
                int32_t actual = PortableProfileGetInt(section.c_str(), key.c_str(), 77, path.c_str());
                if (expected != actual && ++mismatches <= 5)
                    ADD_FAILURE() << name << " [" << WideToUtf8(section) << "] " << WideToUtf8(key) << " int: real "
                                  << expected << ", portable " << actual;
            }
        }
        EXPECT_EQ(mismatches, 0) << name;
        bool hasKeys = name.find("empty") == std::string::npos && name.find("bom_only") == std::string::npos &&
                       name.find("blank") == std::string::npos;
        if (hasKeys) {
            EXPECT_GT(found, 0) << name;
        }
    }
}

// The platform rewrites the whole file on every write, so only files already
// in its own layout (CRLF, no blank lines, no blanks around '=') can match
// byte for byte; the portable writer leaves every other line alone.
TEST_F(ProfileConformance, WritesAgreeByteForByte) {
    const WString canonical = u"top=1\r\n[A]\r\nx=1\r\ny=two\r\n[B]\r\nz=3\r\n";
    const std::map<std::string, std::string> files = {
        {"ansi", Ansi(canonical)}, {"utf8", "\xEF\xBB\xBF" + WideToUtf8(canonical)}, {"utf16", Utf16(canonical)}};
    struct Write { const char16_t *section, *key, *value; };
    const Write writes[] = {
        {u"A", u"x", u"replaced"}, {u"a", u"Y", u"other case"}, {u"A", u"new", u"appended"},
        {u"B", u"z", u"  leading blanks"}, {u"B", u"w", u"trailing blanks  "}, {u"C", u"k", u"new section"},
        {u"A", u"x", u"1"}, {u" A ", u" x ", u"中文"}, {u"", u"top", u"nameless"}, {u"", u"more", u"nameless too"},
        {u"A", u"", u"empty key"}, {u"A", u"x", u""}, {u"字体", u"名", u"宋体"},
    };
    int case_number = 0;
    for (const auto& [encoding, bytes] : files) {
        for (const Write& w : writes) {
            std::string prefix = encoding + std::to_string(++case_number);
            WString real = Place(prefix + "_real.ini", bytes), portable = Place(prefix + "_portable.ini", bytes);
            EXPECT_TRUE(WritePrivateProfileStringW(W(w.section), W(w.key), W(w.value), W(real)));
            EXPECT_TRUE(PortableProfileWriteString(w.section, w.key, w.value, portable.c_str()));
            EXPECT_EQ(Bytes(real), Bytes(portable)) << encoding << " [" << WideToUtf8(w.section) << "] "
                                                    << WideToUtf8(w.key) << "=" << WideToUtf8(w.value);
        }
    }
    WString real = (dir_ / "created_real.ini").u16string(), portable = (dir_ / "created_portable.ini").u16string();
    for (WString* path : {&real, &portable}) {
        bool platform = path == &real;
        auto write = [&](const char16_t* s, const char16_t* k, const char16_t* v) {
            return platform ? WritePrivateProfileStringW(W(s), W(k), W(v), W(*path)) != FALSE
                            : PortableProfileWriteString(s, k, v, path->c_str());
        };
        EXPECT_TRUE(write(u"Common", u"font_family", u"宋体"));
        EXPECT_TRUE(write(u"Common", u"TabToSpaces", u"4"));
        EXPECT_TRUE(write(u"Other", u"k", u"v"));
    }
    EXPECT_EQ(Bytes(real), Bytes(portable));
}

// A value written as ProfileValueFor writes it reads back whole through the
// platform's own functions and ours, also at its field's length, where the
// platform alone takes the last character for a closing quote.
TEST_F(ProfileConformance, WrittenValuesReadBackAtTheFieldsLength) {
    const WString path = Place("limit.ini", "[Common]\r\nfont_size=13px\r\n");
    for (uint32_t size : {16u, 256u}) {
        for (size_t length : {size - 2, size - 1}) {
            const WString inner(length - 2, u'x');
            for (const WString& value : {u"'" + inner + u"'", u"\"" + inner + u"\"", u" " + inner + u"x",
                                         u"x" + inner + u" ", u"'" + inner + u"x"}) {
                ASSERT_TRUE(WritePrivateProfileStringW(L"Common", L"font_size", W(ProfileValueFor(value)), W(path)));
                std::vector<char16_t> field(size);
                EXPECT_EQ(ProfileGetField(u"Common", u"font_size", u"", field.data(), size, path.c_str()), length);
                EXPECT_EQ(WString(field.data()), value) << size << " " << WideToUtf8(value);
                std::vector<char16_t> real(size + 1), portable(size + 1);
                uint32_t expected = GetPrivateProfileStringW(L"Common", L"font_size", L"",
                                                             reinterpret_cast<wchar_t*>(real.data()), size, W(path));
                EXPECT_EQ(PortableProfileGetString(u"Common", u"font_size", u"", portable.data(), size, path.c_str()),
                          expected);
                EXPECT_EQ(WString(real.data()), WString(portable.data()));
            }
        }
    }
}

}  // namespace
