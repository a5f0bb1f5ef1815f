#pragma once
// What the About dialog says: the version line and the About text.
#include "base/wide.h"

// "Lumatype 代码转换 <major>.<minor> 版", of the version lumatype-cli --version prints.
WStringView AboutVersionLine();
// The five pieces of the About text, in the order they are appended: the
// purpose, language and contact sentences run on as one paragraph, then an
// empty line, the blog line and the signature line.
constexpr int kAboutPieceCount = 5;
WStringView AboutPiece(int index);
