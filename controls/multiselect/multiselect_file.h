#pragma once
// Where a saved building lands: a save writes a temporary file beside its
// target and puts it in the target's place only once it is whole, so a full
// disk or a failing write never costs the user the file that was there.
// multiselect_file_native.cpp and multiselect_file_win.cpp hold the platform
// calls.

// Whether path is saved through a temporary file: a new name or a plain file.
// A device, a pipe or a link is written in place, since putting a file in
// its place would replace the device or the link itself.
bool SavesThroughTemporary(const char* path);
// Puts the finished temporary file in the target's place, keeping the
// target's permissions where it existed. False leaves the target untouched.
bool ReplaceWithTemporary(const char* temporary, const char* target);
