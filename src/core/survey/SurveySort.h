#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tremvix {

// True when every non-empty text is a number as the survey writes them.
bool IsNumericColumn(const std::vector<const std::string*>& texts);

// The order of the rows sorted by one column of texts: numerically when the column is
// numeric, else by the texts' bytes (UTF-8 code points); empty texts last in either
// direction; rows that compare equal keep their order.
std::vector<std::size_t> SortOrder(const std::vector<std::string>& column, bool ascending);

}  // namespace tremvix
