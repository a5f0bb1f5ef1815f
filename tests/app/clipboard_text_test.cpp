#include "app/clipboard_text.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(TextOfBlock, EndsAtTheFirstNulOrTheBlocksEnd) {
    // Exactly sized heap blocks, so a read past the end shows under ASan.
    const auto unterminated = std::make_unique<char16_t[]>(3);
    unterminated[0] = u'a', unterminated[1] = u'b', unterminated[2] = u'c';
    EXPECT_EQ(TextOfBlock(unterminated.get(), 3 * sizeof(char16_t)), u"abc");
    EXPECT_EQ(TextOfBlock(unterminated.get(), 3 * sizeof(char16_t) - 1), u"ab");  // half a unit
    EXPECT_EQ(TextOfBlock(unterminated.get(), 0), u"");

    const auto terminated = std::make_unique<char16_t[]>(4);
    terminated[0] = u'x', terminated[1] = 0, terminated[2] = u'y', terminated[3] = 0;
    EXPECT_EQ(TextOfBlock(terminated.get(), 4 * sizeof(char16_t)), u"x");
}

}  // namespace
