// Decoding the command line's input: the rule without --encoding, named
// encodings, and the same text whichever way the input arrives in pieces.
#include "config/code_text.h"

#include <gtest/gtest.h>
#include "tests/support/piece_input.h"

namespace {

std::string Shown(const DecodedText& decoded) {
    if (!decoded.text) return "fails at " + std::to_string(decoded.failedAt);
    return std::string(EncodingName(decoded.encoding)) + ": " + WideToUtf8(decoded.text->View());
}

// The text, after checking that every way of reading the input in pieces
// gives the same result as reading it whole.
std::string Decoded(std::string_view bytes, const char16_t* encoding = nullptr) {
    const std::optional<NamedEncoding> named = encoding ? FindEncoding(encoding) : std::nullopt;
    if (encoding && !named) return "unknown encoding";
    const NamedEncoding* chosen = named ? &*named : nullptr;
    const std::string whole = Shown(DecodeCodeText(bytes, chosen));
    for (size_t step = 1; step <= 5; ++step) {
        PieceInput input(bytes, step);
        EXPECT_EQ(Shown(DecodeCodeText(input, chosen)), whole) << "read " << step << " bytes at a time";
    }
    return whole;
}

TEST(CodeText, LineEndsBecomeCrLf) {
    EXPECT_EQ(Decoded("a\nb\r\nc\rd\r\r\n"), "UTF-8: a\r\nb\r\nc\r\nd\r\n\r\n");
    EXPECT_EQ(Decoded(""), "UTF-8: ");
    EXPECT_EQ(Decoded("\r"), "UTF-8: \r\n");
    EXPECT_EQ(Decoded(std::string("\xFF\xFE" "a\0\r\0\n\0\r\0", 10)), "UTF-16LE: a\r\n\r\n");
}

TEST(CodeText, AByteOrderMarkDecidesAndIsDropped) {
    EXPECT_EQ(Decoded("\xEF\xBB\xBFx\n"), "UTF-8: x\r\n");
    EXPECT_EQ(Decoded(std::string("\xFF\xFE" "a\0\n\0\x2D\x4E", 8)), "UTF-16LE: a\r\n\xE4\xB8\xAD");
    EXPECT_EQ(Decoded(std::string("\xFE\xFF\0a\0\r", 6)), "UTF-16BE: a\r\n");
    EXPECT_EQ(Decoded("\xFF\xFE" "a"), "fails at 2") << "half a unit";
    EXPECT_EQ(Decoded("\xEF\xBB\xBF" "ab\xE9"), "fails at 5") << "a mark says UTF-8, so no other is tried";
}

TEST(CodeText, Utf16WithoutAMarkIsToldByItsZeroBytes) {
    EXPECT_EQ(Decoded(std::string("i\0n\0t\0 \0x\0;\0\n\0", 14)), "UTF-16LE: int x;\r\n");
    EXPECT_EQ(Decoded(std::string("\0i\0n\0t\0\n\x4E\x2D", 10)), "UTF-16BE: int\r\n\xE4\xB8\xAD");
    // A stray NUL in 8-bit text is no reason for UTF-16.
    EXPECT_EQ(Decoded(std::string("int x;\0 int y;\n", 15)), "UTF-8: int x;\xEF\xBF\xBD int y;\r\n");
    EXPECT_EQ(Decoded(std::string("a\nb\0c\n", 6)), "UTF-8: a\r\nb\xEF\xBF\xBD" "c\r\n");
    EXPECT_EQ(Decoded(std::string("i\0n\0t", 5)), "UTF-8: i\xEF\xBF\xBDn\xEF\xBF\xBDt") << "an odd byte count";
}

TEST(CodeText, TextThatIsNoUtf8IsGbkWhenAllOfItFitsElseWindows1252) {
    EXPECT_EQ(Decoded("\xD6\xD0\xCE\xC4\n"), "GBK: \xE4\xB8\xAD\xE6\x96\x87\r\n");
    EXPECT_EQ(Decoded("\xA1\xA4\xA1\xAA \x80"), "GBK: \xC2\xB7\xE2\x80\x94 \xE2\x82\xAC");
    EXPECT_EQ(Decoded("caf\xE9\n"), "Windows-1252: caf\xC3\xA9\r\n") << "no GBK character ends in a line break";
    EXPECT_EQ(Decoded("\x93Hi\x94 \xA9"), "Windows-1252: \xE2\x80\x9CHi\xE2\x80\x9D \xC2\xA9");
    EXPECT_EQ(Decoded("\xE4\xB8\xAD"), "UTF-8: \xE4\xB8\xAD") << "valid UTF-8 stays UTF-8";
}

// Accented Latin letters followed by ASCII make valid GBK, but such pairs lie
// outside GB 2312's rows, where Chinese text keeps three in five characters
// or more.
TEST(CodeText, WesternTextThatHappensToBeGbkIsWindows1252) {
    EXPECT_EQ(Decoded("# M\xE4rz\n"), "Windows-1252: # M\xC3\xA4rz\r\n");
    EXPECT_EQ(Decoded("Fran\xE7ois Pinard\n"), "Windows-1252: Fran\xC3\xA7ois Pinard\r\n");
    EXPECT_EQ(Decoded("Mar\xE7o, a\xE7\xE3o\n"), "Windows-1252: Mar\xC3\xA7o, a\xC3\xA7\xC3\xA3o\r\n")
        << "one pair of two in GB 2312's rows";
    const std::string three = "\xD6\xD0\xCE\xC4\xA1\xA3";  // 中文。
    const std::string extension = "\x81\x40\x81\x41";      // 丂丄, past GB 2312
    EXPECT_EQ(Decoded(three + extension).substr(0, 4), "GBK:") << "three in five";
    EXPECT_EQ(Decoded(three.substr(2) + extension).substr(0, 13), "Windows-1252:") << "two in four";
}

// C0 controls but tab, line feed, form feed and carriage return, and DEL,
// would reach the HTML raw: each is replaced and counted as a NUL is.
TEST(CodeText, ControlCharactersAreKeptAsReplacementCharacters) {
    const std::string escapes = "a\x1B[1mb\x7F\tc\fd\x01\n\x1B";
    const DecodedText decoded = DecodeCodeText(escapes);
    ASSERT_TRUE(decoded.text);
    EXPECT_EQ(decoded.text->View(), u"a\xFFFD[1mb\xFFFD\tc\fd\xFFFD\r\n\xFFFD");
    EXPECT_EQ(decoded.controlCount, 4u);
    EXPECT_EQ(decoded.firstControlLine, 1u);
    EXPECT_EQ(Decoded(std::string(40, 'x') + "\x1B" + std::string(40, 'y')),
              "UTF-8: " + std::string(40, 'x') + "\xEF\xBF\xBD" + std::string(40, 'y'))
        << "inside a long plain run";
    EXPECT_EQ(Decoded("caf\xE9\x1B"), "Windows-1252: caf\xC3\xA9\xEF\xBF\xBD");
    EXPECT_EQ(Decoded(std::string("\xFF\xFE\x1B\0a\0\x7F\0", 8)), "UTF-16LE: \xEF\xBF\xBD" "a\xEF\xBF\xBD");
    EXPECT_EQ(Decoded("\x85", u"latin1"), "Latin-1: \xC2\x85") << "C1 controls are characters of Latin-1";
}

TEST(CodeText, Latin1AndWindows1252DifferAt0x80To0x9F) {
    int differ = 0;
    for (int byte = 0x80; byte < 0xA0; ++byte) {
        const std::string text(1, static_cast<char>(byte));
        const std::optional<NamedEncoding> latin1 = FindEncoding(u"latin1"), windows = FindEncoding(u"windows-1252");
        const DecodedText latin1Text = DecodeCodeText(text, &*latin1), windowsText = DecodeCodeText(text, &*windows);
        EXPECT_EQ(latin1Text.text->View(), WString(1, static_cast<char16_t>(byte)));
        differ += latin1Text.text->View() != windowsText.text->View();
    }
    EXPECT_EQ(differ, 27) << "the five bytes Windows-1252 leaves undefined read alike";
    EXPECT_EQ(Decoded("\x80\x81\x9F", u"cp1252"), "Windows-1252: \xE2\x82\xAC\xC2\x81\xC5\xB8");
}

TEST(CodeText, ANamedEncodingFailsAtTheFirstByteThatDoesNotFit) {
    EXPECT_EQ(Decoded("ab\xE9" "cd", u"UTF-8"), "fails at 2");
    EXPECT_EQ(Decoded("ab\xD6\xD0" "c\xFF", u"gbk"), "fails at 5");
    EXPECT_EQ(Decoded("ab\xD6", u"936"), "fails at 2") << "a lead byte without its trail byte";
    EXPECT_EQ(Decoded("abc", u"utf-16le"), "fails at 2");
    EXPECT_EQ(Decoded("ab\x82\xA0x\x81 ", u"shift_jis"), "fails at 5") << "through the platform's converter";
    EXPECT_EQ(Decoded("\xE9t\xE9", u"iso-8859-1"), "Latin-1: \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(Decoded(std::string("\xFE\xFF\0a", 4), u"utf-16"), "UTF-16BE: a") << "utf-16 follows its mark";
    EXPECT_EQ(Decoded(std::string("a\0", 2), u"UTF-16"), "UTF-16LE: a");
    EXPECT_EQ(Decoded("x", u"no-such-encoding"), "unknown encoding");
}

TEST(CodeText, ANulIsKeptAsReplacementCharacter) {
    const DecodedText decoded = DecodeCodeText(std::string("a\nb\0c\n\0", 7));
    ASSERT_TRUE(decoded.text);
    EXPECT_EQ(decoded.text->View(), u"a\r\nb\xFFFD" u"c\r\n\xFFFD");
    EXPECT_EQ(decoded.controlCount, 2u);
    EXPECT_EQ(decoded.firstControlLine, 2u);
    EXPECT_EQ(Decoded(std::string("\xFF\xFE" "a\0\0\0b\0", 8)), "UTF-16LE: a\xEF\xBF\xBD" "b");
}

TEST(CodeText, LongTextsKeepEveryCharacterAcrossChunks) {
    // Past the decoder's chunk size, read in pieces of an odd size, with
    // multi-byte characters and line ends at every offset from a chunk's end.
    std::string utf8, gbk;
    WString expectedUtf8, expectedGbk;
    for (int i = 0; i < 60000; ++i) {
        utf8 += i % 3 ? "ab\r\n" : "\xE4\xB8\xAD\xF0\x9F\x98\x80x\n";
        gbk += i % 3 ? "ab\r\n" : "\xD6\xD0x\r";
        expectedUtf8 += i % 3 ? u"ab\r\n" : u"\u4E2D\U0001F600x\r\n";
        expectedGbk += i % 3 ? u"ab\r\n" : u"\u4E2Dx\r\n";
    }
    for (size_t step : {size_t{70001}, utf8.size()}) {
        PieceInput utf8Input(utf8, step), gbkInput(gbk, step);
        const DecodedText fromUtf8 = DecodeCodeText(utf8Input), fromGbk = DecodeCodeText(gbkInput);
        ASSERT_TRUE(fromUtf8.text && fromGbk.text);
        EXPECT_TRUE(fromUtf8.text->View() == expectedUtf8);
        EXPECT_EQ(fromGbk.encoding, TextEncoding::Gbk);
        EXPECT_TRUE(fromGbk.text->View() == expectedGbk);
    }
}

}  // namespace
