#pragma once

#include <optional>
#include <string>
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

// The values an option accepts: an interval, each end in or out.
struct ValueRange {
    double low = 0.0;
    double high = 0.0;
    bool lowIncluded = true;
    bool highIncluded = true;

    bool Holds(double value) const;
    // "0 以上 1 未満" and the like, for the message.
    std::string Text() const;
};

// What the windows and the analyses accept, kept here for every command alike.
// Rates: the whole-hertz rates the main window keeps its filters and time axis at.
inline constexpr ValueRange kRateRange{1.0, 1.0e6, true, true};
// Fractions of critical damping the oscillator is defined for.
inline constexpr ValueRange kDampingRange{0.0, 1.0, true, false};
// Periods in seconds up to the end of the spectrum window's period axis.
inline constexpr ValueRange kPeriodRange{0.0, 1000.0, false, true};
// Parzen bandwidths in hertz: no frequency of a record goes beyond its rate.
inline constexpr ValueRange kBandwidthRange{0.0, 1.0e6, false, true};

// Nothing when every value lies in the range, else "<option> の値は <range> で指定してください: <text>".
std::optional<std::string> OutOfRange(std::string_view option, const std::vector<double>& values,
                                      const ValueRange& range, std::string_view text);

// One item of --channels: a channel number (from 1) or the id the data set window lists.
struct ChannelChoice {
    int number = 0;  // 0: chosen by `name`
    std::string name;
    bool operator==(const ChannelChoice&) const = default;
};

// "1,3", "NS,EW,UD", "1,EW": an item that reads as a whole number is a number (it
// must be 1 or more), any other non-empty item a name. Nothing for an empty item.
std::optional<std::vector<ChannelChoice>> ParseChannelChoices(std::string_view text);

// Text of a choice for messages: "3" or "NS".
std::string ChoiceText(const ChannelChoice& choice);

}  // namespace tremvix::cli
