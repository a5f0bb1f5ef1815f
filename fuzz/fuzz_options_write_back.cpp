// The options write-back followed by the profile reader, in memory: each
// text the dialog may hand over is cut to its field, written as
// ProfileValueFor writes it into a settings file of any encoding and layout,
// and must read back exactly as kept through ProfileDocumentGetField, the
// reader of the settings, after the file went through its bytes; the file's
// other keys keep their values.
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>
#include "config/profile.h"
#include "config/profile_document.h"

namespace {

// Layouts the write meets: the key there, absent, without '=', in another
// case, in a section written twice, no section at all, and an empty file.
const char* const kLayouts[] = {
    ("[Common]\r\nTabToSpaces=4\r\nfont_family=Consolas, 'Courier New', monospace\r\nfont_size=13px\r\n"
     "border_size=2px\r\nColorTheme=1\r\n[Other]\r\nfont_size=keep\r\n"),
    "[Other]\r\nfont_size=keep\r\n[Common]\r\nTabToSpaces=4\r\nColorTheme=1",
    "[common]\nFONT_SIZE\nTabToSpaces = 4\n\n[Common]\nfont_family = \"x\" \nColorTheme=1\n[Other]\nfont_size=keep\n",
    "TabToSpaces=9\r\n[Other]\r\nfont_size=keep\r\n[Common]\r\n;font_size=c\r\nTabToSpaces=4\r\nColorTheme=1\r\n",
    "",
};

// Units a dialog field may hold, blanks and quotes often. Surrogates only go
// to UTF-16 files: the 8-bit encodings have no form for a lone one.
const char16_t kUnits[] = u"x ' \"\t\v\f\x1A=;[]#\x01\u4E2D\u3000\u00E9";
constexpr size_t kUnitCount = sizeof kUnits / sizeof kUnits[0] - 1;

WString ConsumeValue(FuzzedDataProvider& input, size_t most, bool surrogates) {
    const size_t length = input.ConsumeIntegralInRange<size_t>(0, most);
    WString value;
    for (size_t i = 0; i < length && input.remaining_bytes() > 0; ++i) {
        const uint8_t pick = input.ConsumeIntegral<uint8_t>();
        if (surrogates && pick >= 0xF0) value += static_cast<char16_t>(pick & 1 ? 0xD83D : 0xDE00);
        else value += kUnits[pick % kUnitCount];
    }
    return value;
}

std::string Encode(WStringView text, int encoding) {
    std::string bytes = encoding == 1 ? "\xEF\xBB\xBF" : encoding == 2 ? "\xFF\xFE" : encoding == 3 ? "\xFE\xFF" : "";
    for (char16_t c : text) {
        if (encoding < 2) bytes += static_cast<char>(c);  // the layouts are ASCII
        else if (encoding == 2) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        else bytes += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    }
    return bytes;
}

struct Field {
    const char16_t* key;
    uint32_t size;
};
const Field kFields[] = {{u"font_family", 256}, {u"font_size", 16}, {u"border_size", 16}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const char* layout = kLayouts[input.ConsumeIntegralInRange<size_t>(0, std::size(kLayouts) - 1)];
    const int encoding = input.ConsumeIntegralInRange<int>(0, 3);
    ProfileDocument profile(Encode(WString(layout, layout + std::char_traits<char>::length(layout)), encoding));
    const int32_t tab = ProfileDocumentGetInt(profile, u"Common", u"TabToSpaces", -1);
    char16_t other[16];
    ProfileDocumentGetField(profile, u"Other", u"font_size", u"", other, 16);

    WString kept[std::size(kFields)];
    for (size_t i = 0; i < std::size(kFields); ++i) {
        kept[i] = ConsumeValue(input, kFields[i].size + 2, encoding >= 2).substr(0, kFields[i].size - 1);
        if (ProfileDocumentWriteString(profile, u"Common", kFields[i].key, ProfileValueFor(kept[i]).c_str()) ==
            ProfileEdit::Refused)
            __builtin_trap();
    }
    const ProfileDocument reread(profile.Bytes());
    for (size_t i = 0; i < std::size(kFields); ++i) {
        std::vector<char16_t> field(kFields[i].size);
        ProfileDocumentGetField(reread, u"Common", kFields[i].key, u"<absent>", field.data(), kFields[i].size);
        if (WStringView(field.data()) != kept[i]) __builtin_trap();
    }
    char16_t otherAfter[16];
    ProfileDocumentGetField(reread, u"Other", u"font_size", u"", otherAfter, 16);
    if (ProfileDocumentGetInt(reread, u"Common", u"TabToSpaces", -1) != tab || WStringView(other) != otherAfter)
        __builtin_trap();
    return 0;
}
