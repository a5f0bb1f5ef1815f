#pragma once
// The command line's input as the code pane would hold it.
#include <optional>
#include <string_view>
#include "config/wide.h"

// UTF-8 (with or without a byte-order mark) or UTF-16 with a byte-order
// mark, to UTF-16 with every line end (LF, CR LF or CR) made CR LF. Empty
// when the bytes are no valid text in these encodings.
std::optional<WString> DecodeCodeText(std::string_view bytes);
