#pragma once

#include <string>
#include <string_view>

namespace tremvix {

// A CSV field: quoted, with its quotes doubled, where it holds a comma, a quote or a line end.
std::string CsvField(std::string_view text);

// The shortest C-locale text that reads back to the same value.
std::string ShortestText(double value);
std::string ShortestText(float value);

}  // namespace tremvix
