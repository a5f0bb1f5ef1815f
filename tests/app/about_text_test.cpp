#include "app/about_text.h"

#include <gtest/gtest.h>

#include <string>

#include "lumatype_version.h"

namespace {

// "1.0", not the release's "1.0.0".
TEST(AboutText, VersionLineNamesTheMajorAndMinorPartsOfTheBuildsVersion) {
    const std::string version = LUMATYPE_VERSION;
    const std::string majorMinor = version.substr(0, version.find('.', version.find('.') + 1));
    EXPECT_EQ(AboutVersionLine(), u"Lumatype 代码转换 " + Utf8ToWide(majorMinor) + u" 版");
}

TEST(AboutText, OneParagraphAnEmptyLineThenTheBlogAndSignatureLines) {
    WString text;
    for (int i = 0; i < kAboutPieceCount; ++i) text += AboutPiece(i);
    const size_t paragraphEnd = text.find(u"\r\n\r\n");
    ASSERT_NE(paragraphEnd, WString::npos);
    const WString paragraph = text.substr(0, paragraphEnd);
    EXPECT_EQ(paragraph.find(u'\r'), WString::npos);
    EXPECT_EQ(paragraph.rfind(u"    此工具用于将编程语言代码转换成 HTML 文本", 0), 0u);
    EXPECT_NE(paragraph.find(u"博客。支持C/C++, C# 等多种编程语言"), WString::npos);
    EXPECT_NE(paragraph.find(u"编程语言。如果您有任何问题，欢迎到我的博客咨询和留言，或发送邮件至："), WString::npos);
    EXPECT_EQ(paragraph.back(), u';');

    const WString rest = text.substr(paragraphEnd + 4);
    const size_t blogEnd = rest.find(u"\r\n");
    ASSERT_NE(blogEnd, WString::npos);
    EXPECT_EQ(rest.rfind(u"    我的技术博客：", 0), 0u);
    const WString signature = rest.substr(blogEnd + 2);
    EXPECT_EQ(signature.rfind(u"    ", 0), 0u);
    EXPECT_GT(signature.size(), 4u);
    EXPECT_EQ(signature.find(u'\r'), WString::npos);
    EXPECT_EQ(signature.find(u'\n'), WString::npos);
}

}  // namespace
