#include "engine/emitter.h"

#include <cstring>
#include "app/helpers.h"

EngineAllocator DefaultEngineAllocator() { return {MEM_Alloc, MEM_Free}; }

Emitter::Emitter(OutputSink& output, const ColorTheme& colours, int32_t tabWidth, const EscapeTable& table,
                 EngineAllocator engineAllocator)
    : sink(&output),
      theme(&colours),
      tabToSpaces(tabWidth),
      escapes(&table),
      allocator(engineAllocator),
      openSpanColour{},
      openSpanLength(0),
      lastCharacter(0) {}

static void Write(Emitter& emitter, WStringView text, ColorRef color, bool bold) {
    if (text.empty()) return;
    emitter.sink->Append(text.data(), text.size(), color, bold);
    emitter.lastCharacter = text.back();
}

void WriteMarkup(Emitter& emitter, WStringView text) { Write(emitter, text, kMarkupColor, false); }

void WriteContent(Emitter& emitter, WStringView text, ColorRef color, bool bold) {
    Write(emitter, text, color, bold);
}

void SwitchSpan(Emitter& emitter, const ThemeColor& entry) {
    const WStringView colour = FieldView(entry.html);
    if (colour == WStringView(emitter.openSpanColour, emitter.openSpanLength)) return;
    if (emitter.openSpanLength) WriteMarkup(emitter, u"</span>");
    std::memcpy(emitter.openSpanColour, colour.data(), colour.size() * sizeof(char16_t));
    emitter.openSpanLength = colour.size();

    Chunk tag;
    tag << u"<span style=\"color:" << colour << u"\">";
    WriteMarkup(emitter, tag.View());
}

Chunk& Chunk::operator<<(long long value) {
    char16_t digits[24];
    char16_t* const end = digits + 24;
    char16_t* p = end;
    unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value) : value;
    do *--p = static_cast<char16_t>(u'0' + magnitude % 10);
    while (magnitude /= 10);
    if (value < 0) *--p = u'-';
    return *this << WStringView(p, static_cast<size_t>(end - p));
}

void CloseSpan(Emitter& emitter) {
    if (emitter.openSpanLength) WriteMarkup(emitter, u"</span>");
    emitter.openSpanLength = 0;
}
