#pragma once
// Decoders of the 8-bit code pages whose text both builds must read alike, so
// they do not depend on the platform's conversion tables.
#include <cstddef>
#include <string_view>

// Windows-1252: typographic characters at 0x80-0x9F, where Latin-1 has C1
// controls. The five bytes the code page leaves undefined read as the
// controls of the same number, as the platform reads them, so no byte fails.
char16_t Windows1252Unit(unsigned char byte);

// One character of GBK as Windows code page 936 maps it (0x80 is the euro
// sign, the user-defined areas lie in the private use area), at bytes[i]: its
// UTF-16 unit, with i moved past it; -1, with i moved one byte on, when
// bytes[i] begins no character (0xFF, a lead byte without a trail byte).
long DecodeGbkCharacter(std::string_view bytes, size_t& i);

// Whether a two-byte GBK code lies in GB 2312's symbol rows (A1-A9) or hanzi
// rows (B0-F7), where Chinese text keeps nearly all of its characters.
bool InGb2312Rows(unsigned char lead, unsigned char trail);
