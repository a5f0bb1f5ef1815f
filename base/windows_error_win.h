#pragma once
// Messages of file access are English UTF-8 in both builds: a Windows
// error is named by the C library's words for its errno, not by the
// system's localised text in the ANSI code page.
#include <windows.h>

#include <string>

int ErrnoOfWindowsError(DWORD error);
std::string DescribeWindowsError(DWORD error);
