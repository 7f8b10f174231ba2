#include "cli/OptionValues.h"

#include <charconv>
#include <cmath>

namespace tremvix::cli {
namespace {

// from_chars takes no "+"; a second sign after it must not slip through.
std::string_view WithoutPlus(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
    return text;
}

// Only digits, signs, points and exponents: from_chars would also read "inf" and "nan".
bool LooksDecimal(std::string_view text) {
    for (const char c : text) {
        const bool allowed = (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
        if (!allowed) return false;
    }
    return !text.empty();
}

template <typename Number, typename Parse>
std::optional<std::vector<Number>> ParseList(std::string_view text, Parse parse) {
    std::vector<Number> values;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::optional<Number> value = parse(text.substr(0, comma));
        if (!value) return std::nullopt;
        values.push_back(*value);
        if (comma == std::string_view::npos) return values;
        text.remove_prefix(comma + 1);
    }
}

// "1000000", "0.5": the bounds as people write them.
std::string PlainText(double value) {
    char text[400];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return error == std::errc() ? std::string(text, end) : std::string();
}

}  // namespace

std::optional<double> ParseReal(std::string_view text) {
    text = WithoutPlus(text);
    if (!LooksDecimal(text)) return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int> ParseWhole(std::string_view text) {
    text = WithoutPlus(text);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<std::vector<double>> ParseRealList(std::string_view text) {
    return ParseList<double>(text, ParseReal);
}

std::optional<std::vector<int>> ParseWholeList(std::string_view text) {
    return ParseList<int>(text, ParseWhole);
}

bool ValueRange::Holds(double value) const {
    const bool aboveLow = lowIncluded ? value >= low : value > low;
    const bool belowHigh = highIncluded ? value <= high : value < high;
    return aboveLow && belowHigh;
}

std::string ValueRange::Text() const {
    return PlainText(low) + (lowIncluded ? " 以上 " : " より大きく ") + PlainText(high) +
           (highIncluded ? " 以下" : " 未満");
}

std::optional<std::string> OutOfRange(std::string_view option, const std::vector<double>& values,
                                      const ValueRange& range, std::string_view text) {
    for (const double value : values)
        if (!range.Holds(value))
            return std::string(option) + " の値は " + range.Text() + "で指定してください: " + std::string(text);
    return std::nullopt;
}

std::optional<std::vector<ChannelChoice>> ParseChannelChoices(std::string_view text) {
    return ParseList<ChannelChoice>(text, [](std::string_view item) -> std::optional<ChannelChoice> {
        if (item.empty()) return std::nullopt;
        if (const std::optional<int> number = ParseWhole(item)) {
            if (*number < 1) return std::nullopt;
            return ChannelChoice{*number, {}};
        }
        return ChannelChoice{0, std::string(item)};
    });
}

std::string ChoiceText(const ChannelChoice& choice) {
    return choice.number > 0 ? std::to_string(choice.number) : choice.name;
}

}  // namespace tremvix::cli
