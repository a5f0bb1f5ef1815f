#include "app/theme_viewer.h"

namespace {

const char16_t* const kRoleLabels[kColorRoleCount] = {
    u"普通文本",   u"背景",       u"注释",       u"数字",       u"行号",       u"行号背景",
    u"关键字 - 0", u"关键字 - 1", u"关键字 - 2", u"关键字 - 3", u"字符串 - 0", u"字符串 - 1",
    u"字符串 - 2", u"字符串 - 3", u"高亮分割符", u"代码边框",
};

void AppendHexByte(WString& out, unsigned byte) {
    static const char16_t kDigits[] = u"0123456789ABCDEF";
    out += u"0x";
    out += kDigits[(byte >> 4) & 0xF];
    out += kDigits[byte & 0xF];
}

}  // namespace

WStringView ColorRoleLabel(ColorRole role) {
    const int index = static_cast<int>(role);
    return index >= 0 && index < kColorRoleCount ? WStringView(kRoleLabels[index]) : WStringView();
}

WString ColorComponentsText(ColorRef color) {
    WString text = u"( ";
    AppendHexByte(text, color & 0xFF);
    text += u", ";
    AppendHexByte(text, (color >> 8) & 0xFF);
    text += u", ";
    AppendHexByte(text, (color >> 16) & 0xFF);
    text += u" )";
    return text;
}
