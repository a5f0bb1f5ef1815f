#include "app/clipboard_html.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The offset the header gives for `name`, read as a reader of the format does.
size_t Offset(const std::string& document, const std::string& name) {
    const size_t at = document.find("\r\n" + name + ":");
    EXPECT_NE(at, std::string::npos) << name;
    const std::string digits = document.substr(at + name.size() + 3, 10);
    EXPECT_EQ(digits.find_first_not_of("0123456789"), std::string::npos) << digits;
    EXPECT_EQ(document.substr(at + name.size() + 13, 2), "\r\n") << name;
    return std::stoul(digits);
}

TEST(ClipboardHtml, OffsetsPointAtTheDocumentAndTheFragmentInUtf8Bytes) {
    for (const WString& fragment : {WString(u"<b>x</b>"), WString(u"<span style=\"color:#f00\">代码</span>&nbsp;é\r\n"),
                                    WString(u"\U0001F600"), WString()}) {
        const std::string document = ClipboardHtml(fragment);
        const std::string utf8 = WideToUtf8(fragment);
        ASSERT_EQ(document.rfind("Version:0.9\r\n", 0), 0u);
        const size_t startHtml = Offset(document, "StartHTML"), endHtml = Offset(document, "EndHTML");
        const size_t startFragment = Offset(document, "StartFragment"), endFragment = Offset(document, "EndFragment");
        EXPECT_EQ(endHtml, document.size());
        EXPECT_EQ(document.substr(startHtml, 12), "<html><body>");
        EXPECT_EQ(document.substr(startFragment - 20, 20), "<!--StartFragment-->");
        EXPECT_EQ(document.substr(startFragment, endFragment - startFragment), utf8);
        EXPECT_EQ(document.substr(endFragment), "<!--EndFragment--></body></html>");
    }
}

TEST(ClipboardHtml, HeaderIsTheSameLengthForAnyText) {
    EXPECT_EQ(ClipboardHtml(u"").find("<html>"), ClipboardHtml(WString(100000, u'x')).find("<html>"));
    EXPECT_NE(ClipboardHtml(WString(100000, u'x')).find("EndHTML:0000100"), std::string::npos);
}

}  // namespace
