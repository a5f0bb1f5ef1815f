#pragma once
// INI ("profile") files with the semantics of the Win32 private-profile
// functions. The program calls the Profile* functions; they are the real
// Win32 functions in the Windows build and the portable reader natively.
#include <cstdint>
#include "base/wide.h"

class ProfileDocument;

// GetPrivateProfileStringW: copies the value (or the default) truncated to
// size - 1 units into buffer and returns the number of units copied.
uint32_t ProfileGetString(const char16_t* section, const char16_t* key, const char16_t* defaultValue,
                          char16_t* buffer, uint32_t size, const char16_t* file);
// GetPrivateProfileIntW.
int32_t ProfileGetInt(const char16_t* section, const char16_t* key, int32_t defaultValue,
                      const char16_t* file);
// WritePrivateProfileStringW (value non-null). Refuses, writing nothing, an
// entry that ProfileEntryIsWritable rejects.
bool ProfileWriteString(const char16_t* section, const char16_t* key, const char16_t* value,
                        const char16_t* file);
// Whether an entry would be written as one line that reads back as itself:
// no line break in section, key or value, no '=' in the key and no key that
// starts like a section header.
bool ProfileEntryIsWritable(const char16_t* section, const char16_t* key, const char16_t* value);

// The portable implementation, available in both builds (the Windows build
// compares it with the real functions).
uint32_t PortableProfileGetString(const char16_t* section, const char16_t* key,
                                  const char16_t* defaultValue, char16_t* buffer, uint32_t size,
                                  const char16_t* file);
int32_t PortableProfileGetInt(const char16_t* section, const char16_t* key, int32_t defaultValue,
                              const char16_t* file);
bool PortableProfileWriteString(const char16_t* section, const char16_t* key, const char16_t* value,
                                const char16_t* file);

// The portable functions over a profile already in memory: the file ones
// load the file, call these and save what a write edited.
uint32_t ProfileDocumentGetString(const ProfileDocument& profile, const char16_t* section, const char16_t* key,
                                  const char16_t* defaultValue, char16_t* buffer, uint32_t size);
int32_t ProfileDocumentGetInt(const ProfileDocument& profile, const char16_t* section, const char16_t* key,
                              int32_t defaultValue);
enum class ProfileEdit { Refused, Unchanged, Edited };
ProfileEdit ProfileDocumentWriteString(ProfileDocument& profile, const char16_t* section, const char16_t* key,
                                       const char16_t* value);

// A setting read into its field of `size` units (NUL included). The platform
// takes the last character of a quoted value that exactly fills the buffer
// for the closing quote and drops it, so the value is read with one unit
// more and then cut to the field: a value that ProfileValueFor wrote at the
// field's length comes back whole, any other reads as with `size`.
uint32_t ProfileGetField(const char16_t* section, const char16_t* key, const char16_t* defaultValue,
                         char16_t* field, uint32_t size, const char16_t* file);
uint32_t ProfileDocumentGetField(const ProfileDocument& profile, const char16_t* section, const char16_t* key,
                                 const char16_t* defaultValue, char16_t* field, uint32_t size);

// The text to write for a value so that ProfileGetField gives the value
// back: a value the reader would unquote or trim goes inside one more pair
// of double quotes.
WString ProfileValueFor(WStringView value);
