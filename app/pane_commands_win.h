#pragma once
// The commands that work on the two panes directly: Clear, Paste, Copy.
#include <windows.h>

// Empties the code pane as one undoable edit.
void ClearCode(HWND codePane);
// Replaces the code pane's selection with the clipboard's Unicode text, its
// line ends made CR LF, as one undoable edit. Non-zero when the clipboard
// held text and could be opened.
int PasteCode(HWND owner, HWND codePane);
// Puts the HTML pane's text on the clipboard, as Unicode text and as "HTML
// Format", and confirms it; the text alone, confirmed too, when "HTML
// Format" cannot be had. 0, the clipboard as it was, when the pane is empty
// or memory runs out for the text; 0 with a message when the clipboard
// refuses the text.
int CopyHtml(HWND owner, HWND htmlPane);
