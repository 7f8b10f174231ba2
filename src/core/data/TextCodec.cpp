#include "core/data/TextCodec.h"

#include "core/data/TextField.h"

#include <iconv.h>

#include <memory>
#include <type_traits>
#include <vector>

namespace tremvix {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The last resort when the C library has no CP932: each byte as the character of that number.
std::string FromLatin1(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

using Converter = std::unique_ptr<std::remove_pointer_t<iconv_t>, int (*)(iconv_t)>;

std::string FromShiftJis(std::string_view bytes) {
    const iconv_t opened = iconv_open("UTF-8", "CP932");
    if (opened == reinterpret_cast<iconv_t>(-1)) return FromLatin1(bytes);
    const Converter converter(opened, iconv_close);
    std::string input(bytes);
    // At most three bytes of UTF-8 for each byte read, a replacement included.
    std::vector<char> output(bytes.size() * 3 + 4);
    char* in = input.data();
    char* out = output.data();
    std::size_t inLeft = input.size(), outLeft = output.size();
    while (inLeft > 0) {
        if (iconv(converter.get(), &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) break;
        if (outLeft < kReplacement.size()) break;
        // A lead byte cut off by the end or by a byte that cannot follow it is replaced
        // alone, and the byte after it is read anew.
        for (const char c : kReplacement) *out++ = c;
        outLeft -= kReplacement.size();
        ++in, --inLeft;
    }
    return std::string(output.data(), out);
}

}  // namespace

std::string TextAsUtf8(std::string_view bytes) { return IsValidUtf8(bytes) ? std::string(bytes) : FromShiftJis(bytes); }

}  // namespace tremvix
