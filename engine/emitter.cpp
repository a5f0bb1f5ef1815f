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
      openSpanRole(-1),
      lastCharacter(0),
      batching(output.KeepsTextOnly()),
      batchLength(0) {
    for (int role = 0; role < kColorRoleCount; ++role) {
        SpanTag& span = spanTags[role];
        span.colour = FieldView(colours.colors[role].html);
        span.tag << u"<span style=\"color:" << span.colour << u"\">";
    }
}

void Emitter::FlushBatch() {
    if (batchLength) sink->Append(batch, batchLength, kMarkupColor, false);
    batchLength = 0;
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

void SwitchSpan(Emitter& emitter, ColorRole role) {
    const int index = static_cast<int>(role);
    if (index == emitter.openSpanRole) return;
    const Emitter::SpanTag& span = emitter.spanTags[index];
    emitter.openSpanRole = index;
    if (span.colour == WStringView(emitter.openSpanColour, emitter.openSpanLength)) return;
    if (emitter.openSpanLength) WriteMarkup(emitter, u"</span>");
    std::memcpy(emitter.openSpanColour, span.colour.data(), span.colour.size() * sizeof(char16_t));
    emitter.openSpanLength = span.colour.size();
    WriteMarkup(emitter, span.tag.View());
}

void CloseSpan(Emitter& emitter) {
    if (emitter.openSpanLength) WriteMarkup(emitter, u"</span>");
    ForgetOpenSpan(emitter);
}
