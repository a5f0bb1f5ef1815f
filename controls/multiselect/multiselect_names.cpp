#include "controls/multiselect/multiselect_names.h"

LeadByteTable MakeLeadByteTable(bool (*isLeadByte)(unsigned char byte)) {
    LeadByteTable table;
    for (size_t byte = 0; byte < table.lead.size(); ++byte) {
        table.lead[byte] = isLeadByte(static_cast<unsigned char>(byte));
    }
    return table;
}

size_t BoundedLength(const char* source, size_t maxBytes) {
    size_t length = 0;
    while (length < maxBytes && source[length] != '\0') {
        ++length;
    }
    return length;
}

bool BreaksTextLine(const char* name, size_t maxBytes) {
    for (size_t at = 0; at < maxBytes && name[at] != '\0'; ++at) {
        if (name[at] == '\r' || name[at] == '\n') {
            return true;
        }
    }
    return false;
}

size_t CopyNameCut(char* target, const char* source, size_t maxBytes, const LeadByteTable& leadBytes) {
    size_t copied = 0;
    while (copied < maxBytes && source[copied] != '\0') {
        const bool pair = leadBytes.IsLead(static_cast<unsigned char>(source[copied]));
        if (pair) {
            // Both bytes or neither: a lone lead byte would swallow the
            // terminator when the name is shown.
            if (copied + 1 >= maxBytes || source[copied + 1] == '\0') {
                break;
            }
            target[copied] = source[copied];
            ++copied;
        }
        target[copied] = source[copied];
        ++copied;
    }
    target[copied] = '\0';
    return copied;
}
