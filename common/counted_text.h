// Counted texts: the form in which texts cross the boundary between the program and the version
// library. A text is a pointer to its first byte; the text is zero-terminated, in code page 936
// whatever the system's code page, and the 32-bit length in bytes stands in the 4 bytes before the
// first byte, the 32-bit reference count in the 4 bytes before those (-1 for a text that is never
// released). The empty text is a null pointer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

struct CountedTextHeader {
    int32_t refCount;
    int32_t length;
};

inline constexpr int32_t kConstantRefCount = -1;

// The layout is an interface: fixed here for every build.
static_assert(sizeof(CountedTextHeader) == 8);
static_assert(offsetof(CountedTextHeader, refCount) == 0);
static_assert(offsetof(CountedTextHeader, length) == 4);
static_assert(alignof(CountedTextHeader) == 4);

inline const CountedTextHeader* HeaderOf(const char* text) {
    return reinterpret_cast<const CountedTextHeader*>(text) - 1;
}

// The bytes of a counted text, without its terminating zero.
inline std::string_view CountedView(const char* text) {
    if (!text) return {};
    const int32_t length = HeaderOf(text)->length;
    return {text, length > 0 ? size_t(length) : 0};
}

// A counted text held by its maker and only lent to the other side: its count is -1, so the
// receiver never releases it.
class LentText {
  public:
    explicit LentText(std::string_view text)
        : block_(1 +
                 (text.size() + 1 + sizeof(CountedTextHeader) - 1) / sizeof(CountedTextHeader)) {
        auto* header = reinterpret_cast<CountedTextHeader*>(block_.data());
        header->refCount = kConstantRefCount;
        header->length = int32_t(text.size());
        text.copy(reinterpret_cast<char*>(header + 1), text.size());
        empty_ = text.empty();
    }
    // The text as it crosses the boundary: null when empty.
    const char* Get() const {
        return empty_ ? nullptr : reinterpret_cast<const char*>(block_.data() + 1);
    }

  private:
    std::vector<CountedTextHeader> block_;  // value-initialised: the text's zero is there
    bool empty_ = true;
};

// Counted texts made for the other side of the boundary. Both sides allocate and release them
// through the Windows process heap (GetProcessHeap), the one allocator that a program and a
// library share whatever runtime each was linked with.
// A new text with count 1 (null for the empty text).
char* NewCountedText(std::string_view text);
// Lowers the count and frees the text at zero; texts with count -1 and null are left alone.
void ReleaseCountedText(char* text);

// A counted text received from the other side, released when this goes.
class ReceivedText {
  public:
    ReceivedText() = default;
    ~ReceivedText() { ReleaseCountedText(text_); }
    ReceivedText(const ReceivedText&) = delete;
    ReceivedText& operator=(const ReceivedText&) = delete;

    // The variable the other side stores its text in; empty on entry.
    char** Variable() { return &text_; }
    const char* Get() const { return text_; }
    std::string Text() const { return std::string(CountedView(text_)); }

  private:
    char* text_ = nullptr;
};

}  // namespace tarnwick
