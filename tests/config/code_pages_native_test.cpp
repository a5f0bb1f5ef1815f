// GBK and Windows-1252 against iconv, pair by pair. iconv's GBK leaves the
// user-defined areas of code page 936 undefined; there, and only there, the
// decoder follows Windows.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include "config/code_pages.h"

namespace {

// The single UTF-16 unit iconv makes of the bytes, or -1.
long Iconv(const char* encoding, const std::string& bytes) {
    const iconv_t converter = iconv_open("UTF-16LE", encoding);
    if (converter == reinterpret_cast<iconv_t>(-1)) return -2;
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    unsigned char out[8];
    char* outPointer = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof out;
    const size_t status = iconv(converter, &in, &inLeft, &outPointer, &outLeft);
    iconv_close(converter);
    if (status == static_cast<size_t>(-1) || sizeof out - outLeft != 2) return -1;
    return out[0] | out[1] << 8;
}

TEST(GbkConformance, EveryPairAsIconvReadsItOrInThePrivateUseArea) {
    int privateUse = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            size_t i = 0;
            const long ours = DecodeGbkCharacter(pair, i), platform = Iconv("GBK", pair);
            if (platform < 0 && ours >= 0xE000 && ours <= 0xF8FF) {
                ++privateUse;
                continue;
            }
            ASSERT_EQ(ours, platform) << std::hex << lead << " " << trail;
        }
    EXPECT_EQ(privateUse, 2149);
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::string single(1, static_cast<char>(byte));
        size_t i = 0;
        EXPECT_EQ(DecodeGbkCharacter(single, i), Iconv("GBK", single)) << std::hex << byte;
    }
}

TEST(Windows1252Conformance, EveryDefinedByteAsIconvReadsIt) {
    for (int byte = 0; byte < 256; ++byte) {
        const long platform = Iconv("CP1252", std::string(1, static_cast<char>(byte)));
        EXPECT_EQ(Windows1252Unit(static_cast<unsigned char>(byte)), platform < 0 ? byte : platform) << byte;
    }
}

}  // namespace
