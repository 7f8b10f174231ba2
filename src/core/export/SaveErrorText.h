#pragma once

#include <string>

namespace tremvix {

// Why a save failed, in the user's words (UTF-8 Japanese) for the errno values a
// user can act on; empty for the others, whose system text the caller shows instead.
std::string SaveErrorReason(int errorNumber);

}  // namespace tremvix
