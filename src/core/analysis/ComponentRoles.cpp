#include "core/analysis/ComponentRoles.h"

#include <cctype>
#include <charconv>
#include <string_view>

namespace tremvix {
namespace {

bool IsAsciiLetter(char c) { return static_cast<unsigned char>(c) < 0x80 && std::isalpha(static_cast<unsigned char>(c)); }

// Words of ASCII letters and digits, upper-cased. A single letter, a hyphen and a
// single letter make one word, so that "N-S" reads as "NS" while "ACC-EW" is two.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool pairHyphen = c == '-' && word.size() == 1 && IsAsciiLetter(word[0]) && i + 1 < text.size() &&
                                IsAsciiLetter(text[i + 1]) && (i + 2 >= text.size() || !IsAsciiLetter(text[i + 2]));
        if (pairHyphen) continue;
        if (c < 0x80 && std::isalnum(c)) {
            word.push_back(static_cast<char>(std::toupper(c)));
            continue;
        }
        if (!word.empty()) words.push_back(word);
        word.clear();
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

// "NS2" is "NS" at the second sensor: a trailing digit is dropped.
std::string_view WithoutSensorDigit(std::string_view word) {
    if (word.size() == 3 && std::isdigit(static_cast<unsigned char>(word[2]))) word.remove_suffix(1);
    return word;
}

std::optional<ComponentRole> RoleOfWord(std::string_view word) {
    const std::string_view base = WithoutSensorDigit(word);
    if (base == "NS" || base == "SN") return ComponentRole::NorthSouth;
    if (base == "EW" || base == "WE") return ComponentRole::EastWest;
    if (base == "UD" || base == "DU" || word == "UP" || word == "V" || word == "VER" || word == "VERT" ||
        word == "VERTICAL")
        return ComponentRole::UpDown;
    return std::nullopt;
}

// An azimuth in whole degrees: north or south is a north-south component.
std::optional<ComponentRole> RoleOfAzimuth(const std::string& id) {
    if (id.empty() || id.size() > 3) return std::nullopt;
    int degrees = 0;
    const auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), degrees);
    if (error != std::errc() || end != id.data() + id.size()) return std::nullopt;
    if (degrees == 0 || degrees == 180 || degrees == 360) return ComponentRole::NorthSouth;
    if (degrees == 90 || degrees == 270) return ComponentRole::EastWest;
    return std::nullopt;
}

// Seismology names a component by its channel code ("HNE": band, instrument,
// orientation) or, in WIN32 tables, by the orientation letter alone.
std::optional<ComponentRole> RoleOfOrientation(char orientation) {
    if (orientation == 'N') return ComponentRole::NorthSouth;
    if (orientation == 'E') return ComponentRole::EastWest;
    if (orientation == 'Z' || orientation == 'U') return ComponentRole::UpDown;
    return std::nullopt;
}

std::optional<ComponentRole> RoleOfChannelCode(const std::string& id) {
    if (id.size() == 1) return RoleOfOrientation(id[0]);
    const auto upper = [](char c) { return c >= 'A' && c <= 'Z'; };
    const bool seismometer = id.size() == 3 && upper(id[0]) && std::string_view("HLNG").find(id[1]) != std::string_view::npos;
    if (!seismometer || id[2] == 'U') return std::nullopt;
    return RoleOfOrientation(id[2]);
}

std::optional<ComponentRole> RoleOfText(const std::string& text) {
    for (const std::string& word : Words(text))
        if (const auto role = RoleOfWord(word)) return role;
    return std::nullopt;
}

}  // namespace

std::optional<ComponentRole> RoleOf(const std::string& id, const std::string& name) {
    if (const auto role = RoleOfAzimuth(id)) return role;
    if (const auto role = RoleOfChannelCode(id)) return role;
    if (const auto role = RoleOfText(id)) return role;
    return RoleOfText(name);
}

namespace {

std::array<int, 3> FirstOfEachRole(const std::vector<ChannelNames>& channels) {
    std::array<int, 3> found = {-1, -1, -1};
    for (std::size_t k = 0; k < channels.size(); ++k) {
        if (!channels[k].acceleration) continue;
        const auto role = RoleOf(channels[k].id, channels[k].name);
        if (!role) continue;
        int& slot = found[static_cast<std::size_t>(*role)];
        if (slot < 0) slot = static_cast<int>(k);
    }
    return found;
}

}  // namespace

std::optional<std::array<int, 2>> FindTwoHorizontals(const std::vector<ChannelNames>& channels) {
    const std::array<int, 3> found = FirstOfEachRole(channels);
    if (found[0] < 0 || found[1] < 0) return std::nullopt;
    return std::array<int, 2>{found[0], found[1]};
}

std::optional<std::array<int, 3>> FindThreeComponents(const std::vector<ChannelNames>& channels) {
    const std::array<int, 3> found = FirstOfEachRole(channels);
    for (const int index : found)
        if (index < 0) return std::nullopt;
    return found;
}

}  // namespace tremvix
