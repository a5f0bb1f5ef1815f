#include "app/theme_viewer.h"

#include <gtest/gtest.h>

namespace {

TEST(ThemeViewerText, ComponentsAreRedGreenBlueInTwoUpperCaseHexDigits) {
    EXPECT_EQ(ColorComponentsText(MakeRgb(1, 2, 255)), u"( 0x01, 0x02, 0xFF )");
    EXPECT_EQ(ColorComponentsText(MakeRgb(0xAB, 0, 0x10)), u"( 0xAB, 0x00, 0x10 )");
    // A "0x" value from a theme file may carry a fourth byte; it is no component.
    EXPECT_EQ(ColorComponentsText(0xFF000000u | MakeRgb(0x12, 0x34, 0x56)), u"( 0x12, 0x34, 0x56 )");
}

TEST(ThemeViewerText, LabelsFollowTheRoleOrder) {
    EXPECT_EQ(ColorRoleLabel(ColorRole::Text), u"普通文本");
    EXPECT_EQ(ColorRoleLabel(ColorRole::LineNoBkgnd), u"行号背景");
    EXPECT_EQ(ColorRoleLabel(ColorRole::Keyword1), u"关键字 - 1");
    EXPECT_EQ(ColorRoleLabel(ColorRole::String0), u"字符串 - 0");
    EXPECT_EQ(ColorRoleLabel(ColorRole::Seperator), u"高亮分割符");
    EXPECT_EQ(ColorRoleLabel(ColorRole::Border), u"代码边框");
    EXPECT_TRUE(ColorRoleLabel(static_cast<ColorRole>(kColorRoleCount)).empty());
}

}  // namespace
