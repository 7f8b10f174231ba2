#include "core/analysis/AccelerationUnit.h"

#include "core/analysis/GroundMotionIndices.h"

#include <array>
#include <cctype>
#include <string>

namespace tremvix {
namespace {

// Lower case, spaces dropped, "^" and "/s/s" written as "/s2": "cm/s/s" and
// "cm/s^2" read as "cm/s2".
std::string Normalised(std::string_view unit) {
    std::string text;
    for (const char c : unit) {
        if (c == ' ' || c == '\t' || c == '^') continue;
        text.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    const std::string::size_type twice = text.find("/s/s");
    if (twice != std::string::npos) text.replace(twice, 4, "/s2");
    return text;
}

struct KnownUnit {
    std::string_view text;
    double galPerUnit;
};

constexpr std::array<KnownUnit, 8> kKnownUnits = {{
    {"gal", 1.0},
    {"gal(cm/s2)", 1.0},
    {"cm/s2", 1.0},
    {"cm/sec2", 1.0},
    {"m/s2", 100.0},
    {"m/sec2", 100.0},
    {"mm/s2", 0.1},
    {"g", kStandardGravity},
}};

}  // namespace

std::optional<double> GalPerUnit(std::string_view unit) {
    const std::string text = Normalised(unit);
    for (const KnownUnit& known : kKnownUnits)
        if (text == known.text) return known.galPerUnit;
    return std::nullopt;
}

std::vector<float> SamplesInGal(std::span<const float> samples, double galPerUnit) {
    std::vector<float> gal(samples.begin(), samples.end());
    if (galPerUnit != 1.0)
        for (float& v : gal) v = static_cast<float>(static_cast<double>(v) * galPerUnit);
    return gal;
}

}  // namespace tremvix
