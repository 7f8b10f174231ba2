#include "core/survey/SurveySort.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>
#include <optional>

namespace tremvix {
namespace {

std::optional<double> NumberOf(const std::string& text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

bool IsNumericColumn(const std::vector<const std::string*>& texts) {
    return std::all_of(texts.begin(), texts.end(), [](const std::string* t) { return t->empty() || NumberOf(*t); });
}

std::vector<std::size_t> SortOrder(const std::vector<std::string>& column, bool ascending) {
    std::vector<const std::string*> texts;
    for (const std::string& text : column) texts.push_back(&text);
    const bool numeric = IsNumericColumn(texts);
    std::vector<double> numbers(column.size());
    if (numeric)
        for (std::size_t k = 0; k < column.size(); ++k) numbers[k] = column[k].empty() ? 0.0 : *NumberOf(column[k]);
    std::vector<std::size_t> order(column.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const bool emptyA = column[a].empty();
        const bool emptyB = column[b].empty();
        if (emptyA || emptyB) return !emptyA && emptyB;
        if (numeric) return ascending ? numbers[a] < numbers[b] : numbers[b] < numbers[a];
        return ascending ? column[a] < column[b] : column[b] < column[a];
    });
    return order;
}

}  // namespace tremvix
