// GBK and Windows-1252 against the platform's own conversion, every pair and
// every byte: the decoder both builds use is Windows' code pages 936 and 1252.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include "config/code_pages.h"

namespace {

// The single unit the platform makes of the bytes, or -1.
long Platform(UINT codePage, const std::string& bytes) {
    wchar_t out[4];
    const int units = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                                          out, 4);
    return units == 1 ? static_cast<long>(out[0]) : -1;
}

TEST(GbkConformance, EveryPairAndByteAsCodePage936) {
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        const std::string single(1, static_cast<char>(lead));
        size_t i = 0;
        EXPECT_EQ(DecodeGbkCharacter(single, i), Platform(936, single)) << std::hex << lead;
        for (int trail = 0x40; trail <= 0xFF; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            size_t j = 0;
            const long ours = DecodeGbkCharacter(pair, j);
            ASSERT_EQ(j == 2 ? ours : -1, Platform(936, pair)) << std::hex << lead << " " << trail;
        }
    }
}

TEST(Windows1252Conformance, EveryByteAsCodePage1252) {
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(Windows1252Unit(static_cast<unsigned char>(byte)), Platform(1252, std::string(1, static_cast<char>(byte))))
            << byte;
}

}  // namespace
