#include "core/data/TextField.h"

#include <cstring>

namespace tremvix {
namespace {

unsigned char Byte(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

bool IsShiftJisLead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Length of the UTF-8 sequence starting at i, or 0 when it is not well formed
// (overlong forms, surrogates and code points past U+10FFFF included).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const unsigned char b = Byte(text, i);
    if (b < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0) {
            low = 0xA0;
        }
        if (b == 0xED) {
            high = 0x9F;
        }
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0) {
            low = 0x90;
        }
        if (b == 0xF4) {
            high = 0x8F;
        }
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    const unsigned char second = Byte(text, i + 1);
    if (second < low || second > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (!IsContinuation(Byte(text, i + k))) {
            return 0;
        }
    }
    return length;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

std::size_t CharacterBoundaryCut(std::string_view src, std::size_t maxBytes) {
    if (src.size() <= maxBytes) {
        return src.size();
    }
    if (IsValidUtf8(src)) {
        std::size_t cut = maxBytes;
        while (cut > 0 && IsContinuation(Byte(src, cut))) {
            --cut;
        }
        return cut;
    }
    std::size_t cut = 0;
    while (cut < src.size()) {
        const std::size_t step = IsShiftJisLead(Byte(src, cut)) && cut + 1 < src.size() ? 2 : 1;
        if (cut + step > maxBytes) {
            break;
        }
        cut += step;
    }
    return cut;
}

void CopyTextField(char* dest, int width, std::string_view src) {
    if (width < 1) {
        return;
    }
    const std::size_t size = static_cast<std::size_t>(width);
    const std::size_t length = CharacterBoundaryCut(src, size - 1);
    std::memcpy(dest, src.data(), length);
    std::memset(dest + length, 0, size - length);
}

}  // namespace tremvix
