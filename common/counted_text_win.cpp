#include <windows.h>

#include "common/counted_text.h"

namespace tarnwick {

char* NewCountedText(std::string_view text) {
    if (text.empty()) return nullptr;
    auto* header = static_cast<CountedTextHeader*>(
        HeapAlloc(GetProcessHeap(), 0, sizeof(CountedTextHeader) + text.size() + 1));
    if (!header) return nullptr;
    header->refCount = 1;
    header->length = int32_t(text.size());
    char* chars = reinterpret_cast<char*>(header + 1);
    text.copy(chars, text.size());
    chars[text.size()] = '\0';
    return chars;
}

void ReleaseCountedText(char* text) {
    if (!text) return;
    auto* header = reinterpret_cast<CountedTextHeader*>(text) - 1;
    if (header->refCount == kConstantRefCount) return;
    if (InterlockedDecrement(reinterpret_cast<LONG*>(&header->refCount)) == 0) {
        HeapFree(GetProcessHeap(), 0, header);
    }
}

}  // namespace tarnwick
