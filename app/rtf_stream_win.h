#pragma once
#include <windows.h>

#include "app/rtf_sink.h"

// Replaces the rich-edit pane's content with the document in one
// EM_STREAMIN. False when the pane did not take all of it.
bool StreamRtfIntoPane(HWND pane, const RtfSink::Document& document);
