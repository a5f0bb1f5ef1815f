#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/rtf_sink.h"

namespace {

constexpr ColorRef kGrey = MakeRgb(128, 128, 128), kBlue = MakeRgb(0, 0, 255), kBlack = 0;

void Add(RtfSink& sink, std::u16string_view text, ColorRef color, bool bold = false) {
    sink.Append(text.data(), text.size(), color, bold);
}

std::string Whole(RtfSink& sink) {
    const RtfSink::Document document = sink.Finish();
    return std::string(document.header) + std::string(document.body) + std::string(document.closing);
}

TEST(RtfSink, ColourTableInOrderOfFirstUseAndRunsOnlyWhereTheFormatChanges) {
    RtfSink sink;
    Add(sink, u"<td>", kGrey);
    Add(sink, u"</td>", kGrey);   // same format: joins the run
    Add(sink, u"int", kBlue, true);
    Add(sink, u"x", kBlue, false);  // only the weight changes
    Add(sink, u"", kBlack);         // empty: no run
    Add(sink, u";", kBlack);
    Add(sink, u"<br/>", kGrey);
    EXPECT_EQ(Whole(sink),
              "{\\rtf1\\ansi\\uc1{\\colortbl ;\\red128\\green128\\blue128;\\red0\\green0\\blue255;"
              "\\red0\\green0\\blue0;}"
              "\\cf1\\b0 <td></td>\\cf2\\b int\\b0 x\\cf3 ;\\cf1 <br/>}");
}

TEST(RtfSink, TextIsEscapedAndLineBreaksBecomeParagraphsAsThePaneMakesThem) {
    RtfSink sink;
    Add(sink, u"a\\b{c}\td", kGrey);
    Add(sink, u"1\r\n2\r3\n4\r\r\n5", kGrey);
    // The units above U+7FFF are negative 16-bit numbers; a pair stays two units.
    Add(sink, u"中\u00e9\uffff\U0001F600\u0001\u007f", kGrey);
    const std::string body(sink.Finish().body);
    EXPECT_EQ(body,
              "\\cf1\\b0 a\\\\b\\{c\\}\\tab d"
              "1\\par 2\\par 3\\par 4 5"
              "\\u20013?\\u233?\\u-1?\\u-10179?\\u-8704?\\u1?\\u127?");
}

TEST(RtfSink, AChunkOfCrThenOneOfLfAreTwoBreaksAndTheLastBreakIsKnown) {
    // Inserted one by one, the pane makes a break of each: the document must too.
    RtfSink sink;
    Add(sink, u"a\r", kGrey);
    EXPECT_TRUE(sink.Finish().endsWithBreak);
    Add(sink, u"\nb", kGrey);
    RtfSink::Document document = sink.Finish();
    EXPECT_EQ(std::string(document.body), "\\cf1\\b0 a\\par \\par b");
    EXPECT_FALSE(document.endsWithBreak);
    Add(sink, u"\\par ", kGrey);  // looks like a break in the RTF, is none
    EXPECT_FALSE(sink.Finish().endsWithBreak);
}

TEST(RtfSink, PiecesEndAfterBreaksAndResumeTheFormatInEffect) {
    RtfSink sink(0, 2);
    Add(sink, u"a\r\nb", kGrey);
    Add(sink, u"\r\nc\r\n", kBlue, true);  // the piece starts inside this chunk
    Add(sink, u"d\r\n", kBlack);  // a break at the very end starts no piece
    const RtfSink::Document document = sink.Finish();
    ASSERT_EQ(document.PieceCount(), 2u);
    const RtfSink::Piece first = document.PieceAt(0), second = document.PieceAt(1);
    EXPECT_EQ(first.format, "");
    EXPECT_EQ(first.body, "\\cf1\\b0 a\\par b\\cf2\\b \\par ");
    EXPECT_FALSE(first.last);
    EXPECT_EQ(second.format, "\\cf2\\b ");
    EXPECT_EQ(second.body, "c\\par \\cf3\\b0 d\\par ");
    EXPECT_TRUE(second.last);
    EXPECT_EQ(std::string(first.body) + std::string(second.body), std::string(document.body));
}

// The size of every block the sink holds, as it asked for it.
std::map<uintptr_t, size_t> heldBlocks;
uintptr_t Address(const void* block) { return reinterpret_cast<uintptr_t>(block); }
void* TrackedRealloc(void* block, size_t bytes) {
    const uintptr_t before = Address(block);
    void* grown = std::realloc(block, bytes);
    if (grown) {
        heldBlocks.erase(before);
        heldBlocks[Address(grown)] = bytes;
    }
    return grown;
}

// One chunk is reserved for before it is written: a long run of the units
// that take the most bytes each must stay inside the block.
TEST(RtfSink, LongRunsOfEveryKindOfUnitStayInsideTheBody) {
    const char16_t firstHighSurrogates[] = {0xD800, 0xD8EF};
    const struct {
        std::u16string_view units;
        std::string_view rtf;
    } kinds[] = {
        {u"a~", "a~"},
        {u"\\{}", "\\\\\\{\\}"},
        {u"\u00e9\u00ff", "\\u233?\\u255?"},
        {u"\u8f6c", "\\u-28820?"},           // 转: 9 bytes, the most any unit takes
        {u"\uac00\ud7a3", "\\u-21504?\\u-10333?"},  // Hangul syllables
        {{firstHighSurrogates, 2}, "\\u-10240?\\u-10001?"},  // alone, unpaired
        {u"\U0001F600", "\\u-10179?\\u-8704?"},
        {u"\uffff\u0001", "\\u-1?\\u1?"},
        {u"\r\n\r\n", "\\par \\par "},
        {u"\n\t", "\\par \\tab "},
        {u"\r\r\n", " "},
    };
    for (const auto& kind : kinds) {
        // Each length up to past the second doubling of the first 4,096-byte
        // block (where a short reservation has the least slack), and one far
        // beyond, each in one Append to a fresh sink.
        std::u16string text;
        std::string expected = "\\cf1\\b0 ";
        while (text.size() < 20000) {
            text += kind.units;
            expected += kind.rtf;
            if (text.size() > 2100 && text.size() < 20000 - kind.units.size()) continue;
            heldBlocks.clear();
            RtfSink sink(0, RtfSink::kParagraphsPerPiece, TrackedRealloc);
            Add(sink, text, kGrey);
            const RtfSink::Document document = sink.Finish();
            ASSERT_FALSE(sink.Failed());
            ASSERT_EQ(heldBlocks.count(Address(document.body.data())), 1u);
            ASSERT_LE(document.body.size(), heldBlocks[Address(document.body.data())]) << kind.rtf << " x" << text.size();
            ASSERT_EQ(document.body, expected) << kind.rtf << " x" << text.size();
        }
    }
}

// Speed is the GUI benchmark's business; here: a pane-sized document grows
// without failing and keeps every run.
TEST(RtfSink, AHundredThousandRunsAllArrive) {
    RtfSink sink;
    for (int i = 0; i < 100000; ++i) {
        Add(sink, u"<span style=\"color:#0000FF\">", kGrey);
        Add(sink, u"return", kBlue, i % 2);
        Add(sink, u"</span>&nbsp;", kGrey);
    }
    const RtfSink::Document document = sink.Finish();
    EXPECT_FALSE(sink.Failed());
    EXPECT_GT(document.body.size(), 100000u * 40);
}

}  // namespace
