// Language definition files: parsing any bytes must stay inside the record's
// fields and keyword store, and lookups must stay inside the store.
#include "base/memory.h"
#include "engine/language.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LanguageInfo record{};
    ParseLanguageText(&record, std::string_view(reinterpret_cast<const char*>(data), size));
    static const char16_t* const words[] = {u"int", u"INT", u"#include", u"_x", u"9", u"", u"\u4E2D"};
    for (const char16_t* word : words) FindKeyword(&record, word);
    MEM_Free(record.keywords);
    return 0;
}
