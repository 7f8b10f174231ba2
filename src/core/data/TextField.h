#pragma once

#include <string_view>

namespace tremvix {

// Copies header text into a fixed-width record field (ChannelId, PointName, Memo,
// Unit). The field always ends up NUL-terminated with the rest zero-filled. Text of
// more than width - 1 bytes is cut at a character boundary: at a UTF-8 boundary
// when the text is valid UTF-8, otherwise never inside a double-byte Shift-JIS
// character. A width below 1 leaves dest alone.
void CopyTextField(char* dest, int width, std::string_view src);

// Longest prefix of src, at most maxBytes long, that ends on a character boundary
// (the rule above).
std::size_t CharacterBoundaryCut(std::string_view src, std::size_t maxBytes);

bool IsValidUtf8(std::string_view text);

}  // namespace tremvix
