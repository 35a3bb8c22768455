#include <errno.h>
#include <iconv.h>

#include <stdexcept>

#include "common/code_page.h"

namespace tarnwick {
namespace {

// The bytes of the unit at `source`: a UTF-16 surrogate pair is one character of four.
size_t UnitBytes(const char* source, size_t left, size_t unitSize) {
    const auto high = [&](size_t at) { return static_cast<unsigned char>(source[at + 1]) & 0xFC; };
    if (unitSize == 2 && left >= 4 && high(0) == 0xD8 && high(2) == 0xDC) return 4;
    return unitSize;
}

// One converter per direction and thread, opened on first use.
class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == iconv_t(-1)) throw std::runtime_error("no converter for code page 936");
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in` whole: where a unit of `unitSize` bytes has no form, `replacement` stands
    // for it and the conversion goes on after it.
    std::string Convert(std::string_view in, size_t unitSize, std::string_view replacement) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::string out(in.size() * 2 + 16, '\0');
        char* source = const_cast<char*>(in.data());
        size_t left = in.size();
        size_t used = 0;
        while (left > 0) {
            char* target = out.data() + used;
            size_t room = out.size() - used;
            const size_t result = iconv(handle_, &source, &left, &target, &room);
            used = out.size() - room;
            if (result != size_t(-1)) break;
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
            } else {  // EILSEQ or EINVAL: a unit without a form, or cut off at the end
                out.replace(used, replacement.size(), replacement);
                used += replacement.size();
                const size_t skip = std::min(UnitBytes(source, left, unitSize), left);
                source += skip;
                left -= skip;
                if (out.size() - used < 16) out.resize(out.size() * 2);
            }
        }
        out.resize(used);
        return out;
    }

  private:
    iconv_t handle_;
};

const std::string_view kQuestionMarkUtf16("?\0", 2);

}  // namespace

std::u16string Utf16FromCodePage936(std::string_view text) {
    thread_local Converter converter("UTF-16LE", "CP936");
    const std::string bytes = converter.Convert(text, 1, kQuestionMarkUtf16);
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        units[i] = char16_t(static_cast<unsigned char>(bytes[2 * i]) |
                            static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return units;
}

std::string CodePage936FromUtf16(std::u16string_view text) {
    thread_local Converter converter("CP936", "UTF-16LE");
    std::string bytes(text.size() * 2, '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = char(text[i] & 0xFF);
        bytes[2 * i + 1] = char(text[i] >> 8);
    }
    return converter.Convert(bytes, 2, "?");
}

}  // namespace tarnwick
