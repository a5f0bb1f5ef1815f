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
      openSpan(-1),
      lastCharacter(0),
      batching(output.KeepsTextOnly()),
      batchLength(0) {
    for (int role = 0; role < kColorRoleCount; ++role) {
        SpanTag& span = spanTags[role];
        const WStringView colour = FieldView(colours.colors[role].html);
        span.colour = colour.empty() ? -1 : role;
        for (int earlier = 0; earlier < role && span.colour == role; ++earlier)
            if (FieldView(colours.colors[earlier].html) == colour) span.colour = earlier;
        span.tag << u"<span style=\"color:" << colour << u"\">";
    }
}

void Emitter::FlushBatch() {
    if (batchLength) sink->Append(batch, batchLength, kMarkupColor, false);
    batchLength = 0;
}

void WriteChunk(Emitter& emitter, WStringView text, ColorRef color, bool bold) {
    if (text.empty()) return;
    emitter.lastCharacter = text.back();
    if (emitter.batching) {
        if (text.size() > Emitter::kBatchLength - emitter.batchLength) emitter.FlushBatch();
        if (text.size() <= Emitter::kBatchLength) {
            std::memcpy(emitter.batch + emitter.batchLength, text.data(), text.size() * sizeof(char16_t));
            emitter.batchLength += text.size();
            return;
        }
    }
    emitter.sink->Append(text.data(), text.size(), color, bold);
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

// An empty colour text opens `<span style="color:">` after another span and
// nothing when none is open; either way no span counts as open afterwards.
void OpenSpan(Emitter& emitter, ColorRole role) {
    const Emitter::SpanTag& span = emitter.spanTags[static_cast<int>(role)];
    if (SpanIsOpen(emitter)) WriteMarkup(emitter, u"</span>");
    emitter.openSpan = span.colour;
    WriteMarkup(emitter, span.tag.View());
}

void CloseSpan(Emitter& emitter) {
    if (SpanIsOpen(emitter)) WriteMarkup(emitter, u"</span>");
    ForgetOpenSpan(emitter);
}
