#include "engine/emitter.h"

#include <cstring>
#include "base/memory.h"

EngineAllocator DefaultEngineAllocator() { return {MEM_Alloc, MEM_Free}; }

Emitter::Emitter(OutputSink& output, const ColorTheme& colours, int32_t tabWidth, const EscapeTable& table,
                 EngineAllocator engineAllocator, HtmlMarkup htmlMarkup)
    : sink(&output),
      theme(&colours),
      tabToSpaces(tabWidth),
      escapes(&table),
      allocator(engineAllocator),
      markup(htmlMarkup),
      openSpan(-1),
      batching(output.KeepsTextOnly()),
      batchLength(0),
      inlineLimit(batching ? kBatchLength - kInlineLength + 1 : 0),
      lastFlushed(0),
      closeSpanTag(htmlMarkup == HtmlMarkup::FontTags ? u"</font>" : u"</span>") {
    for (int role = 0; role < kColorRoleCount; ++role) {
        SpanTag& span = spanTags[role];
        const WStringView colour = FieldView(colours.colors[role].html);
        span.colour = colour.empty() ? -1 : role;
        for (int earlier = 0; earlier < role && span.colour == role; ++earlier)
            if (FieldView(colours.colors[earlier].html) == colour) span.colour = earlier;
        if (htmlMarkup == HtmlMarkup::FontTags)
            span.tag << u"<font color=\"" << colour << u"\">";
        else
            span.tag << u"<span style=\"color:" << colour << u"\">";
    }
}

void Emitter::FlushBatch() {
    if (!batchLength) return;
    lastFlushed = batch[batchLength - 1];
    sink->Append(batch, batchLength, kMarkupColor, false);
    batchLength = 0;
}

void WriteChunk(Emitter& emitter, WStringView text, ColorRef color, bool bold) {
    if (text.empty()) return;
    if (emitter.batching) {
        if (text.size() > Emitter::kBatchLength - emitter.batchLength) emitter.FlushBatch();
        if (text.size() <= Emitter::kBatchLength) {
            std::memcpy(emitter.batch + emitter.batchLength, text.data(), text.size() * sizeof(char16_t));
            emitter.batchLength += text.size();
            return;
        }
    }
    emitter.lastFlushed = text.back();
    emitter.sink->Append(text.data(), text.size(), color, bold);
}

void WriteEscapedInSlices(Emitter& emitter, WStringView text, TabStops* stops) {
    const size_t longest = emitter.escapes->LongestReplacement();
    while (!text.empty()) {
        // Slices that fit the batch even when every character is replaced;
        // EscapeHtml ends each with a NUL.
        const size_t room = Emitter::kBatchLength - emitter.batchLength;
        const size_t fit = room > longest ? (room - 1) / longest : 0;
        if (fit == 0) {
            emitter.FlushBatch();
            continue;
        }
        const WStringView slice = text.substr(0, fit);
        const size_t length = EscapeHtml(*emitter.escapes, slice, slice.data()[-1],
                                         emitter.batch + emitter.batchLength, stops);
        emitter.batchLength += length;
        text.remove_prefix(slice.size());
    }
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

// An empty colour text opens `<span style="color:">` (`<font color="">`) after another span and
// nothing when none is open; either way no span counts as open afterwards.
void OpenSpan(Emitter& emitter, ColorRole role) {
    const Emitter::SpanTag& span = emitter.spanTags[static_cast<int>(role)];
    if (SpanIsOpen(emitter)) WriteMarkup(emitter, emitter.closeSpanTag);
    emitter.openSpan = span.colour;
    WriteMarkup(emitter, span.tag.View());
}
