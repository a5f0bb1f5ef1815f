#include "app/about_text.h"

#include "lumatype_version.h"

namespace {

constexpr char16_t kVersionLine[] = u"Lumatype 代码转换 " LUMATYPE_VERSION_MAJOR_MINOR u" 版";

constexpr const char16_t* kPieces[kAboutPieceCount] = {
    u"    此工具用于将编程语言代码转换成 HTML 文本，以方便插入到非技术性质的论坛和博客。",
    u"支持C/C++, C# 等多种编程语言，并且支持用户执行扩展和添加新的编程语言。",
    u"如果您有任何问题，欢迎到我的博客咨询和留言，或发送邮件至：lumatype@example.com;\r\n\r\n",
    u"    我的技术博客：https://blog.example.org/lumatype\r\n",
    u"    Kestrune 工作室  2026 年 12 月",
};

}  // namespace

WStringView AboutVersionLine() { return kVersionLine; }

WStringView AboutPiece(int index) { return kPieces[index]; }
