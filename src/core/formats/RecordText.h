#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tremvix::formats {

// What ends every message we show: five ideographic spaces.
inline constexpr std::string_view kMessageEnd = "\u3000\u3000\u3000\u3000\u3000";

// The text without spaces and tabs at either end.
std::string_view TrimSpaces(std::string_view text);

bool StartsWithNoCase(std::string_view text, std::string_view prefix);  // ASCII letters only
bool ContainsNoCase(std::string_view text, std::string_view part);
std::string LowerAscii(std::string_view text);

// The end of the decimal number that starts exactly at `p` (optional sign, digits
// with an optional fraction, ".5" and "5." included, optional exponent with at least
// one digit), or nullptr when no number starts there.
const char* MatchDecimal(const char* p, const char* end);

// A decimal number filling the whole text, spaces and tabs around it allowed.
std::optional<double> ParseDecimal(std::string_view text);

// A whole-number text of at most 18 digits with an optional sign, spaces and tabs
// around it allowed.
std::optional<std::int64_t> ParseInteger(std::string_view text);

// A rate such as "100Hz" or "100 Hz" or "100": positive and finite, else nullopt.
std::optional<double> ParseHertz(std::string_view text);

// Numbers in messages, independent of the C locale: the shortest text that reads
// back to the same double, and a fixed number of decimals.
std::string ShortestText(double value);
std::string FixedText(double value, int decimals);

}  // namespace tremvix::formats
