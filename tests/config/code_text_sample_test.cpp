// The encoding rule over real text, read in place: Western Latin-1 files that
// Debian packages install must read as Windows-1252, Chinese text in GBK
// (real GB 2312 files, and this project's Chinese texts made GBK) as GBK.
// Files missing on a host are skipped and counted; the share of two-byte
// characters in GB 2312's rows, which the rule weighs, is printed per set.
#include <gtest/gtest.h>
#include <iconv.h>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include "config/code_pages.h"
#include "config/code_text.h"

namespace fs = std::filesystem;

namespace {

std::optional<std::string> ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// UTF-8 text in GBK, by the system's converter; a character GBK lacks (an
// emoji) becomes what the converter makes of it, such as "?".
std::optional<std::string> ToGbk(const std::string& utf8) {
    const iconv_t converter = iconv_open("GBK//TRANSLIT", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string gbk(2 * utf8.size(), '\0');
    char* in = const_cast<char*>(utf8.data());
    char* out = gbk.data();
    size_t inLeft = utf8.size(), outLeft = gbk.size();
    const bool done = iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1);
    iconv_close(converter);
    if (!done) return std::nullopt;
    gbk.resize(gbk.size() - outLeft);
    return gbk;
}

// Of the two-byte characters of a GBK reading, the share in GB 2312's rows;
// empty when there are none.
std::optional<double> Gb2312Share(const std::string& bytes) {
    size_t pairs = 0, inRows = 0;
    for (size_t i = 0; i < bytes.size();) {
        const size_t at = i;
        if (DecodeGbkCharacter(bytes, i) < 0 || i - at != 2) continue;
        ++pairs;
        inRows += InGb2312Rows(static_cast<unsigned char>(bytes[at]), static_cast<unsigned char>(bytes[at + 1]));
    }
    if (pairs == 0) return std::nullopt;
    return static_cast<double>(inRows) / pairs;
}

bool HasHanzi(const std::string& utf8) {
    // U+4E00 to U+9FFF start with E4 to E9 in UTF-8.
    return std::any_of(utf8.begin(), utf8.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0xE4 && static_cast<unsigned char>(c) <= 0xE9;
    });
}

class SampleSet {
public:
    SampleSet(const char* family, TextEncoding expected) : family_(family), expected_(expected) {}
    ~SampleSet() {
        std::printf("%s: %zu of %zu read as %s, %zu skipped (missing or not in GBK); "
                    "GB 2312 share %.2f (%s) to %.2f\n",
                    family_, passed_, checked_, EncodingName(expected_), skipped_, lowest_, lowestName_.c_str(), highest_);
    }

    void Check(const std::string& name, const std::optional<std::string>& bytes) {
        if (!bytes) {
            ++skipped_;
            return;
        }
        ++checked_;
        const DecodedText decoded = DecodeCodeText(*bytes);
        const std::optional<double> share = Gb2312Share(*bytes);
        if (share && *share < lowest_) lowestName_ = name;
        lowest_ = std::min(lowest_, share.value_or(lowest_));
        highest_ = std::max(highest_, share.value_or(highest_));
        if (decoded.text && decoded.encoding == expected_) ++passed_;
        else ADD_FAILURE() << name << ": read as " << EncodingName(decoded.encoding) << ", GB 2312 share " << share.value_or(0);
    }
    size_t Checked() const { return checked_; }

private:
    const char* family_;
    TextEncoding expected_;
    size_t checked_ = 0, passed_ = 0, skipped_ = 0;
    double lowest_ = 1.0, highest_ = 0.0;  // of the files with two-byte characters
    std::string lowestName_;
};

TEST(CodeTextSample, WesternLatin1FilesReadAsWindows1252) {
    SampleSet set("Western Latin-1", TextEncoding::Windows1252);
    for (const char* language : {"Austrian", "Brazilian", "Danish", "Finnish", "French", "German", "Icelandic",
                                 "Norwegian", "Spanish", "Swedish"}) {
        const std::string path = std::string("/usr/share/perl5/Date/Language/") + language + ".pm";
        set.Check(path, ReadFile(path));
    }
    set.Check("ed's AUTHORS", ReadFile("/usr/share/doc/ed/AUTHORS"));
    if (set.Checked() == 0) GTEST_SKIP() << "none of the files is on this host";
}

TEST(CodeTextSample, ChineseTextInGbkReadsAsGbk) {
    SampleSet set("Chinese in GBK", TextEncoding::Gbk);
    for (const char* path : {"/usr/share/perl5/Date/Language/Chinese_GB.pm", "/usr/share/vim/vim90/tutor/tutor.zh.euc"})
        set.Check(path, ReadFile(path));
    // Vim's tutor in Simplified and in Traditional Chinese, a quarter of
    // whose characters GBK holds outside GB 2312's rows.
    for (const char* path : {"/usr/share/vim/vim90/tutor/tutor.zh_cn.utf-8", "/usr/share/vim/vim90/tutor/tutor.zh.utf-8"}) {
        const std::optional<std::string> tutor = ReadFile(path);
        set.Check(std::string(path) + " made GBK", tutor ? ToGbk(*tutor) : std::nullopt);
    }
    // This project's Chinese texts: the program's strings, its tests, its
    // resources and its tables, each file made GBK.
    std::vector<fs::path> files;
    for (const char* folder : {"app", "base", "bench", "cli", "cmake", "config", "controls", "data", "engine", "fuzz",
                               "resources", "table", "tests", "tools"})
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(fs::path(LUMATYPE_SOURCE_DIR) / folder))
            if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    size_t project = 0;
    for (const fs::path& file : files) {
        // The rule's own test holds texts made to sit at its threshold.
        if (file.filename() == "code_text_test.cpp") continue;
        const std::optional<std::string> text = ReadFile(file);
        if (!text || !HasHanzi(*text) || !IsValidUtf8(*text)) continue;
        const std::optional<std::string> gbk = ToGbk(*text);
        project += gbk.has_value();
        set.Check(file.string(), gbk);
    }
    EXPECT_GE(project, 40u) << "the project's Chinese texts";
    EXPECT_GE(set.Checked(), 50u);
}

}  // namespace
