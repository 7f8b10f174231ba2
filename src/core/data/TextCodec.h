#pragma once

#include <string>
#include <string_view>

namespace tremvix {

// Header texts are kept as the bytes of the file. As text they read as UTF-8 when they
// are valid UTF-8, and as Shift-JIS (CP932) otherwise; a byte that is no Shift-JIS
// reads as U+FFFD.
std::string TextAsUtf8(std::string_view bytes);

}  // namespace tremvix
