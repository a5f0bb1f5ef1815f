#pragma once
// The clipboard's "HTML Format": rich editors (forum boxes, mail, word
// processors) paste it as formatted text, where plain-text targets take the
// Unicode text beside it.
#include <string>
#include "base/wide.h"

// A CF_HTML document holding `fragment` (HTML source) as UTF-8: the header
// names the byte offsets of the document and of the fragment within it, each
// as ten zero-padded digits so the header's own length is fixed.
std::string ClipboardHtml(WStringView fragment);
