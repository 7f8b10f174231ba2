#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace tremvix::cli {

// Numbers as the C locale writes them, the whole text and nothing else: an optional
// sign, digits, fraction and exponent. Infinities and NaN are not numbers here.
std::optional<double> ParseReal(std::string_view text);
std::optional<int> ParseWhole(std::string_view text);

// Comma-separated lists; an empty item spoils the whole list.
std::optional<std::vector<double>> ParseRealList(std::string_view text);
std::optional<std::vector<int>> ParseWholeList(std::string_view text);

}  // namespace tremvix::cli
