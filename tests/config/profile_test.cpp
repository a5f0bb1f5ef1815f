#include <gtest/gtest.h>

#include <string>

#include "base/file_io.h"
#include "config/profile.h"
#include "tests/support/temp_file.h"

namespace {

// A byte string literal with its embedded NULs.
template <size_t N>
std::string Raw(const char (&text)[N]) { return std::string(text, N - 1); }

class ProfileTest : public ::testing::Test {
protected:
    WString Path(const char* name = "test.ini") const { return dir_.Path(name); }
    WString Write(const std::string& bytes, const char* name = "test.ini") const { return dir_.Write(name, bytes); }
    std::string Bytes(const WString& path) const { return ReadFileBytes(path).value_or("<missing>"); }

    static WString Get(const WString& path, const char16_t* section, const char16_t* key,
                       const char16_t* fallback = u"def", uint32_t size = 64, uint32_t* length = nullptr) {
        char16_t buffer[256];
        uint32_t n = PortableProfileGetString(section, key, fallback, buffer, size, path.c_str());
        if (length) *length = n;
        return buffer;
    }
    static int32_t Int(const WString& path, const char16_t* key, int32_t fallback = 77) {
        return PortableProfileGetInt(u"S", key, fallback, path.c_str());
    }
    static bool Put(const WString& path, const char16_t* section, const char16_t* key, const char16_t* value) {
        return PortableProfileWriteString(section, key, value, path.c_str());
    }

    TempDir dir_{"lumatype_profile"};
};

TEST_F(ProfileTest, FindsSectionsAndKeysLikeThePlatform) {
    WString ini = Write(
        "top=before any section\r\n"
        "[Common]\r\n"
        "  Font_Family  =  Consolas, monospace  \r\n"
        "noequals\r\n"
        ";note=comment lines are keys too\r\n"
        "dup=first\r\n"
        "dup=second\r\n"
        "empty=\r\n"
        "=nameless\r\n"
        "[ common ]\r\n"
        "only=in the duplicate section\r\n"
        "[T]trailing text\r\n"
        "k=t\r\n");
    EXPECT_EQ(Get(ini, u"COMMON", u" font_family\t"), u"Consolas, monospace");
    EXPECT_EQ(Get(ini, u"", u"top"), u"before any section");
    EXPECT_EQ(Get(ini, u"Common", u"noequals"), u"def");
    EXPECT_EQ(Get(ini, u"Common", u";note"), u"comment lines are keys too");
    EXPECT_EQ(Get(ini, u"Common", u"dup"), u"first");
    EXPECT_EQ(Get(ini, u"Common", u"empty"), u"");
    EXPECT_EQ(Get(ini, u"Common", u""), u"nameless");
    EXPECT_EQ(Get(ini, u"Common", u"only"), u"def");  // only the first [Common] is searched
    EXPECT_EQ(Get(ini, u"T", u"k"), u"t");
    EXPECT_EQ(Get(ini, u"Missing", u"k"), u"def");
    EXPECT_EQ(Get(Path("absent.ini"), u"Common", u"k", u"\"quoted default\"  "), u"quoted default");
}

TEST_F(ProfileTest, CopiesWithQuotesAndTruncation) {
    WString ini = Write("[S]\nq=\"hello\"\ns='single'\nhalf=\"open\nlong=abcdefghij\nmixed=\"x'\n");
    uint32_t n = 0;
    EXPECT_EQ(Get(ini, u"S", u"q", u"", 64, &n), u"hello");
    EXPECT_EQ(n, 5u);
    EXPECT_EQ(Get(ini, u"S", u"s"), u"single");
    EXPECT_EQ(Get(ini, u"S", u"half"), u"\"open");
    EXPECT_EQ(Get(ini, u"S", u"mixed"), u"\"x'");
    EXPECT_EQ(Get(ini, u"S", u"long", u"", 5, &n), u"abcd");
    EXPECT_EQ(n, 4u);
    EXPECT_EQ(Get(ini, u"S", u"long", u"", 1, &n), u"");
    EXPECT_EQ(n, 0u);
    // The platform's quirk: a quoted value that exactly fills the buffer
    // loses its last character as well.
    EXPECT_EQ(Get(ini, u"S", u"q", u"", 6), u"hell");
    EXPECT_EQ(Get(ini, u"S", u"q", u"", 7), u"hello");

    char16_t untouched[2] = {u'x', u'x'};
    EXPECT_EQ(PortableProfileGetString(u"S", u"q", u"", untouched, 0, ini.c_str()), 0u);
    EXPECT_EQ(untouched[0], u'x');
}

TEST_F(ProfileTest, ReadsIntegersLikeThePlatform) {
    WString ini = Write("[S]\na=  42abc\nhex=0x1F\nneg=-7\nword=abc\nempty=\nwrap=99999999999\nq=\" 12\"\n");
    EXPECT_EQ(Int(ini, u"a"), 42);
    EXPECT_EQ(Int(ini, u"hex"), 31);
    EXPECT_EQ(Int(ini, u"neg"), -7);
    EXPECT_EQ(Int(ini, u"word"), 0);
    EXPECT_EQ(Int(ini, u"empty"), 77);
    EXPECT_EQ(Int(ini, u"missing"), 77);
    EXPECT_EQ(Int(ini, u"wrap"), 1215752191);  // 99999999999 mod 2^32
    EXPECT_EQ(Int(ini, u"q"), 12);
}

TEST_F(ProfileTest, DecodesEveryEncodingAndLineEnd) {
    auto utf16 = [](const WString& text) {
        std::string bytes = "\xFF\xFE";
        for (char16_t c : text) bytes += {char(c & 0xFF), char(c >> 8)};
        return bytes;
    };
    EXPECT_EQ(Get(Write(utf16(u"[S]\r\nk=中文\r\n"), "le.ini"), u"S", u"k"), u"中文");
    WString utf8 = Write("\xEF\xBB\xBF[S]\r\nk=\xE4\xB8\xAD\r\ncut=\xE4\xB8x\r\nsurrogate=\xED\xA0\x80\r\nend=\xF0\x90", "u8.ini");
    EXPECT_EQ(Get(utf8, u"S", u"k"), u"中");
    EXPECT_EQ(Get(utf8, u"S", u"cut"), u"\uFFFDx");  // one replacement per malformed sequence
    EXPECT_EQ(Get(utf8, u"S", u"surrogate"), u"\uFFFD\uFFFD");
    EXPECT_EQ(Get(utf8, u"S", u"end"), u"\uFFFD");
    EXPECT_EQ(Get(Write("[\xBD\xDA]\r\nk=\xD6\xD0\xCE\xC4\r\n", "gbk.ini"), u"节", u"k"), u"中文");
    EXPECT_EQ(Get(Write("[S]\rA=1\rB=2", "cr.ini"), u"S", u"B"), u"2");
    EXPECT_EQ(Get(Write("[S]\nA=1\nB=2", "lf.ini"), u"S", u"B"), u"2");
    WString controls = Write(Raw("[S]\r\nk=\x1A a\x1A\x0B\r\nn=x\0y\r\n"), "ctl.ini");
    EXPECT_EQ(Get(controls, u"S", u"k"), u"a");  // ^Z and VT count as blanks
    EXPECT_EQ(Get(controls, u"S", u"n"), u"x");  // a NUL ends the value
    std::string huge = "[S]\nk=" + std::string(70000, 'x') + "\nafter=yes";
    WString hugeIni = Write(huge, "huge.ini");
    EXPECT_EQ(Get(hugeIni, u"S", u"after"), u"yes");
    EXPECT_EQ(Get(hugeIni, u"S", u"k", u"", 4), u"xxx");
}

TEST_F(ProfileTest, ReplacesInPlaceLeavingTheRestAsItWas) {
    std::string before = "; settings\n[Common]\nfont_size = 12px  \n\n  [Other]  \nfont_size=9\n";
    WString ini = Write(before);
    ASSERT_TRUE(Put(ini, u"common", u"FONT_SIZE", u"  14px"));
    EXPECT_EQ(Bytes(ini), "; settings\n[Common]\nfont_size = 14px  \n\n  [Other]  \nfont_size=9\n");
    ASSERT_TRUE(Put(ini, u"Common", u"TabToSpaces", u"4"));
    EXPECT_EQ(Bytes(ini), "; settings\n[Common]\nfont_size = 14px  \nTabToSpaces=4\n\n  [Other]  \nfont_size=9\n");
    ASSERT_TRUE(Put(ini, u"New", u"k", u"v"));
    EXPECT_EQ(Get(ini, u"New", u"k"), u"v");
    EXPECT_EQ(Bytes(ini).substr(Bytes(ini).size() - 10), "[New]\nk=v\n");
}

TEST_F(ProfileTest, WritesAwkwardFilesSoundly) {
    WString tail = Write("[A]\r\nx=1", "tail.ini");
    ASSERT_TRUE(Put(tail, u"A", u"y", u"2"));
    EXPECT_EQ(Bytes(tail), "[A]\r\nx=1\r\ny=2\r\n");

    WString bare = Write("[A]\rflag\r", "bare.ini");
    ASSERT_TRUE(Put(bare, u"A", u"flag", u"on"));
    EXPECT_EQ(Bytes(bare), "[A]\rflag=on\r");

    WString created = Path("new.ini");
    ASSERT_TRUE(Put(created, u"Common", u"font_family", u"宋体"));
    EXPECT_EQ(Bytes(created).substr(0, 22), "[Common]\r\nfont_family=");
    EXPECT_EQ(Get(created, u"Common", u"font_family"), u"宋体");

    WString wide = Write(Raw("\xFF\xFE[\0A\0]\0\r\0\n\0x\0=\0\x31\0\r\0\n\0"), "le.ini");
    ASSERT_TRUE(Put(wide, u"A", u"x", u"中"));
    EXPECT_EQ(Bytes(wide), Raw("\xFF\xFE[\0A\0]\0\r\0\n\0x\0=\0\x2D\x4E\r\0\n\0"));

    WString gbk = Write("[A]\r\nx=\xD6\xD0\r\n", "gbk.ini");
    ASSERT_TRUE(Put(gbk, u"A", u"y", u"文"));
    EXPECT_EQ(Bytes(gbk), "[A]\r\nx=\xD6\xD0\r\ny=\xCE\xC4\r\n");

    // Text that would read back as other lines or keys is refused untouched.
    WString guarded = Write("[A]\nx=1\n", "guarded.ini");
    EXPECT_FALSE(Put(guarded, u"A", u"x", u"1\n[Evil]\nk=v"));
    EXPECT_FALSE(Put(guarded, u"A", u"a=b", u"c"));
    EXPECT_FALSE(Put(guarded, u"A", u"[B]", u"c"));
    EXPECT_FALSE(Put(guarded, u"A\r\nB", u"k", u"c"));
    EXPECT_FALSE(ProfileWriteString(u"A", u"x", u"1\r\n[Evil]", guarded.c_str()));  // the platform's too
    EXPECT_EQ(Bytes(guarded), "[A]\nx=1\n");
    EXPECT_TRUE(Put(guarded, u"A", u"x", u" \r\n 2"));  // leading blanks, breaks among them, are dropped
    EXPECT_EQ(Bytes(guarded), "[A]\nx=2\n");
    EXPECT_FALSE(Put(Path("no/such/dir.ini"), u"A", u"x", u"1"));
}


}  // namespace
