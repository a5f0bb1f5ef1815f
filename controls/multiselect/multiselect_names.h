#pragma once
// Element names are multibyte text of the active ANSI code page. Cutting or
// splitting them byte by byte would tear a double-byte character apart, so
// every cut asks which bytes lead a pair. The window layer fills the table
// from the platform (IsDBCSLeadByteEx with CP_ACP); tests fill it with a rule.
#include <array>
#include <cstddef>
#include <cstdint>

// Bytes of a name field including its terminator.
constexpr size_t kElementNameBytes = 48;
constexpr size_t kElementNameMaxBytes = kElementNameBytes - 1;

struct LeadByteTable {
    std::array<bool, 256> lead{};  // all false: a single-byte code page

    bool IsLead(unsigned char byte) const { return lead[byte]; }
};

// Built once per control: a table lookup per byte keeps splitting long texts
// free of calls into the platform.
LeadByteTable MakeLeadByteTable(bool (*isLeadByte)(unsigned char byte));

// Copies at most maxBytes bytes of source into target and terminates it
// (target holds maxBytes + 1). A double-byte character that would straddle the
// cut is dropped whole. Returns the bytes copied.
size_t CopyNameCut(char* target, const char* source, size_t maxBytes, const LeadByteTable& leadBytes);

// Length of source up to its NUL or maxBytes, whichever comes first, so a
// caller's unterminated buffer is never read past its end.
size_t BoundedLength(const char* source, size_t maxBytes);

// A CR or LF among the first maxBytes bytes of name (or before its NUL) would
// end its line of the text format early: a floor named "a\nR:Cx" would come
// back with a phantom room. Such names are refused where names enter.
bool BreaksTextLine(const char* name, size_t maxBytes);
