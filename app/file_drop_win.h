#pragma once
// Code files dropped on the program (WM_DROPFILES).
#include <windows.h>
#include <shellapi.h>

struct LanguageTable;

// Puts a file's text in place of the code pane's whole text, as one undoable
// edit, decoded as lumatype-cli decodes its input (CR LF line ends), and
// selects in the language combo (item data: record index in `table`) the
// first language whose Extensions= lists the file's extension, when one
// does. A file that cannot be read or decoded leaves the pane as it was and
// is reported in a message box. True when the file was loaded.
bool LoadCodeFile(HWND owner, const wchar_t* path, HWND codePane, HWND languageCombo, const LanguageTable* table);

// LoadCodeFile for the first file of a drop; releases the drop.
bool LoadDroppedFile(HWND owner, HDROP drop, HWND codePane, HWND languageCombo, const LanguageTable* table);
